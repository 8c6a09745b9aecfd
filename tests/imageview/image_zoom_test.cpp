// Fit, zoom steps and their limits, the zoom label, the loader table and
// the extension lists.
#include <gtest/gtest.h>

#include "imageview/image_zoom.h"
#include "imageview/picture_formats.h"

using namespace image_zoom;

namespace {
TFitInput Pane(int w, int h, int cw, int ch) {
    TFitInput in;
    in.NaturalWidth = w;
    in.NaturalHeight = h;
    in.ClientWidth = cw;
    in.ClientHeight = ch;
    in.CurrentWidth = w;
    in.CurrentHeight = h;
    return in;
}
} // namespace

TEST(ImageFit, SmallPictureIsEnlargedToFillThePane) {
    const TFitInput in = Pane(100, 50, 505, 505);
    EXPECT_DOUBLE_EQ(5.0, FitFactor(in));
    const TFitResult r = FitPercent(in);
    ASSERT_TRUE(r.Ok);
    EXPECT_EQ(500, r.Percent);
    const TZoomResult z = ApplyZoom(r.Percent, 100, 50);
    ASSERT_TRUE(z.Changed);
    EXPECT_EQ((TSize{500, 250}), z.Size);
    EXPECT_EQ(500, z.Accepted);
    EXPECT_EQ("500% Enlarged", ZoomLabel(z.Accepted));
    EXPECT_DOUBLE_EQ(5.0, DisplayScale(500, 250, 100, 50));
}

TEST(ImageFit, LargePictureIsReducedByItsTighterSide) {
    // 1000 x 2000 in 405 x 305: the height decides, 300 / 2000 = 15 %.
    const TFitResult r = FitPercent(Pane(1000, 2000, 405, 305));
    ASSERT_TRUE(r.Ok);
    EXPECT_EQ(15, r.Percent);
    const TZoomResult z = ApplyZoom(15, 1000, 2000);
    EXPECT_EQ((TSize{150, 300}), z.Size);
    // Taller than wide: the scale is taken from the height.
    EXPECT_DOUBLE_EQ(0.15, DisplayScale(150, 300, 1000, 2000));
}

TEST(ImageFit, OffsetControlIsClippedToTheBoxAndTinySidesKeepTheControlSize) {
    TFitInput in = Pane(200, 100, 305, 205);
    in.Left = 120; // w = 300 would pass the right edge: 305 - 120 = 185
    in.Top = 0;
    TFitResult r = FitPercent(in);
    ASSERT_TRUE(r.Ok);
    EXPECT_EQ(150, r.Percent); // max(150 * 100 / 100, 185 * 100 / 200) = max(150, 92)

    // A 1000 x 1 strip: the fitted height (0) is replaced by the control's.
    in = Pane(1000, 1, 505, 505);
    in.CurrentHeight = 7;
    r = FitPercent(in);
    ASSERT_TRUE(r.Ok);
    EXPECT_EQ(700, r.Percent);
}

TEST(ImageFit, HugeEnlargementSettlesBelowTheLimitAndZeroSizeFails) {
    const TFitResult r = FitPercent(Pane(5, 5, 505, 505));
    ASSERT_TRUE(r.Ok);
    EXPECT_EQ(kFitCeiling, r.Percent);

    TFitInput none = Pane(0, 0, 505, 505);
    EXPECT_DOUBLE_EQ(1.0, FitFactor(none));
    EXPECT_FALSE(FitPercent(none).Ok);
    EXPECT_DOUBLE_EQ(0.0, DisplayScale(10, 10, 0, 0));
    EXPECT_DOUBLE_EQ(0.0, DisplayScale(10, 20, 0, 0));
}

TEST(ImageZoom, StepsThatReachALimitAreUndone) {
    // 1000 x 500 at 310 % would be 3100 wide: allowed; 320 % reaches 3200.
    EXPECT_TRUE(ApplyZoom(310, 1000, 500).Changed);
    TZoomResult z = ApplyZoom(320, 1000, 500);
    EXPECT_FALSE(z.Changed);
    EXPECT_EQ(310, z.Accepted);
    // The height limit.
    z = ApplyZoom(240, 100, 1000);
    EXPECT_FALSE(z.Changed);
    EXPECT_EQ(230, z.Accepted);
    // The percent limit, even for a tiny picture.
    z = ApplyZoom(4000, 2, 2);
    EXPECT_FALSE(z.Changed);
    EXPECT_EQ(3990, z.Accepted);
    EXPECT_TRUE(ApplyZoom(3990, 2, 2).Changed);
}

TEST(ImageZoom, ReducingFromTwentyIsRefusedAndTheNextEnlargeShowsTwentyAgain) {
    int stored = 20;
    TZoomResult z = ApplyZoom(stored - kStep, 400, 300);
    EXPECT_FALSE(z.Changed);
    stored = z.Accepted;
    EXPECT_EQ(10, stored);
    z = ApplyZoom(stored + kStep, 400, 300);
    ASSERT_TRUE(z.Changed);
    EXPECT_EQ(20, z.Accepted);
    EXPECT_EQ((TSize{80, 60}), z.Size);
    EXPECT_FALSE(ApplyZoom(5, 400, 300).Changed);
    EXPECT_EQ(10, ApplyZoom(-50, 400, 300).Accepted);
}

TEST(ImageFit, ReducedDecodeIsTheSmallestThatCoversTheFittedSize) {
    // 4000 x 3000 fitted into 600 x 400: 13 %, 520 x 390. A quarter
    // (1000 x 750) covers it, an eighth (500 x 375) does not.
    const TSize fitted = FittedSize(Pane(4000, 3000, 600, 400));
    EXPECT_EQ((TSize{520, 390}), fitted);
    EXPECT_EQ(4, ReducedScale(4000, 3000, fitted));
    // Sides are rounded up as libjpeg rounds them: 801 / 8 gives 101.
    EXPECT_EQ(8, ReducedScale(801, 601, TSize{101, 76}));
    EXPECT_EQ(4, ReducedScale(801, 601, TSize{101, 77}));
    EXPECT_EQ(2, ReducedScale(800, 600, TSize{201, 10}));
    EXPECT_EQ(1, ReducedScale(800, 600, TSize{401, 10}));
    EXPECT_EQ(1, ReducedScale(800, 600, TSize{800, 600}));
    // A fit that enlarges, or one the zoom limits refuse, needs the whole
    // picture: the size stays the control's own.
    EXPECT_EQ(1, ReducedScale(100, 50, FittedSize(Pane(100, 50, 505, 505))));
    TFitInput wide = Pane(4000, 100, 5005, 505);
    EXPECT_EQ((TSize{4000, 100}), FittedSize(wide)); // 125 % would pass the width limit
    EXPECT_EQ((TSize{0, 0}), FittedSize(Pane(0, 0, 505, 505)));
}

TEST(ImageZoom, LabelWords) {
    EXPECT_EQ("100% ", ZoomLabel(100));
    EXPECT_EQ("101% Enlarged", ZoomLabel(101));
    EXPECT_EQ(" 90% Reduced", ZoomLabel(90));
    EXPECT_EQ("3990% Enlarged", ZoomLabel(3990));
}

TEST(PluginSizes, AspectAndPreview) {
    EXPECT_EQ((TSize{200, 100}), AspectSize(100, 100, 1, 2)); // 1:2 shows twice as wide
    EXPECT_EQ((TSize{100, 300}), AspectSize(100, 100, 3, 1));
    EXPECT_EQ((TSize{101, 50}), AspectSize(101, 50, 1, 1));
    EXPECT_EQ((TSize{101, 50}), AspectSize(101, 50, 0, 2)); // no density: left alone
    EXPECT_EQ((TSize{33, 33}), AspectSize(33, 22, 3, 2));   // integer division
    EXPECT_EQ((TSize{1, 1}), PreviewSize(1, 4));
    EXPECT_EQ((TSize{251, 2}), PreviewSize(1001, 5));
}

TEST(PictureLoaders, TableAndMessages) {
    const TPictureLoader* pi = FindPictureLoader(".pi");
    const TPictureLoader* pic = FindPictureLoader(".PIC");
    ASSERT_TRUE(pi && pic);
    EXPECT_STREQ("ifpi.spi", pi->Library);
    EXPECT_EQ(8, pi->FormatIndex);
    EXPECT_STREQ("ifpic.spi", pic->Library);
    EXPECT_EQ(kFormatPic, pic->FormatIndex);
    EXPECT_EQ(kFormatJpeg, FindPictureLoader(".Jpe")->FormatIndex);
    EXPECT_EQ(kFormatBuiltIn, FindPictureLoader(".emf")->FormatIndex);
    EXPECT_EQ(nullptr, FindPictureLoader(".JPEG"));
    EXPECT_EQ(nullptr, FindPictureLoader(".PNG"));
    EXPECT_EQ(nullptr, FindPictureLoader(""));

    EXPECT_EQ("IFPIC2.SPI not found", LoadFailureMessage(kLoadNoLibrary, FindPictureLoader(".p2")));
    EXPECT_EQ("IFXLD4.SPI not found", LoadFailureMessage(kLoadNoLibrary, FindPictureLoader(".Q4")));
    EXPECT_EQ("サポートされない拡張子", LoadFailureMessage(kLoadUnsupported, nullptr));
    EXPECT_EQ("未知のフォーマット", LoadFailureMessage(2, nullptr));
    EXPECT_EQ("データが壊れている", LoadFailureMessage(3, nullptr));
    EXPECT_EQ("メモリーが確保出来ない", LoadFailureMessage(4, nullptr));
    EXPECT_EQ("メモリーエラー", LoadFailureMessage(5, nullptr));
    EXPECT_EQ("ファイルリードエラー", LoadFailureMessage(6, nullptr));
    EXPECT_EQ("その他のエラー", LoadFailureMessage(1, nullptr));
    EXPECT_EQ("その他のエラー", LoadFailureMessage(-7, nullptr));
}

TEST(PictureLoaders, ExtensionListsMatchWholeEntriesOnly) {
    EXPECT_TRUE(ExtensionInList(kImageKindList, ".pi"));
    EXPECT_TRUE(ExtensionInList(kImageKindList, ".PIC"));
    EXPECT_FALSE(ExtensionInList(kImageKindList, ".P"));
    EXPECT_FALSE(ExtensionInList(kImageKindList, ".GIF"));
    EXPECT_TRUE(ExtensionInList(kImageKindListWithGif, ".gif"));
    EXPECT_FALSE(ExtensionInList(kImageKindList, "."));
    EXPECT_FALSE(ExtensionInList(kImageKindList, ""));
    EXPECT_TRUE(ExtensionInList(kBuiltInDecoderList, ".jpeg"));
    EXPECT_FALSE(ExtensionInList(kBuiltInDecoderList, ".PNG"));
    EXPECT_FALSE(ExtensionInList(kBuiltInDecoderList, ".JPE"));
}
