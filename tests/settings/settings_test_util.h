// A fresh folder for INI files under the temporary folder, removed with
// its files when the test ends, and a way to act on a modal window once
// its message loop runs.
#pragma once
#include <functional>
#include <string>

#include "ui/win32.h"

class ScratchFolder {
public:
    ScratchFolder() {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        static int counter = 0;
        path_ = std::string(base) + "qmset-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~ScratchFolder() {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((path_ + "\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = fd.cFileName, p = path_ + "\\" + name;
                if (name == "." || name == "..") continue;
                SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
                // Tests leave files and, at most, empty folders.
                if (!DeleteFileA(p.c_str())) RemoveDirectoryA(p.c_str());
            } while (FindNextFileA(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryA(path_.c_str());
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }
    const std::string& Path() const { return path_; }

    static void Write(const std::string& path, const std::string& bytes) {
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(h);
    }
    static std::string Read(const std::string& path) {
        HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return std::string();
        std::string bytes(GetFileSize(h, nullptr), '\0');
        DWORD got = 0;
        ReadFile(h, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr);
        CloseHandle(h);
        bytes.resize(got);
        return bytes;
    }

private:
    std::string path_;
};

// Runs `act` on the first visible top-level window of the class once the
// message loop of a modal window handles timers.
struct ShownWindow {
    static std::string& Class() {
        static std::string cls;
        return cls;
    }
    static std::function<void(HWND)>& Pending() {
        static std::function<void(HWND)> pending;
        return pending;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        HWND w = FindWindowA(Class().c_str(), nullptr);
        if (!w || !IsWindowVisible(w) || !Pending()) return;
        KillTimer(nullptr, id);
        auto run = std::move(Pending());
        Pending() = nullptr;
        run(w);
    }
};

inline void WhenShown(const char* windowClass, std::function<void(HWND)> act) {
    ShownWindow::Class() = windowClass;
    ShownWindow::Pending() = std::move(act);
    SetTimer(nullptr, 0, 50, ShownWindow::Tick);
}
