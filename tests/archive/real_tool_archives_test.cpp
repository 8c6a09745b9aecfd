// Archives made at build time by Debian's own archivers (zip, tar with
// gzip, bzip2 and xz, gcab, arj, jlha, 7-Zip) through the control and the
// stand-in libraries. The expected listings are the same table in both
// architectures' builds, so each build lists the same members for the
// same content.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "archive/archive_control.h"
#include "archive/archive_format.h"
#include "archive/archiver_library.h"
#include "archive/dll_archiver_api.h"
#include "archive/win_archive_host.h"
#include "test_archives.h"

namespace {

using V = std::vector<std::string>;

std::string RealSample(const std::string& name) {
    return BinFolder() + "..\\tests\\archive_samples\\real\\" + name;
}

// The tree every archiver packed (make_tool_archives.py): names in
// Shift-JIS as the program sees them, sizes, folder entries left out.
const V kTreeListing = {"docs/guide.txt 7290", "empty.txt 0",   "nested.zip 132",
                        "readme.txt 15",       "日本語/メモ.txt 6", "表.txt 480"};

std::string GuideText() {
    std::string s;
    for (int i = 0; i < 200; ++i)
        s += "guide line " + std::to_string(i) + ": the quick brown fox\r\n";
    return s;
}

std::string TableText() {
    std::string s;
    for (int i = 0; i < 40; ++i)
        s += "表示テスト\r\n";
    return s;
}

class RealToolArchives : public ::testing::Test {
protected:
    void SetUp() override {
        ArchiveApi::SetLibraryFolder(BinFolder());
        temp = MakeTempFolder("realtool");
        work = temp + "$VSWORK$\\";
        CreateDirectoryA(work.c_str(), nullptr);
        host.Watch = false;
        // The main window's settings: members come out without folders.
        ac.SilentMode = true;
        ac.LhaOptions.ExtractOptions = {eoOverWrite, eoIncludeHidden};
        ac.CabOptions.ExtractOptions = {eoOverWrite};
        ac.TarOptions.ExtractOptions = {};
        ac.ArjOptions.ExtractOptions = {eoOverWrite, eoIncludeHidden};
        ac.ZipOptions.ExtractOptions = {eoOverWrite};
        ac.SevenZipOptions.ExtractOptions = {eoOverWrite};
        ac.OnInvalid = [this](TArchiveControl&, const std::string& n) { invalid.push_back(n); };
    }
    void TearDown() override {
        if (!std::getenv("QM_KEEP_TEMP")) RemoveTree(temp);
    }

    // Opens a sample; a missing one means its archiver was not installed.
    bool Open(const std::string& name) {
        const std::string path = RealSample(name);
        if (!PathExists(path)) {
            ADD_FAILURE() << name << " was not made: is its archiver installed (scripts/setup.sh)?";
            return false;
        }
        ac.SetFileName(path);
        return true;
    }
    // "path size" of each member, sorted: archivers walk folders in their own order.
    V Listing() {
        V v;
        for (int i = 0; i < ac.Count(); ++i)
            v.push_back(ac.Items(i)->MemberPath() + " " + std::to_string(ac.Items(i)->UnpackedSize()));
        std::sort(v.begin(), v.end());
        return v;
    }
    std::string Read(const std::string& path) {
        std::string s;
        ReadWholeFile(path, s);
        return s;
    }
    void Forget(const std::vector<std::string>& names) {
        for (const std::string& n : names)
            DeleteFileA((work + n).c_str());
    }

    std::string temp, work;
    std::vector<std::string> invalid;
    TWinArchiveHost host;
    TDllArchiverApi api;
    TArchiveControl ac{api, host};
};

TEST_F(RealToolArchives, EveryArchiverListsAndExtractsTheTree) {
    const struct {
        const char* name;
        TArchiveType type;
        int tar_type; // TarGetArchiveType; 0 for the other libraries
    } cases[] = {
        {"sjis.zip", atZip, 0},       {"utf8.zip", atZip, 0},       {"sjis.tar", atTar, 1},
        {"sjis.tar.gz", atTar, 2},    {"sjis.tar.bz2", atTar, 4},   {"sjis.tbz", atTar, 4},
        {"sjis.tar.xz", atTar, 8},    {"sjis.txz", atTar, 8},       {"utf8.tar", atTar, 1},
        {"sjis.cab", atCab, 0},       {"utf8.cab", atCab, 0},       {"sjis.arj", atArj, 0},
        {"level0.lzh", atLha, 0},     {"level1.lzh", atLha, 0},     {"level2.lzh", atLha, 0},
        {"utf8.7z", atSevenZip, 0},   {"ppmd.7z", atSevenZip, 0},
    };
    const std::string guide = GuideText(), table = TableText();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!Open(c.name)) continue;
        ASSERT_EQ(c.type, ac.ArchiveType());
        EXPECT_EQ(kTreeListing, Listing());
        if (c.type == atTar) {
            EXPECT_EQ(c.tar_type, TDllArchiverApi().TarGetArchiveType(RealSample(c.name).c_str()));
        }
        // Previewing a member: extracted alone, without its folder, whole.
        std::string guide_path, memo_path;
        for (int i = 0; i < ac.Count(); ++i) {
            if (ac.Items(i)->FileName() == "guide.txt") guide_path = ac.Items(i)->MemberPath();
            if (ac.Items(i)->FileName() == "メモ.txt") memo_path = ac.Items(i)->MemberPath();
        }
        WriteWholeFile(work + "表.txt", "an older copy");
        ASSERT_EQ(kExtractOk,
                  ac.ExtractFiles(work, {guide_path, "表.txt", memo_path, "empty.txt"}));
        EXPECT_EQ(guide, Read(work + "guide.txt"));
        EXPECT_EQ(table, Read(work + "表.txt"));
        EXPECT_EQ("メモ\r\n", Read(work + "メモ.txt"));
        EXPECT_TRUE(PathExists(work + "empty.txt"));
        EXPECT_EQ("", Read(work + "empty.txt"));
        EXPECT_FALSE(PathExists(work + "docs"));
        // The nested ZIP opens in turn from the work folder.
        ASSERT_EQ(kExtractOk, ac.ExtractFiles(work, {"nested.zip"}));
        ac.SetFileName(work + "nested.zip");
        ASSERT_EQ(atZip, ac.ArchiveType());
        EXPECT_EQ(V{"inner.txt 700"}, Listing());
        ac.SetFileName("");
        Forget({"guide.txt", "表.txt", "メモ.txt", "empty.txt", "nested.zip"});
    }
    EXPECT_EQ(V{}, invalid);
}

TEST_F(RealToolArchives, LoneCompressedFilesAreOneMember) {
    const std::string guide = GuideText();
    const struct {
        const char* name;
        int tar_type;
    } cases[] = {{"notes.txt.gz", 5}, {"notes.txt.bz2", 7}, {"notes.txt.xz", 9}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!Open(c.name)) continue;
        ASSERT_EQ(atTar, ac.ArchiveType());
        EXPECT_EQ(V{"notes.txt 7290"}, Listing());
        EXPECT_EQ(c.tar_type, TDllArchiverApi().TarGetArchiveType(RealSample(c.name).c_str()));
        EXPECT_GT(ac.Items(0)->CompressedSize(), 0u);
        EXPECT_LT(ac.Items(0)->CompressedSize(), 1000u);
        ASSERT_EQ(kExtractOk, ac.ExtractFiles(work, {"notes.txt"}));
        EXPECT_EQ(guide, Read(work + "notes.txt"));
        Forget({"notes.txt"});
    }
}

TEST_F(RealToolArchives, EncryptedMembersAreMarkedAndNeverExtracted) {
    for (const char* name : {"encrypted.zip", "encrypted.7z"}) {
        SCOPED_TRACE(name);
        if (!Open(name)) continue;
        ASSERT_EQ((V{"plain.txt 22", "secret.txt 20"}), Listing());
        for (int i = 0; i < ac.Count(); ++i) {
            TArchiveItem* item = ac.Items(i);
            EXPECT_EQ(item->FileName() == "secret.txt", IsEncryptedMember(ac.ArchiveType(), item->Info()))
                << item->FileName();
        }
        std::string log;
        ac.OnLog = [&](TArchiveControl&, const std::string& text, int) { log = text; };
        EXPECT_EQ(kExtractFailed, ac.ExtractFiles(work, {"secret.txt"}));
        EXPECT_FALSE(PathExists(work + "secret.txt"));
        EXPECT_NE(std::string::npos, log.find("encrypted: secret.txt")) << log;
        EXPECT_EQ(kExtractOk, ac.ExtractFiles(work, {"plain.txt"}));
        EXPECT_EQ("anyone may read this\r\n", Read(work + "plain.txt"));
        ac.OnLog = nullptr;
        Forget({"plain.txt"});
    }
    // Encrypted names too: an archive all the same, which lists nothing and
    // says why; its members are never extracted.
    EXPECT_FALSE(ac.HeadersEncrypted());
    if (Open("hidden.7z")) {
        EXPECT_TRUE(invalid.empty());
        EXPECT_EQ(RealSample("hidden.7z"), ac.FileName());
        EXPECT_EQ(atSevenZip, ac.ArchiveType());
        EXPECT_EQ(0, ac.Count());
        EXPECT_TRUE(ac.HeadersEncrypted());
        std::string log;
        ac.OnLog = [&](TArchiveControl&, const std::string& text, int) { log = text; };
        EXPECT_EQ(kExtractFailed, ac.ExtractFiles(work, {"secret.txt"}));
        EXPECT_FALSE(PathExists(work + "secret.txt"));
        EXPECT_NE(std::string::npos, log.find("encrypted: ")) << log;
        ac.OnLog = nullptr;
    }
}

TEST_F(RealToolArchives, HostileNamesFromGnuTarStayInside) {
    if (!Open("evil.tar")) return;
    // Listed as written, so that the user sees what the archive holds.
    EXPECT_EQ(8, ac.Count());
    // With folders kept, the way a hostile name would do harm.
    const std::string dest = temp + "out\\inner\\";
    CreateDirectoryA((temp + "out").c_str(), nullptr);
    CreateDirectoryA(dest.c_str(), nullptr);
    char log[4096] = {};
    const int r = TDllArchiverApi().Command(
        alTar, 0, ("--use-directory=1 -x -f \"" + RealSample("evil.tar") + "\" \"" + dest + "\" ").c_str(),
        log, sizeof log);
    EXPECT_NE(0, r) << log;
    EXPECT_EQ("fine", Read(dest + "fine.txt"));
    // Nothing but fine.txt was written anywhere.
    WIN32_FIND_DATAA fd;
    int written = 0;
    HANDLE h = FindFirstFileA((dest + "*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (fd.cFileName[0] != '.') ++written;
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    EXPECT_EQ(1, written);
    for (const char* outside : {"up.txt", "out\\up.txt", "back.txt", "out\\back.txt", "deep.txt",
                                "out\\deep.txt", "drive.txt", "rel.txt"})
        EXPECT_FALSE(PathExists(temp + outside)) << outside;
    for (const char* root : {"C:\\abs.txt", "C:\\drive.txt", "D:\\rel.txt", "Z:\\abs.txt"})
        EXPECT_FALSE(PathExists(root)) << root;
    const std::string text(log);
    for (const char* refused : {"/abs.txt", "../up.txt", "..\\back.txt", "C:\\drive.txt", "CON",
                                "ok/../../deep.txt", "D:rel.txt"})
        EXPECT_NE(std::string::npos, text.find(std::string("refused member name: ") + refused))
            << refused;

    // Without folders, as the archive pane asks, the refusal still stands.
    EXPECT_EQ(kExtractFailed, ac.ExtractFiles(work, {"../up.txt", "CON"}));
    EXPECT_FALSE(PathExists(work + "up.txt"));
}

TEST_F(RealToolArchives, MemberOver4GiBIsNeverCutShort) {
    if (!Open("huge.tar")) return;
    ASSERT_EQ(1, ac.Count());
    // 5 GiB does not fit the record; the library's whole-size call tells it,
    // in either build, never the 1 GiB left after the high bits are cut off.
    EXPECT_EQ(5ull << 30, ac.Items(0)->UnpackedSize());
    EXPECT_EQ(0xFFFFFFFFu, ac.Items(0)->Info().UnpackedSize());
    std::string log;
    ac.OnLog = [&](TArchiveControl&, const std::string& text, int) { log = text; };
    EXPECT_EQ(kExtractFailed, ac.ExtractFiles(work, {"huge.bin"}));
    EXPECT_FALSE(PathExists(work + "huge.bin"));
    // The 32-bit build refuses it before writing; the 64-bit one writes
    // what there is and, the data ending early, keeps nothing.
    if (sizeof(void*) == 4)
        EXPECT_NE(std::string::npos, log.find("too large for this build: huge.bin")) << log;
    else
        EXPECT_NE(std::string::npos, log.find("damaged member huge.bin")) << log;
}

} // namespace
