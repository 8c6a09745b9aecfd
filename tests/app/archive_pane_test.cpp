// The archive pane in the main window, against the stand-in archiver
// libraries and archives made by Python's zipfile at build time.
#include <algorithm>
#include <cstdlib>

#include "app/archive_pane.h"
#include "app/file_lists.h"
#include "app/text_preview.h"
#include "archive/archiver_library.h"
#include "base/strutil.h"
#include "main_window_fixture.h"

namespace {

using V = std::vector<std::string>;

// A Linux path from the environment as Wine shows it.
std::string WinePath(const char* env) {
    const char* v = std::getenv(env);
    std::string p = std::string("Z:") + (v ? v : "");
    for (char& c : p)
        if (c == '/') c = '\\';
    return p;
}

std::string ReadAll(const std::string& path) {
    std::string data;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) return data;
    char buf[4096];
    DWORD got = 0;
    while (::ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0)
        data.append(buf, got);
    CloseHandle(h);
    return data;
}

void Pump(DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

class ArchivePane : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        ArchiveApi::SetLibraryFolder(WinePath("QM_BIN_DIR"));
        samples_ = WinePath("QM_BIN_DIR") + "\\..\\tests\\archive_samples\\";
        Start();
        pane = form_->ArchivePane.get();
    }
    // A copy of a sample in the test's own folder.
    std::string Sample(const std::string& name, const std::string& as = "") {
        const std::string to = dir_ / (as.empty() ? name : as);
        EXPECT_TRUE(CopyFileA((samples_ + name).c_str(), to.c_str(), FALSE)) << samples_ + name;
        return to;
    }
    V Outline() {
        V v;
        TTreeView* tv = pane->tvArchive;
        for (TTreeNode n = tv->FirstNode(); n; n = tv->NextNode(n)) {
            int level = 0;
            for (TTreeNode p = tv->ParentNode(n); p; p = tv->ParentNode(p))
                ++level;
            v.push_back(std::string(2 * level, ' ') + tv->Text(n));
        }
        return v;
    }
    TTreeNode Node(const std::string& text) {
        TTreeView* tv = pane->tvArchive;
        for (TTreeNode n = tv->FirstNode(); n; n = tv->NextNode(n))
            if (tv->Text(n) == text) return n;
        return nullptr;
    }
    V Rows() {
        V v;
        for (const TArchiveRow& r : pane->Operation()->Rows())
            v.push_back(r.Caption);
        return v;
    }
    int RowOf(const std::string& caption) {
        const auto& rows = pane->Operation()->Rows();
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].Caption == caption) return static_cast<int>(i);
        return -1;
    }
    std::string Work(const std::string& name) { return form_->WorkFolder + "\\" + name; }

    TArchivePane* pane = nullptr;
    std::string samples_;
};

TEST_F(ArchivePane, ControlsColumnsAndButtons) {
    for (const char* name :
         {"tvArchive", "lvArchive", "sbArchiveInfo", "pnArchiveTv", "pnArchiveLV", "sbArchiveExprs",
          "sbShowLargeIconARC", "sbShowReportARC", "sbShowGridARC", "sbShowEraseCompSizeARC",
          "sbShowEraseCompRateARC", "sbShowEraseFolderARC"}) {
        EXPECT_NE(nullptr, form_->FindComponent(name)) << name;
    }
    TListView* lv = pane->lvArchive;
    ASSERT_EQ(7, lv->ColumnCount());
    const V captions{"名前",   "サイズ",   "ファイルの種類", "圧縮サイズ",
                     "圧縮率", "更新日時", "フォルダ"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(captions[i], lv->ColumnCaption(i));
        EXPECT_EQ(100, lv->ColumnWidth(i));  // a first start's width from the environment file
    }
    EXPECT_EQ("ファイル数", pane->sbArchiveInfo->PanelText(0));
    EXPECT_EQ(162, pane->pnArchiveTv->Width());
    EXPECT_EQ("選択ファイルを表示[ALT-RETURN]", pane->sbArchiveExprs->Caption());
    EXPECT_EQ(226, pane->sbArchiveExprs->Width());
    EXPECT_FALSE(pane->sbArchiveExprs->Enabled());
    EXPECT_TRUE(pane->Operation()->ExpandOnOpen);
    EXPECT_EQ(form_->WorkFolder, pane->Operation()->WorkFolder());
}

TEST_F(ArchivePane, ShowsTreeSelectsAllFilesAndPreviewsAMember) {
    const std::string zip = Sample("pane.zip");
    form_->PreviewFile(zip, false);
    form_->CurrentFilePath = zip;
    ASSERT_TRUE(pane->PreviewArchive(zip, false));
    EXPECT_EQ((V{"pane.zip", "  [ALL Files:]", "  docs", "    sub", "    inner.zip", "  top.zip"}),
              Outline());
    EXPECT_EQ(Node("[ALL Files:]"), pane->tvArchive->Selected());
    EXPECT_EQ((V{"readme.txt", "guide.txt", "deep.txt", "inner.zip", "top.zip"}), Rows());
    EXPECT_EQ(" 5", pane->sbArchiveInfo->PanelText(1));

    // Choosing a member: extracted into the work folder and previewed as text.
    pane->lvArchive->SetSelected(RowOf("guide.txt"));
    EXPECT_TRUE(pane->sbArchiveExprs->Enabled());
    pane->ShowSelectedMember();
    EXPECT_EQ(Work("guide.txt"), form_->CurrentFilePath);
    EXPECT_EQ(std::string(1200, ' ').size(), ReadAll(Work("guide.txt")).size());
    EXPECT_EQ(fkText, form_->CurrentFileKind);
    EXPECT_TRUE(form_->pnBaseArchive->Visible());
    // The tree stayed as it was.
    EXPECT_EQ(Node("[ALL Files:]"), pane->tvArchive->Selected());

    // The root lists its own members only.
    pane->tvArchive->Select(Node("pane.zip"));
    EXPECT_EQ((V{"readme.txt", "top.zip"}), Rows());
    EXPECT_EQ(" 2", pane->sbArchiveInfo->PanelText(1));
}

TEST_F(ArchivePane, NestedZipInAFolderOpensWhenSelected) {
    const std::string zip = Sample("pane.zip");
    ASSERT_TRUE(pane->PreviewArchive(zip, false));
    // Not opened by the listing.
    EXPECT_FALSE(TempFolder::Exists(Work("inner.zip")));
    pane->tvArchive->Select(Node("inner.zip"));
    EXPECT_TRUE(TempFolder::Exists(Work("inner.zip")));
    EXPECT_EQ((V{"pane.zip", "  [ALL Files:]", "  docs", "    sub", "    inner.zip",
                 "      [ALL Files:]", "      lib", "  top.zip"}),
              Outline());
    EXPECT_EQ(V{"in.txt"}, Rows());
    EXPECT_EQ(" 1", pane->sbArchiveInfo->PanelText(1));

    pane->lvArchive->SetSelected(0);
    pane->ShowSelectedMember();
    EXPECT_EQ("inner text\r\n", ReadAll(Work("in.txt")));
    EXPECT_EQ(Work("in.txt"), form_->CurrentFilePath);
}

TEST_F(ArchivePane, NestedRowSelectsItsNodeInsteadOfPreviewing) {
    const std::string zip = Sample("pane.zip");
    ASSERT_TRUE(pane->PreviewArchive(zip, false));
    pane->lvArchive->SetSelected(RowOf("top.zip"));
    const std::string before = form_->CurrentFilePath;
    pane->lvArchiveDblClick(pane->lvArchive);
    EXPECT_EQ(before, form_->CurrentFilePath);
    EXPECT_EQ(Node("top.zip"), pane->tvArchive->Selected());
    EXPECT_EQ(V{"a.txt"}, Rows());
    // Nothing selected now: the button is off and Alt+Return does nothing.
    EXPECT_FALSE(pane->sbArchiveExprs->Enabled());
    pane->ShowSelectedMember();
    EXPECT_EQ(before, form_->CurrentFilePath);
}

TEST_F(ArchivePane, SameNamedNestedArchivesShowTheirOwnMembers) {
    ASSERT_TRUE(pane->PreviewArchive(Sample("twins.zip"), false));
    TTreeView* tv = pane->tvArchive;
    std::vector<TTreeNode> inners;
    for (TTreeNode n = tv->FirstNode(); n; n = tv->NextNode(n))
        if (tv->Text(n) == "inner.zip") inners.push_back(n);
    ASSERT_EQ(2u, inners.size());
    // Opened second first: each still lists and previews its own members.
    tv->Select(inners[1]);
    EXPECT_EQ(V{"two.txt"}, Rows());
    tv->Select(inners[0]);
    ASSERT_EQ(V{"one.txt"}, Rows());
    pane->lvArchive->SetSelected(0);
    pane->ShowSelectedMember();
    EXPECT_EQ("first twin\r\n", ReadAll(Work("one.txt")));
    tv->Select(inners[1]);
    ASSERT_EQ(V{"two.txt"}, Rows());
    pane->lvArchive->SetSelected(0);
    pane->ShowSelectedMember();
    EXPECT_EQ("second twin\r\n", ReadAll(Work("two.txt")));
    EXPECT_TRUE(TempFolder::Exists(Work("inner.zip")));
    EXPECT_TRUE(TempFolder::Exists(Work("inner(2).zip")));
    EXPECT_FALSE(TempFolder::Exists(Work("$NESTED$")));
}

TEST_F(ArchivePane, ArjMembersListAndPreview) {
    const std::string arj = Sample("sample.arj");
    form_->PreviewFile(arj, false);
    ASSERT_TRUE(pane->PreviewArchive(arj, false));
    EXPECT_EQ((V{"sample.arj", "  [ALL Files:]", "  docs"}), Outline());
    EXPECT_EQ(Node("[ALL Files:]"), pane->tvArchive->Selected());
    EXPECT_EQ((V{"readme.txt", "guide.txt", "two.txt", "three.txt", "表.txt", "secret.txt"}),
              Rows());
    const TArchiveRow& guide = pane->Operation()->Rows()[static_cast<std::size_t>(RowOf("guide.txt"))];
    EXPECT_EQ((V{"   12190", "     758", "6.2%", "2024/04/01/ 12:34:56", "docs/"}),
              (V{guide.SubItems[0], guide.SubItems[2], guide.SubItems[3], guide.SubItems[4],
                 guide.SubItems[5]}));

    // A member packed with the fast method, previewed as text.
    pane->lvArchive->SetSelected(RowOf("表.txt"));
    pane->ShowSelectedMember();
    EXPECT_EQ(Work("表.txt"), form_->CurrentFilePath);
    EXPECT_EQ(fkText, form_->CurrentFileKind);
    EXPECT_EQ(480u, ReadAll(Work("表.txt")).size());
}

TEST_F(ArchivePane, EncryptedMemberIsNamedInTheStatusBarNotPreviewed) {
    for (const char* name : {"encrypted.zip", "encrypted.7z"}) {
        SCOPED_TRACE(name);
        const std::string archive = Sample(std::string("real\\") + name, name);
        form_->PreviewFile(archive, false);
        form_->CurrentFilePath = archive;
        ASSERT_TRUE(pane->PreviewArchive(archive, false));
        EXPECT_EQ(fkArchive, form_->CurrentFileKind);
        V rows = Rows(); // the two archivers store them in different orders
        std::sort(rows.begin(), rows.end());
        ASSERT_EQ((V{"plain.txt", "secret.txt"}), rows);
        pane->lvArchive->SetSelected(RowOf("secret.txt"));
        pane->ShowSelectedMember();
        EXPECT_EQ("暗号化されているため表示できません: secret.txt", form_->sbMAIN->PanelText(0));
        EXPECT_EQ(archive, form_->CurrentFilePath);
        EXPECT_FALSE(TempFolder::Exists(Work("secret.txt")));
        pane->lvArchive->SetSelected(RowOf("plain.txt"));
        pane->ShowSelectedMember();
        EXPECT_EQ(Work("plain.txt"), form_->CurrentFilePath);
        EXPECT_EQ("anyone may read this\r\n", ReadAll(Work("plain.txt")));
    }
}

TEST_F(ArchivePane, ArchiveWithEncryptedNamesSaysSoInTheStatusBar) {
    const std::string archive = Sample("real\\hidden.7z", "hidden.7z");
    form_->PreviewFile(archive, false);
    EXPECT_EQ(fkArchive, form_->CurrentFileKind);
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ("暗号化されているため表示できません: hidden.7z", form_->sbMAIN->PanelText(0));
}

TEST_F(ArchivePane, TextMembersInOtherEncodingsAreShownInCp932) {
    // A ZIP of iconv's files: each member previews as the CP932 text does.
    const std::string zip = dir_ / "encoded.zip";
    ASSERT_TRUE(CopyFileA((WinePath("QM_BIN_DIR") + "\\..\\tests\\encoded_texts\\encoded.zip").c_str(),
                          zip.c_str(), FALSE));
    form_->PreviewFile(zip, false);
    ASSERT_TRUE(pane->PreviewArchive(zip, false));
    const std::string cp932 = dir_ / "prose.txt";
    TempFolder::WriteFile(cp932, ReadAll(WinePath("QM_BIN_DIR") + "\\..\\tests\\encoded_texts\\prose.cp932"));
    form_->PreviewFile(cp932, true);
    const std::string expected = form_->TextPreview->hedText->Lines().Text();
    ASSERT_GT(form_->TextPreview->hedText->Lines().Count(), 10);
    for (const char* member : {"prose.u8", "prose.euc", "prose.jis"}) {
        pane->lvArchive->SetSelected(RowOf(member));
        pane->ShowSelectedMember();
        EXPECT_EQ(Work(member), form_->CurrentFilePath);
        EXPECT_EQ(expected, form_->TextPreview->hedText->Lines().Text()) << member;
    }
    EXPECT_NE(std::string::npos, form_->lFileInfo->Caption().find("] JIS Full Loaded"));
}

TEST_F(ArchivePane, ColumnClicksSortByTextWithOwnFlags) {
    ASSERT_TRUE(pane->PreviewArchive(Sample("pane.zip"), false));
    pane->lvArchive->SetSelected(RowOf("guide.txt"));
    pane->lvArchiveColumnClick(pane->lvArchive, 0);
    EXPECT_EQ((V{"top.zip", "readme.txt", "inner.zip", "guide.txt", "deep.txt"}), Rows());
    EXPECT_EQ(1, form_->ArchiveSortDirections[0]);
    EXPECT_EQ(RowOf("guide.txt"), pane->lvArchive->Selected());
    pane->lvArchiveColumnClick(pane->lvArchive, 0);
    EXPECT_EQ((V{"deep.txt", "guide.txt", "inner.zip", "readme.txt", "top.zip"}), Rows());
    EXPECT_EQ(0, form_->ArchiveSortDirections[0]);
    // Another column has its own flag: its first click is descending too.
    pane->lvArchiveColumnClick(pane->lvArchive, 1);
    EXPECT_EQ("guide.txt", Rows()[0]);
    EXPECT_EQ(1, form_->ArchiveSortDirections[1]);
}

TEST_F(ArchivePane, AltArrowsStepThroughTheMembers) {
    ASSERT_TRUE(pane->PreviewArchive(Sample("pane.zip"), false));
    pane->SelectNext(true);
    EXPECT_EQ(0, pane->lvArchive->Selected());
    pane->SelectNext(false);
    EXPECT_EQ(0, pane->lvArchive->Selected());
    for (int i = 0; i < 10; ++i)
        pane->SelectNext(true);
    EXPECT_EQ(4, pane->lvArchive->Selected());
}

TEST_F(ArchivePane, ManyMembersExtractThroughTheResponseFile) {
    ASSERT_TRUE(pane->PreviewArchive(Sample("many.zip"), false));
    EXPECT_EQ(" 241", pane->sbArchiveInfo->PanelText(1));
    V names;
    for (int i = 0; i < 241; ++i)
        names.push_back(Format("m%03d.txt", i));
    const V first240(names.begin(), names.end() - 1);
    EXPECT_EQ(0, pane->ac->ExtractFiles(form_->WorkFolder, first240));
    EXPECT_TRUE(TempFolder::Exists(Work("m239.txt")));
    EXPECT_FALSE(TempFolder::Exists(Work("m240.txt")));
    EXPECT_EQ(0, pane->ac->ExtractFiles(form_->WorkFolder, names));
    EXPECT_EQ("240", ReadAll(Work("m240.txt")));
}

TEST_F(ArchivePane, WatcherRelistsAfterTheArchiveChanges) {
    const std::string zip = Sample("pane.zip", "watched.zip");
    ASSERT_TRUE(pane->PreviewArchive(zip, false));
    ASSERT_EQ(5, pane->lvArchive->ItemCount());
    Pump(300);
    ASSERT_TRUE(CopyFileA((samples_ + "pane_changed.zip").c_str(), zip.c_str(), FALSE));
    // The watcher waits 3000 ms of quiet and then lists again.
    const DWORD start = GetTickCount();
    while (pane->ac->Count() == 6 - 1 && GetTickCount() - start < 9000)
        Pump(100);
    EXPECT_EQ(6, pane->ac->Count());
    // Showing it again takes the new listing.
    ASSERT_TRUE(pane->PreviewArchive(zip, false));
    EXPECT_NE(-1, RowOf("added.txt"));
}

TEST_F(ArchivePane, ArchiveDeletedWhileShownGivesTheErrorBox) {
    const std::string zip = Sample("pane.zip", "doomed.zip");
    ASSERT_TRUE(pane->PreviewArchive(zip, false));
    ASSERT_TRUE(DeleteFileA(zip.c_str()));
    boxes_.clear();
    ASSERT_TRUE(pane->PreviewArchive(zip, false));
    ASSERT_EQ(1u, boxes_.size());
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes_[0].beep);
    EXPECT_EQ("TArchiveOperation UpDate Error(-\"-;\rPlease Contact KVT\r\r"
              "Not Found ArchiveFile!\r" +
                  zip,
              boxes_[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), boxes_[0].flags & MB_TYPEMASK);
    // The tree stays as it was.
    EXPECT_EQ(6u, Outline().size());
}

TEST_F(ArchivePane, WorkFolderIsEmptiedWhenThePaneGoes) {
    ASSERT_TRUE(pane->PreviewArchive(Sample("pane.zip"), false));
    pane->lvArchive->SetSelected(RowOf("readme.txt"));
    pane->ShowSelectedMember();
    ASSERT_TRUE(TempFolder::Exists(Work("readme.txt")));
    CreateDirectoryA(Work("sub").c_str(), nullptr);
    TempFolder::WriteFile(Work("sub\\kept.txt"), "k");
    form_->ArchivePane.reset();
    pane = nullptr;
    EXPECT_FALSE(TempFolder::Exists(Work("readme.txt")));
    EXPECT_TRUE(TempFolder::Exists(Work("sub\\kept.txt")));
}

TEST_F(ArchivePane, MainWindowFreesThePaneWithItsControls) {
    ASSERT_TRUE(pane->PreviewArchive(Sample("pane.zip"), false));
    pane->tvArchive->Select(Node("inner.zip"));
    pane->lvArchive->SetSelected(0);
    pane->ShowSelectedMember();
    const std::string extracted = Work("in.txt");
    ASSERT_TRUE(TempFolder::Exists(extracted));
    // The pane is owned by the window and goes before the views it made,
    // without the close path.
    delete form_;
    form_ = nullptr;
    pane = nullptr;
    EXPECT_FALSE(TempFolder::Exists(extracted));
}

// A host of its own: the pane needs nothing else of the main window.
struct LoneHost : TArchivePaneHost {
    std::string work;
    std::vector<std::string> previewed, status;
    unsigned char sort[7] = {};
    const std::string& WorkFolderPath() const override { return work; }
    void PreviewMember(const std::string& path) override { previewed.push_back(path); }
    void ShowStatus(const std::string& text) override { status.push_back(text); }
    unsigned char& SortAscending(int column) override { return sort[column]; }
};

TEST_F(ArchivePane, FolderWithoutDollarIsNeverEmptied) {
    form_->ArchivePane.reset();
    pane = nullptr;
    const std::string plain = dir_ / "plainwork";
    CreateDirectoryA(plain.c_str(), nullptr);
    TempFolder::WriteFile(plain + "\\user.txt", "mine");
    LoneHost host;
    host.work = plain;
    TForm window(nullptr);
    auto* base = new TPanel(&window, &window);
    auto* bar = new TPanel(&window, base);
    {
        TArchivePane lone(host, TArchivePaneParts{&window, window.Handle(), base, bar});
        EXPECT_EQ("", lone.Operation()->WorkFolder());
        // The sort directions are the host's.
        ASSERT_TRUE(lone.PreviewArchive(Sample("pane.zip"), false));
        lone.lvArchiveColumnClick(lone.lvArchive, 2);
        EXPECT_EQ(1, host.sort[2]);
        lone.lvArchiveColumnClick(lone.lvArchive, 2);
        EXPECT_EQ(0, host.sort[2]);
    }
    EXPECT_TRUE(TempFolder::Exists(plain + "\\user.txt"));
}

TEST_F(ArchivePane, ViewButtonsGoThroughTheSharedHandlers) {
    EXPECT_NE(nullptr, form_->FindComponent("mmShowStyleArchive"));
    auto* size = dynamic_cast<TSpeedButton*>(form_->FindComponent("sbShowEraseSizeARC"));
    ASSERT_NE(nullptr, size);
    size->Click();
    EXPECT_EQ(0, pane->lvArchive->ColumnWidth(1));
    EXPECT_EQ(100, pane->lvArchive->ColumnWidth(3));  // a first start's width
    EXPECT_FALSE(size->Down());
    dynamic_cast<TSpeedButton*>(form_->FindComponent("sbShowListARC"))->Click();
    EXPECT_EQ(vsList, pane->lvArchive->ViewStyle());
    EXPECT_FALSE(dynamic_cast<TSpeedButton*>(form_->FindComponent("sbShowGridARC"))->Enabled());
}

} // namespace
