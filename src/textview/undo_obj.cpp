#include "textview/undo_obj.h"

#include <algorithm>
#include <string_view>

#include "textview/editor_host.h"
#include "textview/screen_strings.h"
#include "textview/text_string_list.h"

namespace {
// The rows a record keeps, cut where they were cut.
void RestoreRows(const TUndoData& r, TTextEditorStringList& target) {
    target.Clear();
    const char* base = target.Arena().Store(r.Text);
    std::size_t at = 0;
    for (const TUndoRow& row : r.Rows) {
        target.AddView(base + at, row.Length, MakeRowData(row.Attribute));
        at += row.Length;
        if (row.Attribute == raCrlf) at += 2;
    }
}
} // namespace

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

void TTextEditorUndoObj::Undo() { Apply(false); }
void TTextEditorUndoObj::Redo() { Apply(true); }

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

void TTextEditorUndoObj::Apply(bool redo) {
    std::deque<TUndoData>& from = redo ? redo_ : undo_;
    if (from.empty()) return;
    TUndoData r = from.back();
    TTextEditorHost* editor = owner_.Editor();
    owner_.BeginUpdate();

    TUndoData inverse;
    inverse.CaretRow = editor ? editor->CaretRow() : 0;
    inverse.CaretCol = editor ? editor->CaretCol() : 0;
    inverse.StartRow = r.StartRow;
    int start = r.StartRow < 0 ? 0 : r.StartRow;
    if (start > owner_.Count()) start = owner_.Count();

    int removed = 0;
    if (r.RowCount > 0) {
        removed = r.RowCount;
        if (start + removed > owner_.Count()) removed = owner_.Count() - start;
        SaveRows(owner_, start, removed, inverse);
        owner_.DeleteRows(start, removed);
    }
    int inserted = 0;
    if (r.EndAttribute != raInvalid) {
        TTextEditorStringList temp;
        RestoreRows(r, temp);
        inserted = temp.Count();
        owner_.InsertRows(start, temp);
    }
    inverse.RowCount = inserted;
    owner_.UpdateBrackets(start, true);
    owner_.SetUpdateInfo(start, removed, inserted);

    from.pop_back();
    if (redo) {
        pushing_inverse_ = true;
        TUndoData& pushed = NewRecord(inverse.CaretRow, inverse.CaretCol);
        pushed = std::move(inverse);
        pushing_inverse_ = false;
    } else {
        redo_.push_back(std::move(inverse));
    }
    owner_.EndUpdate();
    if (editor) editor->SetCaret(r.CaretRow, r.CaretCol);
}
