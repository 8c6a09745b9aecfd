// The environment data file through the platform's private-profile functions.
#include <gtest/gtest.h>

#include "settings/ini_file.h"
#include "settings_test_util.h"

TEST(IniFile, StringsReadBackAsTheyWereWritten) {
    ScratchFolder dir;
    TIniFile ini(dir / "a.ini");
    // Blanks and enclosing quotes would be eaten by the platform; 0x5C as
    // the second byte of 表 and ソ, and '=', must pass through untouched.
    const std::string values[] = {"  lead", "trail  ", "'s'", "\"q\"", "\"", "a\"b\"", "x=y=z", "表\\ソ=能",
                                  "\t", "C:\\Program Files\\エディタ\\a.exe", ""};
    int n = 0;
    for (const std::string& v : values) ASSERT_TRUE(ini.WriteString("S", "k" + std::to_string(n++), v));
    n = 0;
    for (const std::string& v : values) EXPECT_EQ(v, ini.ReadString("S", "k" + std::to_string(n++), "?")) << v;
    // Plain values stay plain in the file.
    EXPECT_NE(std::string::npos, ScratchFolder::Read(dir / "a.ini").find("k6=x=y=z\r\n"));
}

TEST(IniFile, MissingOrMalformedValuesFallBack) {
    ScratchFolder dir;
    ScratchFolder::Write(dir / "b.ini", "[S]\r\nn=abc\r\nc=blue\r\nb=2\r\n");
    const TIniFile ini(dir / "b.ini");
    EXPECT_EQ(4, ini.ReadInteger("S", "n", 4));
    EXPECT_EQ(clNavy, ini.ReadColor("S", "c", clNavy));
    EXPECT_TRUE(ini.ReadBool("S", "b", false));
    EXPECT_EQ(7, TIniFile(dir / "none.ini").ReadInteger("S", "n", 7));
    EXPECT_TRUE(ini.SectionExists("S"));
    EXPECT_FALSE(ini.SectionExists("T"));
}
