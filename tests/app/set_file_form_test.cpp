// The search and folder-shortcut window bound to a main window, driven
// through its handlers: the search input, real searches over generated
// folders (with cancel and a folder that vanishes), the shortcut list.
#include <algorithm>

#include "app/file_lists.h"
#include "app/set_file_form.h"
#include "base/sjis.h"
#include "foldertree/shell_folder_tree.h"
#include "main_window_fixture.h"
#include "search/file_transact_ex.h"

namespace {
void RemoveFolder(const std::string& dir) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveFolder(dir + "\\" + name);
            } else {
                DeleteFileA((dir + "\\" + name).c_str());
            }
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}

// A window that removes folders when it gets WM_APP: a folder vanishing
// while the search processes messages between folders.
std::vector<std::string> g_doomed;
LRESULT CALLBACK RemoverProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_APP) return DefWindowProcA(h, msg, wp, lp);
    for (const std::string& dir : g_doomed) RemoveFolder(dir);
    return 0;
}
}  // namespace

class SetFileWindow : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        Start();
        setFile_ = new TfoSetFile(app_);
        form_->BindSearchWindow(setFile_);
    }
    void TearDown() override {
        delete setFile_;
        form_->SetFileForm = nullptr;
        EXPECT_FALSE(form_->FolderShortcuts);
        MainWindow::TearDown();
    }
    TCheckBox* Ext(int n) { return setFile_->ExtensionCheckBox(n); }
    TListView* Results() { return form_->FileLists->lvCorrect; }
    // The folder searched: beside the program's work folder, not around it.
    std::string Tree() { return dir_ / "tree"; }
    // Root with two text files, sub-folders s1..s4 with three each.
    std::vector<std::string> MakeTextTree() {
        CreateDirectoryA(Tree().c_str(), nullptr);
        TempFolder::WriteFile(Tree() + "\\r1.txt", "1");
        TempFolder::WriteFile(Tree() + "\\r2.txt", "2");
        std::vector<std::string> subs;
        for (const char* s : {"s1", "s2", "s3", "s4"}) {
            subs.push_back(Tree() + "\\" + s);
            CreateDirectoryA(subs.back().c_str(), nullptr);
            for (const char* f : {"a.txt", "b.txt", "c.txt"}) TempFolder::WriteFile(subs.back() + "\\" + f, "x");
        }
        return subs;
    }
    void SearchWildcard(const std::string& wildcard) {
        setFile_->rbSetWild->SetChecked(true);
        setFile_->rbSetExtClick(setFile_->rbSetWild);
        setFile_->cmbSetWild->SetText(wildcard);
        ASSERT_TRUE(setFile_->fvxSearch->SelectPath(Tree()));
        setFile_->bbSearchClick(setFile_->bbSearch);
    }
    TfoSetFile* setFile_ = nullptr;
};

TEST_F(SetFileWindow, ExtensionBoxesSitInTheirGroupsWithTheHiddenOnes) {
    struct {
        int number;
        const char* caption;
        const char* group;
    } boxes[] = {{1, "JPG", "画像ファイル"}, {14, "PNG", "画像ファイル"}, {23, "MOV", "ムービー"},
                 {32, "MID", "サウンド・ミュージック"}, {44, "DOC", "プログラム・ヘルプ・テキスト"},
                 {54, "TAR", "圧縮アーカイブ"}, {55, "7Z", "圧縮アーカイブ"}};
    for (const auto& b : boxes) {
        ASSERT_TRUE(Ext(b.number)) << b.number;
        EXPECT_EQ(b.caption, Ext(b.number)->Caption());
        EXPECT_EQ(b.group, Ext(b.number)->Parent()->Caption()) << b.number;
        EXPECT_TRUE(Ext(b.number)->Visible());
        EXPECT_FALSE(Ext(b.number)->Checked());
    }
    EXPECT_EQ(nullptr, Ext(15));
    EXPECT_FALSE(Ext(4)->Visible());
    EXPECT_FALSE(Ext(33)->Visible());
    EXPECT_FALSE(Ext(33)->Enabled());
    auto* clear5 = dynamic_cast<TSpeedButton*>(setFile_->FindComponent("cbChkNot5"));
    ASSERT_TRUE(clear5);
    EXPECT_EQ("全てのチェックを外します", clear5->Hint);
    EXPECT_EQ("全てをチェックします", setFile_->sbChkAll[2]->Hint);
    EXPECT_TRUE(setFile_->rbSetExt->Checked());
    EXPECT_TRUE(setFile_->chbSearchDirChild->Checked());
    EXPECT_TRUE(setFile_->chbAutoClose->Checked());
    EXPECT_FALSE(setFile_->bbFault->Enabled());
    EXPECT_FALSE(setFile_->cmbSetWild->Enabled());
    // The main window finds these by name.
    for (const char* name : {"chbAutoClose", "fvxSearch", "lvFolderList"}) EXPECT_TRUE(setFile_->FindComponent(name));
}

TEST_F(SetFileWindow, ExtensionListGoesByNumberThenUserWords) {
    Ext(3)->SetChecked(true);  // BMP before JPG: the order is the numbers'
    Ext(1)->SetChecked(true);
    setFile_->chbFileUser->SetChecked(true);
    setFile_->cmbFileUser->SetText("XLS DOC");
    EXPECT_EQ(".JPG .BMP .XLS .DOC ", setFile_->ExtensionList());
    setFile_->cmbFileUser->SetText("XLS  DOC");
    EXPECT_EQ(".JPG .BMP .XLS . .DOC ", setFile_->ExtensionList());
    setFile_->chbFileUser->SetChecked(false);
    EXPECT_EQ(".JPG .BMP ", setFile_->ExtensionList());
}

TEST_F(SetFileWindow, CheckAllAndClearAllStayInTheirGroupAndSkipMp3) {
    setFile_->sbChkAll[2]->Click();
    EXPECT_TRUE(Ext(31)->Checked());
    EXPECT_TRUE(Ext(32)->Checked());
    EXPECT_FALSE(Ext(33)->Checked());
    EXPECT_FALSE(Ext(33)->Visible());
    EXPECT_FALSE(Ext(21)->Checked());
    setFile_->sbChkAll[4]->Click();
    setFile_->sbChkNot[4]->Click();
    for (int n : {51, 52, 53, 54, 55}) EXPECT_FALSE(Ext(n)->Checked()) << n;
    EXPECT_TRUE(Ext(31)->Checked());
    EXPECT_EQ(".WAV .MID ", setFile_->ExtensionList());
}

TEST_F(SetFileWindow, ModeSwitchEnablesOneSide) {
    setFile_->rbSetWild->SetChecked(true);
    EXPECT_FALSE(setFile_->rbSetExt->Checked());
    setFile_->rbSetExtClick(setFile_->rbSetWild);
    EXPECT_FALSE(Ext(1)->Enabled());
    EXPECT_FALSE(Ext(4)->Enabled());
    EXPECT_FALSE(setFile_->chbFileUser->Enabled());
    EXPECT_FALSE(setFile_->cmbFileUser->Enabled());
    EXPECT_TRUE(setFile_->cmbSetWild->Enabled());

    setFile_->chbFileUser->SetChecked(true);
    setFile_->rbSetExt->SetChecked(true);
    setFile_->rbSetExtClick(setFile_->rbSetExt);
    EXPECT_TRUE(Ext(1)->Enabled());
    EXPECT_FALSE(Ext(33)->Enabled());
    EXPECT_TRUE(setFile_->cmbFileUser->Enabled());
    EXPECT_FALSE(setFile_->cmbSetWild->Enabled());
    setFile_->chbFileUser->SetChecked(false);
    setFile_->chbFileUserClick(setFile_->chbFileUser);
    EXPECT_FALSE(setFile_->cmbFileUser->Enabled());
}

TEST_F(SetFileWindow, RefusedInputSaysWhatIsMissingAndFocusesIt) {
    setFile_->PrepareSearchPage(setFile_->Font);
    setFile_->Show();
    auto focusIn = [](TWinControl* c) { return GetFocus() == c->Handle() || IsChild(c->Handle(), GetFocus()); };
    setFile_->chbFileUser->SetChecked(true);
    setFile_->chbFileUserClick(setFile_->chbFileUser);
    setFile_->cmbFileUser->SetText("  ");
    setFile_->bbSearchClick(setFile_->bbSearch);
    setFile_->chbFileUser->SetChecked(false);
    setFile_->chbFileUserClick(setFile_->chbFileUser);
    setFile_->bbSearchClick(setFile_->bbSearch);
    ASSERT_EQ(2u, boxes_.size());
    EXPECT_EQ("拡張子の[ユーザ指定]がチェックされていますが\r拡張子が指定されていません\r\r"
              "拡張子を指定するか、もしくは[ユーザ指定]の\rチェックを外してください",
              boxes_[0].text);
    EXPECT_EQ("お好みの拡張子のチェックボックスをチェックしてください", boxes_[1].text);
    EXPECT_TRUE(focusIn(Ext(1)));

    // Wildcard mode: the greyed user box (checked and empty) is no reason to refuse.
    setFile_->chbFileUser->SetChecked(true);
    setFile_->rbSetWild->SetChecked(true);
    setFile_->rbSetExtClick(setFile_->rbSetWild);
    setFile_->bbSearchClick(setFile_->bbSearch);
    setFile_->cmbSetWild->SetText(" *.txt ");
    setFile_->bbSearchClick(setFile_->bbSearch);  // no folder chosen yet
    ASSERT_EQ(4u, boxes_.size());
    EXPECT_EQ("ワイルドカードを指定してください", boxes_[2].text);
    EXPECT_EQ("探したい場所(フォルダ)を指定してください", boxes_[3].text);
    EXPECT_TRUE(focusIn(setFile_->fvxSearch));
    for (const Box& b : boxes_) {
        EXPECT_EQ(UINT(MB_ICONASTERISK), b.beep);
        EXPECT_EQ(UINT(MB_OK | MB_ICONINFORMATION), b.flags);
    }
    EXPECT_EQ(0, Results()->ItemCount());
    EXPECT_TRUE(setFile_->WildcardHistory().empty());  // nothing searched, nothing kept
}

TEST_F(SetFileWindow, SearchByExtensionsFillsTheResultList) {
    for (const char* sub : {"", "\\sub", "\\sub\\deep"}) CreateDirectoryA((Tree() + sub).c_str(), nullptr);
    for (const char* f : {"a.jpg", "b.JPG", "c.bmp", "d.xls", "e.doc", "f.txt", "g.jpeg", "noext", "h.pic",
                          "sub\\h.jpg", "sub\\i.DOC", "sub\\j.gif", "sub\\deep\\k.xls"}) {
        TempFolder::WriteFile(Tree() + "\\" + f, "x");
    }
    Ext(1)->SetChecked(true);
    Ext(3)->SetChecked(true);
    setFile_->chbFileUser->SetChecked(true);
    setFile_->cmbFileUser->SetText("XLS DOC");
    ASSERT_TRUE(setFile_->fvxSearch->SelectPath(Tree()));
    setFile_->bbSearchClick(setFile_->bbSearch);

    EXPECT_EQ(8, Results()->ItemCount());
    EXPECT_EQ("8個のファイル", form_->sbCorrect->PanelText(0));
    EXPECT_EQ("8個ヒット", setFile_->lProgress->Caption());
    EXPECT_EQ("", setFile_->lSearchFolder->Caption());
    EXPECT_EQ("作業状況", setFile_->lHitCaption->Caption());
    EXPECT_TRUE(setFile_->bbSearch->Enabled());
    EXPECT_FALSE(setFile_->bbFault->Enabled());
    EXPECT_FALSE(setFile_->anm->Active());
    EXPECT_EQ(std::vector<std::string>{"XLS DOC"}, setFile_->UserExtensionHistory());

    setFile_->chbSearchDirChild->SetChecked(false);
    setFile_->bbSearchClick(setFile_->bbSearch);
    EXPECT_EQ(5, Results()->ItemCount());
    EXPECT_EQ(std::vector<std::string>{"XLS DOC"}, setFile_->UserExtensionHistory());
}

TEST_F(SetFileWindow, WildcardHistoryTakesEachPatternOnceAndGoesBackOnClose) {
    form_->RecentWildcards = {"*.old"};
    setFile_->TakeHistories(form_->RecentWildcards, {});
    EXPECT_EQ("*.old", setFile_->cmbSetWild->Text());
    MakeTextTree();
    SearchWildcard("*.txt");
    EXPECT_EQ(14, Results()->ItemCount());
    SearchWildcard("*.txt");
    SearchWildcard(" *.TXT ");
    SearchWildcard("*.zzz");
    EXPECT_EQ(0, Results()->ItemCount());
    EXPECT_EQ("見つかりませんでした", setFile_->lProgress->Caption());
    EXPECT_EQ("ご希望のファイルは見つかりませんでした", form_->sbCorrect->PanelText(0));
    EXPECT_EQ((std::vector<std::string>{"*.zzz", "*.txt", "*.old"}), setFile_->WildcardHistory());

    TCloseAction action = caHide;
    setFile_->FormClose(setFile_, action);
    EXPECT_EQ((std::vector<std::string>{"*.zzz", "*.txt", "*.old"}), form_->RecentWildcards);
}

TEST_F(SetFileWindow, CancelBetweenFoldersKeepsTheResultsSoFar) {
    MakeTextTree();
    // The click waits in the queue until the search lets messages run,
    // after the root and its first sub-folder.
    PostMessageA(setFile_->pnFileSearch->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                 reinterpret_cast<LPARAM>(setFile_->bbFault->Handle()));
    SearchWildcard("*.txt");
    EXPECT_TRUE(setFile_->SearchEngine()->Cancelled);
    EXPECT_EQ(5, Results()->ItemCount());
    EXPECT_EQ("5個のファイル", form_->sbCorrect->PanelText(0));
    EXPECT_EQ("作業を中止しました", setFile_->lSearchFolder->Caption());
    EXPECT_TRUE(setFile_->bbSearch->Enabled());
    EXPECT_TRUE(setFile_->bbClose->Enabled());
    EXPECT_FALSE(setFile_->bbFault->Enabled());
    EXPECT_FALSE(setFile_->Searching());
}

TEST_F(SetFileWindow, FolderRemovedWhileSearchingIsPassedOver) {
    g_doomed = MakeTextTree();
    WNDCLASSA wc{};
    wc.lpfnWndProc = RemoverProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QmTestFolderRemover";
    RegisterClassA(&wc);
    HWND remover = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    PostMessageA(remover, WM_APP, 0, 0);
    SearchWildcard("*.txt");
    DestroyWindow(remover);
    EXPECT_FALSE(TempFolder::Exists(g_doomed.back()));
    EXPECT_FALSE(setFile_->SearchEngine()->Cancelled);
    EXPECT_EQ(5, Results()->ItemCount());  // the root and the one folder searched before
    EXPECT_EQ("", setFile_->lSearchFolder->Caption());
    for (int i = 0; i < Results()->ItemCount(); ++i) {
        EXPECT_FALSE(setFile_->SearchEngine()->RowData(i, true).Caption.empty());
    }
}

TEST_F(SetFileWindow, ShortcutAddJumpAndTheFolderThatIsGone) {
    const std::string fav = dir_ / "Fav";
    CreateDirectoryA(fav.c_str(), nullptr);
    setFile_->PrepareShortcutPage(fav, false, true);
    EXPECT_EQ("フォルダ ショートカットユーティリティ", setFile_->Caption());
    EXPECT_EQ(0, setFile_->ActivePageIndex());
    EXPECT_TRUE(setFile_->lvFolderList->GridLines());
    setFile_->FormActivate(setFile_);
    EXPECT_TRUE(setFile_->sbRecFolder->Enabled());
    setFile_->sbRecFolderClick(setFile_->sbRecFolder);
    EXPECT_EQ(std::vector<std::string>{fav}, setFile_->ShortcutFolders());
    EXPECT_FALSE(setFile_->sbRecFolder->Enabled());  // no second copy with the window left open
    setFile_->PrepareShortcutPage(SjisUpperCase(fav), false, false);
    setFile_->FormActivate(setFile_);
    EXPECT_FALSE(setFile_->sbRecFolder->Enabled());

    setFile_->lvFolderList->SetSelected(0);
    setFile_->lvFolderListDblClick(setFile_->lvFolderList);
    EXPECT_TRUE(SjisSameText(fav, form_->FileLists->fvx->SelectedFolder())) << form_->FileLists->fvx->SelectedFolder();
    EXPECT_TRUE(boxes_.empty());

    RemoveDirectoryA(fav.c_str());
    answer_ = IDNO;
    setFile_->lvFolderListDblClick(setFile_->lvFolderList);
    ASSERT_EQ(1u, boxes_.size());
    EXPECT_EQ("ﾌｫﾙﾀﾞ " + fav + "が\r見つかりません\r\rこのﾌｫﾙﾀﾞを削除しますか？", boxes_[0].text);
    EXPECT_EQ(UINT(MB_ICONEXCLAMATION), boxes_[0].beep);
    EXPECT_EQ(UINT(MB_YESNO | MB_ICONWARNING), boxes_[0].flags);
    EXPECT_EQ(1u, setFile_->ShortcutFolders().size());
    answer_ = IDYES;
    setFile_->lvFolderListDblClick(setFile_->lvFolderList);
    EXPECT_TRUE(setFile_->ShortcutFolders().empty());
}

TEST_F(SetFileWindow, AutoCloseAfterAddingOrJumping) {
    setFile_->PrepareShortcutPage(dir_.Path(), true, false);
    setFile_->Show();
    setFile_->FormActivate(setFile_);
    setFile_->sbRecFolderClick(setFile_->sbRecFolder);
    EXPECT_FALSE(setFile_->Visible());
    setFile_->Show();
    setFile_->lvFolderList->SetSelected(0);
    setFile_->lvFolderListDblClick(setFile_->lvFolderList);
    EXPECT_FALSE(setFile_->Visible());
}

TEST_F(SetFileWindow, DragReordersAndRemovalAsksFirst) {
    setFile_->SetShortcutFolders({"C:\\A", "C:\\B", "C:\\C"});
    TDragListView* list = setFile_->lvFolderList;
    bool accept = true;
    setFile_->lvFolderListDragOver(list, form_->FileLists->lvFile, 0, 0, accept);
    EXPECT_FALSE(accept);  // only from the list itself
    setFile_->lvFolderListDragOver(list, list, 0, 0, accept);
    EXPECT_TRUE(accept);
    list->SetSelected(2);
    const RECT first = list->ItemRect(0);
    setFile_->lvFolderListDragDrop(list, list, first.left + 5, (first.top + first.bottom) / 2);
    EXPECT_EQ((std::vector<std::string>{"C:\\C", "C:\\A", "C:\\B"}), setFile_->ShortcutFolders());
    EXPECT_EQ(0, list->Selected());

    setFile_->pmFolderListPopup(setFile_->pmFolderList);
    EXPECT_TRUE(setFile_->pmDeleteSel->Enabled());
    answer_ = IDCANCEL;
    setFile_->pmDeleteSelClick(setFile_->pmDeleteSel);
    ASSERT_EQ(1u, boxes_.size());
    EXPECT_EQ(UINT(MB_ICONQUESTION), boxes_[0].beep);
    EXPECT_EQ(UINT(MB_YESCANCEL | MB_ICONQUESTION), boxes_[0].flags);
    EXPECT_EQ("C:\\Cを\rショートカットリストから削除します\r\rよろいしですか？", boxes_[0].text);
    EXPECT_EQ(3u, setFile_->ShortcutFolders().size());
    answer_ = IDYES;
    setFile_->pmDeleteSelClick(setFile_->pmDeleteSel);
    EXPECT_EQ((std::vector<std::string>{"C:\\A", "C:\\B"}), setFile_->ShortcutFolders());
    EXPECT_FALSE(setFile_->sbDelSelected->Enabled());
    setFile_->pmFolderListPopup(setFile_->pmFolderList);
    EXPECT_FALSE(setFile_->pmDeleteSel->Enabled());

    list->SetSelected(1);
    EXPECT_TRUE(setFile_->sbDelSelected->Enabled());
    setFile_->sbDelSelectedClick(setFile_->sbDelSelected);
    EXPECT_EQ("選択されているフォルダを、ショートカット\rアクセスのリストから削除します\r\r本当によろしいですか？",
              boxes_.back().text);
    EXPECT_EQ(std::vector<std::string>{"C:\\A"}, setFile_->ShortcutFolders());
    EXPECT_EQ(UINT(MB_ICONEXCLAMATION), boxes_.back().beep);
    EXPECT_EQ(UINT(MB_YESCANCEL | MB_ICONWARNING), boxes_.back().flags);
}

TEST_F(SetFileWindow, TwentyShortcutsComeBackAndAnEmptyListLeavesNoSection) {
    const std::string ini = form_->EnvironmentPath();
    for (int i = 1; i <= 25; ++i) {
        WritePrivateProfileStringA("ShortCutFolder", std::to_string(i).c_str(), ("C:\\F" + std::to_string(i)).c_str(),
                                   ini.c_str());
    }
    setFile_->LoadShortcuts(ini);
    ASSERT_EQ(20u, setFile_->ShortcutFolders().size());
    EXPECT_EQ("C:\\F20", setFile_->ShortcutFolders().back());
    EXPECT_EQ(20, setFile_->lvFolderList->ItemCount());

    auto read = [&](const char* key) {
        char value[64] = {};
        GetPrivateProfileStringA("ShortCutFolder", key, "", value, sizeof value, ini.c_str());
        return std::string(value);
    };
    form_->SaveEnvironment(ini);
    EXPECT_EQ("C:\\F20", read("20"));
    EXPECT_EQ("", read("21"));
    setFile_->SetShortcutFolders({});
    form_->SaveEnvironment(ini);
    char sections[4096] = {};
    const DWORD n = GetPrivateProfileSectionNamesA(sections, sizeof sections, ini.c_str());
    for (const char* s = sections; s < sections + n && *s; s += strlen(s) + 1) EXPECT_STRNE("ShortCutFolder", s);
}
