// The ARJ reader on arbitrary bytes: the input is an archive whose headers
// are listed and whose members are all decoded, and, read from its end, the
// size and the stream for the two decoders on their own. Whatever comes
// out never claims more than the header promised, a decoded member matches
// its CRC, and the decoders agree with the member decoding.
#include <cstdint>
#include <string>

#include "arj_format.h"
#include "fuzz_support.h"

namespace {

// Large enough for the seeds' members, small enough to keep runs quick.
constexpr std::size_t kDirectLimit = std::size_t(1) << 17;

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string archive(reinterpret_cast<const char*>(data), size);
    ArjMemorySource source(archive);
    const ArjListing listing = ReadArjListing(source);
    if (listing.status == ArjStatus::NotArj) FUZZ_CHECK(listing.members.empty());
    else FUZZ_CHECK(listing.main_header < size);
    for (const ArjMember& m : listing.members)
        CheckMember(archive, source, m);

    FuzzedDataProvider in(data, size);
    const std::size_t original = in.ConsumeIntegralInRange<std::size_t>(0, kDirectLimit);
    DecodeBoth(in.ConsumeRemainingBytesAsString(), original);
    return 0;
}
