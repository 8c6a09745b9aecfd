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
