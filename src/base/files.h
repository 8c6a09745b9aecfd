// Small questions about the file system that every layer asks.
#pragma once
#include <stdexcept>
#include <string>

// A file that cannot be opened for reading.
class EFOpenError : public std::runtime_error {
public:
    explicit EFOpenError(const std::string& path)
        : std::runtime_error("Cannot open file \"" + path + "\"") {}
};

// True when `path` names an existing file (a folder is not a file).
bool FileExists(const std::string& path);

// True when `path` names an existing folder, written with or without a
// trailing backslash; a drive root ("C:\" or "C:") is a folder. A backslash
// that is the second byte of a double-byte character is part of the name.
bool DirectoryExists(const std::string& path);
