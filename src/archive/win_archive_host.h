// The archive control's platform on Windows: files, the shell's type names
// and icons, the hourglass, and the change watcher.
#pragma once
#include "archive/archive_host.h"
#include "archive/archive_notify_thread.h"

class TWinArchiveHost : public TArchiveHost {
public:
    // Create on the user-interface thread: the default synchronisation runs
    // watcher checks on the thread that made the host.
    // `application_window` is the HWND (declared here without the Windows
    // header, as it declares it).
    explicit TWinArchiveHost(struct HWND__* application_window = nullptr);
    ~TWinArchiveHost() override;
    TWinArchiveHost(const TWinArchiveHost&) = delete;
    TWinArchiveHost& operator=(const TWinArchiveHost&) = delete;

    // How watcher checks reach the user-interface thread. The default sends a
    // message to a hidden window of the creating thread (which must pump
    // messages); the owner may put its own in place before the control is made.
    TSynchronize Synchronize;
    // False: the control gets no watcher (tools that only list and extract).
    bool Watch = true;

    TWindowHandle ApplicationWindow() override;
    bool FileExists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override;
    std::string ExeFolder() override;
    bool WriteTextFile(const std::string& path, const std::string& text) override;
    std::intptr_t BeginHourglass() override;
    void EndHourglass(std::intptr_t saved) override;
    int CompareStr(const std::string& a, const std::string& b) override;
    std::string ShellTypeName(const std::string& path, std::uint32_t attributes) override;
    int ShellIconIndex(const std::string& path, std::uint32_t attributes) override;
    std::unique_ptr<TArchiveWatcher> CreateWatcher(std::function<void()> on_change) override;

private:
    TWindowHandle application_window_;
    TWindowHandle sync_window_ = 0;
};
