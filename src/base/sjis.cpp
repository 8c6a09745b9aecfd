#include "base/sjis.h"

std::size_t SjisCharLength(std::string_view s, std::size_t i) {
    return (i + 1 < s.size() && IsSjisLeadByte(s[i])) ? 2 : 1;
}

bool IsSjisTrailPosition(std::string_view s, std::size_t i) {
    std::size_t p = 0;
    while (p < i) p += SjisCharLength(s, p);
    return p > i;
}

std::size_t SjisLastDelimiter(std::string_view s, std::string_view delims) {
    std::size_t found = std::string_view::npos;
    for (std::size_t p = 0; p < s.size(); p += SjisCharLength(s, p)) {
        if (SjisCharLength(s, p) == 1 && delims.find(s[p]) != std::string_view::npos) found = p;
    }
    return found;
}

std::string SjisUpperCase(std::string_view s) {
    std::string out(s);
    for (std::size_t p = 0; p < out.size(); p += SjisCharLength(out, p)) {
        if (out[p] >= 'a' && out[p] <= 'z' && SjisCharLength(out, p) == 1) out[p] = char(out[p] - 32);
    }
    return out;
}

bool SjisSameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && SjisUpperCase(a) == SjisUpperCase(b);
}
