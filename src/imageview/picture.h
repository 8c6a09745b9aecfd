// The picture an image control shows: a bitmap (with its palette), an icon
// or a metafile, loaded by the framework's own loader from .BMP, .ICO,
// .WMF, .EMF and JPEG files, or handed over as a bitmap or a DIB. It owns
// every handle it holds.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "imageview/dib_bitmap.h"
#include "imageview/jpeg_graphic.h"
#include "ui/gdi.h"

class TPngGraphic;

class EPictureError : public std::runtime_error {
public:
    explicit EPictureError(const std::string& message) : std::runtime_error(message) {}
};

class TPicture {
public:
    TPicture();
    ~TPicture();
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    // Reads a picture by its extension (.BMP, .ICO, .WMF, .EMF, .JPG,
    // .JPEG). Throws EPictureError, EJpegError or EFOpenError; the picture
    // is empty after a failure. A JPEG picture may be decoded reduced
    // (`jpegScale`, see TJpegScaleRule): the bitmap is then smaller, while
    // Width() and Height() stay the picture's own size.
    void LoadFromFile(const std::string& path, const TJpegScaleRule& jpegScale = nullptr);

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
    // The picture's own size, also when the bitmap holds it reduced.
    int Width() const { return width_; }
    int Height() const { return height_; }
    // 1 when the bitmap holds the picture at its own size; 2, 4 or 8 when
    // a JPEG picture was decoded at that fraction of each side.
    int Scale() const { return scale_; }
    int BitmapWidth() const { return bitmapWidth_; }
    int BitmapHeight() const { return bitmapHeight_; }
    HBITMAP Bitmap() const { return bitmap_.get(); }
    HPALETTE Palette() const { return palette_.get(); }
    // Hands the palette to the caller; the picture forgets it.
    HPALETTE TakePalette() { return palette_.Release(); }
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
    // A DIB section the decoders write into directly. When a picture goes,
    // its section is kept, so the next picture of the same size and depth
    // is decoded into the same memory: no fresh pages, no copy.
    struct TSection {
        gdi::Bitmap Bitmap;
        uint8_t* Bits = nullptr;
        uint32_t Width = 0, Height = 0;
    };
    uint8_t* SectionFor(uint32_t width, uint32_t height, int bitCount);
    // The kept section holds the decoded picture: it becomes the bitmap.
    void ShowSection();
    void ReleaseHandles();
    void Changed() {
        if (OnChange) OnChange();
    }
    void LoadBitmapFile(const std::string& path);
    void LoadIconFile(const std::string& path);
    void LoadMetafile(const std::string& path, bool enhanced);
    void LoadJpegFile(const std::string& path, const TJpegScaleRule& scale);

    gdi::Bitmap bitmap_;
    gdi::Object<HPALETTE> palette_;
    HICON icon_ = nullptr;
    HENHMETAFILE metafile_ = nullptr;
    int width_ = 0, height_ = 0;
    int bitmapWidth_ = 0, bitmapHeight_ = 0;
    int scale_ = 1;
    // When bitmap_ is a section of ours: its pixels and size, so that it can
    // become the spare when the picture goes.
    uint8_t* shownBits_ = nullptr;
    uint32_t shownWidth_ = 0, shownHeight_ = 0;
    TSection spare_; // the section kept for the next picture
    // Kept from picture to picture with their buffers.
    std::unique_ptr<TJpegGraphic> jpeg_;
    std::unique_ptr<TPngGraphic> png_;
};

// Builds a BITMAPINFO (header and colour table) for a DIB.
std::vector<uint8_t> DibInfoFor(const TDibBitmap& dib);
