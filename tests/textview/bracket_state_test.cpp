// Bracket states kept per row: computed on load, kept valid a window after
// every edit, computed lazily beyond it.
#include <gtest/gtest.h>

#include "text_test_util.h"

namespace {

std::vector<int> States(TTextEditorModel& ed) {
    std::vector<int> s;
    for (int i = 0; i < ed.List().Count(); ++i)
        s.push_back(ed.List().BracketState(i));
    return s;
}

class Brackets : public ::testing::Test {
protected:
    Brackets() { ed.View().Brackets().Add("{", "}"); }
    TTextEditorModel ed;
};

TEST_F(Brackets, StatesAfterLoadAndAcrossEdits) {
    ed.Lines().SetText("a {b\r\nc\r\nd\r\ne} f\r\ng\r\n");
    EXPECT_EQ(States(ed), (std::vector<int>{-1, 0, 0, 0, -1}));
    ed.Lines().Put(0, "a b");
    EXPECT_EQ(States(ed), (std::vector<int>{-1, -1, -1, -1, -1}));
    ed.Lines().Put(2, "{");
    EXPECT_EQ(States(ed), (std::vector<int>{-1, -1, -1, 0, -1}));
    ed.Lines().Delete(3);
    EXPECT_EQ(States(ed), (std::vector<int>{-1, -1, -1, 0}));
    ed.Undo();
    EXPECT_EQ(States(ed), (std::vector<int>{-1, -1, -1, 0, -1}));
}

TEST_F(Brackets, PairWithoutRightBracketNeverHoldsTheRowsAfterIt) {
    // Such a pair used to leave its state open, and scanning the next row
    // then never ended.
    ed.View().Brackets().Add("<", "");
    ed.Lines().SetText("a <b\r\nc {d\r\ne<\r\nf} g\r\n");
    EXPECT_EQ(States(ed), (std::vector<int>{-1, -1, 0, 0}));
}

TEST_F(Brackets, OnlyAWindowIsComputedAfterAnEdit) {
    ed.SetVisibleRowCount(2);
    std::string text;
    for (int i = 0; i < 20; ++i)
        text += "x\r\n";
    ed.Lines().SetText(text);
    ed.Lines().Put(0, "{");
    // Row 0 and the next 2 x 2 rows are known; the rest waits.
    EXPECT_EQ(ed.List().BracketState(4), 0);
    EXPECT_EQ(ed.List().BracketState(5), -2);
    EXPECT_EQ(ed.List().BracketState(19), -2);
    // Painting row 15 computes up to it (and the window after it).
    ed.List().UpdateBrackets(15, false);
    for (int i = 1; i < 20; ++i)
        EXPECT_EQ(ed.List().BracketState(i), 0) << i;
    // Closing the bracket again converges quickly.
    ed.Lines().Put(0, "{}");
    ed.List().UpdateBrackets(19, false);
    for (int i = 1; i < 20; ++i)
        EXPECT_EQ(ed.List().BracketState(i), -1) << i;
}

TEST_F(Brackets, UnclosedBracketRunsToTheEnd) {
    TempFile f("{ never closed\r\n1\r\n2\r\n3");
    ed.Lines().LoadFromFile(f.path());
    EXPECT_EQ(States(ed), (std::vector<int>{-1, 0, 0, 0}));
}

TEST_F(Brackets, TokenCutByTheWrapIsSeenWhole) {
    ed.View().Brackets().Clear();
    ed.View().Brackets().Add("/*", "*/");
    ed.WrapOption().SetWrapByte(20);
    ed.SetWordWrap(true);
    // "/*" cut by the wrap: the first row ends with '/', the next starts with '*'.
    ed.Lines().SetText(std::string(19, 'a') + "/*bb\r\nc\r\n");
    ASSERT_EQ(ed.List().Strings(0), std::string(19, 'a') + "/");
    EXPECT_EQ(ed.List().BracketState(1), 0);
    EXPECT_EQ(ed.List().BracketState(2), 0);
}

TEST_F(Brackets, ViewChangeRecomputesEverything) {
    ed.Lines().SetText("{\r\nx\r\n");
    EXPECT_EQ(States(ed), (std::vector<int>{-1, 0}));
    ed.View().Brackets().Clear();
    EXPECT_EQ(States(ed), (std::vector<int>{-1, -1}));
    ed.View().Brackets().Add("x", "y");
    EXPECT_EQ(States(ed), (std::vector<int>{-1, -1}));
    ed.View().SetCommenter("{");
    ed.Lines().Put(0, "x{");
    EXPECT_EQ(States(ed), (std::vector<int>{-1, 0}));
}

} // namespace
