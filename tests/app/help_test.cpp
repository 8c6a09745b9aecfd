// The help file opened through the HTML Help viewer at the program's
// context numbers, and the beep when there is none.
#include <gtest/gtest.h>

#include "../imageview/image_win_test_util.h"
#include "temp_folder.h"
#include "ui/forms.h"

namespace {
struct Found {
    const char* cls;
    HWND hwnd;
};

BOOL CALLBACK MatchOwnWindow(HWND h, LPARAM lp) {
    auto* f = reinterpret_cast<Found*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    char name[64] = {};
    GetClassNameA(h, name, sizeof name);
    if (pid == GetCurrentProcessId() && IsWindowVisible(h) && std::string(name) == f->cls) {
        f->hwnd = h;
        return FALSE;
    }
    return TRUE;
}

HWND HelpWindow() {
    Found f{"HH Parent", nullptr};
    EnumWindows(MatchOwnWindow, reinterpret_cast<LPARAM>(&f));
    return f.hwnd;
}
}  // namespace

TEST(HelpFile, OpensAtEveryContextTheProgramUsesAndOnlyThere) {
    TApplication app;
    TForm* main = new TForm(&app);
    main->Show();
    app.HelpFile = BinFolder() + "Quillmark.chm";
    ASSERT_TRUE(TempFolder::Exists(app.HelpFile)) << app.HelpFile;
    for (int context : {1, 2, 3, 5}) {
        EXPECT_TRUE(app.HelpContext(context)) << "context " << context;
        const HWND help = HelpWindow();
        ASSERT_NE(nullptr, help) << "context " << context;
        char title[128] = {};
        GetWindowTextA(help, title, sizeof title);
        EXPECT_STREQ("Quillmark ヘルプ", title);
    }
    // A number the file does not map opens nothing.
    EXPECT_FALSE(app.HelpContext(4));
}

TEST(HelpFile, WithoutTheFileThereIsOnlyTheBeep) {
    TApplication app;
    TempFolder dir;
    app.HelpFile = dir / "Quillmark.chm";
    EXPECT_FALSE(app.HelpContext(1));
    app.HelpFile.clear();
    EXPECT_FALSE(app.HelpContext(2));
    EXPECT_EQ(nullptr, HelpWindow());
}
