// The main window created in the test process, with message boxes recorded
// instead of shown.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_form.h"
#include "temp_folder.h"

struct Box {
    UINT beep;
    std::string text;
    UINT flags;
};

class MainWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { app_ = new TApplication; }
    static void TearDownTestSuite() { delete app_; }

    void SetUp() override {
        SetMessageBoxHook([this](UINT beep, const std::string& text, UINT flags) {
            boxes_.push_back({beep, text, flags});
            return answer_;
        });
    }
    void TearDown() override {
        delete form_;
        SetMessageBoxHook(nullptr);
    }
    TfoMAIN* Start() {
        form_ = new TfoMAIN(app_, dir_ / "Quillmark.exe");
        form_->FormActivate(form_);
        return form_;
    }
    std::string Info(int i) { return form_->lNoneInfo[i]->Caption(); }
    TControl* Control(const char* name) { return dynamic_cast<TControl*>(form_->FindComponent(name)); }
    TMenuItem* Item(const char* name) { return dynamic_cast<TMenuItem*>(form_->FindComponent(name)); }
    // The one pane of the preview area that is shown.
    TControl* VisiblePane() {
        TControl* shown = nullptr;
        for (TControl* c : form_->pnView->Controls()) {
            if (c->Visible()) {
                EXPECT_EQ(nullptr, shown) << "two panes visible";
                shown = c;
            }
        }
        return shown;
    }

    static TApplication* app_;
    TempFolder dir_;
    TfoMAIN* form_ = nullptr;
    std::vector<Box> boxes_;
    int answer_ = IDOK;  // the button the recorder "presses"
};
inline TApplication* MainWindow::app_ = nullptr;

