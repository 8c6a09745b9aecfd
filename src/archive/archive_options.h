// Per-format option objects of the archive control. Each builds the switch
// string its library expects for an operation.
#pragma once
#include <cstdint>
#include <string>

#include "archive/archive_types.h"

// The switches that every format's commands take from the archive control
// that owns the options.
struct TArchiveCommonSwitches {
    bool CheckAllPath = false;
    bool SilentMode = false;
};

class TArchiveOptions {
public:
    // Throws std::logic_error without an owner: the switches depend on it.
    explicit TArchiveOptions(const TArchiveCommonSwitches* owner);
    virtual ~TArchiveOptions() = default;
    TArchiveOptions(const TArchiveOptions&) = delete;
    TArchiveOptions& operator=(const TArchiveOptions&) = delete;

    // Copies every field from an object of the same class; throws otherwise.
    virtual void Assign(const TArchiveOptions& source) = 0;
    // Switches for the operation, each followed by one blank. False when the
    // format has no command for it.
    virtual bool BuildCommand(TArchiveOperationKind op, std::string& command) const = 0;
    virtual TArchiveType Type() const = 0;

protected:
    bool SilentMode() const;
    bool CheckAllPath() const;

private:
    const TArchiveCommonSwitches* owner_;
};

class TLhaOptions : public TArchiveOptions {
public:
    explicit TLhaOptions(const TArchiveCommonSwitches* owner) : TArchiveOptions(owner) {}
    void Assign(const TArchiveOptions& source) override;
    bool BuildCommand(TArchiveOperationKind op, std::string& command) const override;
    TArchiveType Type() const override { return atLha; }

    TLhaCompressType CompressType = ctLh5;
    TLhaSfxType SfxType = stWinSfx32;
    TCompressOptions CompressOptions{coIncludeHidden, coOverWrite, coIncludeDir};
    TExtractOptions ExtractOptions{eoIncludeDir, eoIncludeHidden};
    bool SfxDialog = true;
    bool ShortFileName = false;
    bool AdjustArcTime = false;
    bool IgnoreBrokenHeader = false;
    bool FileRecurseMode = false;
};

class TCabOptions : public TArchiveOptions {
public:
    explicit TCabOptions(const TArchiveCommonSwitches* owner) : TArchiveOptions(owner) {}
    void Assign(const TArchiveOptions& source) override;
    bool BuildCommand(TArchiveOperationKind op, std::string& command) const override;
    TArchiveType Type() const override { return atCab; }

    bool MultiVolume = false;
    std::uint32_t VolumeSize = 1423;
    TCabCompressType CompressType = ctMsZip;
    int CompressLevel = 21;
    bool ShortFileName = false;
    TExtractOptions ExtractOptions{eoIncludeDir};
    TCompressOptions CompressOptions{coIncludeDir};
};

class TTarOptions : public TArchiveOptions {
public:
    explicit TTarOptions(const TArchiveCommonSwitches* owner) : TArchiveOptions(owner) {}
    void Assign(const TArchiveOptions& source) override;
    bool BuildCommand(TArchiveOperationKind op, std::string& command) const override;
    TArchiveType Type() const override { return atTar; }

    int CompressLevel = 9;
    TTarCompressType CompressType = ctGZip;
    TExtractOptions ExtractOptions{eoIncludeDir, eoOverWrite};
    TCompressOptions CompressOptions{coIncludeHidden, coIncludeDir};
    bool GNUTarHeader = false;
};

class TArjOptions : public TArchiveOptions {
public:
    explicit TArjOptions(const TArchiveCommonSwitches* owner) : TArchiveOptions(owner) {}
    void Assign(const TArchiveOptions& source) override;
    bool BuildCommand(TArchiveOperationKind op, std::string& command) const override;
    TArchiveType Type() const override { return atArj; }

    TExtractOptions ExtractOptions{eoIncludeDir, eoIncludeHidden};
};

class TRarOptions : public TArchiveOptions {
public:
    explicit TRarOptions(const TArchiveCommonSwitches* owner) : TArchiveOptions(owner) {}
    void Assign(const TArchiveOptions& source) override;
    bool BuildCommand(TArchiveOperationKind op, std::string& command) const override;
    TArchiveType Type() const override { return atRar; }

    TExtractOptions ExtractOptions{eoIncludeDir};
};

class TZipOptions : public TArchiveOptions {
public:
    explicit TZipOptions(const TArchiveCommonSwitches* owner) : TArchiveOptions(owner) {}
    void Assign(const TArchiveOptions& source) override;
    bool BuildCommand(TArchiveOperationKind op, std::string& command) const override;
    TArchiveType Type() const override { return atZip; }

    TExtractOptions ExtractOptions{eoIncludeDir};
    TCompressOptions CompressOptions{coIncludeHidden, coOverWrite, coIncludeDir};
    int CompressLevel = 6;
};

// 7z archives, through 7-zip32.dll with 7-Zip's own switches: "x" or "e",
// "-aoa"/"-aos" for files already there; "a -t7z -mx=N" to make one.
class TSevenZipOptions : public TArchiveOptions {
public:
    explicit TSevenZipOptions(const TArchiveCommonSwitches* owner) : TArchiveOptions(owner) {}
    void Assign(const TArchiveOptions& source) override;
    bool BuildCommand(TArchiveOperationKind op, std::string& command) const override;
    TArchiveType Type() const override { return atSevenZip; }

    TExtractOptions ExtractOptions{eoIncludeDir};
    TCompressOptions CompressOptions{coIncludeDir, coRecurse};
    int CompressLevel = 5; // 0 stores, 9 packs hardest
};
