// Shift-JIS (code page 932) helpers. Every string in the program is a byte
// string in this code page; a lead byte always travels with the byte after
// it, so nothing may cut, search or upper-case between the two.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

inline bool IsSjisLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
inline bool IsSjisLeadByte(char c) { return IsSjisLeadByte(static_cast<unsigned char>(c)); }

// Length in bytes of the character that starts at s[i]: 2 for a lead byte
// followed by another byte, 1 otherwise (a lone lead byte at the end is 1).
std::size_t SjisCharLength(std::string_view s, std::size_t i);

// True when byte i is the second byte of a double-byte character, found by
// walking from the start of the string.
bool IsSjisTrailPosition(std::string_view s, std::size_t i);

// Index of the last occurrence of any byte of `delims` that is a whole
// character (never a trail byte), or npos.
std::size_t SjisLastDelimiter(std::string_view s, std::string_view delims);

// Upper-cases the single-byte letters a..z and leaves double-byte
// characters alone (the second byte of one may well be in a..z).
std::string SjisUpperCase(std::string_view s);
bool SjisSameText(std::string_view a, std::string_view b);
