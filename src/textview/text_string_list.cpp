#include "textview/text_string_list.h"

TRowAttribute TTextEditorStringList::Attribute(int i) const {
    if (i < 0 || i >= Count()) return raInvalid;
    return RowDataAttribute(Data(i));
}

void TTextEditorStringList::SetAttribute(int i, TRowAttribute a) {
    if (i < 0 || i >= Count()) return;
    SetData(i, WithAttribute(Data(i), a));
}

void TTextEditorStringList::SetBracketState(int i, int state) {
    if (i < 0 || i >= Count()) return;
    SetData(i, WithBracket(Data(i), state));
}

void TTextEditorStringList::Add(std::string_view s, std::uint32_t data) {
    rows_.push_back(RowRec{arena_.Store(s), static_cast<std::uint32_t>(s.size()), data});
}

void TTextEditorStringList::AddView(const char* text, std::size_t length, std::uint32_t data) {
    rows_.push_back(RowRec{text, static_cast<std::uint32_t>(length), data});
}

void TTextEditorStringList::Insert(int i, std::string_view s, std::uint32_t data) {
    if (i < 0 || i > Count()) return;
    RowRec r{arena_.Store(s), static_cast<std::uint32_t>(s.size()), data};
    rows_.insert(i, &r, 1);
}

void TTextEditorStringList::Put(int i, std::string_view s) {
    if (i < 0 || i >= Count()) return;
    rows_.set_text(i, arena_.Store(s), static_cast<std::uint32_t>(s.size()));
}

void TTextEditorStringList::Delete(int i, int count) {
    if (i < 0 || count <= 0 || i + count > Count()) return;
    rows_.erase(i, count);
}

void TTextEditorStringList::Clear() {
    rows_.clear();
    arena_.Clear();
}
