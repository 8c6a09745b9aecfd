// The general settings dialog on the values of a stand-in main window,
// driven through its handlers and through window messages.
#include "../app_test_fixture.h"
#include <gtest/gtest.h>

#include <memory>

#include "settings/common_dialogs_win.h"
#include "settings/set_form_win.h"
#include "settings_test_util.h"
#include "ui/dialogs.h"

namespace {
class SetDialog : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        host_ = new TForm(app_);
        title_ = Label(clBlue);
        button_ = Label(clBlue);
        for (int i = 0; i < 3; ++i) guidance_.push_back(Label(clBlack));
    }
    void TearDown() override {
        delete host_;
        SetOpenDialogHook(nullptr);
        SetColorDialogHook(nullptr);
        SetInputQueryHook(nullptr);
        AppTest::TearDown();
    }
    TLabel* Label(TColor color) {
        auto* l = new TLabel(host_, host_);
        TFont f = l->EffectiveFont();
        f.Color = color;
        l->SetFont(f);
        return l;
    }
    TSetDialogTarget Target() {
        return {partial_, limit_, editor_, wallpaper_, fit_, gif_, title_, button_, guidance_,
                [this](const std::string& path) { loaded_.push_back(path); }};
    }
    // A click with the mouse at a point of a window.
    static void ClickAt(HWND w, int x, int y) {
        SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    ScratchFolder dir_;
    TForm* host_ = nullptr;
    TLabel *title_ = nullptr, *button_ = nullptr;
    std::vector<TControl*> guidance_;
    bool partial_ = true, fit_ = true, gif_ = false;
    int limit_ = 4;
    std::string editor_, wallpaper_;
    std::vector<std::string> loaded_;
};

TColor FontColor(TControl* c) { return c->EffectiveFont().Color; }
}  // namespace

TEST_F(SetDialog, ShowsTheValuesAndSavingTakesThemBack) {
    limit_ = 64;
    editor_ = dir_ / "ed.exe";
    auto target = Target();
    std::unique_ptr<TfoSet> f(new TfoSet(app_));
    f->Fill(target);
    EXPECT_EQ("Quillmark 設定ダイアログ", f->Caption());
    EXPECT_EQ(528, f->ClientWidth());
    EXPECT_EQ(344, f->ClientHeight());
    EXPECT_EQ("64KB", f->lReadTextKByte->Caption());
    EXPECT_EQ(64, f->tbReadTextKByte->Position());
    EXPECT_EQ(editor_, f->edEditor->Text());
    EXPECT_EQ(clBlue, FontColor(f->lInfoTitle));
    EXPECT_EQ(clBlack, FontColor(f->lInfo));

    // The user drags the bar to its end, switches partial reading off and
    // gives the guidance another colour.
    HWND bar = f->tbReadTextKByte->BarHandle();
    SendMessageA(bar, TBM_SETPOS, TRUE, 600);
    SendMessageA(f->tbReadTextKByte->Handle(), WM_HSCROLL, TB_THUMBPOSITION, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ("512KB", f->lReadTextKByte->Caption());
    SendMessageA(f->chbReadTextKByte->Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(f->tbReadTextKByte->Enabled());
    SetColorDialogHook([](TColor& c) {
        EXPECT_EQ(clBlack, c);
        c = clRed;
        return true;
    });
    f->SpeedButton3Click(f->SpeedButton3);
    EXPECT_EQ(clRed, FontColor(f->lInfo));
    const std::string picture = dir_ / "雲.bmp";
    ScratchFolder::Write(picture, "BM");
    f->edWallPaper->SetText(picture);
    f->Apply(target);
    EXPECT_FALSE(partial_);
    EXPECT_EQ(512, limit_);
    EXPECT_EQ(picture, wallpaper_);
    EXPECT_EQ(std::vector<std::string>{picture}, loaded_);
    EXPECT_EQ(clBlue, FontColor(title_));
    for (TControl* g : guidance_) EXPECT_EQ(clRed, FontColor(g));

    // The same picture again is not loaded again; a missing or cleared one is
    // kept as a path and leaves the picture shown.
    for (const std::string& path : {picture, dir_ / "gone.bmp", std::string()}) {
        f.reset(new TfoSet(app_));
        f->Fill(target);
        f->edWallPaper->SetText(path);
        f->Apply(target);
        EXPECT_EQ(path, wallpaper_);
    }
    EXPECT_EQ(1u, loaded_.size());
}

TEST_F(SetDialog, BrowseDialogsStartInTheFolderOfTheField) {
    std::vector<TOpenDialogOptions> asked;
    bool answer = true;
    SetOpenDialogHook([&](const TOpenDialogOptions& o, std::string& name) {
        asked.push_back(o);
        name = "C:\\chosen.exe";
        return answer;
    });
    auto target = Target();
    std::unique_ptr<TfoSet> f(new TfoSet(app_));
    f->Fill(target);
    f->edEditor->SetText(dir_ / "ed.exe");
    ClickAt(f->gbEditor->Handle(), f->sbEditor->Left() + 5, f->sbEditor->Top() + 5);
    ASSERT_EQ(1u, asked.size());
    EXPECT_EQ("エディタの実行ファイルを指定してください", asked[0].Title);
    EXPECT_EQ("アプリケーション(*.exe)|*.exe", asked[0].Filter);
    EXPECT_EQ(dir_.Path(), asked[0].InitialDir);
    EXPECT_EQ("C:\\chosen.exe", f->edEditor->Text());

    answer = false;
    f->edWallPaper->SetText("Q:\\nowhere\\a.bmp");
    f->sbWallPaperClick(f->sbWallPaper);
    ASSERT_EQ(2u, asked.size());
    EXPECT_EQ("壁紙用のイメージファイルを指定してください", asked[1].Title);
    EXPECT_EQ("イメージファイル(*.bmp,*.jpg)|*.bmp;*.jpg", asked[1].Filter);
    EXPECT_EQ("", asked[1].InitialDir);
    EXPECT_EQ("Q:\\nowhere\\a.bmp", f->edWallPaper->Text());

    std::vector<int> help;
    f->Help = [&](int context) { help.push_back(context); };
    ClickAt(f->gbReadText->Handle(), f->lTextReadByte->Left() + 5, f->lTextReadByte->Top() + 5);
    EXPECT_EQ(std::vector<int>{5}, help);
}

TEST_F(SetDialog, CancelKeepsEverythingButTheHiddenGifSwitch) {
    std::vector<std::string> prompts;
    std::string typed;
    SetInputQueryHook([&](const std::string& caption, const std::string& prompt, std::string& value) {
        prompts.push_back(caption + "|" + prompt + "|" + value);
        value = typed;
        return true;
    });
    std::vector<UINT> beeps;
    bool gifAfterLowerCase = true;
    WhenShown("TfoSet", [&](HWND w) {
        auto* f = dynamic_cast<TfoSet*>(TWinControl::FromHandle(w));
        ASSERT_NE(nullptr, f);
        f->Beep = [&](UINT b) { beeps.push_back(b); };
        f->tbReadTextKByte->SetPosition(300);
        f->edEditor->SetText("C:\\other.exe");
        f->chbImageAdjust->SetChecked(false);
        SetColorDialogHook([](TColor& c) {
            c = clLime;
            return true;
        });
        f->SpeedButton1Click(f->SpeedButton1);
        // A double click on the dialog's own background asks for a command.
        typed = "qgw";
        SendMessageA(w, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 340));
        gifAfterLowerCase = gif_;
        typed = "QGw";
        SendMessageA(w, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 340));
        f->bbCancel->Click();
    });
    auto target = Target();
    EXPECT_FALSE(ExecuteSetDialog(app_, target));
    EXPECT_EQ(2u, prompts.size());
    EXPECT_EQ("Quillmark Direction Command|Pls Input Your Demand|", prompts.at(0));
    EXPECT_FALSE(gifAfterLowerCase);
    EXPECT_TRUE(gif_);
    EXPECT_EQ(std::vector<UINT>{0x40}, beeps);
    EXPECT_EQ(4, limit_);
    EXPECT_EQ("", editor_);
    EXPECT_TRUE(fit_);
    EXPECT_EQ(clBlue, FontColor(title_));
}

TEST_F(SetDialog, SaveClosesTheDialogWithTheNewValues) {
    WhenShown("TfoSet", [&](HWND w) {
        auto* f = dynamic_cast<TfoSet*>(TWinControl::FromHandle(w));
        ASSERT_NE(nullptr, f);
        f->edEditor->SetText("C:\\other.exe");
        f->chbImageAdjust->SetChecked(false);
        f->bbSave->Click();
    });
    auto target = Target();
    EXPECT_TRUE(ExecuteSetDialog(app_, target));
    EXPECT_EQ("C:\\other.exe", editor_);
    EXPECT_FALSE(fit_);
    EXPECT_FALSE(gif_);
}
