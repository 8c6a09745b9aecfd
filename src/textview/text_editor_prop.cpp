#include "textview/text_editor_prop.h"

#include "textview/text_editor_ex_win.h"

TTextEditorProp::TTextEditorProp() {
    // A change of any part is a change of the whole.
    auto forward = [this](TNotifyPersistent&) { Changed(); };
    caret_.OnChange = forward;
    margin_.OnChange = forward;
    marks_.OnChange = forward;
    reserve_words_.OnChange = forward;
    view_.OnChange = forward;
    wrap_option_.OnChange = forward;
}

void TTextEditorProp::SetFont(const TFont& f) {
    if (f == font_) return;
    font_ = f;
    Changed();
}

void TTextEditorProp::Assign(TTextEditor& s) {
    BeginUpdate();
    SetColor(s.Color);
    SetFont(s.Font);
    SetScrollBars(s.ScrollBars());
    SetWordWrap(s.WordWrap());
    caret_.Assign(s.Caret());
    margin_.Assign(s.Margin());
    marks_.Assign(s.Marks());
    reserve_words_.Assign(s.ReserveWordList());
    view_.Assign(s.View());
    wrap_option_.Assign(s.WrapOption());
    EndUpdate();
}

void TTextEditorProp::Assign(const TTextEditorProp& s) {
    BeginUpdate();
    SetColor(s.color_);
    SetFont(s.font_);
    SetScrollBars(s.scroll_bars_);
    SetWordWrap(s.word_wrap_);
    caret_.Assign(s.caret_);
    margin_.Assign(s.margin_);
    marks_.Assign(s.marks_);
    reserve_words_.Assign(s.reserve_words_);
    view_.Assign(s.view_);
    wrap_option_.Assign(s.wrap_option_);
    EndUpdate();
}

void TTextEditorProp::AssignTo(TTextEditor& d) const {
    d.SetColor(color_);
    d.SetFont(font_);
    d.Caret().Assign(caret_);
    d.Margin().Assign(margin_);
    d.Marks().Assign(marks_);
    d.ReserveWordList().Assign(reserve_words_);
    d.View().Assign(view_);
    d.SetScrollBars(scroll_bars_);
    // The wrap options first: a control that wraps re-wraps once.
    d.WrapOption().Assign(wrap_option_);
    d.SetWordWrap(word_wrap_);
}

void CopyTextEditorSettings(TTextEditorEx& source, TTextEditorEx& dest) {
    TTextEditorProp prop;
    prop.Assign(source);
    prop.AssignTo(dest);
    CopySearchHitSettings(source, dest);
}

void CopySearchHitSettings(const TTextEditorEx& source, TTextEditorEx& dest) {
    dest.SetSearchHitString(source.SearchHitString());
    dest.SearchHitColorFront = source.SearchHitColorFront;
    dest.SearchHitColorBack = source.SearchHitColorBack;
    dest.SearchHitFontStyle = source.SearchHitFontStyle;
    dest.Invalidate();
}
