// qmtool list FOLDER [MASK]
// qmtool search FOLDER MASK|EXTENSIONS [flat]
// qmtool walk FOLDER [basic]
// qmtool show-files FOLDER [OUT.BMP] [SECONDS]
// The folder listing and the search as the file lists run them, with the
// time they took; the bare walk of the same folders with nothing but the
// system's find calls (the floor the search cannot go below); and the main
// window with the folder tree opened on a folder and its files listed
// (written as a .BMP of what the screen shows).
// needs: qm_search_win qm_app_win
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/file_lists.h"
#include "app/main_form.h"
#include "base/strutil.h"
#include "qmtool.h"
#include "screen_capture.h"
#include "search/file_transact_ex.h"

namespace {
class Stopwatch {
public:
    Stopwatch() {
        QueryPerformanceFrequency(&freq_);
        QueryPerformanceCounter(&start_);
    }
    double Ms() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) /
               static_cast<double>(freq_.QuadPart);
    }

private:
    LARGE_INTEGER freq_, start_;
};

int List(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::fprintf(stderr, "list: no folder given\n");
        return 2;
    }
    TApplication app;
    TFileTransactEx engine;
    engine.SetFolder(args[0]);
    if (args.size() > 1) engine.SetMask(args[1]);
    Stopwatch watch;
    engine.Execute();
    engine.SortByName();
    const double listed = watch.Ms();
    // What a list view asks for one screen of rows.
    engine.FillDetails(0, std::min(engine.RecordCount(), 40) - 1);
    for (int i = 0; i < std::min(engine.RecordCount(), 40); ++i)
        engine.RowData(i, true);
    const double shown = watch.Ms();
    std::printf("files\t%d\nlist_ms\t%.1f\nfirst_screen_ms\t%.1f\n", engine.RecordCount(), listed,
                shown);
    return 0;
}

int Search(const std::vector<std::string>& args) {
    if (args.size() < 2) {
        std::fprintf(stderr, "search: FOLDER and MASK or EXTENSIONS needed\n");
        return 2;
    }
    TApplication app;
    TLabel searching(nullptr, nullptr), hits(nullptr, nullptr);
    TFileTransactEx engine;
    engine.lSearching = &searching;
    engine.lHitCount = &hits;
    engine.SetFolder(args[0]);
    // ".TXT .DOC " style lists start with a dot; anything else is a wildcard.
    if (!args[1].empty() && args[1][0] == '.') {
        engine.SetUseExtensions(true);
        engine.SetExtensions(args[1] + " ");
    } else {
        engine.SetMask(args[1]);
    }
    engine.Recursive = !(args.size() > 2 && args[2] == "flat");
    Stopwatch watch;
    engine.Search();
    std::printf("hits\t%d\nsearch_ms\t%.1f\n", engine.HitCount, watch.Ms());
    return 0;
}

// Depth-first over every folder with the plain find calls, counting *.txt:
// what the platform alone costs.
int WalkFolder(const std::string& dir, int& folders, bool basic) {
    ++folders;
    int hits = 0;
    WIN32_FIND_DATAA fd;
    HANDLE h = basic ? FindFirstFileExA((dir + "\\*").c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch,
                                        nullptr, FIND_FIRST_EX_LARGE_FETCH)
                     : FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return 0;
    do {
        const std::string name = fd.cFileName;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name != "." && name != "..") hits += WalkFolder(dir + "\\" + name, folders, basic);
        } else if (name.size() > 4 && lstrcmpiA(name.c_str() + name.size() - 4, ".txt") == 0) {
            ++hits;
        }
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return hits;
}

int Walk(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::fprintf(stderr, "walk: no folder given\n");
        return 2;
    }
    int folders = 0;
    Stopwatch watch;
    const int hits = WalkFolder(args[0], folders, args.size() > 1 && args[1] == "basic");
    std::printf("hits\t%d\nfolders\t%d\nwalk_ms\t%.1f\n", hits, folders, watch.Ms());
    return 0;
}

int ShowFiles(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::fprintf(stderr, "show-files: no folder given\n");
        return 2;
    }
    TApplication app;
    app.Title = "Quillmark";
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    auto* main = app.CreateForm<TfoMAIN>(std::string(self));
    TFileLists* lists = main->FileLists.get();
    main->Show();
    PumpMessages(300);
    int rc = 0;
    if (!lists->fvx->SelectPath(args[0])) {
        std::fprintf(stderr, "show-files: %s is not in the tree\n", args[0].c_str());
        rc = 1;
    }
    lists->SelectNext(0, true);
    PumpMessages(1500);
    std::printf("%s\n", main->lFolderInfo->Caption().c_str());
    if (args.size() > 1 && !CaptureWindow(main->Handle(), args[1])) rc = 1;
    const int seconds = args.size() > 2 ? std::atoi(args[2].c_str()) : 0;
    PumpMessages(static_cast<DWORD>(seconds > 0 ? seconds : 0) * 1000);
    return rc;
}
} // namespace

static const QmCommand
    listCommand("list", "FOLDER [MASK]   list a folder as the file list does, with the time", List);
static const QmCommand searchCommand(
    "search", "FOLDER MASK|.EXT... [flat]   search a folder (and its sub-folders), with the time",
    Search);
static const QmCommand walkCommand(
    "walk", "FOLDER [basic]   count *.txt below FOLDER with the bare find calls, with the time", Walk);
static const QmCommand
    showFilesCommand("show-files",
                     "FOLDER [OUT.BMP] [SECONDS]   main window with the tree opened on FOLDER",
                     ShowFiles);
