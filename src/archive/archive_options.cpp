#include "archive/archive_options.h"

#include <stdexcept>


namespace {

// Appends a piece followed by exactly one blank.
void Add(std::string& s, const char* piece) {
    s += piece;
    if (s.empty() || s.back() != ' ') s += ' ';
}

template <class T> const T& SameClass(const TArchiveOptions& source) {
    const T* t = dynamic_cast<const T*>(&source);
    if (t == nullptr) throw std::logic_error("TArchiveOptions.Assign: options of another format");
    return *t;
}

} // namespace

TArchiveOptions::TArchiveOptions(const TArchiveCommonSwitches* owner) : owner_(owner) {
    if (owner == nullptr) throw std::logic_error("TArchiveOptions needs an owning archive control");
}

bool TArchiveOptions::SilentMode() const {
    return owner_->SilentMode;
}
bool TArchiveOptions::CheckAllPath() const {
    return owner_->CheckAllPath;
}

void TLhaOptions::Assign(const TArchiveOptions& source) {
    const TLhaOptions& s = SameClass<TLhaOptions>(source);
    CompressType = s.CompressType;
    SfxType = s.SfxType;
    CompressOptions = s.CompressOptions;
    ExtractOptions = s.ExtractOptions;
    SfxDialog = s.SfxDialog;
    ShortFileName = s.ShortFileName;
    AdjustArcTime = s.AdjustArcTime;
    IgnoreBrokenHeader = s.IgnoreBrokenHeader;
    FileRecurseMode = s.FileRecurseMode;
}

bool TLhaOptions::BuildCommand(TArchiveOperationKind op, std::string& c) const {
    if (op != aoExtract) return false;
    c.clear();
    Add(c, "e -+ -jf0 -jyc");
    if (ExtractOptions.Contains(eoIncludeDir)) Add(c, "-x1");
    if (ExtractOptions.Contains(eoOverWrite)) Add(c, "-c1 -jyo");
    if (ExtractOptions.Contains(eoIncludeHidden)) Add(c, "-a1");
    if (CheckAllPath()) Add(c, "-p");
    Add(c, "-l1");
    if (IgnoreBrokenHeader) Add(c, "-jc1");
    if (SilentMode()) Add(c, "-n");
    Add(c, "-gp0");
    return true;
}

void TCabOptions::Assign(const TArchiveOptions& source) {
    const TCabOptions& s = SameClass<TCabOptions>(source);
    MultiVolume = s.MultiVolume;
    VolumeSize = s.VolumeSize;
    CompressType = s.CompressType;
    CompressLevel = s.CompressLevel;
    ShortFileName = s.ShortFileName;
    ExtractOptions = s.ExtractOptions;
    CompressOptions = s.CompressOptions;
}

bool TCabOptions::BuildCommand(TArchiveOperationKind op, std::string& c) const {
    if (op != aoExtract) return false;
    c.clear();
    Add(c, "-x");
    if (!ExtractOptions.Contains(eoIncludeDir)) Add(c, "-j");
    Add(c, ExtractOptions.Contains(eoOverWrite) ? "-o" : "-n");
    if (MultiVolume) Add(c, "-k");
    if (SilentMode()) Add(c, "-i");
    return true;
}

void TTarOptions::Assign(const TArchiveOptions& source) {
    const TTarOptions& s = SameClass<TTarOptions>(source);
    CompressLevel = s.CompressLevel;
    CompressType = s.CompressType;
    ExtractOptions = s.ExtractOptions;
    CompressOptions = s.CompressOptions;
    GNUTarHeader = s.GNUTarHeader;
}

bool TTarOptions::BuildCommand(TArchiveOperationKind op, std::string& c) const {
    if (op != aoExtract) return false;
    c.clear();
    Add(c, ExtractOptions.Contains(eoIncludeDir) ? "--use-directory=1" : "--use-directory=0");
    if (SilentMode()) Add(c, "--display-dialog=0");
    if (CheckAllPath()) Add(c, "--check-all-path=1");
    if (!ExtractOptions.Contains(eoOverWrite)) Add(c, "-q");
    Add(c, "-x -f");
    return true;
}

void TArjOptions::Assign(const TArchiveOptions& source) {
    ExtractOptions = SameClass<TArjOptions>(source).ExtractOptions;
}

bool TArjOptions::BuildCommand(TArchiveOperationKind op, std::string& c) const {
    if (op != aoExtract) return false;
    c.clear();
    Add(c, "x -+ -jyc");
    if (!ExtractOptions.Contains(eoIncludeDir)) Add(c, "-hj");
    if (!ExtractOptions.Contains(eoOverWrite)) Add(c, "-u");
    if (!ExtractOptions.Contains(eoIncludeHidden)) Add(c, "-a");
    if (SilentMode()) Add(c, "-i");
    if (CheckAllPath()) Add(c, "-p");
    return true;
}

void TRarOptions::Assign(const TArchiveOptions& source) {
    ExtractOptions = SameClass<TRarOptions>(source).ExtractOptions;
}

bool TRarOptions::BuildCommand(TArchiveOperationKind op, std::string& c) const {
    if (op != aoExtract) return false;
    c.clear();
    Add(c, ExtractOptions.Contains(eoIncludeDir) ? "-x" : "-e");
    Add(c, ExtractOptions.Contains(eoOverWrite) ? "-o" : "-u");
    return true;
}

void TZipOptions::Assign(const TArchiveOptions& source) {
    const TZipOptions& s = SameClass<TZipOptions>(source);
    ExtractOptions = s.ExtractOptions;
    CompressOptions = s.CompressOptions;
    CompressLevel = s.CompressLevel;
}

bool TZipOptions::BuildCommand(TArchiveOperationKind op, std::string& c) const {
    if (op != aoExtract) return false;
    c.clear();
    Add(c, "-x -C");
    if (!ExtractOptions.Contains(eoIncludeDir)) Add(c, "-j");
    Add(c, ExtractOptions.Contains(eoOverWrite) ? "-o" : "-n");
    if (SilentMode()) Add(c, "--i");
    return true;
}

void TSevenZipOptions::Assign(const TArchiveOptions& source) {
    const TSevenZipOptions& s = SameClass<TSevenZipOptions>(source);
    ExtractOptions = s.ExtractOptions;
    CompressOptions = s.CompressOptions;
    CompressLevel = s.CompressLevel;
}

bool TSevenZipOptions::BuildCommand(TArchiveOperationKind op, std::string& c) const {
    c.clear();
    if (op == aoCompress) {
        Add(c, "a -t7z");
        Add(c, ("-mx=" + std::to_string(CompressLevel < 0 ? 0 : CompressLevel > 9 ? 9 : CompressLevel)).c_str());
        if (CompressOptions.Contains(coRecurse)) Add(c, "-r");
        if (CompressOptions.Contains(coOverWrite)) Add(c, "-aoa");
    } else {
        Add(c, ExtractOptions.Contains(eoIncludeDir) ? "x" : "e");
        Add(c, ExtractOptions.Contains(eoOverWrite) ? "-aoa" : "-aos");
    }
    if (SilentMode()) Add(c, "-hide -y");
    return true;
}
