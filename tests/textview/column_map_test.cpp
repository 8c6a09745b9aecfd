// Column map codes, tab expansion and the column cursor.
#include <gtest/gtest.h>

#include <random>

#include "textview/column_map.h"

namespace {

TEST(Delimiters, WordCharactersAndTheRest) {
    const TDelimiterSet& d = DefaultDelimiters();
    for (int c : std::initializer_list<int>{'0', '9', 'A', 'z', '_', 0x81, 0x9F, 0xA6, 0xDF, 0xE0, 0xFC}) EXPECT_FALSE(d[c]) << c;
    for (int c : std::initializer_list<int>{' ', '\t', 0, '.', '-', 0x7F, 0x80, 0xA0, 0xA5, 0xFD, 0xFF}) EXPECT_TRUE(d[c]) << c;
}

TEST(ColumnMap, CodesForEachKindOfByte) {
    ColumnLayout layout;
    layout.tab_space_count = 4;
    EXPECT_EQ(ColumnMap("a.\tあｱ", layout), "1223451");
    // A tab takes the columns up to the next multiple of the tab width.
    EXPECT_EQ(ColumnMap("abcde\tx", layout), "111112331");
    EXPECT_EQ(ExpandTabs("ab\tc", layout), "ab  c");
    // With a wrap width the tab is also cut at its next multiple.
    layout.wrap_byte = 6;
    EXPECT_EQ(ColumnMap("abcde\tx", layout), "1111121");
    // A lone lead byte at the end is one column.
    EXPECT_EQ(ColumnMap("a\x82", ColumnLayout{}), "11");
    EXPECT_EQ(ColumnCount("\t\t", ColumnLayout{}), 16);
}

TEST(AttributeArray, ByteIndexFollowsFillerColumns) {
    ColumnLayout layout;
    layout.tab_space_count = 4;
    std::string line = "a\tあb";
    std::string map = ColumnMap(line, layout); // 1 2 3 3 4 5 1
    ASSERT_EQ(map, "1233451");
    TTextEditorAttributeArray c(line, map);
    EXPECT_EQ(c.ColumnCount(), 7);
    c.MoveTo(3);
    EXPECT_EQ(c.ByteIndex(), 2);
    EXPECT_EQ(c.CurrentChar(), "\t");
    c.MoveTo(5);
    EXPECT_EQ(c.ByteIndex(), 3);
    EXPECT_EQ(c.CurrentChar(), "あ");
    c.Next();
    EXPECT_EQ(c.CurrentChar(), "あ");
    // Back over the tab: its first column still holds the tab byte.
    c.MoveTo(2);
    EXPECT_EQ(c.ByteIndex(), 2);
    EXPECT_EQ(c.CurrentChar(), "\t");
    c.Prev();
    EXPECT_EQ(c.ByteIndex(), 1);
    c.Prev(); // stays at column 1
    EXPECT_EQ(c.Column(), 1);
    c.MoveTo(100);
    EXPECT_EQ(c.Code(), '0');
    EXPECT_EQ(c.Column(), 8);
    EXPECT_EQ(c.CurrentChar(), "");
    c.Next();
    EXPECT_EQ(c.Column(), 8);
    EXPECT_EQ(c.NextChar(), "");
    EXPECT_EQ(c.Column(), 8);
    c.MoveTo(6);
    EXPECT_EQ(c.NextChar(), "b");
    EXPECT_EQ(c.Column(), 6);
    c.StepBackChar();
    EXPECT_EQ(c.Column(), 4);
    c.StepBackChar();
    EXPECT_EQ(c.Column(), 1);
}

TEST(ColumnMap, LinesOfMixedBytesMapAsOneCharacterAtATime) {
    // Maps (with and without tabs) against the rule taken one character at a
    // time, and the cursor's jumps against single steps.
    const char* const kPieces[] = {"a", ".", "\t", "あ", "ｱ", "\x82", "_", " ", "漢字"};
    std::mt19937 rng(3);
    ColumnLayout layout;
    layout.tab_space_count = 4;
    for (int round = 0; round < 300; ++round) {
        std::string line;
        for (int n = static_cast<int>(rng() % 30); n > 0; --n)
            line += kPieces[rng() % (round % 2 ? 9 : 8)]; // every other line without tabs
        layout.wrap_byte = round % 3 ? 0 : 6;
        std::string want;
        for (std::size_t i = 0; i < line.size(); ++i) {
            const unsigned char b = static_cast<unsigned char>(line[i]);
            if (b == '\t') {
                want += '2';
                want.append(TabWidthAt(static_cast<int>(want.size()) - 1, layout) - 1, '3');
            } else if (((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) && i + 1 < line.size()) {
                want += "45";
                ++i;
            } else {
                want += DefaultDelimiters()[b] ? '2' : '1';
            }
        }
        const std::string map = ColumnMap(line, layout);
        ASSERT_EQ(map, want) << round;
        for (int k = 0; k < 10; ++k) {
            const int from = 1 + static_cast<int>(rng() % (map.size() + 2));
            const int to = 1 + static_cast<int>(rng() % (map.size() + 3));
            TTextEditorAttributeArray jump(line, map), step(line, map);
            jump.MoveTo(from);
            while (step.Column() < from && step.Code() != '0') step.Next();
            jump.MoveTo(to);
            while (step.Column() < to && step.Code() != '0') step.Next();
            while (step.Column() > to && step.Column() > 1) step.Prev();
            ASSERT_EQ(jump.Column(), step.Column()) << round;
            ASSERT_EQ(jump.ByteIndex(), step.ByteIndex()) << round;
        }
    }
}

} // namespace
