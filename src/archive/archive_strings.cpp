#include "archive/archive_strings.h"

#include <stdexcept>

#include "archive/archive_options.h"
#include "base/strutil.h"

namespace {

void AddPiece(std::string& s, const std::string& piece) {
    if (piece.empty()) return;
    s += piece;
    if (s.back() != ' ') s += ' ';
}

// A name with a blank would fall apart into two names on the command line.
std::string CommandLineName(const std::string& name) {
    if (name.find(' ') == std::string::npos) return name;
    return "\"" + name + "\"";
}

} // namespace

TArchiveStrings::TArchiveStrings(const TArchiveOptions* options, std::string response_file)
    : options_(options), response_file_(std::move(response_file)) {
    if (options == nullptr)
        throw std::logic_error("TArchiveStrings needs the options of its format");
}

void TArchiveStrings::SetDestFolder(const std::string& folder) {
    dest_folder_ = folder.empty() ? std::string() : IncludeTrailingBackslash(folder);
}

bool TArchiveStrings::CommandLine(TArchiveOperationKind op, const std::string& archive_path,
                                  const std::string& response_path, std::string& command,
                                  std::string& response_text) {
    busy_ = true;
    std::string switches;
    if (!options_->BuildCommand(op, switches)) {
        busy_ = false;
        return false;
    }
    command.clear();
    response_text.clear();
    AddPiece(command, switches);
    AddPiece(command, "\"" + archive_path + "\"");
    AddPiece(command, "\"" + dest_folder_ + "\"");
    if (names_.size() <= kMaxCommandLineMembers) {
        for (const std::string& name : names_)
            AddPiece(command, CommandLineName(name));
    } else {
        for (const std::string& name : names_)
            response_text += name + "\r\n";
        const char* mark = options_->Type() == atArj ? "!" : "@";
        AddPiece(command, "\"" + std::string(mark) + response_path + "\"");
    }
    busy_ = false;
    return true;
}
