#include "base/strutil.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "base/sjis.h"

namespace {
std::size_t NameStart(std::string_view path) {
    std::size_t d = SjisLastDelimiter(path, "\\:");
    return d == std::string_view::npos ? 0 : d + 1;
}
std::size_t ExtStart(std::string_view path) {
    std::size_t d = SjisLastDelimiter(path, "\\:.");
    if (d == std::string_view::npos || path[d] != '.') return path.size();
    return d;
}
}  // namespace

std::string ExtractFilePath(std::string_view path) { return std::string(path.substr(0, NameStart(path))); }
std::string ExtractFileName(std::string_view path) { return std::string(path.substr(NameStart(path))); }
std::string ExtractFileExt(std::string_view path) { return std::string(path.substr(ExtStart(path))); }

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
    return std::string(path.substr(0, ExtStart(path))) + std::string(ext);
}

std::string ExcludeTrailingBackslash(std::string_view path) {
    std::string s(path);
    if (!s.empty() && s.back() == '\\' && !IsSjisTrailPosition(s, s.size() - 1)) s.pop_back();
    return s;
}

std::string IncludeTrailingBackslash(std::string_view path) {
    std::string s(path);
    if (s.empty() || s.back() != '\\' || IsSjisTrailPosition(s, s.size() - 1)) s += '\\';
    return s;
}

std::string Trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return std::string(s.substr(b, e - b));
}

std::string Format(const char* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    va_list ap2;
    va_copy(ap2, ap);
    int n = std::vsnprintf(nullptr, 0, fmt, ap);
    va_end(ap);
    std::string out;
    if (n > 0) {
        std::vector<char> buf(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(buf.data(), buf.size(), fmt, ap2);
        out.assign(buf.data(), static_cast<std::size_t>(n));
    }
    va_end(ap2);
    return out;
}

std::string GroupThousands(long long value, char sep) {
    bool neg = value < 0;
    unsigned long long v = neg ? 0ULL - static_cast<unsigned long long>(value) : value;
    std::string digits = std::to_string(v), out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += sep;
        out += digits[i];
    }
    return neg ? "-" + out : out;
}
