// An INI file read and written key by key through the platform's
// private-profile functions, so unknown sections and keys stay as they are.
#pragma once
#include <string>

#include "base/color.h"

class TIniFile {
public:
    explicit TIniFile(std::string path) : path_(std::move(path)) {}
    const std::string& FileName() const { return path_; }

    std::string ReadString(const std::string& section, const std::string& key, const std::string& fallback) const;
    int ReadInteger(const std::string& section, const std::string& key, int fallback) const;
    bool ReadBool(const std::string& section, const std::string& key, bool fallback) const;
    // A colour that is neither a name nor a number reads as the fallback.
    TColor ReadColor(const std::string& section, const std::string& key, TColor fallback) const;

    // Each returns false when the platform could not write the file. A
    // string with blanks at an end, or enclosed in quotes, is written inside
    // another pair of quotes, so that it reads back as it was.
    bool WriteString(const std::string& section, const std::string& key, const std::string& value);
    bool WriteInteger(const std::string& section, const std::string& key, int value);
    bool WriteBool(const std::string& section, const std::string& key, bool value);
    bool WriteColor(const std::string& section, const std::string& key, TColor value);
    bool EraseSection(const std::string& section);
    bool SectionExists(const std::string& section) const;

private:
    std::string path_;
};
