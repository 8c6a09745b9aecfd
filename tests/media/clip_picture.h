// What the screen shows of the sample clip while it plays, checked against
// what its frames must show: a teal sky that darkens towards navy, a green
// floor, one red ball rolling along its bouncing path and a white progress
// bar along the floor whose length tells the frame.
#pragma once
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "ui/win32.h"

namespace clip_picture {
constexpr int kWidth = 160, kHeight = 120, kFrames = 30;

struct TRgb {
    int r, g, b;
};

// Pixels of a window's client area as the screen shows them.
class TCapture {
public:
    TCapture(HWND hwnd, const RECT& area)
        : width_(area.right - area.left), height_(area.bottom - area.top),
          pixels_(static_cast<size_t>(width_) * height_) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width_;
        bi.bmiHeader.biHeight = -height_; // top-down
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        HDC dc = GetDC(hwnd);
        HDC mem = CreateCompatibleDC(dc);
        void* bits = nullptr;
        HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(mem, bmp);
        BitBlt(mem, 0, 0, width_, height_, dc, area.left, area.top, SRCCOPY);
        GdiFlush();
        const auto* p = static_cast<const uint32_t*>(bits);
        pixels_.assign(p, p + pixels_.size());
        SelectObject(mem, old);
        DeleteObject(bmp);
        DeleteDC(mem);
        ReleaseDC(hwnd, dc);
    }
    TRgb At(int x, int y) const {
        const uint32_t v = pixels_[static_cast<size_t>(y) * width_ + x];
        return {static_cast<int>(v >> 16 & 0xFF), static_cast<int>(v >> 8 & 0xFF), static_cast<int>(v & 0xFF)};
    }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    int width_, height_;
    std::vector<uint32_t> pixels_;
};

inline bool Near(TRgb p, TRgb want, int tolerance = 16) {
    return std::abs(p.r - want.r) <= tolerance && std::abs(p.g - want.g) <= tolerance &&
           std::abs(p.b - want.b) <= tolerance;
}

inline std::string Describe(const char* what, int x, int y, TRgb p) {
    char text[96];
    std::snprintf(text, sizeof text, "%s at (%d, %d) is (%d, %d, %d)", what, x, y, p.r, p.g, p.b);
    return text;
}

// What one look at the clip's picture found: the bar's length, the frame
// that length tells, and what disagrees with that frame.
struct TLook {
    int Bar = -1;
    int Frame = -1;
    std::vector<std::string> Problems;
    std::string Text() const {
        std::string out;
        for (const std::string& p : Problems) out += p + "; ";
        return out;
    }
};

// Checks a capture whose top left is the top left of the video at its
// natural size.
inline TLook Check(const TCapture& c) {
    TLook look;
    auto problem = [&](const std::string& text) { look.Problems.push_back(text); };
    if (c.Width() < kWidth || c.Height() < kHeight) {
        problem("the video area is smaller than the clip");
        return look;
    }
    // The sky near the top is teal and darkens towards the floor; the
    // floor is green. The ball never climbs this high or sinks this low.
    for (int x : {2, 80, 157}) {
        if (!Near(c.At(x, 4), {58, 175, 195})) problem(Describe("sky", x, 4, c.At(x, 4)));
        if (!Near(c.At(x, 108), {60, 90, 40})) problem(Describe("floor", x, 108, c.At(x, 108)));
    }
    for (int x : {2, 157}) {
        if (!Near(c.At(x, 95), {28, 76, 104})) problem(Describe("lower sky", x, 95, c.At(x, 95)));
    }
    // The bar: white from the left edge, 160 (n + 1) / 30 pixels at frame n.
    int bar = 0;
    while (bar < kWidth && Near(c.At(bar, 113), {240, 240, 240})) ++bar;
    look.Bar = bar;
    for (int n = 0; n < kFrames; ++n) {
        if (kWidth * (n + 1) / kFrames == bar) look.Frame = n;
    }
    if (look.Frame < 0) problem("the bar is " + std::to_string(bar) + " pixels long, as at no frame");
    for (int x = bar; x < kWidth; ++x) {
        if (!Near(c.At(x, 113), {60, 90, 40})) {
            problem(Describe("floor beyond the bar", x, 113, c.At(x, 113)));
            break;
        }
    }
    // One ball, red, about 12 pixels in radius, where the frame has it.
    long count = 0, sumX = 0, sumY = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const TRgb p = c.At(x, y);
            if (p.r > 170 && p.b < 120) {
                ++count;
                sumX += x;
                sumY += y;
            }
        }
    }
    if (count < 300 || count > 500) {
        problem(std::to_string(count) + " red pixels, not one ball's");
    } else if (look.Frame >= 0) {
        const double cx = static_cast<double>(sumX) / count + 0.5, cy = static_cast<double>(sumY) / count + 0.5;
        const double t = static_cast<double>(look.Frame) / kFrames;
        const double wantX = 16 + 128 * t, wantY = 88 - 60 * std::fabs(std::sin(3 * 3.14159265358979 * t));
        if (std::fabs(cx - wantX) > 3 || std::fabs(cy - wantY) > 3) {
            char text[128];
            std::snprintf(text, sizeof text, "the ball is at (%.1f, %.1f), at frame %d it is at (%.1f, %.1f)",
                          cx, cy, look.Frame, wantX, wantY);
            problem(text);
        }
    }
    return look;
}

// Looks at the video drawn into `display` at `area` (the device's
// destination). The player draws from a thread of its own, so a look may
// catch a frame half drawn: a few looks close together, the first without
// problems wins.
inline TLook Look(HWND display, const RECT& area) {
    TLook look;
    for (int attempt = 0; attempt < 5; ++attempt) {
        look = Check(TCapture(display, area));
        if (look.Problems.empty()) break;
        Sleep(15);
    }
    return look;
}
} // namespace clip_picture
