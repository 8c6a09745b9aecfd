// Bracket states kept per row: computed on load, kept valid a window after
// every edit, computed lazily beyond it.
#include <gtest/gtest.h>

#include <random>

#include "text_test_util.h"
#include "textview/text_parser.h"

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

// The states as a scan of every row from the first, each row copied on its
// own with a parser of its own, gives them: what loading used to store.
std::vector<int> EagerStates(TTextEditorModel& ed) {
    const TTextEditorScreenStrings& list = ed.List();
    std::vector<int> out;
    int state = -1;
    for (int i = 0; i < list.Count(); ++i) {
        out.push_back(state);
        if (ed.View().Brackets().Count() == 0) continue;
        std::string text(list.Strings(i));
        if (ed.WordWrap() && list.Attribute(i) == raWrapped && i + 1 < list.Count()) {
            const std::string next(list.Strings(i + 1));
            TTextEditorParser first(&ed.View(), -2, next);
            if (first.Token() != tkEnd)
                text += next.substr(0, first.TokenOffset() + first.TokenLength());
        }
        TTextEditorParser p(&ed.View(), state, text);
        while (p.Token() != tkEnd)
            p.NextToken();
        state = p.BracketState();
    }
    return out;
}

// What painting a row uses: a state past the valid window is computed first.
int PaintedState(TTextEditorModel& ed, int row) {
    if (ed.List().BracketState(row) == -2) ed.List().UpdateBrackets(row, false);
    return ed.List().BracketState(row);
}

std::string RandomText(std::mt19937& rng, int pieces) {
    static const char* const kPieces[] = {
        "{", "}", "{}", "'", "''", ">", "#", "#1F", "http://a.jp/{x}", "a@b.c", "本", "日本",
        "\x81", "\x96", "\t", " ", "  ", "x", "word", "12.5", "/*", "*/", "(", ")", "<", "\xB6",
        "\r\n", "\r\n", "\n", "\r", "\x1A"};
    std::string s;
    for (int i = 0; i < pieces; ++i)
        s += kPieces[rng() % (sizeof kPieces / sizeof *kPieces)];
    if (rng() % 4 == 0) s.insert(rng() % (s.size() + 1), 1, '\0');
    return s;
}

// The views whose rules can swallow a bracket or begin one: the text
// preview's own, pairs of several bytes and of double-byte characters, a
// pair that cannot close.
void SetView(TTextEditorViewInfo& v, int kind) {
    v.BeginUpdate();
    v.Brackets().Clear();
    if (kind == 0) {
        v.Brackets().Add("{", "}");
        v.SetCommenter(">");
        v.SetControlCode(true);
        v.SetHexPrefix("#");
        v.SetMail(true);
        v.SetUrl(true);
        v.SetQuotation("'");
    } else {
        v.Brackets().Add("/*", "*/");
        v.Brackets().Add("(", ")");
        v.Brackets().Add("本", "日");
        v.Brackets().Add("<", "");
        v.SetQuotation("'");
    }
    v.EndUpdate();
}

TEST(LazyBrackets, StatesReadInAnyOrderEqualTheEagerScan) {
    std::mt19937 rng(7);
    for (int round = 0; round < 120; ++round) {
        TTextEditorModel ed;
        ed.SetVisibleRowCount(3);
        SetView(ed.View(), round % 2);
        if (round % 3 == 1) {
            ed.WrapOption().SetWrapByte(20);
            ed.SetWordWrap(true);
        }
        const std::string text = RandomText(rng, 40 + static_cast<int>(rng() % 200));
        if (round % 4 < 2) {
            TempFile f(text);
            ed.Lines().LoadFromFile(f.path());
        } else {
            ed.Lines().SetText(text);
        }
        const std::vector<int> want = EagerStates(ed);
        const int n = ed.List().Count();
        std::vector<int> order(n);
        for (int i = 0; i < n; ++i)
            order[i] = i;
        if (round % 3 == 0) std::shuffle(order.begin(), order.end(), rng);
        if (round % 3 == 2) std::reverse(order.begin(), order.end());
        std::vector<int> got(n);
        for (int i : order)
            got[i] = ed.List().BracketState(i);
        ASSERT_EQ(got, want) << "round " << round;
    }
}

TEST(LazyBrackets, EditsOnPendingStatesPaintWhatAFreshScanGives) {
    std::mt19937 rng(11);
    for (int round = 0; round < 80; ++round) {
        TTextEditorModel ed;
        ed.SetVisibleRowCount(2);
        SetView(ed.View(), round % 2);
        if (round % 2) {
            ed.WrapOption().SetWrapByte(20);
            ed.SetWordWrap(true);
        }
        ed.Lines().SetText(RandomText(rng, 150));
        for (int e = 0; e < 16; ++e) {
            const int lines = ed.Lines().Count();
            const int line = lines ? static_cast<int>(rng() % lines) : 0;
            switch (rng() % 8) {
            case 0: ed.Lines().Put(line, RandomText(rng, 3)); break;
            case 1: ed.Lines().Insert(line, RandomText(rng, 4)); break;
            case 2: ed.Lines().Delete(line); break;
            case 3: ed.Undo(); break;
            case 4: ed.Redo(); break;
            // Whole recomputes leave every state pending again.
            case 5: ed.View().SetCommenter(rng() % 2 ? ">" : ""); break;
            case 6: ed.List().UpdateBrackets(line, rng() % 2 == 0); break;
            default: ed.Lines().SetText(RandomText(rng, 100)); break;
            }
            // One screen is painted somewhere: the states after it stay pending.
            const std::vector<int> want = EagerStates(ed);
            const int n = static_cast<int>(want.size());
            const int top = n ? static_cast<int>(rng() % n) : 0;
            for (int i = top; i < std::min(n, top + 2); ++i)
                ASSERT_EQ(PaintedState(ed, i), want[i]) << "round " << round << " edit " << e << " row " << i;
        }
        const std::vector<int> want = EagerStates(ed);
        for (int i = static_cast<int>(want.size()) - 1; i >= 0; --i)
            ASSERT_EQ(PaintedState(ed, i), want[i]) << "round " << round << " row " << i;
    }
}

TEST(LazyBrackets, AViewChangeWhileStatesArePendingStartsOver) {
    TTextEditorModel ed;
    ed.View().Brackets().Add("{", "}");
    ed.Lines().SetText("{\r\na\r\n}\r\nb\r\n");
    EXPECT_EQ(ed.List().BracketState(1), 0);
    ed.View().Brackets().Clear();
    ed.View().Brackets().Add("a", "b");
    EXPECT_EQ(States(ed), (std::vector<int>{-1, -1, 0, 0}));
}

} // namespace
