// Splitters, page controls and timers.
#pragma once
#include <string>
#include <vector>

#include "ui/controls.h"

// Drags the edge of the aligned control just before it (on its own side).
class TSplitter : public TGraphicControl {
public:
    TSplitter(TComponent* owner, TWinControl* parent);
    int MinSize = 30;  // the least the resized control keeps
    TNotifyEvent OnMoved;
    void Paint(HDC dc) override;
    HCURSOR Cursor() const override;
    // The control this splitter resizes, or none.
    TControl* Target() const;

protected:
    void MouseDown(int button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(int button, TShiftState shift, int x, int y) override;

private:
    bool dragging_ = false;
    int startPos_ = 0, startSize_ = 0;
    TControl* target_ = nullptr;
};

class TTabSheet;

class TPageControl : public TWinControl {
public:
    TPageControl(TComponent* owner, TWinControl* parent);
    TTabSheet* AddPage(const char* name, const std::string& caption);
    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Page(int i) const { return pages_.at(i); }
    int ActivePageIndex() const { return active_; }
    TTabSheet* ActivePage() const { return active_ >= 0 ? pages_[active_] : nullptr; }
    void SetActivePageIndex(int i);
    TNotifyEvent OnChange;
    void Realign() override;

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    LRESULT Notify(NMHDR* nm) override;

private:
    std::vector<TTabSheet*> pages_;
    int active_ = -1;
};

class TTabSheet : public TPanel {
public:
    TTabSheet(TComponent* owner, TPageControl* pages);
    int PageIndex = 0;
};

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    unsigned Interval = 1000;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool e);
    TNotifyEvent OnTimer;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
    bool enabled_ = false;
    UINT_PTR id_ = 0;
};
