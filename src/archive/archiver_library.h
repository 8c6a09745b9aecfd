// The archiver libraries: loaded by name on first use, one module slot per
// library, each export found by the library's prefix and the function's
// name ("Unlha" + "OpenArchive"). A missing library or export is no error:
// the caller gets the function's fixed default.
#pragma once
#include <cstdint>
#include <string>

#include "archive/archive_types.h"

namespace ArchiveApi {

// The functions the program calls, named by what follows the prefix.
enum TArchiverFunction : std::uint8_t {
    afCommand, // the prefix alone: "Unlha", "Tar", ...
    afGetRunning,
    afGetCursorMode,
    afSetCursorMode,
    afCheckArchive,
    afGetFileCount,
    afSetOwnerWindowEx,
    afKillOwnerWindowEx,
    afOpenArchive,
    afCloseArchive,
    afFindFirst,
    afFindNext,
    afGetAttribute,
    afGetArchiveType,
    afGetOriginalSizeEx,
    afGetCompressedSizeEx,
};
constexpr int kArchiverFunctionCount = 16;

// Folder the libraries are loaded from (with or without trailing '\');
// empty, the default, loads them by bare name through the search path.
void SetLibraryFolder(const std::string& folder);
// The module of a library, null while it is not loaded.
const void* LibraryModule(TArchiverLibrary lib);

// The export behind `fn`, loading the library on first use (a failed load
// is tried again on the next call). Null when the library or the export is
// missing, or when the program never calls `fn` of that library.
void* ExportOf(TArchiverLibrary lib, TArchiverFunction fn);

// Runs the library's command function. For the libraries known to fault
// inside it, a fault reads as a failed command (kArcCommandDefault) and
// the library is released, so the next call starts from a fresh load.
int RunCommand(TArchiverLibrary lib, TWindowHandle wnd, const char* cmd, char* out,
               std::uint32_t size);

// What CloseArchive answers when the library or its export is missing.
int MissingCloseResult(TArchiverLibrary lib);

// Unloads a library; nothing for an empty slot.
void ReleaseLibrary(TArchiverLibrary lib);
// All of them, in slot order. Also runs when the process ends.
void ReleaseAllLibraries();

} // namespace ArchiveApi
