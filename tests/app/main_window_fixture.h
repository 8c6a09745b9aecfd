// The main window created in the test process, with message boxes recorded
// instead of shown.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../app_test_fixture.h"
#include "app/main_form.h"
#include "temp_folder.h"

class MainWindow : public AppTest {
protected:
    void TearDown() override {
        delete form_;
        AppTest::TearDown();
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

    TempFolder dir_;
    TfoMAIN* form_ = nullptr;
};

