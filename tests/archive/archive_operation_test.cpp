// The archive operation driven through fake libraries, a fake file system
// and a tree and list without windows.
#include <gtest/gtest.h>

#include <sstream>

#include "archive/archive_control.h"
#include "archive/archive_operation.h"
#include "archive/archive_rows.h"
#include "archive/archive_tree_keys.h"
#include "base/strutil.h"
#include "fake_archive_views.h"
#include "fake_archiver.h"

namespace {

using V = std::vector<std::string>;

// Paths are looked up without regard to letter case, as on Windows.
class CaseFreeApi : public FakeArchiverApi {
public:
    explicit CaseFreeApi(FakePlatform& fs) : fs_(fs) {}
    std::vector<std::string> commands;
    int opens = 0;

    int CheckArchive(TArchiverLibrary lib, const char* path, int mode) override {
        return FakeArchiverApi::CheckArchive(lib, SjisUpperCase(path).c_str(), mode);
    }
    int GetFileCount(TArchiverLibrary lib, const char* path) override {
        return FakeArchiverApi::GetFileCount(lib, SjisUpperCase(path).c_str());
    }
    TArchiveHandle OpenArchive(TArchiverLibrary lib, TWindowHandle w, const char* path,
                               std::uint32_t mode) override {
        ++opens;
        return FakeArchiverApi::OpenArchive(lib, w, SjisUpperCase(path).c_str(), mode);
    }
    // Extracts (as an empty file, junking folders) every named member that
    // the archive holds.
    int Command(TArchiverLibrary lib, TWindowHandle w, const char* cmd, char* out,
                std::uint32_t size) override {
        FakeArchiverApi::Command(lib, w, cmd, out, size);
        commands.push_back(cmd);
        const std::string c = cmd;
        const std::size_t a1 = c.find('"'), a2 = c.find('"', a1 + 1);
        const std::size_t d1 = c.find('"', a2 + 1), d2 = c.find('"', d1 + 1);
        const std::string archive = SjisUpperCase(c.substr(a1 + 1, a2 - a1 - 1));
        const std::string dest = c.substr(d1 + 1, d2 - d1 - 1);
        auto it = archives[lib].find(archive);
        if (it == archives[lib].end() || !fs_.Exists(archive)) return 0x8000;
        std::istringstream names(c.substr(d2 + 1));
        std::string name;
        int found = 0;
        while (names >> name) {
            for (const FakeMember& m : it->second) {
                if (m.path != name) continue;
                std::size_t cut = SjisLastDelimiter(m.path, "/\\");
                fs_.AddFile(dest + (cut == std::string::npos ? m.path : m.path.substr(cut + 1)));
                ++found;
            }
        }
        return found ? 0 : 0x8000;
    }

private:
    FakePlatform& fs_;
};

class FsArchiveHost : public FakeHost {
public:
    explicit FsArchiveHost(FakePlatform& fs) : fs_(fs) {}
    std::string throw_for; // a member whose type name cannot be had
    bool FileExists(const std::string& p) override {
        return fs_.Exists(p) && !fs_.DirectoryExists(p);
    }
    bool DirectoryExists(const std::string& p) override { return fs_.DirectoryExists(p); }
    std::string ShellTypeName(const std::string& path, std::uint32_t attrs) override {
        if (!throw_for.empty() && path == throw_for) throw std::runtime_error("shell");
        return FakeHost::ShellTypeName(path, attrs);
    }

private:
    FakePlatform& fs_;
};

const std::string kWork = "C:\\APP\\$VSWORK$";

class ArchiveOperationTest : public ::testing::Test {
protected:
    FakePlatform fs;
    CaseFreeApi api{fs};
    FsArchiveHost archive_host{fs};
    TArchiveControl ac{api, archive_host};
    FakeOperationHost host{fs};
    FakeTree tree;
    FakeList list;
    std::unique_ptr<TArchiveOperation> op;

    void SetUp() override {
        fs.AddFolder("C:\\APP");
        fs.AddFolder(kWork);
        fs.AddFolder("C:\\ARC");
        ac.SilentMode = true;
        ac.ZipOptions.ExtractOptions = {eoOverWrite};
        op = std::make_unique<TArchiveOperation>(host, fs);
        op->Control = &ac;
        op->Tree = &tree;
        op->List = &list;
        op->SetWorkFolder(kWork);
        op->ClearWorkFolderOnDestroy = true;
        op->SetIcons(1, 2, 3);
    }
    void Zip(const std::string& path, std::vector<FakeMember> members) {
        api.archives[alUnzip][SjisUpperCase(path)] = std::move(members);
        fs.AddFile(path);
    }
    // Captions of the list's rows.
    V Rows() {
        V v;
        for (const TArchiveRow& r : op->Rows())
            v.push_back(r.Caption);
        return v;
    }
    TArchiveRow Row(const std::string& caption) {
        for (const TArchiveRow& r : op->Rows())
            if (r.Caption == caption) return r;
        ADD_FAILURE() << "no row " << caption;
        return {};
    }
    TArchiveNodeData* Data(const std::string& caption) {
        FakeTree::Node* n = tree.Find(caption);
        return n ? n->data : nullptr;
    }
};

TEST_F(ArchiveOperationTest, RootOnlyArchiveHasJustItsRootNode) {
    Zip("C:\\ARC\\flat.zip", {{"a.txt", 1234}, {"b.c", 5}});
    op->Open("C:\\ARC\\flat.zip");
    EXPECT_EQ(V{"flat.zip"}, tree.Outline());
    EXPECT_EQ(tree.First(), tree.selected);
    op->ShowList(tree.First());
    EXPECT_EQ((V{"a.txt", "b.c"}), Rows());
    EXPECT_EQ(2, list.count);
    EXPECT_EQ(0, host.hourglass);
}

TEST_F(ArchiveOperationTest, FolderMembersGetAllFilesEntryAndFolderNodes) {
    Zip("C:\\ARC\\docs.zip", {{"top.txt"}, {"docs/guide.txt"}, {"docs/sub/deep.txt"}});
    op->Open("C:\\ARC\\docs.zip");
    EXPECT_EQ((V{"docs.zip", "  [ALL Files:]", "  docs", "    sub"}), tree.Outline());
    EXPECT_TRUE(tree.Find("docs.zip")->expanded);
    EXPECT_TRUE(tree.Find("docs")->expanded);

    op->ShowList(tree.Find("[ALL Files:]"));
    EXPECT_EQ((V{"top.txt", "guide.txt", "deep.txt"}), Rows());
    op->ShowList(tree.First());
    EXPECT_EQ(V{"top.txt"}, Rows());
    op->ShowList(tree.Find("sub"));
    EXPECT_EQ(V{"deep.txt"}, Rows());
    EXPECT_EQ("docs/sub/", Row("deep.txt").Path);
    EXPECT_EQ("C:\\ARC\\DOCS.ZIP", Row("deep.txt").Archive);
}

TEST_F(ArchiveOperationTest, BackslashAndLeadingSlashFoldersSplitIntoLevels) {
    // "表" ends in the byte 0x5C: it is no separator.
    Zip("C:\\ARC\\mixed.zip", {{"win\\sub\\a.txt"}, {"/abs/b.txt"}, {"表\\c.txt"}});
    op->Open("C:\\ARC\\mixed.zip");
    EXPECT_EQ((V{"mixed.zip", "  [ALL Files:]", "  abs", "  win", "    sub", "  表"}),
              tree.Outline());
    EXPECT_EQ("/abs/", Data("abs")->Path);
    op->ShowList(tree.Find("sub"));
    ASSERT_EQ(V{"a.txt"}, Rows());
    // Shown and extracted with the folder the library reported.
    EXPECT_EQ("win\\sub\\", Row("a.txt").SubItems[5]);
    EXPECT_TRUE(op->ExtractItem(&op->Rows()[0]));
    EXPECT_NE(std::string::npos, api.commands.back().find(" win\\sub\\a.txt "));
    EXPECT_EQ(kWork + "\\a.txt", op->LastExtracted());
}

TEST_F(ArchiveOperationTest, RowTextsFollowTheirFormats) {
    FakeMember m{"docs/r.txt", 1234567};
    m.ratio = 523;
    m.date = static_cast<std::uint16_t>(((2004 - 1980) << 9) | (2 << 5) | 29);
    m.time = static_cast<std::uint16_t>((13 << 11) | (5 << 5) | 7);
    Zip("C:\\ARC\\f.zip", {m});
    op->Open("C:\\ARC\\f.zip");
    op->ShowList(tree.Find("docs"));
    ASSERT_EQ(1u, op->Rows().size());
    const TArchiveRow& r = op->Rows()[0];
    EXPECT_EQ((V{" 1234567", "txt File", "  617283", "52.3%", "2004/02/29/ 13:05:14", "docs/"}),
              r.SubItems);
    EXPECT_EQ(9, r.ImageIndex);
}

TEST_F(ArchiveOperationTest, NestedZipAtRootOpensOnExpanding) {
    Zip("C:\\ARC\\outer.zip", {{"top.txt"}, {"inner.zip"}});
    api.archives[alUnzip][SjisUpperCase(kWork + "\\inner.zip")] = {{"in.txt"}, {"d/deep.txt"}};
    op->Open("C:\\ARC\\outer.zip");
    EXPECT_EQ((V{"outer.zip", "  inner.zip"}), tree.Outline());
    FakeTree::Node* nested = tree.Find("inner.zip");
    EXPECT_TRUE(nested->has_children);
    EXPECT_FALSE(nested->expanded); // nested archives are not opened by Open
    EXPECT_EQ(3, nested->image);
    EXPECT_EQ(0, nested->data->Listed);
    EXPECT_EQ(kWork + "\\inner.zip", nested->data->Extracted);

    EXPECT_TRUE(op->OnExpanding(nested));
    EXPECT_EQ((V{"outer.zip", "  inner.zip", "    [ALL Files:]", "    d"}), tree.Outline());
    EXPECT_EQ(1, nested->data->Listed);
    // Without a change handler the list follows at once: the nested root members.
    EXPECT_EQ(V{"in.txt"}, Rows());
    EXPECT_EQ(SjisUpperCase(kWork + "\\inner.zip"), op->CurrentArchive());
    // Opened once only.
    const std::size_t commands = api.commands.size();
    EXPECT_TRUE(op->OnExpanding(nested));
    EXPECT_EQ(commands, api.commands.size());

    // A member of the outer archive after one of the inner: the outer is set again.
    op->ShowList(tree.First());
    ASSERT_EQ((V{"top.txt", "inner.zip"}), Rows());
    EXPECT_TRUE(op->ExtractItem(&op->Rows()[0]));
    EXPECT_EQ("C:\\ARC\\OUTER.ZIP", op->CurrentArchive());
    EXPECT_EQ(kWork + "\\top.txt", op->LastExtracted());
    // A nested archive's row is not extracted.
    api.commands.clear();
    EXPECT_TRUE(op->ExtractItem(&op->Rows()[1]));
    EXPECT_TRUE(api.commands.empty());
    EXPECT_FALSE(op->ExtractItem(nullptr));
}

TEST_F(ArchiveOperationTest, NestedArchiveInsideFolderExtractsWithItsFolder) {
    Zip("C:\\ARC\\outer.zip", {{"pack/lib/inner.zip"}, {"lib/x.txt"}, {"pack/a.txt"}});
    api.archives[alUnzip][SjisUpperCase(kWork + "\\inner.zip")] = {{"lib/y.txt"}};
    op->Open("C:\\ARC\\outer.zip");
    EXPECT_EQ((V{"outer.zip", "  [ALL Files:]", "  lib", "  pack", "    lib", "      inner.zip"}),
              tree.Outline());
    TArchiveNode nested = tree.Find("inner.zip");
    EXPECT_TRUE(op->OnExpanding(nested));
    EXPECT_NE(std::string::npos, api.commands.back().find("\"C:\\ARC\\outer.zip\""));
    EXPECT_NE(std::string::npos, api.commands.back().find(" pack/lib/inner.zip "));
    // The nested archive's folder "lib" sits under it, not under the outer "lib".
    EXPECT_EQ((V{"outer.zip", "  [ALL Files:]", "  lib", "  pack", "    lib", "      inner.zip",
                 "        [ALL Files:]", "        lib"}),
              tree.Outline());
    FakeTree::Node* inner_lib = static_cast<FakeTree::Node*>(tree.FirstChild(nested))->parent;
    ASSERT_EQ(2u, inner_lib->children.size());
    op->ShowList(inner_lib->children[1]);
    EXPECT_EQ(V{"y.txt"}, Rows());
    op->ShowList(inner_lib->children[0]);
    EXPECT_EQ(V{"y.txt"}, Rows());
}

TEST_F(ArchiveOperationTest, NestedInNestedTakesTheMiddleArchive) {
    Zip("C:\\ARC\\a.zip", {{"b.zip"}});
    api.archives[alUnzip][SjisUpperCase(kWork + "\\b.zip")] = {{"sub/c.zip"}, {"sub/t.txt"}};
    api.archives[alUnzip][SjisUpperCase(kWork + "\\c.zip")] = {{"last.txt"}};
    op->Open("C:\\ARC\\a.zip");
    ASSERT_TRUE(op->OnExpanding(tree.Find("b.zip")));
    // Members at its root only: it gets no child nodes, the list shows them.
    EXPECT_FALSE(op->OnExpanding(tree.Find("c.zip")));
    EXPECT_FALSE(tree.Find("c.zip")->has_children);
    EXPECT_NE(std::string::npos, api.commands.back().find(" sub/c.zip "));
    EXPECT_NE(std::string::npos, api.commands.back().find("\"" + kWork + "\\b.zip\""));
    EXPECT_EQ(V{"last.txt"}, Rows());
    EXPECT_TRUE(op->ExtractItem(&op->Rows()[0]));
    EXPECT_EQ(kWork + "\\last.txt", op->LastExtracted());
}

TEST_F(ArchiveOperationTest, SameNamedNestedArchivesGetTheirOwnCopies) {
    Zip("C:\\ARC\\twins.zip", {{"a/inner.zip"}, {"b/inner.zip"}, {"b/x.txt"}});
    api.archives[alUnzip][SjisUpperCase(kWork + "\\inner.zip")] = {{"first.txt"}};
    api.archives[alUnzip][SjisUpperCase(kWork + "\\inner(2).zip")] = {{"second.txt"}};
    op->Open("C:\\ARC\\twins.zip");
    FakeTree::Node* first = tree.Find("a")->children[0];
    FakeTree::Node* second = tree.Find("b")->children[0];
    EXPECT_EQ(kWork + "\\inner.zip", first->data->Extracted);
    EXPECT_EQ(kWork + "\\inner(2).zip", second->data->Extracted);

    EXPECT_FALSE(op->OnExpanding(first)); // members at its root only: no child nodes
    EXPECT_EQ(V{"first.txt"}, Rows());
    // The second is extracted aside, so the first one's copy is not overwritten.
    op->OnExpanding(second);
    EXPECT_NE(std::string::npos, api.commands.back().find("\"" + kWork + "\\$NESTED$\\\" b/inner.zip "));
    EXPECT_EQ(V{kWork + "\\$NESTED$\\inner.zip -> " + kWork + "\\inner(2).zip"}, host.renamed);
    EXPECT_FALSE(fs.Exists(kWork + "\\$NESTED$"));
    EXPECT_EQ(V{"second.txt"}, Rows());
    EXPECT_EQ(SjisUpperCase(kWork + "\\inner(2).zip"), op->CurrentArchive());

    // A member of the first is still taken from the first one's copy.
    op->ShowList(first);
    ASSERT_EQ(V{"first.txt"}, Rows());
    EXPECT_TRUE(op->ExtractItem(&op->Rows()[0]));
    EXPECT_NE(std::string::npos, api.commands.back().find("\"" + SjisUpperCase(kWork + "\\inner.zip") + "\""));
    EXPECT_EQ(kWork + "\\first.txt", op->LastExtracted());

    // A fresh tree numbers afresh; the copies go with the work folder.
    op->Open("C:\\ARC\\twins.zip");
    EXPECT_EQ(kWork + "\\inner(2).zip", tree.Find("b")->children[0]->data->Extracted);
    op.reset();
    EXPECT_FALSE(fs.Exists(kWork + "\\inner.zip"));
    EXPECT_FALSE(fs.Exists(kWork + "\\inner(2).zip"));
}

TEST_F(ArchiveOperationTest, BrokenNestedArchiveGetsNoChildren) {
    // The extracted copy is not an archive the library accepts.
    Zip("C:\\ARC\\o.zip", {{"bad.zip"}, {"o.txt"}});
    op->Open("C:\\ARC\\o.zip");
    FakeTree::Node* nested = tree.Find("bad.zip");
    EXPECT_FALSE(op->OnExpanding(nested));
    EXPECT_TRUE(fs.Exists(kWork + "\\bad.zip"));
    EXPECT_FALSE(nested->has_children);
    // Nothing of the outer archive is listed under it.
    EXPECT_TRUE(nested->children.empty());
    EXPECT_TRUE(Rows().empty());
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(ArchiveOperationTest, ReopeningTheSamePathRebuildsWithoutReading) {
    Zip("C:\\ARC\\docs.zip", {{"docs/a.txt"}});
    op->Open("C:\\ARC\\docs.zip");
    const int opens = api.opens;
    tree.selected = nullptr;
    op->Open("c:\\arc\\DOCS.ZIP");
    EXPECT_EQ(opens, api.opens);
    EXPECT_EQ((V{"docs.zip", "  [ALL Files:]", "  docs"}), tree.Outline());
    EXPECT_EQ(1u, op->Cache().size());
    EXPECT_NE(nullptr, tree.selected);
}

TEST_F(ArchiveOperationTest, VanishedArchiveShowsTheErrorBoxAndKeepsTheTree) {
    Zip("C:\\ARC\\gone.zip", {{"docs/a.txt"}});
    op->Open("C:\\ARC\\gone.zip");
    fs.RemoveFile("C:\\ARC\\gone.zip");
    op->Open("C:\\ARC\\gone.zip");
    ASSERT_EQ(1u, host.boxes.size());
    EXPECT_EQ(48u, host.boxes[0].beep);
    EXPECT_EQ("TArchiveOperation UpDate Error(-\"-;\rPlease Contact KVT\r\r"
              "Not Found ArchiveFile!\rC:\\ARC\\gone.zip",
              host.boxes[0].text);
    EXPECT_EQ(3, tree.Count());
    EXPECT_EQ(1u, op->Cache().size());

    // A missing archive the control cannot take at all (RAR) says the same.
    host.boxes.clear();
    op->Open("C:\\ARC\\never.rar");
    ASSERT_EQ(1u, host.boxes.size());
    EXPECT_NE(std::string::npos,
              host.boxes[0].text.find("Not Found ArchiveFile!\rC:\\ARC\\never.rar"));
    EXPECT_EQ(3, tree.Count());
}

TEST_F(ArchiveOperationTest, DamagedArchiveShowsNothingOfThePreviousOne) {
    Zip("C:\\ARC\\good.zip", {{"a.txt"}});
    op->Open("C:\\ARC\\good.zip");
    fs.AddFile("C:\\ARC\\damaged.zip"); // the library refuses it
    op->Open("C:\\ARC\\damaged.zip");
    EXPECT_EQ(0, tree.Count());
    EXPECT_TRUE(op->Cache().empty());
    EXPECT_TRUE(host.boxes.empty());
    op->Open("C:\\ARC\\good.zip");
    EXPECT_EQ(V{"good.zip"}, tree.Outline());
}

TEST_F(ArchiveOperationTest, BusyLibraryLeavesEverything) {
    Zip("C:\\ARC\\a.zip", {{"a.txt"}});
    op->Open("C:\\ARC\\a.zip");
    Zip("C:\\ARC\\b.zip", {{"b.txt"}});
    api.running[alUnzip] = 1;
    op->Open("C:\\ARC\\b.zip");
    EXPECT_EQ(V{"a.zip"}, tree.Outline());
    EXPECT_EQ("C:\\ARC\\A.ZIP", op->CurrentArchive());
}

TEST_F(ArchiveOperationTest, FailedExtractionLeavesNoStaleCopy) {
    Zip("C:\\ARC\\one.zip", {{"readme.txt"}});
    Zip("C:\\ARC\\two.zip", {{"other.txt"}});
    op->Open("C:\\ARC\\one.zip");
    op->ShowList(tree.First());
    ASSERT_TRUE(op->ExtractItem(&op->Rows()[0]));
    EXPECT_EQ(kWork + "\\readme.txt", op->LastExtracted());
    // A row naming a member the second archive lacks.
    op->Open("C:\\ARC\\two.zip");
    TArchiveRow row{"readme.txt", {}, 0, "C:\\ARC\\TWO.ZIP", "readme.txt", ""};
    EXPECT_TRUE(op->ExtractItem(&row));
    EXPECT_EQ("", op->LastExtracted());
}

TEST_F(ArchiveOperationTest, EncryptedMembersAreNeverExtracted) {
    FakeMember secret{"secret.txt"};
    secret.flag = 1;
    Zip("C:\\ARC\\e.zip", {secret, {"plain.txt"}});
    api.archives[alSevenZip]["C:\\ARC\\E.7Z"] = {secret};
    fs.AddFile("C:\\ARC\\e.7z");
    // Bit 0 of an LZH record's flag means something else there.
    api.archives[alUnlha]["C:\\ARC\\E.LZH"] = {secret};
    fs.AddFile("C:\\ARC\\e.lzh");
    for (const char* archive : {"C:\\ARC\\e.zip", "C:\\ARC\\e.7z"}) {
        SCOPED_TRACE(archive);
        op->Open(archive);
        op->ShowList(tree.First());
        fs.AddFile(kWork + "\\secret.txt"); // an older copy of the same name
        const std::size_t commands = api.commands.size();
        ASSERT_TRUE(op->ExtractItem(&op->Rows()[0]));
        EXPECT_TRUE(op->LastWasEncrypted());
        EXPECT_EQ(commands, api.commands.size());
        EXPECT_EQ("", op->LastExtracted());
        EXPECT_FALSE(fs.Exists(kWork + "\\secret.txt"));
    }
    op->Open("C:\\ARC\\e.zip");
    op->ShowList(tree.First());
    ASSERT_TRUE(op->ExtractItem(&op->Rows()[1]));
    EXPECT_FALSE(op->LastWasEncrypted());
    EXPECT_EQ(kWork + "\\plain.txt", op->LastExtracted());
    op->Open("C:\\ARC\\e.lzh");
    op->ShowList(tree.First());
    ASSERT_TRUE(op->ExtractItem(&op->Rows()[0]));
    EXPECT_FALSE(op->LastWasEncrypted());
    EXPECT_EQ(kWork + "\\secret.txt", op->LastExtracted());
}

TEST_F(ArchiveOperationTest, MembersTooLargeForTheBuildShowTheirSizeAndStayInside) {
    FakeMember huge{"huge.bin"};
    huge.whole_size = 5ull << 30;
    api.archives[alSevenZip]["C:\\ARC\\H.7Z"] = {huge, {"small.txt", 4}};
    fs.AddFile("C:\\ARC\\h.7z");
    op->MaxMemberSize = 0xFFFFFFFFull; // as the 32-bit build has it
    op->Open("C:\\ARC\\h.7z");
    op->ShowList(tree.First());
    ASSERT_EQ(2u, op->Rows().size());
    EXPECT_EQ("5368709120", op->Rows()[0].SubItems[0]);
    EXPECT_TRUE(op->Rows()[0].TooLarge);
    EXPECT_FALSE(op->Rows()[1].TooLarge);
    fs.AddFile(kWork + "\\huge.bin"); // an older copy of the same name
    const std::size_t commands = api.commands.size();
    ASSERT_TRUE(op->ExtractItem(&op->Rows()[0]));
    EXPECT_EQ(commands, api.commands.size());
    EXPECT_FALSE(op->LastWasEncrypted());
    EXPECT_EQ("", op->LastExtracted());
    ASSERT_TRUE(op->ExtractItem(&op->Rows()[1]));
    EXPECT_EQ(kWork + "\\small.txt", op->LastExtracted());
    // The 64-bit build hands it to the library.
    op->MaxMemberSize = ~0ull;
    op->ShowList(tree.First());
    EXPECT_FALSE(op->Rows()[0].TooLarge);
}

TEST_F(ArchiveOperationTest, AddCacheFailureKeepsWhatWasAdded) {
    archive_host.throw_for = "b.txt";
    Zip("C:\\ARC\\t.zip", {{"a.txt"}, {"b.txt"}, {"c.txt"}});
    op->Open("C:\\ARC\\t.zip");
    ASSERT_EQ(1u, host.boxes.size());
    EXPECT_EQ("TArchiveOperation.AddCache Error", host.boxes[0].text);
    EXPECT_EQ(1u, op->Cache().size());
    EXPECT_EQ(V{"t.zip"}, tree.Outline());
}

TEST_F(ArchiveOperationTest, ArchiveNamesFollowTheSupportedFormats) {
    EXPECT_TRUE(op->IsArchiveName("x.Zip"));
    EXPECT_TRUE(op->IsArchiveName("a.b.LZH"));
    EXPECT_FALSE(op->IsArchiveName("x.tgz"));
    EXPECT_TRUE(op->IsArchiveName("x.7Z"));
    EXPECT_FALSE(op->IsArchiveName("zip"));
    EXPECT_FALSE(op->IsArchiveName("x."));
    EXPECT_FALSE(op->IsArchiveName("x.zi"));
    ac.SupportArchives = {atLha};
    EXPECT_FALSE(op->IsArchiveName("x.zip"));
}

TEST_F(ArchiveOperationTest, SelectNodeByNameSelectsEveryMatchInTurn) {
    Zip("C:\\ARC\\s.zip", {{"a/In.zip"}, {"b/in.ZIP"}, {"c/x.txt"}});
    op->Open("C:\\ARC\\s.zip");
    std::vector<FakeTree::Node*> seen;
    tree.on_change = [&](FakeTree::Node* n) { seen.push_back(n); };
    op->SelectNodeByName("IN.zip");
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ("In.zip", seen[0]->text);
    EXPECT_EQ("in.ZIP", seen[1]->text);
    EXPECT_EQ(seen[1], tree.selected);

    // A row of a nested archive finds its own node, not a namesake.
    seen.clear();
    op->ShowList(tree.Find("[ALL Files:]"));
    ASSERT_TRUE(op->SelectNestedNode(Row("In.zip")));
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("In.zip", seen[0]->text);
    EXPECT_FALSE(op->SelectNestedNode(Row("x.txt")));
}

TEST_F(ArchiveOperationTest, WorkFolderIsEmptiedAtTheEndOnlyWhenItIsOurs) {
    fs.AddFile(kWork + "\\a.txt");
    fs.AddFile(kWork + "\\ro.txt", 0, faReadOnly);
    fs.AddFolder(kWork + "\\keep");
    fs.AddFile(kWork + "\\keep\\k.txt");
    op.reset();
    EXPECT_FALSE(fs.Exists(kWork + "\\a.txt"));
    EXPECT_FALSE(fs.Exists(kWork + "\\ro.txt"));
    EXPECT_TRUE(fs.Exists(kWork + "\\keep\\k.txt"));

    for (const std::string& folder : {std::string("C:\\"), std::string("C:\\APP")}) {
        fs.AddFolder(folder);
        fs.AddFile(IncludeTrailingBackslash(folder) + "user.txt");
        auto other = std::make_unique<TArchiveOperation>(host, fs);
        other->SetWorkFolder(folder);
        other->ClearWorkFolderOnDestroy = true;
        EXPECT_EQ("", other->WorkFolder());
        other.reset();
        EXPECT_TRUE(fs.Exists(IncludeTrailingBackslash(folder) + "user.txt")) << folder;
    }
    // A missing work folder reads as empty; nothing is extracted then.
    auto none = std::make_unique<TArchiveOperation>(host, fs);
    none->SetWorkFolder("C:\\NO$WORK");
    EXPECT_EQ("", none->WorkFolder());
}

TEST_F(ArchiveOperationTest, WithoutClearFlagTheWorkFolderStays) {
    fs.AddFile(kWork + "\\a.txt");
    op->ClearWorkFolderOnDestroy = false;
    op.reset();
    EXPECT_TRUE(fs.Exists(kWork + "\\a.txt"));
}

TEST_F(ArchiveOperationTest, IconsAreAskedOncePerExtension) {
    Zip("C:\\ARC\\i.zip", {{"a.txt"}, {"b.TXT"}, {"c.c"}});
    op->Open("C:\\ARC\\i.zip");
    op->ShowList(tree.First());
    op->ShowList(tree.First());
    EXPECT_EQ(2, host.icon_questions);
}

TEST(ArchiveTreeKeys, PrefixesSortedAndFree) {
    TArchiveTreeKeys k;
    k.AddMember("b/c/", "b\\c\\", "x.txt", false);
    k.AddMember("B/", "B/", "y.txt", false);
    k.AddMember("b/", "b/", "in.zip", true);
    k.AddMember("", "", "root.lzh", true);
    V keys;
    for (const TArchiveTreeKey& key : k.Sorted())
        keys.push_back(key.Key + (key.Nested ? " N " + key.Member : ""));
    EXPECT_EQ((V{"B/", "b/", "b/c/", "b/in.zip/ N b/in.zip", "root.lzh/ N root.lzh"}), keys);
    EXPECT_TRUE(k.InFolder());

    TArchiveTreeKeys only_nested;
    only_nested.AddMember("d/", "d/", "n.zip", true);
    EXPECT_TRUE(only_nested.Collected());
    EXPECT_FALSE(only_nested.InFolder());

    EXPECT_EQ("a/", ParentKeyPath("a/b/"));
    EXPECT_EQ("", ParentKeyPath("a/"));
    EXPECT_EQ("/", ParentKeyPath("/a/"));
    EXPECT_EQ("b", KeyCaption("a/b/"));
    EXPECT_EQ("表/x/", SlashSeparators("表\\x\\"));
}

TEST(ArchiveRows, TextsAndTextualSorting) {
    EXPECT_EQ("       0", ArchiveSizeText(0));
    EXPECT_EQ("3000000000", ArchiveSizeText(3000000000u));
    EXPECT_EQ("5368709120", ArchiveSizeText(5ull << 30));
    EXPECT_EQ("0.0%", ArchiveRatioText(0));
    EXPECT_EQ("100.0%", ArchiveRatioText(1000));
    EXPECT_EQ("1899/12/30/ 00:00:00", ArchiveDateTimeText(0.0));
    EXPECT_EQ("2000/01/01/ 12:00:00", ArchiveDateTimeText(36526.5));

    std::vector<TArchiveRow> rows(3);
    rows[0].Caption = "b";
    rows[0].SubItems = {"", "", "", "9.5%"};
    rows[1].Caption = "A";
    rows[1].SubItems = {"", "", "", "10.0%"};
    rows[2].Caption = "c";
    rows[2].SubItems = {"", "", "", "50.0%"};
    SortArchiveRows(rows, 4, true);
    // Texts, not numbers: "9.5%" after "50.0%".
    EXPECT_EQ("A", rows[0].Caption);
    EXPECT_EQ("c", rows[1].Caption);
    EXPECT_EQ("b", rows[2].Caption);
    SortArchiveRows(rows, 0, false);
    EXPECT_EQ("c", rows[0].Caption);
    EXPECT_EQ("A", rows[2].Caption);
}

} // namespace
