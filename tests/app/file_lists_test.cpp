// The file lists in the main window: filling from the folder tree, the
// view commands and their buttons and menu checks, selection and preview.
#include "app/file_lists.h"
#include "base/sjis.h"
#include "base/strutil.h"
#include "main_window_fixture.h"
#include "settings/ini_file.h"

class FileLists : public MainWindow {
protected:
    TFileLists* StartLists() {
        // Lists as they look before a first start changed them: report view, designed widths.
        TIniFile ini(dir_ / "Quillmark.INI");
        ini.WriteInteger("lvFile", "ViewStyle", 3);
        const int widths[] = {100, 85, 85, 55, 50};
        for (int i = 0; i < 5; ++i) {
            ini.WriteInteger("lvFile", "WidthColumn" + std::to_string(i), widths[i]);
            ini.WriteInteger("lvCorrect", "WidthColumn" + std::to_string(i), 50);
        }
        ini.WriteInteger("lvCorrect", "ViewStyle", 3);
        Start();  // the first activation sets the lists up
        lists = form_->FileLists.get();
        return lists;
    }
    TSpeedButton* Button(const std::string& name) {
        return dynamic_cast<TSpeedButton*>(form_->FindComponent(name));
    }
    void MakeFiles(const TempFolder& folder, int n) {
        for (int i = 0; i < n; ++i)
            TempFolder::WriteFile(folder / Format("f%02d.txt", i), std::string(i, 'x'));
    }
    TFileLists* lists = nullptr;
};

TEST_F(FileLists, ControlsAreFoundByName) {
    StartLists();
    EXPECT_EQ(lists->fvx, form_->FindComponent("fvx"));
    EXPECT_EQ(lists->lvFile, form_->FindComponent("lvFile"));
    EXPECT_EQ(lists->lvCorrect, form_->FindComponent("lvCorrect"));
    EXPECT_EQ(form_->pnFolder, lists->fvx->Parent());
    EXPECT_EQ(form_->pnFile, lists->lvFile->Parent());
    EXPECT_EQ(form_->TabSheet2, lists->lvCorrect->Parent());
    ASSERT_NE(nullptr, lists->FileEngine());
    ASSERT_NE(nullptr, lists->CorrectEngine());
    EXPECT_EQ(lists->lvCorrect, lists->CorrectEngine()->ListView());
    // The two view submenus under the view-style item.
    TMenuItem* style = Item("mmShowStyle");
    ASSERT_EQ(3u, style->Items().size());  // the archive list has one too
    EXPECT_EQ("ファイルセレクタ(&S)", style->Items()[0]->Caption());
    EXPECT_EQ("ファイルコレクタ(&C)", style->Items()[1]->Caption());
    EXPECT_EQ("【フォルダ】を表示", Item("mmShowEraseFolderCor")->Caption());
    EXPECT_EQ("詳細(&D)", Item("mmShowReportSEL")->Caption());
    EXPECT_EQ("【属性】表示", Button("sbShowEraseAttrSEL")->Hint);
    EXPECT_EQ(5, lists->lvFile->ColumnCount());
    EXPECT_EQ("ファイルの種類", lists->lvFile->ColumnCaption(2));
    EXPECT_EQ(85, lists->lvFile->ColumnWidth(1));
    EXPECT_TRUE(lists->lvFile->GridLines());
    EXPECT_FALSE(lists->lvCorrect->GridLines());
    EXPECT_TRUE(Button("sbShowGridSEL")->Down());
    EXPECT_FALSE(Button("sbShowGridCor")->Down());
    EXPECT_TRUE(Button("sbShowReportCor")->Down());
    EXPECT_TRUE(Item("mmShowReportCor")->Checked());
}

TEST_F(FileLists, FolderLabelSaysFileOrFiles) {
    StartLists();
    TempFolder empty, one, twelve;
    MakeFiles(one, 1);
    MakeFiles(twelve, 12);
    CreateDirectoryA((twelve / "sub").c_str(), nullptr);
    lists->fvxChange(lists->fvx, empty.Path());
    EXPECT_EQ(" 0File", form_->lFolderInfo->Caption());
    lists->fvxChange(lists->fvx, one.Path());
    EXPECT_EQ(" 1File", form_->lFolderInfo->Caption());
    lists->fvxChange(lists->fvx, twelve.Path());
    EXPECT_EQ(" 12Files", form_->lFolderInfo->Caption());
    EXPECT_EQ(12, lists->lvFile->ItemCount());
    EXPECT_EQ(twelve / "f00.txt", lists->FileEngine()->PathOf(0));
    lists->fvxChange(lists->fvx, empty / "gone");
    EXPECT_EQ(" 0File", form_->lFolderInfo->Caption());
    EXPECT_EQ(0, lists->lvFile->ItemCount());
    EXPECT_EQ(crDefault, Screen.Cursor());
}

TEST_F(FileLists, SelectingPreviewsAndCtrlArrowsStepThroughTheList) {
    StartLists();
    TempFolder folder;
    MakeFiles(folder, 3);
    lists->fvxChange(lists->fvx, folder.Path());
    EXPECT_EQ("", lists->SelectedPath(0));
    lists->SelectNext(0, false); // nothing selected: the first item, either way
    EXPECT_EQ(0, lists->lvFile->Selected());
    EXPECT_EQ(folder / "f00.txt", form_->CurrentFilePath);
    lists->SelectNext(0, false); // at the top: nothing moves
    EXPECT_EQ(0, lists->lvFile->Selected());
    lists->SelectNext(0, true);
    lists->SelectNext(0, true);
    EXPECT_EQ(2, lists->lvFile->Selected());
    EXPECT_EQ(2, lists->LastIndex(0));
    EXPECT_EQ(folder / "f02.txt", form_->CurrentFilePath);
    lists->SelectNext(0, true); // at the bottom
    EXPECT_EQ(2, lists->lvFile->Selected());
    EXPECT_EQ(folder / "f02.txt", lists->SelectedPath(0));
    // A new folder clears the selection without previewing anything.
    lists->fvxChange(lists->fvx, folder.Path());
    EXPECT_EQ(-1, lists->lvFile->Selected());
    EXPECT_EQ(folder / "f02.txt", form_->CurrentFilePath);
    // The empty search list does not move either.
    lists->SelectNext(1, true);
    EXPECT_EQ(-1, lists->lvCorrect->Selected());
}

TEST_F(FileLists, ColumnClicksSortAscendingThenDescending) {
    StartLists();
    TempFolder folder;
    MakeFiles(folder, 3);
    lists->fvxChange(lists->fvx, folder.Path());
    lists->lvFileColumnClick(lists->lvFile, 1);
    EXPECT_EQ(folder / "f00.txt", lists->FileEngine()->PathOf(0));
    lists->lvFileColumnClick(lists->lvFile, 1);
    EXPECT_EQ(folder / "f02.txt", lists->FileEngine()->PathOf(0));
}

TEST_F(FileLists, LargeIconsDisableTheColumnButtons) {
    StartLists();
    Button("sbShowLargeIconCor")->Click();
    EXPECT_EQ(vsIcon, lists->lvCorrect->ViewStyle());
    EXPECT_TRUE(Button("sbShowLargeIconCor")->Down());
    EXPECT_FALSE(Button("sbShowReportCor")->Down());
    EXPECT_TRUE(Item("mmShowLargeIconCor")->Checked());
    for (const char* name :
         {"EraseSizeCor", "EraseTypeCor", "EraseDateCor", "EraseFolderCor", "GridCor"}) {
        EXPECT_FALSE(Button(std::string("sbShow") + name)->Enabled()) << name;
        EXPECT_FALSE(Item((std::string("mmShow") + name).c_str())->Enabled()) << name;
    }
    // The file list is untouched.
    EXPECT_TRUE(Button("sbShowEraseSizeSEL")->Enabled());
    Item("mmShowReportCor")->Click();
    EXPECT_EQ(vsReport, lists->lvCorrect->ViewStyle());
    EXPECT_TRUE(Button("sbShowEraseSizeCor")->Enabled());
    EXPECT_TRUE(Button("sbShowEraseSizeCor")->Down());
    EXPECT_FALSE(Button("sbShowGridCor")->Down());
    Item("mmShowListSEL")->Click();
    EXPECT_EQ(vsList, lists->lvFile->ViewStyle());
    Item("mmShowSmallIconSEL")->Click();
    EXPECT_EQ(vsSmallIcon, lists->lvFile->ViewStyle());
    EXPECT_TRUE(Item("mmShowSmallIconSEL")->Checked());
    EXPECT_FALSE(Item("mmShowListSEL")->Checked());
}

TEST_F(FileLists, ColumnOfWidthThreeCountsAsHidden) {
    StartLists();
    lists->lvFile->SetColumnWidth(3, 3); // as if dragged by the user
    lists->SyncViewControls();
    EXPECT_FALSE(Button("sbShowEraseDateSEL")->Down());
    EXPECT_FALSE(Item("mmShowEraseDateSEL")->Checked());
    Button("sbShowEraseDateSEL")->Click();
    EXPECT_EQ(0, lists->lvFile->ColumnWidth(3)); // 3 is not below 1
    EXPECT_FALSE(Button("sbShowEraseDateSEL")->Down());
    Item("mmShowEraseDateSEL")->Click();
    EXPECT_EQ(100, lists->lvFile->ColumnWidth(3));
    EXPECT_TRUE(Button("sbShowEraseDateSEL")->Down());
    // The folder column of the search list.
    Button("sbShowEraseFolderCor")->Click();
    EXPECT_EQ(0, lists->lvCorrect->ColumnWidth(4));
    EXPECT_EQ(50, lists->lvCorrect->ColumnWidth(1));
}

TEST_F(FileLists, GridLinesFollowButtonAndMenu) {
    StartLists();
    Item("mmShowGridSEL")->Click();
    EXPECT_FALSE(lists->lvFile->GridLines());
    EXPECT_FALSE(Button("sbShowGridSEL")->Down());
    Button("sbShowGridCor")->Click();
    EXPECT_TRUE(lists->lvCorrect->GridLines());
    EXPECT_TRUE(Item("mmShowGridCor")->Checked());
}

TEST_F(FileLists, CommandsWithoutListOrColumnDoNothing) {
    StartLists();
    // Columns the list does not have.
    lists->RunViewCommand(vlFile, {TViewCommand::vcColumn, vsReport, 5});
    lists->RunViewCommand(vlFile, {TViewCommand::vcColumn, vsReport, -1});
    for (int i = 0; i < 5; ++i)
        EXPECT_NE(0, lists->lvFile->ColumnWidth(i));
    // The commands of one list leave the others alone.
    lists->RunViewCommand(vlArchive, {TViewCommand::vcGrid});
    lists->RunViewCommand(vlCorrect, {TViewCommand::vcStyle, vsIcon});
    EXPECT_TRUE(lists->lvFile->GridLines());
    EXPECT_EQ(vsReport, lists->lvFile->ViewStyle());
    EXPECT_TRUE(Button("sbShowReportSEL")->Down());
    EXPECT_TRUE(Button("sbShowLargeIconCor")->Down());
    // After the close the archive list's commands still reach its list.
    auto* lvArchive = dynamic_cast<TListView*>(form_->FindComponent("lvArchive"));
    Item("mmShowReportARC")->Click();
    const bool grid = lvArchive->GridLines();
    TCloseAction action = caFree;
    form_->FormClose(form_, action);
    EXPECT_EQ(nullptr, form_->ArchivePane);
    Item("mmShowGridARC")->Click();
    EXPECT_NE(grid, lvArchive->GridLines());
}

TEST_F(FileLists, ArchiveListSizeToggleLeavesCompressedSize) {
    StartLists();
    auto* lvArchive = dynamic_cast<TListView*>(form_->FindComponent("lvArchive"));
    ASSERT_NE(nullptr, lvArchive);
    EXPECT_EQ(3u, Item("mmShowStyle")->Items().size());
    EXPECT_EQ("アーカイブセレクタ(&A)", Item("mmShowStyleArchive")->Caption());
    Item("mmShowReportARC")->Click();
    const int compressed = lvArchive->ColumnWidth(3);
    ASSERT_GT(compressed, 5);
    Item("mmShowEraseSizeARC")->Click();
    EXPECT_EQ(0, lvArchive->ColumnWidth(1));
    EXPECT_EQ(compressed, lvArchive->ColumnWidth(3));
    EXPECT_FALSE(Item("mmShowEraseSizeARC")->Checked());
    EXPECT_TRUE(Item("mmShowEraseCompSizeARC")->Checked());
    Item("mmShowEraseCompRateARC")->Click();
    EXPECT_EQ(0, lvArchive->ColumnWidth(4));
}

TEST_F(FileLists, ToolbarDoubleClickTogglesTheColumnButtons) {
    StartLists();
    const char* names[] = {"sbShowEraseSizeSEL", "sbShowEraseTypeSEL", "sbShowEraseDateSEL",
                           "sbShowEraseAttrSEL", "sbShowGridSEL"};
    lists->pnTbFileSelDblClick(form_->pnTbFileSel);
    for (const char* n : names)
        EXPECT_FALSE(Button(n)->Visible()) << n;
    EXPECT_TRUE(Button("sbShowReportSEL")->Visible());
    lists->pnTbFileSelDblClick(form_->pnTbFileSel);
    for (const char* n : names)
        EXPECT_TRUE(Button(n)->Visible()) << n;
}

TEST_F(FileLists, SearchResultsShowTheFolderColumn) {
    StartLists();
    TempFolder folder;
    MakeFiles(folder, 2);
    TLabel searching(nullptr, form_), hits(nullptr, form_);
    TFileTransactEx* engine = lists->CorrectEngine();
    engine->lSearching = &searching;
    engine->lHitCount = &hits;
    engine->SetFolder(folder.Path());
    engine->SetMask("*.txt");
    engine->Search();
    ASSERT_EQ(2, lists->lvCorrect->ItemCount());
    TListItemData row;
    row.Index = 1;
    lists->lvCorrectData(lists->lvCorrect, row);
    EXPECT_EQ(folder.Path(), row.SubItems.at(3));
    lists->lvCorrect->SetSelected(1);
    EXPECT_EQ(row.Caption, ExtractFileName(form_->CurrentFilePath));
    EXPECT_EQ(1, lists->LastIndex(1));
}

TEST_F(FileLists, RefreshButtonShowsNewFoldersAndFiles) {
    StartLists();
    TempFolder folder;
    MakeFiles(folder, 1);
    lists->fvx->RefreshDelayMs = 0;
    ASSERT_TRUE(lists->fvx->SelectPath(folder.Path()));
    EXPECT_EQ(1, lists->lvFile->ItemCount());
    CreateDirectoryA((folder / "later").c_str(), nullptr);
    MakeFiles(folder, 3);
    form_->sbFolderUpDate->Click();
    EXPECT_NE(nullptr, lists->fvx->FindPath(folder / "later", false));
    EXPECT_TRUE(SjisSameText(folder.Path(), lists->fvx->SelectedFolder()));
    EXPECT_EQ(3, lists->lvFile->ItemCount());
    EXPECT_EQ(" 3Files", form_->lFolderInfo->Caption());
}
