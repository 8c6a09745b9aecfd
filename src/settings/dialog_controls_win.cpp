#include "settings/dialog_controls_win.h"

#include <algorithm>
#include <cstdlib>

#include "base/sjis.h"
#include "ui/gdi.h"

namespace {
std::string WindowText(HWND h) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(h)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(h, &text[0], static_cast<int>(text.size()))));
    return text;
}

// One radio button of a TRadioGroup; it tells the group when it is picked.
class TRadioItem : public TWinControl {
public:
    TRadioItem(TComponent* owner, TRadioGroup* group, int index)
        : TWinControl(owner, group), group_(group), index_(index) {
        width_ = 120;
        height_ = 18;
        CreateHandle("BUTTON", WS_TABSTOP | BS_RADIOBUTTON);
    }

protected:
    void CommandNotify(WORD code) override {
        if (code == BN_CLICKED) group_->ItemClicked(index_);
    }

private:
    TRadioGroup* group_;
    int index_;
};
}  // namespace

// ---------------------------------------------------------------------------
// TEdit

TEdit::TEdit(TComponent* owner, TWinControl* parent, bool multiLine) : TWinControl(owner, parent) {
    width_ = 121;
    height_ = multiLine ? 89 : 22;
    const DWORD style = multiLine ? ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL
                                  : ES_AUTOHSCROLL | WS_TABSTOP;
    CreateHandle("EDIT", style, WS_EX_CLIENTEDGE);
}

std::string TEdit::Text() const { return handle_ ? WindowText(handle_) : std::string(); }

void TEdit::SetText(const std::string& text) {
    if (handle_) SetWindowTextA(handle_, text.c_str());
}

void TEdit::SetMaxLength(int n) { SendMessageA(handle_, EM_SETLIMITTEXT, n, 0); }

void TEdit::SelectAll() { SendMessageA(handle_, EM_SETSEL, 0, -1); }

void TEdit::CommandNotify(WORD code) {
    if (code == EN_CHANGE) Fire(OnChange, this);
}

// ---------------------------------------------------------------------------
// TSpinEdit

TSpinEdit::TSpinEdit(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) {
    width_ = 60;
    height_ = 22;
    CreateHandle(nullptr, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
    edit_ = new TEdit(owner, this);
    edit_->SetBounds(0, 0, width_, height_);
    edit_->OnChange = [this](TObject*) { Fire(OnChange, this); };
    updown_ = CreateWindowExA(0, UPDOWN_CLASSA, "",
                              WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS |
                                  UDS_NOTHOUSANDS,
                              0, 0, 0, 0, handle_, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(updown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit_->Handle()), 0);
    SetRange(min_, max_, increment_);
}

void TSpinEdit::SetRange(int minValue, int maxValue, int increment) {
    const int value = Value();
    min_ = minValue;
    max_ = std::max(minValue, maxValue);
    increment_ = std::max(1, increment);
    SendMessageA(updown_, UDM_SETRANGE32, min_, max_);
    UDACCEL accel{0, static_cast<UINT>(increment_)};
    SendMessageA(updown_, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    if (edit_->Text().empty() || value != Value()) SetValue(value);
}

int TSpinEdit::Value() const {
    const std::string text = edit_->Text();
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || end == text.c_str()) return min_;
    return static_cast<int>(std::clamp<long>(v, min_, max_));
}

void TSpinEdit::SetValue(int v) {
    v = std::clamp(v, min_, max_);
    const std::string text = std::to_string(v);
    if (edit_->Text() != text) edit_->SetText(text);
    SendMessageA(updown_, UDM_SETPOS32, 0, v);
}

void TSpinEdit::BoundsChanged() {
    TWinControl::BoundsChanged();
    if (!updown_) return;
    // The arrows take their room from the field again at the new size.
    edit_->SetBounds(0, 0, width_, height_);
    SendMessageA(updown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit_->Handle()), 0);
    RECT r;
    GetWindowRect(edit_->Handle(), &r);
    edit_->SetBounds(0, 0, r.right - r.left, height_);
}

void TSpinEdit::EnabledChanged() {
    TWinControl::EnabledChanged();
    edit_->SetEnabled(Enabled());
    EnableWindow(updown_, Enabled());
}

// ---------------------------------------------------------------------------
// TListBox

TListBox::TListBox(TComponent* owner, TWinControl* parent, bool ownerDraw, int itemHeight)
    : TWinControl(owner, parent) {
    width_ = 121;
    height_ = 97;
    DWORD style = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    if (ownerDraw) style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    CreateHandle("LISTBOX", style, WS_EX_CLIENTEDGE);
    if (ownerDraw) SendMessageA(handle_, LB_SETITEMHEIGHT, 0, itemHeight);
}

int TListBox::Count() const { return static_cast<int>(SendMessageA(handle_, LB_GETCOUNT, 0, 0)); }

std::string TListBox::Strings(int i) const {
    const LRESULT len = SendMessageA(handle_, LB_GETTEXTLEN, i, 0);
    if (len == LB_ERR) return std::string();
    std::string s(static_cast<std::size_t>(len) + 1, '\0');
    const LRESULT got = SendMessageA(handle_, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&s[0]));
    s.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return s;
}

void TListBox::SetStrings(int i, const std::string& s) {
    if (i < 0 || i >= Count()) return;
    const int selected = ItemIndex();
    SendMessageA(handle_, LB_DELETESTRING, i, 0);
    SendMessageA(handle_, LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(s.c_str()));
    if (selected == i) SetItemIndex(i);
}

std::vector<std::string> TListBox::Items() const {
    std::vector<std::string> items;
    for (int i = 0; i < Count(); ++i) items.push_back(Strings(i));
    return items;
}

void TListBox::SetItems(const std::vector<std::string>& items) {
    SendMessageA(handle_, WM_SETREDRAW, FALSE, 0);
    Clear();
    for (const std::string& s : items) Add(s);
    SendMessageA(handle_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(handle_, nullptr, TRUE);
}

int TListBox::Add(const std::string& s) {
    return static_cast<int>(SendMessageA(handle_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str())));
}

void TListBox::Delete(int i) { SendMessageA(handle_, LB_DELETESTRING, i, 0); }

void TListBox::Clear() { SendMessageA(handle_, LB_RESETCONTENT, 0, 0); }

int TListBox::ItemIndex() const {
    const LRESULT i = SendMessageA(handle_, LB_GETCURSEL, 0, 0);
    return i == LB_ERR ? -1 : static_cast<int>(i);
}

void TListBox::SetItemIndex(int i) { SendMessageA(handle_, LB_SETCURSEL, i, 0); }

int TListBox::IndexOf(const std::string& s) const {
    for (int i = 0; i < Count(); ++i) {
        if (SjisSameText(Strings(i), s)) return i;
    }
    return -1;
}

void TListBox::CommandNotify(WORD code) {
    if (code == LBN_SELCHANGE) Fire(OnClick, this);
}

bool TListBox::DrawItem(const DRAWITEMSTRUCT& di) {
    if (di.itemID == static_cast<UINT>(-1)) return true;
    const bool selected = (di.itemState & ODS_SELECTED) != 0;
    if (OnDrawItem) {
        OnDrawItem(this, static_cast<int>(di.itemID), di.hDC, di.rcItem, selected);
    } else {
        FillRect(di.hDC, &di.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        SetBkMode(di.hDC, TRANSPARENT);
        SetTextColor(di.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        RECT r = di.rcItem;
        r.left += 2;
        const std::string s = Strings(static_cast<int>(di.itemID));
        DrawTextA(di.hDC, s.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (di.itemState & ODS_FOCUS) DrawFocusRect(di.hDC, &di.rcItem);
    return true;
}


// ---------------------------------------------------------------------------
// TRadioGroup

TRadioGroup::TRadioGroup(TComponent* owner, TWinControl* parent) : TGroupBox(owner, parent) {}

void TRadioGroup::SetItems(const std::vector<std::string>& items) {
    for (TWinControl* b : buttons_) delete b;
    buttons_.clear();
    for (const std::string& caption : items) {
        auto* b = new TRadioItem(Owner(), this, Count());
        b->SetCaption(caption);
        buttons_.push_back(b);
    }
    Arrange();
}

void TRadioGroup::Arrange() {
    const int top = EffectiveFont().Height + 4;
    const int rows = std::max(1, Count());
    const int step = std::max(18, (height_ - top - 4) / rows);
    for (int i = 0; i < Count(); ++i) buttons_[i]->SetBounds(10, top + i * step, std::max(20, width_ - 16), 18);
}

void TRadioGroup::BoundsChanged() {
    TGroupBox::BoundsChanged();
    Arrange();
}

int TRadioGroup::ItemIndex() const {
    for (int i = 0; i < Count(); ++i) {
        if (SendMessageA(buttons_[i]->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED) return i;
    }
    return -1;
}

void TRadioGroup::SetItemIndex(int index) {
    for (int i = 0; i < Count(); ++i)
        SendMessageA(buttons_[i]->Handle(), BM_SETCHECK, i == index ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioGroup::ItemClicked(int i) {
    SetItemIndex(i);
    Fire(OnClick, this);
}

// ---------------------------------------------------------------------------
// TColorGrid

const TColor TColorGrid::kColors[16] = {clBlack, clMaroon, clGreen, clOlive, clNavy,   clPurple, clTeal, clGray,
                                        clSilver, clRed,  clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};

TColorGrid::TColorGrid(TComponent* owner, TWinControl* parent) : TGraphicControl(owner, parent) {
    width_ = 100;
    height_ = 100;
}

int TColorGrid::IndexOf(TColor c) {
    for (int i = 0; i < 16; ++i) {
        if (kColors[i] == c) return i;
    }
    return -1;
}

void TColorGrid::SetSelection(TColor foreground, TColor background) {
    fg_ = IndexOf(foreground);
    bg_ = IndexOf(background);
    Invalidate();
}

int TColorGrid::CellAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return -1;
    const int col = x * 4 / std::max(1, width_), row = y * 4 / std::max(1, height_);
    return row * 4 + col;
}

void TColorGrid::Paint(HDC dc) {
    const TFont small = TFont::Of(11, true);
    gdi::Select font(dc, small.Handle());
    SetBkMode(dc, TRANSPARENT);
    for (int i = 0; i < 16; ++i) {
        RECT r{left_ + (i % 4) * width_ / 4, top_ + (i / 4) * height_ / 4, left_ + (i % 4 + 1) * width_ / 4,
               top_ + (i / 4 + 1) * height_ / 4};
        gdi::FillSolid(dc, r, kColors[i]);
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
        const char* mark = i == fg_ && i == bg_ ? "FB" : i == fg_ ? "FG" : i == bg_ ? "BG" : nullptr;
        if (!mark) continue;
        // Light text on dark cells, dark text on light ones.
        const TColor c = kColors[i];
        const int light = (c & 0xFF) * 3 + ((c >> 8) & 0xFF) * 6 + ((c >> 16) & 0xFF);
        SetTextColor(dc, light > 1000 ? RGB(0, 0, 0) : RGB(255, 255, 255));
        DrawTextA(dc, mark, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

void TColorGrid::MouseDown(int button, TShiftState, int x, int y) {
    const int cell = CellAt(x, y);
    if (cell < 0) return;
    (button == 0 ? fg_ : bg_) = cell;
    Invalidate();
    Fire(OnSelect, this, button, kColors[cell]);
}
