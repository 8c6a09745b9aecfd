// The framework's picture loader on the sample pictures, and the image
// control's sizing.
#include <gtest/gtest.h>

#include "image_win_test_util.h"
#include "imageview/image_control.h"
#include "imageview/input_stream.h"
#include "imageview/jpeg_graphic.h"
#include "picture_test_writer.h"
#include "ui/scroll_box.h"

namespace {
bool HaveSamples() {
    return GetFileAttributesA((SampleImages() + "bmp24.bmp").c_str()) != INVALID_FILE_ATTRIBUTES;
}
} // namespace

TEST(Picture, BuiltInFormatsLoadWithTheirSizes) {
    if (!HaveSamples()) GTEST_SKIP() << "no samples";
    for (const char* name :
         {"bmp24.bmp", "bmp24_odd_width.bmp", "bmp8_palette.bmp", "bmp4_palette.bmp", "icon.ico",
          "drawing.wmf", "drawing.emf", "photo.jpg", "photo_grey.jpg", "photo_progressive.jpeg"}) {
        TPicture p;
        EXPECT_NO_THROW(p.LoadFromFile(SampleImages() + name)) << name;
        EXPECT_GT(p.Width(), 0) << name;
        EXPECT_GT(p.Height(), 0) << name;
        std::vector<uint8_t> bgr;
        EXPECT_TRUE(p.RenderBgr(bgr)) << name;
    }
}

TEST(Picture, JpegPixelsComeFromOurDecoder) {
    TTempDir dir;
    TJpegSpec s;
    s.Width = 9;
    s.Height = 7;
    s.Quality = 100;
    // A grey ramp: chroma subsampling leaves it alone.
    s.Sample = [](int x, int, int) { return static_cast<uint8_t>(x * 20); };
    const std::string path = dir.Write("t.JPEG", WriteJpeg(s));
    TPicture p;
    p.LoadFromFile(path);
    ASSERT_EQ(9, p.Width());
    std::vector<uint8_t> bgr;
    ASSERT_TRUE(p.RenderBgr(bgr));
    EXPECT_NEAR(160, bgr[(8 + 2 * 9) * 3 + 2], 3); // red of (8, 2)
    EXPECT_NEAR(20, bgr[(1 + 6 * 9) * 3], 3);      // blue of (1, 6): rows are top-down
}

TEST(Picture, BrokenFilesRaiseAndLeaveItEmpty) {
    TTempDir dir;
    TPicture p;
    EXPECT_THROW(p.LoadFromFile(dir.Write("bad.bmp", std::string("BMnot a bitmap"))),
                 std::exception);
    EXPECT_TRUE(p.Empty());
    TJpegSpec s;
    s.Width = s.Height = 32;
    s.Sample = [](int x, int y, int) { return static_cast<uint8_t>(x ^ y); };
    std::vector<uint8_t> jpeg = WriteJpeg(s);
    jpeg.resize(jpeg.size() / 2);
    EXPECT_THROW(p.LoadFromFile(dir.Write("cut.jpg", jpeg)), EJpegError);
    EXPECT_TRUE(p.Empty());
    EXPECT_THROW(p.LoadFromFile(dir.Path() + "missing.bmp"), EFOpenError);
    EXPECT_THROW(p.LoadFromFile(dir.Write("x.emf", std::string(200, 'e'))), std::exception);
}

TEST(ImageControl, AutoSizeFollowsThePictureAndStretchKeepsTheSize) {
    TPanel host(nullptr, nullptr);
    TImage img(nullptr, &host);
    TDibBitmap dib;
    ASSERT_TRUE(dib.Create(30, 20, 24));
    img.Picture().SetDib(dib);
    EXPECT_EQ(105, img.Width()); // no auto size: the control keeps its size
    img.SetAutoSize(true);
    EXPECT_EQ(30, img.Width());
    EXPECT_EQ(20, img.Height());
    img.Picture().Clear();
    EXPECT_EQ(30, img.Width()); // an empty picture leaves the size alone
    img.SetAutoSize(false);
    img.SetStretch(true);
    img.SetBounds(0, 0, 60, 40);
    ASSERT_TRUE(dib.Create(10, 10, 24));
    img.Picture().SetDib(dib);
    EXPECT_EQ(60, img.Width());
}

TEST(Picture, AlphaPlaneBlendsOntoTheBackground) {
    TDibBitmap dib, alpha;
    ASSERT_TRUE(dib.Create(2, 1, 24));
    ASSERT_TRUE(alpha.Create(2, 1, 8));
    uint8_t* px = dib.Row(0);
    px[0] = px[1] = px[2] = 0; // black, opaque
    px[3] = px[4] = px[5] = 0; // black, fully transparent
    alpha.Row(0)[0] = 0;       // the plane holds 255 - alpha
    alpha.Row(0)[1] = 255;
    TPicture p;
    ASSERT_TRUE(p.SetDib(dib, &alpha, RGB(255, 255, 255)));
    std::vector<uint8_t> bgr;
    ASSERT_TRUE(p.RenderBgr(bgr));
    EXPECT_EQ(0, bgr[0]);
    EXPECT_EQ(255, bgr[3]);
}

TEST(ScrollBox, ScrollsBigChildrenAndPullsThemBackWhenTheyShrink) {
    TPanel host(nullptr, nullptr);
    host.SetBounds(0, 0, 300, 300);
    TScrollBox box(nullptr, &host);
    box.SetBounds(0, 0, 200, 100);
    TImage img(nullptr, &box);
    img.SetBounds(0, 0, 500, 50);
    box.UpdateScrollRange();
    const RECT client = box.ClientRect();
    EXPECT_LT(client.bottom, 100); // the horizontal bar is shown
    EXPECT_EQ(200, client.right);  // the vertical one is not needed
    box.ScrollTo(1000, 0);         // clamped to the content
    EXPECT_EQ(500 - client.right, box.HorzPosition());
    EXPECT_EQ(-(500 - client.right), img.Left());
    img.SetBounds(img.Left(), img.Top(), 150, 50); // now fits
    box.UpdateScrollRange();
    EXPECT_EQ(0, box.HorzPosition());
    EXPECT_EQ(0, img.Left());
    box.ScrollTo(50, 50);
    EXPECT_EQ(0, img.Left());
}
