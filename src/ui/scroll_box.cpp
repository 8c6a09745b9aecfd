#include "ui/scroll_box.h"

#include <algorithm>

TScrollBox::TScrollBox(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) {
    width_ = 185;
    height_ = 41;
    CreateHandle(nullptr, WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL, WS_EX_CONTROLPARENT);
    UpdateScrollRange();
}

SIZE TScrollBox::ContentSize() const {
    SIZE s{0, 0};
    for (TControl* c : controls_) {
        if (!c->Visible() || c->Align() != alNone) continue;
        s.cx = std::max<LONG>(s.cx, c->Left() + hpos_ + c->Width());
        s.cy = std::max<LONG>(s.cy, c->Top() + vpos_ + c->Height());
    }
    return s;
}

void TScrollBox::MoveChildren(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    for (TControl* c : controls_) {
        if (c->Align() != alNone) continue;
        c->SetBounds(c->Left() - dx, c->Top() - dy, c->Width(), c->Height());
    }
    Invalidate();
}

void TScrollBox::UpdateScrollRange() {
    if (!handle_ || updating_) return;
    updating_ = true;
    // Showing one bar narrows the other side, so settle twice.
    for (int pass = 0; pass < 2; ++pass) {
        const SIZE content = ContentSize();
        RECT rc;
        GetClientRect(handle_, &rc);
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
        si.nMax = content.cx > rc.right ? content.cx - 1 : 0;
        si.nPage = content.cx > rc.right ? static_cast<UINT>(rc.right) : 0;
        SetScrollInfo(handle_, SB_HORZ, &si, TRUE);
        si.nMax = content.cy > rc.bottom ? content.cy - 1 : 0;
        si.nPage = content.cy > rc.bottom ? static_cast<UINT>(rc.bottom) : 0;
        SetScrollInfo(handle_, SB_VERT, &si, TRUE);
    }
    RECT rc;
    GetClientRect(handle_, &rc);
    const SIZE content = ContentSize();
    const int maxH = std::max<int>(0, content.cx - rc.right);
    const int maxV = std::max<int>(0, content.cy - rc.bottom);
    const int h = std::clamp(hpos_, 0, maxH), v = std::clamp(vpos_, 0, maxV);
    updating_ = false;
    ScrollTo(h, v);
}

void TScrollBox::ScrollTo(int x, int y) {
    if (!handle_) return;
    RECT rc;
    GetClientRect(handle_, &rc);
    const SIZE content = ContentSize();
    x = std::clamp(x, 0, std::max<int>(0, content.cx - rc.right));
    y = std::clamp(y, 0, std::max<int>(0, content.cy - rc.bottom));
    const int dx = x - hpos_, dy = y - vpos_;
    hpos_ = x;
    vpos_ = y;
    MoveChildren(dx, dy);
    SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, 0, 0};
    si.nPos = hpos_;
    SetScrollInfo(handle_, SB_HORZ, &si, TRUE);
    si.nPos = vpos_;
    SetScrollInfo(handle_, SB_VERT, &si, TRUE);
}

void TScrollBox::Realign() {
    TWinControl::Realign();
    UpdateScrollRange();
}

void TScrollBox::Scroll(int bar, int code) {
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(handle_, bar, &si);
    int pos = bar == SB_HORZ ? hpos_ : vpos_;
    const int page = std::max<int>(1, static_cast<int>(si.nPage));
    switch (code) {
    case SB_LINEUP:
        pos -= 16;
        break;
    case SB_LINEDOWN:
        pos += 16;
        break;
    case SB_PAGEUP:
        pos -= page;
        break;
    case SB_PAGEDOWN:
        pos += page;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        pos = si.nTrackPos;
        break;
    case SB_TOP:
        pos = 0;
        break;
    case SB_BOTTOM:
        pos = si.nMax;
        break;
    default:
        return;
    }
    if (bar == SB_HORZ) {
        ScrollTo(pos, vpos_);
    } else {
        ScrollTo(hpos_, pos);
    }
}

LRESULT TScrollBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_HSCROLL:
        Scroll(SB_HORZ, LOWORD(wp));
        return 0;
    case WM_VSCROLL:
        Scroll(SB_VERT, LOWORD(wp));
        return 0;
    case WM_MOUSEWHEEL:
        ScrollTo(hpos_, vpos_ - static_cast<short>(HIWORD(wp)) / WHEEL_DELTA * 48);
        return 0;
    case WM_SIZE: {
        const LRESULT r = TWinControl::WndProc(msg, wp, lp);
        UpdateScrollRange();
        return r;
    }
    default:
        return TWinControl::WndProc(msg, wp, lp);
    }
}
