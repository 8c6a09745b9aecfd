// The archive control driven through fake libraries and a fake platform.
#include <gtest/gtest.h>

#include <algorithm>

#include "archive/archive_control.h"
#include "archive/archive_strings.h"
#include "fake_archiver.h"

namespace {

class ArchiveControlTest : public ::testing::Test {
protected:
    FakeArchiverApi api;
    FakeHost host;
    TArchiveControl ac{api, host};
    int changes = 0;
    std::vector<std::string> invalid;

    void SetUp() override {
        ac.OnChange = [this](TArchiveControl&) { ++changes; };
        ac.OnInvalid = [this](TArchiveControl&, const std::string& n) { invalid.push_back(n); };
        host.folders.insert("C:\\W");
    }
    void AddArchive(TArchiverLibrary lib, const std::string& path,
                    std::vector<FakeMember> members) {
        api.archives[lib][path] = std::move(members);
        host.files.insert(path);
    }
    std::vector<std::string> Names() {
        std::vector<std::string> v;
        for (int i = 0; i < ac.Count(); ++i)
            v.push_back(ac.Items(i)->MemberPath());
        return v;
    }
    std::vector<std::string> Checks() {
        std::vector<std::string> v;
        for (auto& c : api.calls)
            if (c.rfind("Check", 0) == 0) v.push_back(c);
        return v;
    }
};

using V = std::vector<std::string>;

TEST_F(ArchiveControlTest, TheExtensionDecidesWhichLibraryChecks) {
    AddArchive(alUnzip, "C:\\really_zip.lzh", {{"a.txt"}});
    ac.SetFileName("C:\\really_zip.lzh");
    EXPECT_EQ(atNone, ac.ArchiveType());
    EXPECT_EQ(V{"C:\\really_zip.lzh"}, invalid);
    EXPECT_EQ("", ac.FileName());
    // LZH checks run with cursor mode 0 and restore the saved mode.
    api.cursor_mode[alUnlha] = 7;
    api.calls.clear();
    ac.SetFileName("C:\\really_zip.lzh");
    EXPECT_EQ((V{"GetCursorMode", "SetCursorMode 0", "Check 0 1 cursor 0", "SetCursorMode 7"}),
              api.calls);
}

TEST_F(ArchiveControlTest, SelfExtractingProgramsAreProbedInOrder) {
    host.files.insert("C:\\setup.exe");
    ac.SetFileName("C:\\setup.exe");
    // CAB, ZIP, LZH, TAR, ARJ, RAR, then 7z.
    EXPECT_EQ((V{"Check 1 1 cursor 0", "Check 5 1 cursor 0", "Check 0 1 cursor 0",
                 "Check 2 1 cursor 0", "Check 3 1 cursor 0", "Check 4 1 cursor 0",
                 "Check 7 1 cursor 0"}),
              Checks());
    EXPECT_EQ(1u, invalid.size());

    AddArchive(alUnlha, "C:\\sfx.EXE", {{"x"}});
    api.archives[alTar]["C:\\sfx.EXE"] = {};
    api.calls.clear();
    ac.SetFileName("C:\\sfx.EXE");
    EXPECT_EQ(atLha, ac.ArchiveType());
    EXPECT_EQ(3u, Checks().size()); // CAB, ZIP, then LZH accepted
}

TEST_F(ArchiveControlTest, LenientLzhCheckAndSupportedFormats) {
    host.files.insert("C:\\broken.lzh");
    api.lenient_lha.insert("C:\\broken.lzh");
    ac.SetFileName("C:\\broken.lzh");
    EXPECT_EQ(atNone, ac.ArchiveType());
    ac.LhaOptions.IgnoreBrokenHeader = true;
    ac.SetFileName("C:\\broken.lzh");
    EXPECT_EQ(atLha, ac.ArchiveType());
    EXPECT_EQ(0x08000002u, api.last_open_mode);

    AddArchive(alCab, "C:\\a.cab", {{"x"}});
    ac.SupportArchives.Exclude(atCab);
    ac.SetFileName("C:\\a.cab");
    EXPECT_EQ(atLha, ac.ArchiveType());
    EXPECT_EQ("C:\\a.cab", invalid.back());
}

TEST_F(ArchiveControlTest, SettingNamesOfNewArchives) {
    ac.SetFileName("C:\\new.zip");
    EXPECT_EQ(atZip, ac.ArchiveType());
    EXPECT_EQ("C:\\new.zip", ac.FileName());
    EXPECT_EQ(1, changes);
    ac.SetFileName("C:\\new.arj"); // cannot be made
    EXPECT_EQ("C:\\new.zip", ac.FileName());
    EXPECT_EQ(V{"C:\\new.arj"}, invalid);
    ac.SetFileName("C:\\notes.txt");
    EXPECT_EQ("C:\\notes.lzh", ac.FileName());
    EXPECT_EQ(atLha, ac.ArchiveType());
    ac.SupportArchives.Exclude(atLha);
    ac.SetFileName("C:\\other");
    EXPECT_EQ("C:\\other", invalid.back());
    ac.SetFileName("C:\\n.tar");
    ac.TarOptions.CompressType = ctBZip2;
    EXPECT_EQ("C:\\n.bz2", ac.FileName());
    ac.SetFileName("");
    EXPECT_EQ(atNone, ac.ArchiveType());
    EXPECT_EQ("name ", host.watcher_log.back());
}

TEST_F(ArchiveControlTest, BusyOrUnchangedNamesAreIgnored) {
    AddArchive(alUnzip, "C:\\a.zip", {{"a"}});
    AddArchive(alUnzip, "C:\\b.zip", {{"b"}});
    ac.SetFileName("C:\\a.zip");
    const int after_first = changes;
    ac.SetFileName("C:\\a.zip");
    EXPECT_EQ(after_first, changes);
    api.running[alZip] = 1; // the writer counts for ZIP too
    EXPECT_TRUE(ac.Busy());
    ac.SetFileName("C:\\b.zip");
    EXPECT_EQ("C:\\a.zip", ac.FileName());
    EXPECT_EQ(kExtractBusy, ac.ExtractFiles("C:\\W", {"a"}));
}

TEST_F(ArchiveControlTest, ListingKeepsFilesAndDropsFolderEntries) {
    AddArchive(alUnlha, "C:\\a.lzh",
               {{"dir/", 0, 0x10}, {"dir/a.txt", 5}, {"b.txt", 7, 0x21}, {"c.txt", 1}});
    ac.SetFileName("C:\\a.lzh");
    EXPECT_EQ((V{"dir/a.txt", "b.txt", "c.txt"}), Names());
    EXPECT_EQ(0x21u, ac.Items(1)->Attributes());
    EXPECT_EQ(13u, ac.List().TotalSize());
    EXPECT_EQ(2u, api.last_open_mode);
    EXPECT_EQ(0, host.hourglass_uses); // LZH leaves the cursor alone
    EXPECT_EQ("Close", api.calls.back());
    EXPECT_EQ(nullptr, ac.Items(3));
    EXPECT_EQ(nullptr, ac.Items(-1));

    // Without a GetAttribute export every member reads as a folder.
    api.has_get_attribute = false;
    ac.ListArchive("*.*");
    EXPECT_EQ(0, ac.Count());
}

TEST_F(ArchiveControlTest, TarEntriesWithoutANameAreDropped) {
    AddArchive(alTar, "C:\\a.tgz", {{"docs/"}, {"docs/r.txt"}, {"docs\\sub\\"}, {"x"}});
    ac.SetFileName("C:\\a.tgz");
    EXPECT_EQ((V{"docs/r.txt", "x"}), Names());
    EXPECT_EQ(0u, api.last_open_mode);
    EXPECT_EQ(1, host.hourglass_uses);
    EXPECT_EQ(0, host.hourglass_depth);
    EXPECT_EQ("r.txt", ac.Items(0)->FileName());
    EXPECT_EQ("docs/", ac.Items(0)->Path());
    EXPECT_EQ(0x20u, ac.Items(0)->Attributes()); // from the attribute text
    EXPECT_EQ("txt File", ac.Items(0)->TypeName());
    EXPECT_EQ(36526.0, ac.Items(0)->DateTime());
}

TEST_F(ArchiveControlTest, MemberCountDecidesWhetherToOpen) {
    AddArchive(alUnlha, "C:\\a.lzh", {{"a"}});
    api.file_count_override = 0;
    ac.SetFileName("C:\\a.lzh");
    EXPECT_EQ(0, ac.Count());
    EXPECT_EQ(0xFFFFFFFFu, api.last_open_mode); // never opened
    ac.LhaOptions.IgnoreBrokenHeader = true;
    ac.ListArchive("*.*");
    EXPECT_EQ(1, ac.Count());
}

TEST_F(ArchiveControlTest, HugeClaimedMemberCountListsWhatIsThere) {
    // A damaged header may claim two billion members; room for them is not
    // made up front (a 32-bit process could not hold it).
    AddArchive(alUnzip, "C:\\big.zip", {{"a.txt"}, {"b.txt"}});
    api.file_count_override = 0x7FFFFFFF;
    ac.SetFileName("C:\\big.zip");
    EXPECT_EQ((V{"a.txt", "b.txt"}), Names());
}

TEST_F(ArchiveControlTest, WholeSizesWhereTheLibraryTellsThemTheRecordsOtherwise) {
    FakeMember huge{"huge.bin"};
    huge.whole_size = 5ull << 30;
    AddArchive(alSevenZip, "C:\\h.7z", {huge, {"small.txt", 10}});
    ac.SetFileName("C:\\h.7z");
    ASSERT_EQ(2, ac.Count());
    EXPECT_EQ(5ull << 30, ac.Items(0)->UnpackedSize());
    EXPECT_EQ(5ull << 29, ac.Items(0)->CompressedSize());
    EXPECT_EQ(10u, ac.Items(1)->UnpackedSize());
    EXPECT_EQ((5ull << 30) + 10, ac.List().TotalSize());
    ac.Sort(stSize);
    EXPECT_EQ((V{"small.txt", "huge.bin"}), Names());
    // A library without the calls: the record's clamped size is all there is.
    api.has_size_ex = false;
    ac.ListArchive("*.*");
    ASSERT_EQ(2, ac.Count());
    EXPECT_EQ(0xFFFFFFFFu, std::max(ac.Items(0)->UnpackedSize(), ac.Items(1)->UnpackedSize()));
}

TEST_F(ArchiveControlTest, EncryptedHeadersAreAnArchiveThatListsNothing) {
    AddArchive(alSevenZip, "C:\\hidden.7z", {{"secret.txt"}});
    api.headers_encrypted.insert("C:\\hidden.7z");
    ac.SetFileName("C:\\hidden.7z");
    EXPECT_TRUE(invalid.empty());
    EXPECT_EQ(atSevenZip, ac.ArchiveType());
    EXPECT_EQ(0, ac.Count());
    EXPECT_TRUE(ac.HeadersEncrypted());
    // An archive that merely cannot be counted is not taken for one.
    AddArchive(alSevenZip, "C:\\odd.7z", {{"a.txt"}});
    api.file_count_override = -1;
    ac.SetFileName("C:\\odd.7z");
    EXPECT_EQ(0, ac.Count());
    EXPECT_FALSE(ac.HeadersEncrypted());
}

TEST_F(ArchiveControlTest, RepeatedSortReversesTheOrder) {
    AddArchive(alUnzip, "C:\\a.zip", {{"b", 2}, {"c", 3}, {"a", 1}});
    ac.SetFileName("C:\\a.zip");
    ac.Sort(stName);
    EXPECT_EQ((V{"a", "b", "c"}), Names());
    ac.Sort(stName);
    EXPECT_EQ((V{"c", "b", "a"}), Names());
    ac.Sort(stName);
    EXPECT_EQ((V{"a", "b", "c"}), Names());

    ac.SetSortType(stSize);
    EXPECT_EQ((V{"a", "b", "c"}), Names());
    ac.Sort(stSize); // the current sort type reverses at once
    EXPECT_EQ((V{"c", "b", "a"}), Names());
    ac.ListArchive("*.*"); // a fresh listing sorts ascending again
    EXPECT_EQ((V{"a", "b", "c"}), Names());
    EXPECT_EQ(2, ac.Items(2)->Index());
}

TEST_F(ArchiveControlTest, ExtractionSendsTheCommandLineAndReportsResults) {
    EXPECT_EQ(kExtractFailed, ac.ExtractFiles("C:\\Missing", {"a"}));
    EXPECT_EQ(kExtractNoOptions, ac.ExtractFiles("C:\\W", {"a"}));
    AddArchive(alUnzip, "C:\\a b.zip", {{"a"}});
    ac.SilentMode = true;
    ac.ZipOptions.ExtractOptions = {eoOverWrite};
    ac.SetFileName("C:\\a b.zip");
    std::vector<std::string> order;
    ac.OnStart = [&](TArchiveControl&, TArchiveOperationKind) { order.push_back("start"); };
    ac.OnEnd = [&](TArchiveControl&, TArchiveOperationKind, int r) {
        order.push_back("end " + std::to_string(r));
    };
    host.watcher_log.clear();
    EXPECT_EQ(kExtractOk, ac.ExtractFiles("C:\\W", {"dir/a.txt"}));
    EXPECT_EQ("-x -C -j -o --i \"C:\\a b.zip\" \"C:\\W\\\" dir/a.txt ", api.last_command);
    EXPECT_EQ(alUnzip, api.last_command_lib);
    EXPECT_EQ((V{"start", "end 0"}), order);
    EXPECT_EQ((V{"pause", "resume"}), host.watcher_log);

    api.command_result = 0x8012;
    EXPECT_EQ(kExtractFailed, ac.ExtractFiles("C:\\W", {"dir/a.txt"}));
    EXPECT_EQ("end 32786", order.back());
}

TEST_F(ArchiveControlTest, ResponseFileIsWrittenBesideTheProgram) {
    AddArchive(alTar, "C:\\a.tar", {{"a"}});
    ac.SetFileName("C:\\a.tar");
    std::vector<std::string> names;
    for (int i = 0; i < 241; ++i)
        names.push_back("m" + std::to_string(i) + ".txt");
    EXPECT_EQ(kExtractOk, ac.ExtractFiles("C:\\W\\", names));
    EXPECT_EQ("--use-directory=1 -x -f \"C:\\a.tar\" \"C:\\W\\\" \"@C:\\App\\Response.txt\" ",
              api.last_command);
    ASSERT_EQ(1u, host.written.count("C:\\App\\Response.txt"));
    EXPECT_EQ(241, std::count(host.written["C:\\App\\Response.txt"].begin(),
                              host.written["C:\\App\\Response.txt"].end(), '\n'));

    ac.ResponseFile = "list.rsp";
    host.write_fails = true;
    api.last_command.clear();
    EXPECT_EQ(kExtractFailed, ac.ExtractFiles("C:\\W", names));
    EXPECT_EQ("", api.last_command); // nothing sent without its list
}

TEST_F(ArchiveControlTest, ProgressAndLogHandlers) {
    AddArchive(alTar, "C:\\a.tar", {{"a.txt"}});
    ac.SetFileName("C:\\a.tar");
    std::vector<std::string> seen;
    bool silent_during = true;
    ac.OnExtract = [&](TArchiveControl& c, const std::string& n, int counter, int total, bool done,
                       bool&) {
        silent_during = c.SilentMode;
        seen.push_back(n + " " + std::to_string(counter) + "/" + std::to_string(total) +
                       (done ? " done" : ""));
    };
    std::string log;
    ac.OnLog = [&](TArchiveControl&, const std::string& text, int) { log = text; };
    ac.SilentMode = true;
    EXPECT_EQ(kExtractOk, ac.ExtractFiles("C:\\W", {"a.txt"}));
    EXPECT_EQ((V{"a.txt 1/1", "a.txt 1/1 done"}), seen);
    EXPECT_FALSE(silent_during); // TAR shows its own progress
    EXPECT_TRUE(ac.SilentMode);  // and the setting comes back
    EXPECT_EQ(1, api.set_owner_calls);
    EXPECT_EQ(1, api.kill_owner_calls);
    EXPECT_EQ("log!", log);
}

TEST_F(ArchiveControlTest, StringsOfAnotherFormatAreRefused) {
    AddArchive(alUnzip, "C:\\a.zip", {{"a"}});
    ac.SetFileName("C:\\a.zip");
    TArchiveStrings wrong(&ac.LhaOptions, "");
    std::string cmd, text;
    EXPECT_THROW(ac.BuildCommandLine(aoExtract, wrong, cmd, text), std::logic_error);
}

TEST_F(ArchiveControlTest, ChangeNotificationsRelistOrClear) {
    AddArchive(alUnzip, "C:\\a.zip", {{"a"}});
    ac.SetFileName("C:\\a.zip");
    ASSERT_TRUE(host.on_change);
    int notified = 0;
    ac.OnNotification = [&](TArchiveControl&) { ++notified; };
    api.archives[alUnzip]["C:\\a.zip"].push_back({"b"});
    host.on_change();
    EXPECT_EQ(2, ac.Count());
    api.running[alUnzip] = 1;
    api.archives[alUnzip]["C:\\a.zip"].push_back({"c"});
    host.on_change();
    EXPECT_EQ(2, ac.Count()); // busy: left alone
    api.running[alUnzip] = 0;
    host.files.erase("C:\\a.zip");
    const int before = changes;
    host.on_change();
    EXPECT_EQ(0, ac.Count());
    EXPECT_EQ(before + 1, changes);
    EXPECT_EQ(3, notified);
}

} // namespace
