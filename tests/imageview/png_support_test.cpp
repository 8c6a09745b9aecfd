// The pieces under the PNG reader: bitmap sizes, the inflate wrapper, the
// interlace placing routines and the BMP writer.
#include <gtest/gtest.h>

#include <cstring>

#include "imageview/bmp_writer.h"
#include "imageview/dib_bitmap.h"
#include "imageview/png_row_ops.h"
#include "imageview/zlib_inflater.h"
#include "png_test_util.h"

namespace {

uint32_t Le32(const TBytes& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

TEST(DibBitmap, RowsArePaddedToFourBytesAndSizesAreBounded) {
    EXPECT_EQ(TDibBitmap::StrideFor(1, 1), 4u);
    EXPECT_EQ(TDibBitmap::StrideFor(33, 1), 8u);
    EXPECT_EQ(TDibBitmap::StrideFor(9, 4), 8u);
    EXPECT_EQ(TDibBitmap::StrideFor(5, 24), 16u);
    EXPECT_EQ(TDibBitmap::StrideFor(0, 8), 0u);
    EXPECT_EQ(TDibBitmap::StrideFor(10, 2), 0u);
    EXPECT_EQ(TDibBitmap::StrideFor(0xFFFFFFFFu, 24), 0u);

    TDibBitmap bmp;
    EXPECT_FALSE(bmp.Create(100000, 100000, 8));
    EXPECT_TRUE(bmp.Empty());
    ASSERT_TRUE(bmp.Create(3, 2, 4));
    EXPECT_EQ(bmp.Palette().size(), 16u);
    EXPECT_EQ(bmp.ImageSize(), 8u);
    EXPECT_EQ(bmp.Row(0), bmp.Bits() + 4);
    ASSERT_TRUE(bmp.Create(2, 2, 24));
    EXPECT_TRUE(bmp.Palette().empty());
}

TEST(ZlibInflater, TakesInputPieceByPieceAndRefusesShortOrBadData) {
    TBytes plain(5000);
    for (size_t i = 0; i < plain.size(); ++i)
        plain[i] = static_cast<uint8_t>(i * 7 / 3);
    const TBytes z = ZlibCompress(plain);
    size_t pos = 0;
    int calls = 0;
    TZlibInflater inflater;
    ASSERT_TRUE(inflater.Init());
    inflater.SetSupply([&](const uint8_t*& data, size_t& size) {
        if (pos >= z.size()) return false;
        ++calls;
        data = z.data() + pos;
        size = 1;
        ++pos;
        return true;
    });
    TBytes out(plain.size());
    ASSERT_TRUE(inflater.Inflate(out.data(), 1234));
    ASSERT_TRUE(inflater.Inflate(out.data() + 1234, out.size() - 1234));
    EXPECT_EQ(out, plain);
    EXPECT_GT(calls, 10);
    // The stream has ended: asking for more must fail, not hang or overrun.
    uint8_t extra[4];
    EXPECT_FALSE(inflater.Inflate(extra, sizeof extra));

    pos = 0;
    ASSERT_TRUE(inflater.Init());
    TBytes cut(z.begin(), z.begin() + z.size() / 2);
    inflater.SetSupply([&](const uint8_t*& data, size_t& size) {
        if (pos != 0) return false;
        data = cut.data();
        size = cut.size();
        pos = 1;
        return true;
    });
    EXPECT_FALSE(inflater.Inflate(out.data(), out.size()));
}

TEST(PngRowOps, UnfilterRefusesUnknownTypes) {
    uint8_t row[3] = {1, 2, 3}, prior[3] = {0, 0, 0};
    EXPECT_FALSE(PngUnfilterRow(5, row, prior, 3, 1));
    EXPECT_EQ(row[0], 1);
    EXPECT_TRUE(PngUnfilterRow(1, row, prior, 3, 1));
    EXPECT_EQ(row[2], 6);
}

TEST(PngRowOps, PlacingRoutinesWriteOnlyTheirOwnPixels) {
    // 1 bit: pixels 0, 1, 2 of the pass go to columns 1, 3, 5.
    uint8_t ones = 0xA0;      // 1, 0, 1
    uint8_t row1[1] = {0x40}; // column 1 set before: must be cleared by the 0
    PngPlacePixels(1, &ones, 3, row1, 1, 2);
    EXPECT_EQ(row1[0], 0x44); // columns 1 and 5 set, 3 clear
    uint8_t row1b[1] = {0xFF};
    uint8_t zeros = 0x00;
    PngPlacePixels(1, &zeros, 2, row1b, 2, 4);
    EXPECT_EQ(row1b[0], 0xDD);

    // 4 bits: nibbles 0xA, 0xB to columns 1 and 4; the others keep their value.
    uint8_t nibbles = 0xAB;
    uint8_t row4[3] = {0x11, 0x11, 0x11};
    PngPlacePixels(4, &nibbles, 2, row4, 1, 3);
    EXPECT_EQ(row4[0], 0x1A);
    EXPECT_EQ(row4[1], 0x11);
    EXPECT_EQ(row4[2], 0xB1);

    uint8_t bgr[6] = {1, 2, 3, 4, 5, 6};
    uint8_t row24[15] = {};
    PngPlacePixels(24, bgr, 2, row24, 0, 4);
    EXPECT_EQ(row24[0], 1);
    EXPECT_EQ(row24[12], 4);
    EXPECT_EQ(row24[14], 6);
    EXPECT_EQ(row24[3], 0);
}

TEST(BmpWriter, WritesHeadersPaletteAndBottomUpBits) {
    TDibBitmap bmp;
    ASSERT_TRUE(bmp.Create(3, 2, 8));
    bmp.SetGreyPalette(256);
    bmp.Row(0)[0] = 7; // top-left
    const TBytes file = EncodeBmp(bmp);
    ASSERT_EQ(file.size(), 14u + 40u + 1024u + 8u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(Le32(file, 2), file.size());
    EXPECT_EQ(Le32(file, 10), 14u + 40u + 1024u);
    EXPECT_EQ(Le32(file, 18), 3u);
    EXPECT_EQ(Le32(file, 22), 2u);
    EXPECT_EQ(file[28], 8);
    EXPECT_EQ(Le32(file, 46), 256u);
    EXPECT_EQ(file[54 + 4 * 255], 255);
    // The top row is the second stored row.
    EXPECT_EQ(file[14 + 40 + 1024 + 4], 7);
    EXPECT_TRUE(EncodeBmp(TDibBitmap{}).empty());
}

} // namespace
