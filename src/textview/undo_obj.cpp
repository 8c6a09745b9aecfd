#include "textview/undo_obj.h"

#include "textview/editor_host.h"
#include "textview/screen_strings.h"

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
        TRowAttribute last = raInvalid;
        inverse.Text = owner_.RangeText(start, removed, nullptr, &last);
        inverse.EndAttribute = last;
        owner_.DeleteRows(start, removed);
    }
    int inserted = 0;
    if (r.EndAttribute != raInvalid) {
        TTextEditorStringList temp;
        owner_.WrapText(r.Text, temp);
        if (r.EndAttribute == raWrapped && temp.Count() > 1 && temp.Strings(temp.Count() - 1).empty())
            temp.Delete(temp.Count() - 1);
        // An empty unterminated last row follows the text's final line
        // break; splitting the text drops it, and without it that line break
        // would be lost with the row before taking the end attribute.
        if (r.EndAttribute == raEof && !r.Text.empty() &&
            (r.Text.back() == '\n' || r.Text.back() == '\r'))
            temp.Add("", MakeRowData(raEof));
        temp.SetAttribute(temp.Count() - 1, static_cast<TRowAttribute>(r.EndAttribute));
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
