// qmtool show-preview FILE [OUT.BMP] [MILLISECONDS]
// Shows the main window previewing FILE as a user's choice in the file list
// would (the pane of its kind: text, picture, media playing, archive or
// guidance), waits MILLISECONDS (default 1500) with messages running, then
// writes what the screen shows of the window as a .BMP.

// needs: qm_app_win
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/main_form.h"
#include "qmtool.h"
#include "screen_capture.h"

namespace {
int ShowPreview(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::fprintf(stderr, "usage: show-preview FILE [OUT.BMP] [MILLISECONDS]\n");
        return 2;
    }
    char full[MAX_PATH];
    if (!GetFullPathNameA(args[0].c_str(), MAX_PATH, full, nullptr)) return 1;
    // A program folder of its own, so the work folder is ours to empty.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "qmtool-show-preview";
    CreateDirectoryA(folder.c_str(), nullptr);

    TApplication app;
    auto* form = new TfoMAIN(&app, folder + "\\Quillmark.exe");
    form->SetBounds(0, 0, 900, 620);
    form->FormActivate(form);
    form->Show();
    PumpMessages(300, &app);
    int tag = -1;
    form->PreviewSelected(0, full, tag);
    const int ms = args.size() > 2 ? std::atoi(args[2].c_str()) : 1500;
    PumpMessages(static_cast<DWORD>(ms > 0 ? ms : 0), &app);
    const int rc = args.size() > 1 && !CaptureWindow(form->Handle(), args[1]) ? 1 : 0;
    std::printf("kind %s, file line \"%s\"\n", FileKindName(form->CurrentFileKind),
                form->lFileInfo->Caption().c_str());
    form->Close();
    return rc;
}
} // namespace

static const QmCommand showPreviewCommand("show-preview",
                                          "FILE [OUT.BMP] [MILLISECONDS]   the main window previewing FILE",
                                          ShowPreview);
