// Small questions about the file system that every layer asks.
#pragma once
#include <string>

// True when `path` names an existing file (a folder is not a file).
bool FileExists(const std::string& path);
