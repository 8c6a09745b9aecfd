// The version window: its texts, the timed animation of the logo, the logo
// panel's painting, and the end of the animation on close.
#include "../app_test_fixture.h"
#include <gtest/gtest.h>

#include <vector>

#include "app/version_form.h"

namespace {
class VersionWindow : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        form_ = new TfoVer(app_);
        form_->Clock = [this] { return now_; };
    }
    void TearDown() override { delete form_; AppTest::TearDown(); }
    // One tick of the animation timer at time t.
    void TickAt(DWORD t) {
        now_ = t;
        ASSERT_TRUE(static_cast<bool>(form_->tmAnimate->OnTimer));
        form_->tmAnimate->OnTimer(form_->tmAnimate);
    }
    TfoVer* form_ = nullptr;
    DWORD now_ = 0;
};
} // namespace

TEST_F(VersionWindow, ShowsTheVersionItWasGiven) {
    EXPECT_EQ("Quillmark バージョン情報", form_->Caption());
    EXPECT_EQ(366, form_->ClientWidth());
    EXPECT_EQ(176, form_->ClientHeight());
    EXPECT_EQ(357, form_->pnLogo->Width());
    EXPECT_EQ(85, form_->pnLogo->Height());
    EXPECT_TRUE(form_->FlipImage1->Transparent());
    EXPECT_EQ(100, form_->FlipImage1->Zoom());
    EXPECT_EQ(form_->FlipImage1, form_->FindComponent("FlipImage1"));
    EXPECT_EQ("OK", form_->bbOK->Caption());
    // The card turns with round corners: they are the transparent colour.
    const auto& logo = form_->FlipImage1->Picture();
    ASSERT_FALSE(logo.Empty());
    EXPECT_EQ(logo.Pixel(0, logo.height - 1), logo.Pixel(logo.width - 1, 0));
    EXPECT_NE(logo.Pixel(0, logo.height - 1), logo.Pixel(logo.width / 2, logo.height / 2));
    // At every angle about either axis the card stays inside its panel.
    for (int direction : {0, 1}) {
        form_->FlipImage1->SetDirection(direction);
        for (int angle = 0; angle < 3600; angle += 25) {
            form_->FlipImage1->SetAngle(angle);
            EXPECT_LE(form_->FlipImage1->Frame().width, form_->pnLogo->Width()) << angle;
            EXPECT_LE(form_->FlipImage1->Frame().height, form_->pnLogo->Height()) << angle;
        }
    }
    form_->Version = "v1.00A";
    form_->FormActivate(form_);
    EXPECT_EQ("Version v1.00A", form_->lVersion->Caption());
}

TEST_F(VersionWindow, LogoTurnsOncePerThreeSecondsAndSixTenths) {
    // A step every 100 ms, on a timer: the UI thread never waits for it.
    EXPECT_TRUE(form_->Animating());
    EXPECT_EQ(100u, form_->tmAnimate->Interval);
    TickAt(5000);
    EXPECT_EQ(1400, form_->FlipImage1->Angle());
    EXPECT_TRUE(form_->FlipImage1->Negative());
    EXPECT_EQ(1, form_->FlipImage1->Direction()); // second turn: the other axis
    ASSERT_NE(nullptr, form_->FlipImage1->Image());
    TickAt(5100);
    EXPECT_EQ(1500, form_->FlipImage1->Angle());

    // The back half of each turn is inverted, its edges are not.
    const struct {
        DWORD t;
        int angle;
        bool negative;
        int direction;
    } steps[] = {{7200 + 900, 900, false, 0},  {7200 + 1100, 901 + 199, true, 0},
                 {7200 + 2699, 2699, true, 0}, {7200 + 2900, 2900, false, 0},
                 {10800 + 100, 100, false, 1}, {14400 + 1000, 1000, true, 0}};
    for (const auto& s : steps) {
        TickAt(s.t);
        EXPECT_EQ(s.angle, form_->FlipImage1->Angle()) << s.t;
        EXPECT_EQ(s.negative, form_->FlipImage1->Negative()) << s.t;
        EXPECT_EQ(s.direction, form_->FlipImage1->Direction()) << s.t;
    }
    // Edge-on at a quarter turn: nothing to draw.
    TickAt(18000 + 900);
    EXPECT_EQ(nullptr, form_->FlipImage1->Image());
}

TEST_F(VersionWindow, ClosingStopsTheAnimation) {
    // The window leaves the application's idle handler alone.
    bool earlier = false;
    delete form_;
    app_->OnIdle = [&](TObject*, bool&) { earlier = true; };
    form_ = new TfoVer(app_);
    EXPECT_TRUE(form_->Animating());
    form_->Close();
    EXPECT_FALSE(form_->Animating());
    ASSERT_TRUE(static_cast<bool>(app_->OnIdle));
    bool done = true;
    app_->OnIdle(app_, done);
    EXPECT_TRUE(earlier);
    app_->OnIdle = nullptr;
    // A window destroyed while it turns leaves no timer behind to call it.
    delete form_;
    form_ = new TfoVer(app_);
    form_->Show();
    delete form_;
    form_ = nullptr;
    MSG m;
    const DWORD until = GetTickCount() + 300;
    while (GetTickCount() < until) {
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        Sleep(10);
    }
    form_ = new TfoVer(app_);
}

TEST_F(VersionWindow, LogoPanelPaintsWithoutErasing) {
    HWND panel = form_->pnLogo->Handle();
    ASSERT_NE(nullptr, panel);
    // Erasing is swallowed: a white surface stays white.
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 20, 20);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    RECT r{0, 0, 20, 20};
    FillRect(mem, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(1, SendMessageA(panel, WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem), 0));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(mem, 5, 5));
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);

    // A paint request without a device context draws the logo on black.
    form_->Show();
    TickAt(3600 * 2); // angle 0: the flat card
    RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(panel);
    const COLORREF corner = GetPixel(dc, 2, 2);
    const COLORREF inside = GetPixel(dc, 357 / 2, 85 / 2);
    ReleaseDC(panel, dc);
    EXPECT_EQ(RGB(0, 0, 0), corner);
    EXPECT_NE(RGB(0, 0, 0), inside);
    form_->Close();
}

namespace {
std::string seenVersion;
std::vector<int> seenAngles;

// Runs while the modal window is up: reads it twice, then presses OK.
void CALLBACK WatchVersionWindow(HWND, UINT, UINT_PTR id, DWORD) {
    HWND h = FindWindowA("TfoVer", nullptr);
    if (!h || !IsWindowVisible(h)) return;
    auto* f = dynamic_cast<TfoVer*>(TWinControl::FromHandle(h));
    if (!f) return;
    seenVersion = f->lVersion->Caption();
    seenAngles.push_back(f->FlipImage1->Angle());
    if (seenAngles.size() == 2) {
        KillTimer(nullptr, id);
        PostMessageA(f->bbOK->Handle(), BM_CLICK, 0, 0);
    }
}
} // namespace

TEST_F(VersionWindow, ShowVersionRunsModallyUntilOk) {
    delete form_;
    form_ = nullptr;
    seenVersion.clear();
    seenAngles.clear();
    SetTimer(nullptr, 0, 400, WatchVersionWindow);
    ShowVersion("v1.00A");
    EXPECT_EQ("Version v1.00A", seenVersion);
    // The logo turned between the two looks, on the real clock.
    ASSERT_EQ(2u, seenAngles.size());
    EXPECT_NE(seenAngles[0], seenAngles[1]);
    EXPECT_EQ(nullptr, FindWindowA("TfoVer", nullptr));
    EXPECT_FALSE(static_cast<bool>(app_->OnIdle));
    form_ = new TfoVer(app_);
}
