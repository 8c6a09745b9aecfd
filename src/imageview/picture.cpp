#include "imageview/picture.h"

#include <cstring>

#include "base/sjis.h"
#include "base/strutil.h"
#include "imageview/dib_pixels.h"
#include "imageview/input_stream.h"
#include "imageview/jpeg_graphic.h"
#include "imageview/png_graphic.h"
#include "ui/gdi.h"


namespace {
std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    TFileInputStream stream(path);
    std::vector<uint8_t> data;
    uint8_t buffer[64 * 1024];
    for (size_t n; (n = stream.Read(buffer, sizeof buffer)) > 0;)
        data.insert(data.end(), buffer, buffer + n);
    return data;
}

int ScreenPixelsPerInch() {
    const int ppi = GetDeviceCaps(gdi::WindowDC(), LOGPIXELSY);
    return ppi > 0 ? ppi : 96;
}

#pragma pack(push, 2)
// The header some programs put before a Windows metafile: its size in
// logical units and how many of them make an inch.
struct TPlaceableHeader {
    uint32_t Key;
    uint16_t Handle;
    int16_t Left, Top, Right, Bottom;
    uint16_t Inch;
    uint32_t Reserved;
    uint16_t Checksum;
};
#pragma pack(pop)
static_assert(sizeof(TPlaceableHeader) == 22, "placeable metafile header is 22 bytes");
constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
// The picture on the background by its alpha plane, into 24-bit rows that
// are stored bottom-up from `bits`; these may be the picture's own rows.
void BlendOnto(const TDibBitmap& dib, const TDibBitmap& alphaPlane, COLORREF background, uint8_t* bits,
               size_t stride) {
    const int bg[3] = {GetBValue(background), GetGValue(background), GetRValue(background)};
    for (int y = 0; y < dib.Height(); ++y) {
        const uint8_t* src = dib.Row(y);
        const uint8_t* a = alphaPlane.Row(y);
        uint8_t* dst = bits + stride * static_cast<size_t>(dib.Height() - 1 - y);
        for (int x = 0; x < dib.Width(); ++x) {
            uint8_t c[3];
            if (dib.BitCount() == 24) {
                std::memcpy(c, src + x * 3, 3);
            } else {
                const TRgbQuad q = PaletteColor(dib, src, x);
                c[0] = q.Blue;
                c[1] = q.Green;
                c[2] = q.Red;
            }
            const int alpha = 255 - a[x];
            for (int k = 0; k < 3; ++k)
                dst[x * 3 + k] = static_cast<uint8_t>((c[k] * alpha + bg[k] * (255 - alpha) + 127) / 255);
        }
    }
}
} // namespace

std::vector<uint8_t> DibInfoFor(const TDibBitmap& dib) {
    const size_t colours = dib.Palette().size();
    std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD));
    auto* h = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    h->biSize = sizeof(BITMAPINFOHEADER);
    h->biWidth = dib.Width();
    h->biHeight = dib.Height();
    h->biPlanes = 1;
    h->biBitCount = static_cast<WORD>(dib.BitCount());
    h->biCompression = BI_RGB;
    h->biSizeImage = static_cast<DWORD>(dib.ImageSize());
    h->biClrUsed = static_cast<DWORD>(colours);
    if (colours)
        std::memcpy(info.data() + sizeof(BITMAPINFOHEADER), dib.Palette().data(),
                    colours * sizeof(RGBQUAD));
    return info;
}

TPicture::TPicture() = default;

TPicture::~TPicture() { ReleaseHandles(); }

void TPicture::ReleaseHandles() {
    if (bitmap_ && shownBits_) {
        // Kept for the next picture rather than given back.
        spare_ = TSection{std::move(bitmap_), shownBits_, shownWidth_, shownHeight_};
    }
    bitmap_.Reset();
    shownBits_ = nullptr;
    shownWidth_ = shownHeight_ = 0;
    palette_.Reset();
    if (icon_) DestroyIcon(icon_);
    if (metafile_) DeleteEnhMetaFile(metafile_);
    icon_ = nullptr;
    metafile_ = nullptr;
    width_ = height_ = 0;
    bitmapWidth_ = bitmapHeight_ = 0;
    scale_ = 1;
}

uint8_t* TPicture::SectionFor(uint32_t width, uint32_t height, int bitCount) {
    // Colour pictures only: a palette would have to reach the section
    // before the decoder has read it.
    if (bitCount != 24) return nullptr;
    if (spare_.Bitmap && spare_.Width == width && spare_.Height == height) return spare_.Bits;
    spare_ = TSection{};
    void* bits = nullptr;
    // Bottom-up, as TDibBitmap keeps its rows.
    gdi::Bitmap section = gdi::DibSection(static_cast<int>(width), static_cast<int>(height), 24, &bits);
    if (!section || !bits) return nullptr;
    spare_ = TSection{std::move(section), static_cast<uint8_t*>(bits), width, height};
    return spare_.Bits;
}

void TPicture::ShowSection() {
    shownBits_ = spare_.Bits;
    shownWidth_ = spare_.Width;
    shownHeight_ = spare_.Height;
    bitmap_ = std::move(spare_.Bitmap);
    spare_ = TSection{};
    bitmapWidth_ = static_cast<int>(shownWidth_);
    bitmapHeight_ = static_cast<int>(shownHeight_);
}

void TPicture::Clear() {
    const bool had = !Empty();
    ReleaseHandles();
    if (had) Changed();
}

void TPicture::SetBitmap(HBITMAP bitmap, HPALETTE palette) {
    ReleaseHandles();
    bitmap_.Reset(bitmap);
    palette_.Reset(palette);
    if (bitmap_) {
        BITMAP bm{};
        GetObjectA(bitmap_, sizeof bm, &bm);
        width_ = bitmapWidth_ = bm.bmWidth;
        height_ = bitmapHeight_ = bm.bmHeight;
    }
    Changed();
}

bool TPicture::SetDib(const TDibBitmap& dib, const TDibBitmap* alphaPlane, COLORREF background) {
    ReleaseHandles();
    if (dib.Empty()) {
        Changed();
        return false;
    }
    const bool blend = alphaPlane && !alphaPlane->Empty() && alphaPlane->Width() == dib.Width() &&
                       alphaPlane->Height() == dib.Height();
    // Blending needs colour pixels; a palette picture with alpha becomes 24-bit.
    TDibBitmap blended;
    const TDibBitmap* source = &dib;
    if (blend) {
        if (!blended.Create(dib.Width(), dib.Height(), 24)) {
            Changed();
            return false;
        }
        BlendOnto(dib, *alphaPlane, background, blended.Bits(), blended.Stride());
        source = &blended;
    }
    std::vector<uint8_t> info = DibInfoFor(*source);
    void* bits = nullptr;
    gdi::Bitmap section(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info.data()),
                                         DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || !bits) {
        Changed();
        return false;
    }
    std::memcpy(bits, source->Bits(), source->ImageSize());
    bitmap_ = std::move(section);
    width_ = bitmapWidth_ = source->Width();
    height_ = bitmapHeight_ = source->Height();
    Changed();
    return true;
}

void TPicture::LoadFromFile(const std::string& path, const TJpegScaleRule& jpegScale) {
    ReleaseHandles();
    const std::string ext = SjisUpperCase(ExtractFileExt(path));
    try {
        if (ext == ".BMP") {
            LoadBitmapFile(path);
        } else if (ext == ".ICO") {
            LoadIconFile(path);
        } else if (ext == ".WMF") {
            LoadMetafile(path, false);
        } else if (ext == ".EMF") {
            LoadMetafile(path, true);
        } else if (ext == ".JPG" || ext == ".JPEG") {
            LoadJpegFile(path, jpegScale);
        } else {
            throw EPictureError("Unknown picture file extension (" + ext + ")");
        }
    } catch (...) {
        ReleaseHandles();
        Changed();
        throw;
    }
    Changed();
}

void TPicture::LoadBitmapFile(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) throw EFOpenError(path);
    auto* bmp = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!bmp) throw EPictureError("Bitmap image is not valid");
    SetBitmap(bmp);
}

void TPicture::LoadIconFile(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) throw EFOpenError(path);
    auto* icon =
        static_cast<HICON>(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
    if (!icon) throw EPictureError("Icon image is not valid");
    ICONINFO ii{};
    int w = 32, h = 32;
    if (GetIconInfo(icon, &ii)) {
        // The icon's bitmaps are copies made for the caller.
        const gdi::Bitmap color(ii.hbmColor), mask(ii.hbmMask);
        BITMAP bm{};
        if (ii.hbmColor && GetObjectA(ii.hbmColor, sizeof bm, &bm)) {
            w = bm.bmWidth;
            h = bm.bmHeight;
        } else if (ii.hbmMask && GetObjectA(ii.hbmMask, sizeof bm, &bm)) {
            w = bm.bmWidth;
            h = bm.bmHeight / 2; // a monochrome icon stacks its mask and image
        }
    }
    icon_ = icon;
    width_ = w;
    height_ = h;
}

void TPicture::LoadMetafile(const std::string& path, bool enhanced) {
    const std::vector<uint8_t> data = ReadWholeFile(path);
    HENHMETAFILE emf = nullptr;
    const int ppi = ScreenPixelsPerInch();
    int w = 0, h = 0;
    if (enhanced) {
        emf = SetEnhMetaFileBits(static_cast<UINT>(data.size()), data.data());
    } else {
        const uint8_t* body = data.data();
        size_t size = data.size();
        METAFILEPICT mfp{MM_ANISOTROPIC, 0, 0, nullptr};
        bool placeable = false;
        TPlaceableHeader ph{};
        if (size >= sizeof ph) std::memcpy(&ph, body, sizeof ph);
        if (size >= sizeof ph && ph.Key == kPlaceableKey && ph.Inch > 0) {
            placeable = true;
            body += sizeof ph;
            size -= sizeof ph;
            w = std::abs(ph.Right - ph.Left) * ppi / ph.Inch;
            h = std::abs(ph.Bottom - ph.Top) * ppi / ph.Inch;
            mfp.xExt = std::abs(ph.Right - ph.Left) * 2540 / ph.Inch; // 0.01 mm
            mfp.yExt = std::abs(ph.Bottom - ph.Top) * 2540 / ph.Inch;
        }
        if (size >= 18)
            emf = SetWinMetaFileBits(static_cast<UINT>(size), body, nullptr,
                                     placeable ? &mfp : nullptr);
    }
    if (!emf) throw EPictureError("Metafile is not valid");
    if (w <= 0 || h <= 0) {
        ENHMETAHEADER eh{};
        GetEnhMetaFileHeader(emf, sizeof eh, &eh);
        // The frame is in 0.01 mm, inclusive.
        w = MulDiv(eh.rclFrame.right - eh.rclFrame.left, ppi, 2540);
        h = MulDiv(eh.rclFrame.bottom - eh.rclFrame.top, ppi, 2540);
        if (w <= 0 || h <= 0) {
            w = eh.rclBounds.right - eh.rclBounds.left + 1;
            h = eh.rclBounds.bottom - eh.rclBounds.top + 1;
        }
    }
    if (w <= 0 || h <= 0) {
        DeleteEnhMetaFile(emf);
        throw EPictureError("Metafile has no size");
    }
    metafile_ = emf;
    width_ = w;
    height_ = h;
}

// The decoders are kept with their buffers and write colour pixels
// straight into the section the picture is drawn from.
void TPicture::LoadPngFile(const std::string& path, COLORREF background) {
    ReleaseHandles();
    if (!png_) {
        png_ = std::make_unique<TPngGraphic>();
        png_->SetPixelSource([this](uint32_t w, uint32_t h, int bitCount) { return SectionFor(w, h, bitCount); });
    }
    try {
        png_->LoadFromFile(path);
    } catch (...) {
        Changed();
        throw;
    }
    const TDibBitmap& image = png_->Image();
    if (!image.BorrowedPixels()) {
        if (!SetDib(image, &png_->AlphaPlane(), background)) throw EPictureError("Out of system resources");
        return;
    }
    // Blended where the pixels are: each pixel is read before it is written.
    if (!png_->AlphaPlane().Empty()) BlendOnto(image, png_->AlphaPlane(), background, spare_.Bits, image.Stride());
    ShowSection();
    width_ = image.Width();
    height_ = image.Height();
    Changed();
}

void TPicture::LoadJpegFile(const std::string& path, const TJpegScaleRule& scale) {
    if (!jpeg_) {
        jpeg_ = std::make_unique<TJpegGraphic>();
        jpeg_->SetPixelSource([this](uint32_t w, uint32_t h, int bitCount) { return SectionFor(w, h, bitCount); });
    }
    jpeg_->LoadFromFile(path, scale);
    if (jpeg_->Image().BorrowedPixels()) {
        ShowSection();
    } else if (!SetDib(jpeg_->Image())) {
        throw EPictureError("Out of system resources");
    }
    width_ = jpeg_->Width();
    height_ = jpeg_->Height();
    scale_ = jpeg_->Scale();
}

void TPicture::Draw(HDC dc, const RECT& r) const {
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    if (bitmap_) {
        gdi::MemoryDC mem(dc);
        gdi::Select source(mem, bitmap_);
        HPALETTE oldPal = nullptr;
        if (palette_) {
            oldPal = SelectPalette(dc, palette_, TRUE);
            RealizePalette(dc);
        }
        // From the bitmap's own size: a reduced one is smaller than the picture.
        const int bw = bitmapWidth_, bh = bitmapHeight_;
        if (w == bw && h == bh) {
            BitBlt(dc, r.left, r.top, w, h, mem, 0, 0, SRCCOPY);
        } else {
            POINT org;
            const int mode = (w < bw || h < bh) ? HALFTONE : COLORONCOLOR;
            SetStretchBltMode(dc, mode);
            if (mode == HALFTONE) SetBrushOrgEx(dc, 0, 0, &org);
            StretchBlt(dc, r.left, r.top, w, h, mem, 0, 0, bw, bh, SRCCOPY);
        }
        if (palette_) SelectPalette(dc, oldPal, TRUE);
    } else if (icon_) {
        DrawIconEx(dc, r.left, r.top, icon_, w, h, 0, nullptr, DI_NORMAL);
    } else if (metafile_) {
        PlayEnhMetaFile(dc, metafile_, &r);
    }
}

bool TPicture::RenderBgr(std::vector<uint8_t>& pixels) const {
    if (Empty() || width_ <= 0 || height_ <= 0) return false;
    void* bits = nullptr;
    gdi::MemoryDC dc(nullptr, gdi::DibSection(width_, height_, 24, &bits, true));
    if (!dc || !bits) return false;
    RECT r{0, 0, width_, height_};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    Draw(dc, r);
    GdiFlush();
    const size_t stride = (size_t(width_) * 3 + 3) & ~size_t(3);
    pixels.resize(size_t(width_) * 3 * height_);
    for (int y = 0; y < height_; ++y)
        std::memcpy(pixels.data() + size_t(y) * width_ * 3,
                    static_cast<uint8_t*>(bits) + stride * y, size_t(width_) * 3);
    return true;
}
