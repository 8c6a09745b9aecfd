// The media control on the sample clip and tune through the platform's MCI,
// and on files it cannot play.
#include "../app_test_fixture.h"
#include <gtest/gtest.h>

#include "media/media_player.h"
#include "media_test_util.h"

namespace {
struct MediaPlayer : AppTest {
    void SetUp() override {
        AppTest::SetUp();
        form = new TForm(app_);
        form->SetClientSize(320, 240);
        display = new TPanel(form, form);
        display->SetBounds(0, 0, 200, 150);
        mp = new TMediaPlayer(form);
        mp->Display = display->Handle();
    }
    void TearDown() override { delete form; AppTest::TearDown(); }
    std::string OpenError(const std::string& path) {
        mp->FileName = path;
        try {
            mp->Open();
        } catch (const EMCIDeviceError& e) {
            return e.what();
        }
        return {};
    }
    TForm* form = nullptr;
    TPanel* display = nullptr;
    TMediaPlayer* mp = nullptr;
};
} // namespace

TEST_F(MediaPlayer, OpensTheClipWithItsRectangleAndPlaysPausesResumesSeeksAndStops) {
    mp->FileName = SampleMedia("clip.avi");
    mp->Open();
    ASSERT_NE(0u, mp->DeviceID());
    EXPECT_TRUE(mp->HasVideo());
    EXPECT_EQ(160, mp->DisplayRect().right - mp->DisplayRect().left);
    EXPECT_EQ(120, mp->DisplayRect().bottom - mp->DisplayRect().top);
    EXPECT_EQ(30, mp->Length());
    EXPECT_EQ(mpStopped, mp->Mode());

    mp->Play();
    EXPECT_TRUE(WaitFor(3000, [&] { return mp->Position() > 0; })) << "the counter does not advance";
    mp->Pause();
    EXPECT_EQ(mpPaused, mp->Mode());
    const long paused = mp->Position();
    WaitFor(300, [] { return false; });
    EXPECT_EQ(paused, mp->Position());
    mp->Pause(); // resumes
    EXPECT_TRUE(WaitFor(2000, [&] { return mp->Position() > paused; })) << "no resume";
    mp->Stop();
    EXPECT_EQ(mpStopped, mp->Mode());
    mp->SetPosition(20);
    EXPECT_EQ(20, mp->Position());
    mp->Pause(); // neither playing nor paused: nothing
    EXPECT_EQ(mpStopped, mp->Mode());

    mp->SetDisplayRect(RECT{0, 0, 80, 60});
    EXPECT_EQ(80, mp->DisplayRect().right);
    mp->Close();
    EXPECT_EQ(0u, mp->DeviceID());
}

TEST_F(MediaPlayer, ClipsClosedWhilePlayingLeaveNothingRunningBehind) {
    for (int i = 0; i < 6; ++i) {
        mp->FileName = SampleMedia("clip.avi");
        mp->Open();
        mp->Play();
        EXPECT_TRUE(WaitFor(2000, [&] { return mp->Position() > 0; }));
        mp->Close();
        WaitFor(50, [] { return false; });
    }
    // The video driver stays loaded: its player threads end in its code
    // after the device has gone.
    EXPECT_NE(nullptr, GetModuleHandleA("mciavi32.dll"));
}

TEST_F(MediaPlayer, OpensTheTuneWithoutPictureOrSoundDevice) {
    mp->FileName = SampleMedia("sakura.mid");
    mp->Open();
    EXPECT_FALSE(mp->HasVideo());
    EXPECT_EQ(0, mp->DisplayRect().right);
    EXPECT_GT(mp->Length(), 20000); // about 28 seconds, in milliseconds
    mp->SetPosition(3000);
    EXPECT_EQ(3000, mp->Position());
    // With no MIDI output here the sequencer plays without advancing.
    mp->Play();
    EXPECT_EQ(mpPlaying, mp->Mode());
    mp->Pause();
    EXPECT_EQ(mpPaused, mp->Mode());
    mp->Pause();
    EXPECT_EQ(mpPlaying, mp->Mode());
    mp->Stop();
    EXPECT_EQ(mpStopped, mp->Mode());
    mp->SetDisplayRect(RECT{0, 0, 10, 10}); // no picture: nothing to place
}

TEST_F(MediaPlayer, FailuresCarryThePlatformsTextAndLeaveNoDeviceBehind) {
    // Commands without a device.
    try {
        mp->Play();
        FAIL() << "no error without a device";
    } catch (const EMCIDeviceError& e) {
        EXPECT_STREQ("MCI デバイスがありません", e.what());
    }
    EXPECT_THROW(mp->Position(), EMCIDeviceError);

    TTempDir dir;
    const std::string notVideo = dir.Write("broken.avi", std::string("RIFF\x10\0\0\0AVI junk junk", 20));
    const std::string notTune = dir.Write("broken.mid", std::string("MThd nonsense"));
    const std::string odd = dir.Write("odd.avi", UnknownCodecClip());
    // The platform's own text for the code the open returned.
    EXPECT_EQ(TMediaPlayer::ErrorText(MCIERR_INVALID_FILE), OpenError(notVideo));
    EXPECT_EQ(TMediaPlayer::ErrorText(MCIERR_INVALID_FILE), OpenError(notTune));
    EXPECT_EQ(TMediaPlayer::ErrorText(MCIERR_FILE_NOT_FOUND), OpenError(dir.Path() + "missing.avi"));
    EXPECT_NE("", TMediaPlayer::ErrorText(MCIERR_FILE_NOT_FOUND));
    // A codec nobody has: the clip does not open.
    EXPECT_NE("", OpenError(odd));
    EXPECT_EQ(0u, mp->DeviceID());
    // Nothing is left open: the clip opens again and again.
    for (int i = 0; i < 3; ++i) {
        mp->FileName = SampleMedia("clip.avi");
        mp->Open();
        EXPECT_NE(0u, mp->DeviceID());
        EXPECT_NE("", OpenError(notVideo));
        EXPECT_EQ(0u, mp->DeviceID()); // the open closed the device before it
    }
}
