// Plain pixel rows and their fingerprint, as qmtool prints them.
#include <gtest/gtest.h>

#include <string>

#include "imageview/dib_pixels.h"
#include "imageview/sha256.h"

TEST(Sha256, KnownDigests) {
    EXPECT_EQ("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855", Sha256Hex("", 0));
    EXPECT_EQ("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad",
              Sha256Hex("abc", 3));
    const std::string two =
        "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"; // 56 bytes: two blocks
    EXPECT_EQ("248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1",
              Sha256Hex(two.data(), two.size()));
    const std::string million(1000000, 'a');
    EXPECT_EQ("cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0",
              Sha256Hex(million.data(), million.size()));
}

TEST(DibPixels, RowsComeTopDownWithoutPaddingAndPalettesResolved) {
    TDibBitmap rgb;
    ASSERT_TRUE(rgb.Create(3, 2, 24)); // rows of 9 bytes padded to 12
    rgb.Row(0)[0] = 1;
    rgb.Row(1)[8] = 2;
    std::vector<uint8_t> px = TopDownBgr(rgb);
    ASSERT_EQ(18u, px.size());
    EXPECT_EQ(1, px[0]);
    EXPECT_EQ(2, px[17]);

    TDibBitmap pal;
    ASSERT_TRUE(pal.Create(3, 1, 4));
    pal.Palette()[5] = TRgbQuad{10, 20, 30, 0};
    pal.Row(0)[1] = 0x05; // pixel 1 (low nibble of byte 0 is pixel 1)
    pal.Row(0)[0] = 0x05;
    px = TopDownBgr(pal);
    EXPECT_EQ(10, px[3]);
    EXPECT_EQ(30, px[5]);
    EXPECT_EQ(0, px[0]);

    TDibBitmap mono;
    ASSERT_TRUE(mono.Create(9, 1, 1));
    mono.Palette()[1] = TRgbQuad{255, 255, 255, 0};
    mono.Row(0)[1] = 0x80; // pixel 8
    px = TopDownBgr(mono);
    EXPECT_EQ(255, px[8 * 3]);
    EXPECT_EQ(0, px[7 * 3]);
    EXPECT_TRUE(TopDownBgr(TDibBitmap()).empty());
}
