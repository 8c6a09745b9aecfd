#include "archive/individual_info.h"

#include <cstring>

#include "base/sjis.h"

std::uint32_t IndividualInfo::U32(std::size_t at) const {
    return static_cast<std::uint32_t>(bytes[at]) |
           (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[at + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

std::uint16_t IndividualInfo::U16(std::size_t at) const {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

void IndividualInfo::PutU32(std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

void IndividualInfo::PutU16(std::size_t at, std::uint16_t v) {
    bytes[at] = static_cast<unsigned char>(v);
    bytes[at + 1] = static_cast<unsigned char>(v >> 8);
}

std::string IndividualInfo::Text(std::size_t at, std::size_t width) const {
    const char* p = reinterpret_cast<const char*>(bytes + at);
    std::size_t n = 0;
    while (n < width && p[n] != '\0')
        ++n;
    return std::string(p, n);
}

void IndividualInfo::PutText(std::size_t at, std::size_t width, std::string_view text) {
    std::memset(bytes + at, 0, width);
    std::memcpy(bytes + at, text.data(), text.size() < width ? text.size() : width);
}

void IndividualInfo::SetMemberPath(std::string_view path) {
    std::size_t n = 0;
    while (n < path.size()) {
        std::size_t len = SjisCharLength(path, n);
        if (n + len > kInfoPathCapacity - 1) break;
        n += len;
    }
    std::memset(bytes + kFileName, 0, kInfoPathCapacity);
    std::memcpy(bytes + kFileName, path.data(), n);
}

std::uint32_t IndividualInfo::AttributesFromText() const {
    const char* a = reinterpret_cast<const char*>(bytes + kAttribute);
    std::uint32_t attr = 0;
    if (a[0] == 'A') attr |= kAttrArchive;
    if (a[1] == 'S') attr |= kAttrSystem;
    if (a[2] == 'H') attr |= kAttrHidden;
    if (a[3] == 'R') attr |= kAttrReadOnly;
    return attr;
}
