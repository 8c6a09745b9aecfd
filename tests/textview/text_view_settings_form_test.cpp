// The text-view settings window on a copy of a control's settings, driven
// through its handlers and window messages.
#include <gtest/gtest.h>

#include <algorithm>

#include "../app_test_fixture.h"
#include "../settings/settings_test_util.h"
#include "settings/ini_values.h"
#include "textview/text_view_settings_form_win.h"

namespace {
class TextViewWindow : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        host_ = new TForm(app_);
        c_ = new TTextEditorEx(host_, host_);
        c_->SetColor(clNavy);
        TFont f = c_->Font;
        f.Name = "FixedSys";
        f.Color = clWhite;
        f.Bold = f.Italic = true;
        c_->SetFont(f);
        c_->Caret().SetAutoIndent(false);
        c_->View().Colors().Url.SetColor(clBlack);
        c_->View().Colors().Select.SetBkColor(clWhite);
        TTextEditorBracketItem& pair = c_->View().Brackets().Add("{", "}");
        pair.ItemColor().SetColor(clSilver);
        c_->KeyWordList.Add("Alpha", TKeyWordColor{clRed, clYellow, fsBold});
    }
    void TearDown() override {
        AppTest::TearDown();
        delete host_;
    }
    static void Click(TWinControl* c) { SendMessageA(c->Handle(), BM_CLICK, 0, 0); }
    // Runs `act` on the window once its modal loop runs.
    static void WhenOpen(std::function<void(TfoTextViewSettings&)> act) {
        WhenShown("TfoTextViewSettings", [act](HWND w) {
            auto* f = dynamic_cast<TfoTextViewSettings*>(TWinControl::FromHandle(w));
            ASSERT_NE(nullptr, f);
            act(*f);
        });
    }

    TForm* host_ = nullptr;
    TTextEditorEx* c_ = nullptr;
};
}  // namespace

TEST_F(TextViewWindow, ChangesShowInThePreviewsAndCancelKeepsTheControl) {
    int page = -1;
    WhenOpen([&](TfoTextViewSettings& f) {
        page = f.pcSettings->ActivePageIndex();
        Click(f.chbAutoIndent);
        EXPECT_TRUE(f.hedFontPreview->Caret().AutoIndent());
        f.edFontSize->SetText("20");
        EXPECT_EQ(PixelsFromPoints(20), f.hedFontPreview->Font.Height);
        f.lbColorTarget->SetItemIndex(ctStr);
        f.ColorTargetClick(f.lbColorTarget);
        f.ColorGridSelect(f.cgColor, 0, clFuchsia);
        EXPECT_EQ(clFuchsia, f.hedColorPreview->View().Colors().Str.Color());
        f.lbColorTarget->SetItemIndex(ctBackground);
        f.ColorTargetClick(f.lbColorTarget);
        f.ColorGridSelect(f.cgColor, 1, clTeal);
        EXPECT_EQ(clTeal, f.hedBracketPreview->Color);
        f.seWrapByte->SetValue(300);
        EXPECT_EQ(250, f.Prop.WrapOption().WrapByte());
        f.edKeyword->SetText("Beta");
        f.KeywordAddClick(f.bbKeywordAdd);
        f.bbCancel->Click();
    });
    EXPECT_FALSE(EditTextViewSettings(app_, *c_, tvpColor));
    EXPECT_EQ(1, page);
    EXPECT_FALSE(c_->Caret().AutoIndent());
    EXPECT_EQ(15, c_->Font.Height);
    EXPECT_EQ(clNavy, c_->Color);
    EXPECT_NE(clFuchsia, c_->View().Colors().Str.Color());
    EXPECT_EQ(80, c_->WrapOption().WrapByte());
    EXPECT_EQ(1, c_->KeyWordList.Count());
}

TEST_F(TextViewWindow, SaveRefusesBadBracketsThenHandsEverythingBack) {
    std::vector<int> pages, selected;
    std::vector<bool> open;
    WhenOpen([&](TfoTextViewSettings& f) {
        f.pcSettings->SetActivePageIndex(4);
        f.BracketAddClick(f.bbBracketAdd);  // a new pair starts blank
        for (const char* right : {"", "<", ">"}) {
            f.edLeftBracket->SetText("<");
            f.edRightBracket->SetText(right);
            f.BracketApplyClick(f.bbBracketApply);
            f.lbBrackets->SetItemIndex(0);
            f.pcSettings->SetActivePageIndex(0);
            Click(f.bbSave);
            pages.push_back(f.pcSettings->ActivePageIndex());
            selected.push_back(f.lbBrackets->ItemIndex());
            open.push_back(f.ModalResult == mrNone);
        }
    });
    EXPECT_TRUE(EditTextViewSettings(app_, *c_, tvpColor));
    EXPECT_EQ((std::vector<int>{2, 2, 0}), pages);
    EXPECT_EQ((std::vector<int>{1, 1, 0}), selected);
    EXPECT_EQ((std::vector<bool>{true, true, false}), open);
    ASSERT_EQ(2u, boxes_.size());
    EXPECT_EQ("空白 ・ 同一の LeftBracket, RightBracket は指定出来ません。", boxes_[0].text);
    ASSERT_EQ(2, c_->View().Brackets().Count());
    EXPECT_EQ(">", c_->View().Brackets().Items(1).RightBracket());

    // The search-hit colours, the keyword list and word wrap go back with
    // the rest.
    WhenOpen([&](TfoTextViewSettings& f) {
        f.lbColorTarget->SetItemIndex(ctSearchHit);
        f.ColorTargetClick(f.lbColorTarget);
        f.ColorGridSelect(f.cgColor, 1, clFuchsia);
        Click(f.chbWordWrap);
        f.lbKeywords->SetItemIndex(0);
        f.KeywordGridSelect(f.cgKeyword, 0, clGreen);
        Click(f.bbSave);
    });
    EXPECT_TRUE(EditTextViewSettings(app_, *c_, tvpColor));
    EXPECT_EQ(clFuchsia, c_->SearchHitColorBack);
    EXPECT_TRUE(c_->WordWrap());
    EXPECT_EQ(clGreen, c_->KeyWordList.Objects(0).FrontColor);
}

TEST_F(TextViewWindow, KeywordPageChecksWordsAndAsksBeforeDeleting) {
    TfoTextViewSettings f(app_, *c_, tvpColor);
    f.edKeyword->SetText("  alpha ");
    f.KeywordAddClick(f.bbKeywordAdd);
    ASSERT_EQ(1u, boxes_.size());
    EXPECT_EQ("alpha\r\nこのキーワードは、既に登録されています", boxes_[0].text);
    EXPECT_EQ(UINT(MB_ICONEXCLAMATION), boxes_[0].beep);
    EXPECT_EQ(1, f.KeyWords.Count());

    f.edKeyword->SetText(" Beta ");
    f.KeywordAddClick(f.bbKeywordAdd);
    ASSERT_EQ(2, f.KeyWords.Count());
    EXPECT_EQ("Beta", f.KeyWords.Strings(1));
    EXPECT_EQ(1, f.lbKeywords->ItemIndex());
    EXPECT_EQ(clBlack, f.KeyWords.Objects(1).FrontColor);
    EXPECT_EQ(clWhite, f.KeyWords.Objects(1).BackColor);
    EXPECT_EQ(0, f.KeyWords.Objects(1).Style);
    f.KeywordGridSelect(f.cgKeyword, 1, clAqua);
    Click(f.chbKeywordUnderline);
    EXPECT_EQ(clAqua, f.KeyWords.Objects(1).BackColor);
    EXPECT_EQ(fsUnderline, f.KeyWords.Objects(1).Style);

    f.edKeyword->SetText("   ");
    f.KeywordChangeClick(f.bbKeywordChange);
    EXPECT_EQ("空白のキーワードは登録できません", boxes_.back().text);
    f.edKeyword->SetText("Gamma ");
    f.KeywordChangeClick(f.bbKeywordChange);
    EXPECT_EQ("Gamma", f.KeyWords.Strings(1));
    EXPECT_EQ("Gamma", f.lbKeywords->Strings(1));

    answer_ = IDCANCEL;
    f.KeywordDeleteClick(f.bbKeywordDelete);
    EXPECT_EQ("選択されているキーワードを登録リストから\r削除します\r\rよろしいですか？", boxes_.back().text);
    EXPECT_EQ(UINT(MB_YESCANCEL), boxes_.back().flags & 0x0F);
    EXPECT_EQ(2, f.KeyWords.Count());
    answer_ = IDYES;
    f.KeywordDeleteClick(f.bbKeywordDelete);
    EXPECT_EQ(1, f.KeyWords.Count());
    EXPECT_EQ(1, f.lbKeywords->Count());
    EXPECT_EQ(1, c_->KeyWordList.Count());  // the control waits for saving
}

TEST_F(TextViewWindow, SameButtonsAskAndSpareTheSelectionColours) {
    TfoTextViewSettings f(app_, *c_, tvpBracket);
    EXPECT_EQ(2, f.pcSettings->ActivePageIndex());
    const TColor ankBack = f.Prop.View().Colors().Ank.BkColor();
    answer_ = IDCANCEL;
    f.SameBkColorClick(f.bbSameBkColor);
    EXPECT_EQ(ankBack, f.Prop.View().Colors().Ank.BkColor());

    answer_ = IDOK;
    f.SameBkColorClick(f.bbSameBkColor);
    f.SameStyleClick(f.bbSameStyle);
    f.SameColorClick(f.bbBracketSameColor);
    ASSERT_EQ(4u, boxes_.size());
    EXPECT_EQ("Change all BkColor to clNavy", boxes_[1].text);
    EXPECT_EQ("Change all Style to [ fsBold, fsItalic ]", boxes_[2].text);
    EXPECT_EQ("Change all Color to clWhite", boxes_[3].text);
    EXPECT_EQ(UINT(MB_OKCANCEL), boxes_[3].flags & 0x0F);
    const TTextEditorColors& colors = f.Prop.View().Colors();
    for (const TTextEditorColor* c : {&colors.Ank, &colors.Comment, &colors.Int, &colors.Url}) {
        EXPECT_EQ(clNavy, c->BkColor());
        EXPECT_EQ(fsBold | fsItalic, c->Style());
    }
    EXPECT_EQ(clWhite, colors.Select.BkColor());
    EXPECT_EQ(0, colors.Select.Style());
    EXPECT_EQ(clBlack, colors.Url.Color());  // the bracket button left the tokens alone
    EXPECT_EQ(clWhite, f.Prop.View().Brackets().Items(0).ItemColor().Color());
}

TEST_F(TextViewWindow, FontListAndWrapDefaults) {
    const std::vector<std::string> fixed = TfoTextViewSettings::FontNames(false);
    const std::vector<std::string> all = TfoTextViewSettings::FontNames(true);
    EXPECT_FALSE(fixed.empty());
    EXPECT_GT(all.size(), fixed.size());
    for (const std::string& name : all) EXPECT_NE('@', name[0]) << name;
    for (const std::string& name : fixed) EXPECT_TRUE(std::binary_search(all.begin(), all.end(), name)) << name;

    TfoTextViewSettings f(app_, *c_, tvpWrap);
    EXPECT_EQ(4, f.pcSettings->ActivePageIndex());
    // The control's own font stays listed, whatever the system says of it.
    EXPECT_EQ(f.lbFont->IndexOf("FixedSys"), f.lbFont->ItemIndex());
    Click(f.chbVariablePitch);
    EXPECT_EQ(f.lbFont->IndexOf("FixedSys"), f.lbFont->ItemIndex());
    EXPECT_GE(f.lbFont->Count(), static_cast<int>(all.size()));

    f.edFollowStr->SetText("x");
    EXPECT_EQ("x", f.Prop.WrapOption().FollowStr());
    f.bbFollowStrDefault->Click();
    EXPECT_EQ(TTextEditorWrapOption::kDefaultFollowStr, f.Prop.WrapOption().FollowStr());
    EXPECT_EQ(TTextEditorWrapOption::kDefaultFollowStr, f.edFollowStr->Text());
}
