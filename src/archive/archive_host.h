// What the archive control needs from the platform, kept behind two small
// interfaces so the control's logic runs (and is tested) anywhere.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "archive/archive_types.h"

// Watches the archive file for changes made by other programs.
class TArchiveWatcher {
public:
    virtual ~TArchiveWatcher() = default;
    // Follow a new archive path (empty: watch nothing). Ignored when unchanged.
    virtual void SetFileName(const std::string& path) = 0;
    // Forget the folder while an operation of our own changes things.
    virtual void Pause() = 0;
    // Take the file's state afresh after our own operation.
    virtual void Resume() = 0;
    // Clear the callback and end the watcher.
    virtual void Stop() = 0;
};

class TArchiveHost {
public:
    virtual ~TArchiveHost() = default;
    // The application's main window, handed to every library call that takes one.
    virtual TWindowHandle ApplicationWindow() = 0;
    virtual bool FileExists(const std::string& path) = 0;
    virtual bool DirectoryExists(const std::string& path) = 0;
    // Folder of the executable, with a trailing backslash.
    virtual std::string ExeFolder() = 0;
    virtual bool WriteTextFile(const std::string& path, const std::string& text) = 0;
    // Shows the hourglass and returns what to restore (a cursor handle,
    // hence pointer-sized).
    virtual std::intptr_t BeginHourglass() = 0;
    virtual void EndHourglass(std::intptr_t saved) = 0;
    // Locale-aware, case-sensitive string comparison.
    virtual int CompareStr(const std::string& a, const std::string& b) = 0;
    // Shell type name and small-icon index of a name with the given attributes.
    virtual std::string ShellTypeName(const std::string& path, std::uint32_t attributes) = 0;
    virtual int ShellIconIndex(const std::string& path, std::uint32_t attributes) = 0;
    // A watcher that calls `on_change` on the user-interface thread; null
    // when the control does not watch (design mode, tools).
    virtual std::unique_ptr<TArchiveWatcher> CreateWatcher(std::function<void()> on_change) = 0;
};
