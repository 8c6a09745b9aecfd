// The archive control's view of the archiver libraries, answered by their
// exports (found through ArchiveApi by prefix and name), or by each
// function's default where a library or export is missing.
#pragma once
#include "archive/archiver_api.h"

class TDllArchiverApi : public TArchiverApi {
public:
    int GetRunning(TArchiverLibrary lib) override;
    int GetCursorMode(TArchiverLibrary lib) override;
    int SetCursorMode(TArchiverLibrary lib, int mode) override;
    int Command(TArchiverLibrary lib, TWindowHandle wnd, const char* command_line, char* output,
                std::uint32_t output_size) override;
    int CheckArchive(TArchiverLibrary lib, const char* path, int mode) override;
    int GetFileCount(TArchiverLibrary lib, const char* path) override;
    int SetOwnerWindowEx(TArchiverLibrary lib, TWindowHandle wnd,
                         TArchiverProgressSink* sink) override;
    int KillOwnerWindowEx(TArchiverLibrary lib, TWindowHandle wnd) override;
    TArchiveHandle OpenArchive(TArchiverLibrary lib, TWindowHandle wnd, const char* path,
                               std::uint32_t mode) override;
    int FindFirst(TArchiverLibrary lib, TArchiveHandle h, const char* wildcard,
                  IndividualInfo* info) override;
    int FindNext(TArchiverLibrary lib, TArchiveHandle h, IndividualInfo* info) override;
    int CloseArchive(TArchiverLibrary lib, TArchiveHandle h) override;
    int GetAttribute(TArchiverLibrary lib, TArchiveHandle h) override;
    int TarGetArchiveType(const char* path) override;
    bool GetOriginalSizeEx(TArchiverLibrary lib, TArchiveHandle h, std::int64_t* size) override;
    bool GetCompressedSizeEx(TArchiverLibrary lib, TArchiveHandle h, std::int64_t* size) override;
};
