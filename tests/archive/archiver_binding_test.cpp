// The library binding: defaults when libraries are missing, loading on
// demand, and the fault guard of the command functions.
#include <gtest/gtest.h>

#include <windows.h>

#include "archive/archive_control.h"
#include "archive/archiver_library.h"
#include "archive/dll_archiver_api.h"
#include "archive/win_archive_host.h"
#include "test_archives.h"

using namespace ArchiveApi;

namespace {

class BindingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ReleaseAllLibraries();
        temp = MakeTempFolder("binding");
    }
    void TearDown() override {
        ReleaseAllLibraries();
        SetLibraryFolder("");
        RemoveTree(temp);
    }
    std::string temp;
};

TEST_F(BindingTest, MissingLibrariesGiveTheDefaults) {
    CreateDirectoryA((temp + "none").c_str(), nullptr);
    SetLibraryFolder(temp + "none");
    const std::string lzh = temp + "a.lzh";
    ASSERT_TRUE(WriteTestArchive(TestFormat::Lzh, lzh, {{"a.txt", "abc"}}));
    EXPECT_EQ(0, UnlhaGetRunning());
    EXPECT_EQ(0, UnlhaCheckArchive(lzh.c_str(), 1));
    EXPECT_EQ(-1, UnlhaGetFileCount(lzh.c_str()));
    EXPECT_EQ(nullptr, UnlhaOpenArchive(nullptr, lzh.c_str(), 2));
    IndividualInfo info;
    EXPECT_EQ(-1, UnlhaFindFirst(nullptr, "*.*", &info));
    EXPECT_EQ(-1, UnlhaFindNext(nullptr, &info));
    EXPECT_EQ(-1, UnlhaCloseArchive(nullptr));
    EXPECT_EQ(32768, CabCloseArchive(nullptr));
    EXPECT_EQ(-1, UnlhaGetAttribute(nullptr));
    EXPECT_EQ(0, TarGetArchiveType(lzh.c_str()));
    EXPECT_EQ(32768, Unlha(nullptr, "e x.lzh", nullptr, 0));
    EXPECT_EQ(32768, UnZip(nullptr, "-x", nullptr, 0));
    EXPECT_EQ(0, UnarjGetCursorMode());
    EXPECT_EQ(nullptr, LibraryModule(alUnlha));

    // Through the control: the file is simply not an archive, without a word.
    TWinArchiveHost host;
    host.Watch = false;
    TDllArchiverApi api;
    TArchiveControl ac(api, host);
    std::string invalid;
    ac.OnInvalid = [&](TArchiveControl&, const std::string& n) { invalid = n; };
    ac.SetFileName(lzh);
    EXPECT_EQ(lzh, invalid);
    EXPECT_EQ(atNone, ac.ArchiveType());

    // A failed load is tried again on the next call.
    SetLibraryFolder(BinFolder());
    EXPECT_EQ(1, UnlhaGetFileCount(lzh.c_str()));
    EXPECT_NE(nullptr, LibraryModule(alUnlha));
    ac.SetFileName(lzh);
    EXPECT_EQ(atLha, ac.ArchiveType());
    EXPECT_EQ(1, ac.Count());
}

TEST_F(BindingTest, LibraryOfTheOtherArchitectureIsRefusedLikeAMissingOne) {
    SetLibraryFolder(BinFolder() + "..\\tests\\other_arch");
    const std::string lzh = temp + "a.lzh";
    ASSERT_TRUE(WriteTestArchive(TestFormat::Lzh, lzh, {{"a.txt", "abc"}}));
    EXPECT_EQ(0, UnlhaGetRunning());
    EXPECT_EQ(-1, UnlhaGetFileCount(lzh.c_str()));
    EXPECT_EQ(nullptr, LibraryModule(alUnlha));
    TWinArchiveHost host;
    host.Watch = false;
    TDllArchiverApi api;
    TArchiveControl ac(api, host);
    ac.SetFileName(lzh);
    EXPECT_EQ(atNone, ac.ArchiveType());
}

TEST_F(BindingTest, FaultInAGuardedCommandReleasesTheLibrary) {
    SetLibraryFolder(BinFolder() + "..\\tests\\faulty");
    EXPECT_EQ(0, UnlhaGetRunning());
    HMODULE first = LibraryModule(alUnlha);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(32768, Unlha(nullptr, "e a.lzh", nullptr, 0)); // access violation
    EXPECT_EQ(nullptr, LibraryModule(alUnlha));
    EXPECT_EQ(32768, Unlha(nullptr, "raise", nullptr, 0)); // raised exception
    EXPECT_EQ(nullptr, LibraryModule(alUnlha));
    // The next call loads it again.
    EXPECT_EQ(1, UnlhaGetFileCount("x.lzh"));
    EXPECT_NE(nullptr, LibraryModule(alUnlha));
}

TEST_F(BindingTest, WithoutGetAttributeEveryLzhMemberReadsAsAFolder) {
    SetLibraryFolder(BinFolder() + "..\\tests\\faulty");
    const std::string lzh = temp + "b.lzh";
    ASSERT_TRUE(WriteWholeFile(lzh, "anything"));
    EXPECT_EQ(-1, UnlhaGetAttribute(reinterpret_cast<HARC>(1)));
    TWinArchiveHost host;
    host.Watch = false;
    TDllArchiverApi api;
    TArchiveControl ac(api, host);
    ac.SetFileName(lzh);
    EXPECT_EQ(atLha, ac.ArchiveType());
    EXPECT_EQ(0, ac.Count());
    // The faulting extraction comes back as a failure, not a crash.
    EXPECT_EQ(kExtractFailed, ac.ExtractFiles(temp, {"only.txt"}));
}

TEST_F(BindingTest, ReleasingEmptiesEverySlot) {
    SetLibraryFolder(BinFolder());
    UnlhaGetRunning();
    CabGetRunning();
    ZipGetRunning();
    EXPECT_NE(nullptr, LibraryModule(alCab));
    ReleaseCab32();
    EXPECT_EQ(nullptr, LibraryModule(alCab));
    EXPECT_NE(nullptr, LibraryModule(alUnlha));
    ReleaseAllLibraries();
    for (int i = 0; i < kArchiverLibraryCount; ++i)
        EXPECT_EQ(nullptr, LibraryModule(static_cast<TArchiverLibrary>(i)));
}

} // namespace
