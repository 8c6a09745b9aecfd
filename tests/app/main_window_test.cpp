// The main window created in this process and driven through its handlers.
#include <gtest/gtest.h>

#include "app/splash_form.h"
#include "base/strutil.h"
#include "main_window_fixture.h"

TEST_F(MainWindow, StartsWithTheWelcomeGuidanceAndItsWorkFolder) {
    Start();
    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(fkNone, form_->CurrentFileKind);
    EXPECT_EQ(form_->pnBaseNone, VisiblePane());
    EXPECT_EQ("Welcome to Quillmark.", Info(0));
    EXPECT_EQ("This Version is v1.00A.", Info(1));
    EXPECT_EQ("", Info(2));
    EXPECT_TRUE(form_->lInformationTitle->Visible());
    EXPECT_FALSE(form_->sbInformation->Visible());
    EXPECT_EQ(dir_ / "$VSWORK$", form_->WorkFolder);
    EXPECT_TRUE(TempFolder::IsFolder(form_->WorkFolder));
    EXPECT_FALSE(form_->pnTbMain->Visible());
    for (const char* hidden : {"mmFileCdExplorer", "mmImgSeparate", "mmImgRight", "mmImgLeft",
                               "mmImgLeftRight", "mmImgTopBottom", "mmFileTextPrint"}) {
        EXPECT_FALSE(Item(hidden)->Visible()) << hidden;
    }
    EXPECT_TRUE(Item("mmFileExplorer")->Visible());
}

TEST_F(MainWindow, ActivatingAgainKeepsThePreview) {
    Start();
    form_->PreviewFile("C:\\x\\setup.exe", false);
    form_->FormActivate(form_);
    EXPECT_EQ(fkLaunchable, form_->CurrentFileKind);
    EXPECT_EQ("このファイルは、アプリケーションです", Info(0));
}

TEST_F(MainWindow, EachKindShowsItsPaneAndEnablesItsMenu) {
    Start();
    struct {
        const char* path;
        FileKind kind;
        TPanel* TfoMAIN::*pane;
    } cases[] = {
        {"C:\\a\\README", fkText, &TfoMAIN::pnBaseText},
        {"C:\\a\\photo.JPEG", fkImage, &TfoMAIN::pnBaseImage},
        {"C:\\a\\clip.mid", fkMedia, &TfoMAIN::pnBaseAVI},
        {"C:\\a\\song.wav", fkWave, &TfoMAIN::pnBaseNone},
        {"C:\\a\\a.lzh", fkArchive, &TfoMAIN::pnBaseNone},
        {"C:\\a\\page.html", fkLaunchable, &TfoMAIN::pnBaseNone},
        {"C:\\a\\x.dll", fkLibrary, &TfoMAIN::pnBaseNone},
        {"C:\\a\\name.", fkText, &TfoMAIN::pnBaseText},
        {"C:\\a\\name.tar.gzip", fkText, &TfoMAIN::pnBaseText},
        {"C:\\a\\name.tar.bz2", fkArchive, &TfoMAIN::pnBaseNone},
    };
    for (const auto& c : cases) {
        form_->PreviewFile(c.path, false);
        EXPECT_EQ(c.kind, form_->CurrentFileKind) << c.path;
        EXPECT_EQ(form_->*c.pane, VisiblePane()) << c.path;
        EXPECT_EQ(alClient, (form_->*c.pane)->Align()) << c.path;
        EXPECT_EQ(c.kind == fkImage, form_->mmImg->Enabled()) << c.path;
        EXPECT_EQ(c.kind == fkText, form_->mmEdit->Enabled()) << c.path;
        EXPECT_EQ(c.kind == fkMedia, form_->mmAvi->Enabled()) << c.path;
        EXPECT_EQ(c.kind == fkArchive, form_->pnBaseArchive->Visible()) << c.path;
    }
    EXPECT_FALSE(form_->FullyLoaded);
}

TEST_F(MainWindow, GifFollowsTheOption) {
    Start();
    form_->PreviewFile("anim.gif", false);
    EXPECT_EQ(form_->pnBaseText, VisiblePane());
    form_->GifOption = true;
    form_->PreviewFile("anim.gif", false);
    EXPECT_EQ(form_->pnBaseImage, VisiblePane());
}

TEST_F(MainWindow, ArchiveMembersKeepTheArchivePane) {
    Start();
    form_->PreviewFile("C:\\a\\b.zip", false);
    ASSERT_TRUE(form_->pnBaseArchive->Visible());
    form_->PreviewFile(form_->WorkFolder + "\\member.txt", true);
    EXPECT_TRUE(form_->pnBaseArchive->Visible());
    EXPECT_EQ(form_->pnBaseText, VisiblePane());
    form_->PreviewFile("C:\\a\\c.txt", false);
    EXPECT_FALSE(form_->pnBaseArchive->Visible());
}

TEST_F(MainWindow, InformationPaneGuidanceAndButton) {
    Start();
    form_->PreviewFile("C:\\a\\setup.exe", false);
    EXPECT_TRUE(form_->sbInformation->Visible());
    EXPECT_EQ(60u, form_->sbInformation->Caption().size());
    EXPECT_EQ(0u, form_->sbInformation->Caption().find("このファイルを実行する[SHIFT-RETURN]"));
    EXPECT_EQ("[SHIFT-RETURN]キーを押してください", Info(2));

    form_->PreviewFile("C:\\a\\x.dll", false);
    EXPECT_FALSE(form_->sbInformation->Visible());
    EXPECT_EQ("単独で実行することは出来ません", Info(1));
    EXPECT_EQ("", Info(2));  // the third line of the previous guidance is gone

    form_->PreviewFile("C:\\a\\a.zip", false);
    EXPECT_EQ("上のボタン押すか、もしくは、[SHIFT-RETURN]キーを押してください", Info(5));
    form_->PreviewFile("C:\\a\\song.wav", false);
    for (int i = 0; i < 10; ++i) EXPECT_EQ("", Info(i)) << i;
    EXPECT_FALSE(form_->lInformationTitle->Visible());
    EXPECT_FALSE(form_->sbInformation->Visible());
}

TEST_F(MainWindow, ReselectingTheSamePathInAnyCaseDoesNotReload) {
    Start();
    int tag = -1;
    form_->PreviewSelected(3, "C:\\Data\\a.txt", tag);
    EXPECT_EQ(3, tag);
    EXPECT_EQ("C:\\Data\\a.txt", form_->CurrentFilePath);
    form_->PreviewFile("C:\\other.exe", false);  // something else is shown meanwhile
    form_->PreviewSelected(5, "c:\\DATA\\A.TXT", tag);
    EXPECT_EQ(3, tag);
    EXPECT_EQ(fkLaunchable, form_->CurrentFileKind);
    form_->PreviewSelected(-1, "C:\\Data\\b.txt", tag);  // nothing selected
    EXPECT_EQ("C:\\Data\\a.txt", form_->CurrentFilePath);
}

TEST_F(MainWindow, FileInformationLine) {
    Start();
    const std::string file = dir_ / "data.bin";
    TempFolder::WriteFile(file, std::string(1234, 'x'));
    form_->PreviewFile(file, false);
    const std::string line = form_->lFileInfo->Caption();
    EXPECT_EQ(0u, line.find(" data.bin 20")) << line;
    EXPECT_NE(std::string::npos, line.find(" [     1,234bytes] ")) << line;
    TempFolder::WriteFile(file, "x");
    form_->WriteFileInformation(file, 1.5);
    EXPECT_NE(std::string::npos, form_->lFileInfo->Caption().find("[          1byte] 150% Enlarged"));
    form_->PreviewFile(dir_ / "gone.exe", false);
    EXPECT_EQ("   [" + std::string(15, ' ') + "] ", form_->lFileInfo->Caption());
}

TEST_F(MainWindow, WorkFolderThatCannotBeMadeIsReportedOnce) {
    TempFolder::WriteFile(dir_ / "$VSWORK$", "a file where the folder should be");
    Start();
    ASSERT_EQ(1u, boxes_.size());
    EXPECT_EQ(UINT(MB_ICONEXCLAMATION), boxes_[0].beep);
    EXPECT_EQ(UINT(MB_OK | MB_ICONINFORMATION), boxes_[0].flags);
    EXPECT_EQ("Quillmark はディスク容量の無いドライブ上では\rご利用できません\r"
              "CD-ROM等から実行されている場合は、一旦終了して\r"
              "ハードディスクにインストールした後、再度実行して\rくださいませ",
              boxes_[0].text);
    EXPECT_EQ("", form_->WorkFolder);
    // Closing must not delete anything without a work folder.
    TCloseAction action = caFree;
    form_->FormClose(form_, action);
    EXPECT_TRUE(TempFolder::Exists(dir_ / "$VSWORK$"));
}

TEST_F(MainWindow, LeftoversSurviveStartUpAndGoAtClose) {
    CreateDirectoryA((dir_ / "$VSWORK$").c_str(), nullptr);
    TempFolder::WriteFile(dir_ / "$VSWORK$\\old.txt", "from the last run");
    CreateDirectoryA((dir_ / "$VSWORK$\\sub").c_str(), nullptr);
    TempFolder::WriteFile(dir_ / "$VSWORK$\\sub\\keep.txt", "not ours to judge");
    TempFolder::WriteFile(dir_ / "beside.txt", "the user's");
    Start();
    EXPECT_TRUE(TempFolder::Exists(dir_ / "$VSWORK$\\old.txt"));
    TCloseAction action = caFree;
    form_->FormClose(form_, action);
    EXPECT_FALSE(TempFolder::Exists(dir_ / "$VSWORK$\\old.txt"));
    EXPECT_TRUE(TempFolder::IsFolder(dir_ / "$VSWORK$"));
    EXPECT_TRUE(TempFolder::Exists(dir_ / "$VSWORK$\\sub\\keep.txt"));
    EXPECT_TRUE(TempFolder::Exists(dir_ / "beside.txt"));
}

TEST(SplashWindow, HasItsSize) {
    TApplication app;
    auto* splash = new TfoSplash(&app);
    EXPECT_EQ(351, splash->ClientWidth());
    EXPECT_EQ(134, splash->ClientHeight());
}

TEST(SplashWindow, StaysUpUntilTheMessageLoopFirstRuns) {
    TApplication app;
    auto* splash = new TfoSplash(nullptr);
    splash->Show();
    const HWND window = splash->Handle();
    auto* main = new TForm(&app);
    main->Show();
    splash->Release();
    // Released, but still shown while the program has not looked at its queue.
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(IsWindowVisible(window));
    app.ProcessMessages();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(IsWindowVisible(main->Handle()));
}
