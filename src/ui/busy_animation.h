// The busy animation: a magnifier passing over a folder while active; the
// first picture stands still otherwise.
#pragma once
#include "ui/controls.h"
#include "ui/extctrls.h"

class TBusyAnimation : public TGraphicControl {
public:
    TBusyAnimation(TComponent* owner, TWinControl* parent);
    bool Active() const { return timer_->Enabled(); }
    void SetActive(bool on);
    int Frame() const { return frame_; }
    void Paint(HDC dc) override;

private:
    TTimer* timer_;
    int frame_ = 0;
};
