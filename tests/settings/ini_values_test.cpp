#include <gtest/gtest.h>

#include <climits>

#include "settings/ini_values.h"

TEST(IniValues, IntegersAreReadLeniently) {
    EXPECT_EQ(4, IniInteger("abc", 4));
    EXPECT_EQ(4, IniInteger("", 4));
    EXPECT_EQ(4, IniInteger("12abc", 4));
    EXPECT_EQ(12, IniInteger(" 12 ", 4));
    EXPECT_EQ(-3, IniInteger("-3", 4));
    EXPECT_EQ(31, IniInteger("$1F", 4));
    EXPECT_EQ(31, IniInteger("0x1f", 4));
    EXPECT_EQ(4, IniInteger("$", 4));
    EXPECT_EQ(4, IniInteger("99999999999999999999", 4));  // no overflow into a wrong number
}

TEST(IniValues, ColoursByNameOrHexValue) {
    EXPECT_EQ("clBlue", ColorToString(clBlue));
    EXPECT_EQ("clBlack", ColorToString(clBlack));
    EXPECT_EQ("clAqua", ColorToString(clAqua));
    EXPECT_EQ("clWindowText", ColorToString(clWindowText));
    EXPECT_EQ("$00123456", ColorToString(0x123456));
    for (TColor c : {clBlue, clWhite, clWindow, clDefault, TColor(0x00ABCDEF), TColor(0x00000001)}) {
        ASSERT_TRUE(StringToColor(ColorToString(c))) << ColorToString(c);
        EXPECT_EQ(c, *StringToColor(ColorToString(c)));
    }
    EXPECT_EQ(clNavy, StringToColor("CLNAVY"));
    EXPECT_EQ(TColor(255), StringToColor("255"));
    EXPECT_FALSE(StringToColor("blue"));
    EXPECT_FALSE(StringToColor(""));
}

TEST(IniValues, FontSizesRoundTripThroughPoints) {
    EXPECT_EQ(10, PointsFromPixels(13));
    EXPECT_EQ(11, PointsFromPixels(15));
    EXPECT_EQ(9, PointsFromPixels(12));
    for (int px = 8; px <= 40; ++px) {
        // Sizes a point can express come back unchanged.
        const int pt = PointsFromPixels(px);
        EXPECT_EQ(pt, PointsFromPixels(PixelsFromPoints(pt))) << px;
    }
    EXPECT_EQ(13, PixelsFromPoints(10));
    // Any stored number converts without overflowing (a fuzzed file held INT_MIN).
    EXPECT_EQ(INT_MIN, PixelsFromPoints(INT_MIN));
    EXPECT_EQ(INT_MAX, PixelsFromPoints(INT_MAX));
    EXPECT_EQ(1610612735, PointsFromPixels(INT_MAX));
    EXPECT_EQ(-1610612735, PointsFromPixels(INT_MIN));
}
