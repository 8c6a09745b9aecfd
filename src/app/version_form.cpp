#include "app/version_form.h"

#include <algorithm>
#include <memory>

#include "app/logo.h"

namespace {
const char kFormProp[] = "QmVersionForm";

// The card is the logo scaled so that even at the strongest perspective it
// stays inside the panel (a third taller at most, about either axis).
constexpr int kCardWidth = 264, kCardHeight = 63;
// Corners of a colour the logo never uses: as the first pixel of the top
// row it becomes the transparent colour, so the card turns with round corners.
constexpr COLORREF kCornerKey = RGB(255, 0, 255);

void LoadLogo(TFlipImage* flip) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = kCardWidth;
    bi.bmiHeader.biHeight = kCardHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP card = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC full = CreateCompatibleDC(nullptr);
    bi.bmiHeader.biWidth = kLogoWidth;
    bi.bmiHeader.biHeight = kLogoHeight;
    void* fullBits = nullptr;
    HBITMAP logo = CreateDIBSection(full, &bi, DIB_RGB_COLORS, &fullBits, nullptr, 0);
    if (card && logo) {
        HGDIOBJ oldCard = SelectObject(dc, card);
        HGDIOBJ oldLogo = SelectObject(full, logo);
        DrawLogo(full, 0, 0);
        RECT all{0, 0, kCardWidth, kCardHeight};
        HBRUSH key = CreateSolidBrush(kCornerKey);
        FillRect(dc, &all, key);
        DeleteObject(key);
        HRGN round = CreateRoundRectRgn(0, 0, kCardWidth + 1, kCardHeight + 1, 16, 16);
        SelectClipRgn(dc, round);
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, 0, 0, kCardWidth, kCardHeight, full, 0, 0, kLogoWidth, kLogoHeight, SRCCOPY);
        SelectClipRgn(dc, nullptr);
        DeleteObject(round);
        SelectObject(full, oldLogo);
        SelectObject(dc, oldCard);
        flip->SetBitmap(card);
    }
    if (logo) DeleteObject(logo);
    if (card) DeleteObject(card);
    DeleteDC(full);
    DeleteDC(dc);
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
    Pause = [](DWORD ms) { Sleep(ms); };
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

    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };

    InstallIdle();
    // The panel paints the logo through its own double buffer and never
    // erases, so the turning card does not flicker.
    if (HWND h = pnLogo->Handle()) {
        SetPropA(h, kFormProp, this);
        oldPanelProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TfoVer::LogoPanelProc)));
    }
}

TfoVer::~TfoVer() {
    RemoveIdle();
    RestorePanelProc();
}

void TfoVer::RestorePanelProc() {
    HWND h = pnLogo ? pnLogo->Handle() : nullptr;
    if (h && oldPanelProc_) {
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldPanelProc_));
        RemovePropA(h, kFormProp);
    }
    oldPanelProc_ = nullptr;
}

void TfoVer::InstallIdle() {
    if (idleInstalled_ || !Application) return;
    previousIdle_ = Application->OnIdle;
    Application->OnIdle = [this](TObject* s, bool& done) { AppIdle(s, done); };
    idleInstalled_ = true;
}

void TfoVer::RemoveIdle() {
    if (!idleInstalled_) return;
    if (Application) Application->OnIdle = previousIdle_;
    previousIdle_ = nullptr;
    idleInstalled_ = false;
}

void TfoVer::FormActivate(TObject*) {
    lVersion->SetCaption("Version " + Version);
}

void TfoVer::FormClose(TObject*, TCloseAction&) {
    RemoveIdle();
}

void TfoVer::AppIdle(TObject*, bool& Done) {
    Done = false;
    const DWORD t = Clock();
    if (stepped_ && t - lastStep_ < 100) {
        Pause(10);
        return;
    }
    stepped_ = true;
    lastStep_ = t;
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
    Repaint();
    pnLogo->Update();
}

LRESULT CALLBACK TfoVer::LogoPanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = static_cast<TfoVer*>(GetPropA(hwnd, kFormProp));
    if (!self || !self->oldPanelProc_) return DefWindowProcA(hwnd, msg, wp, lp);
    const WNDPROC old = self->oldPanelProc_;
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        if (wp == 0) {
            self->PaintLogoPanel();
            return 0;
        }
        break;
    case WM_NCDESTROY:
        self->RestorePanelProc();
        break;
    }
    return CallWindowProcA(old, hwnd, msg, wp, lp);
}

void TfoVer::PaintLogoPanel() {
    HWND h = pnLogo->Handle();
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    RECT rc;
    GetClientRect(h, &rc);
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateCompatibleBitmap(dc, std::max(1L, rc.right), std::max(1L, rc.bottom));
    HGDIOBJ old = SelectObject(mem, bmp);
    HBRUSH brush = CreateSolidBrush(ResolveColor(pnLogo->Color, COLOR_BTNFACE));
    FillRect(mem, &rc, brush);
    DeleteObject(brush);
    if (FlipImage1->Visible()) FlipImage1->Paint(mem);
    BitBlt(dc, 0, 0, rc.right, rc.bottom, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    EndPaint(h, &ps);
}

void ShowVersion(const std::string& version) {
    auto form = std::make_unique<TfoVer>(Application);
    form->Version = version;
    form->ShowModal();
}
