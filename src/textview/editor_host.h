// What the row list needs from the control that owns it. The portable model
// (TTextEditorModel) answers the text-side questions; the window control
// overrides the painting, caret and selection hooks.
#pragma once
#include <memory>
#include <string_view>

#include "textview/column_map.h"

class TTextEditorViewInfo;
class TTextEditorParser;

class TTextEditorHost {
public:
    virtual ~TTextEditorHost() = default;

    virtual bool WordWrap() const = 0;
    virtual int TabSpaceCount() const = 0;
    virtual const TDelimiterSet& Delimiters() const = 0;
    // The colouring rules the bracket scan uses; null scans character
    // classes only.
    virtual const TTextEditorViewInfo* ParserView() const = 0;
    virtual std::unique_ptr<TTextEditorParser> CreateParser(int bracket_state,
                                                            std::string_view text) const = 0;
    // Rows of one screen; bracket states are kept valid two screens ahead.
    virtual int VisibleRowCount() const = 0;
    // True while the control is being restored from its stored form.
    virtual bool IsLoading() const = 0;
    virtual int CaretRow() const = 0;
    virtual int CaretCol() const = 0;
    virtual void SetCaret(int row, int col) = 0;

    virtual void InvalidateRow(int row) = 0;
    // The rows changed (UpdateInfo tells which).
    virtual void ListChanged() = 0;
    virtual void EndSelection() = 0;
    // After every row was re-wrapped or re-joined: recompute metrics and
    // scroll ranges, clamp the caret row.
    virtual void AfterRewrap() = 0;
    // Metrics and scroll ranges after the line view changed the text.
    virtual void RecalcMetrics() = 0;
    // The line view's update bracket opened (true) or closed (false): the
    // window hides the caret and switches its redraw off meanwhile.
    virtual void LinesUpdating(bool begin) = 0;
};
