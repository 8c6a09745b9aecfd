#include "search/search_text.h"

#include "base/sjis.h"
#include "base/strutil.h"

std::size_t SjisFind(std::string_view haystack, std::string_view needle) {
    if (needle.empty()) return 0;
    for (std::size_t i = 0; i + needle.size() <= haystack.size();
         i += SjisCharLength(haystack, i)) {
        if (haystack.compare(i, needle.size(), needle) == 0) return i;
    }
    return std::string_view::npos;
}

std::string ExtensionKey(std::string_view name) {
    return SjisUpperCase(ExtractFileExt(name)) + " ";
}

bool ExtensionListed(std::string_view name, std::string_view extensions) {
    const std::string key = ExtensionKey(name);
    if (Trim(key).empty()) return false;
    return SjisFind(SjisUpperCase(extensions), key) != std::string_view::npos;
}

bool ExtensionTaken(std::string_view name, std::string_view extensions) {
    if (extensions.empty()) return true;
    return SjisFind(SjisUpperCase(extensions), ExtensionKey(name)) != std::string_view::npos;
}

std::string AttributeLetters(std::uint32_t attributes) {
    std::string s;
    if (attributes & faReadOnly) s += 'R';
    if (attributes & faHidden) s += 'H';
    if (attributes & faSysFile) s += 'S';
    if (attributes & faArchive) s += 'A';
    return s;
}

std::string DateTimeText(const TLocalTime& t) {
    if (!t.valid) return "";
    return Format("%04d/%02d/%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
}

std::int32_t LowSize(std::uint64_t size) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(size & 0xFFFFFFFFu));
}

std::uint32_t SizeInKB(std::uint64_t size) {
    // Worked out in 64 bits: near 2 GB the 32-bit sum would overflow.
    const std::uint64_t low = size & 0xFFFFFFFFu;
    return static_cast<std::uint32_t>((low + 1023) / 1024);
}

int UpperCompare(std::string_view a, std::string_view b) {
    return SjisUpperCase(a).compare(SjisUpperCase(b));
}

bool UpperLess(std::string_view a, std::string_view b) {
    return UpperCompare(a, b) < 0;
}
