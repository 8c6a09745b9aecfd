#include "ui/controls.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "ui/gdi.h"
#include "ui/screen.h"

LRESULT CALLBACK QmWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK QmSubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

namespace {
const char kControlProp[] = "QmControl";
const char kWindowClass[] = "QmWindow";

void RegisterClassNamed(const char* name) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = QmWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
}

void EnsureWindowClass() {
    static bool registered = false;
    if (registered) return;
    RegisterClassNamed(kWindowClass);
    registered = true;
}
}  // namespace

COLORREF ResolveColor(TColor c, int sysColor) {
    if (c == clDefault) return GetSysColor(sysColor);
    if (IsSystemColor(c)) return GetSysColor(static_cast<int>(c & 0xFF));
    return c;
}

// ---------------------------------------------------------------------------
// Fonts

struct TFont::Shared {
    using Key = std::tuple<std::string, int, bool, bool, bool, bool>;
    Key key;
    gdi::Font font;
};

namespace {
// Equal fonts share one handle. The cache itself holds only the few most
// recently asked for (so a font made for one paint is not made again at the
// next); every other handle lives exactly as long as a TFont holding it.
class FontCache {
public:
    std::shared_ptr<const TFont::Shared> Get(const TFont::Shared::Key& key, const TFont& f) {
        std::shared_ptr<const TFont::Shared> h;
        auto it = all_.find(key);
        if (it != all_.end()) h = it->second.lock();
        if (!h) {
            auto made = std::make_shared<TFont::Shared>();
            made->key = key;
            made->font.Reset(CreateFontA(-f.Height, 0, 0, 0, f.Bold ? FW_BOLD : FW_NORMAL, f.Italic,
                                         f.Underline, f.StrikeOut, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                         f.Name.c_str()));
            h = made;
            Prune();
            all_[key] = h;
        }
        recent_.erase(std::remove(recent_.begin(), recent_.end(), h), recent_.end());
        recent_.insert(recent_.begin(), h);
        if (recent_.size() > kRecent) recent_.pop_back();
        return h;
    }
    std::size_t Live() {
        Prune();
        return all_.size();
    }

private:
    static constexpr std::size_t kRecent = 16;
    void Prune() {
        for (auto it = all_.begin(); it != all_.end();) it = it->second.expired() ? all_.erase(it) : std::next(it);
    }
    std::map<TFont::Shared::Key, std::weak_ptr<const TFont::Shared>> all_;
    std::vector<std::shared_ptr<const TFont::Shared>> recent_;
};

FontCache& Fonts() {
    static FontCache cache;
    return cache;
}
}  // namespace

HFONT TFont::Handle() const {
    Shared::Key key{Name, Height, Bold, Italic, Underline, StrikeOut};
    if (!handle_ || handle_->key != key) handle_ = Fonts().Get(key, *this);
    return handle_->font;
}

std::size_t LiveFontHandles() { return Fonts().Live(); }

bool TFont::operator==(const TFont& o) const {
    return Name == o.Name && Height == o.Height && Bold == o.Bold && Italic == o.Italic &&
           Underline == o.Underline && StrikeOut == o.StrikeOut && Color == o.Color;
}

// ---------------------------------------------------------------------------
// TControl

TControl::TControl(TComponent* owner, TWinControl* parent) : TComponent(owner), parent_(parent) {
    if (parent_) parent_->controls_.push_back(this);
}

TControl::~TControl() {
    HintForget(this);
    if (parent_) {
        auto& list = parent_->controls_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        if (parent_->mouseCapture_ == this) parent_->mouseCapture_ = nullptr;
        if (parent_->mouseOver_ == this) parent_->mouseOver_ = nullptr;
    }
}

void TControl::SetBounds(int left, int top, int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    BoundsChanged();
    if (align_ != alNone) RequestRealign();
}

void TControl::SetAlign(TAlign a) {
    if (a == align_) return;
    align_ = a;
    RequestRealign();
}

void TControl::SetVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    VisibleChanged();
    if (align_ != alNone) RequestRealign();
}

bool TControl::Showing() const {
    if (!visible_) return false;
    if (parent_) return parent_->Showing();
    auto* w = dynamic_cast<const TWinControl*>(this);
    return w && w->Handle() && IsWindowVisible(w->Handle());
}

void TControl::SetEnabled(bool e) {
    if (e == enabled_) return;
    enabled_ = e;
    EnabledChanged();
}

void TControl::SetCaption(const std::string& text) {
    if (text == caption_) return;
    caption_ = text;
    TextChanged();
}

void TControl::SetFont(const TFont& f) {
    ParentFont = false;
    Font = f;
    FontChanged();
}

const TFont& TControl::EffectiveFont() const {
    if (ParentFont && parent_) return parent_->EffectiveFont();
    return Font;
}

void TControl::SetColor(TColor c) {
    Color = c;
    Invalidate();
}

void TControl::Invalidate() {}

void TControl::Repaint() {
    Invalidate();
    if (auto* w = dynamic_cast<TWinControl*>(this)) {
        w->Update();
    } else if (parent_) {
        parent_->Update();
    }
}

void TControl::RequestRealign() {
    if (parent_) parent_->Realign();
}

// ---------------------------------------------------------------------------
// TGraphicControl

void TGraphicControl::Invalidate() {
    if (parent_ && parent_->Handle()) {
        RECT r = BoundsRect();
        InvalidateRect(parent_->Handle(), &r, FALSE);
    }
}

void TGraphicControl::BoundsChanged() {
    if (parent_ && parent_->Handle()) InvalidateRect(parent_->Handle(), nullptr, FALSE);
}

void TGraphicControl::VisibleChanged() { BoundsChanged(); }

void TGraphicControl::MouseDown(int button, TShiftState shift, int x, int y) {
    if (button == 0 && (shift & ssDouble)) {
        DblClick();
        return;
    }
    Fire(OnMouseDown, this, button, shift, x, y);
}

void TGraphicControl::MouseUp(int button, TShiftState shift, int x, int y) {
    Fire(OnMouseUp, this, button, shift, x, y);
    if (button == 0 && x >= 0 && y >= 0 && x < width_ && y < height_ && enabled_) Click();
}

void TGraphicControl::MouseMove(TShiftState shift, int x, int y) {
    Fire(OnMouseMove, this, shift, x, y);
}

// ---------------------------------------------------------------------------
// TWinControl

TShiftState ShiftFromKeys(WPARAM mk) {
    TShiftState s = 0;
    if (mk & MK_SHIFT) s |= ssShift;
    if (mk & MK_CONTROL) s |= ssCtrl;
    if (mk & MK_LBUTTON) s |= ssLeft;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

TShiftState KeyboardShiftState() {
    TShiftState s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

TWinControl::TWinControl(TComponent* owner, TWinControl* parent) : TControl(owner, parent) {}

TWinControl::~TWinControl() {
    // Children first: their windows go with ours, their objects are freed by
    // their owner. Detach them so that they do not reach back to us.
    for (TControl* c : controls_) c->parent_ = nullptr;
    controls_.clear();
    if (handle_) {
        RemovePropA(handle_, kControlProp);
        if (subclassed_) RemoveWindowSubclass(handle_, QmSubclassProc, 1);
        HWND h = handle_;
        handle_ = nullptr;
        DestroyWindow(h);
    }
}

TWinControl* TWinControl::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<TWinControl*>(GetPropA(hwnd, kControlProp)) : nullptr;
}

void TWinControl::CreateHandle(const char* cls, DWORD style, DWORD exStyle, HWND parentOverride) {
    EnsureWindowClass();
    HWND parentWnd = parentOverride ? parentOverride : (parent_ ? parent_->handle_ : nullptr);
    if (parent_) style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (visible_ && parent_) style |= WS_VISIBLE;
    if (!enabled_) style |= WS_DISABLED;
    // Our own classes bind `this` at creation; system classes are subclassed.
    WNDCLASSEXA info{};
    info.cbSize = sizeof info;
    const bool own = !cls || (GetClassInfoExA(GetModuleHandleA(nullptr), cls, &info) &&
                              info.lpfnWndProc == QmWindowProc);
    handle_ = CreateWindowExA(exStyle, cls ? cls : kWindowClass, caption_.c_str(), style, left_, top_,
                              width_, height_, parentWnd, nullptr, GetModuleHandleA(nullptr),
                              own ? this : nullptr);
    if (!handle_) return;
    SetPropA(handle_, kControlProp, this);
    if (!own) {
        SetWindowSubclass(handle_, QmSubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
        subclassed_ = true;
    }
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(EffectiveFont().Handle()), FALSE);
    if (parent_ && align_ != alNone) parent_->Realign();
}

void TWinControl::RegisterOwnClass(const char* name) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExA(GetModuleHandleA(nullptr), name, &existing)) RegisterClassNamed(name);
}

LRESULT CALLBACK QmWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    TWinControl* self = TWinControl::FromHandle(hwnd);
    if (!self && msg == WM_NCCREATE) {
        self = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        if (self) {
            self->handle_ = hwnd;
            SetPropA(hwnd, kControlProp, self);
        }
    }
    if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        RemovePropA(hwnd, kControlProp);
        self->handle_ = nullptr;
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
    return self->WndProc(msg, wp, lp);
}

LRESULT CALLBACK QmSubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    auto* self = reinterpret_cast<TWinControl*>(ref);
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, QmSubclassProc, 1);
        RemovePropA(hwnd, kControlProp);
        self->handle_ = nullptr;
        return DefSubclassProc(hwnd, msg, wp, lp);
    }
    return self->WndProc(msg, wp, lp);
}

LRESULT TWinControl::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) {
    return subclassed_ ? DefSubclassProc(handle_, msg, wp, lp) : DefWindowProcA(handle_, msg, wp, lp);
}

void TWinControl::SyncBoundsFromWindow() {
    if (!handle_) return;
    RECT r;
    GetWindowRect(handle_, &r);
    if (HWND p = GetParent(handle_); p && (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD)) {
        MapWindowPoints(HWND_DESKTOP, p, reinterpret_cast<POINT*>(&r), 2);
    }
    left_ = r.left;
    top_ = r.top;
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
}

TGraphicControl* TWinControl::GraphicAt(int x, int y) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        auto* g = dynamic_cast<TGraphicControl*>(*it);
        if (g && g->visible_ && x >= g->left_ && y >= g->top_ && x < g->left_ + g->width_ &&
            y < g->top_ + g->height_) {
            return g;
        }
    }
    return nullptr;
}

LRESULT TWinControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SIZE:
        if (wp != SIZE_MINIMIZED) {
            SyncBoundsFromWindow();
            Realign();
            if (!subclassed_) InvalidateRect(handle_, nullptr, FALSE);
            Fire(OnResize, this);
        }
        break;
    case WM_MOVE:
        SyncBoundsFromWindow();
        break;
    case WM_COMMAND:
        if (lp) {
            if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lp))) {
                child->CommandNotify(HIWORD(wp));
                return 0;
            }
        }
        break;
    case WM_NOTIFY:
        if (TWinControl* child = FromHandle(reinterpret_cast<NMHDR*>(lp)->hwndFrom)) {
            return child->Notify(reinterpret_cast<NMHDR*>(lp));
        }
        break;
    case WM_DRAWITEM: {
        const auto* di = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (TWinControl* child = FromHandle(di->hwndItem)) {
            if (child->DrawItem(*di)) return TRUE;
        }
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lp))) {
            if (HBRUSH b = child->CtlColor(reinterpret_cast<HDC>(wp))) return reinterpret_cast<LRESULT>(b);
        }
        break;
    case WM_ERASEBKGND:
        if (!subclassed_) return 1;
        break;
    case WM_PAINT:
        if (!subclassed_) {
            gdi::PaintBuffered(handle_, [this](HDC dc, const RECT&) { PaintWindow(dc); });
            return 0;
        }
        break;
    case WM_PRINTCLIENT:
        if (!subclassed_) {
            PaintWindow(reinterpret_cast<HDC>(wp));
            return 0;
        }
        break;
    case WM_SETCURSOR:
        if (Screen.Cursor() != crDefault) {
            SetCursor(Screen.CursorHandle());
            return TRUE;
        }
        if (LOWORD(lp) == HTCLIENT && !subclassed_) {
            POINT pt;
            GetCursorPos(&pt);
            ScreenToClient(handle_, &pt);
            if (TGraphicControl* g = GraphicAt(pt.x, pt.y); g && g->Cursor()) {
                SetCursor(g->Cursor());
                return TRUE;
            }
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MOUSEMOVE: {
        int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
        TShiftState shift = ShiftFromKeys(wp);
        int button = (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP) ? 1 : 0;
        TGraphicControl* g = mouseCapture_ ? mouseCapture_ : GraphicAt(x, y);
        if (msg == WM_MOUSEMOVE) {
            if (mouseOver_ != g && mouseOver_) mouseOver_->MouseLeave();
            mouseOver_ = g;
            TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, handle_, 0};
            TrackMouseEvent(&tme);
            HintHover(g ? static_cast<TControl*>(g) : this);
        } else {
            HintHover(nullptr);
        }
        if (g && (g->enabled_ || msg == WM_MOUSEMOVE)) {
            int gx = x - g->left_, gy = y - g->top_;
            switch (msg) {
            case WM_LBUTTONDOWN:
            case WM_RBUTTONDOWN:
                mouseCapture_ = g;
                SetCapture(handle_);
                g->MouseDown(button, shift, gx, gy);
                break;
            case WM_LBUTTONDBLCLK:
                g->MouseDown(0, shift | ssDouble, gx, gy);
                break;
            case WM_LBUTTONUP:
            case WM_RBUTTONUP:
                mouseCapture_ = nullptr;
                ReleaseCapture();
                g->MouseUp(button, shift, gx, gy);
                break;
            default:
                g->MouseMove(shift, gx, gy);
            }
            return 0;
        }
        if (g) return 0;
        switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            Fire(OnMouseDown, this, button, shift, x, y);
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            Fire(OnMouseUp, this, button, shift, x, y);
            if (!subclassed_ && button == 0) Click();
            break;
        case WM_LBUTTONDBLCLK:
            Fire(OnDblClick, this);
            break;
        default:
            Fire(OnMouseMove, this, shift, x, y);
        }
        break;
    }
    case WM_MOUSELEAVE:
        if (mouseOver_) mouseOver_->MouseLeave();
        mouseOver_ = nullptr;
        HintHover(nullptr);
        break;
    case WM_CAPTURECHANGED:
        mouseCapture_ = nullptr;
        break;
    case WM_SETFOCUS:
        Fire(OnEnter, this);
        break;
    case WM_KILLFOCUS:
        Fire(OnExit, this);
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (OnKeyDown) {
            WORD key = static_cast<WORD>(wp);
            OnKeyDown(this, key, KeyboardShiftState());
            if (key == 0) return 0;
        }
        break;
    case WM_CHAR:
        if (OnKeyPress) {
            char ch = static_cast<char>(wp);
            OnKeyPress(this, ch);
            if (ch == 0) return 0;
            wp = static_cast<unsigned char>(ch);
        }
        break;
    }
    return DefaultProc(msg, wp, lp);
}

HBRUSH TWinControl::CtlColor(HDC dc) {
    if (Color == clDefault && EffectiveFont().Color == clDefault) return nullptr;
    COLORREF bg = ResolveColor(Color, COLOR_BTNFACE);
    SetBkColor(dc, bg);
    SetTextColor(dc, ResolveColor(EffectiveFont().Color, COLOR_WINDOWTEXT));
    if (!ctlBrush_ || ctlBrushColor_ != bg) {
        ctlBrush_ = gdi::SolidBrush(bg);
        ctlBrushColor_ = bg;
    }
    return ctlBrush_;
}

void TWinControl::PaintBackground(HDC dc, const RECT& r) {
    gdi::FillSolid(dc, r, ResolveColor(Color, COLOR_BTNFACE));
}

void TWinControl::PaintWindow(HDC dc) {
    RECT rc;
    GetClientRect(handle_, &rc);
    PaintBackground(dc, rc);
    PaintContent(dc, rc);
    for (TControl* c : controls_) {
        auto* g = dynamic_cast<TGraphicControl*>(c);
        if (!g || !g->visible_) continue;
        gdi::SavedDC saved(dc);
        IntersectClipRect(dc, g->left_, g->top_, g->left_ + g->width_, g->top_ + g->height_);
        g->Paint(dc);
    }
}

RECT TWinControl::ClientRect() const {
    RECT r{0, 0, width_, height_};
    if (handle_) GetClientRect(handle_, &r);
    return r;
}

void TWinControl::EnableAlign() {
    if (alignLock_ > 0 && --alignLock_ == 0 && realignPending_) Realign();
}

void TWinControl::Realign() {
    if (alignLock_ > 0) {
        realignPending_ = true;
        return;
    }
    realignPending_ = false;
    ++alignLock_;  // children moved below must not realign us again
    RECT r = ClientRect();
    for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TControl* c : controls_) {
            if (c->align_ != a || !c->visible_) continue;
            int w = std::max(0L, r.right - r.left), h = std::max(0L, r.bottom - r.top);
            switch (a) {
            case alTop:
                c->SetBounds(r.left, r.top, w, c->height_);
                r.top += c->height_;
                break;
            case alBottom:
                c->SetBounds(r.left, r.bottom - c->height_, w, c->height_);
                r.bottom -= c->height_;
                break;
            case alLeft:
                c->SetBounds(r.left, r.top, c->width_, h);
                r.left += c->width_;
                break;
            case alRight:
                c->SetBounds(r.right - c->width_, r.top, c->width_, h);
                r.right -= c->width_;
                break;
            default:
                c->SetBounds(r.left, r.top, w, h);
            }
        }
    }
    --alignLock_;
}

void TWinControl::SetFocus() {
    if (handle_) ::SetFocus(handle_);
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

bool TWinControl::CanFocus() const { return handle_ && Showing() && IsWindowEnabled(handle_); }

void TWinControl::Invalidate() {
    if (handle_) InvalidateRect(handle_, nullptr, FALSE);
}

void TWinControl::Update() {
    if (handle_) UpdateWindow(handle_);
}

void TWinControl::BoundsChanged() {
    if (handle_) {
        SetWindowPos(handle_, nullptr, left_, top_, width_, height_,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
}

void TWinControl::VisibleChanged() {
    if (handle_ && parent_) ShowWindow(handle_, visible_ ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::EnabledChanged() {
    if (handle_) EnableWindow(handle_, enabled_);
}

void TWinControl::TextChanged() {
    if (handle_) SetWindowTextA(handle_, caption_.c_str());
    Invalidate();
}

void TWinControl::FontChanged() {
    if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(EffectiveFont().Handle()), TRUE);
    for (TControl* c : controls_) {
        if (c->ParentFont) c->FontChanged();
    }
    Invalidate();
}

// ---------------------------------------------------------------------------
// TPanel

TPanel::TPanel(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) {
    width_ = 185;
    height_ = 41;
    CreateHandle(nullptr, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
}


LRESULT TPanel::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SIZE) {
        // Bevels and centred captions depend on the size.
        InvalidateRect(handle_, nullptr, FALSE);
    }
    return TWinControl::WndProc(msg, wp, lp);
}

void TPanel::PaintContent(HDC dc, RECT rc) {
    auto edge = [&](TBevelCut cut) {
        if (cut == bvNone) return;
        DrawEdge(dc, &rc, cut == bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    };
    edge(BevelOuter);
    edge(BevelInner);
    if (!caption_.empty()) {
        gdi::Select font(dc, EffectiveFont().Handle());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ResolveColor(EffectiveFont().Color, COLOR_BTNTEXT));
        DrawTextA(dc, caption_.c_str(), -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

// ---------------------------------------------------------------------------
// TLabel

TLabel::TLabel(TComponent* owner, TWinControl* parent) : TGraphicControl(owner, parent) {
    width_ = 0;
    height_ = EffectiveFont().Height + 2;
}

void TLabel::AdjustSize() {
    if (!AutoSize || WordWrap) return;
    RECT r{0, 0, 0, 0};
    {
        gdi::WindowDC dc;
        gdi::Select font(dc, EffectiveFont().Handle());
        DrawTextA(dc, caption_.empty() ? " " : caption_.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    }
    SetBounds(left_, top_, caption_.empty() ? 0 : r.right, r.bottom);
}

void TLabel::TextChanged() {
    Invalidate();
    AdjustSize();
    Invalidate();
}

void TLabel::FontChanged() { TextChanged(); }

void TLabel::Paint(HDC dc) {
    RECT r = BoundsRect();
    if (!Transparent) gdi::FillSolid(dc, r, ResolveColor(Color, COLOR_BTNFACE));
    gdi::Select font(dc, EffectiveFont().Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, enabled_ ? ResolveColor(EffectiveFont().Color, COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT));
    UINT fmt = DT_NOPREFIX | (WordWrap ? DT_WORDBREAK : DT_SINGLELINE);
    if (Alignment == taCenter) fmt |= DT_CENTER;
    if (Alignment == taRightJustify) fmt |= DT_RIGHT;
    DrawTextA(dc, caption_.c_str(), -1, &r, fmt);
}

TGroupBox::TGroupBox(TComponent* owner, TWinControl* parent) : TPanel(owner, parent) {
    BevelOuter = bvNone;
}

void TGroupBox::PaintContent(HDC dc, RECT rc) {
    gdi::Select font(dc, EffectiveFont().Handle());
    SIZE text{0, EffectiveFont().Height};
    if (!caption_.empty()) GetTextExtentPoint32A(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text);
    RECT frame = rc;
    frame.top += text.cy / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (!caption_.empty()) {
        gdi::FillSolid(dc, RECT{6, 0, 6 + text.cx + 6, text.cy}, ResolveColor(Color, COLOR_BTNFACE));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, enabled_ ? ResolveColor(EffectiveFont().Color, COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT));
        TextOutA(dc, 9, 0, caption_.c_str(), static_cast<int>(caption_.size()));
    }
}
