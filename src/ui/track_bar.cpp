#include "ui/track_bar.h"

TTrackBar::TTrackBar(TComponent* owner, TWinControl* parent, bool ticks) : TWinControl(owner, parent) {
    width_ = 150;
    height_ = ticks ? 32 : 24;
    CreateHandle(nullptr, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    bar_ = CreateWindowExA(0, TRACKBAR_CLASSA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBS_HORZ |
                               (ticks ? TBS_AUTOTICKS | TBS_BOTTOM : TBS_NOTICKS),
                           0, 0, width_, height_, handle_, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(bar_, TBM_SETRANGEMIN, FALSE, 0);
    SendMessageA(bar_, TBM_SETRANGEMAX, TRUE, max_);
    SendMessageA(bar_, TBM_SETLINESIZE, 0, lineSize_);
    SendMessageA(bar_, TBM_SETPAGESIZE, 0, pageSize_);
}

void TTrackBar::SetMax(int max) { SetRange(min_, max); }

void TTrackBar::SetRange(int min, int max) {
    min_ = min < 0 ? 0 : min;
    max_ = max < min_ ? min_ : max;
    SendMessageA(bar_, TBM_SETRANGEMIN, FALSE, min_);
    SendMessageA(bar_, TBM_SETRANGEMAX, TRUE, max_);
    // The platform keeps the thumb inside the range; so do we, and a
    // position moved that way is a change like any other.
    const int position = static_cast<int>(SendMessageA(bar_, TBM_GETPOS, 0, 0));
    if (position == position_) return;
    position_ = position;
    Fire(OnChange, this);
}

void TTrackBar::SetFrequency(int step) { SendMessageA(bar_, TBM_SETTICFREQ, step, 0); }

void TTrackBar::SetPosition(int position) {
    if (position < min_) position = min_;
    if (position > max_) position = max_;
    if (position == position_) return;
    position_ = position;
    SendMessageA(bar_, TBM_SETPOS, TRUE, position_);
    Fire(OnChange, this);
}

void TTrackBar::SetLineSize(int size) {
    lineSize_ = size;
    SendMessageA(bar_, TBM_SETLINESIZE, 0, size);
}

void TTrackBar::SetPageSize(int size) {
    pageSize_ = size;
    SendMessageA(bar_, TBM_SETPAGESIZE, 0, size);
}

void TTrackBar::EnabledChanged() {
    EnableWindow(bar_, Enabled());
    TWinControl::EnabledChanged();
}

LRESULT TTrackBar::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SIZE:
        if (bar_) MoveWindow(bar_, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
        break;
    case WM_HSCROLL:
        if (reinterpret_cast<HWND>(lp) == bar_ && bar_) {
            position_ = static_cast<int>(SendMessageA(bar_, TBM_GETPOS, 0, 0));
            // The end of a drag repeats the position the drag reported.
            if (LOWORD(wp) != TB_ENDTRACK) Fire(OnChange, this);
            return 0;
        }
        break;
    default:
        break;
    }
    return TWinControl::WndProc(msg, wp, lp);
}
