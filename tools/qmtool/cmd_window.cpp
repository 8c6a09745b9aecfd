// qmtool wait-window / close: let scripts wait for a window of the program
// and close the program in order, as a user closing its main window would.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "qmtool.h"
#include "ui/win32.h"

namespace {
HWND WaitForWindow(const char* cls, int timeoutMs) {
    for (int waited = 0;; waited += 100) {
        if (HWND h = FindWindowA(cls, nullptr); h && IsWindowVisible(h)) return h;
        if (waited >= timeoutMs) return nullptr;
        Sleep(100);
    }
}

int Seconds(const std::vector<std::string>& args, std::size_t i, int fallback) {
    return args.size() > i ? std::atoi(args[i].c_str()) : fallback;
}

int WaitWindow(const std::vector<std::string>& args) {
    const std::string cls = args.empty() ? "TfoMAIN" : args[0];
    if (!WaitForWindow(cls.c_str(), Seconds(args, 1, 60) * 1000)) {
        std::fprintf(stderr, "wait-window: no visible %s window\n", cls.c_str());
        return 1;
    }
    return 0;
}

int CloseMain(const std::vector<std::string>& args) {
    HWND h = FindWindowA("TfoMAIN", nullptr);
    if (!h) {
        std::fprintf(stderr, "close: Quillmark is not running\n");
        return 1;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    PostMessageA(h, WM_CLOSE, 0, 0);
    DWORD r = process ? WaitForSingleObject(process, Seconds(args, 0, 30) * 1000) : WAIT_FAILED;
    if (process) CloseHandle(process);
    if (r != WAIT_OBJECT_0) {
        std::fprintf(stderr, "close: Quillmark did not end\n");
        return 1;
    }
    return 0;
}
}  // namespace

static const QmCommand waitCommand("wait-window", "[CLASS [SECONDS]]   wait until a window of the class is shown",
                                   WaitWindow);
static const QmCommand closeCommand("close", "[SECONDS]   close Quillmark's main window and wait for the end",
                                    CloseMain);
