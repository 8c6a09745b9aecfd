#include "../app_test_fixture.h"
#include <algorithm>

#include "base/strutil.h"
#include "search/file_transact_ex.h"
#include "ui/buttons.h"
#include "win_test_util.h"

using Names = std::vector<std::string>;

class EngineWin : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        form = new TForm(app_);
        list = new TListView(form, form);
        list->SetBounds(0, 0, 300, 200);
        for (const char* c : {"名前", "サイズ", "ファイルの種類", "更新日時", "属性"})
            list->AddColumn(c, 80);
        list->OnData = [this](TObject*, TListItemData& item) {
            TRowData row = engine.RowData(item.Index, list->ViewStyle() == vsReport);
            item.Caption = row.Caption;
            item.ImageIndex = row.ImageIndex;
            item.SubItems = row.SubItems;
        };
        list->OnDataHint = [this](TObject*, int from, int to) { engine.FillDetails(from, to); };
        engine.SetListView(list);
        searching = new TLabel(form, form);
        hits = new TLabel(form, form);
        MakeFile(dir / "one.txt", 1);
        MakeFile(dir / "empty.txt", 0);
        MakeFile(dir / "big.txt", 3000);
        MakeFile(dir / "pic.pi", 10);
        CreateDirectoryA((dir / "sub").c_str(), nullptr);
        MakeFile(dir / "sub\\deep.txt", 5);
        CreateDirectoryA((dir / "sub\\lower").c_str(), nullptr);
        MakeFile(dir / "sub\\lower\\x.TXT", 5);
        engine.SetFolder(dir.Path());
    }
    void TearDown() override { delete form; AppTest::TearDown(); }
    // The text the list view shows, asked through the control itself.
    std::string Cell(int row, int column) {
        char buf[260] = {};
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = buf;
        item.cchTextMax = sizeof buf;
        SendMessageA(list->Handle(), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        return buf;
    }
    Names Column(int column) {
        Names n;
        for (int i = 0; i < list->ItemCount(); ++i)
            n.push_back(Cell(i, column));
        return n;
    }
    TempFolder dir;
    TForm* form = nullptr;
    TListView* list = nullptr;
    TLabel *searching = nullptr, *hits = nullptr;
    TFileTransactEx engine;
};

TEST_F(EngineWin, ListingShowsRowsThroughTheListView) {
    engine.Execute();
    engine.SortByName();
    list->SetItemCount(engine.RecordCount());
    EXPECT_EQ((Names{"big.txt", "empty.txt", "one.txt", "pic.pi"}), Column(0));
    EXPECT_EQ("      3000", Cell(0, 1));
    EXPECT_EQ("A", Cell(0, 4));
    EXPECT_EQ(19u, Cell(0, 3).size()); // yyyy/mm/dd hh:nn:ss
    EXPECT_FALSE(Cell(0, 2).empty());  // the shell's type name or the extension
    EXPECT_EQ(1u, engine.Results[2]->SizeKB);
    EXPECT_EQ(0u, engine.Results[1]->SizeKB);
    EXPECT_EQ(3u, engine.Results[0]->SizeKB);
    EXPECT_EQ(dir / "pic.pi", engine.PathOf(3));
    EXPECT_EQ((Names{dir / "sub"}), engine.Folders);
}

TEST_F(EngineWin, SortingTwiceFlipsTheSizeOrder) {
    engine.Execute();
    list->SetItemCount(engine.RecordCount());
    list->SetSelected(1);
    engine.SortByColumn(1);
    EXPECT_EQ((Names{"empty.txt", "one.txt", "pic.pi", "big.txt"}), Column(0));
    EXPECT_EQ(-1, list->Selected());
    engine.SortByColumn(1);
    EXPECT_EQ((Names{"big.txt", "pic.pi", "one.txt", "empty.txt"}), Column(0));
    EXPECT_EQ(crDefault, Screen.Cursor());
}

TEST_F(EngineWin, SearchWithAndWithoutRecursion) {
    engine.lSearching = searching;
    engine.lHitCount = hits;
    engine.SearchRows = true;
    engine.SetUseExtensions(true);
    engine.SetExtensions(".TXT ");
    engine.Search();
    EXPECT_EQ(5, list->ItemCount());
    EXPECT_EQ("5個ヒット", hits->Caption());
    Names folders = Column(4);
    std::sort(folders.begin(), folders.end());
    EXPECT_EQ((Names{dir.Path(), dir.Path(), dir.Path(), dir / "sub", dir / "sub\\lower"}),
              folders);
    engine.Recursive = false;
    engine.Search();
    EXPECT_EQ(3, list->ItemCount());
    EXPECT_EQ(ExtractFileName(dir.Path()) + "フォルダを探しています", searching->Caption());
    EXPECT_EQ(crDefault, Screen.Cursor());
}

TEST_F(EngineWin, WildcardsMatchWholeNames) {
    engine.lSearching = searching;
    engine.lHitCount = hits;
    MakeFile(dir / "b.PI", 1);
    MakeFile(dir / "c.pic", 1);
    MakeFile(dir / "d.api", 1);
    engine.Recursive = false;
    engine.SetMask("*.pi");
    engine.Search();
    Names found = Column(0);
    std::sort(found.begin(), found.end());
    EXPECT_EQ((Names{"b.PI", "pic.pi"}), found);
    engine.SetMask("?.p*");
    engine.Search();
    EXPECT_EQ(2, engine.HitCount); // b.PI and c.pic
    engine.SetMask("  ");
    engine.Search();
    EXPECT_EQ(7, engine.HitCount);
}

TEST_F(EngineWin, CancelButtonStopsTheWalk) {
    engine.lSearching = searching;
    engine.lHitCount = hits;
    for (int i = 0; i < 5; ++i) {
        const std::string sub = dir / ("many" + std::to_string(i));
        CreateDirectoryA(sub.c_str(), nullptr);
        MakeFile(sub + "\\f.txt");
    }
    auto* cancel = new TButton(form, form);
    cancel->OnClick = [this](TObject*) { engine.Cancelled = true; };
    // The click waits in the queue as a user's would; the first pending-message
    // pass of the walk runs it.
    PostMessageA(cancel->Handle(), BM_CLICK, 0, 0);
    engine.SetMask("*.txt");
    engine.Search();
    EXPECT_TRUE(engine.Cancelled);
    EXPECT_GE(engine.HitCount, 3); // the start folder is always searched
    EXPECT_LT(engine.HitCount, 10);
    EXPECT_EQ(engine.HitCount, list->ItemCount());
}

TEST_F(EngineWin, UnsetLabelsShowTheErrorBox) {
    BoxRecorder boxes(IDOK);
    engine.lSearching = searching;
    engine.Search();
    ASSERT_EQ(1u, boxes.texts.size());
    EXPECT_EQ("lSearching,lHitCountが未設定です\r不要な場合は、Visible False の "
              "Dummyをアサインしてください",
              boxes.texts[0]);
    EXPECT_EQ(0, list->ItemCount());
}
