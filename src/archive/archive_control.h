// TArchiveControl: one archive file at a time. Decides its format, lists
// its members, extracts chosen members through the format's archiver
// library and follows changes other programs make to the file. The
// library calls and the platform go through TArchiverApi and TArchiveHost.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "archive/archive_host.h"
#include "archive/archive_item.h"
#include "archive/archive_options.h"
#include "archive/archive_types.h"
#include "archive/archiver_api.h"

class TArchiveStrings;

// ExtractFiles results.
enum : int {
    kExtractOk = 0,
    kExtractBusy = 1,
    kExtractFailed = 2, // destination missing or the library failed
    kExtractNoOptions = 3,
};

class TArchiveControl : public TArchiveCommonSwitches, private TArchiverProgressSink {
public:
    using TNotifyEvent = std::function<void(TArchiveControl& sender)>;
    using TInvalidEvent = std::function<void(TArchiveControl& sender, const std::string& name)>;
    using TStartEvent = std::function<void(TArchiveControl& sender, TArchiveOperationKind op)>;
    using TEndEvent =
        std::function<void(TArchiveControl& sender, TArchiveOperationKind op, int result)>;
    using TProgressEvent =
        std::function<void(TArchiveControl& sender, const std::string& file_name, int counter,
                           int total, bool file_done, bool& cancel)>;
    using TLogEvent =
        std::function<void(TArchiveControl& sender, const std::string& log, int result)>;

    // The api and host must outlive the control.
    TArchiveControl(TArchiverApi& api, TArchiveHost& host);
    ~TArchiveControl() override;
    TArchiveControl(const TArchiveControl&) = delete;
    TArchiveControl& operator=(const TArchiveControl&) = delete;

    // Published properties (CheckAllPath and SilentMode come with the
    // common switches).
    bool Automatic = true;
    std::uint32_t BufferSize = 32128;
    std::string ResponseFile;
    TSupportArchives SupportArchives = kAllSupportArchives;

    TLhaOptions LhaOptions{this};
    TCabOptions CabOptions{this};
    TTarOptions TarOptions{this};
    TArjOptions ArjOptions{this};
    TRarOptions RarOptions{this};
    TZipOptions ZipOptions{this};
    TSevenZipOptions SevenZipOptions{this};

    TNotifyEvent OnChange;
    TInvalidEvent OnInvalid;
    TStartEvent OnStart;
    TEndEvent OnEnd;
    TProgressEvent OnExtract;
    TProgressEvent OnCompress;
    TLogEvent OnLog;
    TNotifyEvent OnNotification;

    // The stored name; a TAR archive still to be made first gets the
    // extension of TarOptions.CompressType.
    const std::string& FileName();
    void SetFileName(const std::string& name);
    TArchiveType ArchiveType() const { return archive_type_; }
    // The archive's own headers are encrypted: it is one, but nothing of it
    // can be listed without the password.
    bool HeadersEncrypted() const { return headers_encrypted_; }

    TArcSortType SortType() const { return sort_type_; }
    void SetSortType(TArcSortType t);
    // Sorts the member list; a repeated request reverses the order.
    void Sort(TArcSortType t);

    bool Busy();
    int Count() const { return list_.Count(); }
    TArchiveItem* Items(int i) const { return list_.Items(i); }
    TArchiveList& List() { return list_; }

    // Lists the members matching `wildcard` (normally "*.*").
    void ListArchive(const std::string& wildcard);
    // Extracts members into `dest_folder`; returns one of the kExtract codes.
    int ExtractFiles(const std::string& dest_folder, const std::vector<std::string>& names);

    // Format of an existing file, confirmed by its library; atNone if refused.
    TArchiveType DetectArchiveType(const std::string& path);
    // The options object of a format, or null for atNone.
    TArchiveOptions* OptionsFor(TArchiveType type);
    // Full path of the response file for long member lists.
    std::string ResponseFilePath();
    // Command line for `strings` on the current archive; throws
    // std::logic_error when the strings carry another format's options.
    bool BuildCommandLine(TArchiveOperationKind op, TArchiveStrings& strings, std::string& command,
                          std::string& response_text);

    // Runs on the user-interface thread when the watched file changed.
    void HandleNotification();

private:
    bool CheckWith(TArchiveType type, const std::string& path, int mode);
    void Changed();
    void TellWatcher(const std::string& path);
    bool ArchiverProgress(int state, const std::string& file_name, std::uint32_t written,
                          std::uint32_t file_size) override;

    TArchiverApi& api_;
    TArchiveHost& host_;
    std::string file_name_;
    TArchiveType archive_type_ = atNone;
    bool headers_encrypted_ = false;
    TArcSortType sort_type_ = stNoSort;
    TArchiveList list_;
    std::string log_buffer_;
    std::unique_ptr<TArchiveWatcher> watcher_;
    // Progress of the running extraction.
    int progress_counter_ = 0;
    int progress_total_ = 0;
};
