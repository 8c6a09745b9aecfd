#include "base/files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#ifdef _WIN32
#include <direct.h>
#else
#include <unistd.h>
#endif

namespace {
#ifdef _WIN32
const char kSep[] = "\\";
#else
const char kSep[] = "/";
#endif
bool MakeDir(const std::string& p) {
#ifdef _WIN32
    return _mkdir(p.c_str()) == 0;
#else
    return mkdir(p.c_str(), 0700) == 0;
#endif
}
void RemoveDir(const std::string& p) {
#ifdef _WIN32
    _rmdir(p.c_str());
#else
    rmdir(p.c_str());
#endif
}
std::string TempBase() {
#ifdef _WIN32
    const char* t = std::getenv("TEMP");
    return std::string(t ? t : "C:\\") + "\\";
#else
    const char* t = std::getenv("TMPDIR");
    return std::string(t ? t : "/tmp") + "/";
#endif
}

// A folder and a file side by side, gone after the test.
class FolderAndFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = TempBase() + "qm-files-" + std::to_string(std::rand());
        ASSERT_TRUE(MakeDir(dir_));
        file_ = dir_ + kSep + "x.txt";
        std::FILE* f = std::fopen(file_.c_str(), "wb");
        ASSERT_TRUE(f);
        std::fclose(f);
        // "表" ends in the byte of a backslash.
        sjis_ = dir_ + kSep + "\x95\x5C";
        ASSERT_TRUE(MakeDir(sjis_));
        // A file "X表" beside a folder named as "X表" would be with its last
        // byte cut (Windows reads the lone lead byte as nothing).
        sjisFile_ = dir_ + kSep + "X\x95\x5C";
        std::FILE* g = std::fopen(sjisFile_.c_str(), "wb");
        ASSERT_TRUE(g);
        std::fclose(g);
#ifdef _WIN32
        decoy_ = dir_ + kSep + "X";
#else
        decoy_ = dir_ + kSep + "X\x95";
#endif
        ASSERT_TRUE(MakeDir(decoy_));
    }
    void TearDown() override {
        RemoveDir(decoy_);
        std::remove(sjisFile_.c_str());
        RemoveDir(sjis_);
        std::remove(file_.c_str());
        RemoveDir(dir_);
    }
    std::string dir_, file_, sjis_, sjisFile_, decoy_;
};
}  // namespace

TEST_F(FolderAndFile, FolderIsFoundWithOrWithoutTrailingBackslashAndFileIsNot) {
    EXPECT_TRUE(DirectoryExists(dir_));
    EXPECT_TRUE(DirectoryExists(dir_ + "\\"));
    EXPECT_FALSE(DirectoryExists(file_));
    EXPECT_FALSE(DirectoryExists(file_ + "\\"));
    EXPECT_FALSE(DirectoryExists(dir_ + "missing"));
    EXPECT_FALSE(DirectoryExists(""));
    EXPECT_TRUE(FileExists(file_));
    EXPECT_FALSE(FileExists(dir_));
}

TEST_F(FolderAndFile, DoubleByteNameEndingInBackslashByteKeepsIt) {
    EXPECT_TRUE(DirectoryExists(sjis_));
    EXPECT_TRUE(DirectoryExists(sjis_ + "\\"));
    // Cutting the name's last byte would find the decoy folder.
    EXPECT_TRUE(DirectoryExists(decoy_));
    EXPECT_FALSE(DirectoryExists(sjisFile_));
    EXPECT_TRUE(FileExists(sjisFile_));
    EXPECT_FALSE(FileExists(decoy_));
}

#ifdef _WIN32
TEST(DirectoryExists, DriveRootInEveryWriting) {
    EXPECT_TRUE(DirectoryExists("C:\\"));
    EXPECT_TRUE(DirectoryExists("C:"));
    EXPECT_TRUE(DirectoryExists("c:\\windows\\"));
}
#endif
