// The settings of a text control in one object: background colour, caret,
// font, margins, marks, reserved words, scroll bars, view, word wrap and
// its options. The settings window edits such a copy, and the main window
// hands the main text control's settings to the others through one.
#pragma once
#include "textview/text_editor_ex_win.h"

class TTextEditorProp : public TNotifyPersistent {
public:
    TTextEditorProp();

    TColor Color() const { return color_; }
    void SetColor(TColor v) { SetValue(color_, v); }
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& f);
    TScrollStyle ScrollBars() const { return scroll_bars_; }
    void SetScrollBars(TScrollStyle v) { SetValue(scroll_bars_, v); }
    bool WordWrap() const { return word_wrap_; }
    void SetWordWrap(bool v) { SetValue(word_wrap_, v); }

    TTextEditorCaret& Caret() { return caret_; }
    TTextEditorMargin& Margin() { return margin_; }
    TTextEditorMarks& Marks() { return marks_; }
    TReserveWordList& ReserveWordList() { return reserve_words_; }
    TTextEditorViewInfo& View() { return view_; }
    TTextEditorWrapOption& WrapOption() { return wrap_option_; }
    const TTextEditorCaret& Caret() const { return caret_; }
    const TTextEditorMargin& Margin() const { return margin_; }
    const TTextEditorMarks& Marks() const { return marks_; }
    const TReserveWordList& ReserveWordList() const { return reserve_words_; }
    const TTextEditorViewInfo& View() const { return view_; }
    const TTextEditorWrapOption& WrapOption() const { return wrap_option_; }

    // Takes the control's settings (one notification).
    void Assign(TTextEditor& source);
    void Assign(const TTextEditorProp& source);
    // Gives the settings to a control.
    void AssignTo(TTextEditor& dest) const;

private:
    TColor color_ = clWindow;
    TFont font_;
    TScrollStyle scroll_bars_ = ssNone;
    bool word_wrap_ = false;
    TTextEditorCaret caret_;
    TTextEditorMargin margin_;
    TTextEditorMarks marks_;
    TReserveWordList reserve_words_;
    TTextEditorViewInfo view_;
    TTextEditorWrapOption wrap_option_;
};

// One text control's settings into another: the settings above, the search
// word and its colours and style (the keyword list stays the control's own).
void CopyTextEditorSettings(TTextEditorEx& source, TTextEditorEx& dest);
// Only the search word and its colours and style, repainted.
void CopySearchHitSettings(const TTextEditorEx& source, TTextEditorEx& dest);
