#include <gtest/gtest.h>

#include "fake_platform.h"
#include "search/file_record_engine.h"

namespace {
// The engine with its window hooks recorded.
class RecordingEngine : public TFileRecordEngine {
public:
    using TFileRecordEngine::TFileRecordEngine;
    bool labels = true;
    int viewCount = 0, busy = 0, sorts = 0, pumps = 0;
    int cancelAfterPumps = -1;
    std::vector<std::string> errors, searching, hits, queried;

    std::vector<std::string> Names() const {
        std::vector<std::string> n;
        for (const auto& r : Results)
            n.push_back(r->Name);
        return n;
    }

protected:
    bool ProgressLabelsSet() override { return labels; }
    void ShowError(const std::string& t) override { errors.push_back(t); }
    void ShowSearching(const std::string& t) override { searching.push_back(t); }
    void ShowHitCount(const std::string& t) override { hits.push_back(t); }
    void ProcessMessages() override {
        if (++pumps == cancelAfterPumps) Cancelled = true;
    }
    int ViewItemCount() override { return viewCount; }
    void SetViewItemCount(int n) override { viewCount = n; }
    void BeginBusy() override { ++busy; }
    void EndBusy() override { --busy; }
    void AfterSort() override { ++sorts; }
    void QueryShellDetails(const std::string& name, std::string& type, int& icon) override {
        queried.push_back(name);
        type = name.find(".txt") != std::string::npos ? "  Text Document " : "";
        icon = static_cast<int>(name.size());
    }
};

using Names = std::vector<std::string>;
} // namespace

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs.AddFolder("C:\\R");
        fs.AddFile("C:\\R\\b.txt", 2048, faArchive | faReadOnly, {true, 2020, 1, 2, 3, 4, 5});
        fs.AddFile("C:\\R\\a.pi", 1, faArchive, {true, 2021, 1, 1, 0, 0, 0});
        fs.AddFile("C:\\R\\c.pic", 0x80000000ull, faArchive, {});
        fs.AddFolder("C:\\R\\one");
        fs.AddFile("C:\\R\\one\\d.PI", 10);
        fs.AddFolder("C:\\R\\one\\deep");
        fs.AddFile("C:\\R\\one\\deep\\e.txt", 10);
        fs.AddFolder("C:\\R\\two");
        fs.AddFile("C:\\R\\two\\f.api", 10);
        fs.AddFile("C:\\R\\two\\g", 10);
        e.SetFolder("C:\\R");
    }
    FakePlatform fs;
    RecordingEngine e{fs};
};

TEST_F(EngineTest, ListingMakesRecordsForFilesAndOptionallyFolders) {
    e.Execute();
    ASSERT_EQ(3, e.RecordCount());
    e.SortByName();
    EXPECT_EQ((Names{"a.pi", "b.txt", "c.pic"}), e.Names());
    const TFileInfo& b = *e.Results[1];
    EXPECT_EQ("C:\\R\\b.txt", b.Path);
    EXPECT_EQ("C:\\R", b.BaseFolder);
    EXPECT_FALSE(b.Flag);
    EXPECT_EQ(2048, b.Size);
    EXPECT_EQ(2u, b.SizeKB);
    EXPECT_EQ("2020/01/02 03:04:05", b.DateText);
    EXPECT_EQ("", e.Results[2]->DateText); // no time
    EXPECT_EQ((Names{"C:\\R\\one", "C:\\R\\two"}), e.Folders);
    e.IncludeFolders = true;
    e.SetMask("o*");
    e.Execute();
    ASSERT_EQ(1, e.RecordCount());
    EXPECT_TRUE(e.Results[0]->Flag);
    EXPECT_EQ("one", e.Results[0]->Name);
}

TEST_F(EngineTest, RowTextsOfBothForms) {
    e.Execute();
    e.SortByName();
    TRowData row = e.RowData(1, true);
    EXPECT_EQ("b.txt", row.Caption);
    EXPECT_EQ(5, row.ImageIndex);
    EXPECT_EQ((Names{"      2048", "Text Document", "2020/01/02 03:04:05", "RA"}), row.SubItems);
    // No type name from the shell: the extension stands in; 2 GB reads negative.
    row = e.RowData(2, true);
    EXPECT_EQ((Names{"-2147483648", "PIC", "", "A"}), row.SubItems);
    EXPECT_TRUE(e.RowData(0, false).SubItems.empty());
    EXPECT_EQ("", e.RowData(3, true).Caption);
    EXPECT_EQ("", e.PathOf(-1));
    e.SearchRows = true;
    EXPECT_EQ("C:\\R", e.RowData(1, true).SubItems[3]);
}

TEST_F(EngineTest, DetailsOnlyForValidRangesAndOnlyOnce) {
    e.Execute();
    e.FillDetails(0, 3); // beyond the records
    e.FillDetails(-1, 0);
    EXPECT_TRUE(e.queried.empty());
    e.FillDetails(1, 2);
    e.FillDetails(0, 2);
    EXPECT_EQ(3u, e.queried.size());
    TFileRecordEngine empty(fs);
    empty.FillDetails(0, 0);
}

TEST_F(EngineTest, SortFlipsPerColumnAndNeedsRows) {
    e.Execute();
    e.SortByColumn(1); // the view shows no rows yet
    EXPECT_EQ(0, e.sorts);
    e.viewCount = e.RecordCount();
    e.SortByColumn(1);
    EXPECT_EQ((Names{"c.pic", "a.pi", "b.txt"}), e.Names()); // -2147483648 first
    e.SortByColumn(1);
    EXPECT_EQ((Names{"b.txt", "a.pi", "c.pic"}), e.Names());
    EXPECT_EQ(2, e.sorts);
    EXPECT_EQ(0, e.busy);
    e.SortByColumn(0);
    EXPECT_EQ((Names{"a.pi", "b.txt", "c.pic"}), e.Names());
    e.SortByColumn(2); // type names are filled for every record first
    EXPECT_EQ(3u, e.queried.size());
    EXPECT_EQ((Names{"a.pi", "c.pic", "b.txt"}), e.Names()); // "PI" < "PIC" < "TEXT DOCUMENT"
    e.SortByColumn(3);                                       // no time sorts first
    EXPECT_EQ((Names{"c.pic", "b.txt", "a.pi"}), e.Names());
    e.SortByColumn(4);
    EXPECT_EQ("b.txt", e.Names()[2]); // read-only bit makes the largest value
    e.SortByColumn(7);
}

TEST_F(EngineTest, RecursiveSearchByExtensionFindsWholeEntriesOnly) {
    e.SetUseExtensions(true);
    e.SetExtensions(".PI .TXT ");
    e.Search();
    EXPECT_EQ((Names{"a.pi", "b.txt", "d.PI", "e.txt"}), e.Names());
    EXPECT_EQ(4, e.HitCount);
    EXPECT_EQ("4個ヒット", e.hits.back());
    EXPECT_EQ(4, e.viewCount);
    EXPECT_EQ(0, e.busy);
    for (const auto& r : e.Results) {
        EXPECT_TRUE(r->Flag);
        EXPECT_EQ("C:\\R", r->BaseFolder);
    }
    EXPECT_EQ("C:\\R\\one\\deep\\e.txt", e.Results[3]->Path);
    EXPECT_EQ("Rフォルダを探しています", e.searching[0]);
    EXPECT_EQ("deepフォルダを探しています", e.searching[2]);
    e.SetExtensions("   ");
    e.Search();
    EXPECT_EQ(0, e.RecordCount());
}

TEST_F(EngineTest, SearchWithoutRecursionAndByWildcard) {
    e.Recursive = false;
    e.SetMask("*.pi*");
    e.Search();
    EXPECT_EQ((Names{"a.pi", "c.pic"}), e.Names());
    EXPECT_EQ(1u, e.searching.size());
    e.Recursive = true;
    fs.AddFolder("C:\\leaf");
    fs.AddFile("C:\\leaf\\x.pi");
    e.SetFolder("C:\\leaf");
    e.Search();
    EXPECT_EQ((Names{"x.pi"}), e.Names());
    e.SetFolder("C:\\gone");
    e.Search();
    EXPECT_EQ(0, e.RecordCount());
    EXPECT_TRUE(e.errors.empty());
}

TEST_F(EngineTest, CancelStopsBetweenEntriesButFinishesAFolder) {
    e.SetMask("*.*");
    // Messages run after each sub-folder: the first time after "deep" inside
    // "one". Cancelling there ends every walk on the way up, so "two" is
    // never searched.
    e.cancelAfterPumps = 1;
    e.Search();
    EXPECT_EQ((Names{"a.pi", "b.txt", "c.pic", "d.PI", "e.txt"}), e.Names());
    EXPECT_EQ(0, e.busy);
    // A new search starts uncancelled.
    e.cancelAfterPumps = -1;
    e.Search();
    EXPECT_EQ(7, e.RecordCount());
}

TEST_F(EngineTest, UnsetLabelsGiveTheErrorBoxAndNoSearch) {
    e.labels = false;
    e.Execute();
    e.Search();
    ASSERT_EQ(1u, e.errors.size());
    EXPECT_EQ("lSearching,lHitCountが未設定です\r不要な場合は、Visible False の "
              "Dummyをアサインしてください",
              e.errors[0]);
    EXPECT_EQ(3, e.RecordCount()); // the listing stays
}
