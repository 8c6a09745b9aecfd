#include "app/version_form.h"

#include <algorithm>
#include <memory>

#include "app/logo.h"
#include "ui/gdi.h"

namespace {
// The card is the logo scaled so that even at the strongest perspective it
// stays inside the panel (a third taller at most, about either axis).
constexpr int kCardWidth = 264, kCardHeight = 63;
// Corners of a colour the logo never uses: as the first pixel of the top
// row it becomes the transparent colour, so the card turns with round corners.
constexpr COLORREF kCornerKey = RGB(255, 0, 255);

void LoadLogo(TFlipImage* flip) {
    gdi::MemoryDC card(nullptr, gdi::DibSection(kCardWidth, kCardHeight, 24, nullptr));
    gdi::MemoryDC full(nullptr, gdi::DibSection(kLogoWidth, kLogoHeight, 24, nullptr));
    if (!card || !full) return;
    DrawLogo(full, 0, 0);
    gdi::FillSolid(card, RECT{0, 0, kCardWidth, kCardHeight}, kCornerKey);
    {
        gdi::SavedDC clip(card);
        gdi::Region round(CreateRoundRectRgn(0, 0, kCardWidth + 1, kCardHeight + 1, 16, 16));
        SelectClipRgn(card, round);
        SetStretchBltMode(card, HALFTONE);
        SetBrushOrgEx(card, 0, 0, nullptr);
        StretchBlt(card, 0, 0, kCardWidth, kCardHeight, full, 0, 0, kLogoWidth, kLogoHeight, SRCCOPY);
    }
    // The flip image copies the pixels, which it reads only from a bitmap no context holds.
    flip->SetBitmap(card.TakeBitmap());
}

TLabel* WhiteLine(TForm* form, const char* name, int top, const std::string& text) {
    auto* l = new TLabel(form, form);
    l->Name = name;
    TFont f;
    f.Height = 13;
    f.Color = clWhite;
    l->SetFont(f);
    l->AutoSize = false;
    l->Alignment = taCenter;
    l->SetBounds(0, top, 366, 16);
    l->SetCaption(text);
    return l;
}
} // namespace

TfoVer::TfoVer(TComponent* owner) : TForm(owner, bsDialog, "TfoVer") {
    Name = "foVer";
    Clock = [] { return static_cast<DWORD>(timeGetTime()); };
    Position = poScreenCenter;
    SetCaption("Quillmark バージョン情報");
    SetClientSize(366, 176);
    Color = clBlack;

    pnLogo = new TPanel(this, this);
    pnLogo->Name = "pnLogo";
    pnLogo->BevelOuter = bvNone;
    pnLogo->Color = clBlack;
    pnLogo->SetBounds(4, 4, 357, 85);

    FlipImage1 = new TFlipImage(this, pnLogo);
    FlipImage1->Name = "FlipImage1";
    FlipImage1->SetBounds(0, 0, 357, 85);
    FlipImage1->SetZoom(100);
    FlipImage1->SetTransparent(true);
    LoadLogo(FlipImage1);

    lVersion = WhiteLine(this, "lVersion", 96, "Version");
    lEnhanced = WhiteLine(this, "lEnhanced", 114, "拡張版 Quillmark Pro もご用意しています");
    lMaker = WhiteLine(this, "lMaker", 130, "Copyright (C) the Quillmark developers");

    bbOK = new TButton(this, this);
    bbOK->Name = "bbOK";
    bbOK->SetBounds(145, 148, 75, 24);
    TFont f;
    f.Color = clWhite;
    bbOK->SetColor(clBlack);  // white text needs a dark face: the window is black
    bbOK->SetFont(f);
    bbOK->SetCaption("OK");
    bbOK->ModalResult = mrOk;
    bbOK->Default = true;
    bbOK->OnClick = [this](TObject*) { Close(); };

    // The panel paints the turning card through the double buffer of every
    // panel and never erases, so it does not flicker.
    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };

    tmAnimate = new TTimer(this);
    tmAnimate->Name = "tmAnimate";
    tmAnimate->Interval = 100;
    tmAnimate->OnTimer = [this](TObject* s) { AnimateTick(s); };
    tmAnimate->SetEnabled(true);
}

TfoVer::~TfoVer() = default;

void TfoVer::FormActivate(TObject*) {
    lVersion->SetCaption("Version " + Version);
}

void TfoVer::FormClose(TObject*, TCloseAction&) {
    tmAnimate->SetEnabled(false);
}

void TfoVer::AnimateTick(TObject*) {
    const DWORD t = Clock();
    const int angle = static_cast<int>(t % 3600); // one turn every 3.6 seconds
    try {
        FlipImage1->BeginUpdate();
        FlipImage1->SetAngle(angle);
        FlipImage1->SetNegative(angle > 900 && angle < 2700);
        FlipImage1->SetDirection(static_cast<int>((t / 3600) & 1));
        FlipImage1->EndUpdate();
    } catch (const EFlipImageError&) {
        // Out of memory for this frame: the next step tries again.
    }
    pnLogo->Update();
}

void ShowVersion(const std::string& version) {
    auto form = std::make_unique<TfoVer>(Application);
    form->Version = version;
    form->ShowModal();
}
