#include "ui/gdi.h"

#include <algorithm>

namespace gdi {

void FillSolid(HDC dc, const RECT& r, COLORREF c) {
    Brush b = SolidBrush(c);
    FillRect(dc, &r, b);
}

MemoryDC::MemoryDC(HDC reference) : dc_(CreateCompatibleDC(reference)) {}

MemoryDC::MemoryDC(HDC reference, int width, int height) : dc_(CreateCompatibleDC(reference)) {
    wantsBitmap_ = true;
    // A context made from no reference holds a 1x1 monochrome bitmap: size
    // the new one after the screen instead.
    if (reference) {
        bitmap_.Reset(CreateCompatibleBitmap(reference, std::max(1, width), std::max(1, height)));
    } else {
        WindowDC screen;
        bitmap_.Reset(CreateCompatibleBitmap(screen, std::max(1, width), std::max(1, height)));
    }
    SelectOwn();
}

MemoryDC::MemoryDC(HDC reference, Bitmap bitmap)
    : dc_(CreateCompatibleDC(reference)), bitmap_(std::move(bitmap)) {
    wantsBitmap_ = true;
    SelectOwn();
}

void MemoryDC::SelectOwn() {
    if (dc_ && bitmap_) old_ = SelectObject(dc_, bitmap_);
}

Bitmap MemoryDC::TakeBitmap() {
    if (old_) SelectObject(dc_, old_);
    old_ = nullptr;
    return std::move(bitmap_);
}

MemoryDC::~MemoryDC() {
    if (old_) SelectObject(dc_, old_);
    bitmap_.Reset();
    if (dc_) DeleteDC(dc_);
}

Bitmap DibSection(int width, int height, int bitCount, void** bits, bool topDown) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = topDown ? -height : height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = static_cast<WORD>(bitCount);
    bi.bmiHeader.biCompression = BI_RGB;
    void* unused = nullptr;
    return Bitmap(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, bits ? bits : &unused, nullptr, 0));
}

void PaintBuffered(HWND hwnd, const std::function<void(HDC, const RECT&)>& paint) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (dc) {
        RECT rc;
        GetClientRect(hwnd, &rc);
        MemoryDC mem(dc, rc.right, rc.bottom);
        if (mem) {
            // Only the invalid part reaches the window: drawing stops there too.
            IntersectClipRect(mem, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom);
            paint(mem, rc);
            BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                   ps.rcPaint.bottom - ps.rcPaint.top, mem, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
        } else {
            // No memory for the buffer: draw straight to the window rather than not at all.
            paint(dc, rc);
        }
    }
    EndPaint(hwnd, &ps);
}

}  // namespace gdi
