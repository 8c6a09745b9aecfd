// TFlipImage: a picture shown as a card turning about its vertical or
// horizontal axis, with perspective, zoom, a colour-inverted face, a
// transparent colour and eight levels of translucency over what lies
// beneath. A control without a window; its parent paints it.
#pragma once
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "imageview/flip_image_render.h"
#include "ui/controls.h"
#include "ui/gdi.h"

class EFlipImageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum TTransparentMode { tmAuto, tmFixed };

class TFlipImage : public TGraphicControl {
public:
    TFlipImage(TComponent* owner, TWinControl* parent);

    // Takes a copy of the bitmap: 8 bits per pixel when it has at most 8 or
    // is a device-dependent bitmap, 24 bits otherwise.
    void SetBitmap(HBITMAP source);
    void SetPicture(flip::FlipPicture picture);
    void ClearBitmap() { SetPicture({}); }
    const flip::FlipPicture& Picture() const { return picture_; }

    int Angle() const { return angle_; }
    void SetAngle(int tenthsOfDegree);
    int Direction() const { return direction_; }
    void SetDirection(int d);
    int Depth() const { return depth_; }
    void SetDepth(int d);
    int Zoom() const { return flip::ZoomPercent(zoom_); }
    void SetZoom(int percent);
    bool Negative() const { return negative_; }
    void SetNegative(bool n);
    int TrnsIndex() const { return trnsIndex_; }
    void SetTrnsIndex(int level);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool t);
    COLORREF TransparentColor() const { return transparentColor_; }
    // Setting a colour makes the mode fixed, as the bitmap's own property does.
    void SetTransparentColor(COLORREF c);
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode m);

    // Changes between the two are rendered once, at the end.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();

    void Paint(HDC dc) override;
    // Paints `rect` of dc through an off-screen 24-bit buffer: draw paints into
    // a copy of the background, which is then mixed with the background at
    // `level` (0..7) and copied back in one piece.
    static void DrawMix(HDC dc, const RECT& rect, const std::function<void(HDC)>& draw, int level);

    // The rendered card and its outline, empty when there is nothing to draw.
    const flip::FlipFrame& Frame() const { return frame_; }
    HRGN ClipRegion() const { return region_.get(); }
    HBITMAP Image() const { return image_.get(); }

    // Makes one region of many rectangles. When the platform refuses the
    // list in one piece, pieces of at most 4094 rectangles are combined.
    using TRegionMaker = std::function<HRGN(const RECT* rects, DWORD count)>;
    static HRGN RegionFromRects(const std::vector<flip::FlipRect>& rects, const TRegionMaker& make);
    static HRGN MakeRegion(const RECT* rects, DWORD count);

private:
    void Render();
    void InvalidateImage();
    void DrawImage(HDC dc);

    flip::FlipPicture picture_;
    int angle_ = 0, direction_ = 0, depth_ = 50;
    double zoom_ = 1.0;
    bool negative_ = false;
    int trnsIndex_ = 0;
    bool transparent_ = false;
    COLORREF transparentColor_ = 0;
    TTransparentMode transparentMode_ = tmAuto;
    int updateCount_ = 0;

    flip::FlipFrame frame_;
    gdi::Bitmap image_;
    gdi::Region region_;
};
