// Broken files end in EPngError with the read error, never in a crash, an
// overread or a huge allocation.
#include <gtest/gtest.h>

#include <random>

#include "png_test_util.h"

namespace {

const std::string kReadError = "Read Image (PNG): Read Error";

TEST(PngBadInput, HugeDeclaredSizesFailWithoutAllocating) {
    const std::pair<uint32_t, uint32_t> sizes[] = {{100000, 100000},
                                                   {0x7FFFFFFF, 1},
                                                   {1, 0x7FFFFFFF},
                                                   {0xFFFFFFFF, 0xFFFFFFFF},
                                                   {65536, 65536}};
    for (const auto& [w, h] : sizes) {
        for (uint8_t type : {0, 2, 6}) {
            SCOPED_TRACE(testing::Message() << w << "x" << h << " type " << int(type));
            TPngBuilder b;
            b.Ihdr(w, h, 8, type).Idat(ZlibCompress(TBytes(100, 0))).Iend();
            EXPECT_EQ(LoadError(b.Bytes), kReadError);
        }
    }
    // One row of 20 million RGBA pixels at 16 bits: the bitmap would fit,
    // the 160 MB row buffers must not be made.
    TPngBuilder wide;
    wide.Ihdr(20000000, 1, 16, 6).Idat(ZlibCompress(TBytes(100, 0))).Iend();
    EXPECT_EQ(LoadError(wide.Bytes), kReadError);
    TPngBuilder oneBit;
    oneBit.Ihdr(0x7FFFFFFF, 1, 1, 0).Idat(ZlibCompress(TBytes(100, 0))).Iend();
    EXPECT_EQ(LoadError(oneBit.Bytes), kReadError);
}

TEST(PngBadInput, ZeroSizedImageIsAReadError) {
    for (auto [w, h] : {std::pair<uint32_t, uint32_t>{0, 5}, {5, 0}, {0, 0}}) {
        TPngBuilder b;
        b.Ihdr(w, h, 8, 0).Idat(ZlibCompress(TBytes{0})).Iend();
        EXPECT_EQ(LoadError(b.Bytes), kReadError);
    }
}

TEST(PngBadInput, FileWithoutImageDataIsAReadError) {
    TPngBuilder noIdat;
    noIdat.Ihdr(4, 4, 8, 0).Iend();
    EXPECT_EQ(LoadError(noIdat.Bytes), kReadError);
    TPngBuilder dataFirst;
    dataFirst.Idat(ZlibCompress(TBytes(20, 0))).Ihdr(4, 4, 8, 0).Iend();
    EXPECT_EQ(LoadError(dataFirst.Bytes), kReadError);
}

TEST(PngBadInput, FilterTypeAboveFourIsAReadError) {
    TTestImage img = RandomImage(5, 4, 2, 8, false, 1);
    TBytes raw = FilteredImageData(img, 0);
    raw[(5 * 3 + 1) * 2] = 5; // filter byte of the third row
    TPngBuilder b;
    b.Ihdr(img).Idat(ZlibCompress(raw)).Iend();
    EXPECT_EQ(LoadError(b.Bytes), kReadError);
    raw[(5 * 3 + 1) * 2] = 255;
    TPngBuilder c;
    c.Ihdr(img).Idat(ZlibCompress(raw)).Iend();
    EXPECT_EQ(LoadError(c.Bytes), kReadError);
}

TEST(PngBadInput, ShortImageDataIsAReadError) {
    TTestImage img = RandomImage(16, 16, 6, 16, true, 2);
    TBytes raw = FilteredImageData(img);
    // A complete zlib stream that holds one row too few.
    raw.resize(raw.size() - 20);
    TPngBuilder b;
    b.Ihdr(img).Idat(ZlibCompress(raw)).Iend();
    EXPECT_EQ(LoadError(b.Bytes), kReadError);
}

TEST(PngBadInput, CorruptDeflateDataIsAReadError) {
    TTestImage img = RandomImage(16, 16, 2, 8, false, 3);
    TBytes z = ZlibCompress(FilteredImageData(img));
    for (size_t i = 2; i < z.size(); i += 7)
        z[i] ^= 0x5A;
    TPngBuilder b;
    b.Ihdr(img).Idat(z).Iend();
    EXPECT_EQ(LoadError(b.Bytes), kReadError);
    TPngBuilder garbage;
    garbage.Ihdr(img).Idat(TBytes{0xFF, 0xFF, 0xFF, 0xFF}).Iend();
    EXPECT_EQ(LoadError(garbage.Bytes), kReadError);
}

TEST(PngBadInput, EveryTruncationFailsCleanlyOrYieldsTheWholeImage) {
    for (bool interlaced : {false, true}) {
        TTestImage img = RandomImage(13, 11, 6, 8, interlaced, 4);
        TBytes full = EncodePng(img, {}, -1, 97);
        for (size_t cut = 0; cut < full.size(); ++cut) {
            SCOPED_TRACE(cut);
            TBytes part(full.begin(), full.begin() + cut);
            TPngGraphic g;
            try {
                LoadPng(g, part);
            } catch (const EPngError& e) {
                EXPECT_TRUE(g.Empty());
                // Past the signature and the header only the image data can be short.
                if (cut >= 8 + 25) {
                    EXPECT_EQ(std::string(e.what()), kReadError);
                }
                continue;
            }
            // Only a cut after the image data may still load, and then completely.
            ASSERT_FALSE(g.Empty());
            EXPECT_EQ(g.Image().Row(10)[3 * 12], img.Sample(12, 10, 2));
            EXPECT_EQ(g.AlphaPlane().Row(10)[12], 255 - img.Sample(12, 10, 3));
        }
    }
}

TEST(PngBadInput, ShortOrOversizedChunkLengthsStayInsideTheData) {
    // An IHDR of five bytes: the missing fields read as zero (depth 0).
    TPngBuilder shortHeader;
    shortHeader.Chunk("IHDR", {0, 0, 0, 4, 0}).Iend();
    EXPECT_EQ(LoadError(shortHeader.Bytes), "Read Header(PNG): Error Bitdepth");

    // A chunk claiming 4 GB ends the walk at the end of the data.
    TTestImage img = RandomImage(4, 4, 0, 8, false, 5);
    TPngBuilder huge;
    huge.Ihdr(img).Idat(ZlibCompress(FilteredImageData(img)));
    TBytes tail = Be32(0xFFFFFFF0u);
    tail.insert(tail.end(), {'t', 'E', 'X', 't', 'a', 0, 'b'});
    huge.Bytes.insert(huge.Bytes.end(), tail.begin(), tail.end());
    TPngGraphic g;
    LoadPng(g, huge.Bytes);
    EXPECT_FALSE(g.Empty());

    // An image chunk claiming more bytes than the file holds.
    TPngBuilder longIdat;
    longIdat.Ihdr(img);
    TBytes z = ZlibCompress(FilteredImageData(img));
    TBytes len = Be32(static_cast<uint32_t>(z.size() + 1000));
    longIdat.Bytes.insert(longIdat.Bytes.end(), len.begin(), len.end());
    longIdat.Bytes.insert(longIdat.Bytes.end(), {'I', 'D', 'A', 'T'});
    longIdat.Bytes.insert(longIdat.Bytes.end(), z.begin(), z.begin() + z.size() / 2);
    EXPECT_EQ(LoadError(longIdat.Bytes), kReadError);
}

TEST(PngBadInput, PaletteIndicesBeyondThePaletteStayInsideTheColourTable) {
    TTestImage img;
    img.Width = 2;
    img.Height = 1;
    img.ColorType = 3;
    img.Depth = 8;
    img.Samples = {1, 250};
    TPngGraphic g;
    LoadPng(g, EncodePng(img, {9, 9, 9, 8, 8, 8}));
    // Every index the depth allows has an entry; those the file lacks are black.
    ASSERT_EQ(g.Image().Palette().size(), 256u);
    EXPECT_EQ(g.Image().Palette()[250].Red, 0);
    EXPECT_EQ(PixelIndex(g.Image(), 1, 0), 250);
    // No palette at all decodes too, every entry black.
    TPngGraphic h;
    LoadPng(h, EncodePng(img));
    EXPECT_EQ(h.Image().Palette()[1].Green, 0);
}

} // namespace

namespace {

TEST(PngBadInput, RandomlyDamagedFilesLoadOrFailWithEPngError) {
    std::mt19937 rng(2024);
    TTestImage rgba = RandomImage(21, 13, 6, 8, true, 21);
    TTestImage pal = RandomImage(17, 9, 3, 2, false, 22);
    const TBytes sources[] = {EncodePng(rgba, {}, -1, 50), EncodePng(pal, TBytes(12, 0x40), -1, 0)};
    for (const TBytes& source : sources) {
        for (int round = 0; round < 400; ++round) {
            TBytes bytes = source;
            const int flips = 1 + static_cast<int>(rng() % 4);
            for (int f = 0; f < flips; ++f) {
                // Keep the signature so the damage reaches the chunks.
                const size_t at = 8 + rng() % (bytes.size() - 8);
                bytes[at] = static_cast<uint8_t>(rng());
            }
            SCOPED_TRACE(round);
            TPngGraphic g;
            try {
                LoadPng(g, bytes);
                EXPECT_FALSE(g.Empty());
            } catch (const EPngError&) {
                EXPECT_TRUE(g.Empty());
            }
        }
    }
}

} // namespace
