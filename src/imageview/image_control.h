// The framework's image control: a graphic control that shows one picture,
// sizes itself to the picture (AutoSize) or stretches the picture to its
// own size (Stretch). Its drawing surface is a memory device context
// compatible with the screen, for code that prepares bitmaps for it.
#pragma once
#include <memory>

#include "imageview/picture.h"
#include "ui/controls.h"
#include "ui/gdi.h"

class TImage : public TGraphicControl {
public:
    TImage(TComponent* owner, TWinControl* parent);
    ~TImage() override;

    TPicture& Picture() { return picture_; }
    const TPicture& Picture() const { return picture_; }

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool on);

    // A device context compatible with the screen, made on first use.
    HDC CanvasHandle();

    void Paint(HDC dc) override;

private:
    void PictureChanged();
    TPicture picture_;
    bool autoSize_ = false;
    bool stretch_ = false;
    std::unique_ptr<gdi::MemoryDC> canvas_;
};
