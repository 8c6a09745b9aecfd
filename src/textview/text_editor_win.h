// The text control: a window over the portable text engine. It paints rows
// with a fixed advance per byte, keeps a caret and a stream or box
// selection, talks to the clipboard, scrolls, and edits through the row
// list (every change goes through ReplaceRows, so it is undoable).
#pragma once
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/forms.h"
#include "ui/menus.h"
#include "textview/editor_model.h"
#include "textview/text_parser.h"
#include "textview/token_colors.h"
#include "ui/gdi.h"

enum TScrollStyle { ssNone = 0, ssHorizontal = 1, ssVertical = 2, ssBoth = 3 };
enum TSelectionState { sstNone, sstSelecting, sstSelected };

// A place in the text: the row and a byte index in it (stream selection) or
// a screen column (box selection and the caret).
struct TEditorPos {
    int Row = 0;
    int Pos = 0;
    bool operator==(const TEditorPos& o) const { return Row == o.Row && Pos == o.Pos; }
    bool operator<(const TEditorPos& o) const { return Row < o.Row || (Row == o.Row && Pos < o.Pos); }
};

class TTextEditorPopupMenu;

class TTextEditor : public TWinControl, public TTextEditorModel {
public:
    TTextEditor(TComponent* owner, TWinControl* parent);
    ~TTextEditor() override;

    // --- properties --------------------------------------------------------
    TBorderStyle BorderStyle() const { return border_; }
    void SetBorderStyle(TBorderStyle b);
    TScrollStyle ScrollBars() const { return scroll_bars_; }
    void SetScrollBars(TScrollStyle s);
    bool WantReturns = true;
    bool WantTabs = true;
    // The mouse cursor over the text (the main window shows the hand over
    // hyperlinks).
    TCursor Cursor = crIBeam;
    // Assigned menu; the control's own one is used when this is none.
    TPopupMenu* PopupMenu = nullptr;
    TTextEditorPopupMenu* EditorMenu() const { return menu_; }
    void SetWordWrap(bool v);

    // --- events --------------------------------------------------------------
    TNotifyEvent OnCaretMoved, OnChange, OnSelectionModeChange, OnTopColChange, OnTopRowChange;
    std::function<void(TObject* Sender, bool Selected)> OnSelectionChange;
    std::function<void(TObject* Sender, const std::string& LineStr, int X, int Y, int Index,
                       const RECT& ARect, bool Selected)>
        OnDrawLine;

    // --- metrics -------------------------------------------------------------
    int FontHeight() const { return font_height_; }
    int ColWidth() const { return col_width_; }
    int RowHeight() const { return row_height_; }
    int VisibleRows() const { return visible_rows_; }
    int VisibleCols() const { return visible_cols_; }
    bool ItalicMode() const { return italic_; }

    // --- scrolling -----------------------------------------------------------
    int TopRow() const { return top_row_; }
    int TopCol() const { return top_col_; }
    void SetTopRow(int r);
    void SetTopCol(int c);
    // The largest first row and column the scroll bars reach.
    int MaxTopRow() const;
    int MaxTopCol() const;

    // --- caret ---------------------------------------------------------------
    // Clamped, normalised and shown; OnCaretMoved follows.
    void SetRow(int r);
    void SetCol(int c);
    void SetCaret(int row, int col) override;
    bool Overwrite() const { return overwrite_; }
    void SetOverwrite(bool v);
    POINT CaretPixelPos() const;
    // Client point -> caret, as a click does.
    void CaretToPoint(int x, int y);

    // --- selection and clipboard ------------------------------------------------
    TSelectionState SelectionState() const { return sel_state_; }
    bool Selected() const { return sel_state_ == sstSelected; }
    bool BoxMode() const { return box_; }
    void SetSelectionMode(bool box);
    // Normalised range: stream [start, end) in bytes, box rows Start.Row ..
    // End.Row and columns [Start.Pos, End.Pos).
    TEditorPos SelStart() const { return sel_start_; }
    TEditorPos SelEnd() const { return sel_end_; }
    std::string SelectedText() const;
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void BoxPasteFromClipboard();
    void SelectAll();
    // Removes the selection (no text changes).
    void CleanSelection();
    void StartSelection();
    void UpdateSelection();
    // Selects bytes [from, to) of a row.
    void SelectRange(TEditorPos from, TEditorPos to);
    static unsigned BoxClipboardFormat();

    // --- tokens -------------------------------------------------------------------
    // Empty string and kind 0 outside the text.
    std::string TokenAtPos(POINT pt, TokenKind* kind) const;
    TokenKind TokenKindAtCaret() const;
    std::string TokenStringAtCaret() const;
    void SelectTokenAtPos(POINT pt);

    // --- editing (all refused while ReadOnly) ----------------------------------
    void InsertText(const std::string& s);
    void TypeChar(unsigned char c);
    void NewLine();
    void TabKey();
    void BackSpace();
    void DeleteKey();
    void DeleteSelection();
    void Undo();
    void Redo();
    // Keyboard handling of the control (navigation, editing and shortcuts).
    void KeyDown(WORD key, TShiftState shift);
    void KeyPress(unsigned char ch);

    // --- painting -------------------------------------------------------------------
    // The device context being painted, for OnDrawLine handlers.
    HDC Canvas() const { return canvas_; }
    HFONT FontFor(TFontStyles style);
    TFontStyles FontStyle() const;
    COLORREF ControlColor() const;
    COLORREF FontColor() const;
    static COLORREF Resolve(TColor c);
    // Text at a fixed advance per byte, in pieces that the advance table covers.
    void DrawRun(HDC dc, int x, int y, std::string_view s, COLORREF fg, COLORREF bg, bool opaque,
                 TFontStyles style);

    // --- engine hooks -------------------------------------------------------------
    void InvalidateRow(int row) override;
    void ListChanged() override;
    void EndSelection() override { CleanSelection(); }
    void RecalcMetrics() override;
    void CaretMoved() override;
    void LinesUpdating(bool begin) override;
    const TDelimiterSet& Delimiters() const override { return DefaultDelimiters(); }

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    // Called after each painted row part (raises OnDrawLine).
    virtual void DrawLine(const std::string& LineStr, int X, int Y, int Index, const RECT& ARect,
                          bool Selected);
    virtual void SelectionChanged(bool selected);
    void PaintWindow(HDC dc) override;
    void FontChanged() override;

    ColumnLayout Layout() const;
    std::string RowMap(int row) const;
    std::string_view RowText(int row) const;
    int RowCols(int row) const;
    // Caret moves with normalisation in the direction of travel.
    void MoveCaret(int row, int col, int dir);
    int NormalizeCol(int row, int col, int dir) const;
    void EnsureCaretVisible();
    TEditorPos CaretStreamPos() const;
    // Puts the caret `breaks` lines below the line that starts at first_row,
    // `offset` bytes into that line.
    void PlaceCaret(int first_row, int breaks, int offset);
    int LineOffset(int row, int byte) const;
    void ReplaceRowText(int row, const std::string& text);
    bool CanEdit() const { return !ReadOnly(); }
    // Read access to the settings objects from const members.
    const TTextEditorCaret& CaretOptions() const { return const_cast<TTextEditor*>(this)->Caret(); }
    const TTextEditorMargin& MarginOptions() const { return const_cast<TTextEditor*>(this)->Margin(); }
    const TTextEditorMarks& MarksOptions() const { return const_cast<TTextEditor*>(this)->Marks(); }

private:
    void Navigate(WORD key, TShiftState shift);
    void ScrollBy(int rows, int cols);
    void UpdateScrollBars();
    void CreateCaretShape();
    void UpdateCaret();
    void DestroyCaretShape();
    void ReleaseFonts();
    void PaintRows(HDC dc, const RECT& clip);
    void PaintRow(HDC dc, int row, int y, const RECT& client);
    void PaintSelectedPart(HDC dc, int row, int y, const RECT& client, const std::string& text,
                           int text_x, int own_cols, int c0, int c1, bool line_break);
    void DrawEofMark(HDC dc, int x, int y);
    void DrawRetMark(HDC dc, int x, int y, COLORREF color);
    void DrawUnderline(HDC dc, const RECT& client);
    void InvalidateRows(int first, int last);
    void MouseDown(int x, int y, TShiftState shift);
    void MouseMove(int x, int y);
    void ShowPopup(int x, int y);
    bool SelectedColumns(int row, int* c0, int* c1, bool* line_break) const;
    void SetClipboardText(const std::string& text, bool box);
    bool ClipboardText(std::string* text, bool* box) const;
    void WordMove(int dir);

    TBorderStyle border_ = bsSingle;
    TScrollStyle scroll_bars_ = ssNone;
    TTextEditorPopupMenu* menu_ = nullptr;
    // metrics
    int font_height_ = 16, col_width_ = 8, row_height_ = 16;
    int visible_rows_ = 1, visible_cols_ = 1;
    bool italic_ = false;
    std::array<gdi::Font, 16> fonts_;
    std::vector<int> advance_;
    // view
    int top_row_ = 0, top_col_ = 0;
    int updating_ = 0;
    // caret
    bool overwrite_ = false;
    bool caret_created_ = false;
    int caret_batch_ = 0;
    int wanted_col_ = 0;
    int underline_row_ = -1;
    unsigned char pending_lead_ = 0;
    // selection
    TSelectionState sel_state_ = sstNone;
    bool box_ = false;
    TEditorPos anchor_, sel_start_, sel_end_;
    POINT down_point_{0, 0};
    bool mouse_down_ = false;
    HDC canvas_ = nullptr;
};

// The control's own context menu: undo, redo, cut, copy, paste, box paste,
// delete, select all and the box selection switch.
class TTextEditorPopupMenu : public TPopupMenu {
public:
    explicit TTextEditorPopupMenu(TTextEditor* editor);
    // Enables and checks the items for the editor's state (run on popup).
    void UpdateItems();
    TMenuItem *Undo, *Redo, *Cut, *Copy, *Paste, *BoxPaste, *Delete, *SelectAll, *BoxMode;

private:
    TTextEditor* editor_;
};
