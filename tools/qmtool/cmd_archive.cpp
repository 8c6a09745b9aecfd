// qmtool archive list ARCHIVE
// qmtool archive extract ARCHIVE MEMBER FOLDER
// qmtool archive time ARCHIVE [RUNS]
// Lists an archive's members through the archive control and the archiver
// libraries beside the tool, or extracts one member the way the archive
// pane does (without its folders, overwriting), or times the listing (a
// fresh control each run, as a newly chosen archive is read; the median of
// RUNS, default 5, in milliseconds).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "archive/archive_control.h"
#include "archive/dll_archiver_api.h"
#include "archive/win_archive_host.h"
#include "qmtool.h"

namespace {

const char* FormatName(TArchiveType t) {
    static const char* const kNames[] = {"none", "LZH", "CAB", "TAR", "ARJ", "RAR", "ZIP", "7Z"};
    return kNames[t];
}

std::string FullPath(const std::string& path) {
    char buf[MAX_PATH];
    DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, buf, nullptr);
    return n > 0 && n < MAX_PATH ? std::string(buf, n) : path;
}

// The settings the main window gives its archive control.
void MainWindowSettings(TArchiveControl& ac) {
    ac.SilentMode = true;
    ac.LhaOptions.ExtractOptions = {eoOverWrite, eoIncludeHidden};
    ac.CabOptions.ExtractOptions = {eoOverWrite};
    ac.TarOptions.ExtractOptions = {};
    ac.ArjOptions.ExtractOptions = {eoOverWrite, eoIncludeHidden};
    ac.RarOptions.ExtractOptions = {eoOverWrite};
    ac.ZipOptions.ExtractOptions = {eoOverWrite};
    ac.SevenZipOptions.ExtractOptions = {eoOverWrite};
}

int TimeListing(const std::string& path, int runs) {
    TWinArchiveHost host;
    host.Watch = false;
    TDllArchiverApi api;
    std::vector<double> ms;
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    int count = 0;
    for (int i = 0; i < runs; ++i) {
        TArchiveControl ac(api, host);
        MainWindowSettings(ac);
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        ac.SetFileName(path);
        QueryPerformanceCounter(&t1);
        count = ac.Count();
        ms.push_back(1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) /
                     static_cast<double>(freq.QuadPart));
    }
    std::sort(ms.begin(), ms.end());
    std::printf("members\t%d\nmedian_ms\t%.1f\nmin_ms\t%.1f\nmax_ms\t%.1f\n", count,
                ms[ms.size() / 2], ms.front(), ms.back());
    return count > 0 ? 0 : 1;
}

int ArchiveCommand(const std::vector<std::string>& args) {
    if ((args.size() == 2 || args.size() == 3) && args[0] == "time")
        return TimeListing(FullPath(args[1]), args.size() == 3 ? std::max(1, std::atoi(args[2].c_str())) : 5);
    const bool list = args.size() == 2 && args[0] == "list";
    const bool extract = args.size() == 4 && args[0] == "extract";
    if (!list && !extract) {
        std::fprintf(stderr,
                     "archive: list ARCHIVE | extract ARCHIVE MEMBER FOLDER | time ARCHIVE [RUNS]\n");
        return 2;
    }
    TWinArchiveHost host;
    host.Watch = false;
    TDllArchiverApi api;
    TArchiveControl ac(api, host);
    MainWindowSettings(ac);
    bool invalid = false;
    ac.OnInvalid = [&](TArchiveControl&, const std::string&) { invalid = true; };
    const std::string path = FullPath(args[1]);
    ac.SetFileName(path);
    if (invalid || ac.ArchiveType() == atNone) {
        std::fprintf(stderr, "archive: %s is not an archive this program reads\n", path.c_str());
        return 1;
    }
    if (list) {
        std::printf("format\t%s\nmembers\t%d\n", FormatName(ac.ArchiveType()), ac.Count());
        if (ac.HeadersEncrypted()) std::printf("encrypted\tnames and all\n");
        std::printf("size\tpacked\trate\tdate\t\t\tattr\tpath\n");
        for (int i = 0; i < ac.Count(); ++i) {
            TArchiveItem* item = ac.Items(i);
            const IndividualInfo& info = item->Info();
            const unsigned d = info.DosDate(), t = info.DosTime();
            std::printf("%llu\t%llu\t%.1f%%\t%04u/%02u/%02u %02u:%02u:%02u\t0x%02X\t%s\n",
                        static_cast<unsigned long long>(item->UnpackedSize()),
                        static_cast<unsigned long long>(item->CompressedSize()),
                        item->Ratio() / 10.0,
                        1980 + (d >> 9), (d >> 5) & 15, d & 31, t >> 11, (t >> 5) & 63,
                        (t & 31) * 2, item->Attributes(), item->MemberPath().c_str());
        }
        return 0;
    }
    const std::string folder = FullPath(args[3]);
    const int r = ac.ExtractFiles(folder, {args[2]});
    static const char* const kResults[] = {"extracted", "library busy",
                                           "folder missing or library failed", "no archive"};
    std::printf("%d\t%s\n", r, r >= 0 && r <= 3 ? kResults[r] : "?");
    return r == 0 ? 0 : 1;
}

} // namespace

static const QmCommand command("archive",
                               "list ARCHIVE | extract ARCHIVE MEMBER FOLDER | time ARCHIVE [RUNS]"
                               "   archive members",
                               ArchiveCommand);
