// Small settings objects of the text view: caret, margin and marks.
#include "textview/caret_options.h"
#include "textview/margin_options.h"
#include "textview/marks_options.h"

void TTextEditorCaret::SetTabSpaceCount(int v) {
    if (v < 2) v = 2;
    if (v > 8) v = 8;
    SetValue(tab_space_count_, v & ~1);
}

void TTextEditorCaret::Assign(const TTextEditorCaret& s) {
    BeginUpdate();
    SetAutoIndent(s.auto_indent_);
    SetFreeCaret(s.free_caret_);
    SetInTab(s.in_tab_);
    SetKeepCaret(s.keep_caret_);
    SetLockScroll(s.lock_scroll_);
    SetNextLine(s.next_line_);
    SetPrevSpaceIndent(s.prev_space_indent_);
    SetSoftTab(s.soft_tab_);
    SetStyle(s.style_);
    SetTabIndent(s.tab_indent_);
    SetTabSpaceCount(s.tab_space_count_);
    EndUpdate();
}

void TTextEditorMargin::Assign(const TTextEditorMargin& s) {
    BeginUpdate();
    SetCharacter(s.character_);
    SetLeft(s.left_);
    SetLine(s.line_);
    SetTop(s.top_);
    EndUpdate();
}

void TTextEditorMark::Assign(const TTextEditorMark& s) {
    BeginUpdate();
    SetColor(s.color_);
    SetVisible(s.visible_);
    EndUpdate();
}

TTextEditorMarks::TTextEditorMarks() {
    auto forward = [this](TNotifyPersistent&) { Changed(); };
    eof_mark_.OnChange = forward;
    ret_mark_.OnChange = forward;
    underline_.OnChange = forward;
}

void TTextEditorMarks::Assign(const TTextEditorMarks& s) {
    BeginUpdate();
    eof_mark_.Assign(s.eof_mark_);
    ret_mark_.Assign(s.ret_mark_);
    underline_.Assign(s.underline_);
    EndUpdate();
}
