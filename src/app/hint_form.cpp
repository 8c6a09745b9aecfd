#include "app/hint_form.h"

#include <algorithm>

#include "ui/gdi.h"

namespace {
// A label that only paints a shade from a base colour down to black.
class TGradientLabel : public TGraphicControl {
public:
    TGradientLabel(TComponent* owner, TWinControl* parent, COLORREF base)
        : TGraphicControl(owner, parent), base_(base) {}
    void Paint(HDC dc) override {
        const int bands = std::max(1, height_);
        for (int i = 0; i < bands; ++i) {
            const int keep = bands > 1 ? (bands - 1 - i) * 255 / (bands - 1) : 255;
            gdi::FillSolid(dc, RECT{left_, top_ + i, left_ + width_, top_ + i + 1},
                           RGB(GetRValue(base_) * keep / 255, GetGValue(base_) * keep / 255,
                               GetBValue(base_) * keep / 255));
        }
    }

private:
    COLORREF base_;
};

TLabel* WhiteLabel(TForm* form, const char* name, int left, int top, int height) {
    auto* l = new TLabel(form, form);
    l->Name = name;
    TFont f;
    f.Height = height;
    f.Color = clWhite;
    l->SetFont(f);
    l->SetBounds(left, top, 0, height + 2);
    return l;
}
} // namespace

TfoHint::TfoHint(TComponent* owner) : TForm(owner, bsDialog, "TfoHint") {
    Name = "foHint";
    Position = poScreenCenter;
    SetCaption("Quillmark インフォメーション");
    SetClientSize(480, 149);

    lBackground = new TGradientLabel(this, this, 0x00FF8000);
    lBackground->Name = "lBackground";
    lBackground->SetAlign(alClient);

    lInfo1 = WhiteLabel(this, "lInfo1", 24, 22, 15);
    lInfo2 = WhiteLabel(this, "lInfo2", 24, 44, 15);
    lInfo3 = WhiteLabel(this, "lInfo3", 24, 66, 15);

    chbHidden = new TCheckBox(this, this);
    chbHidden->Name = "chbHidden";
    chbHidden->SetBounds(24, 116, 13, 13);

    lHidden = WhiteLabel(this, "lHidden", 42, 115, 13);
    lHidden->SetCaption("今後、このダイアログを表示しない");
    lHidden->OnClick = [this](TObject* s) { lHiddenClick(s); };

    bbOK = new TButton(this, this);
    bbOK->Name = "bbOK";
    bbOK->SetBounds(384, 110, 75, 25);
    TFont f;
    f.Color = clWhite;
    bbOK->SetColor(TColor(0x00602000));  // white text needs a dark face: the dark end of the gradient
    bbOK->SetFont(f);
    bbOK->SetCaption("ＯＫ");
    bbOK->ModalResult = mrOk;
    bbOK->Default = true;
}

void TfoHint::lHiddenClick(TObject*) {
    chbHidden->SetChecked(!chbHidden->Checked());
}
