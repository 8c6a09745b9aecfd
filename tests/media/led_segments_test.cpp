// Cell grid, segment polygons and character shapes of an LED cell.
#include <gtest/gtest.h>

#include "media/led_segments.h"

TEST(LedGrid, RoundsHalvesToEvenAndDividesTheCellByNine) {
    EXPECT_EQ(0, RoundHalfEven(0.5));
    EXPECT_EQ(2, RoundHalfEven(1.5));
    EXPECT_EQ(2, RoundHalfEven(2.5));
    EXPECT_EQ(4, RoundHalfEven(3.5));
    EXPECT_EQ(-2, RoundHalfEven(-2.5));
    EXPECT_EQ(3, RoundHalfEven(2.6));
    // A 12 x 21 cell uses squares of 1 x 2 pixels.
    EXPECT_EQ(1, LedGridUnit(12));
    EXPECT_EQ(2, LedGridUnit(21));
    EXPECT_EQ(5, LedGridUnit(45));
    EXPECT_EQ(0, LedGridUnit(4));
}

TEST(LedGrid, SegmentPolygonsUseCornersAndRoundedCentres) {
    // Squares of 3 x 5: a centre point lies Round(1.5) = 2 and Round(2.5) = 2
    // pixels inside the square's bottom-right corner.
    std::vector<LedPoint> top{{1, 3}, {3, 0}, {21, 0}, {22, 3}, {21, 5}, {3, 5}};
    EXPECT_EQ(top, LedSegmentPolygon(0, 3, 5));
    std::vector<LedPoint> dot{{24, 40}, {27, 40}, {27, 45}, {24, 45}};
    EXPECT_EQ(dot, LedSegmentPolygon(7, 3, 5));
    std::vector<LedPoint> bottom{{22, 43}, {21, 45}, {3, 45}, {1, 43}, {3, 40}, {21, 40}};
    EXPECT_EQ(bottom, LedSegmentPolygon(3, 3, 5));
    std::vector<LedPoint> diagonal{{30, 50}, {40, 50}, {40, 60}, {20, 80}, {10, 80}, {10, 70}};
    EXPECT_EQ(diagonal, LedSegmentPolygon(11, 10, 10));
    // Odd squares of 1 pixel: Round(0.5) = 0, so the centre is the corner.
    EXPECT_EQ((LedPoint{1, 1}), LedSegmentPolygon(0, 1, 1)[0]);
    EXPECT_TRUE(LedSegmentPolygon(12, 10, 10).empty());
    EXPECT_TRUE(LedSegmentPolygon(-1, 10, 10).empty());
}

TEST(LedCharacters, EachStyleHasItsOwnShapes) {
    struct Case {
        char c;
        std::uint16_t seven, eleven;
    } cases[] = {
        {'0', 0x03F, 0xA3F},  {'8', 0x07F, 0x07F}, {'B', 0x07C, 0x27D}, {'b', 0x07C, 0x07C},
        {'M', 0x037, 0x336},  {'N', 0x037, 0x536}, {'X', 0x076, 0xF00}, {'<', 0x000, 0x600},
        {'\\', 0x030, 0x500}, {';', 0x080, 0x080}, {'_', 0x008, 0x008}, {'@', 0x000, 0x000},
        {'w', 0x01C, 0xC14},  {'z', 0x05B, 0xA09}, {'Q', 0x067, 0x43F}, {'R', 0x031, 0x473},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.seven, LedCharacterSegments(c.c, lsSevenBars)) << c.c;
        EXPECT_EQ(c.eleven, LedCharacterSegments(c.c, lsElevenBars)) << c.c;
    }
    // Outside "0".."z" nothing is lit, a dot and a minus included.
    for (unsigned char c : {' ', '.', '-', '/', '{', '~', '\x82', '\xFF', '\0'}) {
        EXPECT_EQ(0, LedCharacterSegments(c, lsSevenBars)) << int(c);
        EXPECT_EQ(0, LedCharacterSegments(c, lsElevenBars)) << int(c);
    }
}

TEST(LedCell, KeepsALitDotAcrossCharactersAndStyles) {
    LedCell cell;
    EXPECT_EQ(kLedAllSegments, cell.Segments());
    EXPECT_EQ(lsElevenBars, cell.Style());
    // All segments lit includes the dot, which survives the first character.
    cell.SetCharacter("8");
    EXPECT_EQ(0x07F | kLedDotBit, cell.Segments());
    cell.SetDot(false);
    cell.SetCharacter("B");
    EXPECT_EQ("B", cell.Character());
    EXPECT_EQ(0x27D, cell.Segments());
    cell.SetStyle(lsSevenBars);
    EXPECT_EQ(0x07C, cell.Segments());
    cell.SetDot(true);
    cell.SetCharacter(".");
    EXPECT_EQ("", cell.Character());
    EXPECT_EQ(kLedDotBit, cell.Segments());
    cell.SetDot(false);
    cell.SetCharacter("");
    EXPECT_EQ(0, cell.Segments());
    // Only the first character counts.
    cell.SetCharacter("42");
    EXPECT_EQ("4", cell.Character());
    EXPECT_EQ(0x066, cell.Segments());
    // Segments set by hand are replaced when the style re-applies the character.
    cell.SetSegments(0x001);
    cell.SetStyle(lsElevenBars);
    EXPECT_EQ(0x066, cell.Segments());
}
