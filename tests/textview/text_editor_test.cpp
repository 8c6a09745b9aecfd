// The text control as a window, driven with messages: keys, characters,
// mouse, scroll bars and WM_PRINTCLIENT into a memory bitmap.
#include "../app_test_fixture.h"
#include <gtest/gtest.h>

#include <string>

#include "textview/text_editor_ex_win.h"

namespace {

class TextEditor : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        form_ = new TForm(app_);
        form_->SetBounds(0, 0, 500, 360);
        ed_ = new TTextEditorEx(form_, form_);
        ed_->SetBounds(0, 0, 420, 300);
        ed_->Color = clWhite;
        TFont f = ed_->Font;
        f.Color = clBlack;
        ed_->SetFont(f);
        ed_->Caret().SetFreeCaret(false);
    }
    void TearDown() override {
        SetKeys(0);
        delete form_;
        AppTest::TearDown();
    }

    static void SetKeys(TShiftState shift) {
        BYTE state[256] = {};
        if (shift & ssShift) state[VK_SHIFT] = 0x80;
        if (shift & ssCtrl) state[VK_CONTROL] = 0x80;
        SetKeyboardState(state);
    }
    void Key(WORD vk, TShiftState shift = 0) {
        SetKeys(shift);
        SendMessageA(ed_->Handle(), WM_KEYDOWN, vk, 0);
        SetKeys(0);
    }
    void Type(const std::string& s) {
        for (unsigned char c : s) SendMessageA(ed_->Handle(), WM_CHAR, c, 0);
    }
    POINT At(int row, int col) const {
        return POINT{ed_->Margin().Left() + (col - ed_->TopCol()) * ed_->ColWidth() + 1,
                     ed_->Margin().Top() + (row - ed_->TopRow()) * ed_->RowHeight() + 1};
    }
    void Mouse(UINT msg, POINT p, WPARAM keys) {
        SendMessageA(ed_->Handle(), msg, keys, MAKELPARAM(p.x, p.y));
    }
    void Click(int row, int col, WPARAM keys = 0) {
        Mouse(WM_LBUTTONDOWN, At(row, col), MK_LBUTTON | keys);
        Mouse(WM_LBUTTONUP, At(row, col), keys);
    }
    void Drag(int r0, int c0, int r1, int c1) {
        Mouse(WM_LBUTTONDOWN, At(r0, c0), MK_LBUTTON);
        Mouse(WM_MOUSEMOVE, At(r1, c1), MK_LBUTTON);
        Mouse(WM_LBUTTONUP, At(r1, c1), 0);
    }
    std::string Text() const { return ed_->Lines().Text(); }

    // What the control paints, into a bitmap of its client size.
    struct Shot {
        HDC dc = nullptr;
        HBITMAP bmp = nullptr;
        HGDIOBJ old = nullptr;
        ~Shot() {
            SelectObject(dc, old);
            DeleteObject(bmp);
            DeleteDC(dc);
        }
        COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
        // Pixels of colour c inside a rectangle.
        int Count(RECT r, COLORREF c) const {
            int n = 0;
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x) n += GetPixel(dc, x, y) == c;
            return n;
        }
    };
    std::unique_ptr<Shot> Paint() {
        auto s = std::make_unique<Shot>();
        RECT rc;
        GetClientRect(ed_->Handle(), &rc);
        HDC screen = GetDC(nullptr);
        s->dc = CreateCompatibleDC(screen);
        s->bmp = CreateCompatibleBitmap(screen, rc.right, rc.bottom);
        ReleaseDC(nullptr, screen);
        s->old = SelectObject(s->dc, s->bmp);
        SendMessageA(ed_->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(s->dc), PRF_CLIENT);
        return s;
    }
    // The cell rectangle of columns [c0, c1) of a row.
    RECT Cells(int row, int c0, int c1) const {
        const int x = ed_->Margin().Left() + (c0 - ed_->TopCol()) * ed_->ColWidth();
        const int y = ed_->Margin().Top() + (row - ed_->TopRow()) * ed_->RowHeight();
        return RECT{x, y, x + (c1 - c0) * ed_->ColWidth(), y + ed_->FontHeight()};
    }
    TForm* form_ = nullptr;
    TTextEditorEx* ed_ = nullptr;
};

// "漢" in Shift-JIS.
const std::string kKan = "\x8A\xBF";

TEST_F(TextEditor, MetricsFollowTheUnderlineMarkAndTheClientSize) {
    const int pitch = ed_->RowHeight();
    EXPECT_EQ(ed_->FontHeight(), pitch);
    ed_->Marks().Underline().SetVisible(true);
    EXPECT_EQ(pitch + 1, ed_->RowHeight());
    RECT rc;
    GetClientRect(ed_->Handle(), &rc);
    EXPECT_EQ((rc.bottom - ed_->Margin().Top() - 5) / ed_->RowHeight(), ed_->VisibleRows());
    EXPECT_EQ((rc.right - ed_->Margin().Left() - ed_->ColWidth() / 2) / ed_->ColWidth(), ed_->VisibleCols());
    ed_->Margin().SetCharacter(3);
    EXPECT_GT(ed_->ColWidth(), 3);
}

TEST_F(TextEditor, CaretNeverRestsInsideADoubleByteCharacterOrATab) {
    ed_->Lines().SetText("a" + kKan + "b\r\n\tx\r\n");
    Click(0, 2);  // on the trail byte
    EXPECT_EQ(1, ed_->Col());
    Key(VK_RIGHT);
    EXPECT_EQ(3, ed_->Col());
    Key(VK_LEFT);
    EXPECT_EQ(1, ed_->Col());
    Key(VK_DOWN);
    EXPECT_EQ(1, ed_->Row());
    EXPECT_EQ(0, ed_->Col()) << "inside the tab's filler: back to the tab";
    Key(VK_RIGHT);
    EXPECT_EQ(8, ed_->Col()) << "over the tab in one step";
    Key(VK_END);
    EXPECT_EQ(9, ed_->Col());
    Key(VK_RIGHT);
    EXPECT_EQ(9, ed_->Col()) << "no free caret: not past the end";
    ed_->Caret().SetNextLine(true);
    Key(VK_RIGHT);
    EXPECT_EQ(2, ed_->Row());
    EXPECT_EQ(0, ed_->Col());
}

TEST_F(TextEditor, SetRowClampsAndKeepsOffTheRowAfterAnEofRow) {
    ed_->List().ReplaceRows(0, 0, "one\r\ntwo");  // typed text: the last row has no line break
    ed_->SetRow(99);
    EXPECT_EQ(1, ed_->Row());
    ed_->SetRow(-4);
    EXPECT_EQ(0, ed_->Row());
    ed_->Lines().SetText("one\r\ntwo\r\n");
    ed_->SetRow(99);
    EXPECT_EQ(2, ed_->Row());
}

TEST_F(TextEditor, TypingEnterBackspaceAndDeleteEditTheRows) {
    Type("ab");
    Type(kKan);
    EXPECT_EQ("ab" + kKan, Text());
    EXPECT_EQ(4, ed_->Col());
    Key(VK_BACK);
    EXPECT_EQ("ab", Text()) << "both bytes go";
    Key(VK_HOME);
    Type("  ");
    Key(VK_END);
    Key(VK_RETURN);
    EXPECT_EQ("  ab\r\n  ", Text()) << "auto-indent from the line above";
    EXPECT_EQ(1, ed_->Row());
    EXPECT_EQ(2, ed_->Col());
    Type("c");
    Key(VK_HOME);
    Key(VK_BACK);
    EXPECT_EQ("  ab  c", Text()) << "backspace at a row start joins the rows";
    EXPECT_EQ(0, ed_->Row());
    EXPECT_EQ(4, ed_->Col());
    Key(VK_DELETE);
    EXPECT_EQ("  ab c", Text());
}

// An edit that adds or removes rows moves the pixels of the rows below it;
// only the changed rows and the uncovered strip wait for a repaint.
TEST_F(TextEditor, RowsBelowAnEditAreScrolledNotRepainted) {
    std::string text;
    for (int i = 0; i < 40; ++i) text += "line " + std::to_string(i) + "\r\n";
    ed_->Lines().SetText(text);
    form_->Show();
    UpdateWindow(ed_->Handle());
    auto invalid = [&](int row) {
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        GetUpdateRgn(ed_->Handle(), rgn, FALSE);
        const bool in = PtInRegion(rgn, At(row, 2).x, At(row, 2).y);
        DeleteObject(rgn);
        return in;
    };
    ed_->SetRow(2);
    Key(VK_END);
    UpdateWindow(ed_->Handle());
    Key(VK_RETURN);
    EXPECT_TRUE(invalid(2));
    EXPECT_TRUE(invalid(3));
    EXPECT_FALSE(invalid(10));
    UpdateWindow(ed_->Handle());
    Key(VK_BACK);  // joins the rows again: the rows below move up
    EXPECT_TRUE(invalid(2));
    EXPECT_FALSE(invalid(10));
    EXPECT_EQ(text, Text());
}

TEST_F(TextEditor, DeleteAtALineEndJoinsAndUndoRestoresTheSplit) {
    ed_->Lines().SetText("abc\r\ndef\r\n");
    ed_->SetCaret(0, 1);
    Key(VK_RETURN);
    EXPECT_EQ("a\r\nbc\r\ndef\r\n", Text());
    Key('Z', ssCtrl);
    EXPECT_EQ("abc\r\ndef\r\n", Text());
    EXPECT_EQ(0, ed_->Row());
    EXPECT_EQ(1, ed_->Col());
    Key('Y', ssCtrl);
    EXPECT_EQ("a\r\nbc\r\ndef\r\n", Text());
    Key(VK_END);
    Key(VK_DELETE);
    EXPECT_EQ("a\r\nbcdef\r\n", Text());
}

TEST_F(TextEditor, TabsOverwriteAndReadOnly) {
    Type("x");
    Key(VK_TAB);
    EXPECT_EQ("x\t", Text());
    EXPECT_EQ(8, ed_->Col());
    ed_->Caret().SetSoftTab(true);
    ed_->Caret().SetTabSpaceCount(4);
    Key(VK_TAB);
    EXPECT_EQ("x\t    ", Text());
    Key(VK_HOME);
    Key(VK_INSERT);
    ASSERT_TRUE(ed_->Overwrite());
    Type("y");
    EXPECT_EQ("y\t    ", Text());
    ed_->SetReadOnly(true);
    Type("z");
    Key(VK_BACK);
    Key(VK_RETURN);
    Key('V', ssCtrl);
    EXPECT_EQ("y\t    ", Text());
}

TEST_F(TextEditor, MouseSelectsAfterMovingHalfAColumnAndShiftExtends) {
    ed_->Lines().SetText("hello world\r\nsecond line\r\n");
    Mouse(WM_LBUTTONDOWN, At(0, 2), MK_LBUTTON);
    POINT nudge = At(0, 2);
    nudge.x += ed_->ColWidth() / 2 - 1;
    Mouse(WM_MOUSEMOVE, nudge, MK_LBUTTON);
    EXPECT_EQ(sstSelecting, ed_->SelectionState()) << "not yet: the pointer hardly moved";
    Mouse(WM_MOUSEMOVE, At(1, 3), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, At(1, 3), 0);
    ASSERT_TRUE(ed_->Selected());
    EXPECT_EQ("llo world\r\nsec", ed_->SelectedText());
    Click(1, 6, MK_SHIFT);
    EXPECT_EQ("llo world\r\nsecond", ed_->SelectedText());
    Click(0, 0);
    EXPECT_FALSE(ed_->Selected());
}

TEST_F(TextEditor, KeyboardSelectionAndItsEvents) {
    ed_->Lines().SetText("abc\r\ndef\r\n");
    int on = 0, off = 0;
    ed_->OnSelectionChange = [&](TObject*, bool selected) { ++(selected ? on : off); };
    Key(VK_RIGHT, ssShift);
    Key(VK_DOWN, ssShift);
    EXPECT_EQ("abc\r\nd", ed_->SelectedText());
    EXPECT_EQ(2, on);
    Key(VK_LEFT);
    EXPECT_FALSE(ed_->Selected());
    EXPECT_EQ(1, off);
    ed_->SelectAll();
    EXPECT_EQ("abc\r\ndef\r\n", ed_->SelectedText());
}

TEST_F(TextEditor, ClipboardCarriesStreamAndBoxSelections) {
    ed_->Lines().SetText("abcdef\r\n" + kKan + "xyz\r\nshort\r\n");
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    ed_->CopyToClipboard();
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT)) << "no selection, nothing copied";

    Drag(0, 1, 1, 3);
    Key('C', ssCtrl);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE h = GetClipboardData(CF_TEXT);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ("bcdef\r\n" + kKan + "x", std::string(static_cast<const char*>(GlobalLock(h))));
    GlobalUnlock(h);
    EXPECT_FALSE(IsClipboardFormatAvailable(TTextEditor::BoxClipboardFormat()));
    CloseClipboard();

    ed_->SetSelectionMode(true);
    Drag(0, 1, 2, 3);  // columns 1..2; the trail byte at column 1 brings its lead
    EXPECT_EQ("bc\r\n" + kKan + "x\r\nho\r\n", ed_->SelectedText());
    ed_->CopyToClipboard();
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE box = GetClipboardData(TTextEditor::BoxClipboardFormat());
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("bc\r\n" + kKan + "x\r\nho\r\n", std::string(static_cast<const char*>(GlobalLock(box))));
    GlobalUnlock(box);
    CloseClipboard();

    // A box paste puts each line at the caret column of successive rows.
    ed_->SetSelectionMode(false);
    ed_->CleanSelection();
    ed_->SetCaret(0, 6);
    Key('V', ssCtrl);
    EXPECT_EQ("abcdefbc\r\n" + kKan + "xyz " + kKan + "x\r\nshort ho\r\n", Text());
}

TEST_F(TextEditor, PastingPlainTextInsertsItAtTheCaret) {
    ed_->Lines().SetText("start end\r\n");
    ed_->SetCaret(0, 6);
    ASSERT_TRUE(OpenClipboard(ed_->Handle()));
    EmptyClipboard();
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, 16);
    strcpy(static_cast<char*>(GlobalLock(g)), "one\r\ntwo ");
    GlobalUnlock(g);
    SetClipboardData(CF_TEXT, g);
    CloseClipboard();
    Key('V', ssCtrl);
    EXPECT_EQ("start one\r\ntwo end\r\n", Text());
    EXPECT_EQ(1, ed_->Row());
    EXPECT_EQ(4, ed_->Col());
    Key('Z', ssCtrl);
    EXPECT_EQ("start end\r\n", Text());
}

TEST_F(TextEditor, TokenAtAPointAndAtTheCaret) {
    ed_->View().SetUrl(true);
    ed_->View().SetMail(true);
    ed_->View().Brackets().Add("{", "}");
    ed_->Lines().SetText("{ see http://example.com/a and me@example.com }\r\n");
    TokenKind kind = tkEnd;
    EXPECT_EQ("http://example.com/a", ed_->TokenAtPos(At(0, 6), &kind));
    EXPECT_EQ(tkUrl, kind);
    ed_->SetCaret(0, 32);
    EXPECT_EQ(tkMail, ed_->TokenKindAtCaret());
    EXPECT_EQ("me@example.com", ed_->TokenStringAtCaret());
    EXPECT_EQ("", ed_->TokenAtPos(At(3, 2), &kind));
    EXPECT_EQ(tkEnd, kind);
    EXPECT_EQ("", ed_->TokenAtPos(At(0, 80), &kind));
    ed_->SelectTokenAtPos(At(0, 10));
    EXPECT_EQ("http://example.com/a", ed_->SelectedText());
}

TEST_F(TextEditor, ScrollBarsMoveTheFirstRowWithinItsRange) {
    std::string text;
    for (int i = 0; i < 200; ++i) text += "row\r\n";
    ed_->SetScrollBars(ssBoth);
    ed_->Lines().SetText(text);
    const int page = ed_->VisibleRows();
    SendMessageA(ed_->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(page, ed_->TopRow());
    SendMessageA(ed_->Handle(), WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(page - 1, ed_->TopRow());
    SendMessageA(ed_->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(199, ed_->TopRow()) << "the last row can come to the top";
    SendMessageA(ed_->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(199, ed_->TopRow());
    SendMessageA(ed_->Handle(), WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(0, ed_->TopRow());
    ed_->Caret().SetLockScroll(true);
    ed_->SetCaret(5, 0);
    SendMessageA(ed_->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(6, ed_->Row()) << "lock scroll takes the caret along";
    SendMessageA(ed_->Handle(), WM_HSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(8000 / ed_->ColWidth(), ed_->TopCol());
    EXPECT_EQ(6, ed_->Row());
    // The caret follows key moves off the screen.
    SendMessageA(ed_->Handle(), WM_HSCROLL, SB_TOP, 0);
    ed_->SetTopRow(0);
    ed_->Caret().SetLockScroll(false);
    ed_->SetCaret(0, 0);
    for (int i = 0; i < page + 3; ++i) Key(VK_DOWN);
    EXPECT_EQ(4, ed_->TopRow());
}

TEST_F(TextEditor, EofAndLineEndMarksAndTheUnderline) {
    const COLORREF eof = RGB(255, 0, 0), ret = RGB(0, 0, 255), under = RGB(0, 255, 0);
    ed_->Marks().EofMark().SetVisible(true);
    ed_->Marks().EofMark().SetColor(eof);
    ed_->Marks().RetMark().SetVisible(true);
    ed_->Marks().RetMark().SetColor(ret);
    ed_->Marks().Underline().SetVisible(true);
    ed_->Marks().Underline().SetColor(under);

    ed_->List().ReplaceRows(0, 0, "abc\r\nxy");
    auto shot = Paint();
    EXPECT_GT(shot->Count(Cells(1, 2, 8), eof), 0) << "[EOF] right after the last character";
    EXPECT_EQ(0, shot->Count(Cells(2, 0, 6), eof));
    EXPECT_GT(shot->Count(Cells(0, 3, 4), ret), 0) << "line-end arrow after a CR LF row";
    EXPECT_EQ(0, shot->Count(Cells(1, 2, 4), ret)) << "no arrow on the last row";
    const int y = ed_->Margin().Top() + ed_->RowHeight() - 1;
    EXPECT_EQ(under, shot->At(ed_->Margin().Left() + 200, y)) << "caret row underline";

    ed_->Lines().SetText("abc\r\n");
    shot = Paint();
    EXPECT_GT(shot->Count(Cells(1, 0, 6), eof), 0) << "[EOF] at the start of the row after";
    ed_->Lines().Clear();
    shot = Paint();
    EXPECT_GT(shot->Count(Cells(0, 0, 6), eof), 0) << "an empty text has it at the top left";
}

TEST_F(TextEditor, TokenColoursAndTheSelectionArePainted) {
    const COLORREF str_bg = RGB(250, 240, 0), sel_bg = RGB(0, 0, 128);
    ed_->View().SetQuotation("\"");
    ed_->View().Colors().Str.SetBkColor(str_bg);
    ed_->View().Colors().Select.SetBkColor(sel_bg);
    ed_->Lines().SetText("x = \"quoted\";\r\nplain\r\n");
    auto shot = Paint();
    EXPECT_GT(shot->Count(Cells(0, 5, 10), str_bg), 0);
    EXPECT_EQ(0, shot->Count(Cells(0, 0, 3), str_bg));
    Drag(1, 1, 1, 4);
    shot = Paint();
    EXPECT_GT(shot->Count(Cells(1, 1, 4), sel_bg), 0);
    EXPECT_EQ(0, shot->Count(Cells(1, 4, 5), sel_bg));
}

TEST_F(TextEditor, KeywordsAndSearchHitsAreHighlightedOnCharacterBoundaries) {
    const COLORREF kw_bg = RGB(200, 0, 0), hit_bg = RGB(0, 160, 0);
    ed_->KeyWordList.Add("begin", TKeyWordColor{clWhite, kw_bg, 0});
    ed_->SearchHitColorBack = hit_bg;
    // 0x82 0x60 is a double-byte letter whose trail byte is '`'.
    ed_->Lines().SetText("BEGIN x\r\n\x82`a `a\r\n");
    ed_->SetSearchHitString("`a");
    auto shot = Paint();
    EXPECT_GT(shot->Count(Cells(0, 0, 5), kw_bg), 0) << "upper-case text, lower-case keyword";
    EXPECT_EQ(0, shot->Count(Cells(1, 1, 3), hit_bg)) << "a hit starting on a trail byte";
    EXPECT_GT(shot->Count(Cells(1, 4, 6), hit_bg), 0);
}

TEST_F(TextEditor, LongRowsArePaintedInPieces) {
    std::string row(5000, 'a');
    row.replace(1100, 3, "\"q\"");
    ed_->View().SetQuotation("\"");
    const COLORREF str_bg = RGB(1, 200, 200);
    ed_->View().Colors().Str.SetBkColor(str_bg);
    ed_->Lines().SetText(row);
    ed_->SetTopCol(1090);
    ASSERT_EQ(std::min(1090, 8000 / ed_->ColWidth()), ed_->TopCol());
    auto shot = Paint();
    if (ed_->TopCol() == 1090) {
        EXPECT_GT(shot->Count(Cells(0, 1100, 1103), str_bg), 0);
    }
}

TEST_F(TextEditor, ContextMenuFollowsTheState) {
    TTextEditorPopupMenu* menu = ed_->EditorMenu();
    ed_->Lines().SetText("abc");
    menu->UpdateItems();
    EXPECT_FALSE(menu->Copy->Enabled());
    EXPECT_FALSE(menu->Cut->Enabled());
    EXPECT_TRUE(menu->SelectAll->Enabled());
    ed_->SelectAll();
    Key(VK_BACK);
    menu->UpdateItems();
    EXPECT_TRUE(menu->Undo->Enabled());
    EXPECT_FALSE(menu->SelectAll->Enabled()) << "the text is empty";
    ed_->SelectAll();
    ed_->Lines().SetText("abc");
    ed_->SelectAll();
    ed_->SetReadOnly(true);
    menu->UpdateItems();
    EXPECT_TRUE(menu->Copy->Enabled());
    EXPECT_FALSE(menu->Cut->Enabled());
    EXPECT_FALSE(menu->Delete->Enabled());
    EXPECT_FALSE(menu->Paste->Enabled());
    menu->BoxMode->Click();
    EXPECT_TRUE(ed_->BoxMode());
    menu->UpdateItems();
    EXPECT_TRUE(menu->BoxMode->Checked());
}

TEST_F(TextEditor, EventsFollowChangesAndCaretMoves) {
    int changes = 0, moves = 0;
    ed_->OnChange = [&](TObject*) { ++changes; };
    ed_->OnCaretMoved = [&](TObject*) { ++moves; };
    Type("ab");
    EXPECT_EQ(2, changes);
    EXPECT_TRUE(ed_->Modified());
    moves = 0;
    Key(VK_LEFT);
    EXPECT_EQ(1, moves);
}

TEST_F(TextEditor, BinaryBytesAndWordWrapPaintWithoutHarm) {
    std::string all;
    for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
    ed_->Lines().SetText(std::string_view(all.data(), all.size()));
    Paint();
    ed_->SetWordWrap(true);
    ed_->Lines().SetText(std::string(300, 'w') + "\r\n" + all);
    auto shot = Paint();
    EXPECT_GT(ed_->List().Count(), 4);
    ed_->SetCaret(0, 79);
    EXPECT_EQ(79, ed_->Col());
    Key(VK_RIGHT);
    EXPECT_EQ(1, ed_->Row()) << "wrapped rows of one line are walked through";
    EXPECT_EQ(0, ed_->Col());
}

}  // namespace
