// The member record the archiver libraries fill: a flat 558-byte record,
// little-endian, at fixed offsets. Callers hand the libraries a 560-byte
// buffer and keep all of it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

constexpr std::size_t kIndividualInfoSize = 558;
constexpr std::size_t kIndividualInfoBufferSize = 560;
constexpr std::size_t kInfoPathCapacity = 513; // including the terminating zero

struct IndividualInfo {
    enum Offset : std::size_t {
        kOriginalSize = 0,
        kCompressedSize = 4,
        kCrc = 8,
        kFlag = 12,
        kOsType = 16,
        kRatio = 20,
        kDate = 22,
        kTime = 24,
        kFileName = 26,
        kAttribute = 542,
        kMethod = 550,
    };

    unsigned char bytes[kIndividualInfoBufferSize] = {};

    std::uint32_t UnpackedSize() const { return U32(kOriginalSize); }
    std::uint32_t CompressedSize() const { return U32(kCompressedSize); }
    std::uint32_t Crc() const { return U32(kCrc); }
    std::uint32_t Flag() const { return U32(kFlag); }
    std::uint32_t OsType() const { return U32(kOsType); }
    std::uint16_t Ratio() const { return U16(kRatio); }
    std::uint16_t DosDate() const { return U16(kDate); }
    std::uint16_t DosTime() const { return U16(kTime); }
    // Member path up to its zero (or the end of the field).
    std::string MemberPath() const { return Text(kFileName, kInfoPathCapacity); }
    std::string AttributeText() const { return Text(kAttribute, 8); }
    std::string Method() const { return Text(kMethod, 8); }

    void SetUnpackedSize(std::uint32_t v) { PutU32(kOriginalSize, v); }
    void SetCompressedSize(std::uint32_t v) { PutU32(kCompressedSize, v); }
    void SetCrc(std::uint32_t v) { PutU32(kCrc, v); }
    void SetFlag(std::uint32_t v) { PutU32(kFlag, v); }
    void SetOsType(std::uint32_t v) { PutU32(kOsType, v); }
    void SetRatio(std::uint16_t v) { PutU16(kRatio, v); }
    void SetDosDate(std::uint16_t v) { PutU16(kDate, v); }
    void SetDosTime(std::uint16_t v) { PutU16(kTime, v); }
    // Stores at most 512 bytes, never splitting a double-byte character.
    void SetMemberPath(std::string_view path);
    void SetAttributeText(std::string_view text) { PutText(kAttribute, 8, text); }
    void SetMethod(std::string_view text) { PutText(kMethod, 8, text); }

    // Attribute bits from the attribute text: A 32, S 4, H 2, R 1 at
    // positions 0 to 3; any other character there leaves the bit clear.
    std::uint32_t AttributesFromText() const;

private:
    std::uint32_t U32(std::size_t at) const;
    std::uint16_t U16(std::size_t at) const;
    std::string Text(std::size_t at, std::size_t width) const;
    void PutU32(std::size_t at, std::uint32_t v);
    void PutU16(std::size_t at, std::uint16_t v);
    void PutText(std::size_t at, std::size_t width, std::string_view text);
};
static_assert(sizeof(IndividualInfo) == kIndividualInfoBufferSize, "record buffer size");

// Attribute bits as the platform defines them.
constexpr std::uint32_t kAttrReadOnly = 0x01;
constexpr std::uint32_t kAttrHidden = 0x02;
constexpr std::uint32_t kAttrSystem = 0x04;
constexpr std::uint32_t kAttrDirectory = 0x10;
constexpr std::uint32_t kAttrArchive = 0x20;
