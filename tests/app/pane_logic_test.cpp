// What the preview panes decide before any window moves: the text search's
// result lines and the way back from them, whether a selection previews,
// extracted members, and what the information pane shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/information_text.h"
#include "app/preview_choice.h"
#include "app/text_search_rows.h"

namespace {
TTextSearchResult Search(const std::vector<std::string>& rows, std::string_view text) {
    return SearchTextRows(static_cast<int>(rows.size()), [&rows](int i) { return std::string_view(rows[i]); },
                          text);
}
} // namespace

TEST(TextSearch, ResultLinesNumberTheRowsAndLeadBackToThem) {
    // Shift-JIS bytes: "表" is 0x95 0x5C, whose trail byte is a backslash.
    const std::vector<std::string> rows = {"int main()", "", "  printf(\"\x95\x5C\");", "return 0;",
                                           std::string("nul\0printf", 10)};
    const TTextSearchResult found = Search(rows, "printf");
    ASSERT_EQ(2, found.Count);
    EXPECT_EQ("[    3]  printf(\"\x95\x5C\");\r\n[    5]" + std::string("nul\0printf", 10) + "\r\n", found.Lines);
    EXPECT_EQ(0, Search(rows, "PRINTF").Count);  // byte for byte, case kept
    EXPECT_EQ(1, Search(rows, "\x95\x5C").Count);
    EXPECT_EQ(0, Search({}, "x").Count);
    EXPECT_EQ("", Search({}, "x").Lines);

    // Each result line names its row again, counted from 0.
    const std::string first = found.Lines.substr(0, found.Lines.find("\r\n"));
    EXPECT_EQ(2, ResultLineRow(first).value_or(-100));
    EXPECT_EQ(99998, ResultLineRow("[99999]x").value_or(-100));
    EXPECT_EQ(12344, ResultLineRow("[123457]").value_or(-100));  // read to the fifth digit
}

TEST(TextSearch, LinesThatAreNoResultLeadNowhere) {
    EXPECT_FALSE(ResultLineRow(""));
    EXPECT_FALSE(ResultLineRow("[    1"));      // shorter than a result line
    EXPECT_FALSE(ResultLineRow("[     ]text"));  // no number
    EXPECT_FALSE(ResultLineRow("[  1x2]text"));  // not only a number
    EXPECT_FALSE(ResultLineRow("plain text row"));
    EXPECT_EQ(-1, ResultLineRow("[    0]x").value_or(-100));  // a row no text has
    EXPECT_EQ(0, ResultLineRow("[1    ]x").value_or(-100));   // spaces either side
}

TEST(PreviewChoice, ASelectionPreviewsOnlyANewFile) {
    EXPECT_TRUE(SelectionPreviews(0, "C:\\Data\\a.txt", ""));
    EXPECT_TRUE(SelectionPreviews(3, "C:\\Data\\b.txt", "C:\\Data\\a.txt"));
    EXPECT_FALSE(SelectionPreviews(-1, "C:\\Data\\b.txt", "C:\\Data\\a.txt"));
    EXPECT_FALSE(SelectionPreviews(5, "c:\\DATA\\A.TXT", "C:\\Data\\a.txt"));
    // Shift-JIS: a trail byte that looks like a lower-case letter is no letter.
    EXPECT_TRUE(SelectionPreviews(1, "C:\\\x83\x61.txt", "C:\\\x83\x41.txt"));
}

TEST(PreviewChoice, MembersAreFilesInTheWorkFolder) {
    const std::string work = "C:\\Prog\\$VSWORK$";
    EXPECT_TRUE(IsWorkFolderMember("C:\\Prog\\$VSWORK$\\in.txt", work));
    EXPECT_TRUE(IsWorkFolderMember("c:\\prog\\$vswork$\\sub\\in.txt", work));
    EXPECT_TRUE(IsWorkFolderMember("C:\\Prog\\$VSWORK$\\in.txt", work + "\\"));
    EXPECT_FALSE(IsWorkFolderMember("C:\\Prog\\$VSWORK$X\\in.txt", work));  // a sibling folder
    EXPECT_FALSE(IsWorkFolderMember("C:\\Prog\\in.txt", work));
    EXPECT_FALSE(IsWorkFolderMember("C:\\Prog\\in.txt", ""));
    EXPECT_FALSE(IsWorkFolderMember("", ""));
}

TEST(InformationPane, TitleButtonAndLabelsFollowTheGuidance) {
    const TInformationView exe = InformationView(GuidanceFor("SETUP.EXE").Lines, GuidanceFor("SETUP.EXE").ButtonCaption);
    EXPECT_TRUE(exe.TitleShown);
    ASSERT_TRUE(exe.ButtonShown);
    EXPECT_EQ(60u, exe.ButtonCaption.size());
    EXPECT_EQ(0u, exe.ButtonCaption.find("このファイルを実行する[SHIFT-RETURN]"));
    EXPECT_EQ(GuidanceFor("SETUP.EXE").Lines, exe.Labels);

    const TInformationView none = InformationView({}, "   ");
    EXPECT_FALSE(none.TitleShown);
    EXPECT_FALSE(none.ButtonShown);
    EXPECT_EQ("", none.ButtonCaption);
    EXPECT_TRUE(none.Labels.empty());
    // Blank lines are still lines: the title shows, and they clear their labels.
    const TInformationView blank = InformationView({"", ""}, "");
    EXPECT_TRUE(blank.TitleShown);
    EXPECT_EQ(2u, blank.Labels.size());

    // More lines than labels: the rest does not show.
    const std::vector<std::string> many(12, "x");
    EXPECT_EQ(kInformationLabels, InformationView(many, "").Labels.size());
    // A caption longer than the padding stays whole.
    const std::string longCaption(70, 'c');
    EXPECT_EQ(longCaption, InformationView({"a"}, longCaption).ButtonCaption);
}
