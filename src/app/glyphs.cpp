#include "app/glyphs.h"

#include <vector>

#include "ui/gdi.h"

namespace {
using Pen = gdi::PenAndBrush;

// Disabled pictures are drawn in greys of the same brightness.
COLORREF Tone(COLORREF c, bool enabled) {
    if (enabled) return c;
    int grey = (GetRValue(c) * 3 + GetGValue(c) * 6 + GetBValue(c)) / 10;
    grey = 128 + grey / 3;
    return RGB(grey, grey, grey);
}

void Poly(HDC dc, int x, int y, std::initializer_list<POINT> pts) {
    std::vector<POINT> p(pts);
    for (POINT& q : p) {
        q.x += x;
        q.y += y;
    }
    Polygon(dc, p.data(), static_cast<int>(p.size()));
}

void Page(HDC dc, int x, int y, int w, int h, bool on) {
    Pen p(dc, Tone(RGB(60, 60, 60), on), Tone(RGB(255, 255, 255), on));
    Rectangle(dc, x, y, x + w, y + h);
}

void Lines(HDC dc, int x, int y, int w, int n, bool on) {
    Pen p(dc, Tone(RGB(40, 80, 200), on), Tone(RGB(40, 80, 200), on));
    for (int i = 0; i < n; ++i) {
        MoveToEx(dc, x, y + i * 3, nullptr);
        LineTo(dc, x + w - (i % 2) * 2, y + i * 3);
    }
}

void Magnifier(HDC dc, int x, int y, bool on) {
    {
        Pen p(dc, Tone(RGB(120, 80, 30), on), Tone(RGB(120, 80, 30), on), 3);
        MoveToEx(dc, x + 9, y + 9, nullptr);
        LineTo(dc, x + 14, y + 14);
    }
    Pen p(dc, Tone(RGB(40, 40, 40), on), Tone(RGB(190, 230, 255), on), 2);
    Ellipse(dc, x + 1, y + 1, x + 11, y + 11);
}

void Arrow(HDC dc, int x, int y, bool left, bool on) {
    Pen p(dc, Tone(RGB(0, 90, 0), on), Tone(RGB(40, 170, 40), on));
    if (left) {
        Poly(dc, x, y, {{2, 8}, {8, 2}, {8, 5}, {14, 5}, {14, 11}, {8, 11}, {8, 14}});
    } else {
        Poly(dc, x, y, {{14, 8}, {8, 2}, {8, 5}, {2, 5}, {2, 11}, {8, 11}, {8, 14}});
    }
}

void Tile(HDC dc, int x, int y, int w, int h, bool on) {
    Pen p(dc, Tone(RGB(0, 60, 160), on), Tone(RGB(120, 170, 240), on));
    Rectangle(dc, x, y, x + w, y + h);
}

// A column header with the column's sign under it.
void ColumnSign(HDC dc, int x, int y, TGlyphKind kind, bool on) {
    {
        Pen p(dc, Tone(RGB(90, 90, 90), on), Tone(RGB(210, 210, 210), on));
        Rectangle(dc, x + 2, y + 1, x + 14, y + 5);
    }
    switch (kind) {
    case gkColumnSize: {
        Pen p(dc, Tone(RGB(0, 100, 0), on), Tone(RGB(60, 180, 60), on));
        Rectangle(dc, x + 3, y + 11, x + 6, y + 15);
        Rectangle(dc, x + 7, y + 9, x + 10, y + 15);
        Rectangle(dc, x + 11, y + 7, x + 14, y + 15);
        break;
    }
    case gkColumnType:
        Page(dc, x + 4, y + 6, 8, 9, on);
        break;
    case gkColumnDate: {
        Pen p(dc, Tone(RGB(40, 40, 40), on), Tone(RGB(255, 250, 210), on));
        Ellipse(dc, x + 3, y + 6, x + 13, y + 16);
        MoveToEx(dc, x + 8, y + 8, nullptr);
        LineTo(dc, x + 8, y + 11);
        LineTo(dc, x + 11, y + 11);
        break;
    }
    case gkColumnAttr: {
        Pen p(dc, Tone(RGB(160, 0, 0), on), Tone(RGB(160, 0, 0), on), 2);
        MoveToEx(dc, x + 4, y + 15, nullptr);
        LineTo(dc, x + 8, y + 7);
        LineTo(dc, x + 12, y + 15);
        MoveToEx(dc, x + 6, y + 12, nullptr);
        LineTo(dc, x + 10, y + 12);
        break;
    }
    default: {
        Pen p(dc, Tone(RGB(140, 100, 0), on), Tone(RGB(250, 210, 80), on));
        Poly(dc, x, y, {{2, 8}, {6, 8}, {7, 9}, {14, 9}, {14, 15}, {2, 15}});
    }
    }
}

// A magnifier with "1", "-" or "+" in its glass.
void ZoomSign(HDC dc, int x, int y, TGlyphKind kind, bool on) {
    {
        Pen p(dc, Tone(RGB(120, 80, 30), on), Tone(RGB(120, 80, 30), on), 3);
        MoveToEx(dc, x + 11, y + 11, nullptr);
        LineTo(dc, x + 15, y + 15);
    }
    {
        Pen p(dc, Tone(RGB(40, 40, 40), on), Tone(RGB(210, 240, 255), on), 1);
        Ellipse(dc, x + 1, y + 1, x + 13, y + 13);
    }
    Pen p(dc, Tone(RGB(0, 0, 160), on), Tone(RGB(0, 0, 160), on), 2);
    if (kind == gkImageOrgSize) {
        MoveToEx(dc, x + 6, y + 4, nullptr);
        LineTo(dc, x + 7, y + 4);
        LineTo(dc, x + 7, y + 10);
        return;
    }
    MoveToEx(dc, x + 4, y + 7, nullptr);
    LineTo(dc, x + 10, y + 7);
    if (kind == gkImageEnlarge) {
        MoveToEx(dc, x + 7, y + 4, nullptr);
        LineTo(dc, x + 7, y + 10);
    }
}

void Draw(TGlyphKind kind, HDC dc, const RECT& r, bool on) {
    const int x = r.left, y = r.top;
    switch (kind) {
    case gkRefresh: {
        Pen p(dc, Tone(RGB(0, 110, 0), on), Tone(RGB(0, 160, 0), on), 2);
        Arc(dc, x + 2, y + 2, x + 14, y + 14, x + 14, y + 6, x + 8, y + 2);
        Pen q(dc, Tone(RGB(0, 110, 0), on), Tone(RGB(0, 160, 0), on));
        Poly(dc, x, y, {{14, 3}, {15, 9}, {10, 8}});
        break;
    }
    case gkFolderShortcut: {
        Pen p(dc, Tone(RGB(140, 100, 0), on), Tone(RGB(250, 210, 80), on));
        Poly(dc, x, y, {{1, 4}, {6, 4}, {7, 6}, {15, 6}, {15, 14}, {1, 14}});
        Pen s(dc, Tone(RGB(200, 0, 0), on), Tone(RGB(230, 40, 40), on));
        Poly(dc, x, y, {{9, 1}, {10, 4}, {13, 4}, {11, 6}, {12, 9}, {9, 7}, {6, 9}, {7, 6}, {5, 4}, {8, 4}});
        break;
    }
    case gkFileSearch:
        Page(dc, x + 1, y, 10, 13, on);
        Magnifier(dc, x + 3, y + 3, on);
        break;
    case gkExit: {
        Pen p(dc, Tone(RGB(90, 60, 30), on), Tone(RGB(170, 120, 70), on));
        Rectangle(dc, x + 2, y + 1, x + 10, y + 15);
        Arrow(dc, x + 3, y, false, on);
        break;
    }
    case gkHelp: {
        Pen p(dc, Tone(RGB(0, 60, 160), on), Tone(RGB(40, 110, 220), on));
        Ellipse(dc, x + 1, y + 1, x + 15, y + 15);
        TFont f;
        f.Name = "Arial";
        f.Height = 12;
        f.Bold = true;
        gdi::Select font(dc, f.Handle());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        RECT t = r;
        DrawTextA(dc, "?", 1, &t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        break;
    }
    case gkArrowLeft:
    case gkArrowRight:
        Arrow(dc, x, y, kind == gkArrowLeft, on);
        break;
    case gkFullLoad: {
        Page(dc, x + 2, y + 1, 11, 14, on);
        Lines(dc, x + 4, y + 4, 7, 2, on);
        Pen p(dc, Tone(RGB(200, 0, 0), on), Tone(RGB(230, 60, 60), on));
        Poly(dc, x, y, {{5, 9}, {10, 9}, {10, 11}, {12, 11}, {7, 15}, {3, 11}, {5, 11}});
        break;
    }
    case gkEditor: {
        Page(dc, x + 1, y + 1, 10, 14, on);
        Lines(dc, x + 3, y + 4, 6, 3, on);
        Pen p(dc, Tone(RGB(120, 60, 0), on), Tone(RGB(250, 190, 60), on));
        Poly(dc, x, y, {{14, 3}, {16, 5}, {9, 12}, {6, 13}, {7, 10}});
        break;
    }
    case gkHyperlink: {
        Pen p(dc, Tone(RGB(0, 60, 160), on), Tone(RGB(170, 210, 255), on));
        Ellipse(dc, x + 1, y + 1, x + 15, y + 15);
        Pen q(dc, Tone(RGB(0, 60, 160), on), Tone(RGB(170, 210, 255), on));
        MoveToEx(dc, x + 1, y + 8, nullptr);
        LineTo(dc, x + 15, y + 8);
        Arc(dc, x + 4, y + 1, x + 12, y + 15, x + 8, y + 1, x + 8, y + 15);
        Arc(dc, x + 4, y + 1, x + 12, y + 15, x + 8, y + 15, x + 8, y + 1);
        break;
    }
    case gkCopy:
        Page(dc, x + 1, y + 1, 9, 11, on);
        Page(dc, x + 6, y + 4, 9, 11, on);
        Lines(dc, x + 8, y + 7, 5, 2, on);
        break;
    case gkSelectAll: {
        Page(dc, x + 2, y + 1, 12, 14, on);
        Pen p(dc, Tone(RGB(10, 36, 106), on), Tone(RGB(10, 36, 106), on));
        Rectangle(dc, x + 4, y + 3, x + 12, y + 13);
        break;
    }
    case gkTextSearch:
        Page(dc, x, y, 11, 14, on);
        Lines(dc, x + 2, y + 3, 7, 2, on);
        Magnifier(dc, x + 4, y + 4, on);
        break;
    case gkLaunch: {
        Pen p(dc, Tone(RGB(0, 100, 0), on), Tone(RGB(50, 190, 50), on));
        Poly(dc, x, y, {{4, 2}, {14, 8}, {4, 14}});
        break;
    }
    case gkLargeIcons:
        Tile(dc, x + 1, y + 1, 6, 6, on);
        Tile(dc, x + 9, y + 1, 6, 6, on);
        Tile(dc, x + 1, y + 9, 6, 6, on);
        Tile(dc, x + 9, y + 9, 6, 6, on);
        break;
    case gkSmallIcons:
        for (int i = 0; i < 3; ++i) {
            Tile(dc, x + 1, y + 2 + i * 5, 3, 3, on);
            Tile(dc, x + 9, y + 2 + i * 5, 3, 3, on);
        }
        Lines(dc, x + 5, y + 3, 3, 3, on);
        break;
    case gkListStyle:
        for (int i = 0; i < 4; ++i) Tile(dc, x + 1, y + 1 + i * 4, 3, 3, on);
        Lines(dc, x + 6, y + 2, 9, 5, on);
        break;
    case gkReportStyle:
        for (int i = 0; i < 4; ++i) Tile(dc, x + 1, y + 1 + i * 4, 3, 3, on);
        Lines(dc, x + 6, y + 2, 4, 5, on);
        Lines(dc, x + 12, y + 2, 3, 5, on);
        break;
    case gkGridLines: {
        Pen p(dc, Tone(RGB(80, 80, 80), on), Tone(RGB(255, 255, 255), on));
        Rectangle(dc, x + 1, y + 1, x + 15, y + 15);
        for (int i = 1; i < 3; ++i) {
            MoveToEx(dc, x + 1, y + 1 + i * 5, nullptr);
            LineTo(dc, x + 15, y + 1 + i * 5);
        }
        MoveToEx(dc, x + 7, y + 1, nullptr);
        LineTo(dc, x + 7, y + 15);
        break;
    }
    case gkColumnSize:
    case gkColumnType:
    case gkColumnDate:
    case gkColumnAttr:
    case gkColumnFolder:
        ColumnSign(dc, x, y, kind, on);
        break;
    case gkImageOrgSize:
    case gkImageReduce:
    case gkImageEnlarge:
        ZoomSign(dc, x, y, kind, on);
        break;
    }
}
}  // namespace

TSpeedButton::TGlyph MakeGlyph(TGlyphKind kind) {
    return [kind](HDC dc, const RECT& r, bool enabled) { Draw(kind, dc, r, enabled); };
}
