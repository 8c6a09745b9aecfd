#include "imageview/flip_image.h"

#include <algorithm>
#include <cstring>

#include "imageview/flip_image_blend.h"
#include "ui/gdi.h"

namespace {
constexpr DWORD kRectsPerPiece = 4094;

// Header and 256 colour entries, enough for either bit depth.
struct DibInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

// A 24-bit top-down surface with its own memory device context.
class DibBuffer {
public:
    DibBuffer(HDC reference, int w, int h)
        : dc_(reference, gdi::DibSection(w, h, 24, &bits_, true)),
          size_(static_cast<std::size_t>(flip::DibStride(w, 24)) * h) {
        if (!dc_ || !bits_) throw EFlipImageError("abnormal params in DrawMix");
    }
    HDC dc() const { return dc_; }
    std::uint8_t* bits() const { return static_cast<std::uint8_t*>(bits_); }
    std::size_t size() const { return size_; }

private:
    void* bits_ = nullptr;
    gdi::MemoryDC dc_;
    std::size_t size_;
};
} // namespace

TFlipImage::TFlipImage(TComponent* owner, TWinControl* parent) : TGraphicControl(owner, parent) {
    width_ = 105;
    height_ = 105;
}

// ---------------------------------------------------------------------------
// Properties

void TFlipImage::SetBitmap(HBITMAP source) {
    flip::FlipPicture p;
    BITMAP bm{};
    if (!source || !GetObjectA(source, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) {
        SetPicture({});
        return;
    }
    DIBSECTION ds{};
    const bool isDib = GetObjectA(source, sizeof ds, &ds) == sizeof ds;
    p.width = bm.bmWidth;
    p.height = bm.bmHeight;
    p.bpp = (bm.bmBitsPixel <= 8 || !isDib) ? 8 : 24;
    DibInfo info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = p.width;
    info.header.biHeight = p.height; // bottom-up, as the renderer reads it
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(p.bpp);
    p.bits.resize(static_cast<std::size_t>(p.Stride()) * p.height);
    const int rows = GetDIBits(gdi::WindowDC(), source, 0, p.height, p.bits.data(),
                               reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    if (rows != p.height) {
        SetPicture({});
        return;
    }
    if (p.bpp == 8) {
        const DWORD used =
            info.header.biClrUsed ? std::min<DWORD>(info.header.biClrUsed, 256) : 256;
        for (DWORD i = 0; i < used; ++i) {
            const RGBQUAD& q = info.colors[i];
            p.palette.push_back(q.rgbBlue | (q.rgbGreen << 8) | (q.rgbRed << 16));
        }
    }
    SetPicture(std::move(p));
}

void TFlipImage::SetPicture(flip::FlipPicture picture) {
    picture_ = std::move(picture);
    if (picture_.Empty()) picture_ = {};
    Render();
}

void TFlipImage::SetAngle(int tenthsOfDegree) {
    const int a = flip::NormalizeAngle(tenthsOfDegree);
    if (a == angle_) return;
    angle_ = a;
    Render();
}

void TFlipImage::SetDirection(int d) {
    d &= 0xFF;
    if (d == direction_) return;
    direction_ = d;
    Render();
}

void TFlipImage::SetDepth(int d) {
    d = flip::ClampDepth(d);
    if (d == depth_) return;
    depth_ = d;
    Render();
}

void TFlipImage::SetZoom(int percent) {
    const double z = flip::ZoomFactor(percent);
    if (z == zoom_) return;
    zoom_ = z;
    Render();
}

void TFlipImage::SetNegative(bool n) {
    if (n == negative_) return;
    negative_ = n;
    if (updateCount_ == 0) Invalidate();
}

void TFlipImage::SetTrnsIndex(int level) {
    level &= 7;
    if (level == trnsIndex_) return;
    trnsIndex_ = level;
    if (updateCount_ == 0) Invalidate();
}

void TFlipImage::SetTransparent(bool t) {
    if (t == transparent_) return;
    transparent_ = t;
    Render();
}

void TFlipImage::SetTransparentColor(COLORREF c) {
    if (c == transparentColor_ && transparentMode_ == tmFixed) return;
    transparentColor_ = c;
    transparentMode_ = tmFixed;
    Render();
}

void TFlipImage::SetTransparentMode(TTransparentMode m) {
    if (m == transparentMode_) return;
    transparentMode_ = m;
    Render();
}

void TFlipImage::EndUpdate() {
    if (updateCount_ > 0) --updateCount_;
    Render();
}

// ---------------------------------------------------------------------------
// Rendering

void TFlipImage::InvalidateImage() {
    if (!parent_ || !parent_->Handle() || frame_.width <= 0 || frame_.height <= 0) return;
    const flip::FlipBox b = flip::FlipRepaintBox(width_, height_, frame_.width, frame_.height);
    if (b.right <= b.left || b.bottom <= b.top) return;
    RECT r{left_ + b.left, top_ + b.top, left_ + b.right, top_ + b.bottom};
    InvalidateRect(parent_->Handle(), &r, TRUE);
}

HRGN TFlipImage::MakeRegion(const RECT* rects, DWORD count) {
    std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
    auto* rd = reinterpret_cast<RGNDATA*>(data.data());
    rd->rdh.dwSize = sizeof(RGNDATAHEADER);
    rd->rdh.iType = RDH_RECTANGLES;
    rd->rdh.nCount = count;
    rd->rdh.nRgnSize = count * sizeof(RECT);
    RECT bound{0, 0, 0, 0};
    for (DWORD i = 0; i < count; ++i) {
        if (i == 0) {
            bound = rects[0];
        } else {
            UnionRect(&bound, &bound, &rects[i]);
        }
    }
    rd->rdh.rcBound = bound;
    if (count) std::memcpy(rd->Buffer, rects, count * sizeof(RECT));
    return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), rd);
}

HRGN TFlipImage::RegionFromRects(const std::vector<flip::FlipRect>& list,
                                 const TRegionMaker& make) {
    std::vector<RECT> rects;
    rects.reserve(list.size());
    for (const flip::FlipRect& r : list)
        rects.push_back({r.left, r.top, r.right, r.bottom});
    if (rects.empty()) return CreateRectRgn(0, 0, 0, 0);
    if (HRGN whole = make(rects.data(), static_cast<DWORD>(rects.size()))) return whole;
    gdi::Region result;
    for (std::size_t i = 0; i < rects.size(); i += kRectsPerPiece) {
        const DWORD n = static_cast<DWORD>(std::min<std::size_t>(kRectsPerPiece, rects.size() - i));
        gdi::Region piece(make(rects.data() + i, n));
        if (!piece) continue;
        if (!result) {
            result = std::move(piece);
        } else {
            CombineRgn(result, result, piece, RGN_OR);
        }
    }
    return result ? result.Release() : CreateRectRgn(0, 0, 0, 0);
}

void TFlipImage::Render() {
    if (updateCount_ > 0) return;
    InvalidateImage();
    image_.Reset();
    region_.Reset();
    frame_ = {};
    if (picture_.Empty()) return;
    const flip::FlipGeometry g = flip::ComputeFlipGeometry(picture_.width, picture_.height, angle_,
                                                           direction_, depth_, zoom_);
    if (g.Empty()) return; // edge-on; the old area is already repainted
    flip::FlipTransparency t;
    if (transparent_) {
        t.on = true;
        t.key = transparentMode_ == tmAuto ? flip::AutoTransparentKey(picture_)
                                           : flip::FixedTransparentKey(picture_, transparentColor_);
    }
    flip::FlipFrame frame = flip::RenderFlipFrame(picture_, g, direction_, t);

    DibInfo info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = frame.width;
    info.header.biHeight = -frame.height;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(frame.bpp);
    if (frame.bpp == 8) {
        info.header.biClrUsed = static_cast<DWORD>(picture_.palette.size());
        for (std::size_t i = 0; i < picture_.palette.size() && i < 256; ++i) {
            const std::uint32_t e = picture_.palette[i];
            info.colors[i] = {static_cast<BYTE>(e), static_cast<BYTE>(e >> 8),
                              static_cast<BYTE>(e >> 16), 0};
        }
    }
    void* bits = nullptr;
    gdi::Bitmap image(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                       &bits, nullptr, 0));
    if (!image || !bits) {
        throw EFlipImageError(direction_ == flip::fdVertical ? "FImage = 0(Vert)"
                                                             : "FImage = 0(Horz)");
    }
    std::memcpy(bits, frame.bits.data(), frame.bits.size());
    image_ = std::move(image);
    region_.Reset(RegionFromRects(frame.clip, MakeRegion));
    frame_ = std::move(frame);
    InvalidateImage();
}

// ---------------------------------------------------------------------------
// Painting

void TFlipImage::DrawImage(HDC dc) {
    if (!image_) return;
    gdi::SavedDC saved(dc);
    const flip::FlipBox place = flip::FlipImagePlace(width_, height_, frame_.width, frame_.height);
    const int x = left_ + place.left, y = top_ + place.top;
    // Regions are in device units: move the outline to where the image lands.
    POINT origin{x, y};
    LPtoDP(dc, &origin, 1);
    {
        gdi::Region clip(CreateRectRgn(0, 0, 0, 0));
        CombineRgn(clip, region_, nullptr, RGN_COPY);
        OffsetRgn(clip, origin.x, origin.y);
        gdi::Region current(CreateRectRgn(0, 0, 0, 0));
        ExtSelectClipRgn(dc, clip, GetClipRgn(dc, current) == 1 ? RGN_AND : RGN_COPY);
    }
    gdi::MemoryDC source(dc);
    gdi::Select image(source, image_);
    BitBlt(dc, x, y, frame_.width, frame_.height, source, 0, 0, negative_ ? NOTSRCCOPY : SRCCOPY);
}

void TFlipImage::DrawMix(HDC dc, const RECT& rect, const std::function<void(HDC)>& draw,
                         int level) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) throw EFlipImageError("abnormal params in DrawMix");
    DibBuffer background(dc, w, h), drawn(dc, w, h);
    BitBlt(background.dc(), 0, 0, w, h, dc, rect.left, rect.top, SRCCOPY);
    BitBlt(drawn.dc(), 0, 0, w, h, dc, rect.left, rect.top, SRCCOPY);
    // The routine draws at its own position; the buffer starts at rect.
    SetViewportOrgEx(drawn.dc(), -rect.left, -rect.top, nullptr);
    draw(drawn.dc());
    SetViewportOrgEx(drawn.dc(), 0, 0, nullptr);
    GdiFlush();
    if (level & 7)
        flip::BlendBytes(drawn.bits(), drawn.bits(), background.bits(), drawn.size(), level);
    BitBlt(dc, rect.left, rect.top, w, h, drawn.dc(), 0, 0, SRCCOPY);
}

void TFlipImage::Paint(HDC dc) {
    if (!image_ || width_ <= 0 || height_ <= 0) return;
    // Translucency needs the pixels beneath; a printer has none to read.
    const int level = GetDeviceCaps(dc, TECHNOLOGY) == DT_RASDISPLAY ? trnsIndex_ : 0;
    DrawMix(
        dc, BoundsRect(), [this](HDC target) { DrawImage(target); }, level);
}
