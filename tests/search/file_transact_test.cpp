#include <gtest/gtest.h>

#include "fake_platform.h"
#include "search/file_transact.h"

using Names = std::vector<std::string>;

class FileTransactTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs.AddFolder("C:\\D");
        fs.AddFile("C:\\D\\b.TXT");
        fs.AddFile("C:\\D\\a.txt");
        fs.AddFile("C:\\D\\c.doc");
        fs.AddFile("C:\\D\\README");
        fs.AddFolder("C:\\D\\sub");
        fs.AddFolder("C:\\D\\x.txt.d");
        t.SetFolder("C:\\D");
    }
    FakePlatform fs;
    TFileTransact t{fs};
};

TEST_F(FileTransactTest, MaskListsSortedFilesAndOnlyMatchingFolders) {
    t.SetMask("*.txt");
    t.Execute();
    EXPECT_EQ((Names{"C:\\D\\a.txt", "C:\\D\\b.TXT"}), t.Files);
    EXPECT_TRUE(t.Folders.empty());
    EXPECT_EQ(2, t.Count());
    t.NamesOnly = true;
    t.SetMask("*.*");
    t.Execute();
    EXPECT_EQ((Names{"a.txt", "b.TXT", "c.doc", "README"}), t.Files);
    EXPECT_EQ((Names{"sub", "x.txt.d"}), t.Folders);
}

TEST_F(FileTransactTest, EmptyMaskIsEverythingAndMissingFolderIsEmpty) {
    t.SetMask("");
    EXPECT_EQ("*.*", t.Mask());
    t.SetFolder("C:\\D\\");
    t.Execute();
    EXPECT_EQ(4u, t.Files.size());
    EXPECT_EQ("C:\\D\\a.txt", t.Files[0]); // one backslash, also after a trailing one
    t.SetFolder("C:\\gone");
    t.Execute();
    EXPECT_TRUE(t.Files.empty());
    EXPECT_TRUE(t.Folders.empty());
}

TEST_F(FileTransactTest, ExtensionListKeepsFoldersAndBlankTakesBareNames) {
    t.NamesOnly = true;
    t.SetUseExtensions(true);
    t.SetExtensions(".txt ");
    t.Execute();
    // Every list holds blanks, so a name without extension always comes along.
    EXPECT_EQ((Names{"a.txt", "b.TXT", "README"}), t.Files);
    EXPECT_EQ((Names{"sub", "x.txt.d"}), t.Folders);
    t.SetExtensions(".DOC ");
    t.Execute();
    EXPECT_EQ((Names{"c.doc", "README"}), t.Files);
    t.SetExtensions("");
    t.Execute();
    EXPECT_EQ(4u, t.Files.size());
}

TEST_F(FileTransactTest, DeleteAllUnprotectsWithoutAsking) {
    fs.AddFolder("C:\\W");
    fs.AddFile("C:\\W\\ro.txt", 3, faReadOnly);
    fs.AddFile("C:\\W\\plain.txt");
    fs.AddFolder("C:\\W\\keep");
    t.SetFolder("C:\\W");
    t.NamesOnly = true;
    t.Execute();
    t.DeleteAll();
    EXPECT_TRUE(fs.questions.empty());
    EXPECT_FALSE(fs.Exists("C:\\W\\ro.txt"));
    EXPECT_FALSE(fs.Exists("C:\\W\\plain.txt"));
    EXPECT_TRUE(fs.Exists("C:\\W\\keep"));
}

TEST_F(FileTransactTest, ProtectedFileQuestionAndAnswers) {
    fs.AddFile("C:\\D\\sys", 0, faSysFile | faHidden | faReadOnly);
    fs.AddFile("C:\\D\\hid", 0, faHidden);
    fs.answerYes = false;
    EXPECT_TRUE(t.DeleteFileChecked("C:\\D\\sys", true)); // declined counts as done
    EXPECT_TRUE(fs.Exists("C:\\D\\sys"));
    ASSERT_EQ(1u, fs.questions.size());
    EXPECT_EQ("システムファイルです\r\rC:\\D\\sys\r\r削除してよろしいですか？", fs.questions[0]);
    fs.answerYes = true;
    EXPECT_TRUE(t.DeleteFileChecked("C:\\D\\hid", true));
    EXPECT_EQ("隠しファイルです\r\rC:\\D\\hid\r\r削除してよろしいですか？", fs.questions[1]);
    EXPECT_FALSE(fs.Exists("C:\\D\\hid"));
    // Unprotected files go without a question.
    EXPECT_TRUE(t.DeleteFileChecked("C:\\D\\a.txt", true));
    EXPECT_EQ(2u, fs.questions.size());
    EXPECT_FALSE(t.DeleteFileChecked("C:\\D\\nothing", true));
}

TEST_F(FileTransactTest, FailuresKeepTheProtection) {
    fs.AddFile("C:\\D\\ro", 0, faReadOnly | faArchive);
    fs.failSetAttributes = true;
    EXPECT_FALSE(t.DeleteFileChecked("C:\\D\\ro", false));
    EXPECT_EQ(faReadOnly | faArchive, fs.Attrs("C:\\D\\ro"));
    fs.failSetAttributes = false;
    fs.failRemove = true;
    EXPECT_FALSE(t.DeleteFileChecked("C:\\D\\ro", false));
    EXPECT_EQ(faReadOnly | faArchive, fs.Attrs("C:\\D\\ro"));
    EXPECT_TRUE(fs.Exists("C:\\D\\ro"));
}

TEST_F(FileTransactTest, HasAttributesNeedsAllBits) {
    fs.AddFile("C:\\D\\rh", 0, faReadOnly | faHidden);
    EXPECT_TRUE(t.HasAttributes("C:\\D\\rh", faReadOnly | faHidden));
    EXPECT_FALSE(t.HasAttributes("C:\\D\\rh", faReadOnly | faSysFile));
    EXPECT_FALSE(t.HasAttributes("C:\\D\\none", 0));
    EXPECT_TRUE(t.HasAttributes("C:\\D\\sub", faDirectory));
}
