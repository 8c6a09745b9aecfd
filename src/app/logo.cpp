#include "app/logo.h"

#include "ui/controls.h"

void DrawLogo(HDC dc, int x, int y) {
    // Vertical gradient from deep blue to black, in bands.
    for (int row = 0; row < kLogoHeight; ++row) {
        int t = row * 255 / (kLogoHeight - 1);
        HBRUSH b = CreateSolidBrush(RGB(0, (255 - t) / 5, 128 - t / 2));
        RECT r{x, y + row, x + kLogoWidth, y + row + 1};
        FillRect(dc, &r, b);
        DeleteObject(b);
    }
    // A quill: a slanted white vane with a gold nib.
    POINT vane[] = {{x + 16, y + 66}, {x + 52, y + 6}, {x + 60, y + 10}, {x + 24, y + 66}};
    POINT nib[] = {{x + 16, y + 66}, {x + 24, y + 66}, {x + 14, y + 73}};
    HBRUSH white = CreateSolidBrush(RGB(235, 240, 255));
    HBRUSH gold = CreateSolidBrush(RGB(255, 200, 60));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, white);
    Polygon(dc, vane, 4);
    SelectObject(dc, gold);
    Polygon(dc, nib, 3);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(white);
    DeleteObject(gold);

    TFont f;
    f.Name = "Arial";
    f.Height = 44;
    f.Bold = true;
    f.Italic = true;
    HGDIOBJ oldFont = SelectObject(dc, f.Handle());
    SetBkMode(dc, TRANSPARENT);
    RECT r{x + 66, y + 8, x + kLogoWidth, y + kLogoHeight - 8};
    OffsetRect(&r, 2, 2);
    SetTextColor(dc, RGB(0, 60, 160));
    DrawTextA(dc, "Quillmark", -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    OffsetRect(&r, -2, -2);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawTextA(dc, "Quillmark", -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, oldFont);
}

HBITMAP CreateLogoBitmap(HDC reference) {
    HDC mem = CreateCompatibleDC(reference);
    HBITMAP bmp = CreateCompatibleBitmap(reference, kLogoWidth, kLogoHeight);
    HGDIOBJ old = SelectObject(mem, bmp);
    DrawLogo(mem, 0, 0);
    SelectObject(mem, old);
    DeleteDC(mem);
    return bmp;
}
