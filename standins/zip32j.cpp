// Zip32j.dll stand-in: writes ZIP archives.
#include <windows.h>

#include <atomic>

#include "archiver_core.h"

static std::atomic<bool> running{false};

extern "C" BOOL WINAPI ZipGetRunning(void) {
    return running.load() ? TRUE : FALSE;
}

extern "C" int WINAPI Zip(HWND, LPCSTR cmd, LPSTR out, DWORD size) {
    if (running.exchange(true)) return kStandinErrorBusy;
    int r = ZipCreateCommand(cmd, out, size);
    running = false;
    return r;
}
