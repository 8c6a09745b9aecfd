// The GIF reader with its own LZW decoder against files our test encoder
// writes with known pixels.
#include <gtest/gtest.h>

#include "imageview/gif_image.h"
#include "picture_test_writer.h"

namespace {
std::vector<uint8_t> Ramp(int colours) {
    std::vector<uint8_t> t;
    for (int i = 0; i < colours; ++i) {
        t.push_back(static_cast<uint8_t>(i));
        t.push_back(static_cast<uint8_t>(255 - i));
        t.push_back(static_cast<uint8_t>(i * 7));
    }
    return t;
}

TGifSpec Frame(int w, int h, int colours, uint32_t seed) {
    TGifSpec s;
    s.ScreenWidth = w;
    s.ScreenHeight = h;
    s.Width = w;
    s.Height = h;
    s.GlobalTable = Ramp(colours);
    int bits = 1;
    while ((1 << bits) < colours)
        ++bits;
    s.MinCodeSize = bits < 2 ? 2 : bits;
    uint32_t v = seed;
    for (int i = 0; i < w * h; ++i) {
        // Runs and noise, so the table both grows long strings and fills up.
        v = v * 1103515245u + 12345u;
        s.Pixels.push_back(static_cast<uint8_t>(((i / 5) % 3 == 0 ? (v >> 16) : i / 11) % colours));
    }
    return s;
}

TGifImage Load(const TPictureBytes& f) {
    TGifImage g;
    g.LoadFromMemory(f.data(), f.size());
    return g;
}

void ExpectFrame(const TGifImage& g, const TGifSpec& s) {
    for (int y = 0; y < s.Height; ++y)
        for (int x = 0; x < s.Width; ++x)
            ASSERT_EQ(s.Pixels[size_t(y) * s.Width + x], g.Image().Row(s.Top + y)[s.Left + x])
                << x << "," << y;
}

EGifError::TKind ErrorKind(const TPictureBytes& f) {
    try {
        Load(f);
    } catch (const EGifError& e) {
        return e.Kind;
    }
    ADD_FAILURE() << "no error";
    return EGifError::gkNotGif;
}
} // namespace

TEST(GifImage, PixelsAndPaletteSurviveForEveryCodeSize) {
    for (int colours : {2, 4, 16, 256}) {
        const TGifSpec s = Frame(53, 41, colours, colours);
        const TGifImage g = Load(WriteGif(s));
        ASSERT_EQ(8, g.Image().BitCount());
        ASSERT_EQ(53, g.Image().Width());
        EXPECT_TRUE(g.Complete());
        ExpectFrame(g, s);
        const TRgbQuad c = g.Image().Palette()[colours - 1];
        EXPECT_EQ(colours - 1, c.Red);
        EXPECT_EQ(255 - (colours - 1), c.Green);
        EXPECT_EQ(((colours - 1) * 7) & 0xFF, c.Blue);
    }
}

TEST(GifImage, FullCodeTableWithAndWithoutClearCodes) {
    // 300 x 200 of noise fills the 4096-entry table many times over.
    TGifSpec s = Frame(300, 200, 256, 7);
    ExpectFrame(Load(WriteGif(s)), s);
    s.NoClearWhenFull = true;
    const TGifImage g = Load(WriteGif(s));
    EXPECT_TRUE(g.Complete());
    ExpectFrame(g, s);
}

TEST(GifImage, InterlacedFrameOnALargerScreenWithLocalTable) {
    TGifSpec s = Frame(13, 19, 16, 3);
    s.Interlaced = true;
    s.ScreenWidth = 30;
    s.ScreenHeight = 25;
    s.Left = 5;
    s.Top = 4;
    s.Background = 9;
    s.LocalTable = Ramp(16);
    for (auto& b : s.LocalTable)
        b ^= 0x55;
    const TGifImage g = Load(WriteGif(s));
    EXPECT_TRUE(g.Interlaced());
    ASSERT_EQ(30, g.Image().Width());
    ASSERT_EQ(25, g.Image().Height());
    ExpectFrame(g, s);
    EXPECT_EQ(9, g.Image().Row(0)[0]); // outside the frame: background
    EXPECT_EQ(9, g.Image().Row(24)[29]);
    EXPECT_EQ(s.LocalTable[0], g.Image().Palette()[0].Red);
}

TEST(GifImage, TransparentPixelsShowTheTransparentIndex) {
    TGifSpec s = Frame(8, 8, 4, 1);
    s.ScreenWidth = 10;
    s.Transparent = 3;
    s.Background = 1;
    const TGifImage g = Load(WriteGif(s));
    EXPECT_EQ(3, g.TransparentIndex());
    EXPECT_TRUE(g.Image().Transparent);
    EXPECT_EQ(3, g.Image().Row(0)[9]); // the uncovered screen is transparent
}

TEST(GifImage, TruncatedImageDataKeepsWhatWasDecoded) {
    const TGifSpec s = Frame(40, 40, 16, 5);
    TPictureBytes f = WriteGif(s);
    f.resize(f.size() - 200);
    const TGifImage g = Load(f);
    EXPECT_FALSE(g.Complete());
    for (int x = 0; x < 40; ++x)
        ASSERT_EQ(s.Pixels[x], g.Image().Row(0)[x]);
}

TEST(GifImage, BrokenFiles) {
    EXPECT_EQ(EGifError::gkNotGif, ErrorKind({'G', 'I', 'F', '9', '0'}));
    EXPECT_EQ(EGifError::gkNotGif, ErrorKind({}));
    const TPictureBytes good = WriteGif(Frame(10, 10, 4, 1));
    EXPECT_EQ(EGifError::gkBroken, ErrorKind(TPictureBytes(good.begin(), good.begin() + 11)));
    EXPECT_EQ(EGifError::gkBroken, ErrorKind(TPictureBytes(good.begin(), good.begin() + 30)));
    TGifSpec none = Frame(10, 10, 4, 1);
    TPictureBytes trailer = WriteGif(none);
    // Header, screen, table (4 colours), comment: then the trailer only.
    trailer.resize(6 + 7 + 12 + 7);
    trailer.push_back(0x3B);
    EXPECT_EQ(EGifError::gkBroken, ErrorKind(trailer));

    TGifSpec huge = Frame(4, 4, 4, 1);
    huge.ScreenWidth = 65535;
    huge.ScreenHeight = 65535;
    EXPECT_EQ(EGifError::gkTooLarge, ErrorKind(WriteGif(huge)));
    TGifImage g;
    const TPictureBytes f = WriteGif(huge);
    EXPECT_THROW(g.LoadFromMemory(f.data(), f.size()), EGifError);
    EXPECT_TRUE(g.Empty());
}
