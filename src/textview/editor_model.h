// The portable half of the text control: its settings objects, the row list
// and line view, the caret position and the undo entry points. The window
// control derives from it and overrides the hooks (painting, caret shape,
// selection, metrics); without a window the hooks do nothing, which is what
// the tests and the developer tool use.
#pragma once
#include <functional>
#include <memory>
#include <string_view>

#include "textview/caret_options.h"
#include "textview/editor_host.h"
#include "textview/editor_strings.h"
#include "textview/margin_options.h"
#include "textview/marks_options.h"
#include "textview/reserve_word_list.h"
#include "textview/screen_strings.h"
#include "textview/view_info.h"

class TTextEditorModel : public TTextEditorHost {
public:
    TTextEditorModel();
    ~TTextEditorModel() override;
    TTextEditorModel(const TTextEditorModel&) = delete;
    TTextEditorModel& operator=(const TTextEditorModel&) = delete;

    TTextEditorStrings& Lines() { return *lines_; }
    const TTextEditorStrings& Lines() const { return *lines_; }
    TTextEditorScreenStrings& List() { return *list_; }
    const TTextEditorScreenStrings& List() const { return *list_; }

    TTextEditorCaret& Caret() { return caret_; }
    TTextEditorMargin& Margin() { return margin_; }
    TTextEditorMarks& Marks() { return marks_; }
    TTextEditorViewInfo& View() { return view_; }
    const TTextEditorViewInfo& View() const { return view_; }
    TTextEditorWrapOption& WrapOption() { return list_->WrapOption(); }
    TReserveWordList& ReserveWordList() { return reserve_words_; }
    const TReserveWordList& ReserveWordList() const { return reserve_words_; }

    bool WordWrap() const override { return word_wrap_; }
    // Clears the undo history, re-wraps or joins every row, caret to column 0.
    void SetWordWrap(bool v);
    int UndoListMax() const;
    // Below 64 stores 64.
    void SetUndoListMax(int v);
    bool ReadOnly() const { return read_only_; }
    void SetReadOnly(bool v) { read_only_ = v; }
    bool Modified() const { return modified_; }
    void SetModified(bool v) { modified_ = v; }

    int Row() const { return row_; }
    int Col() const { return col_; }
    // Clamped to 0..row count; the row after a last raEof row is not reachable.
    void SetRow(int r);
    void SetCol(int c);

    bool CanUndo() const;
    bool CanRedo() const;
    void Undo();
    void Redo();

    // Raised after every change of the text.
    std::function<void(TTextEditorModel& sender)> OnChange;

    // TTextEditorHost
    int TabSpaceCount() const override { return caret_.TabSpaceCount(); }
    const TDelimiterSet& Delimiters() const override { return DefaultDelimiters(); }
    const TTextEditorViewInfo* ParserView() const override { return &view_; }
    std::unique_ptr<TTextEditorParser> CreateParser(int bracket_state,
                                                    std::string_view text) const override;
    int VisibleRowCount() const override { return visible_rows_; }
    bool IsLoading() const override { return loading_; }
    int CaretRow() const override { return row_; }
    int CaretCol() const override { return col_; }
    void SetCaret(int row, int col) override;
    void InvalidateRow(int) override {}
    void ListChanged() override;
    void EndSelection() override {}
    void AfterRewrap() override;
    void RecalcMetrics() override {}
    void LinesUpdating(bool /*begin*/) override {}

    // Hooks for the window control.
    virtual void CaretMoved() {}

    // Without a window the screen height is whatever the caller says.
    void SetVisibleRowCount(int rows) { visible_rows_ = rows; }
    // Restoring from a stored form: wrapping and bracket scans wait.
    void SetLoading(bool v) { loading_ = v; }
    // Ends a restore: wraps or computes bracket states once.
    void Loaded();

private:
    void SettingsChanged();

    TTextEditorCaret caret_;
    TTextEditorMargin margin_;
    TTextEditorMarks marks_;
    TTextEditorViewInfo view_;
    TReserveWordList reserve_words_;
    std::unique_ptr<TTextEditorScreenStrings> list_;
    std::unique_ptr<TTextEditorStrings> lines_;
    bool word_wrap_ = false;
    bool read_only_ = false;
    bool modified_ = false;
    bool loading_ = false;
    int row_ = 0;
    int col_ = 0;
    int visible_rows_ = 40;
};
