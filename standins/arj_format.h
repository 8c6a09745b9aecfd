// ARJ archives, read without any outside library: the headers (a main
// header, then one header per member, each guarded by a CRC-32) and the
// member data, stored (method 0), LZ77 with Huffman codes (methods 1-3)
// or LZ77 with fixed bit codes (method 4).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Where the archive's bytes come from (a file, or memory in tests).
class ArjSource {
public:
    virtual ~ArjSource() = default;
    virtual std::uint64_t Size() = 0;
    // Bytes read at `offset`, fewer near the end; 0 past it or on failure.
    virtual std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t size) = 0;
};

class ArjMemorySource : public ArjSource {
public:
    explicit ArjMemorySource(std::string data) : data_(std::move(data)) {}
    std::uint64_t Size() override { return data_.size(); }
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t size) override;

private:
    std::string data_;
};

enum : std::uint8_t {
    kArjFlagGarbled = 0x01, // encrypted: not extracted
    kArjFlagVolume = 0x04,  // continues in the next volume
    kArjFlagExtFile = 0x08, // continued from the previous volume
    kArjFlagPathSym = 0x10, // '\' of the name was stored as '/'
};

enum : std::uint8_t {
    kArjTypeBinary = 0,
    kArjTypeText = 1,
    kArjTypeMain = 2,
    kArjTypeFolder = 3,
    kArjTypeLabel = 4,
};

// Host systems whose access mode holds MS-DOS attribute bits.
bool ArjHostUsesDosAttributes(std::uint8_t host_os);

struct ArjMember {
    std::string name; // as stored (Shift-JIS on Japanese systems)
    std::uint8_t host_os = 0;
    std::uint8_t flags = 0;
    std::uint8_t method = 0;
    std::uint8_t file_type = 0;
    std::uint16_t dos_time = 0, dos_date = 0;
    std::uint32_t packed_size = 0, original_size = 0, crc = 0;
    std::uint16_t access_mode = 0;
    std::uint64_t data_offset = 0;
};

enum class ArjStatus {
    Ok,
    NotArj,       // no main header found
    Truncated,    // the file ends inside a header or a member's data
    BadHeaderCrc, // a header's CRC does not match
    BadHeader,    // a header's fields contradict each other
};

struct ArjListing {
    ArjStatus status = ArjStatus::NotArj;
    std::uint64_t main_header = 0; // offset of the main header
    std::vector<ArjMember> members; // those read before any fault
};

// Reads every header. A self-extracting program is skipped by looking for
// the main header within its first megabyte.
ArjListing ReadArjListing(ArjSource& source);

enum class ArjDecodeStatus { Ok, Unsupported, Encrypted, Damaged, BadCrc, ReadError, TooLarge };

// Members are decoded into memory, and a few bytes of data can claim
// gigabytes: a member larger than this, or with more packed data, is
// refused as TooLarge before anything is read.
constexpr std::uint32_t kArjMaxMemberBytes = std::uint32_t(256) << 20;

// The member's data, decoded and checked against its CRC.
ArjDecodeStatus DecodeArjMember(ArjSource& source, const ArjMember& member, std::string& out);

// The decoders on their own, for data already in memory.
bool ArjDecodeHuffman(const std::string& packed, std::size_t original, std::string& out);
bool ArjDecodeFast(const std::string& packed, std::size_t original, std::string& out);

std::uint32_t ArjCrc32(const void* data, std::size_t size, std::uint32_t crc = 0);
