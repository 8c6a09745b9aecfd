// Undo recorder of the row list. Every ReplaceRows makes one record holding
// the old rows it replaced; Undo puts those rows back and records the
// inverse for Redo.
#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "textview/row_data.h"

class TTextEditorStringList;

struct TUndoRow {
    std::uint32_t Length = 0;
    TRowAttribute Attribute = raCrlf;
};

struct TUndoData {
    int CaretRow = 0;
    int CaretCol = 0;
    int StartRow = -1;
    int RowCount = 0;
    // Attribute of the last replaced row; raInvalid (3): no old text.
    std::uint8_t EndAttribute = raInvalid;
    std::string Text;
    // Where the rows were cut. Undo puts back these very rows: a new wrap
    // of Text may cut it elsewhere (an edit inside a wrapped line re-wraps
    // from the row before it, where tabs fall on other columns than in the
    // wrap of the whole line; a loaded row may hold a NUL, which a wrap
    // takes for a line end), and other rows would shift the rows that older
    // records count.
    std::vector<TUndoRow> Rows;
};

class TTextEditorUndoObj {
public:
    static constexpr int kMinLimit = 64;

    TTextEditorUndoObj() = default;

    int Limit() const { return limit_; }
    // Never below 64.
    void SetLimit(int v);

    // Appends a blank record for the caller to fill; drops the oldest beyond
    // the limit and, unless an inverse is being pushed, forgets the redo list.
    TUndoData& NewRecord(int caret_row, int caret_col);

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    int UndoCount() const { return static_cast<int>(undo_.size()); }
    int RedoCount() const { return static_cast<int>(redo_.size()); }
    // Takes the newest record of the undo list (redo false) or the redo
    // list off it; false when that list is empty. The row list replays it
    // and hands back the record of what it replaced through PutInverse.
    bool Take(bool redo, TUndoData& r);
    // The inverse of a record taken from the undo list goes to the redo
    // list and the other way round.
    void PutInverse(bool redo, TUndoData inverse);
    void Clear();

    // Keeps rows first..first+n-1 of `list` in r: their text (CR LF after
    // each raCrlf row), where each row ends and the last row's attribute.
    static void SaveRows(const TTextEditorStringList& list, int first, int n, TUndoData& r);

private:
    int limit_ = kMinLimit;
    bool pushing_inverse_ = false;
    std::deque<TUndoData> redo_;
    std::deque<TUndoData> undo_;
};
