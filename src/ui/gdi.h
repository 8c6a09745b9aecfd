// Owned GDI handles: every object a painter makes is deleted, every object it
// selects is put back and every device context it takes is given back, on
// every path out, in the reverse order of taking. Painting code holds these
// instead of pairing Create/Delete and Select/restore by hand.
#pragma once
#include <functional>
#include <utility>

#include "ui/win32.h"

namespace gdi {

// A pen, brush, font, bitmap or region, deleted with DeleteObject.
template <class H>
class Object {
public:
    Object() = default;
    explicit Object(H h) : h_(h) {}
    ~Object() { Reset(); }
    Object(Object&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    Object& operator=(Object&& o) noexcept {
        if (this != &o) Reset(std::exchange(o.h_, nullptr));
        return *this;
    }
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    H get() const { return h_; }
    operator H() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    void Reset(H h = nullptr) {
        if (h_ && h_ != h) DeleteObject(h_);
        h_ = h;
    }
    // Gives up ownership (the caller deletes it, or hands it to Windows).
    H Release() { return std::exchange(h_, nullptr); }

private:
    H h_ = nullptr;
};

using Brush = Object<HBRUSH>;
using Pen = Object<HPEN>;
using Font = Object<HFONT>;
using Bitmap = Object<HBITMAP>;
using Region = Object<HRGN>;

inline Brush SolidBrush(COLORREF c) { return Brush(CreateSolidBrush(c)); }
inline Pen SolidPen(COLORREF c, int width = 1, int style = PS_SOLID) {
    return Pen(CreatePen(style, width, c));
}
// Fills r with one colour.
void FillSolid(HDC dc, const RECT& r, COLORREF c);

// Selects an object into a device context for one scope; the object that was
// there before comes back at the end. A null object selects nothing.
class Select {
public:
    Select(HDC dc, HGDIOBJ obj) : dc_(dc), old_(dc && obj ? SelectObject(dc, obj) : nullptr) {}
    ~Select() {
        if (old_) SelectObject(dc_, old_);
    }
    Select(const Select&) = delete;
    Select& operator=(const Select&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A pen and a brush made and selected for one scope: outlines in `line`,
// fills in `fill`.
class PenAndBrush {
public:
    PenAndBrush(HDC dc, COLORREF line, COLORREF fill, int width = 1)
        : pen_(SolidPen(line, width)), brush_(SolidBrush(fill)), selectPen_(dc, pen_), selectBrush_(dc, brush_) {}

private:
    Pen pen_;
    Brush brush_;
    Select selectPen_, selectBrush_;
};

// A device context's whole state (clip, objects, colours) put back at scope end.
class SavedDC {
public:
    explicit SavedDC(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
    ~SavedDC() {
        if (id_) RestoreDC(dc_, id_);
    }
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;

private:
    HDC dc_;
    int id_;
};

// A device context from GetDC, released with ReleaseDC; no window means the screen.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd = nullptr) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }
    operator HDC() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// A memory device context, optionally with a bitmap of its own selected
// into it. On destruction the bitmap is deselected, then deleted, then the
// context. Without a reference context it is compatible with the screen.
class MemoryDC {
public:
    explicit MemoryDC(HDC reference = nullptr);
    // With a bitmap compatible with `reference` of w x h (at least 1 x 1).
    MemoryDC(HDC reference, int width, int height);
    // With `bitmap`, which the context now owns.
    MemoryDC(HDC reference, Bitmap bitmap);
    ~MemoryDC();
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    HDC get() const { return dc_; }
    operator HDC() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_.get(); }
    // Deselects the bitmap and hands it over (a bitmap is read with
    // GetDIBits only when no context holds it).
    Bitmap TakeBitmap();
    // A context and, where one was asked for, its bitmap.
    explicit operator bool() const { return dc_ && (!wantsBitmap_ || bitmap_); }

private:
    void SelectOwn();
    HDC dc_;
    Bitmap bitmap_;
    HGDIOBJ old_ = nullptr;
    bool wantsBitmap_ = false;
};

// A DIB section of w x h at `bitCount` bits per pixel (bottom-up unless
// topDown); `bits` receives its pixels.
Bitmap DibSection(int width, int height, int bitCount, void** bits, bool topDown = false);

// The one double-buffered WM_PAINT: between BeginPaint and EndPaint, `paint`
// draws the whole client area (given as its rectangle) into an off-screen
// bitmap clipped to the invalid part, which is then copied to the window in
// one piece, so nothing flickers.
void PaintBuffered(HWND hwnd, const std::function<void(HDC dc, const RECT& client)>& paint);

}  // namespace gdi
