#include "textview/undo_obj.h"

#include <algorithm>
#include <string_view>

#include "textview/text_string_list.h"


void TTextEditorUndoObj::SetLimit(int v) {
    limit_ = v < kMinLimit ? kMinLimit : v;
    while (static_cast<int>(undo_.size()) > limit_) undo_.pop_front();
}

TUndoData& TTextEditorUndoObj::NewRecord(int caret_row, int caret_col) {
    TUndoData r;
    r.CaretRow = caret_row;
    r.CaretCol = caret_col;
    undo_.push_back(std::move(r));
    if (static_cast<int>(undo_.size()) > limit_) undo_.pop_front();
    if (!pushing_inverse_) redo_.clear();
    return undo_.back();
}

bool TTextEditorUndoObj::Take(bool redo, TUndoData& r) {
    std::deque<TUndoData>& from = redo ? redo_ : undo_;
    if (from.empty()) return false;
    r = std::move(from.back());
    from.pop_back();
    return true;
}

void TTextEditorUndoObj::PutInverse(bool redo, TUndoData inverse) {
    if (redo) {
        pushing_inverse_ = true;
        TUndoData& pushed = NewRecord(inverse.CaretRow, inverse.CaretCol);
        pushed = std::move(inverse);
        pushing_inverse_ = false;
    } else {
        redo_.push_back(std::move(inverse));
    }
}

void TTextEditorUndoObj::Clear() {
    undo_.clear();
    redo_.clear();
}

void TTextEditorUndoObj::SaveRows(const TTextEditorStringList& list, int first, int n,
                                  TUndoData& r) {
    r.Text.clear();
    r.Rows.clear();
    r.EndAttribute = raInvalid;
    if (first < 0) return;
    const int end = std::min(first + n, list.Count());
    r.Rows.reserve(end > first ? end - first : 0);
    for (int i = first; i < end; ++i) {
        const std::string_view text = list.Strings(i);
        const TRowAttribute a = list.Attribute(i);
        r.Text.append(text.data(), text.size());
        if (a == raCrlf) r.Text.append("\r\n");
        r.Rows.push_back(TUndoRow{static_cast<std::uint32_t>(text.size()), a});
        r.EndAttribute = a;
    }
}
