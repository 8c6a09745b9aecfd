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
#include "screen_capture.h"

namespace {
int Finish(TApplication& app, TForm* form, const std::vector<std::string>& args,
           std::size_t outAt) {
    form->Show();
    PumpMessages(1500, &app);
    const int rc = args.size() > outAt && !CaptureWindow(form->Handle(), args[outAt]) ? 1 : 0;
    const int seconds = args.size() > outAt + 1 ? std::atoi(args[outAt + 1].c_str()) : 0;
    PumpMessages(static_cast<DWORD>(seconds > 0 ? seconds : 0) * 1000, &app);
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
