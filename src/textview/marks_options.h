// The end-of-text mark, the line-end mark and the caret-row underline
// (published as Marks).
#pragma once
#include "textview/notify_persistent.h"
#include "textview/text_color.h"

class TTextEditorMark : public TNotifyPersistent {
public:
    TColor Color() const { return color_; }
    bool Visible() const { return visible_; }
    void SetColor(TColor v) { SetValue(color_, v); }
    void SetVisible(bool v) { SetValue(visible_, v); }
    void Assign(const TTextEditorMark& source);

private:
    TColor color_ = clGray;
    bool visible_ = false;
};

class TTextEditorMarks : public TNotifyPersistent {
public:
    TTextEditorMarks();
    TTextEditorMark& EofMark() { return eof_mark_; }
    TTextEditorMark& RetMark() { return ret_mark_; }
    TTextEditorMark& Underline() { return underline_; }
    const TTextEditorMark& EofMark() const { return eof_mark_; }
    const TTextEditorMark& RetMark() const { return ret_mark_; }
    const TTextEditorMark& Underline() const { return underline_; }
    void Assign(const TTextEditorMarks& source);

private:
    TTextEditorMark eof_mark_, ret_mark_, underline_;
};
