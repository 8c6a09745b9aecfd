// qmtool show-settings [PAGE] [OUT.BMP] [SECONDS]
// qmtool show-textview-settings [PAGE] [OUT.BMP] [SECONDS]
// Shows the general settings dialog (pages 0 text, 1 image, 2 other) on
// sample values, or the text-view settings window (pages 0 font/caret,
// 1 colour, 2 brackets, 3 keywords, 4 wrap) for a text control with the
// main window's designed look and a few keywords; writes what the screen
// shows of it as a .BMP and keeps it up for SECONDS.

// needs: qm_settings_win qm_textview_settings_win qm_app_win
#include <cstdlib>
#include <string>

#include "app/text_preview.h"
#include "qmtool.h"
#include "screen_capture.h"
#include "settings/set_form_win.h"
#include "textview/text_view_settings_form_win.h"

namespace {
int Capture(TApplication& app, TForm* form, const std::vector<std::string>& args) {
    form->Show();
    PumpMessages(1500, &app);
    const int rc = args.size() > 1 && !CaptureWindow(form->Handle(), args[1]) ? 1 : 0;
    const int seconds = args.size() > 2 ? std::atoi(args[2].c_str()) : 0;
    PumpMessages(static_cast<DWORD>(seconds > 0 ? seconds : 0) * 1000, &app);
    form->Close();
    return rc;
}

int Page(const std::vector<std::string>& args) { return args.empty() ? 0 : std::atoi(args[0].c_str()); }

int ShowSettings(const std::vector<std::string>& args) {
    TApplication app;
    bool partial = true, fit = true, gif = false;
    int limit = 64;
    std::string editor = "C:\\Program Files\\エディタ\\editor.exe", wallpaper = "C:\\windows\\雲.bmp";
    TForm host(&app);
    TLabel title(&host, &host), button(&host, &host), guidance(&host, &host);
    title.Font.Color = clBlue;
    button.Font.Color = clRed;
    guidance.Font.Color = clGreen;
    title.ParentFont = button.ParentFont = guidance.ParentFont = false;
    TSetDialogTarget target{partial, limit, editor, wallpaper, fit, gif, &title, &button, {&guidance}, nullptr};
    auto* form = new TfoSet(&app);
    form->Fill(target);
    form->pcSet->SetActivePageIndex(Page(args));
    return Capture(app, form, args);
}

int ShowTextViewSettings(const std::vector<std::string>& args) {
    TApplication app;
    TForm host(&app);
    auto* control = new TTextEditorEx(&host, &host);
    ApplyTextDesign(*control);
    control->KeyWordList.Add("Quillmark", TKeyWordColor{clWhite, clRed, fsBold});
    control->KeyWordList.Add("TODO", TKeyWordColor{clBlack, clYellow, fsUnderline});
    control->KeyWordList.Add("注意", TKeyWordColor{clNavy, clAqua, 0});
    auto* form = new TfoTextViewSettings(&app, *control, tvpCaret);
    form->pcSettings->SetActivePageIndex(Page(args));
    if (Page(args) == 3) {
        form->lbKeywords->SetItemIndex(0);
        form->KeywordListClick(form->lbKeywords);
    }
    return Capture(app, form, args);
}
}  // namespace

static const QmCommand showSettingsCommand("show-settings",
                                           "[PAGE] [OUT.BMP] [SECONDS]   show the general settings dialog",
                                           ShowSettings);
static const QmCommand showTextViewSettingsCommand(
    "show-textview-settings", "[PAGE] [OUT.BMP] [SECONDS]   show the text-view settings window",
    ShowTextViewSettings);
