// Colour and font style of one token kind, and the set of them that the
// view uses (View.Colors).
#pragma once
#include "textview/notify_persistent.h"
#include "textview/text_color.h"

class TTextEditorColor : public TNotifyPersistent {
public:
    TTextEditorColor() = default;
    TTextEditorColor(TColor bk, TColor color, TFontStyles style)
        : bk_color_(bk), color_(color), style_(style) {}

    TColor BkColor() const { return bk_color_; }
    TColor Color() const { return color_; }
    TFontStyles Style() const { return style_; }
    void SetBkColor(TColor v) { SetValue(bk_color_, v); }
    void SetColor(TColor v) { SetValue(color_, v); }
    void SetStyle(TFontStyles v) { SetValue(style_, v); }
    void Assign(const TTextEditorColor& source);

private:
    TColor bk_color_ = clWindow;
    TColor color_ = clWindowText;
    TFontStyles style_ = 0;
};

class TTextEditorColors : public TNotifyPersistent {
public:
    TTextEditorColors();

    TTextEditorColor Ank, Comment, DBCS, Int, Mail, Reserve, Select, Str, Symbol, Url;

    // Every entry except Select takes the value.
    void SameBkColor(TColor v);
    void SameColor(TColor v);
    void SameStyle(TFontStyles v);
    void Assign(const TTextEditorColors& source);

    // True when any entry other than Select is italic (painting then goes
    // token by token with a transparent background).
    bool AnyItalic() const;

private:
    template <class F> void ForEachButSelect(F f);
};
