#include "cab_names.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::size_t kHeaderSize = 36;
constexpr std::size_t kFileEntrySize = 16;
constexpr std::size_t kMaxName = 256;
constexpr std::size_t kSearchLimit = 128 * 1024 + 8;

std::uint32_t Le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
unsigned Le16(const unsigned char* p) {
    return p[0] | (p[1] << 8);
}

// Offset of the cabinet header: "MSCF" followed by four zero bytes.
bool FindHeader(ArjSource& source, std::uint64_t& at) {
    std::string head(static_cast<std::size_t>(std::min<std::uint64_t>(source.Size(), kSearchLimit)),
                     '\0');
    if (head.size() < kHeaderSize) return false;
    head.resize(source.ReadAt(0, &head[0], head.size()));
    static const char kMagic[8] = {'M', 'S', 'C', 'F', 0, 0, 0, 0};
    for (std::size_t i = 0; i + kHeaderSize <= head.size(); ++i) {
        if (std::memcmp(head.data() + i, kMagic, sizeof kMagic) == 0) {
            at = i;
            return true;
        }
    }
    return false;
}

} // namespace

std::vector<std::string> ReadCabMemberNames(ArjSource& source) {
    std::vector<std::string> names;
    std::uint64_t base = 0;
    if (!FindHeader(source, base)) return names;
    unsigned char h[kHeaderSize];
    if (source.ReadAt(base, h, sizeof h) != sizeof h) return names;
    const std::uint64_t files = base + Le32(h + 16);
    const unsigned count = Le16(h + 28);
    std::uint64_t at = files;
    for (unsigned i = 0; i < count; ++i) {
        unsigned char entry[kFileEntrySize + kMaxName + 1];
        const std::size_t got = source.ReadAt(at, entry, sizeof entry);
        if (got <= kFileEntrySize) break;
        const char* name = reinterpret_cast<const char*>(entry + kFileEntrySize);
        const std::size_t len = strnlen(name, got - kFileEntrySize);
        if (len == got - kFileEntrySize) break; // no terminating zero: damaged
        names.emplace_back(name, len);
        at += kFileEntrySize + len + 1;
    }
    return names;
}

bool IsValidUtf8(const std::string& s) {
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const std::size_t n = s.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned c = p[i];
        std::size_t len;
        std::uint32_t cp;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + len > n) return false;
        for (std::size_t k = 1; k < len; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += len;
    }
    return true;
}
