#include "app/splash_form.h"

#include "app/logo.h"

namespace {
// The logo as a picture control of its own size.
class TLogoImage : public TGraphicControl {
public:
    TLogoImage(TComponent* owner, TWinControl* parent) : TGraphicControl(owner, parent) {
        width_ = kLogoWidth;
        height_ = kLogoHeight;
    }
    void Paint(HDC dc) override { DrawLogo(dc, left_, top_); }
};
}  // namespace

TfoSplash::TfoSplash(TComponent* owner) : TForm(owner, bsNone, "TfoSplash") {
    Name = "foSplash";
    Position = poScreenCenter;
    SetClientSize(351, 134);
    auto* frame = new TPanel(this, this);
    frame->BevelOuter = bvRaised;
    frame->SetAlign(alClient);
    auto* black = new TPanel(this, frame);
    black->BevelOuter = bvNone;
    black->Color = clBlack;
    black->SetBounds(3, 3, 344, 127);
    auto* logo = new TLogoImage(this, black);
    logo->SetBounds(40, 8, kLogoWidth, kLogoHeight);
    auto* notice = new TLabel(this, black);
    notice->SetFont(TFont::Of(15, true, false, clWhite));
    notice->AutoSize = false;
    notice->Alignment = taCenter;
    notice->SetBounds(0, 96, 344, 18);
    notice->SetCaption("Quillmark  -  a file viewer by the Quillmark developers");
}
