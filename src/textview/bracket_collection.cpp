#include "textview/bracket_collection.h"

TTextEditorBracketItem::TTextEditorBracketItem() {
    item_color_.OnChange = [this](TNotifyPersistent&) { Changed(); };
}

void TTextEditorBracketItem::Assign(const TTextEditorBracketItem& s) {
    BeginUpdate();
    SetLeftBracket(s.left_);
    SetRightBracket(s.right_);
    item_color_.Assign(s.item_color_);
    EndUpdate();
}

TTextEditorBracketItem& TTextEditorBracketCollection::Add() {
    if (Count() >= kMaxItems)
        throw ETextEditorBracketError("TTextEditorBracketCollection\r\nYou can not add item over " +
                                      std::to_string(kMaxItems));
    items_.push_back(std::make_unique<TTextEditorBracketItem>());
    items_.back()->OnChange = [this](TNotifyPersistent&) { Changed(); };
    Changed();
    return *items_.back();
}

TTextEditorBracketItem& TTextEditorBracketCollection::Add(const std::string& left,
                                                          const std::string& right) {
    BeginUpdate();
    TTextEditorBracketItem& item = Add();
    item.SetLeftBracket(left);
    item.SetRightBracket(right);
    EndUpdate();
    return item;
}

void TTextEditorBracketCollection::Delete(int i) {
    if (i < 0 || i >= Count()) return;
    items_.erase(items_.begin() + i);
    Changed();
}

void TTextEditorBracketCollection::Clear() {
    if (items_.empty()) return;
    items_.clear();
    Changed();
}

void TTextEditorBracketCollection::Assign(const TTextEditorBracketCollection& s) {
    if (&s == this) return;
    BeginUpdate();
    Clear();
    for (const auto& item : s.items_) Add().Assign(*item);
    EndUpdate();
}

void TTextEditorBracketCollection::SameBkColor(TColor v) {
    BeginUpdate();
    for (auto& item : items_) item->ItemColor().SetBkColor(v);
    EndUpdate();
}
void TTextEditorBracketCollection::SameColor(TColor v) {
    BeginUpdate();
    for (auto& item : items_) item->ItemColor().SetColor(v);
    EndUpdate();
}
void TTextEditorBracketCollection::SameStyle(TFontStyles v) {
    BeginUpdate();
    for (auto& item : items_) item->ItemColor().SetStyle(v);
    EndUpdate();
}
bool TTextEditorBracketCollection::AnyItalic() const {
    for (const auto& item : items_)
        if (item->ItemColor().Style() & fsItalic) return true;
    return false;
}
