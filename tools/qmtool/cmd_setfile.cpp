// qmtool show-setfile shortcut|search|searching FOLDER [OUT.BMP] [SECONDS]
// Shows the search and folder-shortcut window bound to a main window:
//   shortcut   the shortcut page with FOLDER as the main window's folder and
//              FOLDER and its first sub-folders in the list;
//   search     the search page with FOLDER chosen, JPG and BMP checked and
//              the user extensions "XLS DOC";
//   searching  the same, searching every kind of file below FOLDER; the
//              window is captured while the walk is under way, then the
//              search is cancelled.
// Writes what the screen shows of the window as a .BMP and keeps it up for
// SECONDS.

// needs: qm_app_win
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/file_lists.h"
#include "app/main_form.h"
#include "app/set_file_form.h"
#include "foldertree/shell_folder_tree.h"
#include "qmtool.h"
#include "screen_capture.h"
#include "search/file_transact_ex.h"

namespace {
std::vector<std::string> SubFolders(const std::string& folder, std::size_t most) {
    std::vector<std::string> subs;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return subs;
    do {
        const std::string name = fd.cFileName;
        if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..") {
            subs.push_back(folder + "\\" + name);
        }
    } while (subs.size() < most && FindNextFileA(h, &fd));
    FindClose(h);
    return subs;
}

bool Save(HWND window, const std::string& path) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return CaptureWindow(window, path);
}

// The capture in the middle of a search: a timer, which the walk lets run
// between folders.
struct MidSearch {
    TfoSetFile* form;
    std::string out;
    bool saved = false, ok = true;
} g_mid{nullptr, ""};

void CALLBACK CaptureTick(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (!g_mid.form || !g_mid.form->Searching()) return;
    if (!g_mid.out.empty()) g_mid.ok = Save(g_mid.form->Handle(), g_mid.out);
    g_mid.saved = true;
    std::printf("mid-search: %s | %s\n", g_mid.form->lProgress->Caption().c_str(),
                g_mid.form->lSearchFolder->Caption().c_str());
    g_mid.form->bbFaultClick(g_mid.form->bbFault);
}

int ShowSetFile(const std::vector<std::string>& args) {
    if (args.size() < 2 || (args[0] != "shortcut" && args[0] != "search" && args[0] != "searching")) {
        std::fprintf(stderr, "usage: show-setfile shortcut|search|searching FOLDER [OUT.BMP] [SECONDS]\n");
        return 2;
    }
    const std::string page = args[0];
    char full[MAX_PATH];
    if (!GetFullPathNameA(args[1].c_str(), MAX_PATH, full, nullptr)) return 1;
    std::string folder = full;
    if (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    const std::string out = args.size() > 2 ? args[2] : std::string();
    // A program folder of its own for the environment file and work folder.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string programFolder = std::string(temp) + "qmtool-show-setfile";
    CreateDirectoryA(programFolder.c_str(), nullptr);

    TApplication app;
    app.Title = "Quillmark";
    auto* main = new TfoMAIN(&app, programFolder + "\\Quillmark.exe");
    main->FormActivate(main);
    auto* form = new TfoSetFile(&app);
    main->BindSearchWindow(form);
    form->TakeHistories({"*.TXT", "*.LOG"}, {"XLS DOC", "LZH"});

    if (page == "shortcut") {
        std::vector<std::string> shortcuts{folder};
        for (const std::string& sub : SubFolders(folder, 6)) shortcuts.push_back(sub);
        form->SetShortcutFolders(shortcuts);
        main->FileLists->lvFile->SetGridLines(true);
        main->FileLists->fvx->SelectPath(folder);
        main->PrepareUtilityPage(true);
        form->lvFolderList->SetSelected(static_cast<int>(shortcuts.size()) - 1);
    } else {
        main->PrepareUtilityPage(false);
        form->fvxSearch->SelectPath(folder);
        for (int n : {1, 3}) form->ExtensionCheckBox(n)->SetChecked(true);
        form->chbFileUser->SetChecked(true);
        form->chbFileUserClick(form->chbFileUser);
    }
    form->Show();
    PumpMessages(1500, &app);

    int rc = 0;
    if (page == "searching") {
        form->sbChkAll[0]->Click();
        form->sbChkAll[3]->Click();
        form->sbChkAll[4]->Click();
        g_mid.form = form;
        g_mid.out = out;
        SetTimer(nullptr, 0, 700, CaptureTick);
        form->bbSearchClick(form->bbSearch);
        if (!g_mid.saved) std::fprintf(stderr, "the search ended before the capture\n");
        rc = g_mid.saved && g_mid.ok ? 0 : 1;
        PumpMessages(300, &app);
    } else if (!out.empty() && !Save(form->Handle(), out)) {
        rc = 1;
    }
    const int seconds = args.size() > 3 ? std::atoi(args[3].c_str()) : 0;
    PumpMessages(static_cast<DWORD>(seconds > 0 ? seconds : 0) * 1000, &app);
    std::printf("shortcuts %d, results %d, progress \"%s\", folder \"%s\"\n",
                form->lvFolderList->ItemCount(), main->FileLists->lvCorrect->ItemCount(),
                form->lProgress->Caption().c_str(), form->lSearchFolder->Caption().c_str());
    return rc;
}
}  // namespace

static const QmCommand showSetFileCommand(
    "show-setfile", "shortcut|search|searching FOLDER [OUT.BMP] [SECONDS]   show the search and shortcut window",
    ShowSetFile);
