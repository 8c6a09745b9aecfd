#include "archive/archive_notify_thread.h"

#include "ui/win32.h"

#include <process.h>

#include <cstring>

#include "base/strutil.h"

namespace {

// File name, size and last-write changes.
constexpr DWORD kNotifyFilter =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;

class Lock {
public:
    explicit Lock(CRITICAL_SECTION& cs) : cs_(cs) { EnterCriticalSection(&cs_); }
    ~Lock() { LeaveCriticalSection(&cs_); }

private:
    CRITICAL_SECTION& cs_;
};

bool FileExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return !path.empty() && a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
    DWORD a = GetFileAttributesA(ExcludeTrailingBackslash(path).c_str());
    return !path.empty() && a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadEntry(const std::string& path, WIN32_FIND_DATAA& fd) {
    std::memset(&fd, 0, sizeof fd);
    HANDLE h = FindFirstFileA(path.c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) {
        std::memset(&fd, 0, sizeof fd);
        return false;
    }
    FindClose(h);
    return true;
}

} // namespace

struct TArchiveNotifyThread::State {
    CRITICAL_SECTION lock;
    std::string path;
    std::string folder;
    WIN32_FIND_DATAA snapshot{};
    HANDLE stop_event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE wake_event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    std::function<void()> callback; // used on the user-interface thread only
    TSynchronize synchronize;
    volatile DWORD quiet_ms = 3000;

    State() { InitializeCriticalSection(&lock); }
    ~State() {
        CloseHandle(stop_event);
        CloseHandle(wake_event);
        DeleteCriticalSection(&lock);
    }

    // Takes the file's folder and a fresh snapshot, or forgets everything
    // when the file is gone. Caller holds the lock.
    void TakeFile(const std::string& new_path) {
        if (FileExists(new_path)) {
            path = new_path;
            folder = ExtractFilePath(new_path);
            ReadEntry(path, snapshot);
        } else {
            path.clear();
            folder.clear();
            std::memset(&snapshot, 0, sizeof snapshot);
        }
    }

    // Runs on the user-interface thread.
    void Check() {
        std::string current;
        {
            Lock l(lock);
            current = path;
        }
        if (current.empty()) return;
        WIN32_FIND_DATAA fresh;
        if (FileExists(current) && ReadEntry(current, fresh)) {
            bool same;
            {
                Lock l(lock);
                same = fresh.nFileSizeLow == snapshot.nFileSizeLow &&
                       CompareFileTime(&fresh.ftLastWriteTime, &snapshot.ftLastWriteTime) == 0;
            }
            if (same) return;
            if (callback) callback();
            Lock l(lock);
            if (path == current) snapshot = fresh;
        } else {
            {
                Lock l(lock);
                path.clear();
                folder.clear();
                std::memset(&snapshot, 0, sizeof snapshot);
            }
            if (callback) callback();
        }
    }
};

namespace {

HANDLE OpenNotification(TArchiveNotifyThread::State& s) {
    std::string folder;
    {
        Lock l(s.lock);
        folder = s.folder;
    }
    if (!DirectoryExists(folder)) return INVALID_HANDLE_VALUE;
    return FindFirstChangeNotificationA(ExcludeTrailingBackslash(folder).c_str(), FALSE,
                                        kNotifyFilter);
}

void CloseNotification(HANDLE& h) {
    if (h != INVALID_HANDLE_VALUE) FindCloseChangeNotification(h);
    h = INVALID_HANDLE_VALUE;
}

unsigned __stdcall Run(void* arg) {
    // The thread keeps the state alive until it ends, even after the owner
    // has let go of it.
    auto* holder = static_cast<std::shared_ptr<TArchiveNotifyThread::State>*>(arg);
    std::shared_ptr<TArchiveNotifyThread::State> keep = *holder;
    delete holder;
    TArchiveNotifyThread::State& s = *keep;
    HANDLE change = INVALID_HANDLE_VALUE;
    for (;;) {
        HANDLE handles[3] = {s.stop_event, s.wake_event, change};
        DWORD n = change == INVALID_HANDLE_VALUE ? 2 : 3;
        DWORD r = WaitForMultipleObjects(n, handles, FALSE, INFINITE);
        if (r == WAIT_OBJECT_0) break;
        if (r == WAIT_OBJECT_0 + 1) {
            CloseNotification(change);
            change = OpenNotification(s);
            continue;
        }
        if (r != WAIT_OBJECT_0 + 2) {
            Sleep(10); // a failed wait must not spin
            continue;
        }
        // A change: wait until the folder has been quiet for a while, so a
        // file still being written is not read.
        bool stop = false, woken = false;
        for (;;) {
            FindNextChangeNotification(change);
            DWORD q = WaitForMultipleObjects(3, handles, FALSE, s.quiet_ms);
            if (q == WAIT_OBJECT_0) {
                stop = true;
                break;
            }
            if (q == WAIT_OBJECT_0 + 1) {
                woken = true;
                break;
            }
            if (q != WAIT_OBJECT_0 + 2) break; // quiet
        }
        if (stop) break;
        if (woken) {
            // Paused, resumed or given another file: watch the folder as it is now.
            CloseNotification(change);
            change = OpenNotification(s);
            continue;
        }
        if (s.synchronize) s.synchronize([&s] { s.Check(); });
        // The notification stays armed (FindNextChangeNotification above), so
        // a change made while the check ran is not lost.
    }
    CloseNotification(change);
    return 0;
}

} // namespace

TArchiveNotifyThread::TArchiveNotifyThread(std::function<void()> on_change,
                                           TSynchronize synchronize)
    : state_(std::make_shared<State>()) {
    state_->callback = std::move(on_change);
    state_->synchronize = std::move(synchronize);
    auto* arg = new std::shared_ptr<State>(state_);
    HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, Run, arg, 0, nullptr));
    if (thread == nullptr) {
        delete arg;
        stopped_ = true;
        return;
    }
    CloseHandle(thread);
}

TArchiveNotifyThread::~TArchiveNotifyThread() {
    Stop();
}

void TArchiveNotifyThread::SetFileName(const std::string& path) {
    {
        Lock l(state_->lock);
        if (path == state_->path) return;
        state_->TakeFile(path);
    }
    SetEvent(state_->wake_event);
}

void TArchiveNotifyThread::Pause() {
    {
        Lock l(state_->lock);
        state_->folder.clear();
    }
    SetEvent(state_->wake_event);
}

void TArchiveNotifyThread::Resume() {
    {
        Lock l(state_->lock);
        state_->TakeFile(state_->path);
    }
    SetEvent(state_->wake_event);
}

void TArchiveNotifyThread::Stop() {
    if (stopped_) return;
    stopped_ = true;
    state_->callback = nullptr;
    SetEvent(state_->stop_event);
}

void TArchiveNotifyThread::SetQuietPeriod(std::uint32_t ms) {
    state_->quiet_ms = ms;
}
