// A panel that scrolls its children when they reach past its client area.
// Children keep positions relative to the visible client area, so a child
// scrolled to the right has a negative Left, as in the framework's scroll
// box. Children do not report their moves: whoever resizes one calls
// UpdateScrollRange afterwards.
#pragma once
#include "ui/controls.h"

class TScrollBox : public TWinControl {
public:
    TScrollBox(TComponent* owner, TWinControl* parent);

    int HorzPosition() const { return hpos_; }
    int VertPosition() const { return vpos_; }
    // Scrolls to the content position (clamped to the range).
    void ScrollTo(int x, int y);
    // Recomputes the range from the children, shows or hides the bars and
    // pulls the children back when the range shrank below the position.
    void UpdateScrollRange();
    void Realign() override;

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Scroll(int bar, int code);
    void MoveChildren(int dx, int dy);
    // Content extent in content coordinates.
    SIZE ContentSize() const;
    int hpos_ = 0, vpos_ = 0;
    bool updating_ = false;
};
