// A broken Unlha32.dll for the binding tests: its command function faults,
// it has no UnlhaGetAttribute, and its listing reports one member.
#include <windows.h>

#include <cstring>

#include "archive/individual_info.h"

extern "C" BOOL WINAPI UnlhaGetRunning(void) {
    return FALSE;
}

extern "C" int WINAPI Unlha(HWND, LPCSTR cmd, LPSTR, DWORD) {
    if (cmd && std::strcmp(cmd, "raise") == 0) RaiseException(0xE0000001, 0, 0, nullptr);
    volatile int* nowhere = nullptr;
    *nowhere = 1;
    return 0;
}

extern "C" BOOL WINAPI UnlhaCheckArchive(LPCSTR, int) {
    return TRUE;
}
extern "C" int WINAPI UnlhaGetFileCount(LPCSTR) {
    return 1;
}
extern "C" HANDLE WINAPI UnlhaOpenArchive(HWND, LPCSTR, DWORD) {
    return reinterpret_cast<HANDLE>(1);
}
static int position = 0;
extern "C" int WINAPI UnlhaFindFirst(HANDLE, LPCSTR, IndividualInfo* info) {
    position = 0;
    *info = IndividualInfo();
    info->SetMemberPath("only.txt");
    info->SetUnpackedSize(3);
    return 0;
}
extern "C" int WINAPI UnlhaFindNext(HANDLE, IndividualInfo*) {
    return ++position > 0 ? 1 : 0;
}
extern "C" int WINAPI UnlhaCloseArchive(HANDLE) {
    return 0;
}
