// Where the program keeps its files: everything lives beside the program.
#pragma once
#include <string>
#include <string_view>

// Folder part of the program's own path, cut after the last '\' or ':',
// trailing delimiter kept.
std::string ProgramFolder(std::string_view programPath);
// Program folder + "$VSWORK$", no trailing backslash.
std::string WorkFolderFor(std::string_view programPath);
// The program's path with its extension replaced by ".INI".
std::string EnvironmentFileFor(std::string_view programPath);
// The work folder is trusted for deleting files only when it is one of ours:
// longer than a bare root and marked by the '$' of its name.
bool IsUsableWorkFolder(std::string_view folder);
