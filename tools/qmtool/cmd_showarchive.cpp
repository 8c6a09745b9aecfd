// qmtool show-archive ARCHIVE [NODE|-] [OUT.BMP] [SECONDS]
// Shows the main window with the archive pane listing ARCHIVE (the tree
// node captioned NODE selected, which opens a nested archive), writes what
// the screen shows of the window as a .BMP and keeps it up for SECONDS.

// needs: qm_app_win qm_archive_win
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/archive_pane.h"
#include "app/file_lists.h"
#include "app/main_form.h"
#include "qmtool.h"
#include "screen_capture.h"

namespace {
int ShowArchive(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::fprintf(stderr, "usage: show-archive ARCHIVE [NODE|-] [OUT.BMP] [SECONDS]\n");
        return 2;
    }
    char full[MAX_PATH];
    if (!GetFullPathNameA(args[0].c_str(), MAX_PATH, full, nullptr)) return 1;
    const std::string archive = full;
    // A program folder of its own, so the work folder is ours to empty.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "qmtool-show-archive";
    CreateDirectoryA(folder.c_str(), nullptr);

    TApplication app;
    auto* form = new TfoMAIN(&app, folder + "\\Quillmark.exe");
    form->SetBounds(0, 0, 900, 620);
    form->pnBaseArchive->SetHeight(260);
    form->FormActivate(form);
    TArchivePane* pane = form->ArchivePane.get();
    form->Show();
    PumpMessages(300);

    form->PreviewFile(archive, false);
    form->CurrentFilePath = archive;
    pane->PreviewArchive(archive, false);
    if (args.size() > 1 && args[1] != "-") pane->Operation()->SelectNodeByName(args[1]);
    PumpMessages(1500);

    const int rc = args.size() > 2 && !CaptureWindow(form->Handle(), args[2]) ? 1 : 0;
    const int seconds = args.size() > 3 ? std::atoi(args[3].c_str()) : 0;
    PumpMessages(static_cast<DWORD>(seconds > 0 ? seconds : 0) * 1000);
    std::printf("tree nodes %d, members listed %d\n", pane->tvArchive->Count(),
                pane->lvArchive->ItemCount());
    form->Close(); // the close path deletes the pane
    return rc;
}
} // namespace

static const QmCommand
    showArchiveCommand("show-archive",
                       "ARCHIVE [NODE|-] [OUT.BMP] [SECONDS]   show an archive in the archive pane",
                       ShowArchive);
