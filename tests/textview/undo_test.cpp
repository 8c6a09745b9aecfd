// Undo and redo through the row list's recorder.
#include <gtest/gtest.h>

#include <random>

#include "text_test_util.h"
#include "textview/undo_obj.h"

namespace {

TEST(Undo, LimitDropsTheOldestEdit) {
    TTextEditorModel ed;
    ed.SetUndoListMax(10);
    EXPECT_EQ(ed.UndoListMax(), 64);
    ed.Lines().SetText("start\r\n");
    for (int i = 0; i < 65; ++i) ed.Lines().Put(0, "edit" + std::to_string(i));
    EXPECT_EQ(ed.List().UndoObj().UndoCount(), 64);
    while (ed.CanUndo()) ed.Undo();
    // The first edit is lost: the text is what that edit produced.
    EXPECT_EQ(ed.Lines()[0], "edit0");
}

TEST(Undo, NewEditClearsRedo) {
    TTextEditorModel ed;
    ed.Lines().SetText("a\r\n");
    ed.Lines().Put(0, "b");
    ed.Undo();
    EXPECT_TRUE(ed.CanRedo());
    EXPECT_EQ(ed.Lines()[0], "a");
    ed.Redo();
    EXPECT_EQ(ed.Lines()[0], "b");
    ed.Undo();
    ed.Lines().Put(0, "c");
    EXPECT_FALSE(ed.CanRedo());
    ed.Redo(); // nothing to redo
    EXPECT_EQ(ed.Lines()[0], "c");
}

TEST(Undo, TextAppendedAfterAnUnterminatedLastRowJoinsItsLine) {
    // Found by fuzzing: the appended rows used to follow the end-of-text row,
    // so the rows said two lines where the text says one, and undoing a
    // later edit lost the difference.
    TTextEditorModel ed;
    ed.Lines().SetText("x");
    ed.List().ReplaceRows(0, 1, "a\r\nb");  // "b" is the unterminated last row
    ASSERT_EQ(ed.List().Attribute(1), raEof);
    ed.List().ReplaceRows(ed.List().Count(), 0, "c\r\nd");
    EXPECT_EQ(ed.Lines().Text(), "a\r\nbc\r\nd");
    EXPECT_EQ(ed.Lines().Count(), 3);
    EXPECT_EQ(ed.List().Attribute(1), raCrlf);
    EXPECT_EQ(ed.List().Attribute(2), raEof);
    ed.Lines().Delete(0);
    ed.Undo();
    EXPECT_EQ(ed.Lines().Text(), "a\r\nbc\r\nd");
    ed.Undo();
    EXPECT_EQ(ed.Lines().Text(), "a\r\nb");
    ed.Undo();
    EXPECT_EQ(ed.Lines().Text(), "x\r\n");
    ed.Redo();
    ed.Redo();
    ed.Redo();
    EXPECT_EQ(ed.Lines().Text(), "bc\r\nd");
}

TEST(Undo, RedoKeepsTheLineBreakBeforeAnEmptyUnterminatedLastRow) {
    // Found by fuzzing: a lone CR at the end of inserted text leaves an
    // empty unterminated last row, and redo used to drop the line break
    // before it.
    TTextEditorModel ed;
    ed.Lines().SetText("x");
    ed.List().ReplaceRows(0, 1, "a");
    ed.List().ReplaceRows(0, 1, "a\r\nb\r\n\r");
    const std::string edited = ed.Lines().Text();
    ASSERT_EQ(edited, "a\r\nb\r\n");
    ed.Undo();
    EXPECT_EQ(ed.Lines().Text(), "a");
    ed.Redo();
    EXPECT_EQ(ed.Lines().Text(), edited);
    EXPECT_EQ(ed.List().Count(), 3);
}

TEST(Undo, PutsBackTheRowsItReplacedAsTheyWereCut) {
    {
        // Found by fuzzing: an edit re-wraps from the row before it, where
        // the tabs fall on other columns than in the wrap of the whole line.
        // Undo used to wrap the old text anew from there, which made the
        // line one row shorter, so the older edit below it was undone on
        // the wrong row.
        TTextEditorModel ed;
        ed.WrapOption().SetWrapByte(20);
        ed.SetWordWrap(true);
        ed.Lines().SetText("\t\t12345xyz\tbc xyz12345\r\nlast\r\n");
        const std::vector<RowView> start = RowsOf(ed.List());
        ASSERT_EQ(start, (std::vector<RowView>{{"\t\t1234", raWrapped},
                                               {"5xyz\tbc xyz12", raWrapped},
                                               {"345", raCrlf},
                                               {"last", raCrlf}}));
        ed.Lines().Put(1, "next");
        const std::vector<RowView> put = RowsOf(ed.List());
        // The line's third row, as it was; the re-wrap from row 1 puts the
        // line in two rows.
        ed.List().ReplaceRows(2, 1, "345\r\n");
        ed.Undo();
        EXPECT_EQ(RowsOf(ed.List()), put);
        ed.Undo();
        EXPECT_EQ(RowsOf(ed.List()), start);
        EXPECT_EQ(ed.Lines().Text(), "\t\t12345xyz\tbc xyz12345\r\nlast\r\n");
        ed.Redo();
        ed.Redo();
        EXPECT_EQ(ed.Lines().Text(), "\t\t12345xyz\tbc xyz12345\r\nnext\r\n");
    }
    {
        // A loaded line keeps a NUL byte in its row, where a wrap of text
        // cuts it: undoing an edit of that line used to give it back cut in
        // two.
        const std::string text("a\0b\r\nc\r\n", 8);
        TempFile f(text);
        TTextEditorModel ed;
        ed.Lines().LoadFromFile(f.path());
        ASSERT_EQ(ed.List().Count(), 2);
        ed.Lines().Put(0, "x");
        ed.Undo();
        EXPECT_EQ(ed.Lines().Text(), text);
        EXPECT_EQ(ed.List().Count(), 2);
    }
}

TEST(Undo, SplitRowRestoresRowAndCaret) {
    TTextEditorModel ed;
    ed.Lines().SetText("hello world\r\nnext\r\n");
    ed.SetCaret(0, 5);
    // What Enter does: the row is replaced by its two halves.
    ed.List().ReplaceRows(0, 1, "hello\r\n world\r\n");
    ed.SetCaret(1, 0);
    EXPECT_EQ(ed.Lines().Count(), 3);
    ed.Undo();
    EXPECT_EQ(ed.Lines().Text(), "hello world\r\nnext\r\n");
    EXPECT_EQ(ed.Row(), 0);
    EXPECT_EQ(ed.Col(), 5);
    ed.Redo();
    EXPECT_EQ(ed.Lines().Text(), "hello\r\n world\r\nnext\r\n");
}

TEST(Undo, BackspaceOverDoubleByteCharacterRestores) {
    TTextEditorModel ed;
    ed.Lines().SetText("aあb\r\n");
    ed.Lines().Put(0, "ab");
    ed.Undo();
    EXPECT_EQ(ed.Lines()[0], "aあb");
}

TEST(Undo, ClearingTheListOrSwitchingWrapForgetsHistory) {
    TTextEditorModel ed;
    ed.Lines().SetText("a\r\n");
    ed.Lines().Put(0, "b");
    ed.SetWordWrap(true);
    EXPECT_FALSE(ed.CanUndo());
    ed.Lines().Put(0, "c");
    ed.Lines().Clear();
    EXPECT_FALSE(ed.CanUndo());
}

// Random edits anywhere (line breaks, double-byte text, wrapped rows), then
// undo everything: the original text comes back; redo everything: the
// edited text comes back.
class UndoProperty : public ::testing::TestWithParam<bool> {};

TEST_P(UndoProperty, RandomEditsUndoToTheOriginal) {
    std::mt19937 rng(GetParam() ? 11 : 12);
    const char* pieces[] = {"a", "bc", " ", "\t", "あ", "漢字", "、", "\r\n", "\n", "\r", "xyz"};
    auto random_text = [&](int max_pieces) {
        std::string s;
        int n = static_cast<int>(rng() % max_pieces);
        for (int k = 0; k < n; ++k) s += pieces[rng() % (sizeof pieces / sizeof *pieces)];
        return s;
    };
    for (int round = 0; round < 10; ++round) {
        TTextEditorModel ed;
        ed.SetUndoListMax(200);
        ed.WrapOption().SetWrapByte(20);
        ed.SetWordWrap(GetParam());
        std::string original;
        for (int l = 0; l < 15; ++l) original += random_text(30) + "\r\n";
        if (round % 2) original += "tail";
        ed.Lines().SetText(original);
        std::string start = ed.Lines().Text();
        const int edits = 40;
        for (int e = 0; e < edits; ++e) {
            int n = ed.List().Count();
            int index = n ? static_cast<int>(rng() % (n + 1)) : 0;
            int count = index < n ? static_cast<int>(rng() % std::min(3, n - index + 1)) : 0;
            std::string s = random_text(6);
            if (count == 0 && s.empty()) s = "q";
            ed.List().ReplaceRows(index, count, s);
        }
        std::string edited = ed.Lines().Text();
        int undos = 0;
        while (ed.CanUndo()) {
            ed.Undo();
            ++undos;
        }
        ASSERT_EQ(undos, edits);
        ASSERT_EQ(ed.Lines().Text(), start) << "round " << round;
        while (ed.CanRedo()) ed.Redo();
        ASSERT_EQ(ed.Lines().Text(), edited) << "round " << round;
    }
}

INSTANTIATE_TEST_SUITE_P(WrapOffOn, UndoProperty, ::testing::Values(false, true));

// The line view against a plain vector of lines.
TEST(LinesProperty, RandomLineOperationsMatchAVector) {
    for (bool wrap : {false, true}) {
        std::mt19937 rng(wrap ? 5 : 6);
        TTextEditorModel ed;
        ed.WrapOption().SetWrapByte(20);
        ed.SetWordWrap(wrap);
        std::vector<std::string> ref;
        bool terminated = true;
        const char* pieces[] = {"a", "bb", "あ", " ", "漢字かな", "\t", "0123456789"};
        for (int step = 0; step < 400; ++step) {
            std::string s;
            for (int k = static_cast<int>(rng() % 12); k > 0; --k) s += pieces[rng() % 7];
            int n = static_cast<int>(ref.size());
            int i = n ? static_cast<int>(rng() % n) : 0;
            switch (rng() % 4) {
            case 0:
                ed.Lines().Add(s);
                // An empty unterminated last line cannot exist: adding one
                // only terminates the text.
                if (s.empty() && !terminated && n)
                    terminated = true;
                else
                    ref.push_back(s);
                break;
            case 1:
                if (!n) continue;
                ed.Lines().Put(i, s);
                ref[i] = s;
                break;
            case 2:
                if (!n) continue;
                ed.Lines().Insert(i, s);
                ref.insert(ref.begin() + i, s);
                break;
            case 3:
                if (!n) continue;
                ed.Lines().Delete(i);
                ref.erase(ref.begin() + i);
                if (i == n - 1) terminated = true;
                break;
            }
            if (step == 200) {
                // Continue on an unterminated text.
                std::string t = ed.Lines().Text();
                if (t.size() >= 2) {
                    TempFile f(t.substr(0, t.size() - 2));
                    ed.Lines().LoadFromFile(f.path());
                    terminated = false;
                }
            }
            std::string expect;
            for (std::size_t k = 0; k < ref.size(); ++k) {
                expect += ref[k];
                if (k + 1 < ref.size() || terminated) expect += "\r\n";
            }
            if (ref.empty()) expect.clear();
            ASSERT_EQ(ed.Lines().Text(), expect) << "step " << step << " wrap " << wrap;
            ASSERT_EQ(ed.Lines().Count(), static_cast<int>(ref.size()));
            if (!ref.empty()) {
                ASSERT_EQ(ed.Lines()[i % ref.size()], ref[i % ref.size()]);
            }
        }
    }
}

} // namespace
