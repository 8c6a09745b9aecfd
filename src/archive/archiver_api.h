// The archiver library functions as the archive control calls them. The
// Win32 build passes the real binding (one wrapper per exported function,
// defaults for missing libraries); tests pass fakes.
#pragma once
#include <cstdint>
#include <string>

#include "archive/archive_types.h"

struct IndividualInfo;

// Receives the progress messages of an extraction. Return false to cancel.
class TArchiverProgressSink {
public:
    virtual ~TArchiverProgressSink() = default;
    // state: 0 a file begins, 1 part of it was written, 2 the file is done.
    virtual bool ArchiverProgress(int state, const std::string& file_name, std::uint32_t written,
                                  std::uint32_t file_size) = 0;
};

class TArchiverApi {
public:
    virtual ~TArchiverApi() = default;
    virtual int GetRunning(TArchiverLibrary lib) = 0;
    virtual int GetCursorMode(TArchiverLibrary lib) = 0;
    virtual int SetCursorMode(TArchiverLibrary lib, int mode) = 0;
    // The command function; 0 for success.
    virtual int Command(TArchiverLibrary lib, TWindowHandle wnd, const char* command_line,
                        char* output, std::uint32_t output_size) = 0;
    virtual int CheckArchive(TArchiverLibrary lib, const char* path, int mode) = 0;
    virtual int GetFileCount(TArchiverLibrary lib, const char* path) = 0;
    virtual int SetOwnerWindowEx(TArchiverLibrary lib, TWindowHandle wnd,
                                 TArchiverProgressSink* sink) = 0;
    virtual int KillOwnerWindowEx(TArchiverLibrary lib, TWindowHandle wnd) = 0;
    virtual TArchiveHandle OpenArchive(TArchiverLibrary lib, TWindowHandle wnd, const char* path,
                                       std::uint32_t mode) = 0;
    virtual int FindFirst(TArchiverLibrary lib, TArchiveHandle h, const char* wildcard,
                          IndividualInfo* info) = 0;
    virtual int FindNext(TArchiverLibrary lib, TArchiveHandle h, IndividualInfo* info) = 0;
    virtual int CloseArchive(TArchiverLibrary lib, TArchiveHandle h) = 0;
    virtual int GetAttribute(TArchiverLibrary lib, TArchiveHandle h) = 0;
    virtual int TarGetArchiveType(const char* path) = 0;
    // Whole sizes of the member found last; false where the library has no
    // such call (the record's 32-bit sizes are all there is then).
    virtual bool GetOriginalSizeEx(TArchiverLibrary, TArchiveHandle, std::int64_t*) { return false; }
    virtual bool GetCompressedSizeEx(TArchiverLibrary, TArchiveHandle, std::int64_t*) {
        return false;
    }
};

// Default results when a library or one of its functions is missing.
constexpr int kArcCommandDefault = 32768;
// What a library answers (FindFirst, the command) for an archive or member
// it cannot read without the password.
constexpr int kArcErrorEncrypted = 0x8009;
