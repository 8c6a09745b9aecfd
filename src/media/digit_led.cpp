#include "media/digit_led.h"

#include <vector>

#include "ui/gdi.h"

TDigitLed::TDigitLed(TComponent* owner, TWinControl* parent) : TGraphicControl(owner, parent) {
    width_ = 27;
    height_ = 45;
}

void TDigitLed::SetCharacter(const std::string& c) {
    cell_.SetCharacter(c);
    Invalidate();
}

void TDigitLed::SetSegments(std::uint16_t s) {
    cell_.SetSegments(s);
    Invalidate();
}

void TDigitLed::SetLedStyle(TLedStyle s) {
    cell_.SetStyle(s);
    Invalidate();
}

void TDigitLed::SetOnColor(COLORREF c) {
    onColor_ = c;
    Invalidate();
}

void TDigitLed::SetOffColor(COLORREF c) {
    offColor_ = c;
    Invalidate();
}

void TDigitLed::SetDot(bool lit) {
    if (lit == cell_.Dot()) return;
    cell_.SetDot(lit);
    Invalidate();
}

void TDigitLed::Paint(HDC dc) {
    if (!parent_) return;
    const int ux = LedGridUnit(width_), uy = LedGridUnit(height_);
    // System colours are allowed, as on every control.
    const COLORREF on = ResolveColor(onColor_, COLOR_WINDOWTEXT);
    const COLORREF off = ResolveColor(offColor_, COLOR_WINDOWTEXT);
    gdi::Pen pen = gdi::SolidPen(off);
    // In a cell a few pixels wide a bar is a polygon one or two squares of
    // a pixel across: its fill vanishes inside the outline, so a lit bar is
    // outlined in the lit colour there or it would not show at all.
    const bool thin = ux < 3 || uy < 3;
    gdi::Pen thinLitPen = thin ? gdi::SolidPen(on) : gdi::Pen();
    const HPEN litPen = thin ? thinLitPen.get() : pen.get();
    gdi::Brush lit = gdi::SolidBrush(on);
    gdi::Brush unlit = gdi::SolidBrush(off);
    std::vector<POINT> pts;
    for (int s = 0; s < kLedSegmentCount; ++s) {
        pts.clear();
        for (const LedPoint& p : LedSegmentPolygon(s, ux, uy))
            pts.push_back({left_ + p.x, top_ + p.y});
        const bool isLit = (cell_.Segments() >> s) & 1;
        gdi::Select brush(dc, isLit ? lit.get() : unlit.get());
        gdi::Select outline(dc, isLit ? litPen : pen.get());
        Polygon(dc, pts.data(), static_cast<int>(pts.size()));
    }
}
