// Painting of the text control: each row is drawn once in the control's
// colours, then only the tokens whose colours differ; selected parts are
// drawn again in the selection colours; then the marks.
#include <algorithm>
#include <memory>

#include "base/sjis.h"
#include "textview/text_editor_columns.h"
#include "textview/text_editor_win.h"
#include "textview/token_colors.h"
#include "ui/gdi.h"

namespace {
// Extra bytes kept beyond the last visible column, so that a token cut at
// the right edge is still seen whole enough to be coloured.
constexpr int kSlack = 256;

// The text a row is painted from: the row itself with tabs expanded, and
// with word wrap the rows it shares a line with, so that a token cut by
// the wrap is coloured as a whole.
struct RowContext {
    std::string text;
    int prefix_cols = 0;
    int own_cols = 0;
    bool cut = false;  // the row goes on past what is kept
    int state = kBracketNone;
};
} // namespace

void TTextEditor::DrawRun(HDC dc, int x, int y, std::string_view s, COLORREF fg, COLORREF bg,
                          bool opaque, TFontStyles style) {
    if (s.empty()) return;
    gdi::Select font(dc, FontFor(style));
    SetTextColor(dc, fg);
    SetBkColor(dc, bg);
    SetBkMode(dc, opaque ? OPAQUE : TRANSPARENT);
    RECT clip;
    GetClipBox(dc, &clip);
    const int table = static_cast<int>(advance_.size());
    const int height = row_height_ - (MarksOptions().Underline().Visible() ? 1 : 0);
    for (std::size_t i = 0; i < s.size();) {
        // A piece never splits a double-byte character and never needs more
        // advances than the table holds.
        std::size_t n = 0;
        while (i + n < s.size()) {
            std::size_t len = SjisCharLength(s, i + n);
            if (static_cast<int>(n + len) > table) break;
            n += len;
        }
        if (n == 0) n = 1;
        const int px = x + static_cast<int>(i) * col_width_;
        const int pw = static_cast<int>(n) * col_width_;
        if (px > clip.right) break;
        if (px + pw >= clip.left) {
            RECT r{px, y, px + pw, y + height};
            ExtTextOutA(dc, px, y, opaque ? ETO_OPAQUE : 0, &r, s.data() + i, static_cast<UINT>(n),
                        advance_.data());
        }
        i += n;
    }
}

void TTextEditor::PaintWindow(HDC dc) {
    canvas_ = dc;
    RECT client;
    GetClientRect(handle_, &client);
    RECT clip;
    if (GetClipBox(dc, &clip) == NULLREGION) clip = client;
    {
        gdi::Brush bg = gdi::SolidBrush(ControlColor());
        FillRect(dc, &clip, bg);
    }
    PaintRows(dc, clip);
    if (MarksOptions().Underline().Visible() && sel_state_ != sstSelected) DrawUnderline(dc, client);
    canvas_ = nullptr;
}

void TTextEditor::PaintRows(HDC dc, const RECT& clip) {
    RECT client;
    GetClientRect(handle_, &client);
    const int top = MarginOptions().Top();
    const int first = top_row_ + std::max(0, (static_cast<int>(clip.top) - top) / row_height_);
    const int last = top_row_ + std::max(0, (static_cast<int>(clip.bottom) - top) / row_height_);
    const int count = List().Count();
    for (int row = first; row <= last; ++row) {
        const int y = top + (row - top_row_) * row_height_;
        if (row < count) {
            PaintRow(dc, row, y, client);
        } else if (row == count && MarksOptions().EofMark().Visible() &&
                   (count == 0 || List().Attribute(count - 1) != raEof)) {
            gdi::SavedDC saved(dc);
            IntersectClipRect(dc, MarginOptions().Left(), y, client.right, y + row_height_);
            DrawEofMark(dc, MarginOptions().Left() - top_col_ * col_width_, y);
        }
    }
}

void TTextEditor::PaintRow(HDC dc, int row, int y, const RECT& client) {
    TTextEditorScreenStrings& list = List();
    if (list.BracketState(row) == kBracketUnknown) list.UpdateBrackets(row, false);
    const ColumnLayout layout = Layout();
    const int x = MarginOptions().Left() - top_col_ * col_width_;
    // Only what can show is expanded and parsed: a row of many megabytes
    // costs no more than a screen's width.
    const std::size_t keep = static_cast<std::size_t>(top_col_ + visible_cols_ + kSlack);

    RowContext ctx;
    ctx.state = list.BracketState(row);
    std::string own = ExpandTabs(RowText(row).substr(0, keep), layout);
    ctx.cut = RowText(row).size() > keep;
    if (own.size() > keep) {
        own.resize(keep);
        ctx.cut = true;
    }
    ctx.own_cols = static_cast<int>(own.size());
    if (WordWrap() && row > 0 && list.Attribute(row - 1) == raWrapped) {
        ctx.text = ExpandTabs(RowText(row - 1), layout);
        ctx.prefix_cols = static_cast<int>(ctx.text.size());
        ctx.state = list.BracketState(row - 1);
        if (ctx.state == kBracketUnknown) ctx.state = list.StoredBracketState(row - 1);
    }
    ctx.text += own;
    const bool wrapped = WordWrap() && list.Attribute(row) == raWrapped;
    if (wrapped && row + 1 < list.Count()) ctx.text += ExpandTabs(RowText(row + 1), layout);

    const COLORREF control = ControlColor(), font = FontColor();
    const TFontStyles base_style = FontStyle();
    const int text_x = x - ctx.prefix_cols * col_width_;
    RECT row_rect{MarginOptions().Left(), y, client.right, y + row_height_};
    {
        gdi::SavedDC saved(dc);
        IntersectClipRect(dc, row_rect.left, row_rect.top, row_rect.right, row_rect.bottom);
        // Neighbouring rows of the line are only context: nothing of them shows.
        if (ctx.prefix_cols > 0) IntersectClipRect(dc, x, y, row_rect.right, y + row_height_);
        if (wrapped) IntersectClipRect(dc, row_rect.left, y, x + ctx.own_cols * col_width_, y + row_height_);
        if (italic_) {
            gdi::Brush bg = gdi::SolidBrush(control);
            RECT r = row_rect;
            FillRect(dc, &r, bg);
        } else {
            DrawRun(dc, x, y, own, font, control, true, base_style);
        }
        std::unique_ptr<TTextEditorParser> parser = CreateParser(ctx.state, ctx.text);
        for (; parser->Token() != tkEnd; parser->NextToken()) {
            const TTextEditorColor* entry = TokenColor(View(), ReserveWordList(), parser->Token(),
                                                       parser->TokenString(), parser->BracketIndex());
            COLORREF fg = font, bk = control;
            TFontStyles style = base_style;
            if (entry) {
                fg = Resolve(entry->Color());
                bk = Resolve(entry->BkColor());
                style = entry->Style();
            }
            const int tx = text_x + parser->TokenOffset() * col_width_;
            if (!italic_) {
                if (fg == font && bk == control && style == base_style) continue;
                DrawRun(dc, tx, y, parser->TokenString(), fg, bk, true, style);
            } else {
                DrawRun(dc, tx, y, parser->TokenString(), fg, bk, bk != control, style);
            }
        }
        DrawLine(ctx.text, text_x, y, row, row_rect, false);
        if (!ctx.cut) {
            const int end_x = x + ctx.own_cols * col_width_;
            const TRowAttribute attr = list.Attribute(row);
            if (MarksOptions().EofMark().Visible() && row == list.Count() - 1 && attr == raEof)
                DrawEofMark(dc, end_x, y);
            else if (MarksOptions().RetMark().Visible() && attr == raCrlf)
                DrawRetMark(dc, end_x + col_width_ / 2, y, Resolve(MarksOptions().RetMark().Color()));
        }
    }

    int c0 = 0, c1 = 0;
    bool line_break = false;
    if (SelectedColumns(row, &c0, &c1, &line_break))
        PaintSelectedPart(dc, row, y, client, ctx.text, text_x, ctx.own_cols, c0, c1, line_break);
}

bool TTextEditor::SelectedColumns(int row, int* c0, int* c1, bool* line_break) const {
    if (sel_state_ != sstSelected || row < sel_start_.Row || row > sel_end_.Row) return false;
    *line_break = false;
    if (box_) {
        *c0 = sel_start_.Pos;
        *c1 = sel_end_.Pos;
        return *c1 > *c0;
    }
    const std::string map = RowMap(row);
    const int len = static_cast<int>(RowText(row).size());
    const int b0 = row == sel_start_.Row ? std::min(sel_start_.Pos, len) : 0;
    const int b1 = row == sel_end_.Row ? std::min(sel_end_.Pos, len) : len;
    *c0 = ByteToColumn(map, b0);
    *c1 = ByteToColumn(map, std::max(b0, b1));
    *line_break = row < sel_end_.Row && List().Attribute(row) == raCrlf;
    return *c1 > *c0 || *line_break;
}

void TTextEditor::PaintSelectedPart(HDC dc, int row, int y, const RECT& client,
                                    const std::string& text, int text_x, int own_cols, int c0,
                                    int c1, bool line_break) {
    const int x = MarginOptions().Left() - top_col_ * col_width_;
    const TTextEditorColor& sel = View().Colors().Select;
    const COLORREF fg = Resolve(sel.Color()), bk = Resolve(sel.BkColor());
    const int right = x + c1 * col_width_ + (line_break ? col_width_ : 0);
    RECT part{std::max<LONG>(x + c0 * col_width_, MarginOptions().Left()), y, std::min<LONG>(right, client.right),
              y + row_height_ - (MarksOptions().Underline().Visible() ? 1 : 0)};
    if (part.right <= part.left) return;
    gdi::SavedDC saved(dc);
    IntersectClipRect(dc, part.left, part.top, part.right, part.bottom);
    {
        gdi::Brush b = gdi::SolidBrush(bk);
        FillRect(dc, &part, b);
    }
    DrawRun(dc, text_x, y, text, fg, bk, false, sel.Style());
    RECT row_rect{MarginOptions().Left(), y, client.right, y + row_height_};
    DrawLine(text, text_x, y, row, row_rect, true);
    if (line_break && MarksOptions().RetMark().Visible()) DrawRetMark(dc, x + own_cols * col_width_ + col_width_ / 2, y, fg);
}

void TTextEditor::DrawLine(const std::string& LineStr, int X, int Y, int Index, const RECT& ARect,
                           bool Selected) {
    if (OnDrawLine) OnDrawLine(this, LineStr, X, Y, Index, ARect, Selected);
}

void TTextEditor::DrawEofMark(HDC dc, int x, int y) {
    gdi::SavedDC saved(dc);
    RECT client;
    GetClientRect(handle_, &client);
    IntersectClipRect(dc, MarginOptions().Left(), MarginOptions().Top(), client.right, client.bottom);
    IntersectClipRect(dc, x, y, x + 6 * col_width_, y + font_height_);
    DrawRun(dc, x, y, "[EOF]", Resolve(MarksOptions().EofMark().Color()), ControlColor(), true, FontStyle());
}

void TTextEditor::DrawRetMark(HDC dc, int x, int y, COLORREF color) {
    if (x < MarginOptions().Left()) return;
    gdi::Pen pen = gdi::SolidPen(color);
    gdi::Select selected(dc, pen);
    const int bottom = y + font_height_ - 4;
    MoveToEx(dc, x, y + 6, nullptr);
    LineTo(dc, x, bottom);
    MoveToEx(dc, x, bottom, nullptr);
    LineTo(dc, x + 3, y + font_height_ - 7);
    MoveToEx(dc, x, bottom, nullptr);
    LineTo(dc, x - 3, y + font_height_ - 7);
}

void TTextEditor::DrawUnderline(HDC dc, const RECT& client) {
    const int row = Row();
    if (row < top_row_ || row > top_row_ + visible_rows_) return;
    const int y = MarginOptions().Top() + (row - top_row_) * row_height_ + row_height_ - 1;
    gdi::Pen pen = gdi::SolidPen(Resolve(MarksOptions().Underline().Color()));
    gdi::Select selected(dc, pen);
    MoveToEx(dc, MarginOptions().Left(), y, nullptr);
    LineTo(dc, client.right, y);
}
