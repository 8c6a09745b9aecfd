// Decoded pixels against the samples the test files were written from.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <tuple>

#include "imageview/png_row_ops.h"
#include "png_test_util.h"

namespace {

TBytes RandomPalette(int entries, uint32_t seed) {
    std::mt19937 rng(seed);
    TBytes plte(static_cast<size_t>(entries) * 3);
    for (uint8_t& b : plte)
        b = static_cast<uint8_t>(rng());
    return plte;
}

int ExpectedBitCount(const TTestImage& img) {
    if (img.ColorType == 2 || img.ColorType == 6) return 24;
    if (img.ColorType == 4) return 8;
    if (img.Depth == 1) return 1;
    if (img.Depth <= 4) return 4;
    return 8;
}

// Compares every pixel, the palette and the alpha plane with the samples.
void ExpectPicture(const TTestImage& img, const TPngGraphic& g, const TBytes& plte) {
    ASSERT_FALSE(g.Empty());
    ASSERT_EQ(g.Width(), static_cast<int>(img.Width));
    ASSERT_EQ(g.Height(), static_cast<int>(img.Height));
    const TDibBitmap& bmp = g.Image();
    ASSERT_EQ(bmp.BitCount(), ExpectedBitCount(img));
    EXPECT_EQ(bmp.Stride() % 4, 0u);
    EXPECT_GE(bmp.Stride() * 8, static_cast<size_t>(img.Width) * bmp.BitCount());
    const bool hasAlpha = img.ColorType == 4 || img.ColorType == 6;
    ASSERT_EQ(g.AlphaPlane().Empty(), !hasAlpha);
    if (hasAlpha) {
        ASSERT_EQ(g.AlphaPlane().BitCount(), 8);
    }

    auto hi = [&](uint16_t s) { return img.Depth == 16 ? s >> 8 : s; };
    if (bmp.BitCount() <= 8) {
        ASSERT_EQ(bmp.Palette().size(), size_t(1) << bmp.BitCount());
        if (img.ColorType == 3) {
            for (size_t i = 0; i < plte.size() / 3; ++i) {
                EXPECT_EQ(bmp.Palette()[i].Red, plte[3 * i]);
                EXPECT_EQ(bmp.Palette()[i].Green, plte[3 * i + 1]);
                EXPECT_EQ(bmp.Palette()[i].Blue, plte[3 * i + 2]);
            }
        } else {
            const int levels = 1 << (img.Depth > 8 ? 8 : img.Depth);
            for (int i = 0; i < levels; ++i) {
                EXPECT_EQ(bmp.Palette()[i].Red, i * 255 / (levels - 1)) << "grey level " << i;
                EXPECT_EQ(bmp.Palette()[i].Blue, bmp.Palette()[i].Red);
            }
        }
    }
    for (uint32_t y = 0; y < img.Height; ++y) {
        for (uint32_t x = 0; x < img.Width; ++x) {
            const int ix = static_cast<int>(x), iy = static_cast<int>(y);
            if (bmp.BitCount() == 24) {
                const uint8_t* p = bmp.Row(iy) + 3 * x;
                ASSERT_EQ(p[0], hi(img.Sample(x, y, 2))) << "blue at " << x << "," << y;
                ASSERT_EQ(p[1], hi(img.Sample(x, y, 1))) << "green at " << x << "," << y;
                ASSERT_EQ(p[2], hi(img.Sample(x, y, 0))) << "red at " << x << "," << y;
            } else {
                ASSERT_EQ(PixelIndex(bmp, ix, iy), hi(img.Sample(x, y, 0)))
                    << "index at " << x << "," << y;
            }
            if (hasAlpha) {
                const int a = hi(img.Sample(x, y, img.Channels() - 1));
                ASSERT_EQ(g.AlphaPlane().Row(iy)[x], 255 - a) << "alpha at " << x << "," << y;
            }
        }
    }
}

TBytes PaletteFor(const TTestImage& img, uint32_t seed) {
    return img.ColorType == 3 ? RandomPalette(1 << img.Depth, seed) : TBytes{};
}

using TFormat = std::tuple<int, int>; // colour type, depth
using TCase = std::tuple<TFormat, bool, std::pair<uint32_t, uint32_t>>;

class PngFormatTest : public ::testing::TestWithParam<TCase> {};

TEST_P(PngFormatTest, DecodesEverySampleExactly) {
    const auto [format, interlaced, size] = GetParam();
    const auto [colorType, depth] = format;
    const uint32_t seed = size.first * 131 + size.second * 7 + colorType * 17 + depth;
    TTestImage img = RandomImage(size.first, size.second, static_cast<uint8_t>(colorType),
                                 static_cast<uint8_t>(depth), interlaced, seed);
    TBytes plte = PaletteFor(img, seed);
    TPngGraphic g;
    LoadPng(g, EncodePng(img, plte));
    ExpectPicture(img, g, plte);
    EXPECT_EQ(g.Header().Interlace, interlaced ? 1 : 0);
    EXPECT_FALSE(g.Image().Transparent);
}

// Whole pixel blocks, row padding and unused bits included, alike.
void ExpectSameBlocks(const TDibBitmap& a, const TDibBitmap& b) {
    ASSERT_EQ(a.Empty(), b.Empty());
    if (a.Empty()) return;
    ASSERT_EQ(a.ImageSize(), b.ImageSize());
    EXPECT_EQ(0, std::memcmp(a.Bits(), b.Bits(), a.ImageSize()));
    ASSERT_EQ(a.Palette().size(), b.Palette().size());
    for (size_t i = 0; i < a.Palette().size(); ++i) {
        EXPECT_EQ(a.Palette()[i].Red, b.Palette()[i].Red);
        EXPECT_EQ(a.Palette()[i].Green, b.Palette()[i].Green);
        EXPECT_EQ(a.Palette()[i].Blue, b.Palette()[i].Blue);
    }
    EXPECT_EQ(a.Transparent, b.Transparent);
}

TEST(PngGraphicLoad, OnePictureLoadedAgainAndAgainGivesWhatFreshOnesGive) {
    // Every format, plain and interlaced, larger and smaller, into one
    // object: what its kept blocks held never shows, not even in padding
    // or in the unused bits of a last byte. Same-size pictures keep the block.
    const TFormat formats[] = {{2, 8}, {0, 1}, {6, 8}, {3, 4}, {2, 16}, {0, 2}, {4, 8}, {3, 1}, {6, 16}, {0, 8}};
    const std::pair<uint32_t, uint32_t> sizes[] = {{33, 17}, {7, 9}, {33, 17}, {50, 3}};
    TPngGraphic g;
    uint32_t seed = 1;
    for (int round = 0; round < 3; ++round) {
        for (const TFormat& f : formats) {
            for (const auto& size : sizes) {
                const bool interlaced = (seed++ % 3) == 0;
                TTestImage img = RandomImage(size.first, size.second, static_cast<uint8_t>(std::get<0>(f)),
                                             static_cast<uint8_t>(std::get<1>(f)), interlaced, seed);
                const TBytes plte = PaletteFor(img, seed);
                const TBytes file = EncodePng(img, plte);
                const uint8_t* before = g.Image().Bits();
                const size_t before_size = g.Image().Empty() ? 0 : g.Image().ImageSize();
                LoadPng(g, file);
                ExpectPicture(img, g, plte);
                if (before && g.Image().ImageSize() <= before_size) {
                    EXPECT_EQ(before, g.Image().Bits());
                }
                TPngGraphic fresh;
                LoadPng(fresh, file);
                ExpectSameBlocks(g.Image(), fresh.Image());
                ExpectSameBlocks(g.AlphaPlane(), fresh.AlphaPlane());
            }
        }
    }
}

TEST(PngGraphicLoad, ColourPixelsGoWhereThePixelSourceSays) {
    // The window gives the block of the bitmap it draws, for colour pictures
    // only; the others stay in the picture's own memory.
    std::vector<uint8_t> shown;
    int asked = 0;
    TPngGraphic g;
    g.SetPixelSource([&](uint32_t w, uint32_t h, int bitCount) -> uint8_t* {
        ++asked;
        if (bitCount != 24) return nullptr;
        shown.assign(TDibBitmap::StrideFor(w, 24) * h, 0xEE);
        return shown.data();
    });
    TTestImage rgba = RandomImage(33, 17, 6, 8, false, 5);
    LoadPng(g, EncodePng(rgba, {}));
    ExpectPicture(rgba, g, {});
    EXPECT_TRUE(g.Image().BorrowedPixels());
    EXPECT_EQ(shown.data(), g.Image().Bits());
    EXPECT_FALSE(g.AlphaPlane().BorrowedPixels());
    TPngGraphic fresh;
    LoadPng(fresh, EncodePng(rgba, {}));
    ExpectSameBlocks(g.Image(), fresh.Image());

    TTestImage grey = RandomImage(9, 9, 0, 8, true, 6);
    LoadPng(g, EncodePng(grey, {}));
    ExpectPicture(grey, g, {});
    EXPECT_FALSE(g.Image().BorrowedPixels());
    // A failed load leaves nothing, and the source serves the next picture.
    EXPECT_THROW(LoadPng(g, TBytes{1, 2, 3}), EPngError);
    EXPECT_TRUE(g.Empty());
    LoadPng(g, EncodePng(rgba, {}));
    EXPECT_TRUE(g.Image().BorrowedPixels());
    EXPECT_EQ(asked, 3);
}

std::string CaseName(const ::testing::TestParamInfo<TCase>& info) {
    const auto [format, interlaced, size] = info.param;
    return "type" + std::to_string(std::get<0>(format)) + "_depth" +
           std::to_string(std::get<1>(format)) + (interlaced ? "_adam7_" : "_plain_") +
           std::to_string(size.first) + "x" + std::to_string(size.second);
}

INSTANTIATE_TEST_SUITE_P(
    AllFormats, PngFormatTest,
    ::testing::Combine(::testing::Values(TFormat{0, 1}, TFormat{0, 2}, TFormat{0, 4}, TFormat{0, 8},
                                         TFormat{0, 16}, TFormat{2, 8}, TFormat{2, 16},
                                         TFormat{3, 1}, TFormat{3, 2}, TFormat{3, 4}, TFormat{3, 8},
                                         TFormat{4, 8}, TFormat{4, 16}, TFormat{6, 8},
                                         TFormat{6, 16}),
                       ::testing::Bool(),
                       ::testing::Values(std::make_pair(1u, 1u), std::make_pair(3u, 2u),
                                         std::make_pair(7u, 9u), std::make_pair(33u, 17u))),
    CaseName);

// Every filter type on its own, at each filter unit the formats give.
TEST(PngFilters, EachFilterTypeAtEveryPixelSize) {
    // Both forms of Paeth for colour pixels: the one for processors with
    // SSE4.1 and the one for every processor.
    const TFormat formats[] = {{0, 1}, {0, 8}, {4, 8}, {2, 8}, {6, 8}, {0, 16}, {2, 16}, {6, 16}};
    struct Restore {
        ~Restore() { PngUseFastPaeth(true); }
    } restore;
    for (bool fast : {true, false}) {
        PngUseFastPaeth(fast);
        for (const TFormat& f : formats) {
            for (int filter = 0; filter <= 4; ++filter) {
                for (bool interlaced : {false, true}) {
                    SCOPED_TRACE(testing::Message()
                                 << "type " << std::get<0>(f) << " depth " << std::get<1>(f) << " filter "
                                 << filter << (interlaced ? " adam7" : "") << (fast ? " sse4.1" : ""));
                    TTestImage img = RandomImage(19, 11, static_cast<uint8_t>(std::get<0>(f)),
                                                 static_cast<uint8_t>(std::get<1>(f)), interlaced,
                                                 static_cast<uint32_t>(filter + 100));
                    TPngGraphic g;
                    LoadPng(g, EncodePng(img, {}, filter));
                    ExpectPicture(img, g, {});
                }
            }
        }
    }
}

TEST(PngImageData, SplitOverManyIdatChunksDecodesAsOneStream) {
    TTestImage img = RandomImage(40, 30, 6, 8, true, 5);
    for (size_t piece : {1u, 3u, 64u, 1000u}) {
        SCOPED_TRACE(piece);
        TPngGraphic g;
        LoadPng(g, EncodePng(img, {}, -1, piece));
        ExpectPicture(img, g, {});
    }
}

TEST(PngImageData, EmptyIdatChunksBetweenDataAreHarmless) {
    TTestImage img = RandomImage(10, 10, 2, 8, false, 6);
    TBytes z = ZlibCompress(FilteredImageData(img));
    TPngBuilder b;
    b.Ihdr(img).Chunk("IDAT", {}).Idat(TBytes(z.begin(), z.begin() + 10));
    b.Chunk("IDAT", {}).Idat(TBytes(z.begin() + 10, z.end())).Iend();
    TPngGraphic g;
    LoadPng(g, b.Bytes);
    ExpectPicture(img, g, {});
}

TEST(PngImageData, LargeImageWithRowsLongerThanTheReadBuffer) {
    // 30000 x 3 RGBA rows are 120 KB each: wider than the 64 KB read-ahead.
    TTestImage img = RandomImage(30000, 3, 6, 8, false, 9);
    TPngGraphic g;
    LoadPng(g, EncodePng(img, {}, -1, 5000));
    ExpectPicture(img, g, {});
}

TEST(PngImageData, SixteenBitSamplesKeepTheirHighByte) {
    TTestImage img;
    img.Width = 2;
    img.Height = 1;
    img.ColorType = 2;
    img.Depth = 16;
    img.Samples = {0x12FF, 0x3400, 0x5680, 0xFF01, 0x0001, 0x80FE};
    TPngGraphic g;
    LoadPng(g, EncodePng(img));
    const uint8_t* p = g.Image().Row(0);
    EXPECT_EQ(TBytes(p, p + 6), (TBytes{0x56, 0x34, 0x12, 0x80, 0x00, 0xFF}));
}

TEST(PngImageData, TwoBitPaletteIndicesWidenToFourBits) {
    TTestImage img;
    img.Width = 5;
    img.Height = 1;
    img.ColorType = 3;
    img.Depth = 2;
    img.Samples = {3, 0, 2, 1, 3};
    TPngGraphic g;
    LoadPng(g, EncodePng(img, RandomPalette(4, 1)));
    ASSERT_EQ(g.Image().BitCount(), 4);
    const uint8_t* p = g.Image().Row(0);
    EXPECT_EQ(p[0], 0x30);
    EXPECT_EQ(p[1], 0x21);
    EXPECT_EQ(p[2] >> 4, 3);
}

TEST(PngImageData, RowsAreStoredBottomUp) {
    TTestImage img;
    img.Width = 1;
    img.Height = 3;
    img.ColorType = 0;
    img.Depth = 8;
    img.Samples = {10, 20, 30};
    TPngGraphic g;
    LoadPng(g, EncodePng(img));
    // Bits() starts with the bottom row, as a DIB with positive height does.
    const uint8_t* bits = g.Image().Bits();
    EXPECT_EQ(bits[0], 30);
    EXPECT_EQ(bits[g.Image().Stride()], 20);
    EXPECT_EQ(bits[2 * g.Image().Stride()], 10);
}

TEST(PngProgress, ReportsStartRowsAndEndThenChange) {
    TTestImage img = RandomImage(20, 250, 2, 8, true, 3);
    TPngGraphic g;
    std::vector<std::pair<TProgressStage, int>> seen;
    int changes = 0;
    g.OnProgress = [&](TPngGraphic& sender, TProgressStage stage, int percent) {
        EXPECT_EQ(&sender, &g);
        seen.emplace_back(stage, percent);
    };
    g.OnChange = [&](TPngGraphic&) {
        EXPECT_EQ(seen.back().first, psEnding);
        ++changes;
    };
    LoadPng(g, EncodePng(img));
    ASSERT_GE(seen.size(), 50u);
    EXPECT_EQ(seen.front(), std::make_pair(psStarting, 0));
    EXPECT_EQ(seen.back(), std::make_pair(psEnding, 100));
    for (size_t i = 1; i + 1 < seen.size(); ++i) {
        EXPECT_EQ(seen[i].first, psRunning);
        if (i > 1) {
            EXPECT_GT(seen[i].second, seen[i - 1].second);
        }
    }
    EXPECT_EQ(seen[seen.size() - 2].second, 100);
    EXPECT_EQ(changes, 1);
}

TEST(PngGraphicLoad, LoadsFromAFileAndRefusesAMissingOne) {
    TTestImage img = RandomImage(9, 4, 3, 4, false, 12);
    TBytes plte = RandomPalette(16, 12);
    const std::string path = testing::TempDir() + "qm_png_load_test.png";
    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        TBytes bytes = EncodePng(img, plte);
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    TPngGraphic g;
    g.LoadFromFile(path);
    ExpectPicture(img, g, plte);
    std::remove(path.c_str());
    EXPECT_THROW(g.LoadFromFile(path), EFOpenError);
    EXPECT_TRUE(g.Empty());
}

TEST(PngGraphicLoad, AssignCopiesPictureAndAlpha) {
    TTestImage img = RandomImage(6, 5, 6, 8, false, 4);
    TPngGraphic a, b;
    LoadPng(a, EncodePng(img));
    int changes = 0;
    b.OnChange = [&](TPngGraphic&) { ++changes; };
    b.Assign(a);
    EXPECT_EQ(changes, 1);
    // A failed load empties the source; the copy must not share its pixels.
    EXPECT_THROW(LoadPng(a, TBytes{1, 2, 3}), EPngError);
    EXPECT_TRUE(a.Empty());
    ExpectPicture(img, b, {});
}

} // namespace
