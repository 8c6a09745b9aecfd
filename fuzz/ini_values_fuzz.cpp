// Values as the environment data file holds them: integers, colours and
// font sizes. Whatever a hand-edited file says, reading answers a value or
// the default, and every colour written reads back as itself.
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "settings/ini_values.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int fallback = in.ConsumeIntegral<int>();
    const TColor colour = in.ConsumeIntegral<uint32_t>();
    const std::string text = in.ConsumeRemainingBytesAsString();

    if (auto v = ParseIniInteger(text)) {
        FUZZ_CHECK(*v >= -0xFFFFFFFFLL && *v <= 0xFFFFFFFFLL);
        // Decimal digits come back as the same number.
        FUZZ_CHECK(ParseIniInteger(std::to_string(*v)) == v);
    }
    const int value = IniInteger(text, fallback);
    // Font sizes and styles are read as integers: any stored number must be
    // safe to turn into pixels and back.
    PointsFromPixels(PixelsFromPoints(value));
    PixelsFromPoints(PointsFromPixels(value));
    PointsFromPixels(fallback);

    FUZZ_CHECK(StringToColor(ColorToString(colour)) == colour);
    if (auto c = StringToColor(text)) FUZZ_CHECK(StringToColor(ColorToString(*c)) == c);
    return 0;
}
