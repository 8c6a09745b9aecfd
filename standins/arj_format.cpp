#include "arj_format.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>

namespace {

constexpr std::uint8_t kIdLow = 0x60, kIdHigh = 0xEA;
constexpr std::size_t kMaxBasicHeader = 2600;
constexpr std::size_t kFixedPartMin = 30;
constexpr std::uint64_t kSfxScanLimit = 1u << 20;

std::uint16_t Le16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t Le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool ReadExact(ArjSource& s, std::uint64_t at, void* buf, std::size_t n) {
    return s.ReadAt(at, buf, n) == n;
}

// One header at `at`: id, size, basic header, CRC and the extended headers
// after it. `next` is where the member data (or the next header) begins.
// A size of 0 marks the end of the archive (`end` is then set).
ArjStatus ReadHeader(ArjSource& s, std::uint64_t at, std::vector<unsigned char>& basic,
                     std::uint64_t& next, bool& end) {
    end = false;
    unsigned char head[4];
    if (!ReadExact(s, at, head, 4)) return ArjStatus::Truncated;
    if (head[0] != kIdLow || head[1] != kIdHigh) return ArjStatus::BadHeader;
    const std::size_t size = Le16(head + 2);
    if (size == 0) {
        end = true;
        next = at + 4;
        return ArjStatus::Ok;
    }
    if (size > kMaxBasicHeader || size < kFixedPartMin) return ArjStatus::BadHeader;
    basic.resize(size + 4);
    if (!ReadExact(s, at + 4, basic.data(), size + 4)) return ArjStatus::Truncated;
    if (ArjCrc32(basic.data(), size) != Le32(basic.data() + size)) return ArjStatus::BadHeaderCrc;
    basic.resize(size);
    std::uint64_t pos = at + 4 + size + 4;
    // Extended headers: each a size, its bytes and a CRC, until a size of 0.
    for (;;) {
        unsigned char ext[2];
        if (!ReadExact(s, pos, ext, 2)) return ArjStatus::Truncated;
        const std::uint16_t ext_size = Le16(ext);
        pos += 2;
        if (ext_size == 0) break;
        pos += ext_size + 4u;
        if (pos > s.Size()) return ArjStatus::Truncated;
    }
    next = pos;
    return ArjStatus::Ok;
}

// The zero-terminated string at `at` inside the basic header, or empty.
std::string HeaderString(const std::vector<unsigned char>& basic, std::size_t at) {
    std::string s;
    for (std::size_t i = at; i < basic.size() && basic[i] != 0; ++i)
        s += static_cast<char>(basic[i]);
    return s;
}

// The main header: a plausible header of the archive type at `at`.
bool IsMainHeader(ArjSource& s, std::uint64_t at) {
    std::vector<unsigned char> basic;
    std::uint64_t next = 0;
    bool end = false;
    return ReadHeader(s, at, basic, next, end) == ArjStatus::Ok && !end &&
           basic[6] == kArjTypeMain && basic[0] >= kFixedPartMin && basic[0] <= basic.size();
}

bool FindMainHeader(ArjSource& s, std::uint64_t& at) {
    const std::uint64_t limit = std::min<std::uint64_t>(s.Size(), kSfxScanLimit);
    std::vector<unsigned char> chunk(65536 + 1);
    for (std::uint64_t base = 0; base + 1 < limit; base += 65536) {
        const std::size_t got = s.ReadAt(base, chunk.data(), chunk.size());
        for (std::size_t i = 0; i + 1 < got; ++i) {
            if (chunk[i] == kIdLow && chunk[i + 1] == kIdHigh && IsMainHeader(s, base + i)) {
                at = base + i;
                return true;
            }
        }
    }
    return false;
}

// Bits are taken from the top of each byte first. Past the end of the data
// come zero bits: a damaged stream then ends in a failed check, never in a
// read outside the buffer.
class BitReader {
public:
    explicit BitReader(const std::string& data) : data_(data) { Fill(); }
    std::uint32_t Peek(int n) const { return static_cast<std::uint32_t>(acc_ >> (64 - n)); }
    void Skip(int n) {
        acc_ <<= n;
        count_ -= n;
        Fill();
    }
    std::uint32_t Get(int n) {
        if (n == 0) return 0;
        const std::uint32_t v = Peek(n);
        Skip(n);
        return v;
    }
    // Far past the end: the stream was cut or is not what it claims.
    bool Overrun() const { return pos_ > data_.size() + 8; }

private:
    void Fill() {
        while (count_ <= 56) {
            const unsigned char b =
                pos_ < data_.size() ? static_cast<unsigned char>(data_[pos_]) : 0;
            ++pos_;
            acc_ |= static_cast<std::uint64_t>(b) << (56 - count_);
            count_ += 8;
        }
    }
    const std::string& data_;
    std::size_t pos_ = 0;
    std::uint64_t acc_ = 0;
    int count_ = 0;
};

// A canonical prefix code: shorter codes first, and within one length the
// symbols in increasing order. A table with one symbol and no lengths
// stands for that symbol at no cost in bits.
class PrefixCode {
public:
    // False when the lengths promise more codes than there are.
    bool Build(const std::vector<std::uint8_t>& lengths) {
        single_ = -1;
        counts_.fill(0);
        for (std::uint8_t l : lengths)
            ++counts_[l];
        counts_[0] = 0;
        std::uint32_t room = 1;
        for (int len = 1; len <= 16; ++len) {
            room <<= 1;
            if (static_cast<std::uint32_t>(counts_[len]) > room) return false;
            room -= static_cast<std::uint32_t>(counts_[len]);
        }
        std::array<int, 18> offsets{};
        for (int len = 1; len <= 16; ++len)
            offsets[len + 1] = offsets[len] + counts_[len];
        symbols_.assign(lengths.size(), 0);
        for (std::size_t sym = 0; sym < lengths.size(); ++sym)
            if (lengths[sym]) symbols_[offsets[lengths[sym]]++] = static_cast<std::uint16_t>(sym);
        return true;
    }
    void BuildSingle(int symbol) { single_ = symbol; }
    // The next symbol, or -1 for a code that no symbol has.
    int Decode(BitReader& in) const {
        if (single_ >= 0) return single_;
        int code = 0, first = 0, index = 0;
        for (int len = 1; len <= 16; ++len) {
            code |= static_cast<int>(in.Get(1));
            const int count = counts_[len];
            if (code - first < count) return symbols_[index + (code - first)];
            index += count;
            first = (first + count) << 1;
            code <<= 1;
        }
        return -1;
    }

private:
    int single_ = -1;
    std::array<int, 17> counts_{};
    std::vector<std::uint16_t> symbols_;
};

// Methods 1 to 3 share one decoder: blocks of symbols, each block opening
// with its code tables. A symbol below 256 is a byte; above, a match whose
// length is the symbol minus 253, followed by the code of its distance.
constexpr int kNC = 510;      // byte and length symbols
constexpr int kNP = 17;       // distance classes
constexpr int kNT = 19;       // symbols that code the length table
constexpr int kCodeBits = 9;  // bits of a symbol count in the length table
constexpr int kTableBits = 5; // bits of a count in the small tables

// The lengths of a small table: 3 bits each, or "7" followed by one bit
// per extra unit and a closing 0. After position `special` a 2-bit count
// of zero lengths follows.
bool ReadSmallTable(BitReader& in, int symbols, int special, PrefixCode& code) {
    const int n = static_cast<int>(in.Get(kTableBits));
    if (n == 0) {
        const int only = static_cast<int>(in.Get(kTableBits));
        if (only >= symbols) return false;
        code.BuildSingle(only);
        return true;
    }
    if (n > symbols) return false;
    std::vector<std::uint8_t> lengths(static_cast<std::size_t>(symbols), 0);
    int i = 0;
    while (i < n) {
        int len = static_cast<int>(in.Get(3));
        if (len == 7) {
            while (in.Get(1) == 1) {
                if (++len > 16) return false;
            }
        }
        lengths[static_cast<std::size_t>(i++)] = static_cast<std::uint8_t>(len);
        if (i == special) {
            int zeros = static_cast<int>(in.Get(2));
            if (i + zeros > symbols) return false;
            while (zeros-- > 0)
                lengths[static_cast<std::size_t>(i++)] = 0;
        }
    }
    return code.Build(lengths);
}

bool ReadSymbolTable(BitReader& in, const PrefixCode& lengths_code, PrefixCode& code) {
    const int n = static_cast<int>(in.Get(kCodeBits));
    if (n == 0) {
        const int only = static_cast<int>(in.Get(kCodeBits));
        if (only >= kNC) return false;
        code.BuildSingle(only);
        return true;
    }
    if (n > kNC) return false;
    std::vector<std::uint8_t> lengths(kNC, 0);
    int i = 0;
    while (i < n) {
        const int c = lengths_code.Decode(in);
        if (c < 0) return false;
        if (c > 2) {
            lengths[static_cast<std::size_t>(i++)] = static_cast<std::uint8_t>(c - 2);
            continue;
        }
        // 0: one zero length; 1: 3 to 18 of them; 2: 20 to 531 of them.
        const int zeros = c == 0 ? 1 : c == 1 ? static_cast<int>(in.Get(4)) + 3
                                              : static_cast<int>(in.Get(kCodeBits)) + 20;
        if (i + zeros > kNC) return false;
        i += zeros;
    }
    return code.Build(lengths);
}

bool CopyMatch(std::string& out, std::size_t distance, std::size_t length, std::size_t original) {
    if (distance >= out.size()) return false;
    std::size_t from = out.size() - distance - 1;
    length = std::min(length, original - out.size());
    for (std::size_t k = 0; k < length; ++k)
        out += out[from + k];
    return true;
}

ArjDecodeStatus DecodeInMemory(ArjSource& source, const ArjMember& m, std::string& out);

} // namespace

std::size_t ArjMemorySource::ReadAt(std::uint64_t offset, void* buffer, std::size_t size) {
    if (offset >= data_.size()) return 0;
    const std::size_t n = std::min<std::uint64_t>(size, data_.size() - offset);
    std::memcpy(buffer, data_.data() + offset, n);
    return n;
}

std::uint32_t ArjCrc32(const void* data, std::size_t size, std::uint32_t crc) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    crc = ~crc;
    const auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i)
        crc = table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

bool ArjHostUsesDosAttributes(std::uint8_t host_os) {
    // MS-DOS, OS/2, Windows 95 and Windows NT.
    return host_os == 0 || host_os == 5 || host_os == 10 || host_os == 11;
}

ArjListing ReadArjListing(ArjSource& source) {
    ArjListing listing;
    std::uint64_t at = 0;
    if (!FindMainHeader(source, at)) return listing;
    listing.main_header = at;
    std::vector<unsigned char> basic;
    bool end = false;
    std::uint64_t next = 0;
    ReadHeader(source, at, basic, next, end);
    at = next;
    for (;;) {
        listing.status = ReadHeader(source, at, basic, next, end);
        if (listing.status != ArjStatus::Ok || end) return listing;
        const std::size_t fixed = basic[0];
        if (fixed < kFixedPartMin || fixed > basic.size()) {
            listing.status = ArjStatus::BadHeader;
            return listing;
        }
        ArjMember m;
        m.host_os = basic[3];
        m.flags = basic[4];
        m.method = basic[5];
        m.file_type = basic[6];
        m.dos_time = Le16(&basic[8]);
        m.dos_date = Le16(&basic[10]);
        m.packed_size = Le32(&basic[12]);
        m.original_size = Le32(&basic[16]);
        m.crc = Le32(&basic[20]);
        m.access_mode = Le16(&basic[26]);
        m.name = HeaderString(basic, fixed);
        m.data_offset = next;
        if (m.file_type == kArjTypeFolder || m.file_type == kArjTypeLabel) m.packed_size = 0;
        if (next + m.packed_size > source.Size()) {
            listing.status = ArjStatus::Truncated;
            return listing;
        }
        listing.members.push_back(m);
        at = next + m.packed_size;
    }
}

// A header may claim any size: room is made as the data really comes.
constexpr std::size_t kReserveLimit = 1u << 22;

bool ArjDecodeHuffman(const std::string& packed, std::size_t original, std::string& out) {
    out.clear();
    out.reserve(std::min(original, kReserveLimit));
    BitReader in(packed);
    PrefixCode lengths_code, symbols, distances;
    std::uint32_t block_left = 0;
    while (out.size() < original) {
        if (block_left == 0) {
            block_left = in.Get(16);
            if (block_left == 0 || !ReadSmallTable(in, kNT, 3, lengths_code) ||
                !ReadSymbolTable(in, lengths_code, symbols) ||
                !ReadSmallTable(in, kNP, -1, distances))
                return false;
        }
        --block_left;
        const int c = symbols.Decode(in);
        if (c < 0) return false;
        if (c < 256) {
            out += static_cast<char>(c);
        } else {
            const int p = distances.Decode(in);
            if (p < 0) return false;
            const std::size_t distance = p == 0 ? 0 : (1u << (p - 1)) + in.Get(p - 1);
            if (!CopyMatch(out, distance, static_cast<std::size_t>(c - 253), original))
                return false;
        }
        if (in.Overrun()) return false;
    }
    return true;
}

bool ArjDecodeFast(const std::string& packed, std::size_t original, std::string& out) {
    out.clear();
    out.reserve(std::min(original, kReserveLimit));
    BitReader in(packed);
    // A number in classes: k one bits (a 0 closes them unless k is the
    // last class), then `first + k` bits added to the class's base.
    auto read_number = [&in](int first, int classes) {
        std::uint32_t base = 0;
        int width = first;
        for (int k = 0; k < classes && in.Get(1) == 1; ++k) {
            base += 1u << width;
            ++width;
        }
        return base + in.Get(width);
    };
    while (out.size() < original) {
        const std::uint32_t c = read_number(0, 7);
        if (c == 0) {
            out += static_cast<char>(in.Get(8));
        } else {
            const std::uint32_t distance = read_number(9, 4);
            if (!CopyMatch(out, distance, c + 2, original)) return false;
        }
        if (in.Overrun()) return false;
    }
    return true;
}

ArjDecodeStatus DecodeArjMember(ArjSource& source, const ArjMember& m, std::string& out) {
    out.clear();
    if (m.flags & kArjFlagGarbled) return ArjDecodeStatus::Encrypted;
    if (m.method > 4) return ArjDecodeStatus::Unsupported;
    if (m.original_size > kArjMaxMemberBytes || m.packed_size > kArjMaxMemberBytes)
        return ArjDecodeStatus::TooLarge;
    try {
        return DecodeInMemory(source, m, out);
    } catch (const std::bad_alloc&) {
        // More than this process can hold: the member is not extracted.
        out.clear();
        return ArjDecodeStatus::TooLarge;
    }
}

namespace {
ArjDecodeStatus DecodeInMemory(ArjSource& source, const ArjMember& m, std::string& out) {
    std::string packed(m.packed_size, '\0');
    if (m.packed_size && !ReadExact(source, m.data_offset, &packed[0], m.packed_size))
        return ArjDecodeStatus::ReadError;
    bool ok = true;
    switch (m.method) {
    case 0:
        if (m.packed_size != m.original_size) return ArjDecodeStatus::Damaged;
        out.swap(packed);
        break;
    case 4:
        ok = ArjDecodeFast(packed, m.original_size, out);
        break;
    default:
        ok = ArjDecodeHuffman(packed, m.original_size, out);
        break;
    }
    if (!ok) return ArjDecodeStatus::Damaged;
    return ArjCrc32(out.data(), out.size()) == m.crc ? ArjDecodeStatus::Ok
                                                     : ArjDecodeStatus::BadCrc;
}
} // namespace
