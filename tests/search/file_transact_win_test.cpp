#include "search/file_transact.h"
#include "search/win_file_platform.h"
#include "win_test_util.h"

using Names = std::vector<std::string>;

class FileTransactWin : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* n : {"a.pi", "b.PI", "c.pic", "d.api", "e.txt", "README"})
            MakeFile(dir / n);
        CreateDirectoryA((dir / "sub").c_str(), nullptr);
        CreateDirectoryA((dir / "pics.pi").c_str(), nullptr);
        t.SetFolder(dir.Path());
        t.NamesOnly = true;
    }
    TempFolder dir;
    TFileTransact t{WinFilePlatform()};
};

TEST_F(FileTransactWin, ListsByMaskAndByExtensions) {
    t.SetMask("*.pi");
    t.Execute();
    EXPECT_EQ((Names{"a.pi", "b.PI"}), t.Files);
    EXPECT_EQ((Names{"pics.pi"}), t.Folders); // "sub" does not match the mask
    t.SetUseExtensions(true);
    t.SetExtensions(".PI .TXT ");
    t.Execute();
    EXPECT_EQ((Names{"a.pi", "b.PI", "e.txt", "README"}), t.Files);
    EXPECT_EQ((Names{"pics.pi", "sub"}), t.Folders);
}

TEST_F(FileTransactWin, NameWithTrailByte5C) {
    // "表" is 0x95 0x5C: the name must survive listing and deletion whole.
    const std::string name = "\x95\x5C.txt";
    MakeFile(dir / name, 3);
    t.SetMask("*.txt");
    t.Execute();
    EXPECT_EQ((Names{"e.txt", name}), t.Files);
    EXPECT_TRUE(t.DeleteFileChecked(dir / name, true));
    EXPECT_FALSE(TempFolder::Exists(dir / name));
}

TEST_F(FileTransactWin, DeleteAllClearsReadOnlyFilesOfTheWorkFolder) {
    TempFolder work;
    MakeFile(work / "ro.txt", 5);
    MakeFile(work / "plain.bin", 5);
    CreateDirectoryA((work / "keep").c_str(), nullptr);
    SetFileAttributesA((work / "ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    BoxRecorder boxes(IDNO);
    TFileTransact w(WinFilePlatform());
    w.SetFolder(work.Path());
    w.Execute();
    w.DeleteAll();
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_FALSE(TempFolder::Exists(work / "ro.txt"));
    EXPECT_FALSE(TempFolder::Exists(work / "plain.bin"));
    EXPECT_TRUE(TempFolder::IsFolder(work / "keep"));
}

TEST_F(FileTransactWin, DeclinedConfirmationKeepsTheFileAndReturnsTrue) {
    const std::string ro = dir / "c.pic";
    SetFileAttributesA(ro.c_str(), FILE_ATTRIBUTE_READONLY);
    {
        BoxRecorder boxes(IDNO);
        EXPECT_TRUE(t.DeleteFileChecked(ro, true));
        ASSERT_EQ(1u, boxes.texts.size());
        EXPECT_EQ("読込専用ファイルです\r\r" + ro + "\r\r削除してよろしいですか？", boxes.texts[0]);
        EXPECT_EQ(static_cast<UINT>(MB_YESNO), boxes.flags[0] & MB_TYPEMASK);
    }
    EXPECT_TRUE(TempFolder::Exists(ro));
    EXPECT_TRUE(t.HasAttributes(ro, FILE_ATTRIBUTE_READONLY));
    BoxRecorder yes(IDYES);
    EXPECT_TRUE(t.DeleteFileChecked(ro, true));
    EXPECT_FALSE(TempFolder::Exists(ro));
    EXPECT_FALSE(t.HasAttributes(ro, 0));
}
