// The text control's window: creation, metrics, scrolling, the caret and
// the message dispatch.
#include "textview/text_editor_win.h"

#include <imm.h>

#include <algorithm>

#include "textview/text_editor_columns.h"
#include "ui/gdi.h"

namespace {
constexpr int kHorizontalPixels = 8000;
constexpr int kAdvanceEntries = 1000;

TShiftState MouseShift(WPARAM wp) {
    TShiftState s = 0;
    if (wp & MK_SHIFT) s |= ssShift;
    if (wp & MK_CONTROL) s |= ssCtrl;
    if (wp & MK_LBUTTON) s |= ssLeft;
    return s;
}
} // namespace

TTextEditor::TTextEditor(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) {
    width_ = 185;
    height_ = 89;
    ParentFont = false;
    Font = TFont{};
    Font.Name = "FixedSys";
    Font.Height = 15;
    Color = clDefault;
    CreateHandle(nullptr, WS_CLIPCHILDREN | WS_TABSTOP, WS_EX_CLIENTEDGE);
    menu_ = new TTextEditorPopupMenu(this);
    RecalcMetrics();
}

TTextEditor::~TTextEditor() {
    DestroyCaretShape();
    // The row list calls back while it goes: no window work from here on.
    updating_ = 1;
    ReleaseFonts();
}

void TTextEditor::ReleaseFonts() {
    for (gdi::Font& f : fonts_) f.Reset();
}

HFONT TTextEditor::FontFor(TFontStyles style) {
    style &= 0x0F;
    gdi::Font& f = fonts_[style];
    if (!f) {
        const TFont& font = EffectiveFont();
        f.Reset(CreateFontA(-font.Height, 0, 0, 0, (style & fsBold) ? FW_BOLD : FW_NORMAL,
                        (style & fsItalic) != 0, (style & fsUnderline) != 0,
                        (style & fsStrikeOut) != 0, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                        font.Name.c_str()));
    }
    return f;
}

TFontStyles TTextEditor::FontStyle() const {
    return EffectiveFont().Styles();
}

COLORREF TTextEditor::ControlColor() const { return ResolveColor(Color, COLOR_WINDOW); }
COLORREF TTextEditor::FontColor() const { return ResolveColor(EffectiveFont().Color, COLOR_WINDOWTEXT); }

COLORREF TTextEditor::Resolve(TColor c) {
    if ((c & 0xFF000000u) == 0xFF000000u) return GetSysColor(static_cast<int>(c & 0xFF));
    return static_cast<COLORREF>(c & 0x00FFFFFFu);
}

void TTextEditor::FontChanged() {
    ReleaseFonts();
    RecalcMetrics();
    TWinControl::FontChanged();
    if (caret_created_) CreateCaretShape();
}

void TTextEditor::SetBorderStyle(TBorderStyle b) {
    if (b == border_) return;
    border_ = b;
    if (!handle_) return;
    LONG ex = GetWindowLongA(handle_, GWL_EXSTYLE);
    ex = b == bsNone ? (ex & ~WS_EX_CLIENTEDGE) : (ex | WS_EX_CLIENTEDGE);
    SetWindowLongA(handle_, GWL_EXSTYLE, ex);
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TTextEditor::SetScrollBars(TScrollStyle s) {
    if (s == scroll_bars_) return;
    scroll_bars_ = s;
    if (handle_) {
        ShowScrollBar(handle_, SB_HORZ, (s & ssHorizontal) != 0);
        ShowScrollBar(handle_, SB_VERT, (s & ssVertical) != 0);
    }
    RecalcMetrics();
}

void TTextEditor::SetWordWrap(bool v) {
    if (v == WordWrap()) return;
    TTextEditorModel::SetWordWrap(v);
    RecalcMetrics();
}

void TTextEditor::RecalcMetrics() {
    if (updating_ > 0 && !handle_) return;
    const TFont& font = EffectiveFont();
    TEXTMETRICA tm{};
    {
        gdi::WindowDC dc;
        gdi::Select f(dc, FontFor(FontStyle()));
        GetTextMetricsA(dc, &tm);
    }
    font_height_ = std::max<int>(1, tm.tmHeight + tm.tmExternalLeading);
    col_width_ = std::max<int>(1, tm.tmAveCharWidth + MarginOptions().Character());
    row_height_ = font_height_ + MarginOptions().Line() + (MarksOptions().Underline().Visible() ? 1 : 0);
    if (row_height_ < 1) row_height_ = 1;
    advance_.assign(kAdvanceEntries, col_width_);
    italic_ = font.Italic || View().Colors().AnyItalic() || View().Brackets().AnyItalic();

    RECT rc{0, 0, width_, height_};
    if (handle_) GetClientRect(handle_, &rc);
    int h = rc.bottom - MarginOptions().Top() - 5;
    if (scroll_bars_ & ssHorizontal) h -= GetSystemMetrics(SM_CYHSCROLL);
    int w = rc.right - MarginOptions().Left() - col_width_ / 2;
    if (scroll_bars_ & ssVertical) w -= GetSystemMetrics(SM_CXVSCROLL);
    visible_rows_ = std::max(1, h / row_height_);
    visible_cols_ = std::max(1, w / col_width_);
    SetVisibleRowCount(visible_rows_);

    top_row_ = std::clamp(top_row_, 0, std::max(0, List().Count()));
    top_col_ = std::clamp(top_col_, 0, MaxTopCol());
    UpdateScrollBars();
    if (caret_created_) CreateCaretShape();
    Invalidate();
}

int TTextEditor::MaxTopRow() const { return std::max(0, List().Count() - 1); }
int TTextEditor::MaxTopCol() const { return kHorizontalPixels / col_width_; }

void TTextEditor::UpdateScrollBars() {
    if (!handle_ || updating_ > 0) return;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    if (scroll_bars_ & ssVertical) {
        si.nMin = 0;
        si.nMax = std::max(visible_rows_, List().Count() + visible_rows_ - 2);
        si.nPage = static_cast<UINT>(visible_rows_);
        si.nPos = top_row_;
        SetScrollInfo(handle_, SB_VERT, &si, TRUE);
    }
    if (scroll_bars_ & ssHorizontal) {
        si.nMin = 0;
        si.nMax = MaxTopCol() + visible_cols_ - 1;
        si.nPage = static_cast<UINT>(visible_cols_);
        si.nPos = top_col_;
        SetScrollInfo(handle_, SB_HORZ, &si, TRUE);
    }
}

void TTextEditor::SetTopRow(int r) {
    r = std::clamp(r, 0, std::max(0, List().Count()));
    if (r == top_row_) return;
    const int diff = top_row_ - r;
    top_row_ = r;
    if (handle_) {
        if (std::abs(diff) > visible_rows_ + 1) {
            InvalidateRect(handle_, nullptr, FALSE);
        } else {
            RECT rc;
            GetClientRect(handle_, &rc);
            rc.top = MarginOptions().Top();
            ScrollWindowEx(handle_, 0, diff * row_height_, &rc, &rc, nullptr, nullptr, SW_INVALIDATE);
        }
        if (scroll_bars_ & ssVertical) SetScrollPos(handle_, SB_VERT, top_row_, TRUE);
    }
    UpdateCaret();
    Fire(OnTopRowChange, this);
}

void TTextEditor::SetTopCol(int c) {
    c = std::clamp(c, 0, MaxTopCol());
    if (c == top_col_) return;
    const int diff = top_col_ - c;
    top_col_ = c;
    if (handle_) {
        RECT rc;
        GetClientRect(handle_, &rc);
        rc.left = MarginOptions().Left();
        if (std::abs(diff) > visible_cols_ + 1)
            InvalidateRect(handle_, &rc, FALSE);
        else
            ScrollWindowEx(handle_, diff * col_width_, 0, &rc, &rc, nullptr, nullptr, SW_INVALIDATE);
        if (scroll_bars_ & ssHorizontal) SetScrollPos(handle_, SB_HORZ, top_col_, TRUE);
    }
    UpdateCaret();
    Fire(OnTopColChange, this);
}

void TTextEditor::ScrollBy(int rows, int cols) {
    if (rows) {
        const int target = std::clamp(top_row_ + rows, 0, MaxTopRow());
        const int step = target - top_row_;
        if (step == 0) return;
        SetTopRow(target);
        if (CaretOptions().LockScroll()) SetRow(Row() + step);
    }
    if (cols) {
        const int target = std::clamp(top_col_ + cols, 0, MaxTopCol());
        if (target != top_col_) SetTopCol(target);
    }
}

// --- caret ------------------------------------------------------------------

ColumnLayout TTextEditor::Layout() const {
    ColumnLayout l;
    l.tab_space_count = TabSpaceCount();
    l.wrap_byte = WordWrap() ? List().WrapOption().WrapByte() : 0;
    l.delimiters = &Delimiters();
    return l;
}

std::string_view TTextEditor::RowText(int row) const {
    if (row < 0 || row >= List().Count()) return {};
    return List().Strings(row);
}

std::string TTextEditor::RowMap(int row) const { return ColumnMap(RowText(row), Layout()); }

int TTextEditor::RowCols(int row) const { return ColumnCount(RowText(row), Layout()); }

int TTextEditor::NormalizeCol(int row, int col, int dir) const {
    if (col < 0) col = 0;
    const std::string map = RowMap(row);
    const int size = static_cast<int>(map.size());
    if (!CaretOptions().FreeCaret() && col > size) col = size;
    if (col < size && map[col] == '5') col += dir > 0 ? 1 : -1;
    if (!CaretOptions().InTab() && col < size && map[col] == '3') {
        if (dir > 0) {
            while (col < size && map[col] == '3') ++col;
        } else {
            while (col > 0 && map[col] == '3') --col;
        }
    }
    if (WordWrap()) {
        if (List().Attribute(row) == raWrapped)
            col = std::min(col, LastCharColumn(map));
        else
            col = std::min(col, List().WrapOption().WrapByte() - 1);
    }
    col = std::min(col, MaxTopCol() + visible_cols_);
    return std::max(col, 0);
}

void TTextEditor::MoveCaret(int row, int col, int dir) {
    ++caret_batch_;
    TTextEditorModel::SetRow(row);
    TTextEditorModel::SetCol(NormalizeCol(Row(), col, dir));
    --caret_batch_;
    CaretMoved();
}

void TTextEditor::SetRow(int r) { MoveCaret(r, Col(), 0); }
void TTextEditor::SetCol(int c) { MoveCaret(Row(), c, 0); }
void TTextEditor::SetCaret(int row, int col) { MoveCaret(row, col, 0); }

void TTextEditor::CaretMoved() {
    if (caret_batch_ > 0) return;
    // Moves made by the engine (and changed caret options) are normalised too.
    const int col = NormalizeCol(Row(), Col(), 0);
    if (col != Col()) {
        ++caret_batch_;
        TTextEditorModel::SetCol(col);
        --caret_batch_;
    }
    if (MarksOptions().Underline().Visible() && underline_row_ != Row()) {
        InvalidateRow(underline_row_);
        InvalidateRow(Row());
    }
    underline_row_ = Row();
    if (caret_created_) CreateCaretShape();
    UpdateCaret();
    Fire(OnCaretMoved, this);
}

void TTextEditor::SetOverwrite(bool v) {
    if (v == overwrite_) return;
    overwrite_ = v;
    if (caret_created_) CreateCaretShape();
}

POINT TTextEditor::CaretPixelPos() const {
    return POINT{MarginOptions().Left() + (Col() - top_col_) * col_width_,
                 MarginOptions().Top() + (Row() - top_row_) * row_height_};
}

void TTextEditor::CreateCaretShape() {
    if (!handle_) return;
    const std::string map = RowMap(Row());
    const bool lead = Col() < static_cast<int>(map.size()) && map[Col()] == '4';
    const int char_w = col_width_ * (lead ? 2 : 1);
    int w = 2, h = font_height_;
    if (overwrite_) {
        w = char_w;
    } else if (CaretOptions().Style() == csBrief) {
        w = char_w;
        h = 2;
    }
    DestroyCaret();
    ::CreateCaret(handle_, nullptr, w, h);
    caret_created_ = true;
    UpdateCaret();
    ShowCaret(handle_);
}

void TTextEditor::UpdateCaret() {
    if (!caret_created_ || !handle_) return;
    POINT p = CaretPixelPos();
    if (!overwrite_ && CaretOptions().Style() == csBrief) p.y += font_height_ - 2;
    if (p.x < MarginOptions().Left() - 1) p.x = -100;
    SetCaretPos(p.x, p.y);
}

void TTextEditor::DestroyCaretShape() {
    if (!caret_created_) return;
    caret_created_ = false;
    DestroyCaret();
}

void TTextEditor::EnsureCaretVisible() {
    if (Row() < top_row_)
        SetTopRow(Row());
    else if (Row() >= top_row_ + visible_rows_)
        SetTopRow(Row() - visible_rows_ + 1);
    if (Col() < top_col_)
        SetTopCol(Col());
    else if (Col() >= top_col_ + visible_cols_)
        SetTopCol(Col() - visible_cols_ + 1);
}

void TTextEditor::CaretToPoint(int x, int y) {
    const int row = (y - MarginOptions().Top()) / row_height_ + top_row_;
    TTextEditorModel::SetRow(row);
    int col = (x - MarginOptions().Left()) / col_width_ + top_col_;
    const std::string map = RowMap(Row());
    if (col >= 0 && col < static_cast<int>(map.size()) && map[col] == '5') --col;
    MoveCaret(Row(), col, 0);
}

// --- engine hooks -----------------------------------------------------------

void TTextEditor::InvalidateRow(int row) {
    if (!handle_ || row < top_row_ || row > top_row_ + visible_rows_ + 1) return;
    RECT rc;
    GetClientRect(handle_, &rc);
    rc.top = MarginOptions().Top() + (row - top_row_) * row_height_;
    rc.bottom = rc.top + row_height_;
    InvalidateRect(handle_, &rc, FALSE);
}

void TTextEditor::InvalidateRows(int first, int last) {
    if (!handle_) return;
    first = std::max(first, top_row_);
    last = std::min(last, top_row_ + visible_rows_ + 1);
    if (first > last) return;
    RECT rc;
    GetClientRect(handle_, &rc);
    rc.top = MarginOptions().Top() + (first - top_row_) * row_height_;
    rc.bottom = MarginOptions().Top() + (last - top_row_ + 1) * row_height_;
    InvalidateRect(handle_, &rc, FALSE);
}

void TTextEditor::ListChanged() {
    TTextEditorModel::ListChanged();
    if (updating_ == 0) {
        const TUpdateInfo& u = List().UpdateInfo();
        const int delta = u.NewCount - u.OldCount;
        if (u.Updated && delta == 0) {
            InvalidateRows(u.FirstRow, u.FirstRow + u.NewCount - 1);
        } else if (u.Updated && handle_ && u.FirstRow >= top_row_ && std::abs(delta) <= visible_rows_) {
            // The rows below the change only moved: shift their pixels and
            // repaint just the replaced rows and the uncovered strip.
            RECT rc;
            GetClientRect(handle_, &rc);
            rc.top = MarginOptions().Top() + (u.FirstRow + std::min(u.OldCount, u.NewCount) - top_row_) * row_height_;
            if (rc.top < rc.bottom)
                ScrollWindowEx(handle_, 0, delta * row_height_, &rc, &rc, nullptr, nullptr, SW_INVALIDATE);
            InvalidateRows(u.FirstRow, u.FirstRow + u.NewCount - 1);
        } else if (u.Updated) {
            InvalidateRows(u.FirstRow, top_row_ + visible_rows_ + 1);
        } else {
            Invalidate();
        }
        UpdateScrollBars();
    }
    Fire(OnChange, this);
}

void TTextEditor::LinesUpdating(bool begin) {
    if (begin) {
        ++updating_;
        return;
    }
    if (updating_ > 0) --updating_;
    if (updating_ == 0) {
        top_row_ = std::clamp(top_row_, 0, std::max(0, List().Count()));
        UpdateScrollBars();
        Invalidate();
    }
}

// --- messages -----------------------------------------------------------------

LRESULT TTextEditor::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
        if (WantTabs) code |= DLGC_WANTTAB;
        if (WantReturns) code |= DLGC_WANTALLKEYS;
        return code;
    }
    case WM_SIZE:
        TWinControl::WndProc(msg, wp, lp);
        RecalcMetrics();
        return 0;
    case WM_PAINT:
        gdi::PaintBuffered(handle_, [this](HDC dc, const RECT&) { PaintWindow(dc); });
        return 0;
    case WM_SETFOCUS:
        CreateCaretShape();
        break;
    case WM_KILLFOCUS:
        DestroyCaretShape();
        break;
    case WM_SETCURSOR:
        if (Screen.Cursor() != crDefault) break;
        if (LOWORD(lp) == HTCLIENT) {
            SetCursor(LoadCursor(nullptr, Cursor == crHandPoint ? IDC_HAND
                                          : Cursor == crHourGlass ? IDC_WAIT
                                          : Cursor == crIBeam     ? IDC_IBEAM
                                                                  : IDC_ARROW));
            return TRUE;
        }
        break;
    case WM_VSCROLL:
    case WM_HSCROLL: {
        const bool vert = msg == WM_VSCROLL;
        const int page = std::max(1, vert ? visible_rows_ : visible_cols_);
        const int top = vert ? top_row_ : top_col_;
        const int max_top = vert ? MaxTopRow() : MaxTopCol();
        int target = top;
        switch (LOWORD(wp)) {
        case SB_LINEUP: target = top - 1; break;
        case SB_LINEDOWN: target = top + 1; break;
        case SB_PAGEUP: target = top - page; break;
        case SB_PAGEDOWN: target = top + page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            if (vert) {
                SCROLLINFO si{};
                si.cbSize = sizeof si;
                si.fMask = SIF_TRACKPOS;
                GetScrollInfo(handle_, SB_VERT, &si);
                target = si.nTrackPos;
            } else {
                target = static_cast<short>(HIWORD(wp));
            }
            break;
        }
        case SB_TOP: target = 0; break;
        case SB_BOTTOM: target = max_top; break;
        default: return 0;
        }
        target = std::clamp(target, 0, max_top);
        if (vert)
            ScrollBy(target - top, 0);
        else
            ScrollBy(0, target - top);
        return 0;
    }
    case WM_LBUTTONDOWN:
        SetFocus();
        SetCapture(handle_);
        mouse_down_ = true;
        MouseDown(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)), MouseShift(wp));
        break;
    case WM_RBUTTONDOWN:
        SetFocus();
        break;
    case WM_MOUSEMOVE:
        if (mouse_down_ && (wp & MK_LBUTTON))
            MouseMove(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
        break;
    case WM_LBUTTONUP:
        mouse_down_ = false;
        if (GetCapture() == handle_) ReleaseCapture();
        break;
    case WM_CAPTURECHANGED:
        mouse_down_ = false;
        break;
    case WM_CONTEXTMENU: {
        int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
        if (x == -1 && y == -1) {
            POINT p = CaretPixelPos();
            ClientToScreen(handle_, &p);
            x = p.x;
            y = p.y + row_height_;
        }
        ShowPopup(x, y);
        return 0;
    }
    case WM_KEYDOWN: {
        WORD key = static_cast<WORD>(wp);
        if (OnKeyDown) OnKeyDown(this, key, KeyboardShiftState());
        if (key) KeyDown(key, KeyboardShiftState());
        return 0;
    }
    case WM_IME_STARTCOMPOSITION:
        // Composition happens at the caret in the control's own font; the
        // result arrives as lead and trail bytes through WM_CHAR.
        if (HIMC imc = ImmGetContext(handle_)) {
            COMPOSITIONFORM cf{};
            cf.dwStyle = CFS_POINT;
            cf.ptCurrentPos = CaretPixelPos();
            ImmSetCompositionWindow(imc, &cf);
            LOGFONTA lf{};
            if (GetObjectA(FontFor(0), sizeof lf, &lf)) ImmSetCompositionFontA(imc, &lf);
            ImmReleaseContext(handle_, imc);
        }
        break;
    case WM_CHAR: {
        char ch = static_cast<char>(wp);
        if (OnKeyPress) OnKeyPress(this, ch);
        if (ch) KeyPress(static_cast<unsigned char>(ch));
        return 0;
    }
    case WM_MOUSEWHEEL: {
        const int delta = static_cast<short>(HIWORD(wp));
        ScrollBy(delta > 0 ? -3 : 3, 0);
        return 0;
    }
    default: break;
    }
    return TWinControl::WndProc(msg, wp, lp);
}

void TTextEditor::ShowPopup(int x, int y) {
    TPopupMenu* menu = PopupMenu ? PopupMenu : menu_;
    if (!menu) return;
    menu->PopupComponent = this;
    menu->Popup(handle_, x, y);
}
