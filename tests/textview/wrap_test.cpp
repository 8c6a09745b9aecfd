// Word wrap with the Japanese line-breaking rules, WrapAll and UnwrapAll.
#include <gtest/gtest.h>

#include <random>

#include "base/sjis.h"
#include "text_test_util.h"

namespace {

using R = RowView;

class Wrap : public ::testing::Test {
protected:
    Wrap() {
        ed.WrapOption().SetWrapByte(20);
        ed.SetWordWrap(true);
    }
    std::vector<R> WrapRows(const std::string& line) {
        TTextEditorStringList rows;
        ed.List().WrapText(line, rows);
        return RowsOf(rows);
    }
    std::string A(int n) { return std::string(n, 'a'); }
    TTextEditorModel ed;
};

TEST_F(Wrap, LineOfExactlyTheWidth) {
    EXPECT_EQ(WrapRows(A(19)), (std::vector<R>{{A(19), raCrlf}}));
    EXPECT_EQ(WrapRows(A(20)), (std::vector<R>{{A(20), raWrapped}, {"", raCrlf}}));
    EXPECT_EQ(ed.List().RowCountOfLine(A(20)), 2);
    ed.WrapOption().SetFollowRetMark(true);
    EXPECT_EQ(WrapRows(A(20)), (std::vector<R>{{A(20), raCrlf}}));
    EXPECT_EQ(ed.List().RowCountOfLine(A(20)), 1);
    EXPECT_EQ(WrapRows(A(45)), (std::vector<R>{{A(20), raWrapped}, {A(20), raWrapped}, {A(5), raCrlf}}));
}

TEST_F(Wrap, LeadByteOnTheLastColumnMovesDown) {
    EXPECT_EQ(WrapRows(A(19) + "あb"), (std::vector<R>{{A(19), raWrapped}, {"あb", raCrlf}}));
    EXPECT_EQ(WrapRows(A(18) + "あb"), (std::vector<R>{{A(18) + "あ", raWrapped}, {"b", raCrlf}}));
}

TEST_F(Wrap, HangingPunctuation) {
    EXPECT_EQ(WrapRows(A(20) + "、bb"), (std::vector<R>{{A(20), raWrapped}, {"、bb", raCrlf}}));
    ed.WrapOption().SetFollowPunctuation(true);
    EXPECT_EQ(WrapRows(A(20) + "、bb"), (std::vector<R>{{A(20) + "、", raWrapped}, {"bb", raCrlf}}));
}

TEST_F(Wrap, LineStartAndLineEndRules) {
    // Without Leading the follow characters have no effect.
    EXPECT_EQ(WrapRows(A(20) + "。cc"), (std::vector<R>{{A(20), raWrapped}, {"。cc", raCrlf}}));
    EXPECT_EQ(WrapRows(A(18) + "「xyz"), (std::vector<R>{{A(18) + "「", raWrapped}, {"xyz", raCrlf}}));
    ed.WrapOption().SetLeading(true);
    // "。" may not begin a row: it pulls the character before it down.
    EXPECT_EQ(WrapRows(A(20) + "。cc"), (std::vector<R>{{A(19), raWrapped}, {"a。cc", raCrlf}}));
    // "「" may not end a row.
    EXPECT_EQ(WrapRows(A(18) + "「xyz"), (std::vector<R>{{A(18), raWrapped}, {"「xyz", raCrlf}}));
    // Stepping back stops once fewer than (20 div 5) x 4 = 16 columns precede.
    EXPECT_EQ(WrapRows(A(10) + std::string(14, ')')),
              (std::vector<R>{{A(10) + std::string(6, ')'), raWrapped}, {std::string(8, ')'), raCrlf}}));
}

TEST_F(Wrap, WordBreak) {
    ed.WrapOption().SetWordBreak(true);
    EXPECT_EQ(WrapRows(A(10) + " " + std::string(14, 'b')),
              (std::vector<R>{{A(10) + " ", raWrapped}, {std::string(14, 'b'), raCrlf}}));
    // An unbroken run is still cut at the width.
    EXPECT_EQ(WrapRows(A(30)), (std::vector<R>{{A(20), raWrapped}, {A(10), raCrlf}}));
    // A break point too near the row start (a third of the width) is not used.
    EXPECT_EQ(WrapRows("ab " + A(25)), (std::vector<R>{{"ab " + A(17), raWrapped}, {A(8), raCrlf}}));
}

TEST_F(Wrap, TabIsCutAtTheWrapBoundary) {
    EXPECT_EQ(WrapRows(A(17) + "\tb"), (std::vector<R>{{A(17) + "\t", raWrapped}, {"b", raCrlf}}));
}

TEST_F(Wrap, WrapByteClampAndRewrapOnChange) {
    ed.WrapOption().SetWrapByte(5);
    EXPECT_EQ(ed.WrapOption().WrapByte(), 20);
    ed.WrapOption().SetWrapByte(300);
    EXPECT_EQ(ed.WrapOption().WrapByte(), 250);
    ed.WrapOption().SetWrapByte(20);
    ed.Lines().SetText(A(50) + "\r\n");
    ed.Lines().Put(0, A(50));
    EXPECT_TRUE(ed.CanUndo());
    EXPECT_EQ(ed.List().Count(), 3);
    ed.WrapOption().SetWrapByte(25);
    EXPECT_EQ(ed.List().Count(), 3); // 25 + 25 + empty row
    EXPECT_FALSE(ed.CanUndo());
    ed.WrapOption().SetFollowRetMark(true);
    EXPECT_EQ(ed.List().Count(), 2);
    EXPECT_EQ(ed.List().Attribute(1), raCrlf);
}

TEST_F(Wrap, UnwrapKeepsEofOnTheLastLine) {
    TempFile f(A(45) + "\r\n" + A(30));
    ed.Lines().LoadFromFile(f.path());
    EXPECT_EQ(RowsOf(ed.List()), (std::vector<R>{{A(20), raWrapped},
                                                {A(20), raWrapped},
                                                {A(5), raCrlf},
                                                {A(20), raWrapped},
                                                {A(10), raEof}}));
    EXPECT_EQ(ed.Lines().Count(), 2);
    ed.SetWordWrap(false);
    EXPECT_EQ(RowsOf(ed.List()), (std::vector<R>{{A(45), raCrlf}, {A(30), raEof}}));
}

// Random Shift-JIS lines: wrapping never cuts a pair, rows rebuild the
// line, no row is wider than the rules allow, and unwrapping gives the
// original rows back.
TEST_F(Wrap, RandomTextRoundTripNeverSplitsAPair) {
    std::mt19937 rng(42);
    const char* pieces[] = {"a", "b", " ", "\t", ".", "あ", "漢", "、", "。", "「", "」", "ｱ",
                            "（", "）", "ー", ")", "x", "\x82", "\xA0"};
    for (int round = 0; round < 8; ++round) {
        TTextEditorWrapOption& o = ed.WrapOption();
        o.BeginUpdate();
        o.SetWrapByte(20 + static_cast<int>(rng() % 40));
        o.SetLeading(round & 1);
        o.SetFollowPunctuation(round & 2);
        o.SetWordBreak(round & 4);
        o.SetFollowRetMark(round & 1);
        o.EndUpdate();
        std::string text;
        std::vector<std::string> lines;
        for (int l = 0; l < 60; ++l) {
            std::string line;
            int n = static_cast<int>(rng() % 120);
            for (int k = 0; k < n; ++k) line += pieces[rng() % (sizeof pieces / sizeof *pieces)];
            lines.push_back(line);
            text += line + "\r\n";
        }
        ed.SetWordWrap(false);
        ed.Lines().SetText(text);
        std::vector<R> unwrapped = RowsOf(ed.List());
        ed.SetWordWrap(true);
        ASSERT_EQ(ed.Lines().Count(), 60);
        for (int l = 0; l < 60; ++l) {
            ASSERT_EQ(ed.Lines()[l], lines[l]);
            int first = ed.Lines().LineToRow(l);
            ColumnLayout layout;
            layout.wrap_byte = o.WrapByte();
            // Start column of every byte as the line lays out.
            std::vector<int> col_of(lines[l].size() + 1, 0);
            for (std::size_t b = 0, col = 0; b <= lines[l].size(); ++b) {
                col_of[b] = static_cast<int>(col);
                if (b == lines[l].size()) break;
                if (IsSjisLeadByte(lines[l][b]) && b + 1 < lines[l].size()) {
                    col_of[++b] = static_cast<int>(++col);
                    ++col;
                } else {
                    col += lines[l][b] == '\t' ? TabWidthAt(static_cast<int>(col), layout) : 1;
                }
            }
            std::size_t offset = 0;
            for (int r = first; r < first + ed.Lines().RowsOfLine(l); ++r) {
                EXPECT_FALSE(offset > 0 && offset < lines[l].size() &&
                             IsSjisTrailPosition(lines[l], offset))
                    << "row " << r << " starts inside a pair";
                std::size_t end = offset + ed.List().Strings(r).size();
                // Up to the first column of the row's last byte: a tab that
                // ends a row may lay its filler into the next one. Hung
                // punctuation may pass the width by up to four columns.
                if (end > offset) {
                    EXPECT_LE(col_of[end - 1] + 1 - col_of[offset],
                              o.WrapByte() + (o.FollowPunctuation() ? 4 : 0));
                }
                offset = end;
            }
        }
        ASSERT_EQ(ed.Lines().Text(), text);
        ed.SetWordWrap(false);
        ASSERT_EQ(RowsOf(ed.List()), unwrapped);
    }
}

} // namespace
