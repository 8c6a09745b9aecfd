// Commands, keys and menus of the main window.
#include "base/strutil.h"
#include "foldertree/shell_folder_tree.h"
#include "main_window_fixture.h"
#include "media/led_group.h"
#include "media/media_pane.h"
#include "../media/media_test_util.h"

namespace {
WORD Press(TfoMAIN* form, WORD key, TShiftState shift = 0) {
    form->PreviewKey(key, shift);
    return key;
}
}  // namespace

TEST_F(MainWindow, NamedControlsCarryTheirCaptionsAndHints) {
    Start();
    struct {
        const char* name;
        const char* caption;
    } menus[] = {
        {"mmFile", "ファイル(&F)"}, {"mmFileExit", "終了(&X)"}, {"mmEditSearch", "検索"},
        {"mmImgOrgSize", "原寸"}, {"mmAviSetA", "A点セット [A]"}, {"mmShowPcHidden", "最大画面 [RETURN]"},
        {"mmOptionHyperLink", "テキストハイパーリンク"}, {"About1", "バージョン情報(&A)..."},
        {"mmOptionShortCutKayGuide", "ショートカットキーガイド"}, {"N22", "テキスト..."},
    };
    for (const auto& m : menus) {
        ASSERT_TRUE(Item(m.name)) << m.name;
        EXPECT_EQ(m.caption, Item(m.name)->Caption()) << m.name;
    }
    EXPECT_EQ(scCtrl | 'C', Item("mmEditCopy")->ShortCut);
    EXPECT_EQ(TShortCut(VK_F4), Item("mmImgEnlarge")->ShortCut);
    EXPECT_EQ(TShortCut(VK_F1), Item("mmOptionHelp")->ShortCut);
    EXPECT_FALSE(Item("mmImgReLoad")->Visible());
    EXPECT_FALSE(Item("mmAviOrg")->Visible());
    struct {
        const char* name;
        const char* hint;
    } buttons[] = {
        {"sbFileFullLoad", "テキスト全読込[Z]"}, {"sbFileEditor", "エディタ起動[E]"},
        {"sbOptionHyperLink", "ハイパーリンク"}, {"sbEditCopy", "コピー"}, {"sbEditSelAll", "全て選択"},
        {"sbEditSearch", "文字検索"}, {"sbHiddenPC", "最大画面"}, {"sbFolderUpDate", "最新の情報に更新"},
        {"sbSetFileShortCut", "フォルダショートカット"}, {"sbSetFileCorrect", "ファイル検索"},
        {"SpeedButton2", "終了"}, {"sbOptionHelp", "ヘルプ"}, {"sbLaunchFile", "関連アプリの起動[SHIFT-RETURN]"},
        {"sbLaunchCorrect", "関連アプリの起動[SHIFT-RETURN]"},
    };
    for (const auto& b : buttons) {
        ASSERT_TRUE(Control(b.name)) << b.name;
        EXPECT_EQ(b.hint, Control(b.name)->Hint) << b.name;
    }
    EXPECT_EQ("ﾌｫﾙﾀﾞ・ﾌｧｲﾙ", form_->TabSheet1->Caption());
    EXPECT_EQ("ﾌｧｲﾙｻｰﾁ", form_->TabSheet2->Caption());
    EXPECT_EQ("インフォメーション", form_->sbMAIN->PanelText(0));
    EXPECT_EQ("フォルダ インフォメーション", form_->lFolderInfo->Caption());
    // Sizes of a first start come from the environment file's defaults.
    EXPECT_EQ(270, form_->pnBaseList->Width());
    EXPECT_EQ(130, form_->pnFolder->Height());
}

TEST_F(MainWindow, MenusUpdateWhenOpened) {
    Start();
    form_->pcMAIN->SetActivePageIndex(1);
    form_->mmFile->Click();
    EXPECT_FALSE(Item("mmFileSelFile")->Checked());
    EXPECT_TRUE(Item("mmFileSelCorrect")->Checked());
    EXPECT_FALSE(Item("mmFileEditor")->Enabled());  // no text shown
    EXPECT_FALSE(Item("mmFileFullLoad")->Enabled());
    form_->PreviewFile("C:\\a\\a.txt", false);
    form_->mmFile->Click();
    EXPECT_TRUE(Item("mmFileEditor")->Enabled());

    form_->mmShow->Click();
    EXPECT_TRUE(Item("mmShowStatusBar")->Checked());
    EXPECT_TRUE(Item("mmShowToolBar")->Checked());
    EXPECT_FALSE(Item("mmShowPcHidden")->Checked());
    Item("mmShowToolBar")->Click();
    Item("mmShowStatusBar")->Click();
    form_->mmShow->Click();
    EXPECT_FALSE(Item("mmShowToolBar")->Checked());
    EXPECT_FALSE(Item("mmShowStatusBar")->Checked());
    for (const char* bar : {"pnTbFileSel", "pnTbArchive", "pnTbText", "pnTbImage", "pnTbAVI", "pnTbCorrect"}) {
        EXPECT_FALSE(Control(bar)->Visible()) << bar;
    }
}

TEST_F(MainWindow, ReturnHidesTheListPaneAndBringsTheFocusBack) {
    Start();
    form_->Show();
    form_->sbFolderUpDate->Click();  // nothing bound yet: must not fail
    form_->pcMAIN->SetFocus();
    ASSERT_TRUE(form_->pcMAIN->Focused());
    Press(form_, VK_RETURN);
    EXPECT_FALSE(form_->pnBaseList->Visible());
    EXPECT_FALSE(form_->spFolderView->Visible());
    EXPECT_EQ("通常画面", form_->sbHiddenPC->Hint);
    EXPECT_EQ(0, form_->pnBaseView->Left());
    Press(form_, VK_RETURN);
    EXPECT_TRUE(form_->pnBaseList->Visible());
    EXPECT_EQ("最大画面", form_->sbHiddenPC->Hint);
    EXPECT_TRUE(form_->pcMAIN->Focused());
    // The splitter is back on the list pane's side.
    EXPECT_EQ(form_->pnBaseList->Width(), form_->spFolderView->Left());
    // A click on the file information line does the same.
    form_->lFileInfo->Click();
    EXPECT_FALSE(form_->pnBaseList->Visible());
}

TEST_F(MainWindow, KeysThatAreConsumedAndKeysThatPass) {
    Start();
    EXPECT_EQ(0, Press(form_, VK_SPACE));
    EXPECT_EQ(0, Press(form_, VK_DOWN, ssCtrl));
    EXPECT_EQ(0, Press(form_, VK_UP, ssAlt));
    EXPECT_EQ('Q', Press(form_, 'Q'));
    EXPECT_EQ(VK_DOWN, Press(form_, VK_DOWN));
    // Letters with a modifier are not commands.
    EXPECT_EQ('E', Press(form_, 'E', ssShift));
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(MainWindow, ExternalEditorAsksWhenUnsetOrMissing) {
    Start();
    int settingsOpened = 0;
    form_->OpenSettingsDialog = [&] { ++settingsOpened; };
    Press(form_, 'E');  // answered with OK: no settings
    EXPECT_EQ(0, settingsOpened);
    answer_ = IDYES;
    Press(form_, 'E');
    ASSERT_EQ(2u, boxes_.size());
    EXPECT_EQ(UINT(MB_ICONASTERISK), boxes_[1].beep);
    EXPECT_EQ("外部エディタが設定されていません\r設定を行いますか？", boxes_[1].text);
    EXPECT_EQ(UINT(MB_YESCANCEL), boxes_[1].flags & MB_TYPEMASK);
    EXPECT_EQ(1, settingsOpened);
}

TEST_F(MainWindow, ExternalEditorThatIsGone) {
    Start();
    form_->EditorPath = "C:\\nowhere\\edit.exe";
    form_->mmFileEditorClick(form_);
    ASSERT_EQ(1u, boxes_.size());
    EXPECT_EQ("外部エディタに設定されてるアプリケーションが見つかりません\rファイル名:C:\\nowhere\\edit.exe\r"
              "最新の実行ファイル情報を設定してください\r\rこれから設定を行いますか？",
              boxes_[0].text);
}

TEST_F(MainWindow, HyperlinkSwitchShowsTheNoticeUntilItIsTurnedOff) {
    Start();
    std::vector<std::vector<std::string>> notices;
    bool dontShowAgain = false;
    form_->ShowHyperlinkNotice = [&](const std::vector<std::string>& lines) {
        notices.push_back(lines);
        return dontShowAgain;
    };
    Item("mmOptionHyperLink")->Click();
    EXPECT_TRUE(form_->sbOptionHyperLink->Down());
    ASSERT_EQ(1u, notices.size());
    EXPECT_EQ("URL,MAILアドレスの上でクリックすると", notices[0][0]);
    EXPECT_EQ("そのアドレスにジャンプします", notices[0][1]);
    form_->O1->Click();
    EXPECT_TRUE(Item("mmOptionHyperLink")->Checked());

    dontShowAgain = true;
    form_->sbOptionHyperLink->Click();  // the button toggles itself
    EXPECT_FALSE(form_->sbOptionHyperLink->Down());
    ASSERT_EQ(2u, notices.size());
    EXPECT_EQ(std::vector<std::string>{"URL,MAILアドレスへのハイパーリンク機能を一時停止します"}, notices[1]);
    EXPECT_FALSE(form_->HyperlinkNotice);
    Item("mmOptionHyperLink")->Click();
    EXPECT_EQ(2u, notices.size());  // not shown any more
    EXPECT_TRUE(form_->sbOptionHyperLink->Down());
}

TEST_F(MainWindow, FileInformationForSmallAndLargeFiles) {
    Start();
    const std::string file = dir_ / "f.dat";
    struct {
        std::size_t size;
        const char* text;
    } cases[] = {{0, "          0byte"}, {1, "          1byte"}, {1234567, " 1,234,567bytes"}};
    for (const auto& c : cases) {
        TempFolder::WriteFile(file, std::string(c.size, 'x'));
        form_->WriteFileInformation(file, 0);
        EXPECT_NE(std::string::npos, form_->lFileInfo->Caption().find(std::string("[") + c.text + "] "))
            << form_->lFileInfo->Caption();
    }
    // The name as found on disk, whatever the case of the path given.
    form_->WriteFileInformation(dir_ / "F.DAT", 0);
    EXPECT_EQ(0u, form_->lFileInfo->Caption().find(" f.dat "));
    // A folder has a line too.
    form_->WriteFileInformation(dir_.Path(), 0);
    EXPECT_NE(std::string::npos, form_->lFileInfo->Caption().find(ExtractFileName(dir_.Path())));
}

TEST_F(MainWindow, LedsStartAtZeroAndShowThePictureSize) {
    Start();
    auto led = [this](const char* name) { return dynamic_cast<TLedGroup*>(form_->FindComponent(name)); };
    for (const char* name : {"lgAVITime", "lgAviSetA", "lgAviSetB"}) {
        ASSERT_TRUE(led(name)) << name;
        EXPECT_EQ(5, led(name)->MaxDigits()) << name;
        EXPECT_EQ("00000", led(name)->Caption()) << name;
    }
    for (const char* name : {"lgTextX", "lgTextY"}) {
        EXPECT_EQ(6, led(name)->MaxDigits()) << name;
        EXPECT_EQ("     0", led(name)->Caption()) << name;
    }
    EXPECT_EQ("カーソル(桁)", led("lgTextX")->Hint);
    EXPECT_EQ("   0", led("lgImgHeight")->Caption());
    form_->ImageWidth = 640;
    form_->ImageHeight = 48;
    form_->WriteFileInformation(dir_ / "none.png", 0.5);
    EXPECT_EQ(" 640", led("lgImgWidth")->Caption());
    EXPECT_EQ("  48", led("lgImgHeight")->Caption());
    EXPECT_NE(std::string::npos, form_->lFileInfo->Caption().find(" 50% Reduced"));
}

TEST_F(MainWindow, KeysAAndBSetTheMarksOfThePreviewedMediumOnly) {
    Start();
    form_->Show();
    const std::string clip = SampleMedia("clip.avi");
    form_->PreviewFile(clip, false);
    form_->CurrentFilePath = clip;
    TMediaPane& media = *form_->MediaPane;
    ASSERT_NE(0u, media.mp->DeviceID());
    ASSERT_TRUE(WaitFor(3000, [&] { return media.mp->Position() >= 3; }));
    EXPECT_EQ('A', Press(form_, 'A'));  // the key goes on to the focused control
    const long a = media.AviMarkA;
    EXPECT_GE(a, 3);
    EXPECT_EQ(Format("%5s", std::to_string(a).c_str()), media.lgAviSetA->Caption());
    ASSERT_TRUE(WaitFor(3000, [&] { return media.mp->Position() >= a + 3; }));
    Press(form_, 'B');
    EXPECT_GE(media.AviMarkB, a + 3);
    EXPECT_EQ(Format("%5s", std::to_string(media.AviMarkB).c_str()), media.lgAviSetB->Caption());
    EXPECT_TRUE(Item("mmAviClearAB")->Enabled());
    const long b = media.AviMarkB;
    // With a modifier the letters are no commands.
    Press(form_, 'A', ssCtrl);
    Press(form_, 'B', ssShift);
    EXPECT_EQ(a, media.AviMarkA);
    EXPECT_EQ(b, media.AviMarkB);

    // Device closed, pane still shown: nothing happens and nothing is reported.
    media.Leave();
    Press(form_, 'A');
    Press(form_, 'B');
    EXPECT_EQ(a, media.AviMarkA);
    EXPECT_EQ(b, media.AviMarkB);
    // Another kind of file: the media pane is gone, so are the commands.
    const std::string text = dir_ / "a.txt";
    TempFolder::WriteFile(text, "text");
    form_->PreviewFile(text, false);
    Press(form_, 'A');
    Press(form_, 'B');
    EXPECT_EQ(a, media.AviMarkA);
    EXPECT_EQ(b, media.AviMarkB);
    EXPECT_TRUE(boxes_.empty()) << boxes_[0].text;
}

TEST_F(MainWindow, LaunchLeavesThePlayingMediumBeforeTheShellOpensTheFile) {
    Start();
    form_->Show();
    const std::string clip = SampleMedia("clip.avi");
    form_->PreviewFile(clip, false);
    form_->CurrentFilePath = clip;
    TMediaPane& media = *form_->MediaPane;
    ASSERT_TRUE(WaitFor(3000, [&] { return media.mp->Position() > 0; }));
    struct Call {
        std::string file, folder;
        MCIDEVICEID device;
        bool timer;
    };
    std::vector<Call> calls;
    form_->ShellOpen = [&](const std::string& file, const std::string& folder) {
        calls.push_back({file, folder, media.mp->DeviceID(), media.Timer1->Enabled()});
    };
    Press(form_, VK_RETURN, ssShift);
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ(clip, calls[0].file);
    EXPECT_EQ(ExcludeTrailingBackslash(ExtractFilePath(clip)), calls[0].folder);
    EXPECT_EQ(0u, calls[0].device);  // closed before the shell was asked
    EXPECT_FALSE(calls[0].timer);
    EXPECT_EQ("    0", media.lgAVITime->Caption());
    // Play opens the file again, as after any other way out of the preview.
    form_->PreviewFile(clip, false);
    EXPECT_NE(0u, media.mp->DeviceID());
    // The launch button of the information pane takes the same way.
    form_->sbInformation->Click();
    ASSERT_EQ(2u, calls.size());
    EXPECT_EQ(0u, calls[1].device);
    EXPECT_TRUE(boxes_.empty()) << boxes_[0].text;
}

TEST_F(MainWindow, TheProgramsFolderTreeTakesNoDrops) {
    Start();
    auto* fvx = dynamic_cast<TShellFolderTree*>(form_->FindComponent("fvx"));
    ASSERT_NE(nullptr, fvx);
    EXPECT_FALSE(fvx->DragAndDrop());
    // Nothing is registered for its window, so OLE lets another target in.
    struct Other : IDropTarget {
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
        ULONG STDMETHODCALLTYPE Release() override { return 1; }
        HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD*) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD*) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
        HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD*) override { return S_OK; }
    } other;
    EXPECT_EQ(S_OK, RegisterDragDrop(fvx->Handle(), &other));
    RevokeDragDrop(fvx->Handle());
}
