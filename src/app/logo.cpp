#include "app/logo.h"

#include "ui/controls.h"
#include "ui/gdi.h"

void DrawLogo(HDC dc, int x, int y) {
    // Vertical gradient from deep blue to black, in bands.
    for (int row = 0; row < kLogoHeight; ++row) {
        int t = row * 255 / (kLogoHeight - 1);
        gdi::FillSolid(dc, RECT{x, y + row, x + kLogoWidth, y + row + 1}, RGB(0, (255 - t) / 5, 128 - t / 2));
    }
    // A quill: a slanted white vane with a gold nib.
    POINT vane[] = {{x + 16, y + 66}, {x + 52, y + 6}, {x + 60, y + 10}, {x + 24, y + 66}};
    POINT nib[] = {{x + 16, y + 66}, {x + 24, y + 66}, {x + 14, y + 73}};
    {
        gdi::Select noPen(dc, GetStockObject(NULL_PEN));
        {
            gdi::Brush white = gdi::SolidBrush(RGB(235, 240, 255));
            gdi::Select brush(dc, white);
            Polygon(dc, vane, 4);
        }
        gdi::Brush gold = gdi::SolidBrush(RGB(255, 200, 60));
        gdi::Select brush(dc, gold);
        Polygon(dc, nib, 3);
    }

    TFont f;
    f.Name = "Arial";
    f.Height = 44;
    f.Bold = true;
    f.Italic = true;
    gdi::Select font(dc, f.Handle());
    SetBkMode(dc, TRANSPARENT);
    RECT r{x + 66, y + 8, x + kLogoWidth, y + kLogoHeight - 8};
    OffsetRect(&r, 2, 2);
    SetTextColor(dc, RGB(0, 60, 160));
    DrawTextA(dc, "Quillmark", -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    OffsetRect(&r, -2, -2);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawTextA(dc, "Quillmark", -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}
