// Where the cells of an LED group go and how a text is fitted to them.
#include <gtest/gtest.h>

#include "media/led_layout.h"

namespace {
LedCellBounds Cell(int w, int h, int margin, int digits, int index) {
    auto b = LedCellLayout(w, h, margin, digits, index);
    EXPECT_TRUE(b.has_value());
    return b.value_or(LedCellBounds{-1, -1, -1, -1});
}
} // namespace

TEST(LedLayout, WidthAndStepUseDifferentNumerators) {
    // A new group: 185 x 65, five cells, no margin.
    LedCellBounds c = Cell(185, 65, 0, 5, 4);
    EXPECT_EQ(148, c.left);
    EXPECT_EQ(0, c.top);
    EXPECT_EQ(37, c.width);
    EXPECT_EQ(65, c.height);
    // Margin 1: width Round(184 / 5) = 37, step Round(183 / 5) = 37.
    c = Cell(185, 65, 1, 5, 2);
    EXPECT_EQ(75, c.left);
    EXPECT_EQ(1, c.top);
    EXPECT_EQ(37, c.width);
    EXPECT_EQ(63, c.height);
    // Margin 4 on 100 pixels and 4 cells: width Round(96 / 4) = 24, step
    // Round(92 / 4) = 23, so cells overlap by a pixel.
    c = Cell(100, 30, 4, 4, 1);
    EXPECT_EQ(27, c.left);
    EXPECT_EQ(24, c.width);
    EXPECT_EQ(22, c.height);
    // Ties go to the even neighbour: 90 / 4 = 22.5 -> 22, 110 / 4 = 27.5 -> 28.
    EXPECT_EQ(22, Cell(90, 10, 0, 4, 0).width);
    EXPECT_EQ(28, Cell(110, 10, 0, 4, 0).width);
    EXPECT_EQ(84, Cell(110, 10, 0, 4, 3).left);
}

TEST(LedLayout, CellsBeyondMaxDigitsContinueFromTheRightEdge) {
    // Lowered from 7 to 5 cells on 185 pixels with margin 1: the sixth and
    // seventh cells start at or beyond the right edge.
    EXPECT_GE(Cell(185, 65, 1, 5, 5).left, 185 - 1);
    EXPECT_GT(Cell(185, 65, 1, 5, 6).left, 185);
    // A group without cells has nothing to lay out (and does not divide by 0).
    EXPECT_FALSE(LedCellLayout(185, 65, 1, 0, 0).has_value());
    // Margins larger than half the height leave cells without height.
    EXPECT_LT(Cell(20, 10, 6, 2, 0).height, 0);
}

TEST(LedCaption, IsCutAndPaddedToTheNumberOfCells) {
    // "%5s" of 1234 in five cells: a dark cell, then the four digits.
    EXPECT_EQ(" 1234", LedFitCaption(" 1234", 5));
    // Seven cells: two more dark cells on the right.
    EXPECT_EQ(" 1234  ", LedFitCaption(" 1234", 7));
    // A six-digit number in four cells keeps its first four digits.
    EXPECT_EQ("1234", LedFitCaption("123456", 4));
    // An empty text changes nothing.
    EXPECT_FALSE(LedFitCaption("", 5).has_value());
    // More cells than the text and its padding: every cell still gets a blank.
    EXPECT_EQ(std::string("7") + std::string(29, ' '), LedFitCaption("7", 30));
    EXPECT_EQ("", LedFitCaption("7", 0));
}
