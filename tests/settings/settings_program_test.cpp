// The real program: the text view's settings and the general ones reach
// the environment data file at close and come back at the next start.
#include <gtest/gtest.h>

#include <cstdlib>

#include "settings/ini_file.h"
#include "settings_test_util.h"

namespace {
struct Process {
    PROCESS_INFORMATION pi{};
    bool Start(const std::string& exe, const std::string& folder) {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        std::string cmd = "\"" + exe + "\"";
        return CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              folder.c_str(), &si, &pi);
    }
    bool WaitExit(DWORD ms) { return WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0; }
    ~Process() {
        if (!pi.hProcess) return;
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 1);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
};

std::string BuiltProgram() {
    std::string dir = std::getenv("QM_BIN_DIR") ? std::getenv("QM_BIN_DIR") : "";
    for (char& c : dir) {
        if (c == '/') c = '\\';
    }
    return "Z:" + dir + "\\Quillmark.exe";
}

void RunAndClose(const std::string& exe, const std::string& folder) {
    Process p;
    ASSERT_TRUE(p.Start(exe, folder));
    // One instance runs at a time, so its main window is the only one.
    HWND main = nullptr;
    for (int i = 0; i < 600 && !(main && IsWindowVisible(main)); ++i, Sleep(100))
        main = FindWindowA("TfoMAIN", nullptr);
    ASSERT_TRUE(main && IsWindowVisible(main));
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(p.WaitExit(30000));
}
}  // namespace

TEST(SettingsProgram, TheFileIsWrittenInFullAndReadBackAtTheNextStart) {
    ScratchFolder dir;
    const std::string exe = dir / "Quillmark.exe";
    ASSERT_TRUE(CopyFileA(BuiltProgram().c_str(), exe.c_str(), FALSE)) << BuiltProgram();
    RunAndClose(exe, dir.Path());
    TIniFile ini(dir / "Quillmark.INI");
    // The text view's designed look, written in full; no keywords yet.
    EXPECT_EQ("clNavy", ini.ReadString("hedText", "Color", ""));
    EXPECT_EQ("80", ini.ReadString("hedText", "WrapByte", ""));
    EXPECT_EQ("clWhite", ini.ReadString("hedText", "ViewColorsAnkColor", ""));
    EXPECT_FALSE(ini.SectionExists("hedTextKeyWordList"));
    EXPECT_EQ("4", ini.ReadString("Setting", "ReadTextKByte", ""));

    // Changed between two runs: values of both settings windows, a clamp, a
    // bad colour, keywords with a gap, a section of someone else.
    const std::string editor = "C:\\ツール\\表示=\\ed.exe";
    ini.WriteString("Setting", "ExternalEditor", editor);
    ini.WriteString("Setting", "ReadTextKByte", "100");
    ini.WriteString("hedText", "WordWrap", "1");
    ini.WriteString("hedText", "WrapByte", "300");
    ini.WriteString("hedText", "ViewColorsAnkColor", "bogus");
    ini.WriteString("hedText", "ViewColorsIntColor", "clFuchsia");
    ini.WriteString("hedTextKeyWordList", "Kw0Str", "alpha");
    ini.WriteString("hedTextKeyWordList", "Kw2Str", "gamma");
    ini.WriteString("Mine", "x", "1");
    RunAndClose(exe, dir.Path());
    EXPECT_EQ(editor, ini.ReadString("Setting", "ExternalEditor", ""));
    EXPECT_EQ("100", ini.ReadString("Setting", "ReadTextKByte", ""));
    EXPECT_EQ("1", ini.ReadString("hedText", "WordWrap", ""));
    EXPECT_EQ("250", ini.ReadString("hedText", "WrapByte", ""));
    EXPECT_EQ("clWhite", ini.ReadString("hedText", "ViewColorsAnkColor", ""));
    EXPECT_EQ("clFuchsia", ini.ReadString("hedText", "ViewColorsIntColor", ""));
    EXPECT_EQ("alpha", ini.ReadString("hedTextKeyWordList", "Kw0Str", ""));
    EXPECT_EQ("-", ini.ReadString("hedTextKeyWordList", "Kw2Str", "-"));
    EXPECT_EQ("1", ini.ReadString("Mine", "x", ""));
}
