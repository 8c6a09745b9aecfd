#include "ui/busy_animation.h"

#include "ui/gdi.h"

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
    {
        const gdi::PenAndBrush folder(dc, RGB(120, 88, 16), RGB(240, 200, 80));
        Rectangle(dc, x + 4, y + 7, x + 15, y + 12);  // the folder's tab
        Rectangle(dc, x + 4, y + 10, x + 32, y + 27);
    }
    // The magnifier goes to and fro over the folder.
    const int step = frame_ < 4 ? frame_ : 7 - frame_;
    const int cx = x + 12 + step * 5, cy = y + 14;
    {
        const gdi::PenAndBrush lens(dc, RGB(40, 40, 40), RGB(200, 230, 255), 2);
        Ellipse(dc, cx - 7, cy - 7, cx + 7, cy + 7);
    }
    const gdi::Pen handle = gdi::SolidPen(RGB(90, 50, 20), 3);
    const gdi::Select select(dc, handle);
    MoveToEx(dc, cx + 5, cy + 5, nullptr);
    LineTo(dc, cx + 10, cy + 10);
}

