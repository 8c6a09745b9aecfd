#include <gtest/gtest.h>

#include "app/app_paths.h"
#include "app/file_kind.h"

TEST(ClassifyFile, TextIsTheDefault) {
    for (const char* p : {"README", "a.txt", "a.c", "a.log", "C:\\x\\name.", "name.tar.gzip",
                          "C:\\dir.zip\\README", "", "a.gzip", "a.jp", "a.7zip", "a.x"}) {
        EXPECT_EQ(fkText, ClassifyFile(p, false)) << p;
    }
}

TEST(ClassifyFile, ExtensionsMatchWholeEntriesIgnoringCase) {
    EXPECT_EQ(fkImage, ClassifyFile("photo.JPEG", false));
    EXPECT_EQ(fkImage, ClassifyFile("photo.jpeg", false));
    EXPECT_EQ(fkImage, ClassifyFile("C:\\p\\x.Png", false));
    EXPECT_EQ(fkImage, ClassifyFile("x.p2", false));
    EXPECT_EQ(fkLaunchable, ClassifyFile("page.htm", false));
    EXPECT_EQ(fkLaunchable, ClassifyFile("page.html", false));
    EXPECT_EQ(fkLaunchable, ClassifyFile("setup.exe", false));
    EXPECT_EQ(fkLaunchable, ClassifyFile("x.lnk", false));
    EXPECT_EQ(fkLibrary, ClassifyFile("x.dll", false));
    EXPECT_EQ(fkMedia, ClassifyFile("clip.mid", false));
    EXPECT_EQ(fkMedia, ClassifyFile("clip.AVI", false));
    EXPECT_EQ(fkWave, ClassifyFile("song.wav", false));
    EXPECT_EQ(fkArchive, ClassifyFile("a.lzh", false));
    EXPECT_EQ(fkArchive, ClassifyFile("a.tar", false));
    // Every format the archive pane reads opens there, not as text.
    EXPECT_EQ(fkArchive, ClassifyFile("a.Arj", false));
    EXPECT_EQ(fkArchive, ClassifyFile("a.RAR", false));
    // Compressed TARs, lone compressed files and 7z too.
    for (const char* p : {"name.tar.gz", "a.TGZ", "a.taz", "a.Z", "a.tar.bz2", "a.tbz", "a.tar.xz",
                          "a.TXZ", "a.xz", "a.7z", "C:\\\x95\x5c\\b.7Z"})
        EXPECT_EQ(fkArchive, ClassifyFile(p, false)) << p;
    // Parts of entries do not match: ".HT", ".JP", ".P" are no entries.
    EXPECT_EQ(fkText, ClassifyFile("x.ht", false));
    EXPECT_EQ(fkText, ClassifyFile("x.p", false));
    EXPECT_EQ(fkText, ClassifyFile("x.TML", false));
}

TEST(ClassifyFile, GifIsAnImageOnlyWithTheOption) {
    EXPECT_EQ(fkText, ClassifyFile("anim.gif", false));
    EXPECT_EQ(fkImage, ClassifyFile("anim.gif", true));
    EXPECT_EQ(fkImage, ClassifyFile("ANIM.GIF", true));
}

TEST(ClassifyFile, DoubleByteNamesAndFolders) {
    // Folder "表" (second byte 0x5C) with a dotted name: the extension is the file's.
    EXPECT_EQ(fkImage, ClassifyFile("C:\\\x95\x5c.d\\\x8e\xca\x90\x5e.bmp", false));
    EXPECT_EQ(fkText, ClassifyFile("C:\\a.zip\\\x95\x5c", false));
}

TEST(AppPaths, EverythingLivesBesideTheProgram) {
    EXPECT_EQ("D:\\A\\B\\", ProgramFolder("D:\\A\\B\\view.exe"));
    EXPECT_EQ("D:\\A\\B\\$VSWORK$", WorkFolderFor("D:\\A\\B\\view.exe"));
    EXPECT_EQ("D:\\A\\B\\view.INI", EnvironmentFileFor("D:\\A\\B\\view.exe"));
    EXPECT_EQ("C:\\Tools\\$VSWORK$", WorkFolderFor("C:\\Tools\\Quillmark.exe"));
    EXPECT_TRUE(IsUsableWorkFolder("C:\\Tools\\$VSWORK$"));
    EXPECT_FALSE(IsUsableWorkFolder(""));
    EXPECT_FALSE(IsUsableWorkFolder("C:\\"));
    EXPECT_FALSE(IsUsableWorkFolder("C:\\Tools"));
}
