#include "textview/text_colors.h"

void TTextEditorColor::Assign(const TTextEditorColor& s) {
    BeginUpdate();
    SetBkColor(s.bk_color_);
    SetColor(s.color_);
    SetStyle(s.style_);
    EndUpdate();
}

TTextEditorColors::TTextEditorColors() {
    Select.SetBkColor(clNavy);
    Select.SetColor(clWhite);
    auto forward = [this](TNotifyPersistent&) { Changed(); };
    for (TTextEditorColor* c :
         {&Ank, &Comment, &DBCS, &Int, &Mail, &Reserve, &Select, &Str, &Symbol, &Url})
        c->OnChange = forward;
}

template <class F> void TTextEditorColors::ForEachButSelect(F f) {
    BeginUpdate();
    for (TTextEditorColor* c : {&Ank, &Comment, &DBCS, &Int, &Mail, &Reserve, &Str, &Symbol, &Url})
        f(*c);
    EndUpdate();
}

void TTextEditorColors::SameBkColor(TColor v) {
    ForEachButSelect([v](TTextEditorColor& c) { c.SetBkColor(v); });
}
void TTextEditorColors::SameColor(TColor v) {
    ForEachButSelect([v](TTextEditorColor& c) { c.SetColor(v); });
}
void TTextEditorColors::SameStyle(TFontStyles v) {
    ForEachButSelect([v](TTextEditorColor& c) { c.SetStyle(v); });
}

void TTextEditorColors::Assign(const TTextEditorColors& s) {
    BeginUpdate();
    Ank.Assign(s.Ank);
    Comment.Assign(s.Comment);
    DBCS.Assign(s.DBCS);
    Int.Assign(s.Int);
    Mail.Assign(s.Mail);
    Reserve.Assign(s.Reserve);
    Select.Assign(s.Select);
    Str.Assign(s.Str);
    Symbol.Assign(s.Symbol);
    Url.Assign(s.Url);
    EndUpdate();
}

bool TTextEditorColors::AnyItalic() const {
    for (const TTextEditorColor* c : {&Ank, &Comment, &DBCS, &Int, &Mail, &Reserve, &Str, &Symbol, &Url})
        if (c->Style() & fsItalic) return true;
    return false;
}
