// One application object for all tests of a suite, and message boxes
// recorded and answered instead of shown, so that no test waits for a user.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/forms.h"

struct Box {
    UINT beep;
    std::string text;
    UINT flags;
};

class AppTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { app_ = new TApplication; }
    static void TearDownTestSuite() {
        delete app_;
        app_ = nullptr;
    }
    void SetUp() override {
        SetMessageBoxHook([this](UINT beep, const std::string& text, UINT flags) {
            boxes_.push_back({beep, text, flags});
            return answer_;
        });
    }
    void TearDown() override { SetMessageBoxHook(nullptr); }

    static TApplication* app_;
    std::vector<Box> boxes_;
    int answer_ = IDOK;  // the button the recorder "presses"
};
inline TApplication* AppTest::app_ = nullptr;
