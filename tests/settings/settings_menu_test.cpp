// The two settings windows opened from the main window's menu, in the test
// process: what they save reaches the main window, its text controls and
// the environment data file.
#include "../app/main_window_fixture.h"

#include "app/text_preview.h"
#include "settings/ini_file.h"
#include "settings/set_form_win.h"
#include "settings_test_util.h"
#include "textview/text_view_settings_form_win.h"

TEST_F(MainWindow, SettingsWindowsFromTheMenuSaveIntoTheMainWindow) {
    Start();
    WhenShown("TfoSet", [](HWND w) {
        auto* f = dynamic_cast<TfoSet*>(TWinControl::FromHandle(w));
        ASSERT_NE(nullptr, f);
        f->tbReadTextKByte->SetPosition(200);
        f->chbImageAdjust->SetChecked(false);
        f->bbSave->Click();
    });
    Item("mmOptionSet")->Click();
    EXPECT_EQ(200, form_->ReadLimitKB);
    EXPECT_FALSE(form_->FitImage);

    TTextEditorEx* text = form_->TextPreview->hedText;
    TTextEditorEx* search = form_->TextPreview->hedSearch;
    int page = -1;
    WhenShown("TfoTextViewSettings", [&](HWND w) {
        auto* f = dynamic_cast<TfoTextViewSettings*>(TWinControl::FromHandle(w));
        ASSERT_NE(nullptr, f);
        page = f->pcSettings->ActivePageIndex();
        f->chbWordWrap->SetChecked(true);
        f->lbColorTarget->SetItemIndex(ctSearchHit);
        f->ColorTargetClick(f->lbColorTarget);
        f->ColorGridSelect(f->cgColor, 1, clFuchsia);
        f->bbSave->Click();
    });
    Item("mmOptionSetText")->Click();
    EXPECT_EQ(1, page);  // the colour page
    EXPECT_TRUE(text->WordWrap());
    EXPECT_EQ(clFuchsia, search->SearchHitColorBack);  // the search results follow

    // The same window from the font menu; cancelling changes nothing.
    WhenShown("TfoTextViewSettings", [](HWND w) {
        auto* f = dynamic_cast<TfoTextViewSettings*>(TWinControl::FromHandle(w));
        ASSERT_NE(nullptr, f);
        f->chbWordWrap->SetChecked(false);
        f->bbCancel->Click();
    });
    Item("N22")->Click();
    EXPECT_TRUE(text->WordWrap());

    form_->SaveEnvironment(form_->EnvironmentPath());
    const TIniFile ini(form_->EnvironmentPath());
    EXPECT_EQ(200, ini.ReadInteger("Setting", "ReadTextKByte", 0));
    EXPECT_TRUE(ini.ReadBool("hedText", "WordWrap", false));
    EXPECT_EQ(clFuchsia, ini.ReadColor("hedText", "SearchHitColorBack", clBlack));
}
