// The archive control against the stand-in libraries: listing, extraction
// with the main window's switches, the response file, hostile member names.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "archive/archive_control.h"
#include "archive/archiver_library.h"
#include "archive/dll_archiver_api.h"
#include "archive/win_archive_host.h"
#include "arj_format.h"
#include "test_archives.h"

namespace {

// "表" ends in the byte 0x5C, the same byte as '\'.
const std::string kTrailName = "表.txt";
// libarchive turns every 0x5C byte of a RAR name that is not stored as
// Unicode into '/', so old Shift-JIS RAR names may not hold such a character.
const std::string kRarJapaneseName = "日本.txt";

std::string JapaneseName(TestFormat f) {
    return f == TestFormat::Rar ? kRarJapaneseName : kTrailName;
}

std::vector<TestMember> SampleMembers(TestFormat f) {
    const bool backslash = f == TestFormat::Lzh || f == TestFormat::Cab || f == TestFormat::Rar;
    const std::string sep = backslash ? "\\" : "/";
    std::vector<TestMember> m;
    if (f != TestFormat::Cab) m.push_back({"docs" + sep, "", true});
    m.push_back({"docs" + sep + "readme.txt", "read me\r\n"});
    m.push_back({"a.txt", "alpha"});
    m.push_back({JapaneseName(f), "trail byte"});
    return m;
}

class StandinTest : public ::testing::Test {
protected:
    void SetUp() override {
        ArchiveApi::SetLibraryFolder(BinFolder());
        temp = MakeTempFolder("standin");
        work = temp + "$VSWORK$\\";
        CreateDirectoryA(work.c_str(), nullptr);
        host.Watch = false;
        // The main window's settings.
        ac.SilentMode = true;
        ac.LhaOptions.ExtractOptions = {eoOverWrite, eoIncludeHidden};
        ac.CabOptions.ExtractOptions = {eoOverWrite};
        ac.TarOptions.ExtractOptions = {};
        ac.RarOptions.ExtractOptions = {eoOverWrite};
        ac.ZipOptions.ExtractOptions = {eoOverWrite};
        ac.ArjOptions.ExtractOptions = {eoOverWrite, eoIncludeHidden};
    }
    void TearDown() override {
        if (!std::getenv("QM_KEEP_TEMP")) RemoveTree(temp);
    }

    std::vector<std::string> Names() {
        std::vector<std::string> v;
        for (int i = 0; i < ac.Count(); ++i)
            v.push_back(ac.Items(i)->MemberPath());
        return v;
    }
    std::string Read(const std::string& path) {
        std::string s;
        ReadWholeFile(path, s);
        return s;
    }

    std::string temp, work;
    TWinArchiveHost host;
    TDllArchiverApi api;
    TArchiveControl ac{api, host};
};

using V = std::vector<std::string>;

TEST_F(StandinTest, ListsAndExtractsEveryFormat) {
    const struct {
        TestFormat format;
        const char* name;
        TArchiveType type;
    } cases[] = {{TestFormat::Zip, "s.zip", atZip},   {TestFormat::Tar, "s.tar", atTar},
                 {TestFormat::TarGz, "s.tgz", atTar}, {TestFormat::Lzh, "s.lzh", atLha},
                 {TestFormat::Cab, "s.cab", atCab},   {TestFormat::Rar, "s.rar", atRar}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = temp + c.name;
        ASSERT_TRUE(WriteTestArchive(c.format, path, SampleMembers(c.format)));
        ac.SetFileName(path);
        ASSERT_EQ(c.type, ac.ArchiveType());
        // LZH and CAB store '\\' between folders; every format reports '/'.
        const std::string readme_path = "docs/readme.txt";
        // The trail byte of 表 must not have been turned into a separator.
        const std::string japanese = JapaneseName(c.format);
        ASSERT_EQ((V{readme_path, "a.txt", japanese}), Names());
        TArchiveItem* readme = ac.Items(0);
        EXPECT_EQ("readme.txt", readme->FileName());
        EXPECT_EQ(9u, readme->UnpackedSize());
        // Stored members take their own size; the ZIP writer deflates; a CAB
        // compresses folders, not members, and has no size per member.
        if (c.format == TestFormat::Zip) {
            EXPECT_GT(readme->CompressedSize(), 0u);
            EXPECT_EQ(readme->CompressedSize() * 1000 / 9, readme->Ratio());
        } else if (c.format == TestFormat::Cab) {
            EXPECT_EQ(0u, readme->CompressedSize());
        } else {
            EXPECT_EQ(9u, readme->CompressedSize());
            EXPECT_EQ(1000u, readme->Ratio());
        }
        EXPECT_EQ(japanese, ac.Items(2)->FileName());
        EXPECT_EQ("", ac.Items(2)->Path());
        // 2024-05-06 12:34:56 local time
        EXPECT_EQ((44 << 9) | (5 << 5) | 6, readme->Info().DosDate());
        EXPECT_EQ((12 << 11) | (34 << 5) | 28, readme->Info().DosTime());
        EXPECT_FALSE(readme->Attributes() & 0x10);

        // Extraction drops folders and overwrites what is there.
        WriteWholeFile(work + "readme.txt", "old");
        EXPECT_EQ(kExtractOk, ac.ExtractFiles(work, {readme->MemberPath(), japanese}));
        EXPECT_EQ("read me\r\n", Read(work + "readme.txt"));
        EXPECT_EQ("trail byte", Read(work + japanese));
        EXPECT_FALSE(PathExists(work + "docs"));
        // A member that is not there is a failure.
        EXPECT_EQ(kExtractFailed, ac.ExtractFiles(work, {"missing.txt"}));
        DeleteFileA((work + "readme.txt").c_str());
        DeleteFileA((work + japanese).c_str());
    }
}

TEST_F(StandinTest, LongMemberListsGoThroughTheResponseFile) {
    std::vector<TestMember> members;
    std::vector<std::string> names;
    for (int i = 0; i < 241; ++i) {
        members.push_back({"m" + std::to_string(i) + ".txt", std::to_string(i)});
        names.push_back(members.back().name);
    }
    const std::string zip = temp + "many.zip";
    ASSERT_TRUE(WriteTestArchive(TestFormat::Zip, zip, members));
    ac.SetFileName(zip);
    ASSERT_EQ(241, ac.Count());
    const std::string response = host.ExeFolder() + "Response.txt";
    DeleteFileA(response.c_str());

    std::vector<std::string> first240(names.begin(), names.begin() + 240);
    EXPECT_EQ(kExtractOk, ac.ExtractFiles(work, first240));
    EXPECT_FALSE(PathExists(response));
    EXPECT_EQ("239", Read(work + "m239.txt"));
    EXPECT_FALSE(PathExists(work + "m240.txt"));

    EXPECT_EQ(kExtractOk, ac.ExtractFiles(work, names));
    EXPECT_TRUE(PathExists(response));
    EXPECT_EQ("240", Read(work + "m240.txt"));
    DeleteFileA(response.c_str());
}

TEST_F(StandinTest, TenThousandMembersStayQuick) {
    std::vector<TestMember> members;
    for (int i = 0; i < 10000; ++i)
        members.push_back({"dir" + std::to_string(i % 10) + "/f" + std::to_string(i) + ".txt",
                           std::to_string(i)});
    const std::string zip = temp + "huge.zip";
    ASSERT_TRUE(WriteTestArchive(TestFormat::Zip, zip, members));
    const DWORD start = GetTickCount();
    ac.SetFileName(zip);
    ASSERT_EQ(10000, ac.Count());
    std::vector<std::string> names;
    for (int i = 0; i < 10000; i += 20)
        names.push_back(members[i].name);
    EXPECT_EQ(kExtractOk, ac.ExtractFiles(work, names)); // 500 names: the response file
    EXPECT_LT(GetTickCount() - start, 20000u);
    EXPECT_EQ("9980", Read(work + "f9980.txt"));
    EXPECT_FALSE(PathExists(work + "f9981.txt"));
    DeleteFileA((host.ExeFolder() + "Response.txt").c_str());
}

TEST_F(StandinTest, HostileMemberNamesAreRefused) {
    const std::string zip = temp + "evil.zip";
    ASSERT_TRUE(WriteTestArchive(TestFormat::Zip, zip,
                                 {{"../../evil.txt", "x"},
                                  {"C:/x.txt", "x"},
                                  {"/abs.txt", "x"},
                                  {"ok/../../up.txt", "x"},
                                  {"fine.txt", "fine"}}));
    const std::string tar = temp + "evil.tar";
    ASSERT_TRUE(WriteTestArchive(TestFormat::Tar, tar,
                                 {{"../evil2.txt", "x"}, {"sub/./NUL", "x"}, {"good.txt", "g"}}));
    const std::string dest = temp + "out\\inner\\";
    CreateDirectoryA((temp + "out").c_str(), nullptr);
    CreateDirectoryA(dest.c_str(), nullptr);

    // With folders kept, the way a hostile name would do harm.
    char log[4096] = {};
    int r = TDllArchiverApi().Command(alUnzip, 0, ("-x \"" + zip + "\" \"" + dest + "\" ").c_str(), log,
                              sizeof log);
    EXPECT_NE(0, r) << log;
    EXPECT_EQ("fine", Read(dest + "fine.txt"));
    r = TDllArchiverApi().Command(alTar, 0,
                        ("--use-directory=1 -x -f \"" + tar + "\" \"" + dest + "\" ").c_str(), log,
                        sizeof log);
    EXPECT_NE(0, r) << log;
    EXPECT_EQ("g", Read(dest + "good.txt"));
    for (const char* outside :
         {"evil.txt", "out\\evil.txt", "up.txt", "out\\up.txt", "out\\evil2.txt", "x.txt"})
        EXPECT_FALSE(PathExists(temp + outside)) << outside;
    EXPECT_FALSE(PathExists("C:\\x.txt"));
    EXPECT_FALSE(PathExists("C:\\abs.txt"));

    // Through the control (folders dropped) the refusal still stands.
    ac.SetFileName(zip);
    EXPECT_EQ(kExtractFailed, ac.ExtractFiles(work, {"../../evil.txt"}));
    EXPECT_FALSE(PathExists(work + "evil.txt"));
}

TEST_F(StandinTest, BrokenArchivesFailQuietly) {
    const std::string zip = temp + "cut.zip";
    std::vector<TestMember> members;
    for (int i = 0; i < 20; ++i)
        members.push_back({"f" + std::to_string(i) + ".txt", std::string(2000, 'a' + i % 26)});
    ASSERT_TRUE(WriteTestArchive(TestFormat::Zip, zip, members));
    std::string data;
    ASSERT_TRUE(ReadWholeFile(zip, data));
    ASSERT_TRUE(WriteWholeFile(zip, data.substr(0, data.size() / 2)));
    const std::string junk = temp + "junk.lzh";
    ASSERT_TRUE(WriteWholeFile(junk, std::string(300, '\x7f')));
    const std::string cut_tar = temp + "cut.tgz";
    ASSERT_TRUE(WriteTestArchive(TestFormat::TarGz, cut_tar, members));
    ASSERT_TRUE(ReadWholeFile(cut_tar, data));
    ASSERT_TRUE(WriteWholeFile(cut_tar, data.substr(0, data.size() - 40)));

    std::vector<std::string> invalid;
    ac.OnInvalid = [&](TArchiveControl&, const std::string& n) { invalid.push_back(n); };
    ac.SetFileName(junk);
    ac.SetFileName(cut_tar); // too short to give even its first member
    EXPECT_EQ((V{junk, cut_tar}), invalid);

    ac.SetFileName(zip); // the start of a cut ZIP still reads
    ASSERT_EQ(atZip, ac.ArchiveType());
    EXPECT_GT(ac.Count(), 0);
    EXPECT_LT(ac.Count(), 20);
    EXPECT_EQ(kExtractFailed, ac.ExtractFiles(work, {"f19.txt"}));
    EXPECT_FALSE(PathExists(work + "f19.txt")); // no half-written file
}

TEST_F(StandinTest, FolderEntriesAndSelfExtractingNames) {
    const std::string zip = temp + "dirs.zip";
    ASSERT_TRUE(WriteTestArchive(TestFormat::Zip, zip,
                                 {{"d/", "", true}, {"d/e/", "", true}, {"d/e/f.txt", "f"}}));
    ac.SetFileName(zip);
    EXPECT_EQ((V{"d/e/f.txt"}), Names()); // GetAttribute marks the folders
    // A ZIP under another name is found by probing when it ends in .EXE.
    const std::string exe = temp + "setup.exe";
    ASSERT_TRUE(CopyFileA(zip.c_str(), exe.c_str(), FALSE));
    ac.SetFileName(exe);
    EXPECT_EQ(atZip, ac.ArchiveType());
    EXPECT_EQ(1, ac.Count());
    // ...but a ZIP named .lzh is refused by the LZH library.
    const std::string lzh = temp + "zip.lzh";
    ASSERT_TRUE(CopyFileA(zip.c_str(), lzh.c_str(), FALSE));
    ac.SetFileName(lzh);
    EXPECT_EQ(exe, ac.FileName());
}

TEST_F(StandinTest, ArchivesFromDebianTools) {
    const std::string samples = BinFolder() + "..\\tests\\archive_samples\\";
    if (!PathExists(samples + "tools.zip"))
        GTEST_SKIP() << "no tool-made archives (python3 missing at build time)";
    ac.SetFileName(samples + "tools.zip");
    ASSERT_EQ(atZip, ac.ArchiveType());
    EXPECT_EQ((V{"docs/guide.txt", "top.txt", "nested.zip"}), Names());
    EXPECT_LT(ac.Items(0)->CompressedSize(), 3000u); // deflated
    EXPECT_EQ(kExtractOk, ac.ExtractFiles(work, {"docs/guide.txt", "nested.zip"}));
    std::string guide;
    for (int i = 0; i < 500; ++i)
        guide += "guide ";
    EXPECT_EQ(guide, Read(work + "guide.txt"));
    // The nested archive opens in turn from the work folder.
    ac.SetFileName(work + "nested.zip");
    ASSERT_EQ(1, ac.Count());
    EXPECT_EQ("inner.txt", ac.Items(0)->FileName());

    ac.SetFileName(samples + "tools.tar.gz");
    ASSERT_EQ(atTar, ac.ArchiveType());
    V names = Names(); // folder entries dropped; order as tar walked the folder
    std::sort(names.begin(), names.end());
    EXPECT_EQ((V{"src/README", "src/lib/code.c"}), names);
    EXPECT_EQ(kExtractOk, ac.ExtractFiles(work, {"src/README"}));
    EXPECT_EQ("readme\n", Read(work + "README"));
}

TEST_F(StandinTest, ALoneCompressedFileIsOneMember) {
    const std::string gz = temp + "notes.txt.gz";
    ASSERT_TRUE(WriteGzipFile(gz, std::string(5000, 'n')));
    ac.SetFileName(gz);
    ASSERT_EQ(atTar, ac.ArchiveType());
    ASSERT_EQ(1, ac.Count());
    EXPECT_EQ("notes.txt", ac.Items(0)->FileName());
    EXPECT_EQ(5000u, ac.Items(0)->UnpackedSize());
    EXPECT_GT(ac.Items(0)->CompressedSize(), 0u);
    EXPECT_LT(ac.Items(0)->CompressedSize(), 5000u);
    EXPECT_EQ(kExtractOk, ac.ExtractFiles(work, {"notes.txt"}));
    EXPECT_EQ(std::string(5000, 'n'), Read(work + "notes.txt"));
    // A plain file with a .gz name is no archive.
    const std::string fake = temp + "fake.gz";
    ASSERT_TRUE(WriteWholeFile(fake, "not compressed at all"));
    std::string invalid;
    ac.OnInvalid = [&](TArchiveControl&, const std::string& n) { invalid = n; };
    ac.SetFileName(fake);
    EXPECT_EQ(fake, invalid);
}

TEST_F(StandinTest, ProgressAndLogReachTheControl) {
    const std::string zip = temp + "p.zip";
    ASSERT_TRUE(WriteTestArchive(TestFormat::Zip, zip, {{"a.txt", "aaaa"}, {"b.txt", "bb"}}));
    ac.SetFileName(zip);
    std::vector<std::string> seen;
    ac.OnExtract = [&](TArchiveControl&, const std::string& name, int counter, int total, bool done,
                       bool&) {
        seen.push_back(name + " " + std::to_string(counter) + "/" + std::to_string(total) +
                       (done ? " done" : ""));
    };
    std::string log;
    ac.OnLog = [&](TArchiveControl&, const std::string& text, int) { log = text; };
    EXPECT_EQ(kExtractOk, ac.ExtractFiles(work, {"a.txt", "b.txt"}));
    EXPECT_EQ(
        (V{"a.txt 1/2", "a.txt 1/2", "a.txt 1/2 done", "b.txt 2/2", "b.txt 2/2", "b.txt 2/2 done"}),
        seen);
    EXPECT_NE(std::string::npos, log.find("extracted b.txt"));
    // Cancelling from the handler stops the library.
    ac.OnExtract = [&](TArchiveControl&, const std::string&, int, int, bool, bool& cancel) {
        cancel = true;
    };
    DeleteFileA((work + "a.txt").c_str());
    EXPECT_EQ(kExtractFailed, ac.ExtractFiles(work, {"a.txt"}));
    EXPECT_FALSE(PathExists(work + "a.txt"));
}

TEST_F(StandinTest, WatcherRelistsAfterTheArchiveChanges) {
    TWinArchiveHost watching_host;
    TArchiveControl watched(api, watching_host);
    const std::string zip = temp + "live.zip";
    ASSERT_TRUE(WriteTestArchive(TestFormat::Zip, zip, {{"a.txt", "a"}}));
    watched.SetFileName(zip);
    ASSERT_EQ(1, watched.Count());
    int notified = 0;
    watched.OnNotification = [&](TArchiveControl&) { ++notified; };
    Sleep(300);
    ASSERT_TRUE(WriteTestArchive(TestFormat::Zip, zip, {{"a.txt", "a"}, {"b.txt", "bb"}}));
    // The check runs on this thread once 3000 ms pass without a change.
    const DWORD start = GetTickCount();
    while (watched.Count() != 2 && GetTickCount() - start < 15000) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(20);
    }
    EXPECT_EQ(2, watched.Count());
    EXPECT_GE(GetTickCount() - start, 2500u);
    EXPECT_EQ(1, notified);

    // Our own extraction beside the archive is not taken for a change.
    const std::string folder = temp;
    EXPECT_EQ(kExtractOk, watched.ExtractFiles(folder, {"b.txt"}));
    EXPECT_EQ("bb", Read(folder + "b.txt"));
    const DWORD quiet = GetTickCount();
    while (GetTickCount() - quiet < 4500) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(20);
    }
    EXPECT_EQ(1, notified);

    // A deleted archive empties the list.
    DeleteFileA(zip.c_str());
    const DWORD again = GetTickCount();
    while (watched.Count() != 0 && GetTickCount() - again < 15000) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(20);
    }
    EXPECT_EQ(0, watched.Count());
}

// The ARJ samples come from our own writer (scripts/samplegen/arj.py).
std::string ArjSample(const std::string& name) {
    return BinFolder() + "..\\tests\\archive_samples\\" + name;
}

std::string ArjGuideText(std::size_t size) {
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "ARJ guide line " + std::to_string(i) + ": the quick brown fox\r\n";
    return text.substr(0, size);
}

TEST_F(StandinTest, ArjListsAndExtractsEveryMethod) {
    const std::string arj = temp + "sample.arj";
    ASSERT_TRUE(CopyFileA(ArjSample("sample.arj").c_str(), arj.c_str(), FALSE));
    ac.SetFileName(arj);
    ASSERT_EQ(atArj, ac.ArchiveType());
    // The folder entry is dropped like the other formats' folders.
    ASSERT_EQ((V{"docs/readme.txt", "docs/guide.txt", "two.txt", "three.txt", kTrailName,
                 "secret.txt"}),
              Names());
    TArchiveItem* guide = ac.Items(1);
    const std::string text = ArjGuideText(std::string::npos);
    EXPECT_EQ(text.size(), guide->UnpackedSize());
    EXPECT_LT(guide->CompressedSize(), text.size() / 4);
    EXPECT_EQ(guide->CompressedSize() * 1000 / text.size(), guide->Ratio());
    EXPECT_EQ(ArjCrc32(text.data(), text.size()), guide->Info().Crc());
    EXPECT_EQ("Method1", guide->Info().Method());
    EXPECT_EQ((44 << 9) | (4 << 5) | 1, guide->Info().DosDate()); // 2024-04-01
    EXPECT_EQ((12 << 11) | (34 << 5) | 28, guide->Info().DosTime());
    EXPECT_EQ(0x20u, guide->Attributes());
    EXPECT_EQ(0x23u, ac.Items(5)->Attributes()); // archive, hidden, read-only

    // Stored, methods 1, 2, 3 and 4, without folders, over an older copy.
    WriteWholeFile(work + "guide.txt", "old");
    std::vector<std::string> names = Names();
    EXPECT_EQ(kExtractOk, ac.ExtractFiles(work, names));
    EXPECT_EQ("read me\r\n", Read(work + "readme.txt"));
    EXPECT_EQ(text, Read(work + "guide.txt"));
    EXPECT_EQ(ArjGuideText(5000), Read(work + "two.txt"));
    EXPECT_EQ(ArjGuideText(3000), Read(work + "three.txt"));
    std::string table;
    for (int i = 0; i < 40; ++i)
        table += "表示テスト\r\n";
    EXPECT_EQ(table, Read(work + kTrailName));
    EXPECT_EQ("hidden and read-only", Read(work + "secret.txt"));
    EXPECT_FALSE(PathExists(work + "docs"));
    EXPECT_EQ(kExtractFailed, ac.ExtractFiles(work, {"missing.txt"}));
}

TEST_F(StandinTest, ArjLongListsUseTheBangResponseFile) {
    ac.SetFileName(ArjSample("many.arj"));
    ASSERT_EQ(241, ac.Count());
    std::vector<std::string> names;
    for (int i = 0; i < 241; ++i)
        names.push_back(ac.Items(i)->MemberPath());
    const std::string response = host.ExeFolder() + "Response.txt";
    DeleteFileA(response.c_str());
    EXPECT_EQ(kExtractOk, ac.ExtractFiles(work, names));
    EXPECT_TRUE(PathExists(response)); // named in the command as "!path"
    EXPECT_EQ("240", Read(work + "m240.txt"));
    EXPECT_EQ("1", Read(work + "m001.txt"));
    DeleteFileA(response.c_str());
}

TEST_F(StandinTest, ArjHostileNamesAndBrokenArchivesAreRefused) {
    // With folders kept, the way a hostile name would do harm.
    const std::string dest = temp + "out\\inner\\";
    CreateDirectoryA((temp + "out").c_str(), nullptr);
    CreateDirectoryA(dest.c_str(), nullptr);
    char log[4096] = {};
    const std::string evil = ArjSample("evil.arj");
    EXPECT_NE(0, TDllArchiverApi().Command(alUnarj, 0, ("x -+ -jyc \"" + evil + "\" \"" + dest + "\" ").c_str(),
                                   log, sizeof log))
        << log;
    EXPECT_EQ("fine", Read(dest + "fine.txt"));
    for (const char* outside : {"evil.txt", "out\\evil.txt", "up.txt", "out\\up.txt"})
        EXPECT_FALSE(PathExists(temp + outside)) << outside;
    EXPECT_FALSE(PathExists("C:\\abs.txt"));
    EXPECT_FALSE(PathExists("C:\\root.txt"));
    ac.SetFileName(evil);
    EXPECT_EQ(kExtractFailed, ac.ExtractFiles(work, {"..\\evil.txt"}));

    std::string data;
    ASSERT_TRUE(ReadWholeFile(ArjSample("sample.arj"), data));
    const std::size_t guide_header = data.find("docs/guide.txt");
    const std::size_t readme_data = data.find("read me");
    ASSERT_NE(std::string::npos, guide_header);
    std::vector<std::string> invalid;
    ac.OnInvalid = [&](TArchiveControl&, const std::string& n) { invalid.push_back(n); };

    // A header whose CRC fails ends the listing there.
    std::string bad = data;
    bad[guide_header] = 'D';
    const std::string bad_crc = temp + "badcrc.arj";
    ASSERT_TRUE(WriteWholeFile(bad_crc, bad));
    ac.SetFileName(bad_crc);
    ASSERT_EQ(atArj, ac.ArchiveType());
    EXPECT_EQ(V{"docs/readme.txt"}, Names());
    EXPECT_EQ(kExtractFailed, ac.ExtractFiles(work, {"two.txt"}));
    EXPECT_FALSE(PathExists(work + "two.txt"));

    // Data that does not match its CRC is not written.
    bad = data;
    bad[readme_data] = 'R';
    const std::string bad_data = temp + "baddata.arj";
    ASSERT_TRUE(WriteWholeFile(bad_data, bad));
    ac.SetFileName(bad_data);
    ASSERT_EQ(6, ac.Count());
    EXPECT_EQ(kExtractFailed, ac.ExtractFiles(work, {"docs/readme.txt"}));
    EXPECT_FALSE(PathExists(work + "readme.txt"));
    EXPECT_EQ(kExtractOk, ac.ExtractFiles(work, {"two.txt"}));

    // Cut inside a header: what came before still lists; cut before any
    // member: an empty archive; no main header at all: not an archive.
    const std::string cut = temp + "cut.arj";
    ASSERT_TRUE(WriteWholeFile(cut, data.substr(0, guide_header)));
    ac.SetFileName(cut);
    ASSERT_EQ(atArj, ac.ArchiveType());
    EXPECT_EQ(V{"docs/readme.txt"}, Names());
    const std::string stub = temp + "stub.arj";
    ASSERT_TRUE(WriteWholeFile(stub, data.substr(0, data.find("docs") + 10)));
    ac.SetFileName(stub);
    EXPECT_EQ(0, ac.Count());
    const std::string junk = temp + "junk.arj";
    ASSERT_TRUE(WriteWholeFile(junk, std::string(300, '\x60')));
    ac.SetFileName(junk);
    EXPECT_EQ(V{junk}, invalid);
}

} // namespace
