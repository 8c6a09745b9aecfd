#include "media/media_glyphs.h"

#include "ui/gdi.h"

namespace {
// Disabled pictures are grey.
COLORREF Tone(COLORREF c, bool enabled) { return enabled ? c : RGB(160, 160, 160); }

// Outline and fill in one colour.
struct Tools : gdi::PenAndBrush {
    Tools(HDC dc, COLORREF c) : gdi::PenAndBrush(dc, c, c) {}
};

void Box(HDC dc, int l, int t, int r, int b) { Rectangle(dc, l, t, r, b); }

void Magnifier(HDC dc, const RECT& g, bool on, bool plus) {
    const int x = g.left, y = g.top;
    {
        Tools t(dc, Tone(RGB(90, 60, 20), on));
        for (int i = 0; i < 3; ++i) {
            MoveToEx(dc, x + 10 + i, y + 10, nullptr);
            LineTo(dc, x + 15 + i, y + 15);
        }
    }
    Tools t(dc, Tone(RGB(40, 80, 200), on));
    {
        gdi::Select hollow(dc, GetStockObject(HOLLOW_BRUSH));
        Ellipse(dc, x + 1, y + 1, x + 12, y + 12);
    }
    Box(dc, x + 4, y + 6, x + 9, y + 7);
    if (plus) Box(dc, x + 6, y + 4, x + 7, y + 9);
}
} // namespace

TSpeedButton::TGlyph MakeMediaGlyph(TMediaGlyph kind) {
    return [kind](HDC dc, const RECT& g, bool on) {
        const int x = g.left, y = g.top;
        switch (kind) {
        case mgPlay: {
            Tools t(dc, Tone(RGB(0, 130, 0), on));
            const POINT p[] = {{x + 4, y + 2}, {x + 13, y + 8}, {x + 4, y + 14}};
            Polygon(dc, p, 3);
            break;
        }
        case mgPause: {
            Tools t(dc, Tone(RGB(40, 80, 200), on));
            Box(dc, x + 4, y + 3, x + 7, y + 14);
            Box(dc, x + 10, y + 3, x + 13, y + 14);
            break;
        }
        case mgStop: {
            Tools t(dc, Tone(RGB(190, 30, 30), on));
            Box(dc, x + 3, y + 3, x + 13, y + 13);
            break;
        }
        case mgEnlarge:
        case mgReduce:
            Magnifier(dc, g, on, kind == mgEnlarge);
            break;
        }
    };
}
