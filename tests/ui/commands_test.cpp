// Menus by name, shortcuts, the hourglass and message boxes.
#include "../app_test_fixture.h"
#include <gtest/gtest.h>

#include <atomic>
#include <iterator>
#include <stdexcept>
#include <thread>

#include "ui/buttons.h"
#include "ui/forms.h"

namespace {
struct Commands : AppTest {
    void SetUp() override {
        AppTest::SetUp();
        form = new TForm(app_);
        menu = new TMainMenu(form);
        file = Add(menu->Items(), "mmFile", "ファイル(&F)");
        copy = Add(file, "mmEditCopy", "コピー", scCtrl | 'C');
        hidden = Add(file, "mmHidden", "隠す", VK_F5);
        form->Menu = menu;
        menu->AttachTo(form->Handle());
    }
    void TearDown() override { delete form; AppTest::TearDown(); }
    TMenuItem* Add(TMenuItem* parent, const char* name, const char* caption, TShortCut sc = 0) {
        auto* item = new TMenuItem(form);
        item->Name = name;
        item->SetCaption(caption);
        item->ShortCut = sc;
        item->OnClick = [this](TObject* s) { clicked.push_back(static_cast<TMenuItem*>(s)->Name); };
        return parent->Add(item);
    }
    int PopupItems() { return GetMenuItemCount(GetSubMenu(menu->Handle(), 0)); }
    TForm* form = nullptr;
    TMainMenu* menu = nullptr;
    TMenuItem *file = nullptr, *copy = nullptr, *hidden = nullptr;
    std::vector<std::string> clicked;
};
}  // namespace

TEST_F(Commands, ShortcutsRunTheirItemUnlessDisabledOrHidden) {
    WORD key = 'C';
    EXPECT_TRUE(form->PreviewKey(key, ssCtrl));
    EXPECT_EQ(std::vector<std::string>{"mmEditCopy"}, clicked);
    key = 'C';
    EXPECT_FALSE(form->PreviewKey(key, 0));  // plain C is no shortcut

    copy->SetEnabled(false);
    key = 'C';
    EXPECT_TRUE(form->PreviewKey(key, ssCtrl));  // swallowed, not run
    EXPECT_EQ(1u, clicked.size());

    hidden->SetVisible(false);
    key = VK_F5;
    EXPECT_FALSE(form->PreviewKey(key, 0));
    EXPECT_EQ(1u, clicked.size());
}

TEST_F(Commands, HiddenItemsLeaveTheWin32Menu) {
    EXPECT_EQ(2, PopupItems());
    hidden->SetVisible(false);
    EXPECT_EQ(1, PopupItems());
    hidden->SetVisible(true);
    EXPECT_EQ(2, PopupItems());
    // Menu commands reach the item by its command id.
    SendMessageA(form->Handle(), WM_COMMAND, hidden->Command(), 0);
    EXPECT_EQ(std::vector<std::string>{"mmHidden"}, clicked);
}

TEST_F(Commands, CheckAndEnableReachTheWin32Menu) {
    HMENU sub = GetSubMenu(menu->Handle(), 0);
    copy->SetChecked(true);
    copy->SetEnabled(false);
    UINT state = GetMenuState(sub, copy->Command(), MF_BYCOMMAND);
    EXPECT_TRUE(state & MF_CHECKED);
    EXPECT_TRUE(state & MF_GRAYED);
    char text[64] = {};
    GetMenuStringA(sub, copy->Command(), text, sizeof text, MF_BYCOMMAND);
    EXPECT_EQ(std::string("コピー\tCtrl+C"), text);
}

TEST_F(Commands, KeyPreviewSeesKeysAndMayConsumeThem) {
    form->KeyPreview = true;
    form->OnKeyDown = [](TObject*, WORD& key, TShiftState) {
        if (key == VK_SPACE) key = 0;
    };
    WORD key = VK_SPACE;
    EXPECT_TRUE(form->PreviewKey(key, 0));
    key = 'Q';
    EXPECT_FALSE(form->PreviewKey(key, 0));
    EXPECT_EQ('Q', key);
}

TEST(HourGlass, RestoresTheCursorAlsoWhenWorkThrows) {
    EXPECT_EQ(crDefault, Screen.Cursor());
    try {
        THourGlass busy;
        EXPECT_EQ(crHourGlass, Screen.Cursor());
        {
            THourGlass nested;
        }
        EXPECT_EQ(crHourGlass, Screen.Cursor());
        throw std::runtime_error("load failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(crDefault, Screen.Cursor());
}

TEST(MessageBoxes, GoThroughTheHookWithBeepAndFlags) {
    UINT beep = 0, flags = 0;
    std::string text;
    SetMessageBoxHook([&](UINT b, const std::string& t, UINT f) {
        beep = b;
        text = t;
        flags = f;
        return IDYES;
    });
    EXPECT_EQ(IDYES, BeepBox(MB_ICONASTERISK, "設定を行いますか？", MB_YESNO));
    SetMessageBoxHook(nullptr);
    EXPECT_EQ(UINT(MB_ICONASTERISK), beep);
    EXPECT_EQ("設定を行いますか？", text);
    EXPECT_EQ(UINT(MB_YESNO), flags);
}

// A real box (no hook): a second thread reads the OK button's caption and
// presses it, which must answer Yes.
TEST(MessageBoxes, YesCancelShowsYesOnOkAndAnswersYes) {
    std::string caption;
    std::atomic<bool> done{false};
    std::thread presser([&] {
        for (int i = 0; i < 500 && !done; ++i) {
            HWND box = FindWindowA("#32770", "QmYesCancel");
            HWND ok = box ? GetDlgItem(box, IDOK) : nullptr;
            if (ok) {
                char text[64] = {};
                GetWindowTextA(ok, text, sizeof text);
                caption = text;
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(10);
        }
    });
    TApplication app;
    app.Title = "QmYesCancel";
    const int answer = BeepBox(0, "設定を行いますか？", MB_YESCANCEL | MB_ICONQUESTION);
    done = true;
    presser.join();
    EXPECT_EQ(IDYES, answer);
    EXPECT_EQ("はい(&Y)", caption);
}

TEST_F(Commands, ButtonsAndCheckBoxes) {
    auto* ok = new TButton(form, form);
    ok->ModalResult = mrOk;
    int clicks = 0;
    ok->OnClick = [&](TObject*) { ++clicks; };
    SendMessageA(ok->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(1, clicks);
    EXPECT_EQ(mrOk, form->ModalResult);

    auto* box = new TCheckBox(form, form);
    int changes = 0;
    box->OnChange = [&](TObject*) { ++changes; };
    box->SetChecked(true);
    box->SetChecked(true);  // no change, no event
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(1, changes);
    SendMessageA(box->Handle(), BM_CLICK, 0, 0);  // as a user's click
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(2, changes);
}

// Each severity picks its beep and icon; a component's notice comes
// without the beep and under its own caption (seen on a real box).
TEST_F(Commands, TellUserPicksBeepAndIconBySeverity) {
    struct {
        TSeverity severity;
        TAnswers answers;
        UINT beep, flags;
    } cases[] = {
        {TSeverity::Information, TAnswers::Ok, MB_ICONASTERISK, MB_OK | MB_ICONINFORMATION},
        {TSeverity::Warning, TAnswers::YesCancel, MB_ICONEXCLAMATION, MB_YESCANCEL | MB_ICONWARNING},
        {TSeverity::Error, TAnswers::Ok, MB_ICONEXCLAMATION, MB_OK | MB_ICONERROR},
        {TSeverity::Question, TAnswers::OkCancel, MB_ICONASTERISK, MB_OKCANCEL | MB_ICONQUESTION},
        {TSeverity::Stop, TAnswers::Ok, MB_ICONHAND, MB_OK | MB_ICONSTOP},
        {TSeverity::Plain, TAnswers::YesNo, 0, MB_YESNO},
    };
    answer_ = IDNO;
    for (const auto& c : cases) EXPECT_EQ(IDNO, TellUser(c.severity, "text", c.answers));
    ASSERT_EQ(std::size(cases), boxes_.size());
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        EXPECT_EQ(cases[i].beep, boxes_[i].beep) << i;
        EXPECT_EQ(cases[i].flags, boxes_[i].flags) << i;
        EXPECT_EQ("text", boxes_[i].text);
    }
    boxes_.clear();
    TellUser(TSeverity::Information, "notice", TAnswers::Ok, {false, " ShellFolderTree"});
    ASSERT_EQ(1u, boxes_.size());
    EXPECT_EQ(0u, boxes_[0].beep);
    EXPECT_EQ(UINT(MB_OK | MB_ICONINFORMATION), boxes_[0].flags);

    SetMessageBoxHook(nullptr);
    std::atomic<bool> found{false};
    std::thread presser([&] {
        for (int i = 0; i < 500; ++i) {
            if (HWND box = FindWindowA("#32770", " QmOwnCaption")) {
                found = true;
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(10);
        }
    });
    const int answer = TellUser(TSeverity::Plain, "plain", TAnswers::Ok, {true, " QmOwnCaption"});
    presser.join();
    EXPECT_TRUE(found);
    EXPECT_EQ(IDOK, answer);
}
