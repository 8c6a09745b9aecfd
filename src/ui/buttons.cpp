#include "ui/buttons.h"

#include <algorithm>

#include "ui/forms.h"
#include "ui/gdi.h"

TSpeedButton::TSpeedButton(TComponent* owner, TWinControl* parent) : TGraphicControl(owner, parent) {
    width_ = 23;
    height_ = 22;
}

void TSpeedButton::SetDown(bool d) {
    if (d == down_) return;
    down_ = d;
    if (d && GroupIndex > 0 && parent_) {
        for (TControl* c : parent_->Controls()) {
            auto* b = dynamic_cast<TSpeedButton*>(c);
            if (b && b != this && b->GroupIndex == GroupIndex) b->SetDown(false);
        }
    }
    Invalidate();
}

void TSpeedButton::SetGlyph(TGlyph glyph) {
    glyph_ = std::move(glyph);
    Invalidate();
}

void TSpeedButton::Click() {
    if (GroupIndex > 0) SetDown(AllowAllUp ? !down_ : true);
    TGraphicControl::Click();
}

void TSpeedButton::MouseDown(int button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button == 0 && !(shift & ssDouble)) {
        pressed_ = true;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(int button, TShiftState shift, int x, int y) {
    pressed_ = false;
    Invalidate();
    TGraphicControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
    if (!hot_) {
        hot_ = true;
        Invalidate();
    }
    TGraphicControl::MouseMove(shift, x, y);
}

void TSpeedButton::MouseLeave() {
    hot_ = false;
    Invalidate();
}

void TSpeedButton::Paint(HDC dc) {
    RECT r = BoundsRect();
    bool sunken = pressed_ || down_;
    if (!Flat || hot_ || sunken) {
        DrawEdge(dc, &r, sunken ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
    InflateRect(&r, -3, -1);
    if (sunken) OffsetRect(&r, 1, 1);
    if (glyph_) {
        const int side = std::min<int>(16, std::min(r.right - r.left, r.bottom - r.top));
        RECT g{r.left, r.top + (r.bottom - r.top - side) / 2, r.left + side, r.top + (r.bottom - r.top - side) / 2 + side};
        if (caption_.empty()) OffsetRect(&g, (r.right - r.left - side) / 2, 0);
        {
            gdi::SavedDC saved(dc);
            glyph_(dc, g, enabled_);
        }
        if (caption_.empty()) return;
        r.left = g.right + 4;
    }
    gdi::Select font(dc, EffectiveFont().Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, enabled_ ? ResolveColor(EffectiveFont().Color, COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT));
    UINT fmt = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    fmt |= Alignment == taCenter ? DT_CENTER : Alignment == taRightJustify ? DT_RIGHT : DT_LEFT;
    DrawTextA(dc, caption_.c_str(), -1, &r, fmt);
}

TStatusBar::TStatusBar(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) {
    height_ = 19;
    align_ = alBottom;
    CreateHandle(STATUSCLASSNAMEA, SBARS_SIZEGRIP | CCS_NOPARENTALIGN | CCS_NORESIZE);
}

TStatusBar::TStatusPanel& TStatusBar::AddPanel(int width, const std::string& text, bool bevel) {
    panels_.push_back({width, text, bevel});
    ApplyPanels();
    return panels_.back();
}

void TStatusBar::SetPanelText(std::size_t i, const std::string& text) {
    if (i >= panels_.size()) return;
    panels_[i].Text = text;
    SendMessageA(handle_, SB_SETTEXTA, i | (panels_[i].Bevel ? 0 : SBT_NOBORDERS),
                 reinterpret_cast<LPARAM>(panels_[i].Text.c_str()));
}

void TStatusBar::ApplyPanels() {
    std::vector<int> edges;
    int x = 0;
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        x += panels_[i].Width;
        // The last panel takes the rest of the bar.
        edges.push_back(i + 1 == panels_.size() ? -1 : x);
    }
    SendMessageA(handle_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (std::size_t i = 0; i < panels_.size(); ++i) SetPanelText(i, panels_[i].Text);
}

LRESULT TStatusBar::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SIZE) {
        // The bar keeps the bounds its parent's alignment gives it.
        return DefaultProc(msg, wp, lp);
    }
    return TWinControl::WndProc(msg, wp, lp);
}

TButton::TButton(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) {
    width_ = 75;
    height_ = 25;
    CreateHandle("BUTTON", WS_TABSTOP | BS_PUSHBUTTON);
}

void TButton::Click() {
    TWinControl::Click();
    if (ModalResult) {
        for (TWinControl* p = parent_; p; p = p->Parent()) {
            if (auto* form = dynamic_cast<TForm*>(p)) {
                form->SetModalResult(ModalResult);
                break;
            }
        }
    }
}

void TButton::CommandNotify(WORD code) {
    if (code == BN_CLICKED) Click();
}

void TButton::FontChanged() {
    const bool ownDraw = EffectiveFont().Color != clDefault;
    LONG style = GetWindowLongA(handle_, GWL_STYLE);
    const LONG type = ownDraw ? BS_OWNERDRAW : BS_PUSHBUTTON;
    if ((style & BS_TYPEMASK) != type) SetWindowLongA(handle_, GWL_STYLE, (style & ~BS_TYPEMASK) | type);
    TWinControl::FontChanged();
}

bool TButton::DrawItem(const DRAWITEMSTRUCT& di) {
    HDC dc = di.hDC;
    RECT r = di.rcItem;
    const bool pressed = di.itemState & ODS_SELECTED;
    gdi::FillSolid(dc, r, ResolveColor(Color, COLOR_BTNFACE));
    DrawEdge(dc, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    if (pressed) OffsetRect(&r, 1, 1);
    {
        gdi::Select font(dc, EffectiveFont().Handle());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, di.itemState & ODS_DISABLED ? GetSysColor(COLOR_GRAYTEXT)
                                                     : ResolveColor(EffectiveFont().Color, COLOR_BTNTEXT));
        DrawTextA(dc, Caption().c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    if (di.itemState & ODS_FOCUS) {
        InflateRect(&r, -2, -2);
        DrawFocusRect(dc, &r);
    }
    return true;
}

TCheckBox::TCheckBox(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) {
    width_ = 97;
    height_ = 17;
    CreateHandle("BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX);
}

bool TCheckBox::Checked() const {
    return handle_ && SendMessageA(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool c) {
    if (c == Checked()) return;
    SendMessageA(handle_, BM_SETCHECK, c ? BST_CHECKED : BST_UNCHECKED, 0);
    Fire(OnChange, this);
}

void TCheckBox::CommandNotify(WORD code) {
    if (code == BN_CLICKED) {
        Fire(OnChange, this);
        Click();
    }
}
