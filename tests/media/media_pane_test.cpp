// The media pane in a window built like the main window's, on the sample
// clip and tune through the platform's MCI: opening and sizing, the counter,
// the transport, the marks and the loop, the zoom steps, bad media, and the
// picture the video area shows.
#include <gtest/gtest.h>

#include <vector>

#include "clip_picture.h"
#include "../app_test_fixture.h"
#include "media/media_pane.h"
#include "media_test_util.h"

namespace {
struct MediaPane : AppTest {
    void SetUp() override {
        AppTest::SetUp();
        form = new TForm(app_);
        form->SetClientSize(420, 300);
        for (const char* name : {"mmAviPlay", "mmAviPause", "mmAviStop", "mmAviOrg", "mmAviMax",
                                 "mmAviSmall", "mmAviLarge", "mmAviSetA", "mmAviSetB", "mmAviClearAB"}) {
            (new TMenuItem(form))->Name = name;
        }
        base = new TPanel(form, form);
        base->Name = "pnBaseAVI";
        base->SetAlign(alClient);
        auto* bar = new TPanel(form, base);
        bar->Name = "pnTbAVI";
        bar->SetHeight(24);
        bar->SetAlign(alTop);
        TLedGroup* leds[3];
        for (int i = 0; i < 3; ++i) {
            leds[i] = new TLedGroup(form, bar);
            leds[i]->SetLedStyle(lsSevenBars);
            leds[i]->SetMargin(1);
            leds[i]->SetMaxDigits(5);
            leds[i]->SetBounds(200, 3, 52, 18);
            leds[i]->SetCaption("00000");
        }
        pane = std::make_unique<TMediaPane>(form, base, bar, leds[0], leds[1], leds[2]);
        pane->FitImage = [this] { return fit; };
        pane->RePreview = [this] { ++repreviews; };
        form->Show();
    }
    void TearDown() override {
        pane.reset();
        delete form;
        AppTest::TearDown();
    }
    TMenuItem* Item(const char* name) { return dynamic_cast<TMenuItem*>(form->FindComponent(name)); }
    TMPModes Mode() { return pane->mp->Mode(); }
    long Position() { return pane->mp->Position(); }
    // The user drags the track bar to `position`.
    void Drag(int position) {
        SendMessageA(pane->trcAVI->BarHandle(), TBM_SETPOS, TRUE, position);
        SendMessageA(pane->trcAVI->Handle(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                     reinterpret_cast<LPARAM>(pane->trcAVI->BarHandle()));
    }

    TForm* form = nullptr;
    TPanel* base = nullptr;
    std::unique_ptr<TMediaPane> pane;
    bool fit = false;
    int repreviews = 0;
};
} // namespace

TEST_F(MediaPane, OpeningTheClipSizesTheVideoPlaysAtOnceAndTheCounterFollows) {
    pane->ShowMedia(SampleMedia("clip.avi"));
    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(160, pane->AviNaturalWidth);
    EXPECT_EQ(120, pane->AviNaturalHeight);
    EXPECT_EQ(100, pane->ZoomPercent());
    EXPECT_EQ(160, pane->mp->DisplayRect().right);
    EXPECT_EQ(162, pane->pnAviDisplay->Width());
    EXPECT_EQ(122, pane->pnAviDisplay->Height());
    EXPECT_EQ(163, pane->pnAVIFrame->Width());
    EXPECT_TRUE(pane->pnAVIFrame->Visible());
    EXPECT_EQ(30, pane->trcAVI->Max());
    EXPECT_EQ(1, pane->trcAVI->LineSize());
    EXPECT_EQ(3, pane->trcAVI->PageSize());
    EXPECT_TRUE(Item("mmAviLarge")->Enabled());
    EXPECT_TRUE(pane->sbAviEnLarge->Enabled());
    EXPECT_TRUE(pane->Timer1->Enabled());
    EXPECT_EQ(500u, pane->Timer1->Interval);
    // The timer moves the bar and the counter while the clip plays.
    EXPECT_TRUE(WaitFor(3000, [&] { return pane->trcAVI->Position() > 0; }));
    EXPECT_NE("    0", pane->lgAVITime->Caption());
    // At the end the first tick that sees the device stopped ends the timer;
    // the counter keeps the last position.
    EXPECT_TRUE(WaitFor(4000, [&] { return !pane->Timer1->Enabled(); }));
    EXPECT_EQ(mpStopped, Mode());
    EXPECT_NE("    0", pane->lgAVITime->Caption());

    // With the fit option the video fills the pane less 5 pixels.
    fit = true;
    pane->Leave();
    pane->ShowMedia(SampleMedia("clip.avi"));
    const RECT client = pane->scbAVI->ClientRect();
    const int expected = static_cast<int>(std::min((client.bottom - 5) / 120.0, (client.right - 5) / 160.0) * 100);
    EXPECT_EQ(expected, pane->ZoomPercent());
    EXPECT_EQ(160 * expected / 100, pane->mp->DisplayRect().right);
}

TEST_F(MediaPane, TheVideoAreaShowsTheClipsFramesAsItPlays) {
    pane->ShowMedia(SampleMedia("clip.avi"));
    ASSERT_TRUE(boxes_.empty()) << boxes_[0].text;
    const HWND display = pane->pnAviDisplay->Handle();
    ASSERT_TRUE(WaitFor(3000, [&] { return Position() >= 5; }));
    const clip_picture::TLook early = clip_picture::Look(display, pane->mp->DisplayRect());
    const long earlyPosition = Position();
    EXPECT_TRUE(early.Problems.empty()) << early.Text();
    ASSERT_TRUE(WaitFor(3000, [&] { return Position() >= 18; }));
    const clip_picture::TLook later = clip_picture::Look(display, pane->mp->DisplayRect());
    const long laterPosition = Position();
    EXPECT_TRUE(later.Problems.empty()) << later.Text();
    // The picture keeps up with the device, and the bar grows.
    EXPECT_NEAR(earlyPosition, early.Frame, 3);
    EXPECT_NEAR(laterPosition, later.Frame, 3);
    EXPECT_GT(later.Bar, early.Bar);
}

// Uncompressed 24-bit frames take the platform's own path for raw video.
// Wine hands them to its RLE codec, which copies the 24-bit rows unconverted
// into the 32-bit picture it asked for: there the picture is known to come
// out garbled, and only the playing is checked.
TEST_F(MediaPane, ARawClipPlaysWithItsPicture) {
    pane->ShowMedia(TestClip("raw.avi"));
    ASSERT_TRUE(boxes_.empty()) << boxes_[0].text;
    EXPECT_EQ(160, pane->AviNaturalWidth);
    EXPECT_EQ(120, pane->AviNaturalHeight);
    EXPECT_EQ(30, pane->trcAVI->Max());
    ASSERT_TRUE(WaitFor(3000, [&] { return Position() >= 8; }));
    const clip_picture::TLook look = clip_picture::Look(pane->pnAviDisplay->Handle(), pane->mp->DisplayRect());
    if (!look.Problems.empty() && GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")) {
        GTEST_SKIP() << "Wine's picture of raw 24-bit video: " << look.Text();
    }
    EXPECT_TRUE(look.Problems.empty()) << look.Text();
}

TEST_F(MediaPane, AShortClipGetsTheSmallestTrackBarSteps) {
    TTempDir dir;
    pane->ShowMedia(dir.Write("short.avi", ShortClip(15)));
    ASSERT_TRUE(boxes_.empty()) << boxes_[0].text;
    EXPECT_EQ(15, pane->trcAVI->Max());
    EXPECT_EQ(10, pane->trcAVI->LineSize());
    EXPECT_EQ(1, pane->trcAVI->PageSize());
}

TEST_F(MediaPane, PlayPauseStopAndSeekDriveTheDevice) {
    pane->ShowMedia(SampleMedia("clip.avi"));
    ASSERT_TRUE(WaitFor(3000, [&] { return Position() >= 3; }));
    pane->mmAviPauseClick(nullptr);
    EXPECT_EQ(mpPaused, Mode());
    const long paused = Position();
    // Ticks leave a paused device alone, and the timer keeps running.
    pane->Timer1Timer(pane->Timer1);
    EXPECT_TRUE(pane->Timer1->Enabled());
    // Play resumes where the pause left off.
    pane->mmAviPlayClick(nullptr);
    EXPECT_GE(Position(), paused);
    EXPECT_TRUE(WaitFor(2000, [&] { return Position() > paused; }));
    // The double click pauses a playing clip and plays a paused one.
    pane->pnAviDisplayDblClick(pane->pnAviDisplay);
    EXPECT_EQ(mpPaused, Mode());
    pane->pnAviDisplayDblClick(pane->pnAviDisplay);
    EXPECT_EQ(mpPlaying, Mode());
    // Play while playing starts over.
    WaitFor(300, [] { return false; });
    pane->mmAviPlayClick(nullptr);
    EXPECT_LE(Position(), 2);

    pane->mmAviStopClick(nullptr);
    EXPECT_EQ(mpStopped, Mode());
    EXPECT_EQ(0, Position());
    EXPECT_EQ(0, pane->trcAVI->Position());
    EXPECT_EQ("    0", pane->lgAVITime->Caption());
    EXPECT_FALSE(pane->Timer1->Enabled());

    // The user's move of the track bar seeks there and plays on.
    Drag(20);
    EXPECT_GE(Position(), 20);
    EXPECT_TRUE(pane->Timer1->Enabled());
    EXPECT_TRUE(WaitFor(2000, [&] { return Position() > 20; }));
    // A tick moves the bar and lets the user's moves reach the device again.
    pane->Timer1Timer(pane->Timer1);
    EXPECT_GT(pane->trcAVI->Position(), 20);
    EXPECT_TRUE(static_cast<bool>(pane->trcAVI->OnChange));
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(MediaPane, MarksSetTheWrongWayRoundLoopFromTheLowerOne) {
    pane->ShowMedia(SampleMedia("sakura.mid"));
    ASSERT_TRUE(boxes_.empty()) << boxes_[0].text;
    // A tune has no picture: no size, no zoom commands.
    EXPECT_EQ(0, pane->AviNaturalWidth);
    EXPECT_EQ(0, pane->AviNaturalHeight);
    EXPECT_FALSE(pane->sbAviEnLarge->Enabled());
    EXPECT_FALSE(pane->sbAviReduce->Enabled());
    EXPECT_FALSE(Item("mmAviSmall")->Enabled());
    EXPECT_FALSE(Item("mmAviOrg")->Enabled());
    EXPECT_FALSE(Item("mmAviClearAB")->Enabled());

    pane->mp->SetPosition(3000);
    pane->mmAviSetAClick(nullptr);
    EXPECT_EQ(3000, pane->AviMarkA);
    EXPECT_EQ(" 3000", pane->lgAviSetA->Caption());
    EXPECT_TRUE(Item("mmAviClearAB")->Enabled());
    pane->mp->SetPosition(1000);
    pane->mmAviSetBClick(nullptr);
    EXPECT_EQ(1000, pane->AviMarkA);
    EXPECT_EQ(3000, pane->AviMarkB);
    EXPECT_EQ(" 1000", pane->lgAviSetA->Caption());
    EXPECT_EQ(" 3000", pane->lgAviSetB->Caption());
    EXPECT_TRUE(pane->AviRepeat);
    EXPECT_TRUE(pane->sbAviClearAB->Enabled());
    EXPECT_EQ(1000, Position());
    EXPECT_EQ(mpPlaying, Mode());

    // A at or after B is ignored.
    pane->mp->SetPosition(3000);
    pane->mmAviSetAClick(nullptr);
    EXPECT_EQ(1000, pane->AviMarkA);

    // A tick at B sends the loop back to A, and the loop goes on; the clear
    // button turns flat and raised on alternate ticks.
    const bool flat = pane->sbAviClearAB->Flat;
    pane->Timer1Timer(pane->Timer1);
    EXPECT_EQ(1000, Position());
    EXPECT_EQ(mpPlaying, Mode());
    EXPECT_TRUE(pane->Timer1->Enabled());
    EXPECT_NE(flat, pane->sbAviClearAB->Flat);
    pane->Timer1Timer(pane->Timer1);
    EXPECT_EQ(flat, pane->sbAviClearAB->Flat);
    EXPECT_EQ(1000, Position()); // below B: no seek

    // Play ends the loop and keeps the marks; clearing resets them.
    pane->mmAviPlayClick(nullptr);
    EXPECT_FALSE(pane->AviRepeat);
    EXPECT_EQ(3000, pane->AviMarkB);
    pane->mmAviClearABClick(nullptr);
    EXPECT_EQ(0, pane->AviMarkA);
    EXPECT_EQ(0, pane->AviMarkB);
    EXPECT_EQ("    0", pane->lgAviSetB->Caption());
    EXPECT_TRUE(pane->sbAviClearAB->Flat);
    EXPECT_FALSE(Item("mmAviClearAB")->Enabled());

    // Marks are set only while the pane is shown.
    base->SetVisible(false);
    pane->mmAviSetAClick(nullptr);
    EXPECT_EQ(0, pane->AviMarkA);
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(MediaPane, ZoomStepsStopAtTenAndFourThousandPercent) {
    pane->ShowMedia(SampleMedia("clip.avi"));
    pane->mmAviStopClick(nullptr);
    pane->ApplyVideoSize(20);
    pane->pnAviDisplay->Tag = 20;
    pane->sbAviEnLargeClick(pane->sbAviReduce);
    EXPECT_EQ(10, pane->ZoomPercent());
    EXPECT_EQ(16, pane->mp->DisplayRect().right);
    EXPECT_EQ(18, pane->pnAviDisplay->Width());
    EXPECT_EQ(14, pane->pnAviDisplay->Height());
    pane->sbAviEnLargeClick(pane->sbAviReduce);
    EXPECT_EQ(10, pane->ZoomPercent());
    pane->pnAviDisplay->Tag = 3990;
    pane->sbAviEnLargeClick(pane->sbAviEnLarge);
    EXPECT_EQ(4000, pane->ZoomPercent());
    pane->sbAviEnLargeClick(pane->sbAviEnLarge);
    EXPECT_EQ(4000, pane->ZoomPercent());
    EXPECT_EQ(6400, pane->mp->DisplayRect().right);
    EXPECT_EQ(4803, pane->pnAVIFrame->Height());
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(MediaPane, BadMediaShowThePlatformsTextAndLeaveThePaneUsable) {
    TTempDir dir;
    const std::string broken = dir.Write("broken.avi", std::string("RIFF\x10\0\0\0AVI junk junk", 20));
    const std::string odd = dir.Write("odd.avi", UnknownCodecClip());
    for (const std::string& path : {broken, odd}) {
        boxes_.clear();
        pane->Leave();
        pane->ShowMedia(path);
        ASSERT_EQ(1u, boxes_.size()) << path;
        if (path == broken) {
            EXPECT_EQ(TMediaPlayer::ErrorText(MCIERR_INVALID_FILE), boxes_[0].text);
        }
        EXPECT_EQ(0u, pane->mp->DeviceID());
        EXPECT_TRUE(pane->pnAVIFrame->Visible());
        EXPECT_FALSE(pane->Timer1->Enabled());
        EXPECT_TRUE(static_cast<bool>(pane->trcAVI->OnChange));
    }
    // Play with no device previews the file again; a double click too, and
    // a double click says nothing of its own.
    pane->mmAviPlayClick(nullptr);
    EXPECT_EQ(1, repreviews);
    pane->RePreview = nullptr;
    boxes_.clear();
    pane->pnAviDisplayDblClick(pane->pnAviDisplay);
    EXPECT_TRUE(boxes_.empty());
    // Other commands without a device report it.
    pane->mmAviStopClick(nullptr);
    ASSERT_EQ(1u, boxes_.size());
    EXPECT_EQ("MCI デバイスがありません", boxes_[0].text);
    // The application's standard error box: the stop sound and icon.
    EXPECT_EQ(UINT(MB_ICONHAND), boxes_[0].beep);
    EXPECT_EQ(UINT(MB_OK | MB_ICONSTOP), boxes_[0].flags);

    // The next file opens and plays.
    boxes_.clear();
    pane->ShowMedia(SampleMedia("clip.avi"));
    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(mpPlaying, Mode());
}

TEST_F(MediaPane, LeavingClosesTheDeviceAndAMissingFileStartsNothing) {
    pane->ShowMedia(SampleMedia("clip.avi"));
    pane->mmAviStopClick(nullptr);
    // A stopped device holds the file too; leaving lets it go.
    pane->Leave();
    EXPECT_EQ(0u, pane->mp->DeviceID());
    EXPECT_FALSE(pane->Timer1->Enabled());
    EXPECT_EQ("    0", pane->lgAVITime->Caption());
    // A file that vanished before it was shown: nothing opens, nothing is
    // previewed again, nothing to report.
    pane->ShowMedia(SampleMedia("gone.avi"));
    EXPECT_EQ(0, repreviews);
    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(0u, pane->mp->DeviceID());
}

TEST_F(MediaPane, ATickThatFailsReportsOnceAndStopsTheTimer) {
    pane->ShowMedia(SampleMedia("clip.avi"));
    // The device goes away behind the pane's back.
    mciSendCommandA(pane->mp->DeviceID(), MCI_CLOSE, MCI_WAIT, 0);
    pane->Timer1Timer(pane->Timer1);
    EXPECT_EQ(1u, boxes_.size());
    EXPECT_FALSE(pane->Timer1->Enabled());
}
