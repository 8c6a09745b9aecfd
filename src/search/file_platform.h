// What the folder listing and the search need from the platform: directory
// search, attributes, deletion and one question to the user. The Win32
// build passes the real thing; the native tests pass a fake.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

// Attribute bits as the platform stores them.
enum : std::uint32_t {
    faReadOnly = 0x01,
    faHidden = 0x02,
    faSysFile = 0x04,
    faVolumeID = 0x08,
    faDirectory = 0x10,
    faArchive = 0x20,
};

// Local date and time of a file; valid is false when the file has none or
// it could not be converted.
struct TLocalTime {
    bool valid = false;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// One entry of a directory search.
struct TFoundEntry {
    std::string Name;
    std::uint32_t Attributes = 0;
    std::uint64_t Size = 0;
    TLocalTime WriteTime;
};

class TFilePlatform {
public:
    virtual ~TFilePlatform() = default;
    virtual bool DirectoryExists(const std::string& path) = 0;
    // Runs `each` for every entry matching the pattern (folder + wildcard),
    // with any attributes; stops early when `each` returns false.
    virtual void FindEntries(const std::string& pattern,
                             const std::function<bool(const TFoundEntry&)>& each) = 0;
    // False when the path does not exist.
    virtual bool GetAttributes(const std::string& path, std::uint32_t& attributes) = 0;
    virtual bool SetAttributes(const std::string& path, std::uint32_t attributes) = 0;
    virtual bool RemoveFile(const std::string& path) = 0;
    // The platform's wildcard test of one name ("*.*" takes every name).
    virtual bool MatchesMask(const std::string& name, const std::string& mask) = 0;
    // A warning box with Yes and No; true for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
};
