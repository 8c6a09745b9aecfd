// The archiver libraries: loaded by name on first use, one module slot per
// library, each export called through a wrapper of its own name. A missing
// library or export gives the wrapper's fixed default and never an error.
#pragma once
#include <windows.h>

#include <string>

#include "archive/archive_types.h"
#include "archive/individual_info.h"

typedef BOOL(CALLBACK* LPARCHIVERPROC)(HWND wnd, UINT msg, UINT state, LPVOID info);
typedef HANDLE HARC;

namespace ArchiveApi {

// Folder the libraries are loaded from (with or without trailing '\');
// empty, the default, loads them by bare name through the search path.
void SetLibraryFolder(const std::string& folder);
// The module slot of a library (null while not loaded).
HMODULE LibraryModule(TArchiverLibrary lib);

// One release function per library; each does nothing for an empty slot.
void ReleaseUnlha32();
void ReleaseCab32();
void ReleaseTar32();
void ReleaseUnarj32j();
void ReleaseUnrar32();
void ReleaseUnzip32();
void ReleaseZip32j();
void ReleaseSevenZip32();
// All of them, in load-table order. Also runs when the process ends.
void ReleaseAllLibraries();

// Unlha32.dll
BOOL UnlhaGetRunning();
BOOL UnlhaGetCursorMode();
BOOL UnlhaSetCursorMode(BOOL mode);
int Unlha(HWND wnd, LPCSTR cmd, LPSTR out, DWORD size); // guarded
BOOL UnlhaCheckArchive(LPCSTR path, int mode);
int UnlhaGetFileCount(LPCSTR path);
BOOL UnlhaSetOwnerWindowEx(HWND wnd, LPARCHIVERPROC proc);
BOOL UnlhaKillOwnerWindowEx(HWND wnd);
HARC UnlhaOpenArchive(HWND wnd, LPCSTR path, DWORD mode);
int UnlhaFindFirst(HARC h, LPCSTR wildcard, IndividualInfo* info);
int UnlhaFindNext(HARC h, IndividualInfo* info);
int UnlhaCloseArchive(HARC h);
int UnlhaGetAttribute(HARC h);

// cab32.dll
BOOL CabGetRunning();
int Cab(HWND wnd, LPCSTR cmd, LPSTR out, DWORD size);
BOOL CabCheckArchive(LPCSTR path, int mode);
int CabGetFileCount(LPCSTR path);
BOOL CabSetOwnerWindowEx(HWND wnd, LPARCHIVERPROC proc);
BOOL CabKillOwnerWindowEx(HWND wnd);
HARC CabOpenArchive(HWND wnd, LPCSTR path, DWORD mode);
int CabCloseArchive(HARC h);
int CabFindFirst(HARC h, LPCSTR wildcard, IndividualInfo* info);
int CabFindNext(HARC h, IndividualInfo* info);
int CabGetAttribute(HARC h);

// Tar32.dll
BOOL TarGetRunning();
int Tar(HWND wnd, LPCSTR cmd, LPSTR out, DWORD size); // guarded
BOOL TarCheckArchive(LPCSTR path, int mode);
int TarGetFileCount(LPCSTR path);
BOOL TarSetOwnerWindowEx(HWND wnd, LPARCHIVERPROC proc);
BOOL TarKillOwnerWindowEx(HWND wnd);
HARC TarOpenArchive(HWND wnd, LPCSTR path, DWORD mode);
int TarCloseArchive(HARC h);
int TarFindFirst(HARC h, LPCSTR wildcard, IndividualInfo* info);
int TarFindNext(HARC h, IndividualInfo* info);
int TarGetArchiveType(LPCSTR path);

// Unarj32j.dll
BOOL UnarjGetRunning();
BOOL UnarjGetCursorMode();
BOOL UnarjSetCursorMode(BOOL mode);
int Unarj(HWND wnd, LPCSTR cmd, LPSTR out, DWORD size); // guarded
BOOL UnarjCheckArchive(LPCSTR path, int mode);
int UnarjGetFileCount(LPCSTR path);
BOOL UnarjSetOwnerWindowEx(HWND wnd, LPARCHIVERPROC proc);
BOOL UnarjKillOwnerWindowEx(HWND wnd);
HARC UnarjOpenArchive(HWND wnd, LPCSTR path, DWORD mode);
int UnarjCloseArchive(HARC h);
int UnarjFindFirst(HARC h, LPCSTR wildcard, IndividualInfo* info);
int UnarjFindNext(HARC h, IndividualInfo* info);

// unrar32.dll
BOOL UnrarGetRunning();
int Unrar(HWND wnd, LPCSTR cmd, LPSTR out, DWORD size);
BOOL UnrarCheckArchive(LPCSTR path, int mode);
int UnrarGetFileCount(LPCSTR path);
BOOL UnrarSetOwnerWindowEx(HWND wnd, LPARCHIVERPROC proc);
BOOL UnrarKillOwnerWindowEx(HWND wnd);
HARC UnrarOpenArchive(HWND wnd, LPCSTR path, DWORD mode);
int UnrarCloseArchive(HARC h);
int UnrarFindFirst(HARC h, LPCSTR wildcard, IndividualInfo* info);
int UnrarFindNext(HARC h, IndividualInfo* info);

// Unzip32.dll
BOOL UnZipGetRunning();
int UnZip(HWND wnd, LPCSTR cmd, LPSTR out, DWORD size);
BOOL UnZipCheckArchive(LPCSTR path, int mode);
int UnZipGetFileCount(LPCSTR path);
BOOL UnZipSetOwnerWindowEx(HWND wnd, LPARCHIVERPROC proc);
BOOL UnZipKillOwnerWindowEx(HWND wnd);
HARC UnZipOpenArchive(HWND wnd, LPCSTR path, DWORD mode);
int UnZipCloseArchive(HARC h);
int UnZipFindFirst(HARC h, LPCSTR wildcard, IndividualInfo* info);
int UnZipFindNext(HARC h, IndividualInfo* info);
int UnZipGetAttribute(HARC h);

// Zip32j.dll
BOOL ZipGetRunning();
int Zip(HWND wnd, LPCSTR cmd, LPSTR out, DWORD size);

// 7-zip32.dll
BOOL SevenZipGetRunning();
int SevenZip(HWND wnd, LPCSTR cmd, LPSTR out, DWORD size);
BOOL SevenZipCheckArchive(LPCSTR path, int mode);
int SevenZipGetFileCount(LPCSTR path);
BOOL SevenZipSetOwnerWindowEx(HWND wnd, LPARCHIVERPROC proc);
BOOL SevenZipKillOwnerWindowEx(HWND wnd);
HARC SevenZipOpenArchive(HWND wnd, LPCSTR path, DWORD mode);
int SevenZipCloseArchive(HARC h);
int SevenZipFindFirst(HARC h, LPCSTR wildcard, IndividualInfo* info);
int SevenZipFindNext(HARC h, IndividualInfo* info);
int SevenZipGetAttribute(HARC h);

} // namespace ArchiveApi
