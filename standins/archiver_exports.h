// Export bodies shared by the stand-in archiver libraries. Each library's
// source names its prefix and core; its .def file exports the names
// undecorated, as callers look them up with GetProcAddress.
#pragma once
#include <windows.h>

#include "archiver_core.h"

#define STANDIN_COMMON_EXPORTS(P, CORE)                                                            \
    extern "C" BOOL WINAPI P##GetRunning(void) {                                                   \
        return CORE.GetRunning();                                                                  \
    }                                                                                              \
    extern "C" int WINAPI P(HWND wnd, LPCSTR cmd, LPSTR out, DWORD size) {                         \
        return CORE.Command(wnd, cmd, out, size);                                                  \
    }                                                                                              \
    extern "C" BOOL WINAPI P##CheckArchive(LPCSTR path, int mode) {                                \
        return CORE.CheckArchive(path, mode);                                                      \
    }                                                                                              \
    extern "C" int WINAPI P##GetFileCount(LPCSTR path) {                                           \
        return CORE.GetFileCount(path);                                                            \
    }                                                                                              \
    extern "C" BOOL WINAPI P##SetOwnerWindowEx(HWND wnd, ArchiverProc proc) {                      \
        return CORE.SetOwnerWindowEx(wnd, proc);                                                   \
    }                                                                                              \
    extern "C" BOOL WINAPI P##KillOwnerWindowEx(HWND wnd) {                                        \
        return CORE.KillOwnerWindowEx(wnd);                                                        \
    }                                                                                              \
    extern "C" HANDLE WINAPI P##OpenArchive(HWND wnd, LPCSTR path, DWORD mode) {                   \
        return CORE.OpenArchive(wnd, path, mode);                                                  \
    }                                                                                              \
    extern "C" int WINAPI P##CloseArchive(HANDLE h) {                                              \
        return CORE.CloseArchive(h);                                                               \
    }                                                                                              \
    extern "C" int WINAPI P##FindFirst(HANDLE h, LPCSTR wildcard, IndividualInfo* info) {          \
        return CORE.FindFirst(h, wildcard, info);                                                  \
    }                                                                                              \
    extern "C" int WINAPI P##FindNext(HANDLE h, IndividualInfo* info) {                            \
        return CORE.FindNext(h, info);                                                             \
    }

#define STANDIN_ATTRIBUTE_EXPORT(P, CORE)                                                          \
    extern "C" int WINAPI P##GetAttribute(HANDLE h) {                                              \
        return CORE.GetAttribute(h);                                                               \
    }

// Whole sizes of the member found last, for members over 4 GiB.
#define STANDIN_SIZE_EX_EXPORTS(P, CORE)                                                           \
    extern "C" BOOL WINAPI P##GetOriginalSizeEx(HANDLE h, __int64* size) {                         \
        return CORE.GetOriginalSizeEx(h, size);                                                    \
    }                                                                                              \
    extern "C" BOOL WINAPI P##GetCompressedSizeEx(HANDLE h, __int64* size) {                       \
        return CORE.GetCompressedSizeEx(h, size);                                                  \
    }

#define STANDIN_CURSOR_EXPORTS(P, CORE)                                                            \
    extern "C" BOOL WINAPI P##GetCursorMode(void) {                                                \
        return CORE.GetCursorMode();                                                               \
    }                                                                                              \
    extern "C" BOOL WINAPI P##SetCursorMode(BOOL mode) {                                           \
        return CORE.SetCursorMode(mode);                                                           \
    }
