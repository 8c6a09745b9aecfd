// The text control with the two highlights the main window uses: a list of
// keywords in their own colours, and the current search word.
#pragma once
#include <string>
#include <vector>

#include "textview/text_editor_win.h"

struct TKeyWordColor {
    TColor FrontColor = clBlack;
    TColor BackColor = clWhite;
    TFontStyles Style = 0;
};

// Words with their colour records; the records live and die with the list.
class TKeyWordList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& Strings(int i) const { return items_.at(i).word; }
    TKeyWordColor& Objects(int i) { return items_.at(i).color; }
    const TKeyWordColor& Objects(int i) const { return items_.at(i).color; }
    int Add(const std::string& word, const TKeyWordColor& color = {});
    void Put(int i, const std::string& word) { items_.at(i).word = word; }
    void Delete(int i);
    void Clear() { items_.clear(); }

private:
    struct Item {
        std::string word;
        TKeyWordColor color;
    };
    std::vector<Item> items_;
};

class TTextEditorEx : public TTextEditor {
public:
    TTextEditorEx(TComponent* owner, TWinControl* parent);

    TKeyWordList KeyWordList;
    const std::string& SearchHitString() const { return search_hit_; }
    void SetSearchHitString(const std::string& s);
    TColor SearchHitColorFront = clLime;
    TColor SearchHitColorBack = clBlack;
    TFontStyles SearchHitFontStyle = fsBold;

protected:
    void DrawLine(const std::string& LineStr, int X, int Y, int Index, const RECT& ARect,
                  bool Selected) override;

private:
    void Highlight(const std::string& text, const std::string& word, int x, int y, COLORREF fg,
                   COLORREF bg, TFontStyles style);
    std::string search_hit_;
};
