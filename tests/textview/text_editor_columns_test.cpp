// Column and byte positions, indents and highlight matches of the text control.
#include <gtest/gtest.h>

#include "textview/text_editor_columns.h"

namespace {

ColumnLayout Tabs4() {
    ColumnLayout l;
    l.tab_space_count = 4;
    return l;
}

TEST(TextEditorColumns, BytesAndColumnsAcrossTabsAndDoubleByteCharacters) {
    // "a", a tab (its column and two fillers), a double-byte character, "z".
    const std::string line = "a\t\x8A\xBFz";
    const std::string map = ColumnMap(line, Tabs4());
    ASSERT_EQ("1233451", map);
    EXPECT_EQ(0, ColumnToByte(map, 0));
    EXPECT_EQ(2, ColumnToByte(map, 2)) << "a filler column lies after the tab's byte";
    EXPECT_EQ(2, ColumnToByte(map, 4));
    EXPECT_EQ(4, ColumnToByte(map, 6));
    EXPECT_EQ(7, ColumnToByte(map, 9)) << "past the end one byte a column";
    EXPECT_EQ(1, ByteToColumn(map, 1));
    EXPECT_EQ(4, ByteToColumn(map, 2));
    EXPECT_EQ(6, ByteToColumn(map, 4));
    EXPECT_EQ(7, ByteToColumn(map, 5));
    EXPECT_EQ(9, ByteToColumn(map, 7));
    EXPECT_EQ(6, LastCharColumn(map));
    EXPECT_EQ(2, LastCharColumn(ColumnMap("ab\x8A\xBF", Tabs4()))) << "a double-byte last character";
    EXPECT_EQ(0, LastCharColumn(""));
}

TEST(TextEditorColumns, IndentsCountFullWidthSpacesTwice) {
    EXPECT_EQ(5, LeadingBlankWidth("  \x81\x40 x"));
    EXPECT_EQ(0, LeadingBlankWidth("\tx"));
    EXPECT_EQ(0, LeadingBlankWidth(""));
    EXPECT_EQ("\t\t  ", IndentText(10, true, 4));
    EXPECT_EQ(std::string(10, ' '), IndentText(10, false, 4));
    EXPECT_EQ("", IndentText(0, true, 4));
}

TEST(TextEditorColumns, BreakCountsTreatEveryLineEndOnce) {
    EXPECT_EQ(0, CountBreaks("abc").breaks);
    EXPECT_EQ(3, CountBreaks("abc").tail);
    const TBreakCount c = CountBreaks("a\r\nb\rc\nde");
    EXPECT_EQ(3, c.breaks);
    EXPECT_EQ(2, c.tail);
    EXPECT_EQ(0, CountBreaks("x\r\n").tail);
}

TEST(TextEditorColumns, HitsIgnoreCaseAndSkipTrailBytes) {
    EXPECT_EQ((std::vector<int>{0, 7}), FindWordHits("Begin; begin", "BEGIN"));
    // 0x82 0x60: the trail byte is '`'; only the match on a boundary counts.
    EXPECT_EQ((std::vector<int>{4}), FindWordHits("\x82`a `a", "`a"));
    // The lower-case letter inside a double-byte character is not upper-cased.
    EXPECT_TRUE(FindWordHits("\x83\x61", "A").empty());
    EXPECT_TRUE(FindWordHits("abc", "").empty());
    EXPECT_TRUE(FindWordHits("ab", "abc").empty());
}

}  // namespace
