// Header checks, chunk order rules, transparency and the optional chunks.
#include <gtest/gtest.h>

#include "png_test_util.h"

namespace {

// A valid 4 x 3 file of the given format, with `extra` chunks placed before
// the image data.
TBytes FileWith(uint8_t colorType, uint8_t depth,
                const std::vector<std::pair<std::string, TBytes>>& extra, bool writeIend = true) {
    TTestImage img = RandomImage(4, 3, colorType, depth, false, 77);
    TPngBuilder b;
    b.Ihdr(img);
    for (const auto& [type, data] : extra)
        b.Chunk(type, data);
    b.Idat(ZlibCompress(FilteredImageData(img)));
    if (writeIend) b.Iend();
    return b.Bytes;
}

TBytes HeaderOnly(uint8_t depth, uint8_t colorType, uint8_t compression = 0, uint8_t filter = 0,
                  uint8_t interlace = 0) {
    TPngBuilder b;
    b.Ihdr(8, 8, depth, colorType, compression, filter, interlace);
    b.Iend();
    return b.Bytes;
}

TEST(PngHeader, EachInvalidFieldHasItsOwnMessage) {
    EXPECT_EQ(LoadError(HeaderOnly(8, 1)), "Read Header(PNG): Error ColorType");
    EXPECT_EQ(LoadError(HeaderOnly(8, 5)), "Read Header(PNG): Error ColorType");
    EXPECT_EQ(LoadError(HeaderOnly(8, 7)), "Read Header(PNG): Error ColorType");
    EXPECT_EQ(LoadError(HeaderOnly(4, 2)), "Read Header(PNG): Error BitDepth");
    EXPECT_EQ(LoadError(HeaderOnly(4, 6)), "Read Header(PNG): Error BitDepth");
    EXPECT_EQ(LoadError(HeaderOnly(16, 3)), "Read Header(PNG): Error BitDepth");
    EXPECT_EQ(LoadError(HeaderOnly(3, 3)), "Read Header(PNG): Error BitDepth");
    EXPECT_EQ(LoadError(HeaderOnly(3, 0)), "Read Header(PNG): Error Bitdepth");
    EXPECT_EQ(LoadError(HeaderOnly(32, 0)), "Read Header(PNG): Error Bitdepth");
    EXPECT_EQ(LoadError(HeaderOnly(4, 4)), "Read Header(PNG): not Use AlphaChannel");
    EXPECT_EQ(LoadError(HeaderOnly(8, 0, 2)), "Read Header(PNG): not support Compression");
    EXPECT_EQ(LoadError(HeaderOnly(8, 0, 0, 2)), "Read Header(PNG): not supprt Filter");
    EXPECT_EQ(LoadError(HeaderOnly(8, 0, 0, 0, 2)), "Read Header(PNG): not interlace type");
}

TEST(PngHeader, ChecksRunInTheirFixedOrder) {
    // Several faults at once: the earliest check names the fault.
    EXPECT_EQ(LoadError(HeaderOnly(3, 5, 9, 9, 9)), "Read Header(PNG): Error ColorType");
    EXPECT_EQ(LoadError(HeaderOnly(3, 2, 9, 9, 9)), "Read Header(PNG): Error BitDepth");
    EXPECT_EQ(LoadError(HeaderOnly(2, 4, 9, 9, 9)), "Read Header(PNG): not Use AlphaChannel");
    EXPECT_EQ(LoadError(HeaderOnly(8, 0, 9, 9, 9)), "Read Header(PNG): not support Compression");
    EXPECT_EQ(LoadError(HeaderOnly(8, 0, 1, 9, 9)), "Read Header(PNG): not supprt Filter");
}

TEST(PngHeader, SecondIhdrIsRefused) {
    TPngBuilder b;
    b.Ihdr(2, 2, 8, 0).Ihdr(2, 2, 8, 0).Iend();
    EXPECT_EQ(LoadError(b.Bytes), "Read Header(PNG): appear two IHDR");
}

TEST(PngHeader, ColourTypeKeepsOnlyItsLowThreeBits) {
    // 0x0E reads as 6 (RGB with alpha): the high bits are not looked at.
    TTestImage img = RandomImage(3, 3, 6, 8, false, 2);
    TPngBuilder b;
    b.Ihdr(3, 3, 8, 0x0E).Idat(ZlibCompress(FilteredImageData(img))).Iend();
    TPngGraphic g;
    LoadPng(g, b.Bytes);
    EXPECT_EQ(g.Header().ColorModel, pcmRgb);
    EXPECT_TRUE(g.Header().HasAlpha);
    EXPECT_FALSE(g.AlphaPlane().Empty());
}

TEST(PngSignature, WrongSignatureIsRefusedBeforeAnyChunk) {
    TBytes bytes = HeaderOnly(8, 1); // would fail on its colour type if it were read
    bytes[1] = 'p';
    EXPECT_EQ(LoadError(bytes), "PNG LoadStream: Not PNG Format");
    EXPECT_EQ(LoadError(TBytes{}), "PNG LoadStream: Not PNG Format");
    EXPECT_EQ(LoadError(TBytes{0x89, 'P', 'N', 'G'}), "PNG LoadStream: Not PNG Format");
}

TEST(PngChunks, WrongCrcsAreAccepted) {
    TTestImage img = RandomImage(5, 5, 2, 8, false, 8);
    TPngBuilder b;
    TBytes ihdr = Be32(5);
    TBytes h = Be32(5);
    ihdr.insert(ihdr.end(), h.begin(), h.end());
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});
    b.Chunk("IHDR", ihdr, true);
    b.Chunk("IDAT", ZlibCompress(FilteredImageData(img)), true).Chunk("IEND", {}, true);
    TPngGraphic g;
    LoadPng(g, b.Bytes);
    EXPECT_EQ(g.Width(), 5);
    EXPECT_EQ(g.Image().Row(4)[0], img.Sample(0, 4, 2));
}

TEST(PngChunks, TextChunkBetweenIdatChunksEndsTheImageData) {
    TTestImage img = RandomImage(30, 30, 2, 8, false, 10);
    TBytes z = ZlibCompress(FilteredImageData(img));
    TPngBuilder b;
    b.Ihdr(img).Idat(TBytes(z.begin(), z.begin() + z.size() / 2));
    b.Chunk("tEXt", {'k', 0, 'v'}).Idat(TBytes(z.begin() + z.size() / 2, z.end())).Iend();
    EXPECT_EQ(LoadError(b.Bytes), "Read Image (PNG): Read Error");
}

TEST(PngChunks, LaterIdatGroupAndTrailingChunksAreIgnoredOnceTheImageIsComplete) {
    TTestImage img = RandomImage(6, 6, 0, 8, false, 11);
    TPngBuilder b;
    b.Ihdr(img).Idat(ZlibCompress(FilteredImageData(img)));
    b.Chunk("tEXt", {'A', 0, 'b'}).Chunk("IDAT", {1, 2, 3, 4}).Chunk("zzZZ", {9, 9});
    b.Chunk("PLTE", {1, 2, 3}).Chunk("tRNS", {0, 5}).Iend();
    TPngGraphic g;
    LoadPng(g, b.Bytes);
    EXPECT_EQ(PixelIndex(g.Image(), 5, 5), img.Sample(5, 5, 0));
    EXPECT_FALSE(g.Image().Transparent);  // tRNS after the image data does not count
    ASSERT_EQ(g.Info().Texts.size(), 1u); // tEXt counts anywhere
    EXPECT_EQ(g.Info().Texts[0].first, "A");
}

TEST(PngChunks, FirstPaletteWinsAndIsStoredBlueGreenRed) {
    TTestImage img;
    img.Width = 3;
    img.Height = 1;
    img.ColorType = 3;
    img.Depth = 8;
    img.Samples = {0, 1, 2};
    TBytes z = ZlibCompress(FilteredImageData(img));
    TPngBuilder b;
    b.Ihdr(img).Chunk("PLTE", {10, 20, 30, 40, 50, 60, 70}).Chunk("PLTE", {99, 99, 99});
    b.Idat(z).Iend();
    TPngGraphic g;
    LoadPng(g, b.Bytes);
    const auto& pal = g.Image().Palette();
    ASSERT_EQ(pal.size(), 256u);
    EXPECT_EQ(pal[0].Red, 10);
    EXPECT_EQ(pal[0].Green, 20);
    EXPECT_EQ(pal[0].Blue, 30);
    EXPECT_EQ(pal[1].Blue, 60);
    // The trailing byte is no entry; entries the file does not give stay black.
    EXPECT_EQ(pal[2].Red, 0);
    EXPECT_EQ(pal[2].Green, 0);
}

TEST(PngChunks, ChunksBeforeTheHeaderAreSkipped) {
    TTestImage img = RandomImage(4, 3, 2, 8, false, 77);
    TPngBuilder b;
    b.Chunk("gAMA", Be32(45455)).Chunk("tRNS", {0, 1, 0, 2, 0, 3});
    b.Ihdr(img).Idat(ZlibCompress(FilteredImageData(img))).Iend();
    TPngGraphic g;
    LoadPng(g, b.Bytes);
    EXPECT_FALSE(g.Info().HasGamma);
    EXPECT_FALSE(g.Image().Transparent);
}

TEST(PngTransparency, GreyValueBecomesTheTransparentColour) {
    TPngGraphic g;
    LoadPng(g, FileWith(0, 8, {{"tRNS", Be16(0)}}));
    EXPECT_TRUE(g.Image().Transparent);
    EXPECT_EQ(g.Image().TransparentColor, MakeColorRef(0, 0, 0));

    LoadPng(g, FileWith(0, 8, {{"tRNS", Be16(0x0090)}}));
    EXPECT_EQ(g.Image().TransparentColor, MakeColorRef(0x90, 0x90, 0x90));

    LoadPng(g, FileWith(0, 16, {{"tRNS", Be16(0xAB12)}}));
    EXPECT_EQ(g.Image().TransparentColor, MakeColorRef(0xAB, 0xAB, 0xAB));
}

TEST(PngTransparency, LowDepthGreyValueMatchesItsPaletteLevel) {
    // Level 1 of a 1-bit image is white; level 2 of a 2-bit image is 170.
    TPngGraphic g;
    LoadPng(g, FileWith(0, 1, {{"tRNS", Be16(1)}}));
    EXPECT_EQ(g.Image().TransparentColor, MakeColorRef(255, 255, 255));
    LoadPng(g, FileWith(0, 2, {{"tRNS", Be16(2)}}));
    EXPECT_EQ(g.Image().TransparentColor, MakeColorRef(170, 170, 170));
    EXPECT_EQ(g.Image().Palette()[2].Red, 170);
    LoadPng(g, FileWith(0, 4, {{"tRNS", Be16(3)}}));
    EXPECT_EQ(g.Image().TransparentColor, MakeColorRef(51, 51, 51));
}

TEST(PngTransparency, RgbValueUsesLowBytesAt8AndHighBytesAt16) {
    TBytes rgb = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66};
    TPngGraphic g;
    LoadPng(g, FileWith(2, 8, {{"tRNS", rgb}}));
    EXPECT_EQ(g.Image().TransparentColor, MakeColorRef(0x22, 0x44, 0x66));
    LoadPng(g, FileWith(2, 16, {{"tRNS", rgb}}));
    EXPECT_EQ(g.Image().TransparentColor, MakeColorRef(0x11, 0x33, 0x55));
}

TEST(PngTransparency, ImagesWithAlphaIgnoreTrns) {
    TPngGraphic g;
    LoadPng(g, FileWith(6, 8, {{"tRNS", TBytes(6, 0)}}));
    EXPECT_FALSE(g.Image().Transparent);
    EXPECT_FALSE(g.Info().HasTransparentColor);
}

TEST(PngTransparency, NotAppliedWhenTheFileEndsWithoutIend) {
    TPngGraphic g;
    LoadPng(g, FileWith(0, 8, {{"tRNS", Be16(7)}}, false));
    EXPECT_FALSE(g.Image().Transparent);
    EXPECT_FALSE(g.Empty());
}

TEST(PngTransparency, PaletteAlphaFillsTheAlphaTable) {
    TBytes plte = {1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4};
    TPngGraphic g;
    LoadPng(g, FileWith(3, 2, {{"PLTE", plte}, {"tRNS", {200, 0, 128, 77, 66}}}));
    // Only one byte per palette entry counts; the rest stay opaque.
    EXPECT_EQ(g.AlphaTable()[0], 200);
    EXPECT_EQ(g.AlphaTable()[1], 0);
    EXPECT_EQ(g.AlphaTable()[3], 77);
    EXPECT_EQ(g.AlphaTable()[4], 255);
    EXPECT_TRUE(g.AlphaPlane().Empty());
    // The fully transparent entry lends its colour to the drawing.
    EXPECT_TRUE(g.Image().Transparent);
    EXPECT_EQ(g.Image().TransparentColor, MakeColorRef(2, 2, 2));

    LoadPng(g, FileWith(3, 2, {{"PLTE", plte}, {"tRNS", {200, 100}}}));
    EXPECT_FALSE(g.Image().Transparent);
    // tRNS before PLTE has no entries to refer to.
    LoadPng(g, FileWith(3, 2, {{"tRNS", {0, 0}}, {"PLTE", plte}}));
    EXPECT_EQ(g.AlphaTable()[0], 255);
    EXPECT_FALSE(g.Image().Transparent);
}

TEST(PngOptionalChunks, ValuesAreKept) {
    TBytes phys = Be32(2835);
    TBytes py = Be32(5670);
    phys.insert(phys.end(), py.begin(), py.end());
    phys.push_back(1);
    TPngGraphic g;
    LoadPng(g, FileWith(6, 8,
                        {{"gAMA", Be32(45455)},
                         {"sBIT", {5, 6, 7, 8}},
                         {"pHYs", phys},
                         {"bKGD", {0, 0x10, 0, 0x20, 0, 0x30}},
                         {"tEXt", {'T', 'i', 't', 'l', 'e', 0, 'a', 'b', 'c'}}}));
    const TPngInfo& info = g.Info();
    EXPECT_TRUE(info.HasGamma);
    EXPECT_DOUBLE_EQ(info.Gamma, 0.45455);
    EXPECT_TRUE(info.HasSignificantBits);
    EXPECT_EQ(info.SignificantRed, 5);
    EXPECT_EQ(info.SignificantBlue, 7);
    EXPECT_EQ(info.SignificantAlpha, 8);
    EXPECT_EQ(info.PixelsPerUnitX, 2835u);
    EXPECT_EQ(info.PixelsPerUnitY, 5670u);
    EXPECT_EQ(info.Unit, 1);
    EXPECT_TRUE(info.HasBackground);
    EXPECT_EQ(info.Background.Ref(), MakeColorRef(0x10, 0x20, 0x30));
    ASSERT_EQ(info.Texts.size(), 1u);
    EXPECT_EQ(info.Texts[0].first, "Title");
    EXPECT_EQ(info.Texts[0].second, "abc");
}

TEST(PngOptionalChunks, GammaAndSignificantBitsOnlyBeforePalette) {
    TBytes plte = {1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4};
    TPngGraphic g;
    LoadPng(g, FileWith(3, 2, {{"PLTE", plte}, {"gAMA", Be32(100000)}, {"sBIT", {1, 2, 3}}}));
    EXPECT_FALSE(g.Info().HasGamma);
    EXPECT_FALSE(g.Info().HasSignificantBits);
    LoadPng(g, FileWith(3, 2, {{"sBIT", {1, 2, 3}}, {"PLTE", plte}, {"bKGD", {2}}}));
    EXPECT_TRUE(g.Info().HasSignificantBits);
    EXPECT_EQ(g.Info().Background.Ref(), MakeColorRef(3, 3, 3));
    // Grey images carry no significant-bits values here.
    LoadPng(g, FileWith(0, 8, {{"sBIT", {3}}}));
    EXPECT_FALSE(g.Info().HasSignificantBits);
}

} // namespace
