// Parses the command lines the stand-in archivers accept.
#pragma once
#include <string>
#include <vector>

struct CommandToken {
    std::string text;
    bool quoted = false;
};

// Splits at blanks; double quotes group and are removed (a backslash is an
// ordinary character, so "C:\dir\" is one token).
std::vector<CommandToken> TokenizeCommandLine(const std::string& line);

// What an extraction command asks for.
struct ExtractRequest {
    bool is_extract = false;
    std::string archive;
    std::string dest_folder;        // with a trailing backslash, or empty
    std::vector<std::string> names; // empty: every member
    std::string response_file;      // from "@file" ("!file" for ARJ); read by the caller
    bool junk_paths = false;
    bool overwrite = true;
    std::vector<std::string> switches;
};

// SevenZip takes 7-Zip's: a verb ("x" keeps folders, "e" drops them) and
// "-aoa" (overwrite) or "-aos" (keep what is there, the default).
enum class CommandDialect { Lha, Cab, Tar, Rar, Zip, Arj, SevenZip };

// False when the line is not an extraction command of the dialect.
bool ParseExtractCommand(CommandDialect dialect, const std::string& line, ExtractRequest& out);

// Names from a response file's text, one a line.
std::vector<std::string> ResponseFileNames(const std::string& text);
