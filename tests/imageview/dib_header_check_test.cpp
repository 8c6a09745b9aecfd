// Checking DIB headers that come from plug-ins.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "imageview/dib_header_check.h"

namespace {
struct TInfo {
    std::vector<uint8_t> bytes = std::vector<uint8_t>(40 + 256 * 4);
    void Put32(size_t at, uint32_t v) { std::memcpy(&bytes[at], &v, 4); }
    void Put16(size_t at, uint16_t v) { std::memcpy(&bytes[at], &v, 2); }
    TInfo(int32_t w, int32_t h, uint16_t bits, uint32_t used = 0, uint32_t compression = 0) {
        Put32(0, 40);
        Put32(4, static_cast<uint32_t>(w));
        Put32(8, static_cast<uint32_t>(h));
        Put16(12, 1);
        Put16(14, bits);
        Put32(16, compression);
        Put32(32, used);
    }
};

bool Check(const TInfo& info, size_t infoSize, size_t bitsSize, TDibLayout* out = nullptr) {
    TDibLayout layout;
    const bool ok = CheckDibHeader(info.bytes.data(), infoSize, bitsSize, layout);
    if (out) *out = layout;
    return ok;
}
} // namespace

TEST(DibHeaderCheck, GoodHeadersGiveTheirLayout) {
    TDibLayout l;
    ASSERT_TRUE(Check(TInfo(10, 3, 24), 40, 32 * 3, &l));
    EXPECT_EQ(32u, l.Stride); // 30 bytes padded to 32
    EXPECT_EQ(3, l.Height);
    ASSERT_TRUE(Check(TInfo(9, -4, 8, 16), 40 + 16 * 4, 12 * 4, &l));
    EXPECT_TRUE(l.TopDown);
    EXPECT_EQ(4, l.Height);
    EXPECT_EQ(16u, l.UsedColors);
    EXPECT_TRUE(Check(TInfo(8, 8, 1), 40 + 2 * 4, 4 * 8));
    EXPECT_TRUE(Check(TInfo(4, 4, 32, 0, 3), 40 + 12, 64)); // bit fields with their masks
}

TEST(DibHeaderCheck, LiesAboutSizesAreRefused) {
    EXPECT_FALSE(Check(TInfo(10, 3, 24), 39, 1000));        // short header block
    EXPECT_FALSE(Check(TInfo(10, 100000, 24), 40, 32 * 3)); // rows beyond the pixels
    EXPECT_FALSE(Check(TInfo(10, 3, 24), 40, 32 * 3 - 1));  // one byte short
    EXPECT_FALSE(Check(TInfo(0, 3, 24), 40, 1000));
    EXPECT_FALSE(Check(TInfo(-5, 3, 24), 40, 1000));
    EXPECT_FALSE(Check(TInfo(10, 0, 24), 40, 1000));
    EXPECT_FALSE(Check(TInfo(4, INT32_MIN, 24), 40, ~size_t(0)));
    EXPECT_FALSE(Check(TInfo(10, 3, 7), 40 + 1024, 1000));        // no such depth
    EXPECT_FALSE(Check(TInfo(10, 3, 8, 1000), 40 + 1024, 1000));  // more colours than 8 bits index
    EXPECT_FALSE(Check(TInfo(10, 3, 8), 40 + 255 * 4, 1000));     // colour table cut short
    EXPECT_FALSE(Check(TInfo(10, 3, 24, 0, 1), 40, 1000));        // compressed
    EXPECT_FALSE(Check(TInfo(10, 3, 24, 0, 3), 52, 1000));        // bit fields at 24 bits
    EXPECT_FALSE(Check(TInfo(60000, 60000, 24), 40, ~size_t(0))); // beyond the picture limit
    TInfo wrongSize(10, 3, 24);
    wrongSize.Put32(0, 2000);
    EXPECT_FALSE(Check(wrongSize, 40 + 1024, 1000));
    TDibLayout l;
    EXPECT_FALSE(CheckDibHeader(nullptr, 40, 10, l));
}
