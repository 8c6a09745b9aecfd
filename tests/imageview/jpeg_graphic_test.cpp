// The JPEG picture class against plain libjpeg on the same files, and its
// answers to broken ones.
#include <gtest/gtest.h>

#include <cstdlib>

#include "imageview/input_stream.h"
#include "imageview/jpeg_graphic.h"
#include "picture_test_writer.h"

namespace {
TJpegSpec Gradient(int w, int h, int components) {
    TJpegSpec s;
    s.Width = w;
    s.Height = h;
    s.Components = components;
    s.Sample = [](int x, int y, int c) {
        return static_cast<uint8_t>((x * 7 + y * 3 + c * 80) & 0xFF);
    };
    return s;
}

// Every pixel of our DIB equals plain libjpeg's output, in DIB order:
// bottom-up rows, blue first. With a scale, libjpeg scales the same way
// and the picture still tells its own size.
void ExpectSameAsPlain(const TPictureBytes& file, int scale = 1, TJpegGraphic* reused = nullptr) {
    TJpegGraphic own;
    TJpegGraphic& g = reused ? *reused : own;
    int asked_w = 0, asked_h = 0;
    g.LoadFromMemory(file.data(), file.size(), [&](int width, int height) {
        asked_w = width;
        asked_h = height;
        return scale;
    });
    int w, h, comps;
    std::vector<uint8_t> ref;
    ASSERT_TRUE(PlainJpegDecode(file, w, h, comps, ref, scale));
    int natural_w, natural_h;
    std::vector<uint8_t> full;
    ASSERT_TRUE(PlainJpegDecode(file, natural_w, natural_h, comps, full));
    ASSERT_EQ(natural_w, g.Width());
    ASSERT_EQ(natural_h, g.Height());
    EXPECT_EQ(natural_w, asked_w);
    EXPECT_EQ(natural_h, asked_h);
    EXPECT_EQ(scale, g.Scale());
    const TDibBitmap& img = g.Image();
    ASSERT_EQ(w, img.Width());
    ASSERT_EQ(h, img.Height());
    // The bytes between a row's pixels and the next row are clear, as a
    // fresh block's are, whatever the block held before.
    const size_t used = size_t(w) * (comps == 1 ? 1 : 3);
    for (int y = 0; y < h; ++y)
        for (size_t i = used; i < img.Stride(); ++i)
            ASSERT_EQ(0, img.Row(y)[i]) << y;
    ASSERT_EQ(comps == 1 ? 8 : 24, img.BitCount());
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = img.Row(y);
        for (int x = 0; x < w; ++x) {
            const uint8_t* want = &ref[(size_t(y) * w + x) * comps];
            if (comps == 1) {
                ASSERT_EQ(want[0], row[x]) << x << "," << y;
            } else {
                ASSERT_EQ(want[2], row[x * 3]) << x << "," << y;
                ASSERT_EQ(want[1], row[x * 3 + 1]) << x << "," << y;
                ASSERT_EQ(want[0], row[x * 3 + 2]) << x << "," << y;
            }
        }
    }
}

std::string LoadError(const TPictureBytes& file) {
    TJpegGraphic g;
    try {
        g.LoadFromMemory(file.data(), file.size());
    } catch (const EJpegError& e) {
        EXPECT_TRUE(g.Empty());
        return e.what();
    }
    return "";
}
} // namespace

TEST(JpegGraphic, ColourGreyAndProgressivePicturesMatchPlainLibjpeg) {
    ExpectSameAsPlain(WriteJpeg(Gradient(61, 37, 3))); // odd width: padded rows
    ExpectSameAsPlain(WriteJpeg(Gradient(40, 33, 1)));
    TJpegSpec p = Gradient(50, 20, 3);
    p.Progressive = true;
    ExpectSameAsPlain(WriteJpeg(p));
}

TEST(JpegGraphic, ReducedDecodesAreLibjpegsOwnScaling) {
    const TPictureBytes colour = WriteJpeg(Gradient(61, 37, 3));
    TJpegSpec p = Gradient(50, 20, 3);
    p.Progressive = true;
    const TPictureBytes progressive = WriteJpeg(p);
    const TPictureBytes grey = WriteJpeg(Gradient(40, 33, 1));
    for (int scale : {2, 4, 8}) {
        ExpectSameAsPlain(colour, scale); // 31 x 19, 16 x 10, 8 x 5
        ExpectSameAsPlain(progressive, scale);
        ExpectSameAsPlain(grey, scale);
    }
}

TEST(JpegGraphic, OnePictureLoadedAgainAndAgainGivesWhatFreshOnesGive) {
    // Larger, smaller, reduced and grey pictures into the same object: its
    // kept block never shows through. Same-size pictures reuse the block.
    const TPictureBytes big = WriteJpeg(Gradient(64, 48, 3));
    TJpegSpec s = Gradient(64, 48, 3);
    s.Sample = [](int x, int y, int c) { return static_cast<uint8_t>((x * 11 + y * 5 + c * 30) & 0xFF); };
    const TPictureBytes other = WriteJpeg(s);
    const TPictureBytes odd = WriteJpeg(Gradient(61, 37, 3));
    const TPictureBytes grey = WriteJpeg(Gradient(40, 33, 1));
    TJpegGraphic g;
    ExpectSameAsPlain(big, 1, &g);
    const uint8_t* block = g.Image().Bits();
    ExpectSameAsPlain(other, 1, &g);
    EXPECT_EQ(block, g.Image().Bits());
    ExpectSameAsPlain(odd, 1, &g);
    ExpectSameAsPlain(big, 2, &g);
    ExpectSameAsPlain(grey, 1, &g);
    ExpectSameAsPlain(odd, 1, &g);
    ExpectSameAsPlain(big, 1, &g);
}

TEST(JpegGraphic, GreyPictureHasAGreyRamp) {
    TJpegGraphic g;
    const TPictureBytes f = WriteJpeg(Gradient(16, 16, 1));
    g.LoadFromMemory(f.data(), f.size());
    ASSERT_EQ(256u, g.Image().Palette().size());
    EXPECT_EQ(0, g.Image().Palette()[0].Red);
    EXPECT_EQ(128, g.Image().Palette()[128].Green);
    EXPECT_EQ(255, g.Image().Palette()[255].Blue);
}

TEST(JpegGraphic, CmykPictureBecomesRgb) {
    // Pure cyan, stored inverted as Adobe's writers (and libjpeg with its
    // Adobe marker) do: C ink full = 0, no M, Y or K ink = 255.
    TJpegSpec s;
    s.Width = s.Height = 16;
    s.Components = 4;
    s.Quality = 100;
    s.Sample = [](int, int, int c) { return static_cast<uint8_t>(c == 0 ? 0 : 255); };
    TJpegGraphic g;
    const TPictureBytes f = WriteJpeg(s);
    g.LoadFromMemory(f.data(), f.size());
    ASSERT_EQ(24, g.Image().BitCount());
    const uint8_t* px = g.Image().Row(8) + 8 * 3;
    EXPECT_NEAR(255, px[0], 3); // blue
    EXPECT_NEAR(255, px[1], 3); // green
    EXPECT_NEAR(0, px[2], 3);   // red
}

TEST(JpegGraphic, BrokenFilesRaiseAndLeaveThePictureEmpty) {
    const TPictureBytes good = WriteJpeg(Gradient(64, 64, 3));
    EXPECT_NE("", LoadError({}));
    EXPECT_NE("", LoadError({'n', 'o', 't', ' ', 'j', 'p', 'g'}));
    // Truncated in the middle of the entropy-coded data.
    EXPECT_NE("", LoadError(TPictureBytes(good.begin(), good.begin() + good.size() / 2)));
    // Truncated inside the headers.
    EXPECT_NE("", LoadError(TPictureBytes(good.begin(), good.begin() + 100)));

    // A picture that decoded before keeps nothing after a failed load.
    TJpegGraphic g;
    g.LoadFromMemory(good.data(), good.size());
    const TPictureBytes cut(good.begin(), good.end() - 40);
    EXPECT_THROW(g.LoadFromMemory(cut.data(), cut.size()), EJpegError);
    EXPECT_TRUE(g.Empty());
}

TEST(JpegGraphic, HugeDeclaredSizeIsRefusedWithoutAllocating) {
    TPictureBytes f = WriteJpeg(Gradient(8, 8, 3));
    // The frame header: FF C0, length, precision, height, width.
    for (size_t i = 0; i + 8 < f.size(); ++i) {
        if (f[i] == 0xFF && f[i + 1] == 0xC0) {
            // 60000 x 60000: within libjpeg's limits, far beyond ours.
            f[i + 5] = f[i + 7] = 0xEA;
            f[i + 6] = f[i + 8] = 0x60;
            break;
        }
    }
    const std::string e = LoadError(f);
    EXPECT_NE(std::string::npos, e.find("too large")) << e;
}

TEST(JpegGraphic, MissingFileRaisesOpenError) {
    TJpegGraphic g;
    EXPECT_THROW(g.LoadFromFile("/nonexistent/dir/none.jpg"), EFOpenError);
}
