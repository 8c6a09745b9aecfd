#include "imageview/image_control.h"

#include "ui/gdi.h"

TImage::TImage(TComponent* owner, TWinControl* parent) : TGraphicControl(owner, parent) {
    width_ = 105;
    height_ = 105;
    picture_.OnChange = [this] { PictureChanged(); };
}

TImage::~TImage() = default;

HDC TImage::CanvasHandle() {
    if (!canvas_) canvas_ = std::make_unique<gdi::MemoryDC>();
    return *canvas_;
}

void TImage::SetAutoSize(bool on) {
    autoSize_ = on;
    if (on) PictureChanged();
}

void TImage::SetStretch(bool on) {
    if (on == stretch_) return;
    stretch_ = on;
    Invalidate();
}

void TImage::PictureChanged() {
    // An empty picture leaves the size alone, as the framework's control does.
    if (autoSize_ && picture_.Width() > 0 && picture_.Height() > 0) {
        SetBounds(left_, top_, picture_.Width(), picture_.Height());
    }
    Invalidate();
}

void TImage::Paint(HDC dc) {
    if (picture_.Empty()) return;
    RECT r = BoundsRect();
    if (!stretch_) r = {left_, top_, left_ + picture_.Width(), top_ + picture_.Height()};
    picture_.Draw(dc, r);
}
