// Translucency levels of the flip image.
#include <gtest/gtest.h>

#include <random>

#include "imageview/flip_image_blend.h"

using namespace flip;

namespace {
// One byte at a level, written the plain way.
int Reference(int a, int b, int level) {
    switch (level) {
    case 1:
        return a - a / 8 + b / 8;
    case 2:
        return a - a / 4 + b / 4;
    case 3:
        return a - (a / 4 + a / 8) + (b / 4 + b / 8);
    case 4:
        return a - a / 2 + b / 2;
    case 5:
        return a / 4 + a / 8 + b - b / 4 - b / 8;
    case 6:
        return a / 4 + b - b / 4;
    case 7:
        return a / 8 + b - b / 8;
    default:
        return a;
    }
}
} // namespace

TEST(FlipBlend, LevelsMoveFromTheImageToTheBackground) {
    const int whiteOnBlack[8] = {255, 224, 192, 161, 128, 94, 63, 31};
    const int blackOnWhite[8] = {0, 31, 63, 94, 127, 161, 192, 224};
    for (int level = 0; level < 8; ++level) {
        EXPECT_EQ(whiteOnBlack[level] * 0x01010101u, BlendWord(0xFFFFFFFFu, 0, level)) << level;
        EXPECT_EQ(blackOnWhite[level] * 0x01010101u, BlendWord(0, 0xFFFFFFFFu, level)) << level;
    }
    // Only the low three bits of the level count.
    EXPECT_EQ(BlendWord(0x80FF2001u, 0x10203040u, 1), BlendWord(0x80FF2001u, 0x10203040u, 9));
    EXPECT_EQ(0x80FF2001u, BlendWord(0x80FF2001u, 0x10203040u, 8));
}

TEST(FlipBlend, NoByteSpillsIntoItsNeighbour) {
    std::mt19937 rng(7);
    for (int level = 0; level < 8; ++level) {
        for (int i = 0; i < 20000; ++i) {
            const std::uint32_t a = rng(), b = rng();
            const std::uint32_t r = BlendWord(a, b, level);
            for (int byte = 0; byte < 4; ++byte) {
                const int sa = (a >> (8 * byte)) & 0xFF, sb = (b >> (8 * byte)) & 0xFF;
                ASSERT_EQ(Reference(sa, sb, level), static_cast<int>((r >> (8 * byte)) & 0xFF))
                    << "level " << level << " a " << std::hex << a << " b " << b;
            }
        }
    }
}

TEST(FlipBlend, BuffersBlendEveryByteIncludingTheTail) {
    std::uint8_t drawn[7] = {255, 0, 100, 200, 17, 255, 0};
    const std::uint8_t back[7] = {0, 255, 100, 0, 233, 255, 255};
    std::uint8_t out[7];
    BlendBytes(out, drawn, back, 7, 4);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(Reference(drawn[i], back[i], 4), out[i]) << i;
    // In place, as the control blends its drawing buffer.
    BlendBytes(drawn, drawn, back, 7, 7);
    EXPECT_EQ(Reference(255, 0, 7), drawn[0]);
    EXPECT_EQ(Reference(0, 255, 7), drawn[6]);
}
