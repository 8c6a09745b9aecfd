// Selection, clipboard, mouse and the token under a point.
#include <algorithm>
#include <cstring>
#include <memory>

#include "textview/text_editor_columns.h"
#include "textview/text_editor_win.h"

namespace {
// Opens the clipboard for the life of the object; another program may hold
// it for a moment, so a few tries are made.
class ClipboardLock {
public:
    explicit ClipboardLock(HWND owner) {
        for (int i = 0; i < 5 && !open_; ++i) {
            open_ = OpenClipboard(owner) != FALSE;
            if (!open_) Sleep(10);
        }
    }
    ~ClipboardLock() {
        if (open_) CloseClipboard();
    }
    ClipboardLock(const ClipboardLock&) = delete;
    ClipboardLock& operator=(const ClipboardLock&) = delete;
    bool Open() const { return open_; }

private:
    bool open_ = false;
};

HGLOBAL GlobalText(const std::string& text) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!h) return nullptr;
    if (char* p = static_cast<char*>(GlobalLock(h))) {
        std::memcpy(p, text.data(), text.size());
        p[text.size()] = '\0';
        GlobalUnlock(h);
    }
    return h;
}
} // namespace

unsigned TTextEditor::BoxClipboardFormat() {
    static const unsigned format = RegisterClipboardFormatA("Quillmark.TextEditor.BoxSelection");
    return format;
}

TEditorPos TTextEditor::CaretStreamPos() const {
    if (box_) return {Row(), Col()};
    const int len = static_cast<int>(RowText(Row()).size());
    return {Row(), std::min(ColumnToByte(RowMap(Row()), Col()), len)};
}

void TTextEditor::SelectionChanged(bool selected) { Fire(OnSelectionChange, this, selected); }

void TTextEditor::CleanSelection() {
    if (sel_state_ == sstNone) return;
    const bool was_selected = sel_state_ == sstSelected;
    sel_state_ = sstNone;
    if (was_selected) {
        InvalidateRows(sel_start_.Row, sel_end_.Row);
        InvalidateRow(Row());
        SelectionChanged(false);
    }
}

void TTextEditor::StartSelection() {
    CleanSelection();
    if (List().Count() == 0) return;
    sel_state_ = sstSelecting;
    anchor_ = CaretStreamPos();
    sel_start_ = sel_end_ = anchor_;
}

void TTextEditor::UpdateSelection() {
    if (sel_state_ == sstNone) return;
    if (sel_state_ == sstSelecting) {
        sel_state_ = sstSelected;
        InvalidateRow(Row());  // the underline is not drawn while a selection is active
    }
    const TEditorPos old_start = sel_start_, old_end = sel_end_;
    const TEditorPos caret = CaretStreamPos();
    if (box_) {
        sel_start_ = {std::min(anchor_.Row, caret.Row), std::min(anchor_.Pos, caret.Pos)};
        sel_end_ = {std::max(anchor_.Row, caret.Row), std::max(anchor_.Pos, caret.Pos)};
        InvalidateRows(std::min(old_start.Row, sel_start_.Row), std::max(old_end.Row, sel_end_.Row));
    } else {
        sel_start_ = std::min(anchor_, caret);
        sel_end_ = std::max(anchor_, caret);
        // Only rows between the old and the new ends changed.
        if (old_start == sel_start_)
            InvalidateRows(std::min(old_end.Row, sel_end_.Row), std::max(old_end.Row, sel_end_.Row));
        else if (old_end == sel_end_)
            InvalidateRows(std::min(old_start.Row, sel_start_.Row), std::max(old_start.Row, sel_start_.Row));
        else
            InvalidateRows(std::min(old_start.Row, sel_start_.Row), std::max(old_end.Row, sel_end_.Row));
    }
    SelectionChanged(true);
}

void TTextEditor::SelectRange(TEditorPos from, TEditorPos to) {
    CleanSelection();
    if (List().Count() == 0) return;
    anchor_ = from;
    sel_start_ = std::min(from, to);
    sel_end_ = std::max(from, to);
    sel_state_ = sstSelected;
    InvalidateRows(sel_start_.Row, sel_end_.Row);
    InvalidateRow(Row());
    SelectionChanged(true);
}

void TTextEditor::SetSelectionMode(bool box) {
    if (box == box_) return;
    const bool had = sel_state_ == sstSelected;
    box_ = box;
    if (had) {
        // The same rows in the terms of the new mode.
        auto convert = [&](TEditorPos p) {
            const std::string map = RowMap(p.Row);
            return box ? TEditorPos{p.Row, ByteToColumn(map, p.Pos)}
                       : TEditorPos{p.Row, std::min(ColumnToByte(map, p.Pos),
                                                    static_cast<int>(RowText(p.Row).size()))};
        };
        anchor_ = convert(anchor_);
        const TEditorPos a = convert(sel_start_), b = convert(sel_end_);
        sel_start_ = box ? TEditorPos{a.Row, std::min(a.Pos, b.Pos)} : a;
        sel_end_ = box ? TEditorPos{b.Row, std::max(a.Pos, b.Pos)} : b;
        Invalidate();
    }
    Fire(OnSelectionModeChange, this);
}

std::string TTextEditor::SelectedText() const {
    std::string out;
    if (sel_state_ != sstSelected) return out;
    const int count = List().Count();
    for (int r = sel_start_.Row; r <= sel_end_.Row && r < count; ++r) {
        const std::string_view text = RowText(r);
        const int len = static_cast<int>(text.size());
        if (box_) {
            const std::string map = RowMap(r);
            const int size = static_cast<int>(map.size());
            int left = sel_start_.Pos, right = sel_end_.Pos;
            // Whole characters only: a column on a trail byte takes its lead.
            if (left < size && map[left] == '5') --left;
            if (right < size && map[right] == '5') ++right;
            const int b0 = std::min(ColumnToByte(map, left), len);
            const int b1 = std::min(ColumnToByte(map, right), len);
            out.append(text.substr(b0, std::max(0, b1 - b0)));
            out += "\r\n";
        } else {
            const int b0 = r == sel_start_.Row ? std::min(sel_start_.Pos, len) : 0;
            const int b1 = r == sel_end_.Row ? std::min(sel_end_.Pos, len) : len;
            if (b1 > b0) out.append(text.substr(b0, b1 - b0));
            if (r < sel_end_.Row && List().Attribute(r) == raCrlf) out += "\r\n";
        }
    }
    return out;
}

void TTextEditor::SetClipboardText(const std::string& text, bool box) {
    ClipboardLock lock(handle_);
    if (!lock.Open()) return;
    EmptyClipboard();
    if (HGLOBAL h = GlobalText(text)) {
        if (!SetClipboardData(CF_TEXT, h)) GlobalFree(h);
    }
    if (box) {
        if (HGLOBAL h = GlobalText(text)) {
            if (!SetClipboardData(BoxClipboardFormat(), h)) GlobalFree(h);
        }
    }
}

bool TTextEditor::ClipboardText(std::string* text, bool* box) const {
    if (!IsClipboardFormatAvailable(CF_TEXT)) return false;
    ClipboardLock lock(handle_);
    if (!lock.Open()) return false;
    HANDLE h = GetClipboardData(CF_TEXT);
    if (!h) return false;
    const char* p = static_cast<const char*>(GlobalLock(h));
    if (!p) return false;
    const std::size_t size = GlobalSize(h);
    std::size_t n = 0;
    while (n < size && p[n]) ++n;
    text->assign(p, n);
    GlobalUnlock(h);
    if (box) *box = IsClipboardFormatAvailable(BoxClipboardFormat()) != FALSE;
    return true;
}

void TTextEditor::CopyToClipboard() {
    if (sel_state_ != sstSelected) return;
    SetClipboardText(SelectedText(), box_);
}

void TTextEditor::CutToClipboard() {
    if (!CanEdit() || sel_state_ != sstSelected) return;
    CopyToClipboard();
    DeleteSelection();
}

void TTextEditor::SelectAll() {
    if (caret_created_) HideCaret(handle_);
    CleanSelection();
    const int count = List().Count();
    if (count > 0) {
        TEditorPos end{count - 1, static_cast<int>(RowText(count - 1).size())};
        if (List().Attribute(count - 1) == raCrlf) end = {count, 0};
        if (box_) end = {count - 1, MaxTopCol() + visible_cols_};
        anchor_ = sel_start_ = {0, 0};
        sel_end_ = end;
        sel_state_ = sstSelected;
        Invalidate();
        SelectionChanged(true);
    }
    if (caret_created_) ShowCaret(handle_);
}

// --- mouse --------------------------------------------------------------------

void TTextEditor::MouseDown(int x, int y, TShiftState shift) {
    if (shift & ssShift) {
        if (sel_state_ == sstNone) StartSelection();
        CaretToPoint(x, y);
        EnsureCaretVisible();
        if (sel_state_ != sstNone) UpdateSelection();
        return;
    }
    down_point_ = POINT{x, y};
    CaretToPoint(x, y);
    EnsureCaretVisible();
    wanted_col_ = Col();
    StartSelection();
}

void TTextEditor::MouseMove(int x, int y) {
    CaretToPoint(x, y);
    EnsureCaretVisible();
    wanted_col_ = Col();
    if (sel_state_ == sstSelecting) {
        const int slop = col_width_ / 2;
        if (std::abs(x - down_point_.x) >= slop || std::abs(y - down_point_.y) >= slop) UpdateSelection();
    } else if (sel_state_ == sstSelected) {
        UpdateSelection();
    }
}

// --- tokens -------------------------------------------------------------------

namespace {
struct LineHit {
    int first_row = 0;
    int offset = 0;
    std::string line;
};
} // namespace

std::string TTextEditor::TokenAtPos(POINT pt, TokenKind* kind) const {
    if (kind) *kind = tkEnd;
    const int row = (pt.y - MarginOptions().Top()) / row_height_ + top_row_;
    if (row < 0 || row >= List().Count()) return {};
    const int col = (pt.x - MarginOptions().Left()) / col_width_ + top_col_;
    const std::string map = RowMap(row);
    if (col < 0 || col >= static_cast<int>(map.size())) return {};
    const int first = List().FirstRowOfLine(row);
    int offset = ColumnToByte(map, col);
    if (map[col] == '5') --offset;
    for (int r = first; r < row; ++r) offset += static_cast<int>(RowText(r).size());
    std::string line = List().RangeText(first, -1);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    std::unique_ptr<TTextEditorParser> parser = CreateParser(-2, line);
    for (; parser->Token() != tkEnd; parser->NextToken()) {
        const int start = parser->TokenOffset();
        if (offset >= start && offset <= start + parser->TokenLength() - 1) {
            if (kind) *kind = parser->Token();
            return std::string(parser->TokenString());
        }
        if (start > offset) break;
    }
    return {};
}

TokenKind TTextEditor::TokenKindAtCaret() const {
    TokenKind kind;
    TokenAtPos(CaretPixelPos(), &kind);
    return kind;
}

std::string TTextEditor::TokenStringAtCaret() const { return TokenAtPos(CaretPixelPos(), nullptr); }

void TTextEditor::SelectTokenAtPos(POINT pt) {
    const int row = (pt.y - MarginOptions().Top()) / row_height_ + top_row_;
    if (row < 0 || row >= List().Count()) return;
    const int col = (pt.x - MarginOptions().Left()) / col_width_ + top_col_;
    const std::string map = RowMap(row);
    if (col < 0 || col >= static_cast<int>(map.size())) return;
    const int first = List().FirstRowOfLine(row);
    int offset = ColumnToByte(map, col);
    if (map[col] == '5') --offset;
    for (int r = first; r < row; ++r) offset += static_cast<int>(RowText(r).size());
    std::string line = List().RangeText(first, -1);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    std::unique_ptr<TTextEditorParser> parser = CreateParser(-2, line);
    for (; parser->Token() != tkEnd; parser->NextToken()) {
        const int start = parser->TokenOffset(), end = start + parser->TokenLength();
        if (offset < start || offset >= end) continue;
        // Line offsets back to rows of the line.
        auto to_pos = [&](int off) {
            int r = first;
            while (r < List().Count() - 1 && List().Attribute(r) == raWrapped &&
                   off > static_cast<int>(RowText(r).size())) {
                off -= static_cast<int>(RowText(r).size());
                ++r;
            }
            return TEditorPos{r, off};
        };
        TEditorPos a = to_pos(start), b = to_pos(end);
        if (box_) {
            a.Pos = ByteToColumn(RowMap(a.Row), a.Pos);
            b.Pos = ByteToColumn(RowMap(b.Row), b.Pos);
        }
        SelectRange(a, b);
        return;
    }
}
