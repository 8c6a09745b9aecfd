#include "ui/busy_animation.h"

TBusyAnimation::TBusyAnimation(TComponent* owner, TWinControl* parent) : TGraphicControl(owner, parent) {
    width_ = 40;
    height_ = 30;
    timer_ = new TTimer(this);
    timer_->Interval = 120;
    timer_->OnTimer = [this](TObject*) {
        frame_ = (frame_ + 1) % 8;
        Invalidate();
    };
}

void TBusyAnimation::SetActive(bool on) {
    timer_->SetEnabled(on);
    if (!on) frame_ = 0;
    Invalidate();
}

void TBusyAnimation::Paint(HDC dc) {
    const int x = left_, y = top_;
    HPEN outline = CreatePen(PS_SOLID, 1, RGB(120, 88, 16));
    HBRUSH paper = CreateSolidBrush(RGB(240, 200, 80));
    HGDIOBJ oldPen = SelectObject(dc, outline);
    HGDIOBJ oldBrush = SelectObject(dc, paper);
    Rectangle(dc, x + 4, y + 7, x + 15, y + 12);  // the folder's tab
    Rectangle(dc, x + 4, y + 10, x + 32, y + 27);
    // The magnifier goes to and fro over the folder.
    const int step = frame_ < 4 ? frame_ : 7 - frame_;
    const int cx = x + 12 + step * 5, cy = y + 14;
    HBRUSH glass = CreateSolidBrush(RGB(200, 230, 255));
    HPEN rim = CreatePen(PS_SOLID, 2, RGB(40, 40, 40));
    SelectObject(dc, glass);
    SelectObject(dc, rim);
    Ellipse(dc, cx - 7, cy - 7, cx + 7, cy + 7);
    HPEN handle = CreatePen(PS_SOLID, 3, RGB(90, 50, 20));
    SelectObject(dc, handle);
    MoveToEx(dc, cx + 5, cy + 5, nullptr);
    LineTo(dc, cx + 10, cy + 10);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    for (HGDIOBJ o : {static_cast<HGDIOBJ>(outline), static_cast<HGDIOBJ>(paper), static_cast<HGDIOBJ>(glass),
                      static_cast<HGDIOBJ>(rim), static_cast<HGDIOBJ>(handle)}) {
        DeleteObject(o);
    }
}

