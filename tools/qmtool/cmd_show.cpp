// qmtool show-version [MS|live] [OUT.BMP] [SECONDS]
// qmtool show-hint [OUT.BMP] [SECONDS]
// qmtool show-leds [OUT.BMP] [SECONDS]
// Shows the version window (its logo stopped at clock value MS, 1350 by
// default, or turning on the real clock with "live"), the notice window of
// the hyperlink switch, or LED groups in both styles; writes what the
// screen shows of it as a .BMP and keeps it up for SECONDS, so that a
// screenshot can be taken.

// needs: qm_app_win qm_flip_win qm_media_win
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/hint_form.h"
#include "app/version_form.h"
#include "media/led_group.h"
#include "qmtool.h"

namespace {
// Runs messages and the idle handler for a while without blocking on an
// empty queue.
void Pump(TApplication& app, DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (app.OnIdle) {
            bool done = true;
            app.OnIdle(&app, done);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// The window as the screen shows it, frame included, as a 24-bit .BMP.
bool SaveWindow(HWND hwnd, const std::string& path) {
    RECT r;
    GetWindowRect(hwnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(mem, old);
    BITMAPINFOHEADER bi{};
    bi.biSize = sizeof bi;
    bi.biWidth = w;
    bi.biHeight = h;
    bi.biPlanes = 1;
    bi.biBitCount = 24;
    const DWORD stride = ((w * 24 + 31) / 32) * 4;
    std::string pixels(static_cast<std::size_t>(stride) * h, '\0');
    GetDIBits(mem, bmp, 0, h, pixels.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(&fh, sizeof fh, 1, f) == 1 && std::fwrite(&bi, sizeof bi, 1, f) == 1 &&
              std::fwrite(pixels.data(), 1, pixels.size(), f) == pixels.size();
    return std::fclose(f) == 0 && ok;
}

int Finish(TApplication& app, TForm* form, const std::vector<std::string>& args,
           std::size_t outAt) {
    form->Show();
    Pump(app, 1500);
    int rc = 0;
    if (args.size() > outAt && !args[outAt].empty()) {
        if (SaveWindow(form->Handle(), args[outAt])) {
            std::printf("%s written\n", args[outAt].c_str());
        } else {
            std::fprintf(stderr, "cannot write %s\n", args[outAt].c_str());
            rc = 1;
        }
    }
    const int seconds = args.size() > outAt + 1 ? std::atoi(args[outAt + 1].c_str()) : 0;
    Pump(app, static_cast<DWORD>(seconds > 0 ? seconds : 0) * 1000);
    form->Close();
    return rc;
}

int ShowVersionWindow(const std::vector<std::string>& args) {
    TApplication app;
    auto* form = new TfoVer(&app);
    form->Version = "v1.00A";
    if (args.empty() || args[0] != "live") {
        const DWORD at =
            args.empty() ? 1350 : static_cast<DWORD>(std::strtoul(args[0].c_str(), nullptr, 10));
        form->Clock = [at] { return at; };
    }
    return Finish(app, form, args, 1);
}

int ShowHintWindow(const std::vector<std::string>& args) {
    TApplication app;
    auto* form = new TfoHint(&app);
    form->lInfo1->SetCaption("URL,MAILアドレスの上でクリックすると");
    form->lInfo2->SetCaption("そのアドレスにジャンプします");
    return Finish(app, form, args, 0);
}
int ShowLeds(const std::vector<std::string>& args) {
    TApplication app;
    auto* form = new TForm(&app, bsSingle, "TfoLedSample");
    form->SetCaption("LED");
    form->SetClientSize(420, 260);
    form->Color = clBlack;
    const struct {
        TLedStyle style;
        int digits, comma, top, height;
        const char* text;
    } rows[] = {
        {lsSevenBars, 5, 0, 8, 40, "01234"},    {lsSevenBars, 5, 3, 56, 40, "56789"},
        {lsSevenBars, 6, 0, 104, 24, "     0"}, {lsElevenBars, 8, 0, 136, 50, "0BKMNQRV"},
        {lsElevenBars, 8, 0, 194, 50, "WXYZ<>vw"},
    };
    for (const auto& r : rows) {
        auto* g = new TLedGroup(form, form);
        g->SetBounds(10, r.top, r.digits * (r.height * 5 / 9), r.height);
        g->SetLedStyle(r.style);
        g->SetOnColor(RGB(0, 255, 0));
        g->SetOffColor(clBlack);
        g->Color = clBlack;
        g->SetMargin(1);
        g->SetMaxDigits(r.digits);
        g->SetCaption(r.text);
        g->SetCommaPos(r.comma);
    }
    return Finish(app, form, args, 0);
}
} // namespace

static const QmCommand showLedsCommand("show-leds",
                                       "[OUT.BMP] [SECONDS]   show LED groups in both styles",
                                       ShowLeds);

static const QmCommand showVersionCommand(
    "show-version",
    "[MS|live] [OUT.BMP] [SECONDS]   show the version window with its logo at clock MS",
    ShowVersionWindow);
static const QmCommand
    showHintCommand("show-hint",
                    "[OUT.BMP] [SECONDS]   show the notice window of the hyperlink switch",
                    ShowHintWindow);
