// Keyboard navigation and editing of the text control. Every change goes
// through the row list's ReplaceRows, which records the undo.
#include <algorithm>
#include <memory>

#include "base/sjis.h"
#include "textview/text_editor_columns.h"
#include "textview/text_editor_win.h"

namespace {
bool Printable(unsigned char c) { return (c >= 0x20 && c <= 0x7E) || (c >= 0xA1 && c <= 0xDF); }
} // namespace

int TTextEditor::LineOffset(int row, int byte) const {
    int offset = byte;
    for (int r = List().FirstRowOfLine(row); r < row; ++r) offset += static_cast<int>(RowText(r).size());
    return offset;
}

void TTextEditor::PlaceCaret(int first_row, int breaks, int offset) {
    const TTextEditorScreenStrings& list = List();
    int r = first_row;
    for (int k = 0; k < breaks && r < list.Count(); ++k) r = list.LastRowOfLine(r) + 1;
    while (r < list.Count() - 1 && list.Attribute(r) == raWrapped &&
           offset >= static_cast<int>(RowText(r).size())) {
        offset -= static_cast<int>(RowText(r).size());
        ++r;
    }
    MoveCaret(r, ByteToColumn(RowMap(r), offset), 1);
    wanted_col_ = Col();
    EnsureCaretVisible();
}

void TTextEditor::ReplaceRowText(int row, const std::string& text) {
    TTextEditorScreenStrings& list = List();
    if (row >= list.Count()) {
        if (!text.empty()) list.ReplaceRows(list.Count(), 0, text);
        return;
    }
    list.ReplaceRows(row, 1, list.Attribute(row) == raCrlf ? text + "\r\n" : text);
}

void TTextEditor::InsertText(const std::string& s) {
    if (!CanEdit() || s.empty()) return;
    if (sel_state_ == sstSelected) DeleteSelection();
    CleanSelection();
    const int row = Row();
    const std::string map = RowMap(row);
    const std::string text(RowText(row));
    int byte = ColumnToByte(map, Col());
    std::string line = text;
    if (byte > static_cast<int>(line.size())) line.append(byte - line.size(), ' ');
    const int first = List().FirstRowOfLine(row);
    const int offset = LineOffset(row, byte);
    line.insert(static_cast<std::size_t>(byte), s);
    ReplaceRowText(row, line);
    const TBreakCount b = CountBreaks(s);
    PlaceCaret(first, b.breaks, b.breaks ? b.tail : offset + static_cast<int>(s.size()));
}

void TTextEditor::TypeChar(unsigned char c) {
    if (!CanEdit()) return;
    std::string s;
    if (pending_lead_) {
        s = {static_cast<char>(pending_lead_), static_cast<char>(c)};
        pending_lead_ = 0;
    } else if (IsSjisLeadByte(c)) {
        pending_lead_ = c;
        return;
    } else if (Printable(c)) {
        s = std::string(1, static_cast<char>(c));
    } else {
        return;
    }
    if (overwrite_ && sel_state_ != sstSelected) {
        const std::string map = RowMap(Row());
        const int col = Col();
        if (col < static_cast<int>(map.size())) {
            // Written over the character under the caret.
            std::string line(RowText(Row()));
            const int byte = ColumnToByte(map, col);
            const std::size_t len = SjisCharLength(line, static_cast<std::size_t>(byte));
            const int first = List().FirstRowOfLine(Row());
            const int offset = LineOffset(Row(), byte);
            line.replace(static_cast<std::size_t>(byte), len, s);
            ReplaceRowText(Row(), line);
            PlaceCaret(first, 0, offset + static_cast<int>(s.size()));
            return;
        }
    }
    InsertText(s);
}

void TTextEditor::NewLine() {
    if (!CanEdit() || !WantReturns) return;
    if (sel_state_ == sstSelected) DeleteSelection();
    CleanSelection();
    TTextEditorScreenStrings& list = List();
    const int row = Row();
    if (row >= list.Count()) {
        list.ReplaceRows(list.Count(), 0, "\r\n");
        MoveCaret(list.Count(), 0, 1);
        EnsureCaretVisible();
        return;
    }
    if (overwrite_) {
        MoveCaret(row + 1, 0, 1);
        EnsureCaretVisible();
        return;
    }
    const std::string map = RowMap(row);
    const std::string text(RowText(row));
    const int byte = std::min(ColumnToByte(map, Col()), static_cast<int>(text.size()));
    const int first = list.FirstRowOfLine(row);
    int indent = 0;
    if (CaretOptions().AutoIndent()) {
        indent = LeadingBlankWidth(RowText(first));
        if (row == first) indent = std::min(indent, Col());
    } else if (CaretOptions().PrevSpaceIndent() && row == first && Col() == 0 && text.empty()) {
        for (int r = row - 1; r >= 0; --r) {
            if (RowText(r).empty()) continue;
            indent = LeadingBlankWidth(RowText(list.FirstRowOfLine(r)));
            break;
        }
    }
    const std::string pad = IndentText(indent, CaretOptions().TabIndent(), TabSpaceCount());
    ReplaceRowText(row, text.substr(0, byte) + "\r\n" + pad + text.substr(byte));
    PlaceCaret(first, 1, static_cast<int>(pad.size()));
}

void TTextEditor::TabKey() {
    if (!CanEdit() || !WantTabs) return;
    const int width = TabWidthAt(Col(), Layout());
    if (overwrite_) {
        MoveCaret(Row(), Col() + width, 1);
        EnsureCaretVisible();
        return;
    }
    InsertText(CaretOptions().SoftTab() ? std::string(width, ' ') : std::string("\t"));
}

void TTextEditor::DeleteSelection() {
    if (!CanEdit() || sel_state_ != sstSelected) return;
    TTextEditorScreenStrings& list = List();
    const TEditorPos s = sel_start_, e = sel_end_;
    CleanSelection();
    if (list.Count() == 0) return;
    if (box_) {
        const int last = std::min(e.Row, list.Count() - 1);
        std::string joined;
        for (int r = s.Row; r <= last; ++r) {
            const std::string map = RowMap(r);
            std::string text(RowText(r));
            const int len = static_cast<int>(text.size());
            int left = s.Pos, right = e.Pos;
            const int size = static_cast<int>(map.size());
            if (left < size && map[left] == '5') --left;
            if (right < size && map[right] == '5') ++right;
            const int b0 = std::min(ColumnToByte(map, left), len);
            const int b1 = std::min(ColumnToByte(map, right), len);
            if (b1 > b0) text.erase(static_cast<std::size_t>(b0), static_cast<std::size_t>(b1 - b0));
            joined += text;
            if (r < last && list.Attribute(r) == raCrlf) joined += "\r\n";
        }
        if (list.Attribute(last) == raCrlf) joined += "\r\n";
        list.ReplaceRows(s.Row, last - s.Row + 1, joined);
        MoveCaret(s.Row, s.Pos, -1);
        EnsureCaretVisible();
        return;
    }
    const int first = list.FirstRowOfLine(s.Row);
    const int offset = LineOffset(s.Row, s.Pos);
    std::string text(RowText(s.Row).substr(0, static_cast<std::size_t>(s.Pos)));
    if (e.Row >= list.Count()) {
        list.ReplaceRows(s.Row, list.Count() - s.Row, text);
    } else {
        const std::string_view tail = RowText(e.Row);
        if (e.Pos < static_cast<int>(tail.size())) text.append(tail.substr(static_cast<std::size_t>(e.Pos)));
        if (list.Attribute(e.Row) == raCrlf) text += "\r\n";
        list.ReplaceRows(s.Row, e.Row - s.Row + 1, text);
    }
    PlaceCaret(first, 0, offset);
}

void TTextEditor::BackSpace() {
    if (!CanEdit()) return;
    if (sel_state_ == sstSelected) {
        DeleteSelection();
        return;
    }
    CleanSelection();
    TTextEditorScreenStrings& list = List();
    const int row = Row(), col = Col();
    if (col > 0) {
        const std::string map = RowMap(row);
        if (col > static_cast<int>(map.size())) {
            // Beyond the end of the text there is nothing to delete.
            MoveCaret(row, col - 1, -1);
            return;
        }
        // The character before the caret: over tab filler the tab itself.
        int c = col - 1;
        while (c > 0 && (map[c] == '3' || map[c] == '5')) --c;
        std::string text(RowText(row));
        const int b0 = ColumnToByte(map, c), b1 = ColumnToByte(map, col);
        const int first = list.FirstRowOfLine(row);
        const int offset = LineOffset(row, b0);
        text.erase(static_cast<std::size_t>(b0), static_cast<std::size_t>(b1 - b0));
        ReplaceRowText(row, text);
        PlaceCaret(first, 0, offset);
        return;
    }
    if (row == 0) return;
    const int prev = row - 1;
    const std::string prev_text(RowText(prev));
    if (list.Attribute(prev) == raWrapped) {
        // One line: the last character of the row above goes.
        const std::string map = RowMap(prev);
        const int c = LastCharColumn(map);
        std::string text = prev_text;
        const int b0 = ColumnToByte(map, c);
        const int first = list.FirstRowOfLine(prev);
        const int offset = LineOffset(prev, b0);
        text.erase(static_cast<std::size_t>(b0));
        ReplaceRowText(prev, text);
        PlaceCaret(first, 0, offset);
        return;
    }
    const int first = list.FirstRowOfLine(prev);
    const int offset = LineOffset(prev, static_cast<int>(prev_text.size()));
    if (row >= list.Count()) {
        list.ReplaceRows(prev, 1, prev_text);
    } else {
        std::string text = prev_text + std::string(RowText(row));
        if (list.Attribute(row) == raCrlf) text += "\r\n";
        list.ReplaceRows(prev, 2, text);
    }
    PlaceCaret(first, 0, offset);
}

void TTextEditor::DeleteKey() {
    if (!CanEdit()) return;
    if (sel_state_ == sstSelected) {
        DeleteSelection();
        return;
    }
    CleanSelection();
    TTextEditorScreenStrings& list = List();
    const int row = Row(), col = Col();
    if (row >= list.Count()) return;
    const std::string map = RowMap(row);
    std::string text(RowText(row));
    const int first = list.FirstRowOfLine(row);
    if (col < static_cast<int>(map.size())) {
        int c = col;
        while (c > 0 && (map[c] == '3' || map[c] == '5')) --c;
        const int b0 = ColumnToByte(map, c);
        const std::size_t len = SjisCharLength(text, static_cast<std::size_t>(b0));
        const int offset = LineOffset(row, b0);
        text.erase(static_cast<std::size_t>(b0), len);
        ReplaceRowText(row, text);
        PlaceCaret(first, 0, offset);
        return;
    }
    const TRowAttribute attr = list.Attribute(row);
    if (attr == raEof) return;
    if (attr == raWrapped) {
        std::string next(RowText(row + 1));
        if (next.empty()) return;
        const int offset = LineOffset(row, static_cast<int>(text.size()));
        next.erase(0, SjisCharLength(next, 0));
        ReplaceRowText(row + 1, next);
        PlaceCaret(first, 0, offset);
        return;
    }
    // The line break goes: the next line joins this one (after the free
    // caret's spaces).
    const int byte = ColumnToByte(map, col);
    if (byte > static_cast<int>(text.size())) text.append(byte - text.size(), ' ');
    const int offset = LineOffset(row, static_cast<int>(text.size()));
    if (row + 1 >= list.Count()) {
        list.ReplaceRows(row, 1, text);
    } else {
        const int next_last = list.LastRowOfLine(row + 1);
        text += list.RangeText(row + 1, next_last - row);
        list.ReplaceRows(row, next_last - row + 1, text);
    }
    PlaceCaret(first, 0, offset);
}

void TTextEditor::PasteFromClipboard() {
    std::string text;
    bool box = false;
    if (!CanEdit() || !ClipboardText(&text, &box)) return;
    if (box) {
        BoxPasteFromClipboard();
        return;
    }
    InsertText(text);
}

void TTextEditor::BoxPasteFromClipboard() {
    std::string clip;
    if (!CanEdit() || !ClipboardText(&clip, nullptr) || clip.empty()) return;
    if (sel_state_ == sstSelected) DeleteSelection();
    CleanSelection();
    std::vector<std::string> pieces;
    ForEachTextLine(clip, [&](std::size_t off, std::size_t len) { pieces.push_back(clip.substr(off, len)); });
    if (pieces.empty()) return;
    TTextEditorScreenStrings& list = List();
    const int row = Row(), col = Col();
    const int last = std::min(row + static_cast<int>(pieces.size()) - 1, list.Count() - 1);
    std::string joined;
    for (int i = 0; i < static_cast<int>(pieces.size()); ++i) {
        const int r = row + i;
        std::string text(r < list.Count() ? RowText(r) : std::string_view());
        const std::string map = ColumnMap(text, Layout());
        int c = col;
        if (c < static_cast<int>(map.size()) && map[c] == '5') ++c;
        int byte = ColumnToByte(map, c);
        if (byte > static_cast<int>(text.size())) text.append(byte - text.size(), ' ');
        text.insert(static_cast<std::size_t>(byte), pieces[i]);
        joined += text;
        const bool more = i + 1 < static_cast<int>(pieces.size());
        if (r <= last) {
            if (list.Attribute(r) == raCrlf || (more && r == last)) joined += "\r\n";
        } else if (more) {
            joined += "\r\n";
        }
    }
    if (last >= row)
        list.ReplaceRows(row, last - row + 1, joined);
    else
        list.ReplaceRows(list.Count(), 0, joined);
    MoveCaret(row, col + static_cast<int>(pieces[0].size()), 1);
    EnsureCaretVisible();
}

void TTextEditor::Undo() {
    if (!CanEdit()) return;
    TTextEditorModel::Undo();
    EnsureCaretVisible();
}

void TTextEditor::Redo() {
    if (!CanEdit()) return;
    TTextEditorModel::Redo();
    EnsureCaretVisible();
}

// --- keys -----------------------------------------------------------------------

void TTextEditor::WordMove(int dir) {
    const int row = Row();
    const std::string_view text = RowText(row);
    const int byte = std::min(ColumnToByte(RowMap(row), Col()), static_cast<int>(text.size()));
    // Character classes only: the parser without an owning view.
    TTextEditorParser parser(nullptr, -2, text);
    int target = -1;
    for (; parser.Token() != tkEnd; parser.NextToken()) {
        if (parser.Token() == tkSymbol) continue;
        const int start = parser.TokenOffset();
        if (dir > 0 && start > byte) {
            target = start;
            break;
        }
        if (dir < 0 && start < byte) target = start;
    }
    if (target >= 0) {
        MoveCaret(row, ByteToColumn(RowMap(row), target), dir);
    } else if (dir > 0) {
        if (byte < static_cast<int>(text.size()))
            MoveCaret(row, RowCols(row), dir);
        else if (row + 1 <= List().Count())
            MoveCaret(row + 1, 0, dir);
    } else {
        if (byte > 0)
            MoveCaret(row, 0, dir);
        else if (row > 0)
            MoveCaret(row - 1, RowCols(row - 1), dir);
    }
}

void TTextEditor::Navigate(WORD key, TShiftState shift) {
    const bool with_shift = (shift & ssShift) != 0, ctrl = (shift & ssCtrl) != 0;
    if (with_shift && sel_state_ == sstNone) StartSelection();
    if (!with_shift && sel_state_ != sstNone) CleanSelection();
    TTextEditorScreenStrings& list = List();
    const int row = Row(), col = Col();
    const int page = std::max(1, visible_rows_ - 1);
    bool vertical = false;
    switch (key) {
    case VK_LEFT:
        if (ctrl) {
            WordMove(-1);
        } else if (col > 0) {
            MoveCaret(row, col - 1, -1);
        } else if (row > 0 && (CaretOptions().NextLine() || list.Attribute(row - 1) == raWrapped)) {
            const std::string map = RowMap(row - 1);
            MoveCaret(row - 1,
                      list.Attribute(row - 1) == raWrapped ? LastCharColumn(map) : static_cast<int>(map.size()), -1);
        }
        break;
    case VK_RIGHT: {
        if (ctrl) {
            WordMove(1);
            break;
        }
        const std::string map = RowMap(row);
        const int size = static_cast<int>(map.size());
        const bool wrapped_end = WordWrap() && list.Attribute(row) == raWrapped && col >= LastCharColumn(map);
        if ((wrapped_end || (CaretOptions().NextLine() && col >= size)) && row + 1 < list.Count() + 1 &&
            row < list.Count()) {
            MoveCaret(row + 1, 0, 1);
        } else {
            int next = col + 1;
            if (next < size && map[next] == '5') ++next;
            MoveCaret(row, next, 1);
        }
        break;
    }
    case VK_UP:
    case VK_DOWN: {
        const int step = key == VK_UP ? -1 : 1;
        vertical = true;
        if (ctrl) {
            ScrollBy(step, 0);
            if (Row() < top_row_)
                MoveCaret(top_row_, CaretOptions().KeepCaret() ? wanted_col_ : col, 0);
            else if (Row() >= top_row_ + visible_rows_)
                MoveCaret(top_row_ + visible_rows_ - 1, CaretOptions().KeepCaret() ? wanted_col_ : col, 0);
        } else {
            MoveCaret(row + step, CaretOptions().KeepCaret() ? wanted_col_ : col, 0);
        }
        break;
    }
    case VK_PRIOR:
    case VK_NEXT: {
        const int step = key == VK_PRIOR ? -page : page;
        vertical = true;
        SetTopRow(std::clamp(top_row_ + step, 0, MaxTopRow()));
        MoveCaret(row + step, CaretOptions().KeepCaret() ? wanted_col_ : col, 0);
        break;
    }
    case VK_HOME:
        MoveCaret(ctrl ? 0 : row, 0, -1);
        break;
    case VK_END: {
        const int r = ctrl ? list.Count() : row;
        TTextEditorModel::SetRow(r);
        const std::string map = RowMap(Row());
        MoveCaret(Row(), list.Attribute(Row()) == raWrapped ? LastCharColumn(map) : static_cast<int>(map.size()), 1);
        break;
    }
    default: break;
    }
    if (!vertical) wanted_col_ = Col();
    EnsureCaretVisible();
    if (with_shift && sel_state_ != sstNone) UpdateSelection();
}

void TTextEditor::KeyDown(WORD key, TShiftState shift) {
    const bool ctrl = (shift & ssCtrl) != 0, with_shift = (shift & ssShift) != 0;
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
        Navigate(key, shift);
        return;
    case VK_INSERT:
        if (ctrl)
            CopyToClipboard();
        else if (with_shift)
            PasteFromClipboard();
        else
            SetOverwrite(!overwrite_);
        return;
    case VK_DELETE:
        if (with_shift)
            CutToClipboard();
        else
            DeleteKey();
        return;
    case VK_BACK:
        BackSpace();
        return;
    case VK_RETURN:
        NewLine();
        return;
    case VK_TAB:
        if (!ctrl && !with_shift) TabKey();
        return;
    default: break;
    }
    if (!ctrl) return;
    switch (key) {
    case 'A': SelectAll(); break;
    case 'C': CopyToClipboard(); break;
    case 'X': CutToClipboard(); break;
    case 'V': PasteFromClipboard(); break;
    case 'B': BoxPasteFromClipboard(); break;
    case 'Z': Undo(); break;
    case 'Y': Redo(); break;
    case 'K': SetSelectionMode(!box_); break;
    default: break;
    }
}

void TTextEditor::KeyPress(unsigned char ch) {
    // Control characters come with their keys (Enter, Tab, Backspace).
    if (ch < 0x20 && !pending_lead_) return;
    TypeChar(ch);
}
