// The picture an image control shows: a bitmap (with its palette), an icon
// or a metafile, loaded by the framework's own loader from .BMP, .ICO,
// .WMF, .EMF and JPEG files, or handed over as a bitmap or a DIB. It owns
// every handle it holds.
#pragma once
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "imageview/dib_bitmap.h"
#include "ui/win32.h"

class EPictureError : public std::runtime_error {
public:
    explicit EPictureError(const std::string& message) : std::runtime_error(message) {}
};

class TPicture {
public:
    TPicture() = default;
    ~TPicture();
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    // Reads a picture by its extension (.BMP, .ICO, .WMF, .EMF, .JPG,
    // .JPEG). Throws EPictureError, EJpegError or EFOpenError; the picture
    // is empty after a failure.
    void LoadFromFile(const std::string& path);

    // Reads a PNG file with the program's PNG reader; an alpha channel is
    // blended onto `background`. Throws EPngError or EFOpenError.
    void LoadPngFile(const std::string& path, COLORREF background);

    // Takes the bitmap and the palette (either may be null) into the
    // picture's ownership.
    void SetBitmap(HBITMAP bitmap, HPALETTE palette = nullptr);
    // A copy of a DIB as a DIB section; false (and empty) when it cannot be
    // made. An alpha plane (255 - alpha per pixel), when given, blends the
    // picture onto `background`.
    bool SetDib(const TDibBitmap& dib, const TDibBitmap* alphaPlane = nullptr,
                COLORREF background = RGB(255, 255, 255));
    void Clear();

    bool Empty() const { return !bitmap_ && !icon_ && !metafile_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    HBITMAP Bitmap() const { return bitmap_; }
    HPALETTE Palette() const { return palette_; }
    // Hands the palette to the caller; the picture forgets it.
    HPALETTE TakePalette() {
        HPALETTE p = palette_;
        palette_ = nullptr;
        return p;
    }
    bool IsIcon() const { return icon_ != nullptr; }
    bool IsMetafile() const { return metafile_ != nullptr; }

    // Draws the whole picture into `r`, stretched to it.
    void Draw(HDC dc, const RECT& r) const;
    // The picture at its own size on white, as top-down 24-bit BGR rows
    // without padding; false when it is empty.
    bool RenderBgr(std::vector<uint8_t>& pixels) const;

    // Fires after every change of the picture.
    std::function<void()> OnChange;

private:
    void ReleaseHandles();
    void Changed() {
        if (OnChange) OnChange();
    }
    void LoadBitmapFile(const std::string& path);
    void LoadIconFile(const std::string& path);
    void LoadMetafile(const std::string& path, bool enhanced);
    void LoadJpegFile(const std::string& path);

    HBITMAP bitmap_ = nullptr;
    HPALETTE palette_ = nullptr;
    HICON icon_ = nullptr;
    HENHMETAFILE metafile_ = nullptr;
    int width_ = 0, height_ = 0;
};

// Builds a BITMAPINFO (header and colour table) for a DIB.
std::vector<uint8_t> DibInfoFor(const TDibBitmap& dib);
