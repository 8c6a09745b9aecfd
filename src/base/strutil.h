// Path and string helpers in the style the rest of the program is written
// in. Paths are Windows paths in code page 932; the delimiters '\' and ':'
// are looked for only on character boundaries.
#pragma once
#include <string>
#include <string_view>

// Folder part including its trailing '\' or ':' ("C:\A\b.txt" -> "C:\A\").
std::string ExtractFilePath(std::string_view path);
// Name after the last '\' or ':'.
std::string ExtractFileName(std::string_view path);
// Extension from the last '.' of the name, dot included; empty without one.
std::string ExtractFileExt(std::string_view path);
// Replaces the extension (or appends one when the name has none).
std::string ChangeFileExt(std::string_view path, std::string_view ext);
// Drops one trailing '\' unless the path is a bare root like "C:\".
std::string ExcludeTrailingBackslash(std::string_view path);
std::string IncludeTrailingBackslash(std::string_view path);

// Blank and control characters (<= ' ') trimmed from both ends.
std::string Trim(std::string_view s);

// printf-style formatting into a std::string.
std::string Format(const char* fmt, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// Decimal digits grouped by `sep` every three places ("1234567" -> "1,234,567").
std::string GroupThousands(long long value, char sep = ',');
