#include "settings/ini_file.h"

#include <vector>

#include "settings/ini_values.h"
#include "ui/win32.h"

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& fallback) const {
    // The function reports a full buffer by returning its size minus one or
    // two; grow until the value fits.
    for (DWORD size = 1024;; size *= 4) {
        std::vector<char> buf(size);
        DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buf.data(), size,
                                           path_.c_str());
        if (n < size - 2 || size >= (1u << 24)) return std::string(buf.data(), n);
    }
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int fallback) const {
    return IniInteger(ReadString(section, key, ""), fallback);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

TColor TIniFile::ReadColor(const std::string& section, const std::string& key, TColor fallback) const {
    return StringToColor(ReadString(section, key, ColorToString(fallback))).value_or(fallback);
}

namespace {
// The platform drops the blanks around a value and one pair of quotes that
// encloses it; such a value goes inside quotes of its own so that it reads
// back whole. Blanks and quotes are never the second byte of a double-byte
// character, so the ends can be tested bytewise.
std::string Protected(const std::string& v) {
    if (v.empty()) return v;
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    const bool enclosed = v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
    if (blank(v.front()) || blank(v.back()) || enclosed) return '"' + v + '"';
    return v;
}
}  // namespace

bool TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), Protected(value).c_str(), path_.c_str()) != 0;
}

bool TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
    return WriteString(section, key, std::to_string(value));
}

bool TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    return WriteString(section, key, value ? "1" : "0");
}

bool TIniFile::WriteColor(const std::string& section, const std::string& key, TColor value) {
    return WriteString(section, key, ColorToString(value));
}

bool TIniFile::EraseSection(const std::string& section) {
    return WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, path_.c_str()) != 0;
}

bool TIniFile::SectionExists(const std::string& section) const {
    char buf[4];
    return GetPrivateProfileSectionA(section.c_str(), buf, sizeof buf, path_.c_str()) > 0;
}
