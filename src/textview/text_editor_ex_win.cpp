#include "textview/text_editor_ex_win.h"

#include "textview/text_editor_columns.h"

int TKeyWordList::Add(const std::string& word, const TKeyWordColor& color) {
    items_.push_back(Item{word, color});
    return Count() - 1;
}

void TKeyWordList::Delete(int i) {
    if (i >= 0 && i < Count()) items_.erase(items_.begin() + i);
}

TTextEditorEx::TTextEditorEx(TComponent* owner, TWinControl* parent) : TTextEditor(owner, parent) {}

void TTextEditorEx::SetSearchHitString(const std::string& s) {
    if (s == search_hit_) return;
    search_hit_ = s;
    Invalidate();
}

void TTextEditorEx::Highlight(const std::string& text, const std::string& word, int x, int y,
                              COLORREF fg, COLORREF bg, TFontStyles style) {
    for (int at : FindWordHits(text, word))
        DrawRun(Canvas(), x + at * ColWidth(), y, std::string_view(text).substr(at, word.size()), fg, bg,
                true, style);
}

void TTextEditorEx::DrawLine(const std::string& LineStr, int X, int Y, int Index, const RECT& ARect,
                             bool Selected) {
    TTextEditor::DrawLine(LineStr, X, Y, Index, ARect, Selected);
    if (!Canvas()) return;
    const COLORREF select_bg = Resolve(View().Colors().Select.BkColor());
    for (int i = 0; i < KeyWordList.Count(); ++i) {
        const TKeyWordColor& c = KeyWordList.Objects(i);
        Highlight(LineStr, KeyWordList.Strings(i), X, Y, Resolve(c.FrontColor),
                  Selected ? select_bg : Resolve(c.BackColor), c.Style);
    }
    if (!search_hit_.empty())
        Highlight(LineStr, search_hit_, X, Y, Resolve(SearchHitColorFront),
                  Selected ? select_bg : Resolve(SearchHitColorBack), SearchHitFontStyle);
}
