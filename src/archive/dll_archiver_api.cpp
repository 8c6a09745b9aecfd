#include "archive/dll_archiver_api.h"

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

HWND Wnd(TWindowHandle w) {
    return reinterpret_cast<HWND>(w);
}
HARC Harc(TArchiveHandle h) {
    return reinterpret_cast<HARC>(h);
}

} // namespace

int TDllArchiverApi::GetRunning(TArchiverLibrary lib) {
    switch (lib) {
    case alUnlha:
        return UnlhaGetRunning();
    case alCab:
        return CabGetRunning();
    case alTar:
        return TarGetRunning();
    case alUnarj:
        return UnarjGetRunning();
    case alUnrar:
        return UnrarGetRunning();
    case alUnzip:
        return UnZipGetRunning();
    case alSevenZip:
        return SevenZipGetRunning();
    case alZip:
        return ZipGetRunning();
    }
    return 0;
}

int TDllArchiverApi::GetCursorMode(TArchiverLibrary lib) {
    if (lib == alUnlha) return UnlhaGetCursorMode();
    if (lib == alUnarj) return UnarjGetCursorMode();
    return 0;
}

int TDllArchiverApi::SetCursorMode(TArchiverLibrary lib, int mode) {
    if (lib == alUnlha) return UnlhaSetCursorMode(mode);
    if (lib == alUnarj) return UnarjSetCursorMode(mode);
    return 0;
}

int TDllArchiverApi::Command(TArchiverLibrary lib, TWindowHandle wnd, const char* cmd, char* out,
                             std::uint32_t size) {
    switch (lib) {
    case alUnlha:
        return Unlha(Wnd(wnd), cmd, out, size);
    case alCab:
        return Cab(Wnd(wnd), cmd, out, size);
    case alTar:
        return Tar(Wnd(wnd), cmd, out, size);
    case alUnarj:
        return Unarj(Wnd(wnd), cmd, out, size);
    case alUnrar:
        return Unrar(Wnd(wnd), cmd, out, size);
    case alUnzip:
        return UnZip(Wnd(wnd), cmd, out, size);
    case alSevenZip:
        return SevenZip(Wnd(wnd), cmd, out, size);
    case alZip:
        return Zip(Wnd(wnd), cmd, out, size);
    }
    return kArcCommandDefault;
}

int TDllArchiverApi::CheckArchive(TArchiverLibrary lib, const char* path, int mode) {
    switch (lib) {
    case alUnlha:
        return UnlhaCheckArchive(path, mode);
    case alCab:
        return CabCheckArchive(path, mode);
    case alTar:
        return TarCheckArchive(path, mode);
    case alUnarj:
        return UnarjCheckArchive(path, mode);
    case alUnrar:
        return UnrarCheckArchive(path, mode);
    case alUnzip:
        return UnZipCheckArchive(path, mode);
    case alSevenZip:
        return SevenZipCheckArchive(path, mode);
    default:
        return 0;
    }
}

int TDllArchiverApi::GetFileCount(TArchiverLibrary lib, const char* path) {
    switch (lib) {
    case alUnlha:
        return UnlhaGetFileCount(path);
    case alCab:
        return CabGetFileCount(path);
    case alTar:
        return TarGetFileCount(path);
    case alUnarj:
        return UnarjGetFileCount(path);
    case alUnrar:
        return UnrarGetFileCount(path);
    case alUnzip:
        return UnZipGetFileCount(path);
    case alSevenZip:
        return SevenZipGetFileCount(path);
    default:
        return -1;
    }
}

int TDllArchiverApi::SetOwnerWindowEx(TArchiverLibrary lib, TWindowHandle wnd,
                                      TArchiverProgressSink* sink) {
    g_progress_sink = sink;
    switch (lib) {
    case alUnlha:
        return UnlhaSetOwnerWindowEx(Wnd(wnd), ProgressProc);
    case alCab:
        return CabSetOwnerWindowEx(Wnd(wnd), ProgressProc);
    case alTar:
        return TarSetOwnerWindowEx(Wnd(wnd), ProgressProc);
    case alUnarj:
        return UnarjSetOwnerWindowEx(Wnd(wnd), ProgressProc);
    case alUnrar:
        return UnrarSetOwnerWindowEx(Wnd(wnd), ProgressProc);
    case alUnzip:
        return UnZipSetOwnerWindowEx(Wnd(wnd), ProgressProc);
    case alSevenZip:
        return SevenZipSetOwnerWindowEx(Wnd(wnd), ProgressProc);
    default:
        return 0;
    }
}

int TDllArchiverApi::KillOwnerWindowEx(TArchiverLibrary lib, TWindowHandle wnd) {
    g_progress_sink = nullptr;
    switch (lib) {
    case alUnlha:
        return UnlhaKillOwnerWindowEx(Wnd(wnd));
    case alCab:
        return CabKillOwnerWindowEx(Wnd(wnd));
    case alTar:
        return TarKillOwnerWindowEx(Wnd(wnd));
    case alUnarj:
        return UnarjKillOwnerWindowEx(Wnd(wnd));
    case alUnrar:
        return UnrarKillOwnerWindowEx(Wnd(wnd));
    case alUnzip:
        return UnZipKillOwnerWindowEx(Wnd(wnd));
    case alSevenZip:
        return SevenZipKillOwnerWindowEx(Wnd(wnd));
    default:
        return 0;
    }
}

TArchiveHandle TDllArchiverApi::OpenArchive(TArchiverLibrary lib, TWindowHandle wnd,
                                            const char* path, std::uint32_t mode) {
    HARC h = nullptr;
    switch (lib) {
    case alUnlha:
        h = UnlhaOpenArchive(Wnd(wnd), path, mode);
        break;
    case alCab:
        h = CabOpenArchive(Wnd(wnd), path, mode);
        break;
    case alTar:
        h = TarOpenArchive(Wnd(wnd), path, mode);
        break;
    case alUnarj:
        h = UnarjOpenArchive(Wnd(wnd), path, mode);
        break;
    case alUnrar:
        h = UnrarOpenArchive(Wnd(wnd), path, mode);
        break;
    case alUnzip:
        h = UnZipOpenArchive(Wnd(wnd), path, mode);
        break;
    case alSevenZip:
        h = SevenZipOpenArchive(Wnd(wnd), path, mode);
        break;
    default:
        break;
    }
    return reinterpret_cast<TArchiveHandle>(h);
}

int TDllArchiverApi::FindFirst(TArchiverLibrary lib, TArchiveHandle h, const char* wildcard,
                               IndividualInfo* info) {
    switch (lib) {
    case alUnlha:
        return UnlhaFindFirst(Harc(h), wildcard, info);
    case alCab:
        return CabFindFirst(Harc(h), wildcard, info);
    case alTar:
        return TarFindFirst(Harc(h), wildcard, info);
    case alUnarj:
        return UnarjFindFirst(Harc(h), wildcard, info);
    case alUnrar:
        return UnrarFindFirst(Harc(h), wildcard, info);
    case alUnzip:
        return UnZipFindFirst(Harc(h), wildcard, info);
    case alSevenZip:
        return SevenZipFindFirst(Harc(h), wildcard, info);
    default:
        return -1;
    }
}

int TDllArchiverApi::FindNext(TArchiverLibrary lib, TArchiveHandle h, IndividualInfo* info) {
    switch (lib) {
    case alUnlha:
        return UnlhaFindNext(Harc(h), info);
    case alCab:
        return CabFindNext(Harc(h), info);
    case alTar:
        return TarFindNext(Harc(h), info);
    case alUnarj:
        return UnarjFindNext(Harc(h), info);
    case alUnrar:
        return UnrarFindNext(Harc(h), info);
    case alUnzip:
        return UnZipFindNext(Harc(h), info);
    case alSevenZip:
        return SevenZipFindNext(Harc(h), info);
    default:
        return -1;
    }
}

int TDllArchiverApi::CloseArchive(TArchiverLibrary lib, TArchiveHandle h) {
    switch (lib) {
    case alUnlha:
        return UnlhaCloseArchive(Harc(h));
    case alCab:
        return CabCloseArchive(Harc(h));
    case alTar:
        return TarCloseArchive(Harc(h));
    case alUnarj:
        return UnarjCloseArchive(Harc(h));
    case alUnrar:
        return UnrarCloseArchive(Harc(h));
    case alUnzip:
        return UnZipCloseArchive(Harc(h));
    case alSevenZip:
        return SevenZipCloseArchive(Harc(h));
    default:
        return kArcCommandDefault;
    }
}

int TDllArchiverApi::GetAttribute(TArchiverLibrary lib, TArchiveHandle h) {
    switch (lib) {
    case alUnlha:
        return UnlhaGetAttribute(Harc(h));
    case alCab:
        return CabGetAttribute(Harc(h));
    case alUnzip:
        return UnZipGetAttribute(Harc(h));
    case alSevenZip:
        return SevenZipGetAttribute(Harc(h));
    default:
        return -1;
    }
}

int TDllArchiverApi::TarGetArchiveType(const char* path) {
    return ArchiveApi::TarGetArchiveType(path);
}
