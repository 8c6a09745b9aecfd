#include "member_path.h"

#include "base/sjis.h"

namespace {

bool IsSeparatorAt(std::string_view s, std::size_t i) {
    return (s[i] == '/' || s[i] == '\\') && !IsSjisTrailPosition(s, i);
}

bool IsDeviceName(const std::string& component) {
    std::string base = SjisUpperCase(component.substr(0, component.find('.')));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CLOCK$"};
    for (const char* d : kDevices)
        if (base == d) return true;
    if (base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
        base[3] >= '1' && base[3] <= '9')
        return true;
    return false;
}

// Normalised for matching: upper-cased, '\' turned into '/'.
std::string MatchForm(std::string_view s) {
    std::string out = SjisUpperCase(s);
    for (std::size_t i = 0; i < out.size(); i += SjisCharLength(out, i))
        if (out[i] == '\\') out[i] = '/';
    return out;
}

bool Match(const std::string& p, std::size_t pi, const std::string& s, std::size_t si) {
    while (pi < p.size()) {
        if (p[pi] == '*') {
            while (pi < p.size() && p[pi] == '*')
                ++pi;
            if (pi == p.size()) return true;
            for (std::size_t k = si; k <= s.size(); k += (k < s.size() ? SjisCharLength(s, k) : 1))
                if (Match(p, pi, s, k)) return true;
            return false;
        }
        if (si >= s.size()) return false;
        std::size_t pl = SjisCharLength(p, pi), sl = SjisCharLength(s, si);
        if (p[pi] == '?') {
            pi += 1;
            si += sl;
            continue;
        }
        if (pl != sl || p.compare(pi, pl, s, si, sl) != 0) return false;
        pi += pl;
        si += sl;
    }
    return si == s.size();
}

} // namespace

std::vector<std::string> SplitMemberPath(std::string_view path) {
    std::vector<std::string> parts;
    std::string cur;
    for (std::size_t i = 0; i < path.size();) {
        std::size_t len = SjisCharLength(path, i);
        if (len == 1 && IsSeparatorAt(path, i)) {
            if (!cur.empty() && cur != ".") parts.push_back(cur);
            cur.clear();
        } else {
            cur.append(path.substr(i, len));
        }
        i += len;
    }
    if (!cur.empty() && cur != ".") parts.push_back(cur);
    return parts;
}

bool IsSafeMemberPath(std::string_view path) {
    if (path.empty() || IsSeparatorAt(path, 0)) return false;
    for (std::size_t i = 0; i < path.size(); i += SjisCharLength(path, i)) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (SjisCharLength(path, i) == 1 && (c < 0x20 || c == ':')) return false;
    }
    std::vector<std::string> parts = SplitMemberPath(path);
    if (parts.empty()) return false;
    for (const std::string& part : parts) {
        // Windows drops trailing dots and blanks, so "..", "..." and ". ." all
        // lead upwards or nowhere.
        if (part.find_first_not_of(". ") == std::string::npos) return false;
        if (IsDeviceName(part)) return false;
    }
    return true;
}

std::string MemberOutputPath(std::string_view path, bool junk_paths) {
    if (!IsSafeMemberPath(path)) return std::string();
    std::vector<std::string> parts = SplitMemberPath(path);
    if (junk_paths) return parts.back();
    std::string out;
    for (const std::string& part : parts) {
        if (!out.empty()) out += '\\';
        out += part;
    }
    return out;
}

std::string MemberMatchKey(std::string_view path) {
    return MatchForm(path);
}

bool HasWildcard(std::string_view pattern) {
    for (std::size_t i = 0; i < pattern.size(); i += SjisCharLength(pattern, i))
        if (pattern[i] == '*' || pattern[i] == '?') return true;
    return false;
}

bool MatchMemberPattern(std::string_view pattern, std::string_view path) {
    const std::string p = MatchForm(pattern), s = MatchForm(path);
    if (p == "*.*") return true;
    return Match(p, 0, s, 0);
}
