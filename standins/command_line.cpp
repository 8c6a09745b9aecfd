#include "command_line.h"

std::vector<CommandToken> TokenizeCommandLine(const std::string& line) {
    std::vector<CommandToken> tokens;
    CommandToken cur;
    bool in_token = false, in_quotes = false;
    for (char c : line) {
        if (c == '"') {
            in_quotes = !in_quotes;
            cur.quoted = true;
            in_token = true;
        } else if ((c == ' ' || c == '\t') && !in_quotes) {
            if (in_token) tokens.push_back(cur);
            cur = CommandToken();
            in_token = false;
        } else {
            cur.text += c;
            in_token = true;
        }
    }
    if (in_token) tokens.push_back(cur);
    return tokens;
}

namespace {

bool IsSwitch(const CommandToken& t) {
    return !t.quoted && t.text.size() > 1 && t.text[0] == '-';
}

bool EndsWithSeparator(const std::string& s) {
    return !s.empty() && (s.back() == '\\' || s.back() == '/');
}

// Applies one switch; returns false for a switch that is not an extraction.
void ApplySwitch(CommandDialect d, const std::string& s, ExtractRequest& r) {
    switch (d) {
    case CommandDialect::Lha:
        if (s == "-x1")
            r.junk_paths = false;
        else if (s == "-x0")
            r.junk_paths = true;
        else if (s == "-c1" || s == "-jyo")
            r.overwrite = true;
        break;
    case CommandDialect::SevenZip:
        if (s == "-aoa")
            r.overwrite = true;
        else if (s == "-aos")
            r.overwrite = false;
        break;
    case CommandDialect::Cab:
    case CommandDialect::Zip:
        if (s == "-x")
            r.is_extract = true;
        else if (s == "-j")
            r.junk_paths = true;
        else if (s == "-o")
            r.overwrite = true;
        else if (s == "-n")
            r.overwrite = false;
        break;
    case CommandDialect::Tar:
        if (s == "-x")
            r.is_extract = true;
        else if (s == "--use-directory=0")
            r.junk_paths = true;
        else if (s == "--use-directory=1")
            r.junk_paths = false;
        break;
    case CommandDialect::Arj:
        if (s == "-hj")
            r.junk_paths = true;
        else if (s == "-u")
            r.overwrite = false;
        break;
    case CommandDialect::Rar:
        if (s == "-x") {
            r.is_extract = true;
            r.junk_paths = false;
        } else if (s == "-e") {
            r.is_extract = true;
            r.junk_paths = true;
        } else if (s == "-o") {
            r.overwrite = true;
        } else if (s == "-u") {
            r.overwrite = false;
        }
        break;
    }
}

} // namespace

bool ParseExtractCommand(CommandDialect d, const std::string& line, ExtractRequest& r) {
    r = ExtractRequest();
    // Defaults of each dialect before its switches.
    if (d == CommandDialect::Lha) r.overwrite = false;
    if (d == CommandDialect::Zip || d == CommandDialect::SevenZip) r.overwrite = false;
    std::vector<CommandToken> tokens = TokenizeCommandLine(line);
    std::size_t i = 0;
    if (d == CommandDialect::Lha || d == CommandDialect::Arj || d == CommandDialect::SevenZip) {
        // A verb first: "e" extracts without folders unless -x1, "x" with them.
        if (tokens.empty() || tokens[0].quoted) return false;
        if (tokens[0].text == "e" || tokens[0].text == "E") {
            r.junk_paths = true;
        } else if (tokens[0].text == "x" || tokens[0].text == "X") {
            r.junk_paths = false;
        } else {
            return false;
        }
        r.is_extract = true;
        i = 1;
    }
    bool archive_next = false;
    for (; i < tokens.size(); ++i) {
        const CommandToken& t = tokens[i];
        if (r.archive.empty() && !archive_next && IsSwitch(t)) {
            r.switches.push_back(t.text);
            if (d == CommandDialect::Tar && t.text == "-f")
                archive_next = true;
            else
                ApplySwitch(d, t.text, r);
            continue;
        }
        if (r.archive.empty()) {
            r.archive = t.text;
            archive_next = false;
            continue;
        }
        if (r.dest_folder.empty() && r.names.empty() && r.response_file.empty() &&
            EndsWithSeparator(t.text)) {
            r.dest_folder = t.text;
            continue;
        }
        const char list_mark = d == CommandDialect::Arj ? '!' : '@';
        if (t.text.size() > 1 && t.text[0] == list_mark && r.names.empty() &&
            r.response_file.empty()) {
            r.response_file = t.text.substr(1);
            continue;
        }
        r.names.push_back(t.text);
    }
    return r.is_extract && !r.archive.empty();
}

std::vector<std::string> ResponseFileNames(const std::string& text) {
    std::vector<std::string> names;
    std::string cur;
    for (char c : text) {
        if (c == '\r' || c == '\n') {
            if (!cur.empty()) names.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) names.push_back(cur);
    return names;
}
