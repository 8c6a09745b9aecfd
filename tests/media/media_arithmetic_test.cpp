// Step sizes, zoom steps, the opening zoom, the marks and the counter text
// of the media pane.
#include <gtest/gtest.h>

#include "media/media_arithmetic.h"

using namespace media;

TEST(MediaTrackBar, StepsAreATwentiethAndATenthWithZeroBecomingTen) {
    // Trunc(15 / 20) = 0 becomes 10; Trunc(15 / 10) = 1 stays.
    EXPECT_EQ(10, TrackBarSizes(15).Line);
    EXPECT_EQ(1, TrackBarSizes(15).Page);
    EXPECT_EQ(10, TrackBarSizes(0).Line);
    EXPECT_EQ(10, TrackBarSizes(0).Page);
    EXPECT_EQ(1788, TrackBarSizes(35760).Line);
    EXPECT_EQ(3576, TrackBarSizes(35760).Page);
}

TEST(MediaZoom, StepsStopAtTenAndFourThousandPercent) {
    EXPECT_EQ(10, ZoomStepPercent(20, false));
    EXPECT_EQ(10, ZoomStepPercent(10, false));
    EXPECT_EQ(11, ZoomStepPercent(21, false));
    EXPECT_EQ(110, ZoomStepPercent(100, true));
    EXPECT_EQ(4000, ZoomStepPercent(3995, true));
    EXPECT_EQ(4000, ZoomStepPercent(4000, true));
    EXPECT_TRUE(NamesEnlarge("sbAviEnLarge"));
    EXPECT_TRUE(NamesEnlarge("mmAviEnlarge"));
    EXPECT_FALSE(NamesEnlarge("sbAviReduce"));
    EXPECT_FALSE(NamesEnlarge("mmAviLarge")); // no action of its own
}

TEST(MediaZoom, VideoSizeTruncatesAndTheOpeningZoomFitsThePane) {
    const TVideoSize half = VideoSize(161, 121, 50);
    EXPECT_EQ(80, half.Width);
    EXPECT_EQ(60, half.Height);
    // The fit leaves 5 pixels: min((245 - 5) / 120, (405 - 5) / 160) = 2.
    EXPECT_EQ(200, OpeningZoomPercent(true, 405, 245, 160, 120));
    EXPECT_EQ(100, OpeningZoomPercent(false, 405, 245, 160, 120));
    // No picture (MIDI): the division fails and the factor is 1.
    EXPECT_EQ(100, OpeningZoomPercent(true, 405, 245, 0, 0));
    // A pane too small for the margin still gives the video a size.
    EXPECT_EQ(kMinZoomPercent, OpeningZoomPercent(true, 3, 3, 160, 120));
}

TEST(MediaMarks, AIsRefusedAtOrAfterBAndTheLoopRunsUpwards) {
    EXPECT_TRUE(AcceptsMarkA(5000, 0)); // B not set
    EXPECT_TRUE(AcceptsMarkA(999, 1000));
    EXPECT_FALSE(AcceptsMarkA(1000, 1000));
    EXPECT_FALSE(AcceptsMarkA(1500, 1000));
    const TLoop swapped = LoopBetween(3000, 1000);
    EXPECT_EQ(1000, swapped.A);
    EXPECT_EQ(3000, swapped.B);
    const TLoop kept = LoopBetween(1000, 3000);
    EXPECT_EQ(1000, kept.A);
    EXPECT_EQ(3000, kept.B);
    EXPECT_TRUE(LoopReachedEnd(3000, 3000));
    EXPECT_FALSE(LoopReachedEnd(2999, 3000));
}

TEST(MediaCounter, RightAlignsInFiveCharacters) {
    EXPECT_EQ("    0", CounterText(0));
    EXPECT_EQ(" 1234", CounterText(1234));
    EXPECT_EQ("123456", CounterText(123456));
}
