// The library binding: defaults when libraries are missing, loading on
// demand, exports found by prefix and name, and the fault guard of the
// command functions.
#include <gtest/gtest.h>

#include <windows.h>

#include "archive/archive_control.h"
#include "archive/archive_format.h"
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
    TDllArchiverApi api;
};

TEST_F(BindingTest, MissingLibrariesGiveTheDefaults) {
    CreateDirectoryA((temp + "none").c_str(), nullptr);
    SetLibraryFolder(temp + "none");
    const std::string lzh = temp + "a.lzh";
    ASSERT_TRUE(WriteTestArchive(TestFormat::Lzh, lzh, {{"a.txt", "abc"}}));
    EXPECT_EQ(0, api.GetRunning(alUnlha));
    EXPECT_EQ(0, api.CheckArchive(alUnlha, lzh.c_str(), 1));
    EXPECT_EQ(-1, api.GetFileCount(alUnlha, lzh.c_str()));
    EXPECT_EQ(0u, api.OpenArchive(alUnlha, 0, lzh.c_str(), 2));
    IndividualInfo info;
    EXPECT_EQ(-1, api.FindFirst(alUnlha, 0, "*.*", &info));
    EXPECT_EQ(-1, api.FindNext(alUnlha, 0, &info));
    EXPECT_EQ(-1, api.CloseArchive(alUnlha, 0));
    EXPECT_EQ(32768, api.CloseArchive(alCab, 0));
    EXPECT_EQ(-1, api.GetAttribute(alUnlha, 0));
    EXPECT_EQ(0, api.TarGetArchiveType(lzh.c_str()));
    EXPECT_EQ(32768, api.Command(alUnlha, 0, "e x.lzh", nullptr, 0));
    EXPECT_EQ(32768, api.Command(alUnzip, 0, "-x", nullptr, 0));
    EXPECT_EQ(0, api.GetCursorMode(alUnarj));
    std::int64_t size = 7;
    EXPECT_FALSE(api.GetOriginalSizeEx(alUnzip, 0, &size));
    EXPECT_EQ(7, size);
    EXPECT_EQ(nullptr, LibraryModule(alUnlha));

    // Through the control: the file is simply not an archive, without a word.
    TWinArchiveHost host;
    host.Watch = false;
    TArchiveControl ac(api, host);
    std::string invalid;
    ac.OnInvalid = [&](TArchiveControl&, const std::string& n) { invalid = n; };
    ac.SetFileName(lzh);
    EXPECT_EQ(lzh, invalid);
    EXPECT_EQ(atNone, ac.ArchiveType());

    // A failed load is tried again on the next call.
    SetLibraryFolder(BinFolder());
    EXPECT_EQ(1, api.GetFileCount(alUnlha, lzh.c_str()));
    EXPECT_NE(nullptr, LibraryModule(alUnlha));
    ac.SetFileName(lzh);
    EXPECT_EQ(atLha, ac.ArchiveType());
    EXPECT_EQ(1, ac.Count());
}

TEST_F(BindingTest, LibraryOfTheOtherArchitectureIsRefusedLikeAMissingOne) {
    SetLibraryFolder(BinFolder() + "..\\tests\\other_arch");
    const std::string lzh = temp + "a.lzh";
    ASSERT_TRUE(WriteTestArchive(TestFormat::Lzh, lzh, {{"a.txt", "abc"}}));
    EXPECT_EQ(0, api.GetRunning(alUnlha));
    EXPECT_EQ(-1, api.GetFileCount(alUnlha, lzh.c_str()));
    EXPECT_EQ(nullptr, LibraryModule(alUnlha));
    TWinArchiveHost host;
    host.Watch = false;
    TArchiveControl ac(api, host);
    ac.SetFileName(lzh);
    EXPECT_EQ(atNone, ac.ArchiveType());
}

TEST_F(BindingTest, FaultInAGuardedCommandReleasesTheLibrary) {
    SetLibraryFolder(BinFolder() + "..\\tests\\faulty");
    EXPECT_EQ(0, api.GetRunning(alUnlha));
    ASSERT_NE(nullptr, LibraryModule(alUnlha));
    EXPECT_EQ(32768, api.Command(alUnlha, 0, "e a.lzh", nullptr, 0)); // access violation
    EXPECT_EQ(nullptr, LibraryModule(alUnlha));
    EXPECT_EQ(32768, api.Command(alUnlha, 0, "raise", nullptr, 0)); // raised exception
    EXPECT_EQ(nullptr, LibraryModule(alUnlha));
    // The next call loads it again, and finds its exports afresh.
    EXPECT_EQ(1, api.GetFileCount(alUnlha, "x.lzh"));
    EXPECT_NE(nullptr, LibraryModule(alUnlha));
}

TEST_F(BindingTest, WithoutGetAttributeEveryLzhMemberReadsAsAFolder) {
    SetLibraryFolder(BinFolder() + "..\\tests\\faulty");
    const std::string lzh = temp + "b.lzh";
    ASSERT_TRUE(WriteWholeFile(lzh, "anything"));
    EXPECT_EQ(-1, api.GetAttribute(alUnlha, 1));
    TWinArchiveHost host;
    host.Watch = false;
    TArchiveControl ac(api, host);
    ac.SetFileName(lzh);
    EXPECT_EQ(atLha, ac.ArchiveType());
    EXPECT_EQ(0, ac.Count());
    // The faulting extraction comes back as a failure, not a crash.
    EXPECT_EQ(kExtractFailed, ac.ExtractFiles(temp, {"only.txt"}));
}

TEST_F(BindingTest, ReleasingEmptiesEverySlot) {
    SetLibraryFolder(BinFolder());
    api.GetRunning(alUnlha);
    api.GetRunning(alCab);
    api.GetRunning(alZip);
    EXPECT_NE(nullptr, LibraryModule(alCab));
    ReleaseLibrary(alCab);
    EXPECT_EQ(nullptr, LibraryModule(alCab));
    EXPECT_NE(nullptr, LibraryModule(alUnlha));
    ReleaseAllLibraries();
    for (int i = 0; i < kArchiverLibraryCount; ++i)
        EXPECT_EQ(nullptr, LibraryModule(static_cast<TArchiverLibrary>(i)));
}

TEST_F(BindingTest, ExportsAreFoundByPrefixAndNameOnlyWhereTheProgramCallsThem) {
    SetLibraryFolder(BinFolder());
    for (int i = 0; i < kArchiverLibraryCount; ++i) {
        const auto lib = static_cast<TArchiverLibrary>(i);
        SCOPED_TRACE(ArchiverLibraryFileName(lib));
        EXPECT_NE(nullptr, ExportOf(lib, afCommand));
        EXPECT_NE(nullptr, ExportOf(lib, afGetRunning));
        // The writer reads nothing; every reader lists and tells whole sizes.
        EXPECT_EQ(lib != alZip, ExportOf(lib, afOpenArchive) != nullptr);
        EXPECT_EQ(lib != alZip, ExportOf(lib, afGetOriginalSizeEx) != nullptr);
        EXPECT_EQ(lib == alTar, ExportOf(lib, afGetArchiveType) != nullptr);
    }
    EXPECT_EQ(nullptr, ExportOf(alTar, afGetAttribute));
    EXPECT_NE(nullptr, ExportOf(alSevenZip, afGetAttribute));
    EXPECT_EQ(nullptr, ExportOf(alCab, afGetCursorMode));
    EXPECT_NE(nullptr, ExportOf(alUnarj, afSetCursorMode));
    const auto address = reinterpret_cast<void*>(
        GetProcAddress(static_cast<HMODULE>(const_cast<void*>(LibraryModule(alSevenZip))),
                       "SevenZipFindNext"));
    EXPECT_EQ(address, ExportOf(alSevenZip, afFindNext));
}

} // namespace
