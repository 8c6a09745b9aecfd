// Undo recorder of the row list. Every ReplaceRows makes one record holding
// the old text of the rows it replaced; Undo puts that text back and records
// the inverse for Redo.
#pragma once
#include <cstdint>
#include <deque>
#include <string>

#include "textview/row_data.h"

class TTextEditorScreenStrings;

struct TUndoData {
    int CaretRow = 0;
    int CaretCol = 0;
    int StartRow = -1;
    int RowCount = 0;
    // Attribute of the last replaced row; raInvalid (3): no old text.
    std::uint8_t EndAttribute = raInvalid;
    std::string Text;
};

class TTextEditorUndoObj {
public:
    static constexpr int kMinLimit = 64;

    explicit TTextEditorUndoObj(TTextEditorScreenStrings& owner) : owner_(owner) {}

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
    void Undo();
    void Redo();
    void Clear();

private:
    void Apply(bool redo);

    TTextEditorScreenStrings& owner_;
    int limit_ = kMinLimit;
    bool pushing_inverse_ = false;
    std::deque<TUndoData> redo_;
    std::deque<TUndoData> undo_;
};
