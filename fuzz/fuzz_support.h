// Shared by the fuzz targets: a check that stops the run with a message
// (libFuzzer keeps the input), and the CP932 texts of the wrap rules, which
// this build cannot take from the sources' literals.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include <fuzzer/FuzzedDataProvider.h>

#define FUZZ_CHECK(cond)                                                                    \
    do {                                                                                    \
        if (!(cond)) {                                                                      \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);   \
            std::abort();                                                                   \
        }                                                                                   \
    } while (0)

namespace fuzz {

// The default wrap rules in CP932.
inline constexpr const char* kFollowStr =
    "\x81" "A\x81" "B\x81" "C\x81" "D\x81" "E\x81H\x81I\x81J\x81K\x81R\x81S\x81T\x81U\x81X\x81[\x81j"
    "\x81n\x81p\x81v\x81x!),.:;?]}\xA1\xA3\xA4\xA5\xB0\xDE\xDF";
inline constexpr const char* kLeadStr = "\x81i\x81m\x81o\x81u\x81w([{\xA2";
inline constexpr const char* kPunctuationStr = "\x81" "A\x81" "B\x81" "C\x81" "D,.\xA1\xA4";

// A short string from the input, or one of the given defaults.
inline std::string ShortString(FuzzedDataProvider& in, const char* fallback, size_t most = 12) {
    if (in.ConsumeBool()) return fallback;
    return in.ConsumeRandomLengthString(most);
}

// Length of the character at i of a Shift-JIS text: 2 for a lead byte with
// a byte after it.
inline bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

} // namespace fuzz
