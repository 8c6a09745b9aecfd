// A horizontal track bar: the platform's track bar inside a window of ours,
// which receives its scroll notifications, so it works on any parent. As in
// the framework, a change of Position, by the user or by code, fires
// OnChange; code that moves the bar itself detaches the handler first.
#pragma once
#include "ui/controls.h"

class TTrackBar : public TWinControl {
public:
    // ticks: tick marks below the bar (SetFrequency spaces them).
    TTrackBar(TComponent* owner, TWinControl* parent, bool ticks = false);

    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetMax(int max);
    void SetRange(int min, int max);
    void SetFrequency(int step);
    int Position() const { return position_; }
    void SetPosition(int position);
    int LineSize() const { return lineSize_; }
    void SetLineSize(int size);
    int PageSize() const { return pageSize_; }
    void SetPageSize(int size);
    TNotifyEvent OnChange;

    // The platform's track bar inside.
    HWND BarHandle() const { return bar_; }

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void EnabledChanged() override;

private:
    int min_ = 0, max_ = 10, position_ = 0, lineSize_ = 1, pageSize_ = 2;
    HWND bar_ = nullptr;
};
