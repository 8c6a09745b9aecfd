// Texts and keys of the file records: extension-list matching, attribute
// letters, size and date forms. Pure functions, so the rules are tested
// without a file system.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "search/file_platform.h"

// First position of `needle` in `haystack` that starts on a character
// boundary (never inside a double-byte character), or npos.
std::size_t SjisFind(std::string_view haystack, std::string_view needle);

// Upper-cased extension of the name followed by one blank: the form the
// extension lists hold (".TXT .DOC ").
std::string ExtensionKey(std::string_view name);

// Search hit test: the name has an extension and it is an entry of the list.
bool ExtensionListed(std::string_view name, std::string_view extensions);

// Listing filter of the file operations: an empty list takes everything;
// otherwise the key must occur in the list, so a name without extension is
// taken whenever the list holds a blank.
bool ExtensionTaken(std::string_view name, std::string_view extensions);

// "R", "H", "S", "A" for the bits that are set, in that order.
std::string AttributeLetters(std::uint32_t attributes);

// "yyyy/mm/dd hh:nn:ss", or empty when the time is not valid.
std::string DateTimeText(const TLocalTime& t);

// Sizes are kept as the low 32 bits read as a signed number.
std::int32_t LowSize(std::uint64_t size);
// Kilobytes, any part of one counted whole, of the low 32 bits of a size.
std::uint32_t SizeInKB(std::uint64_t size);

// Order of names in the sorted lists: upper-cased, then byte order.
bool UpperLess(std::string_view a, std::string_view b);
int UpperCompare(std::string_view a, std::string_view b);
