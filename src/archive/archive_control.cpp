#include "archive/archive_control.h"

#include <cstring>
#include <stdexcept>
#include <typeinfo>

#include "archive/archive_format.h"
#include "archive/archive_strings.h"
#include "archive/individual_info.h"
#include "base/sjis.h"
#include "base/strutil.h"

namespace {

constexpr std::uint32_t kLhaIgnoreBrokenHeaderMode = 0x08000000;

bool HasAttributeCall(TArchiveType t) {
    return t == atLha || t == atCab || t == atZip || t == atSevenZip;
}
bool NeedsHourglass(TArchiveType t) {
    return t == atCab || t == atTar || t == atRar || t == atZip || t == atSevenZip;
}

} // namespace

TArchiveControl::TArchiveControl(TArchiverApi& api, TArchiveHost& host) : api_(api), host_(host) {
    list_.SetHost(&host_);
    watcher_ = host_.CreateWatcher([this] { HandleNotification(); });
}

TArchiveControl::~TArchiveControl() {
    if (watcher_) watcher_->Stop();
}

const std::string& TArchiveControl::FileName() {
    if (archive_type_ == atTar && !file_name_.empty() && !host_.FileExists(file_name_))
        file_name_ = ForceTarExtension(file_name_, TarOptions.CompressType);
    return file_name_;
}

bool TArchiveControl::Busy() {
    switch (archive_type_) {
    case atNone:
        return false;
    case atZip:
        return api_.GetRunning(alUnzip) != 0 || api_.GetRunning(alZip) != 0;
    default:
        return api_.GetRunning(ReaderLibrary(archive_type_)) != 0;
    }
}

TArchiveOptions* TArchiveControl::OptionsFor(TArchiveType type) {
    switch (type) {
    case atLha:
        return &LhaOptions;
    case atCab:
        return &CabOptions;
    case atTar:
        return &TarOptions;
    case atArj:
        return &ArjOptions;
    case atRar:
        return &RarOptions;
    case atZip:
        return &ZipOptions;
    case atSevenZip:
        return &SevenZipOptions;
    default:
        return nullptr;
    }
}

bool TArchiveControl::CheckWith(TArchiveType type, const std::string& path, int mode) {
    const TArchiverLibrary lib = ReaderLibrary(type);
    if (type == atLha || type == atArj) {
        // These libraries would otherwise change the screen cursor.
        int saved = api_.GetCursorMode(lib);
        api_.SetCursorMode(lib, 0);
        int ok = api_.CheckArchive(lib, path.c_str(), mode);
        api_.SetCursorMode(lib, saved);
        return ok != 0;
    }
    return api_.CheckArchive(lib, path.c_str(), mode) != 0;
}

TArchiveType TArchiveControl::DetectArchiveType(const std::string& path) {
    TArchiveType type = ArchiveTypeByName(path);
    const std::string ext = SjisUpperCase(ExtractFileExt(path));
    if (type == atNone) {
        if (ext == ".EXE") {
            for (TArchiveType probe : kSfxProbeOrder) {
                if (CheckWith(probe, path, 1)) {
                    type = probe;
                    break;
                }
            }
        }
    } else if (!CheckWith(type, path, 1)) {
        type = atNone;
    }
    if (type == atNone && LhaOptions.IgnoreBrokenHeader && ext == ".LZH" &&
        api_.CheckArchive(alUnlha, path.c_str(), 5) != 0)
        type = atLha;
    if (type != atNone && !SupportArchives.Contains(type)) type = atNone;
    return type;
}

void TArchiveControl::Changed() {
    if (OnChange) OnChange(*this);
}

void TArchiveControl::TellWatcher(const std::string& path) {
    if (watcher_) watcher_->SetFileName(path);
}

void TArchiveControl::SetFileName(const std::string& name) {
    if (name == file_name_ || Busy()) return;
    if (name.empty()) {
        list_.Clear();
        file_name_.clear();
        archive_type_ = atNone;
        Changed();
        TellWatcher(file_name_);
        return;
    }
    if (host_.FileExists(name)) {
        TArchiveType type = DetectArchiveType(name);
        if (type == atNone) {
            if (OnInvalid) OnInvalid(*this, name);
            return;
        }
        archive_type_ = type;
        file_name_ = name;
        if (Automatic) ListArchive("*.*");
        TellWatcher(file_name_);
        return;
    }
    // An archive still to be made.
    std::string new_name = name;
    TArchiveType type = ArchiveTypeByName(name);
    bool accepted = IsCreatableType(type) && SupportArchives.Contains(type);
    if (type == atNone && SupportArchives.Contains(atLha)) {
        new_name = ChangeFileExt(name, ".lzh");
        type = atLha;
        accepted = true;
    }
    if (!accepted) {
        if (OnInvalid) OnInvalid(*this, name);
        return;
    }
    file_name_ = new_name;
    archive_type_ = type;
    list_.Clear();
    Changed();
    TellWatcher(file_name_);
}

void TArchiveControl::ListArchive(const std::string& wildcard) {
    list_.Clear();
    headers_encrypted_ = false;
    if (archive_type_ == atNone || !host_.FileExists(file_name_)) {
        Changed();
        return;
    }
    const TArchiverLibrary lib = ReaderLibrary(archive_type_);
    const int count = api_.GetFileCount(lib, file_name_.c_str());
    const bool go_on =
        archive_type_ == atLha ? (count >= 1 || LhaOptions.IgnoreBrokenHeader) : count > 0;
    if (!go_on) {
        // A library that accepted the archive but cannot count it says why
        // when asked for the first member.
        if (count < 0) {
            TArchiveHandle h = api_.OpenArchive(lib, host_.ApplicationWindow(), file_name_.c_str(), 2);
            if (h != 0) {
                IndividualInfo info;
                headers_encrypted_ = api_.FindFirst(lib, h, wildcard.c_str(), &info) ==
                                     kArcErrorEncrypted;
                api_.CloseArchive(lib, h);
            }
        }
        Changed();
        return;
    }
    if (count > 0) list_.Reserve(count);
    const bool hourglass = NeedsHourglass(archive_type_);
    const std::intptr_t saved_cursor = hourglass ? host_.BeginHourglass() : 0;

    std::uint32_t mode = 0;
    if (archive_type_ == atLha)
        mode = 2 | (LhaOptions.IgnoreBrokenHeader ? kLhaIgnoreBrokenHeaderMode : 0);
    else if (archive_type_ == atArj || archive_type_ == atRar || archive_type_ == atZip ||
             archive_type_ == atSevenZip)
        mode = 2;
    TArchiveHandle h = api_.OpenArchive(lib, host_.ApplicationWindow(), file_name_.c_str(), mode);
    if (h != 0) {
        IndividualInfo info;
        int found = api_.FindFirst(lib, h, wildcard.c_str(), &info);
        while (found == 0) {
            auto item = std::make_unique<TArchiveItem>(&list_, info);
            bool keep = true;
            if (HasAttributeCall(archive_type_)) {
                const std::uint32_t attr = static_cast<std::uint32_t>(api_.GetAttribute(lib, h));
                if (attr & kAttrDirectory)
                    keep = false;
                else
                    item->SetAttributeWord(attr);
            } else if (item->FileName().empty()) {
                keep = false;
            }
            std::int64_t unpacked = 0, compressed = 0;
            if (keep && api_.GetOriginalSizeEx(lib, h, &unpacked) && unpacked >= 0) {
                if (!api_.GetCompressedSizeEx(lib, h, &compressed) || compressed < 0)
                    compressed = item->CompressedSize();
                item->SetWholeSizes(static_cast<std::uint64_t>(unpacked),
                                    static_cast<std::uint64_t>(compressed));
            }
            if (keep) list_.Add(std::move(item));
            std::memset(info.bytes, 0, sizeof info.bytes);
            found = api_.FindNext(lib, h, &info);
        }
        api_.CloseArchive(lib, h);
    }
    if (hourglass) host_.EndHourglass(saved_cursor);
    if (sort_type_ != stNoSort)
        list_.SortBy(sort_type_, [this](const std::string& a, const std::string& b) {
            return host_.CompareStr(a, b);
        });
    Changed();
}

void TArchiveControl::Sort(TArcSortType t) {
    if (t == stNoSort || list_.Count() == 0) return;
    auto cmp = [this](const std::string& a, const std::string& b) {
        return host_.CompareStr(a, b);
    };
    if (t == sort_type_) {
        list_.SetDirection(t, -list_.Direction(t));
        list_.SortBy(t, cmp);
    } else {
        list_.SortBy(t, cmp);
        list_.SetDirection(t, -list_.Direction(t));
    }
}

void TArchiveControl::SetSortType(TArcSortType t) {
    if (t == sort_type_) return;
    if (t != stNoSort) {
        list_.ResetDirections();
        list_.SortBy(t, [this](const std::string& a, const std::string& b) {
            return host_.CompareStr(a, b);
        });
        list_.ResetDirections();
    }
    sort_type_ = t;
}

std::string TArchiveControl::ResponseFilePath() {
    const std::string name = ResponseFile.empty() ? std::string("Response.txt") : ResponseFile;
    // A full path is taken as given; a bare name lives beside the program.
    if (name.find(':') != std::string::npos || name.rfind("\\\\", 0) == 0) return name;
    return host_.ExeFolder() + name;
}

bool TArchiveControl::BuildCommandLine(TArchiveOperationKind op, TArchiveStrings& strings,
                                       std::string& command, std::string& response_text) {
    const TArchiveOptions* own = OptionsFor(archive_type_);
    const TArchiveOptions& given = strings.Options();
    if (own == nullptr || typeid(given) != typeid(*own))
        throw std::logic_error("TArchiveControl: member list made for another archive format");
    return strings.CommandLine(op, file_name_, ResponseFilePath(), command, response_text);
}

int TArchiveControl::ExtractFiles(const std::string& dest_folder,
                                  const std::vector<std::string>& names) {
    if (dest_folder.empty() || !host_.DirectoryExists(dest_folder)) return kExtractFailed;
    TArchiveOptions* options = OptionsFor(archive_type_);
    if (options == nullptr) return kExtractNoOptions;
    if (Busy()) return kExtractBusy;

    TArchiveStrings strings(options, ResponseFile);
    strings.SetDestFolder(dest_folder);
    for (const std::string& name : names)
        strings.Add(name);

    if (OnStart) OnStart(*this, aoExtract);
    if (watcher_) watcher_->Pause();

    const TArchiverLibrary lib = ReaderLibrary(archive_type_);
    const TWindowHandle wnd = host_.ApplicationWindow();
    bool registered = false;
    const bool saved_silent = SilentMode;
    if (OnExtract) {
        progress_counter_ = 0;
        SilentMode = archive_type_ != atTar;
        progress_total_ = names.empty() ? list_.Count() : static_cast<int>(names.size());
        if (progress_total_ != 0) {
            api_.SetOwnerWindowEx(lib, wnd, this);
            registered = true;
        }
    }

    std::string command, response_text;
    int result = kArcCommandDefault;
    BuildCommandLine(aoExtract, strings, command, response_text);
    bool ready = true;
    if (!response_text.empty()) ready = host_.WriteTextFile(ResponseFilePath(), response_text);
    if (ready) {
        if (OnLog) {
            log_buffer_.assign(BufferSize, '\0');
            result = api_.Command(lib, wnd, command.c_str(), &log_buffer_[0], BufferSize);
            std::string text(log_buffer_.c_str());
            OnLog(*this, text, result);
        } else {
            result = api_.Command(lib, wnd, command.c_str(), nullptr, 0);
        }
    }
    log_buffer_.clear();

    if (OnEnd) OnEnd(*this, aoExtract, result);
    if (registered) {
        api_.KillOwnerWindowEx(lib, wnd);
        SilentMode = saved_silent;
    } else if (OnExtract) {
        SilentMode = saved_silent;
    }
    if (watcher_) watcher_->Resume();
    return result == 0 ? kExtractOk : kExtractFailed;
}

bool TArchiveControl::ArchiverProgress(int state, const std::string& file_name,
                                       std::uint32_t /*written*/, std::uint32_t /*file_size*/) {
    if (!OnExtract) return true;
    if (state == 0) ++progress_counter_;
    bool cancel = false;
    OnExtract(*this, file_name, progress_counter_, progress_total_, state == 2, cancel);
    return !cancel;
}

void TArchiveControl::HandleNotification() {
    if (OnNotification) OnNotification(*this);
    if (Busy() || !Automatic) return;
    if (host_.FileExists(file_name_)) {
        ListArchive("*.*");
    } else {
        list_.Clear();
        Changed();
    }
}
