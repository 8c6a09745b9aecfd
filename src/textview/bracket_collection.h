// Bracket pairs of the view (View.Brackets): text between a left and a
// right bracket, possibly over several rows, is one coloured token.
#pragma once
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "textview/text_colors.h"

class ETextEditorBracketError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TTextEditorBracketItem : public TNotifyPersistent {
public:
    TTextEditorBracketItem();
    const std::string& LeftBracket() const { return left_; }
    const std::string& RightBracket() const { return right_; }
    TTextEditorColor& ItemColor() { return item_color_; }
    const TTextEditorColor& ItemColor() const { return item_color_; }
    void SetLeftBracket(const std::string& v) { SetValue(left_, v); }
    void SetRightBracket(const std::string& v) { SetValue(right_, v); }
    void Assign(const TTextEditorBracketItem& source);

private:
    std::string left_, right_;
    TTextEditorColor item_color_;
};

class TTextEditorBracketCollection : public TNotifyPersistent {
public:
    // The row data word keeps a bracket state in four bits (-2..13), so at
    // most 14 pairs can be told apart.
    static constexpr int kMaxItems = 14;

    int Count() const { return static_cast<int>(items_.size()); }
    TTextEditorBracketItem& Items(int i) { return *items_.at(i); }
    const TTextEditorBracketItem& Items(int i) const { return *items_.at(i); }

    // Throws ETextEditorBracketError and leaves the collection unchanged
    // when it is full.
    TTextEditorBracketItem& Add();
    TTextEditorBracketItem& Add(const std::string& left, const std::string& right);
    void Delete(int i);
    void Clear();
    void Assign(const TTextEditorBracketCollection& source);

    void SameBkColor(TColor v);
    void SameColor(TColor v);
    void SameStyle(TFontStyles v);
    bool AnyItalic() const;

private:
    std::vector<std::unique_ptr<TTextEditorBracketItem>> items_;
};
