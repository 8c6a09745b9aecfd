#include "archive/archiver_library.h"

#include "archive/archive_format.h"
#include "archive/archiver_api.h"
#include "archive/guarded_call.h"
#include "base/strutil.h"

namespace ArchiveApi {
namespace {

HMODULE g_slots[kArchiverLibraryCount] = {};
std::string g_folder;

// Loads on demand; a failed load is tried again on the next call.
HMODULE Module(TArchiverLibrary lib) {
    if (g_slots[lib] == nullptr) {
        const std::string name =
            g_folder.empty() ? std::string(ArchiverLibraryFileName(lib))
                             : IncludeTrailingBackslash(g_folder) + ArchiverLibraryFileName(lib);
        g_slots[lib] = LoadLibraryA(name.c_str());
    }
    return g_slots[lib];
}

// Looked up on every call: addresses are never kept.
template <class Fn> Fn Export(TArchiverLibrary lib, const char* name) {
    HMODULE m = Module(lib);
    if (m == nullptr) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(m, name)));
}

template <class Fn, class R, class... Args>
R Call(TArchiverLibrary lib, const char* name, R fallback, Args... args) {
    Fn fn = Export<Fn>(lib, name);
    return fn ? fn(args...) : fallback;
}

void Release(TArchiverLibrary lib) {
    if (g_slots[lib] != nullptr) {
        FreeLibrary(g_slots[lib]);
        g_slots[lib] = nullptr;
    }
}

using FnBool = BOOL(WINAPI*)();
using FnSetMode = BOOL(WINAPI*)(BOOL);
using FnCommand = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);
using FnCheck = BOOL(WINAPI*)(LPCSTR, int);
using FnPathInt = int(WINAPI*)(LPCSTR);
using FnSetOwner = BOOL(WINAPI*)(HWND, LPARCHIVERPROC);
using FnKillOwner = BOOL(WINAPI*)(HWND);
using FnOpen = HARC(WINAPI*)(HWND, LPCSTR, DWORD);
using FnHarcInt = int(WINAPI*)(HARC);
using FnFindFirst = int(WINAPI*)(HARC, LPCSTR, IndividualInfo*);
using FnFindNext = int(WINAPI*)(HARC, IndividualInfo*);

struct CommandCall {
    FnCommand fn;
    HWND wnd;
    LPCSTR cmd;
    LPSTR out;
    DWORD size;
    int result;
};

// A fault inside the command of these libraries reads as a failed command,
// and the library is released so the next call starts from a fresh load.
int GuardedCommand(TArchiverLibrary lib, const char* name, HWND wnd, LPCSTR cmd, LPSTR out,
                   DWORD size) {
    FnCommand fn = Export<FnCommand>(lib, name);
    if (fn == nullptr) return kArcCommandDefault;
    CommandCall call{fn, wnd, cmd, out, size, kArcCommandDefault};
    const bool ok = RunGuarded(
        [](void* p) {
            auto* c = static_cast<CommandCall*>(p);
            c->result = c->fn(c->wnd, c->cmd, c->out, c->size);
        },
        &call);
    if (!ok) {
        Release(lib);
        return kArcCommandDefault;
    }
    return call.result;
}

struct ReleaseAtExit {
    ~ReleaseAtExit() { ReleaseAllLibraries(); }
} g_release_at_exit;

} // namespace

void SetLibraryFolder(const std::string& folder) {
    g_folder = folder;
}
HMODULE LibraryModule(TArchiverLibrary lib) {
    return g_slots[lib];
}

void ReleaseUnlha32() {
    Release(alUnlha);
}
void ReleaseCab32() {
    Release(alCab);
}
void ReleaseTar32() {
    Release(alTar);
}
void ReleaseUnarj32j() {
    Release(alUnarj);
}
void ReleaseUnrar32() {
    Release(alUnrar);
}
void ReleaseUnzip32() {
    Release(alUnzip);
}
void ReleaseZip32j() {
    Release(alZip);
}
void ReleaseSevenZip32() {
    Release(alSevenZip);
}

void ReleaseAllLibraries() {
    ReleaseUnlha32();
    ReleaseCab32();
    ReleaseTar32();
    ReleaseUnarj32j();
    ReleaseUnrar32();
    ReleaseUnzip32();
    ReleaseZip32j();
    ReleaseSevenZip32();
}

// The wrappers every reading library has.
#define READER_WRAPPERS(P, LIB, CLOSE_DEFAULT)                                                     \
    BOOL P##GetRunning() {                                                                         \
        return Call<FnBool>(LIB, #P "GetRunning", FALSE);                                          \
    }                                                                                              \
    BOOL P##CheckArchive(LPCSTR path, int mode) {                                                  \
        return Call<FnCheck>(LIB, #P "CheckArchive", FALSE, path, mode);                           \
    }                                                                                              \
    int P##GetFileCount(LPCSTR path) {                                                             \
        return Call<FnPathInt>(LIB, #P "GetFileCount", -1, path);                                  \
    }                                                                                              \
    BOOL P##SetOwnerWindowEx(HWND wnd, LPARCHIVERPROC proc) {                                      \
        return Call<FnSetOwner>(LIB, #P "SetOwnerWindowEx", FALSE, wnd, proc);                     \
    }                                                                                              \
    BOOL P##KillOwnerWindowEx(HWND wnd) {                                                          \
        return Call<FnKillOwner>(LIB, #P "KillOwnerWindowEx", FALSE, wnd);                         \
    }                                                                                              \
    HARC P##OpenArchive(HWND wnd, LPCSTR path, DWORD mode) {                                       \
        return Call<FnOpen>(LIB, #P "OpenArchive", static_cast<HARC>(nullptr), wnd, path, mode);   \
    }                                                                                              \
    int P##FindFirst(HARC h, LPCSTR wildcard, IndividualInfo* info) {                              \
        return Call<FnFindFirst>(LIB, #P "FindFirst", -1, h, wildcard, info);                      \
    }                                                                                              \
    int P##FindNext(HARC h, IndividualInfo* info) {                                                \
        return Call<FnFindNext>(LIB, #P "FindNext", -1, h, info);                                  \
    }                                                                                              \
    int P##CloseArchive(HARC h) {                                                                  \
        return Call<FnHarcInt>(LIB, #P "CloseArchive", CLOSE_DEFAULT, h);                          \
    }

#define CURSOR_WRAPPERS(P, LIB)                                                                    \
    BOOL P##GetCursorMode() {                                                                      \
        return Call<FnBool>(LIB, #P "GetCursorMode", FALSE);                                       \
    }                                                                                              \
    BOOL P##SetCursorMode(BOOL mode) {                                                             \
        return Call<FnSetMode>(LIB, #P "SetCursorMode", FALSE, mode);                              \
    }

#define ATTRIBUTE_WRAPPER(P, LIB)                                                                  \
    int P##GetAttribute(HARC h) {                                                                  \
        return Call<FnHarcInt>(LIB, #P "GetAttribute", -1, h);                                     \
    }

#define PLAIN_COMMAND(P, LIB)                                                                      \
    int P(HWND wnd, LPCSTR cmd, LPSTR out, DWORD size) {                                           \
        return Call<FnCommand>(LIB, #P, kArcCommandDefault, wnd, cmd, out, size);                  \
    }

#define GUARDED_COMMAND(P, LIB)                                                                    \
    int P(HWND wnd, LPCSTR cmd, LPSTR out, DWORD size) {                                           \
        return GuardedCommand(LIB, #P, wnd, cmd, out, size);                                       \
    }

READER_WRAPPERS(Unlha, alUnlha, -1)
CURSOR_WRAPPERS(Unlha, alUnlha)
ATTRIBUTE_WRAPPER(Unlha, alUnlha)
GUARDED_COMMAND(Unlha, alUnlha)

READER_WRAPPERS(Cab, alCab, kArcCommandDefault)
ATTRIBUTE_WRAPPER(Cab, alCab)
PLAIN_COMMAND(Cab, alCab)

READER_WRAPPERS(Tar, alTar, kArcCommandDefault)
GUARDED_COMMAND(Tar, alTar)
int TarGetArchiveType(LPCSTR path) {
    return Call<FnPathInt>(alTar, "TarGetArchiveType", 0, path);
}

READER_WRAPPERS(Unarj, alUnarj, kArcCommandDefault)
CURSOR_WRAPPERS(Unarj, alUnarj)
GUARDED_COMMAND(Unarj, alUnarj)

READER_WRAPPERS(Unrar, alUnrar, kArcCommandDefault)
PLAIN_COMMAND(Unrar, alUnrar)

READER_WRAPPERS(UnZip, alUnzip, kArcCommandDefault)
ATTRIBUTE_WRAPPER(UnZip, alUnzip)
PLAIN_COMMAND(UnZip, alUnzip)

BOOL ZipGetRunning() {
    return Call<FnBool>(alZip, "ZipGetRunning", FALSE);
}
PLAIN_COMMAND(Zip, alZip)

READER_WRAPPERS(SevenZip, alSevenZip, kArcCommandDefault)
ATTRIBUTE_WRAPPER(SevenZip, alSevenZip)
PLAIN_COMMAND(SevenZip, alSevenZip)

} // namespace ArchiveApi
