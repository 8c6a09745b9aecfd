// The ARJ reader on arbitrary bytes. The input is an archive: its headers
// are listed and its members decoded, as it is and again with its header
// CRCs made right. Read from its end, it is also a size and a stream for
// the two decoders on their own. Nothing that comes out is longer than
// promised, a decoded member matches its CRC, and the decoders agree with
// the member decoding.
#include <cstdint>
#include <string>

#include "arj_format.h"
#include "fuzz_support.h"

namespace {

// Large enough for the seeds' members, small enough to keep runs quick.
constexpr std::size_t kDirectLimit = std::size_t(1) << 17;
// Members claiming more than this but no more than the reader allows are
// listed only: a few bytes of Huffman data really can make 256 MB, which
// takes seconds under the sanitizers and would stall the run.
constexpr std::uint32_t kDecodeLimit = std::uint32_t(1) << 22;

// The input with the CRC of every plausible header made right, so that
// changed header fields reach the code after the CRC check.
std::string WithHeaderCrcs(std::string a) {
    for (std::size_t i = 0; i + 4 <= a.size(); ++i) {
        if (static_cast<unsigned char>(a[i]) != 0x60 || static_cast<unsigned char>(a[i + 1]) != 0xEA)
            continue;
        const std::size_t size = static_cast<unsigned char>(a[i + 2]) |
                                 static_cast<std::size_t>(static_cast<unsigned char>(a[i + 3])) << 8;
        if (size < 30 || size > 2600 || a.size() - i - 4 < size + 4) continue;
        const std::uint32_t crc = ArjCrc32(a.data() + i + 4, size);
        for (int k = 0; k < 4; ++k)
            a[i + 4 + size + k] = static_cast<char>(crc >> (8 * k));
        i += 4 + size + 3;
    }
    return a;
}

void DecodeBoth(const std::string& packed, std::size_t original) {
    std::string out;
    if (ArjDecodeHuffman(packed, original, out)) FUZZ_CHECK(out.size() == original);
    FUZZ_CHECK(out.size() <= original);
    if (ArjDecodeFast(packed, original, out)) FUZZ_CHECK(out.size() == original);
    FUZZ_CHECK(out.size() <= original);
}

void CheckMember(const std::string& archive, ArjSource& source, const ArjMember& m) {
    FUZZ_CHECK(m.data_offset <= archive.size() && m.packed_size <= archive.size() - m.data_offset);
    if (m.file_type == kArjTypeFolder || m.file_type == kArjTypeLabel) FUZZ_CHECK(m.packed_size == 0);
    if (m.original_size > kDecodeLimit && m.original_size <= kArjMaxMemberBytes) return;
    std::string out;
    const ArjDecodeStatus status = DecodeArjMember(source, m, out);
    if (status == ArjDecodeStatus::Ok) {
        FUZZ_CHECK(out.size() == m.original_size);
        FUZZ_CHECK(ArjCrc32(out.data(), out.size()) == m.crc);
    }
    if (status == ArjDecodeStatus::TooLarge) FUZZ_CHECK(out.empty());
    if (!(m.flags & kArjFlagGarbled) && m.method <= 4 &&
        (m.original_size > kArjMaxMemberBytes || m.packed_size > kArjMaxMemberBytes))
        FUZZ_CHECK(status == ArjDecodeStatus::TooLarge);
    if (m.flags & kArjFlagGarbled) FUZZ_CHECK(status == ArjDecodeStatus::Encrypted);
    const std::string packed = archive.substr(static_cast<std::size_t>(m.data_offset), m.packed_size);
    if (status == ArjDecodeStatus::Ok && m.method == 0) FUZZ_CHECK(out == packed);

    // The decoder on its own says the same about the member's data.
    if (m.original_size > kDirectLimit || (m.flags & kArjFlagGarbled) || m.method == 0 ||
        m.method > 4)
        return;
    std::string direct;
    const bool ok = m.method == 4 ? ArjDecodeFast(packed, m.original_size, direct)
                                  : ArjDecodeHuffman(packed, m.original_size, direct);
    FUZZ_CHECK(ok == (status == ArjDecodeStatus::Ok || status == ArjDecodeStatus::BadCrc));
    if (ok) FUZZ_CHECK(direct == out);
}

void CheckArchive(const std::string& archive) {
    ArjMemorySource source(archive);
    const ArjListing listing = ReadArjListing(source);
    if (listing.status == ArjStatus::NotArj) FUZZ_CHECK(listing.members.empty());
    else FUZZ_CHECK(listing.main_header < archive.size());
    for (const ArjMember& m : listing.members)
        CheckMember(archive, source, m);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string archive(reinterpret_cast<const char*>(data), size);
    CheckArchive(archive);
    const std::string mended = WithHeaderCrcs(archive);
    if (mended != archive) CheckArchive(mended);

    FuzzedDataProvider in(data, size);
    const std::size_t original = in.ConsumeIntegralInRange<std::size_t>(0, kDirectLimit);
    DecodeBoth(in.ConsumeRemainingBytesAsString(), original);
    return 0;
}
