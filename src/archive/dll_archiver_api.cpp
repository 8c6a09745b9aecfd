#include "archive/dll_archiver_api.h"

#include "ui/win32.h"

#include <cstring>

#include "archive/archiver_library.h"
#include "archive/archiver_progress.h"

using namespace ArchiveApi;

namespace {

// All library calls happen on the user-interface thread, one operation at a
// time, so one registered sink is enough.
TArchiverProgressSink* g_progress_sink = nullptr;

BOOL CALLBACK ProgressProc(HWND, UINT, UINT state, LPVOID info) {
    if (g_progress_sink == nullptr || info == nullptr) return TRUE;
    const auto* p = static_cast<const ArchiverProgressInfo*>(info);
    std::string name(p->source_name, strnlen(p->source_name, sizeof p->source_name));
    return g_progress_sink->ArchiverProgress(static_cast<int>(state), name, p->written,
                                             p->file_size)
               ? TRUE
               : FALSE;
}

// Calls export `fn` of `lib` as R(WINAPI*)(Args...), or answers `missing`
// without it.
template <class R, class... Args>
R Call(TArchiverLibrary lib, TArchiverFunction fn, R missing, Args... args) {
    using Fn = R(WINAPI*)(Args...);
    void* address = ExportOf(lib, fn);
    return address ? reinterpret_cast<Fn>(address)(args...) : missing;
}

// The 64-bit size calls: BOOL (HANDLE, __int64*), size untouched on failure.
bool WholeSize(TArchiverLibrary lib, TArchiverFunction fn, TArchiveHandle h, std::int64_t* size) {
    __int64 whole = 0;
    if (!Call<BOOL, HANDLE, __int64*>(lib, fn, FALSE, reinterpret_cast<HANDLE>(h), &whole))
        return false;
    *size = whole;
    return true;
}

HWND Wnd(TWindowHandle w) {
    return reinterpret_cast<HWND>(w);
}
HANDLE Harc(TArchiveHandle h) {
    return reinterpret_cast<HANDLE>(h);
}

} // namespace

int TDllArchiverApi::GetRunning(TArchiverLibrary lib) {
    return Call<BOOL>(lib, afGetRunning, FALSE);
}

int TDllArchiverApi::GetCursorMode(TArchiverLibrary lib) {
    return Call<BOOL>(lib, afGetCursorMode, FALSE);
}

int TDllArchiverApi::SetCursorMode(TArchiverLibrary lib, int mode) {
    return Call<BOOL, BOOL>(lib, afSetCursorMode, FALSE, mode);
}

int TDllArchiverApi::Command(TArchiverLibrary lib, TWindowHandle wnd, const char* cmd, char* out,
                             std::uint32_t size) {
    return RunCommand(lib, wnd, cmd, out, size);
}

int TDllArchiverApi::CheckArchive(TArchiverLibrary lib, const char* path, int mode) {
    return Call<BOOL, LPCSTR, int>(lib, afCheckArchive, FALSE, path, mode);
}

int TDllArchiverApi::GetFileCount(TArchiverLibrary lib, const char* path) {
    return Call<int, LPCSTR>(lib, afGetFileCount, -1, path);
}

int TDllArchiverApi::SetOwnerWindowEx(TArchiverLibrary lib, TWindowHandle wnd,
                                      TArchiverProgressSink* sink) {
    g_progress_sink = sink;
    using Proc = BOOL(CALLBACK*)(HWND, UINT, UINT, LPVOID);
    return Call<BOOL, HWND, Proc>(lib, afSetOwnerWindowEx, FALSE, Wnd(wnd), ProgressProc);
}

int TDllArchiverApi::KillOwnerWindowEx(TArchiverLibrary lib, TWindowHandle wnd) {
    g_progress_sink = nullptr;
    return Call<BOOL, HWND>(lib, afKillOwnerWindowEx, FALSE, Wnd(wnd));
}

TArchiveHandle TDllArchiverApi::OpenArchive(TArchiverLibrary lib, TWindowHandle wnd,
                                            const char* path, std::uint32_t mode) {
    HANDLE h = Call<HANDLE, HWND, LPCSTR, DWORD>(lib, afOpenArchive, static_cast<HANDLE>(nullptr),
                                                 Wnd(wnd), path, mode);
    return reinterpret_cast<TArchiveHandle>(h);
}

int TDllArchiverApi::FindFirst(TArchiverLibrary lib, TArchiveHandle h, const char* wildcard,
                               IndividualInfo* info) {
    return Call<int, HANDLE, LPCSTR, IndividualInfo*>(lib, afFindFirst, -1, Harc(h), wildcard,
                                                      info);
}

int TDllArchiverApi::FindNext(TArchiverLibrary lib, TArchiveHandle h, IndividualInfo* info) {
    return Call<int, HANDLE, IndividualInfo*>(lib, afFindNext, -1, Harc(h), info);
}

int TDllArchiverApi::CloseArchive(TArchiverLibrary lib, TArchiveHandle h) {
    return Call<int, HANDLE>(lib, afCloseArchive, MissingCloseResult(lib), Harc(h));
}

int TDllArchiverApi::GetAttribute(TArchiverLibrary lib, TArchiveHandle h) {
    return Call<int, HANDLE>(lib, afGetAttribute, -1, Harc(h));
}

int TDllArchiverApi::TarGetArchiveType(const char* path) {
    return Call<int, LPCSTR>(alTar, afGetArchiveType, 0, path);
}

bool TDllArchiverApi::GetOriginalSizeEx(TArchiverLibrary lib, TArchiveHandle h,
                                        std::int64_t* size) {
    return WholeSize(lib, afGetOriginalSizeEx, h, size);
}

bool TDllArchiverApi::GetCompressedSizeEx(TArchiverLibrary lib, TArchiveHandle h,
                                          std::int64_t* size) {
    return WholeSize(lib, afGetCompressedSizeEx, h, size);
}
