// The flip image control: taking bitmaps, rendering on property changes,
// painting with inversion, transparency and translucency, and its region.
#include "../app_test_fixture.h"
#include <gtest/gtest.h>

#include <cstring>

#include "imageview/flip_image.h"
#include "ui/forms.h"

namespace {
constexpr COLORREF kPaper = RGB(40, 80, 120);

// A top-down DIB section with a memory DC: a picture to hand over or a
// surface to paint into.
class Dib {
public:
    Dib(int w, int h, int bpp, const RGBQUAD* colors = nullptr, int ncolors = 0)
        : w_(w), bpp_(bpp) {
        struct {
            BITMAPINFOHEADER h;
            RGBQUAD c[256];
        } bi{};
        bi.h.biSize = sizeof bi.h;
        bi.h.biWidth = w;
        bi.h.biHeight = -h;
        bi.h.biPlanes = 1;
        bi.h.biBitCount = static_cast<WORD>(bpp);
        bi.h.biClrUsed = static_cast<DWORD>(ncolors);
        if (colors) std::memcpy(bi.c, colors, ncolors * sizeof(RGBQUAD));
        dc_ = CreateCompatibleDC(nullptr);
        bmp_ = CreateDIBSection(dc_, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &bits_,
                                nullptr, 0);
        old_ = SelectObject(dc_, bmp_);
    }
    ~Dib() {
        SelectObject(dc_, old_);
        DeleteObject(bmp_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bmp_; }
    BYTE* Row(int y) const { return static_cast<BYTE*>(bits_) + y * (((w_ * bpp_ + 31) / 32) * 4); }
    void Fill(COLORREF c) {
        RECT r{0, 0, w_, 10000};
        HBRUSH b = CreateSolidBrush(c);
        FillRect(dc_, &r, b);
        DeleteObject(b);
        GdiFlush();
    }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const BYTE* p = Row(y) + x * 3;
        return RGB(p[2], p[1], p[0]);
    }

private:
    int w_, bpp_;
    HDC dc_;
    HBITMAP bmp_;
    HGDIOBJ old_;
    void* bits_ = nullptr;
};

// A 24-bit picture: left half red, right half blue, top-left pixel green.
std::unique_ptr<Dib> RedBlue(int w, int h) {
    auto d = std::make_unique<Dib>(w, h, 24);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            BYTE* p = d->Row(y) + 3 * x;
            p[0] = x < w / 2 ? 0 : 255;
            p[1] = 0;
            p[2] = x < w / 2 ? 255 : 0;
        }
    }
    d->Row(0)[1] = 255;
    d->Row(0)[2] = 0;
    return d;
}

struct FlipControl : AppTest {
    void SetUp() override {
        AppTest::SetUp();
        form = new TForm(app_);
        form->SetClientSize(200, 100);
        flip = new TFlipImage(form, form);
        flip->Name = "FlipImage1";
        flip->SetBounds(50, 20, 40, 30);
    }
    void TearDown() override { delete form; AppTest::TearDown(); }
    // Paints the control over a surface of the paper colour.
    std::unique_ptr<Dib> Painted() {
        auto s = std::make_unique<Dib>(200, 100, 24);
        s->Fill(kPaper);
        flip->Paint(s->dc());
        return s;
    }
    TForm* form = nullptr;
    TFlipImage* flip = nullptr;
};
} // namespace

TEST_F(FlipControl, PropertiesKeepTheirRanges) {
    EXPECT_EQ(0, flip->Angle());
    EXPECT_EQ(50, flip->Depth());
    EXPECT_EQ(100, flip->Zoom());
    flip->SetAngle(-10);
    EXPECT_EQ(3590, flip->Angle());
    flip->SetAngle(7200);
    EXPECT_EQ(0, flip->Angle());
    flip->SetZoom(10);
    EXPECT_EQ(25, flip->Zoom());
    flip->SetZoom(500);
    EXPECT_EQ(400, flip->Zoom());
    flip->SetDepth(150);
    EXPECT_EQ(100, flip->Depth());
    flip->SetTrnsIndex(9);
    EXPECT_EQ(1, flip->TrnsIndex());
    flip->SetTransparentColor(RGB(1, 2, 3));
    EXPECT_EQ(tmFixed, flip->TransparentMode());
}

TEST_F(FlipControl, KeepsBitmapsAtEightOrTwentyFourBits) {
    auto picture = RedBlue(8, 6);
    flip->SetBitmap(picture->bitmap());
    EXPECT_EQ(24, flip->Picture().bpp);
    EXPECT_EQ(8, flip->Picture().width);
    // Rows are kept bottom-up: the picture's top row comes last.
    EXPECT_EQ(0x00FF00u, flip->Picture().Pixel(0, 5));
    EXPECT_EQ(0xFF0000u, flip->Picture().Pixel(1, 5));

    RGBQUAD colors[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    Dib indexed(4, 4, 8, colors, 2);
    std::memset(indexed.Row(0), 1, 4);
    flip->SetBitmap(indexed.bitmap());
    EXPECT_EQ(8, flip->Picture().bpp);
    ASSERT_GE(flip->Picture().palette.size(), 2u);
    EXPECT_EQ(0xFFFFFFu, flip->Picture().palette[1]);
    EXPECT_EQ(1u, flip->Picture().Pixel(2, 3));

    // The display's own format goes to a palette too.
    HDC screen = GetDC(nullptr);
    HBITMAP ddb = CreateCompatibleBitmap(screen, 5, 5);
    ReleaseDC(nullptr, screen);
    flip->SetBitmap(ddb);
    DeleteObject(ddb);
    EXPECT_EQ(8, flip->Picture().bpp);
    EXPECT_EQ(5, flip->Frame().width);

    flip->SetBitmap(nullptr);
    EXPECT_EQ(nullptr, flip->Image());
}

TEST_F(FlipControl, PaintsTheCardCentredAndInverted) {
    auto picture = RedBlue(20, 10);
    flip->SetBitmap(picture->bitmap());
    ASSERT_NE(nullptr, flip->Image());
    // 20 x 10 centred in 40 x 30 at (50, 20): the card spans (60, 30)-(80, 40).
    auto s = Painted();
    EXPECT_EQ(RGB(0, 255, 0), s->At(60, 30));
    EXPECT_EQ(RGB(255, 0, 0), s->At(61, 30));
    EXPECT_EQ(RGB(0, 0, 255), s->At(79, 39));
    EXPECT_EQ(kPaper, s->At(59, 30));
    EXPECT_EQ(kPaper, s->At(80, 39));
    EXPECT_EQ(kPaper, s->At(60, 40));

    flip->SetNegative(true);
    s = Painted();
    EXPECT_EQ(RGB(0, 255, 255), s->At(65, 35));
    EXPECT_EQ(RGB(255, 255, 0), s->At(75, 35));
    EXPECT_EQ(kPaper, s->At(59, 30));

    // Half a turn shows the back: blue on the left now.
    flip->SetNegative(false);
    flip->SetAngle(1800);
    s = Painted();
    EXPECT_EQ(RGB(0, 0, 255), s->At(61, 35));
    EXPECT_EQ(RGB(0, 255, 0), s->At(79, 30));

    // Edge-on nothing is drawn.
    flip->SetAngle(900);
    EXPECT_EQ(nullptr, flip->Image());
    s = Painted();
    EXPECT_EQ(kPaper, s->At(70, 35));
}

TEST_F(FlipControl, TransparentColourAndTranslucency) {
    auto picture = RedBlue(20, 10);
    flip->SetBitmap(picture->bitmap());
    flip->SetTransparent(true); // auto: the green top-left pixel
    auto s = Painted();
    EXPECT_EQ(kPaper, s->At(60, 30));
    EXPECT_EQ(RGB(255, 0, 0), s->At(61, 30));

    flip->SetTransparentColor(RGB(0, 0, 255)); // fixed: the blue half goes
    s = Painted();
    EXPECT_EQ(kPaper, s->At(75, 35));
    EXPECT_EQ(RGB(0, 255, 0), s->At(60, 30));

    // Level 4 mixes half and half, byte by byte: red 255 over paper 40 -> 128 + 20.
    flip->SetTransparent(false);
    flip->SetTrnsIndex(4);
    s = Painted();
    EXPECT_EQ(RGB(255 - 127 + 20, 0 + 40, 0 + 60), s->At(65, 35));
    EXPECT_EQ(kPaper, s->At(55, 25)); // beneath the control but off the card
}

TEST_F(FlipControl, UpdateBracketRendersOnceAtTheEnd) {
    auto picture = RedBlue(20, 10);
    flip->SetBitmap(picture->bitmap());
    flip->BeginUpdate();
    flip->SetAngle(600);
    flip->SetDirection(1);
    EXPECT_EQ(20, flip->Frame().width); // still the flat card
    EXPECT_EQ(10, flip->Frame().height);
    flip->EndUpdate();
    // Half the height about the horizontal axis, wider with perspective.
    EXPECT_EQ(5, flip->Frame().height);
    EXPECT_EQ(20 + 2 * 3, flip->Frame().width); // o = Round(20 x sin 60 / 6) = 3
    flip->EndUpdate();                          // an extra end does no harm
    EXPECT_EQ(5, flip->Frame().height);
}

TEST_F(FlipControl, DrawMixRefusesAnEmptyRectangle) {
    Dib s(10, 10, 24);
    RECT empty{5, 5, 5, 9};
    try {
        TFlipImage::DrawMix(
            s.dc(), empty, [](HDC) {}, 0);
        FAIL() << "no error";
    } catch (const EFlipImageError& e) {
        EXPECT_STREQ("abnormal params in DrawMix", e.what());
    }
    // A zero-sized control paints nothing rather than failing.
    auto picture = RedBlue(4, 4);
    flip->SetBitmap(picture->bitmap());
    flip->SetBounds(0, 0, 0, 0);
    flip->Paint(s.dc());
}

TEST_F(FlipControl, LargeOutlinesAreBuiltInPieces) {
    // 10000 separate pixels on a checkerboard, refused in one piece.
    std::vector<flip::FlipRect> rects;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 200; x += 2)
            rects.push_back({x + y % 2, y, x + y % 2 + 1, y + 1});
    }
    std::vector<DWORD> calls;
    auto picky = [&](const RECT* r, DWORD n) -> HRGN {
        calls.push_back(n);
        return n > 4094 ? nullptr : TFlipImage::MakeRegion(r, n);
    };
    HRGN pieces = TFlipImage::RegionFromRects(rects, picky);
    EXPECT_EQ((std::vector<DWORD>{10000, 4094, 4094, 1812}), calls);
    HRGN whole = TFlipImage::RegionFromRects(rects, TFlipImage::MakeRegion);
    ASSERT_NE(nullptr, pieces);
    ASSERT_NE(nullptr, whole);
    EXPECT_TRUE(EqualRgn(pieces, whole));
    EXPECT_TRUE(PtInRegion(pieces, 1, 1));
    EXPECT_FALSE(PtInRegion(pieces, 0, 1));
    DeleteObject(pieces);
    DeleteObject(whole);
}
