// The shared body of the stand-in archiver libraries: one instance per
// library, reading its format(s) through libarchive (ARJ with our own
// reader) and answering the exported functions.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "archive/archiver_api.h"
#include "archive/individual_info.h"
#include "command_line.h"

enum class StandinFormat { Lha, Cab, Tar, Rar, Zip, Arj, SevenZip };

// One member on its way out of an archive.
struct StandinEntry {
    std::string path;      // as the archive names it
    bool folder = false;   // a folder entry: made, nothing written
    bool writable = true;  // false for links and devices, which are skipped
    std::uint64_t size = 0;
    std::uint64_t file_time = 0; // UTC FILETIME
};

class MemberSelector;

// Results of the command function besides 0 (success).
enum : int {
    kStandinErrorCommand = 0x8001,     // not a command this library knows
    kStandinErrorArchive = 0x8002,     // archive missing, unreadable or corrupt
    kStandinErrorNoMatch = 0x8003,     // a requested member is not in the archive
    kStandinErrorUnsafeName = 0x8004,  // a member would leave the destination
    kStandinErrorWrite = 0x8005,       // a file could not be written
    kStandinErrorCancelled = 0x8006,   // the progress owner cancelled
    kStandinErrorBusy = 0x8007,        // another command is running
    kStandinErrorDestination = 0x8008, // destination folder missing
    kStandinErrorEncrypted = kArcErrorEncrypted, // encrypted; no password is asked for
    kStandinErrorTooLarge = 0x800A,    // a member is larger than this build handles
};

// The record's flag bit of an encrypted member (ZIP's and ARJ's own bit).
constexpr std::uint32_t kStandinFlagEncrypted = 0x0001;

typedef BOOL(CALLBACK* ArchiverProc)(HWND wnd, UINT msg, UINT state, LPVOID info);

class ArchiverCore {
public:
    explicit ArchiverCore(StandinFormat format) : format_(format) {}

    BOOL GetRunning() const { return running_.load() ? TRUE : FALSE; }
    BOOL GetCursorMode() const { return cursor_mode_; }
    BOOL SetCursorMode(BOOL mode) {
        cursor_mode_ = mode;
        return TRUE;
    }
    int Command(HWND wnd, LPCSTR command_line, LPSTR output, DWORD size);
    BOOL CheckArchive(LPCSTR path, int mode);
    int GetFileCount(LPCSTR path);
    BOOL SetOwnerWindowEx(HWND wnd, ArchiverProc proc);
    BOOL KillOwnerWindowEx(HWND wnd);
    HANDLE OpenArchive(HWND wnd, LPCSTR path, DWORD mode);
    int CloseArchive(HANDLE h);
    int FindFirst(HANDLE h, LPCSTR wildcard, IndividualInfo* info);
    int FindNext(HANDLE h, IndividualInfo* info);
    int GetAttribute(HANDLE h);
    // Sizes of the member found last, whole (the record's are 32-bit).
    BOOL GetOriginalSizeEx(HANDLE h, std::int64_t* size);
    BOOL GetCompressedSizeEx(HANDLE h, std::int64_t* size);
    // TAR sub-type: 1 tar, 2 tar.gz, 3 tar.Z, 4 tar.bz2, 5 gz, 6 Z, 7 bz2,
    // 8 tar.xz, 9 xz, 10 tar.lzma, 11 lzma; 0 unknown.
    int ArchiveSubType(LPCSTR path);

private:
    int Extract(const ExtractRequest& request, std::string& log);
    int ExtractLibarchive(const ExtractRequest& request, const std::string& dest,
                          MemberSelector& selector, std::string& log);
    int ExtractArj(const ExtractRequest& request, const std::string& dest,
                   MemberSelector& selector, std::string& log);
    // Writes one member below `dest` (folders made, names checked); `read`
    // gives its data in pieces: a count, 0 at the end, below 0 on damage.
    int WriteEntry(const ExtractRequest& request, const std::string& dest,
                   const StandinEntry& entry, std::string& log,
                   const std::function<long(char*, std::size_t)>& read);

    StandinFormat format_;
    std::atomic<bool> running_{false};
    BOOL cursor_mode_ = TRUE;
    HWND owner_ = nullptr;
    ArchiverProc owner_proc_ = nullptr;
};

// The writer behind Zip32j.dll: `"archive.zip" "base\" names...` (or
// "@response") makes a new ZIP of the named files below the base folder.
int ZipCreateCommand(LPCSTR command_line, LPSTR output, DWORD size);
