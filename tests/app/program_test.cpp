// The real program in its own processes: one instance at a time, the work
// folder beside the program, an orderly close.
#include <gtest/gtest.h>

#include <cstdlib>

#include "base/strutil.h"
#include "temp_folder.h"

namespace {
std::string BuiltProgram() {
    // The tests' environment names the build's bin folder as a Linux path.
    std::string dir = std::getenv("QM_BIN_DIR") ? std::getenv("QM_BIN_DIR") : "";
    for (char& c : dir) {
        if (c == '/') c = '\\';
    }
    return "Z:" + dir + "\\Quillmark.exe";
}

struct Process {
    PROCESS_INFORMATION pi{};
    bool Start(const std::string& exe) {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        std::string cmd = "\"" + exe + "\"";
        return CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              ExtractFilePath(exe).c_str(), &si, &pi);
    }
    bool WaitExit(DWORD ms) { return WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0; }
    bool Running() { return WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT; }
    ~Process() {
        if (pi.hProcess) {
            if (Running()) TerminateProcess(pi.hProcess, 1);
            CloseHandle(pi.hProcess);
            CloseHandle(pi.hThread);
        }
    }
};

struct Found {
    DWORD pid;
    const char* cls;
    HWND hwnd;
};

BOOL CALLBACK MatchWindow(HWND h, LPARAM lp) {
    auto* f = reinterpret_cast<Found*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    char name[64] = {};
    GetClassNameA(h, name, sizeof name);
    if (owner == f->pid && IsWindowVisible(h) && std::string(name) == f->cls) {
        f->hwnd = h;
        return FALSE;
    }
    return TRUE;
}

// A visible top-level window of the given class belonging to the process.
HWND WaitForWindow(DWORD pid, const char* cls, DWORD ms) {
    for (DWORD waited = 0; waited <= ms; waited += 100) {
        Found f{pid, cls, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&f));
        if (f.hwnd) return f.hwnd;
        Sleep(100);
    }
    return nullptr;
}

std::string BoxText(HWND box) {
    char text[512] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

class Program : public ::testing::Test {
protected:
    void SetUp() override {
        exe_ = dir_ / "Quillmark.exe";
        ASSERT_TRUE(CopyFileA(BuiltProgram().c_str(), exe_.c_str(), FALSE)) << BuiltProgram();
    }
    TempFolder dir_;
    std::string exe_;
};
}  // namespace

TEST_F(Program, SecondInstanceWarnsAndLeavesTheFirstAlone) {
    Process first;
    ASSERT_TRUE(first.Start(exe_));
    HWND main = WaitForWindow(first.pi.dwProcessId, "TfoMAIN", 60000);
    ASSERT_TRUE(main);
    EXPECT_TRUE(TempFolder::IsFolder(dir_ / "$VSWORK$"));

    // The second copy sits in another folder: it must write nothing there.
    TempFolder other;
    const std::string exe2 = other / "Quillmark.exe";
    ASSERT_TRUE(CopyFileA(exe_.c_str(), exe2.c_str(), FALSE));
    Process second;
    ASSERT_TRUE(second.Start(exe2));
    HWND box = WaitForWindow(second.pi.dwProcessId, "#32770", 30000);
    ASSERT_TRUE(box);
    EXPECT_EQ("Quilmark は既に起動されています\r\r二重に起動することは出来ません", BoxText(box));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(second.WaitExit(15000));
    EXPECT_FALSE(TempFolder::Exists(other / "$VSWORK$"));
    EXPECT_FALSE(TempFolder::Exists(other / "Quillmark.INI"));
    EXPECT_FALSE(WaitForWindow(second.pi.dwProcessId, "TfoMAIN", 0));

    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(IsWindow(main));
    EXPECT_FALSE(WaitForWindow(first.pi.dwProcessId, "#32770", 0));

    // Orderly close: our extracted copies go, the folder stays.
    TempFolder::WriteFile(dir_ / "$VSWORK$\\member.txt", "extracted");
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(first.WaitExit(30000));
    EXPECT_TRUE(TempFolder::IsFolder(dir_ / "$VSWORK$"));
    EXPECT_FALSE(TempFolder::Exists(dir_ / "$VSWORK$\\member.txt"));

    // The mutex went with the first process: a new start is no second instance.
    Process third;
    ASSERT_TRUE(third.Start(exe_));
    HWND again = WaitForWindow(third.pi.dwProcessId, "TfoMAIN", 60000);
    ASSERT_TRUE(again);
    PostMessageA(again, WM_CLOSE, 0, 0);
    EXPECT_TRUE(third.WaitExit(30000));
}

TEST_F(Program, UnusableWorkFolderIsReportedAndTheProgramRunsOn) {
    TempFolder::WriteFile(dir_ / "$VSWORK$", "a file where the folder should be");
    Process p;
    ASSERT_TRUE(p.Start(exe_));
    HWND box = WaitForWindow(p.pi.dwProcessId, "#32770", 60000);
    ASSERT_TRUE(box);
    EXPECT_EQ(0u, BoxText(box).find("Quillmark はディスク容量の無いドライブ上では"));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    HWND main = WaitForWindow(p.pi.dwProcessId, "TfoMAIN", 60000);
    ASSERT_TRUE(main);
    EXPECT_FALSE(WaitForWindow(p.pi.dwProcessId, "#32770", 500));  // once only
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(p.WaitExit(30000));
    EXPECT_FALSE(TempFolder::IsFolder(dir_ / "$VSWORK$"));
}

namespace {
HWND ChildOfClass(HWND parent, const char* cls, int nth = 0) {
    HWND h = nullptr;
    for (int i = 0; i <= nth; ++i) {
        h = FindWindowExA(parent, h, cls, nullptr);
        if (!h) return nullptr;
    }
    return h;
}
HWND Descendant(HWND top, const char* cls) {
    if (HWND h = ChildOfClass(top, cls)) return h;
    for (HWND c = GetWindow(top, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (HWND h = Descendant(c, cls)) return h;
    }
    return nullptr;
}
}  // namespace

TEST_F(Program, ShortcutsAndSearchHistoriesComeBackAfterARestart) {
    TempFolder::WriteFile(dir_ / "Quillmark.INI",
                          "[ShortCutFolder]\r\n1=" + dir_.Path() + "\r\n2=C:\\windows\r\n"
                          "[SearchWild]\r\n1=*.TXT\r\n2=*.LOG\r\n[SearchWildExt]\r\n1=XLS DOC\r\n");
    for (int run = 0; run < 2; ++run) {
        Process p;
        ASSERT_TRUE(p.Start(exe_));
        HWND main = WaitForWindow(p.pi.dwProcessId, "TfoMAIN", 60000);
        ASSERT_TRUE(main);
        // J opens the utility window on its shortcut page.
        PostMessageA(main, WM_KEYDOWN, 'J', 0);
        HWND util = WaitForWindow(p.pi.dwProcessId, "TfoSetFile", 30000);
        ASSERT_TRUE(util) << "run " << run;
        HWND list = Descendant(util, WC_LISTVIEWA);
        ASSERT_TRUE(list);
        EXPECT_EQ(2, SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) << "run " << run;
        PostMessageA(util, WM_CLOSE, 0, 0);
        for (int i = 0; i < 100 && IsWindowVisible(util); ++i) Sleep(100);
        PostMessageA(main, WM_CLOSE, 0, 0);
        ASSERT_TRUE(p.WaitExit(30000));
    }
    const std::string ini = TempFolder::ReadFile(dir_ / "Quillmark.INI");
    EXPECT_NE(std::string::npos, ini.find("[ShortCutFolder]\r\n1=" + dir_.Path() + "\r\n2=C:\\windows\r\n"));
    EXPECT_NE(std::string::npos, ini.find("[SearchWild]\r\n1=*.TXT\r\n2=*.LOG\r\n"));
    EXPECT_NE(std::string::npos, ini.find("[SearchWildExt]\r\n1=XLS DOC\r\n"));
}

TEST_F(Program, F1OpensTheHelpBesideTheProgramAndTheSplashIsGone) {
    const std::string chm = ExtractFilePath(BuiltProgram()) + "Quillmark.chm";
    ASSERT_TRUE(CopyFileA(chm.c_str(), (dir_ / "Quillmark.chm").c_str(), FALSE)) << chm;
    Process p;
    ASSERT_TRUE(p.Start(exe_));
    HWND main = WaitForWindow(p.pi.dwProcessId, "TfoMAIN", 60000);
    ASSERT_TRUE(main);
    // The splash went when the message loop first ran.
    for (int i = 0; i < 50 && WaitForWindow(p.pi.dwProcessId, "TfoSplash", 0); ++i) Sleep(100);
    EXPECT_FALSE(WaitForWindow(p.pi.dwProcessId, "TfoSplash", 0));
    PostMessageA(main, WM_KEYDOWN, VK_F1, 0);
    HWND help = WaitForWindow(p.pi.dwProcessId, "HH Parent", 30000);
    ASSERT_TRUE(help);
    char title[128] = {};
    GetWindowTextA(help, title, sizeof title);
    EXPECT_STREQ("Quillmark ヘルプ", title);
    // The help windows close with the program.
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(p.WaitExit(30000));
    EXPECT_FALSE(IsWindow(help));
}

TEST_F(Program, WithoutTheHelpFileF1OpensNothing) {
    Process p;
    ASSERT_TRUE(p.Start(exe_));
    HWND main = WaitForWindow(p.pi.dwProcessId, "TfoMAIN", 60000);
    ASSERT_TRUE(main);
    PostMessageA(main, WM_KEYDOWN, VK_F1, 0);
    EXPECT_FALSE(WaitForWindow(p.pi.dwProcessId, "HH Parent", 3000));
    EXPECT_FALSE(WaitForWindow(p.pi.dwProcessId, "#32770", 0));
    EXPECT_TRUE(p.Running());
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(p.WaitExit(30000));
}
