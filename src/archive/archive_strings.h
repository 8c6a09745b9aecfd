// The member names one operation acts on, and the command line made of them.
#pragma once
#include <string>
#include <vector>

#include "archive/archive_types.h"

class TArchiveOptions;

// Above this many names the list goes through a response file instead of the
// command line.
constexpr std::size_t kMaxCommandLineMembers = 240;

class TArchiveStrings {
public:
    // Throws std::logic_error without options.
    TArchiveStrings(const TArchiveOptions* options, std::string response_file);

    const TArchiveOptions& Options() const { return *options_; }
    const std::string& ResponseFile() const { return response_file_; }
    bool Busy() const { return busy_; }

    // Stored with a trailing backslash.
    void SetDestFolder(const std::string& folder);
    const std::string& DestFolder() const { return dest_folder_; }

    void Add(const std::string& name) { names_.push_back(name); }
    const std::vector<std::string>& Names() const { return names_; }

    // Whole command line: switches, quoted archive, quoted destination and
    // the member list, each piece followed by one blank. With more than
    // kMaxCommandLineMembers names the list is `response_path` prefixed with
    // "!" (ARJ) or "@" (others), quoted, and `response_text` receives the
    // file's contents (one name a line); otherwise `response_text` is cleared.
    // Returns false when the options build no command for `op`.
    bool CommandLine(TArchiveOperationKind op, const std::string& archive_path,
                     const std::string& response_path, std::string& command,
                     std::string& response_text);

private:
    const TArchiveOptions* options_;
    std::string response_file_;
    std::string dest_folder_;
    std::vector<std::string> names_;
    bool busy_ = false;
};
