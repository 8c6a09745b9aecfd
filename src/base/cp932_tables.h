// Code page 932 tables made at build time from the system's iconv
// (scripts/gen_cp932_tables.py): Unicode to CP932 for the Basic Multilingual
// Plane, and which double-byte codes CP932 defines.
#pragma once
#include <cstdint>

// CP932 bytes of a character, packed first byte | second byte << 8 (second
// byte 0 for a single byte). Characters CP932 lacks map to kCp932Substitute.
extern const std::uint8_t kCp932PageIndex[256];
extern const std::uint16_t kCp932Pages[][256];
// Bit (trail & 7) of [lead index][trail >> 3]: leads 0x81..0x9F are index
// 0..30, leads 0xE0..0xFC index 31..59.
extern const std::uint8_t kCp932DefinedBits[60][32];

// GETA MARK, the customary Japanese stand-in for a character that cannot be
// shown: a double-byte character, as wide as the characters it usually stands
// for.
constexpr std::uint16_t kCp932Substitute = 0x81 | 0xAC << 8;

inline std::uint16_t Cp932FromUnicode(std::uint32_t bmp) {
    return kCp932Pages[kCp932PageIndex[(bmp >> 8) & 0xFF]][bmp & 0xFF];
}

inline bool Cp932Defined(unsigned lead, unsigned trail) {
    unsigned index;
    if (lead >= 0x81 && lead <= 0x9F)
        index = lead - 0x81;
    else if (lead >= 0xE0 && lead <= 0xFC)
        index = lead - 0xE0 + 31;
    else
        return false;
    return trail <= 0xFF && (kCp932DefinedBits[index][trail >> 3] >> (trail & 7) & 1) != 0;
}
