// In-memory stand-ins for the archiver libraries and the platform, so the
// control's logic can be driven and observed without Windows.
#pragma once
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "archive/archive_host.h"
#include "archive/archiver_api.h"
#include "archive/individual_info.h"

struct FakeMember {
    std::string path;
    std::uint32_t size = 0;
    std::uint32_t attribute = 0x20;
    std::uint16_t date = (20 << 9) | (1 << 5) | 1; // 2000-01-01
    std::uint16_t time = 0;
    std::uint16_t ratio = 0;
    std::uint32_t flag = 0;
    std::uint64_t whole_size = 0; // answered by the size calls; 0: the record's
};

class FakeArchiverApi : public TArchiverApi {
public:
    // Archives each library accepts, by path.
    std::map<std::string, std::vector<FakeMember>> archives[kArchiverLibraryCount];
    std::set<std::string> lenient_lha; // accepted only by the mode-5 check
    int running[kArchiverLibraryCount] = {};
    int cursor_mode[kArchiverLibraryCount] = {};
    bool has_get_attribute = true;
    bool has_size_ex = true;
    std::set<std::string> headers_encrypted; // accepted, never counted nor listed
    int command_result = 0;
    int file_count_override = -2; // -2: the real count
    std::vector<std::string> calls;
    std::string last_command;
    TArchiverLibrary last_command_lib = alUnlha;
    std::uint32_t last_open_mode = 0xFFFFFFFF;
    int set_owner_calls = 0, kill_owner_calls = 0;
    TArchiverProgressSink* sink = nullptr;

    int GetRunning(TArchiverLibrary lib) override { return running[lib]; }
    int GetCursorMode(TArchiverLibrary lib) override {
        calls.push_back("GetCursorMode");
        return cursor_mode[lib];
    }
    int SetCursorMode(TArchiverLibrary lib, int mode) override {
        calls.push_back("SetCursorMode " + std::to_string(mode));
        cursor_mode[lib] = mode;
        return 0;
    }
    int Command(TArchiverLibrary lib, TWindowHandle, const char* cmd, char* out,
                std::uint32_t size) override {
        last_command = cmd;
        last_command_lib = lib;
        if (out && size > 4) std::strcpy(out, "log!");
        if (sink) {
            sink->ArchiverProgress(0, "a.txt", 0, 10);
            sink->ArchiverProgress(2, "a.txt", 10, 10);
        }
        return command_result;
    }
    int CheckArchive(TArchiverLibrary lib, const char* path, int mode) override {
        calls.push_back(std::string("Check ") + std::to_string(lib) + " " + std::to_string(mode) +
                        " cursor " + std::to_string(cursor_mode[lib]));
        if (lib == alUnlha && mode == 5 && lenient_lha.count(path)) return 1;
        return archives[lib].count(path) ? 1 : 0;
    }
    int GetFileCount(TArchiverLibrary lib, const char* path) override {
        if (file_count_override != -2) return file_count_override;
        if (headers_encrypted.count(path)) return -1;
        auto it = archives[lib].find(path);
        return it == archives[lib].end() ? -1 : static_cast<int>(it->second.size());
    }
    int SetOwnerWindowEx(TArchiverLibrary, TWindowHandle, TArchiverProgressSink* s) override {
        ++set_owner_calls;
        sink = s;
        return 1;
    }
    int KillOwnerWindowEx(TArchiverLibrary, TWindowHandle) override {
        ++kill_owner_calls;
        sink = nullptr;
        return 1;
    }
    TArchiveHandle OpenArchive(TArchiverLibrary lib, TWindowHandle, const char* path,
                               std::uint32_t mode) override {
        last_open_mode = mode;
        auto it = archives[lib].find(path);
        if (it == archives[lib].end() && !(lib == alUnlha && lenient_lha.count(path))) return 0;
        open_ = it == archives[lib].end() ? nullptr : &it->second;
        open_path_ = open_ ? it->first.c_str() : nullptr;
        pos_ = 0;
        return 77;
    }
    int FindFirst(TArchiverLibrary lib, TArchiveHandle h, const char*,
                  IndividualInfo* info) override {
        pos_ = 0;
        if (open_path_ && headers_encrypted.count(open_path_)) return kArcErrorEncrypted;
        return FindNext(lib, h, info);
    }
    int FindNext(TArchiverLibrary, TArchiveHandle, IndividualInfo* info) override {
        if (!open_ || pos_ >= open_->size()) return -1;
        const FakeMember& m = (*open_)[pos_++];
        std::memset(info->bytes, 0, sizeof info->bytes);
        info->SetMemberPath(m.path);
        info->SetUnpackedSize(m.whole_size > 0xFFFFFFFFu ? 0xFFFFFFFFu : m.size);
        info->SetCompressedSize(m.size / 2);
        current_whole_ = m.whole_size;
        info->SetRatio(m.ratio);
        info->SetFlag(m.flag);
        info->SetDosDate(m.date);
        info->SetDosTime(m.time);
        info->SetAttributeText("A---");
        current_attr_ = m.attribute;
        return 0;
    }
    int CloseArchive(TArchiverLibrary, TArchiveHandle) override {
        calls.push_back("Close");
        open_ = nullptr;
        return 0;
    }
    int GetAttribute(TArchiverLibrary, TArchiveHandle) override {
        return has_get_attribute ? static_cast<int>(current_attr_) : -1;
    }
    int TarGetArchiveType(const char*) override { return 0; }
    bool GetOriginalSizeEx(TArchiverLibrary, TArchiveHandle, std::int64_t* size) override {
        if (!has_size_ex || current_whole_ == 0) return false;
        *size = static_cast<std::int64_t>(current_whole_);
        return true;
    }
    bool GetCompressedSizeEx(TArchiverLibrary, TArchiveHandle, std::int64_t* size) override {
        if (!has_size_ex || current_whole_ == 0) return false;
        *size = static_cast<std::int64_t>(current_whole_ / 2);
        return true;
    }

private:
    const char* open_path_ = nullptr;
    std::uint64_t current_whole_ = 0;
    std::vector<FakeMember>* open_ = nullptr;
    std::size_t pos_ = 0;
    std::uint32_t current_attr_ = 0;
};

class FakeWatcher : public TArchiveWatcher {
public:
    explicit FakeWatcher(std::vector<std::string>* log) : log_(log) {}
    void SetFileName(const std::string& path) override { log_->push_back("name " + path); }
    void Pause() override { log_->push_back("pause"); }
    void Resume() override { log_->push_back("resume"); }
    void Stop() override { log_->push_back("stop"); }

private:
    std::vector<std::string>* log_;
};

class FakeHost : public TArchiveHost {
public:
    std::set<std::string> files, folders;
    std::map<std::string, std::string> written;
    std::vector<std::string> watcher_log;
    std::function<void()> on_change;
    int hourglass_depth = 0, hourglass_uses = 0;
    bool write_fails = false;

    TWindowHandle ApplicationWindow() override { return 0x1234; }
    bool FileExists(const std::string& p) override { return files.count(p) != 0; }
    bool DirectoryExists(const std::string& p) override {
        std::string q = p;
        if (q.size() > 1 && q.back() == '\\') q.pop_back();
        return folders.count(q) != 0;
    }
    std::string ExeFolder() override { return "C:\\App\\"; }
    bool WriteTextFile(const std::string& p, const std::string& text) override {
        if (write_fails) return false;
        written[p] = text;
        return true;
    }
    std::intptr_t BeginHourglass() override {
        ++hourglass_depth;
        ++hourglass_uses;
        return 5;
    }
    void EndHourglass(std::intptr_t saved) override {
        if (saved == 5) --hourglass_depth;
    }
    int CompareStr(const std::string& a, const std::string& b) override { return a.compare(b); }
    std::string ShellTypeName(const std::string& path, std::uint32_t) override {
        auto dot = path.rfind('.');
        return dot == std::string::npos ? "File" : path.substr(dot + 1) + " File";
    }
    int ShellIconIndex(const std::string&, std::uint32_t) override { return 3; }
    std::unique_ptr<TArchiveWatcher> CreateWatcher(std::function<void()> cb) override {
        on_change = std::move(cb);
        return std::make_unique<FakeWatcher>(&watcher_log);
    }
};
