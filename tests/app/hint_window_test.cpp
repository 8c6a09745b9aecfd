// The notice window of the hyperlink switch.
#include "../app_test_fixture.h"
#include <gtest/gtest.h>

#include "app/hint_form.h"

namespace {
class HintWindow : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        form_ = new TfoHint(app_);
    }
    void TearDown() override { delete form_; AppTest::TearDown(); }
    // A left click at the centre of a control, through the form's window.
    void ClickOn(TControl* c) {
        const LPARAM at = MAKELPARAM(c->Left() + c->Width() / 2, c->Top() + c->Height() / 2);
        SendMessageA(form_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(form_->Handle(), WM_LBUTTONUP, 0, at);
    }
    TfoHint* form_ = nullptr;
};
} // namespace

TEST_F(HintWindow, HasItsLinesButtonAndBox) {
    EXPECT_EQ("Quillmark インフォメーション", form_->Caption());
    EXPECT_EQ(480, form_->ClientWidth());
    EXPECT_EQ(149, form_->ClientHeight());
    EXPECT_EQ("ＯＫ", form_->bbOK->Caption());
    EXPECT_EQ("今後、このダイアログを表示しない", form_->lHidden->Caption());
    for (const char* name : {"lInfo1", "lInfo2", "lInfo3", "chbHidden", "lHidden", "bbOK"}) {
        EXPECT_NE(nullptr, form_->FindComponent(name)) << name;
    }
    EXPECT_EQ("", form_->lInfo3->Caption());
    EXPECT_FALSE(form_->chbHidden->Checked());
    // The shaded background covers the whole window.
    EXPECT_EQ(480, form_->lBackground->Width());
    EXPECT_EQ(149, form_->lBackground->Height());
}

TEST_F(HintWindow, ClickingTheLabelTogglesTheBox) {
    ClickOn(form_->lHidden);
    EXPECT_TRUE(form_->chbHidden->Checked());
    ClickOn(form_->lHidden);
    EXPECT_FALSE(form_->chbHidden->Checked());
    // A click on the background or another line does nothing.
    ClickOn(form_->lInfo1);
    SendMessageA(form_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 5));
    SendMessageA(form_->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(300, 5));
    EXPECT_FALSE(form_->chbHidden->Checked());
}

TEST_F(HintWindow, OkClosesTheModalWindowAndTheCallerReadsTheBox) {
    form_->lInfo1->SetCaption("URL,MAILアドレスの上でクリックすると");
    form_->lInfo2->SetCaption("そのアドレスにジャンプします");
    form_->lHiddenClick(form_->lHidden);
    PostMessageA(form_->bbOK->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(mrOk, form_->ShowModal());
    EXPECT_FALSE(IsWindowVisible(form_->Handle()));
    EXPECT_TRUE(form_->chbHidden->Checked());
}
