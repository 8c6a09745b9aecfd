#include "archive/archiver_library.h"

#include "ui/win32.h"

#include "archive/archive_format.h"
#include "archive/archiver_api.h"
#include "archive/guarded_call.h"
#include "base/strutil.h"

namespace ArchiveApi {
namespace {

constexpr const char* kFunctionNames[kArchiverFunctionCount] = {
    "",           "GetRunning",       "GetCursorMode",     "SetCursorMode",
    "CheckArchive", "GetFileCount",   "SetOwnerWindowEx",  "KillOwnerWindowEx",
    "OpenArchive", "CloseArchive",    "FindFirst",         "FindNext",
    "GetAttribute", "GetArchiveType", "GetOriginalSizeEx", "GetCompressedSizeEx"};

constexpr std::uint32_t Bit(TArchiverFunction f) {
    return 1u << f;
}

// What every reading library is asked.
constexpr std::uint32_t kReader =
    Bit(afCommand) | Bit(afGetRunning) | Bit(afCheckArchive) | Bit(afGetFileCount) |
    Bit(afSetOwnerWindowEx) | Bit(afKillOwnerWindowEx) | Bit(afOpenArchive) |
    Bit(afCloseArchive) | Bit(afFindFirst) | Bit(afFindNext) | Bit(afGetOriginalSizeEx) |
    Bit(afGetCompressedSizeEx);
constexpr std::uint32_t kCursor = Bit(afGetCursorMode) | Bit(afSetCursorMode);

struct LibraryBinding {
    std::uint32_t functions; // the functions the program calls of it
    bool guarded_command;    // its command is known to fault on bad input
    int missing_close;       // CloseArchive's answer without the library
};

// Indexed by TArchiverLibrary.
constexpr LibraryBinding kBindings[kArchiverLibraryCount] = {
    {kReader | kCursor | Bit(afGetAttribute), true, -1},          // Unlha32.dll
    {kReader | Bit(afGetAttribute), false, kArcCommandDefault},   // cab32.dll
    {kReader | Bit(afGetArchiveType), true, kArcCommandDefault},  // Tar32.dll
    {kReader | kCursor, true, kArcCommandDefault},                // Unarj32j.dll
    {kReader, false, kArcCommandDefault},                         // unrar32.dll
    {kReader | Bit(afGetAttribute), false, kArcCommandDefault},   // Unzip32.dll
    {Bit(afCommand) | Bit(afGetRunning), false, kArcCommandDefault}, // Zip32j.dll
    {kReader | Bit(afGetAttribute), false, kArcCommandDefault},   // 7-zip32.dll
};

struct Slot {
    HMODULE module = nullptr;
    // Addresses found so far; valid while the module stays loaded.
    void* exports[kArchiverFunctionCount] = {};
    bool looked_up[kArchiverFunctionCount] = {};
};

Slot g_slots[kArchiverLibraryCount];
std::string g_folder;

HMODULE Module(TArchiverLibrary lib) {
    Slot& slot = g_slots[lib];
    if (slot.module == nullptr) {
        const std::string name =
            g_folder.empty() ? std::string(ArchiverLibraryFileName(lib))
                             : IncludeTrailingBackslash(g_folder) + ArchiverLibraryFileName(lib);
        slot.module = LoadLibraryA(name.c_str());
    }
    return slot.module;
}

using FnCommand = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);

struct CommandCall {
    FnCommand fn;
    HWND wnd;
    LPCSTR cmd;
    LPSTR out;
    DWORD size;
    int result;
};

struct ReleaseAtExit {
    ~ReleaseAtExit() { ReleaseAllLibraries(); }
} g_release_at_exit;

} // namespace

void SetLibraryFolder(const std::string& folder) {
    g_folder = folder;
}

const void* LibraryModule(TArchiverLibrary lib) {
    return g_slots[lib].module;
}

void* ExportOf(TArchiverLibrary lib, TArchiverFunction fn) {
    if ((kBindings[lib].functions & Bit(fn)) == 0) return nullptr;
    HMODULE m = Module(lib);
    if (m == nullptr) return nullptr;
    Slot& slot = g_slots[lib];
    if (!slot.looked_up[fn]) {
        const std::string name = std::string(ArchiverLibraryPrefix(lib)) + kFunctionNames[fn];
        slot.exports[fn] = reinterpret_cast<void*>(GetProcAddress(m, name.c_str()));
        slot.looked_up[fn] = true;
    }
    return slot.exports[fn];
}

int RunCommand(TArchiverLibrary lib, TWindowHandle wnd, const char* cmd, char* out,
               std::uint32_t size) {
    auto fn = reinterpret_cast<FnCommand>(ExportOf(lib, afCommand));
    if (fn == nullptr) return kArcCommandDefault;
    CommandCall call{fn, reinterpret_cast<HWND>(wnd), cmd, out, size, kArcCommandDefault};
    auto run = [](void* p) {
        auto* c = static_cast<CommandCall*>(p);
        c->result = c->fn(c->wnd, c->cmd, c->out, c->size);
    };
    if (!kBindings[lib].guarded_command) {
        run(&call);
        return call.result;
    }
    if (!RunGuarded(run, &call)) {
        ReleaseLibrary(lib);
        return kArcCommandDefault;
    }
    return call.result;
}

int MissingCloseResult(TArchiverLibrary lib) {
    return kBindings[lib].missing_close;
}

void ReleaseLibrary(TArchiverLibrary lib) {
    Slot& slot = g_slots[lib];
    if (slot.module != nullptr) FreeLibrary(slot.module);
    slot = Slot();
}

void ReleaseAllLibraries() {
    for (int i = 0; i < kArchiverLibraryCount; ++i)
        ReleaseLibrary(static_cast<TArchiverLibrary>(i));
}

} // namespace ArchiveApi
