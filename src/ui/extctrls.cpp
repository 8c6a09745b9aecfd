#include "ui/extctrls.h"

#include <algorithm>
#include <map>

// ---------------------------------------------------------------------------
// TSplitter

TSplitter::TSplitter(TComponent* owner, TWinControl* parent) : TGraphicControl(owner, parent) {
    width_ = 3;
    height_ = 3;
    align_ = alLeft;
}

TControl* TSplitter::Target() const {
    if (!parent_) return nullptr;
    for (TControl* c : parent_->Controls()) {
        if (c == this || !c->Visible() || c->Align() != align_) continue;
        const RECT r = c->BoundsRect();
        switch (align_) {
        case alLeft: if (r.right == left_) return c; break;
        case alRight: if (r.left == left_ + width_) return c; break;
        case alTop: if (r.bottom == top_) return c; break;
        case alBottom: if (r.top == top_ + height_) return c; break;
        default: break;
        }
    }
    return nullptr;
}

HCURSOR TSplitter::Cursor() const {
    return LoadCursor(nullptr, (align_ == alLeft || align_ == alRight) ? IDC_SIZEWE : IDC_SIZENS);
}

void TSplitter::Paint(HDC dc) {
    RECT r = BoundsRect();
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
}

void TSplitter::MouseDown(int button, TShiftState, int x, int y) {
    target_ = button == 0 ? Target() : nullptr;
    if (!target_) return;
    dragging_ = true;
    const bool across = align_ == alLeft || align_ == alRight;
    startPos_ = across ? left_ + x : top_ + y;
    startSize_ = across ? target_->Width() : target_->Height();
}

void TSplitter::MouseMove(TShiftState, int x, int y) {
    if (!dragging_ || !target_) return;
    const bool across = align_ == alLeft || align_ == alRight;
    int delta = (across ? left_ + x : top_ + y) - startPos_;
    if (align_ == alRight || align_ == alBottom) delta = -delta;
    // Keep MinSize for the target and at least MinSize for what lies beyond.
    RECT area = parent_->ClientRect();
    int room = across ? area.right - area.left : area.bottom - area.top;
    for (TControl* c : parent_->Controls()) {
        if (c == target_ || c == this || !c->Visible()) continue;
        if (across && (c->Align() == alLeft || c->Align() == alRight)) room -= c->Width();
        if (!across && (c->Align() == alTop || c->Align() == alBottom)) room -= c->Height();
    }
    int size = std::clamp(startSize_ + delta, MinSize, std::max(MinSize, room - MinSize - (across ? width_ : height_)));
    if (across) {
        target_->SetWidth(size);
    } else {
        target_->SetHeight(size);
    }
}

void TSplitter::MouseUp(int, TShiftState, int, int) {
    if (!dragging_) return;
    dragging_ = false;
    Fire(OnMoved, this);
}

// ---------------------------------------------------------------------------
// TPageControl

TPageControl::TPageControl(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) {
    width_ = 289;
    height_ = 193;
    CreateHandle(WC_TABCONTROLA, WS_CLIPCHILDREN | WS_TABSTOP, WS_EX_CONTROLPARENT);
}

TTabSheet* TPageControl::AddPage(const char* name, const std::string& caption) {
    auto* sheet = new TTabSheet(Owner(), this);
    sheet->Name = name;
    sheet->SetCaption(caption);
    sheet->PageIndex = static_cast<int>(pages_.size());
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(sheet->Caption().c_str());
    SendMessageA(handle_, TCM_INSERTITEMA, pages_.size(), reinterpret_cast<LPARAM>(&item));
    pages_.push_back(sheet);
    sheet->SetVisible(false);
    if (active_ < 0) SetActivePageIndex(0);
    Realign();
    return sheet;
}

void TPageControl::SetActivePageIndex(int i) {
    if (i < 0 || i >= PageCount()) return;
    active_ = i;
    SendMessageA(handle_, TCM_SETCURSEL, i, 0);
    for (int p = 0; p < PageCount(); ++p) pages_[p]->SetVisible(p == i);
    Realign();
}

void TPageControl::Realign() {
    RECT r = ClientRect();
    SendMessageA(handle_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    for (TTabSheet* sheet : pages_) sheet->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    TWinControl::Realign();
}

LRESULT TPageControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SIZE) {
        LRESULT res = DefaultProc(msg, wp, lp);
        SyncBoundsFromWindow();
        Realign();
        return res;
    }
    return TWinControl::WndProc(msg, wp, lp);
}

LRESULT TPageControl::Notify(NMHDR* nm) {
    if (nm->code == static_cast<UINT>(TCN_SELCHANGE)) {
        SetActivePageIndex(static_cast<int>(SendMessageA(handle_, TCM_GETCURSEL, 0, 0)));
        Fire(OnChange, this);
    }
    return 0;
}

TTabSheet::TTabSheet(TComponent* owner, TPageControl* pages) : TPanel(owner, pages) {
    BevelOuter = bvNone;
}

// ---------------------------------------------------------------------------
// TTimer

namespace {
std::map<UINT_PTR, TTimer*>& Timers() {
    static std::map<UINT_PTR, TTimer*> timers;
    return timers;
}
}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() { SetEnabled(false); }

void TTimer::SetEnabled(bool e) {
    if (e == enabled_) return;
    enabled_ = e;
    if (e) {
        id_ = SetTimer(nullptr, 0, Interval, Tick);
        Timers()[id_] = this;
    } else if (id_) {
        KillTimer(nullptr, id_);
        Timers().erase(id_);
        id_ = 0;
    }
}

void CALLBACK TTimer::Tick(HWND, UINT, UINT_PTR id, DWORD) {
    auto it = Timers().find(id);
    if (it != Timers().end()) Fire(it->second->OnTimer, it->second);
}
