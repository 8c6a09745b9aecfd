// The LED cell and group controls, painted into memory and read back pixel
// by pixel.
#include "../app_test_fixture.h"
#include <gtest/gtest.h>

#include "media/digit_led.h"
#include "media/led_group.h"
#include "ui/forms.h"

namespace {
constexpr COLORREF kLime = RGB(0, 255, 0), kOff = RGB(128, 0, 0), kPaper = RGB(255, 255, 255);

// A 24-bit surface to paint into and read back.
class Surface {
public:
    Surface(int w, int h) : w_(w), h_(h) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 24;
        dc_ = CreateCompatibleDC(nullptr);
        bmp_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits_, nullptr, 0);
        old_ = SelectObject(dc_, bmp_);
        RECT r{0, 0, w, h};
        HBRUSH b = CreateSolidBrush(kPaper);
        FillRect(dc_, &r, b);
        DeleteObject(b);
    }
    ~Surface() {
        SelectObject(dc_, old_);
        DeleteObject(bmp_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const auto* p = static_cast<const BYTE*>(bits_) + y * ((w_ * 3 + 3) & ~3) + x * 3;
        return RGB(p[2], p[1], p[0]);
    }

private:
    int w_, h_;
    HDC dc_;
    HBITMAP bmp_;
    HGDIOBJ old_;
    void* bits_ = nullptr;
};

// Inside points of the twelve segments of a 90 x 90 cell (squares of 10).
const POINT kSegmentCentres[12] = {{40, 5},  {75, 25}, {75, 65}, {40, 85}, {5, 65},  {5, 25},
                                   {40, 45}, {85, 85}, {25, 25}, {55, 25}, {55, 65}, {25, 65}};

struct LedControls : AppTest {
    void SetUp() override {
        AppTest::SetUp();
        form = new TForm(app_);
        form->SetClientSize(300, 200);
    }
    void TearDown() override { delete form; AppTest::TearDown(); }

    // Which segments a painted cell at (dx, dy) shows lit; fails on a segment
    // painted in neither colour.
    static unsigned LitSegments(const Surface& s, int dx, int dy) {
        unsigned lit = 0;
        for (int i = 0; i < 12; ++i) {
            COLORREF c = s.At(kSegmentCentres[i].x + dx, kSegmentCentres[i].y + dy);
            if (c == kLime) {
                lit |= 1u << i;
            } else {
                EXPECT_EQ(kOff, c) << "segment " << i;
            }
        }
        return lit;
    }
    TDigitLed* Cell(TLedStyle style) {
        auto* d = new TDigitLed(form, form);
        d->SetBounds(0, 0, 90, 90);
        d->SetOnColor(kLime);
        d->SetOffColor(kOff);
        d->SetLedStyle(style);
        return d;
    }
    TForm* form = nullptr;
};
} // namespace

TEST_F(LedControls, CharactersLightTheirSegmentsInBothStyles) {
    struct Case {
        const char* c;
        TLedStyle style;
        unsigned segments;
    } cases[] = {
        {"8", lsSevenBars, 0x07F},  {"0", lsSevenBars, 0x03F},  {"0", lsElevenBars, 0xA3F},
        {"X", lsElevenBars, 0xF00}, {"X", lsSevenBars, 0x076},  {"B", lsElevenBars, 0x27D},
        {"M", lsSevenBars, 0x037},  {"N", lsSevenBars, 0x037},  {"N", lsElevenBars, 0x536},
        {";", lsSevenBars, 0x080},  {".", lsElevenBars, 0x000}, {"w", lsElevenBars, 0xC14},
    };
    for (const Case& c : cases) {
        TDigitLed* d = Cell(c.style);
        d->SetSegments(0);
        d->SetCharacter(c.c);
        Surface s(90, 90);
        d->Paint(s.dc());
        EXPECT_EQ(c.segments, LitSegments(s, 0, 0)) << c.c << " style " << c.style;
        // Between the segments the parent's colour shows through.
        EXPECT_EQ(kPaper, s.At(40, 20)) << c.c;
        EXPECT_EQ(kPaper, s.At(40, 70)) << c.c;
        delete d;
    }
}

TEST_F(LedControls, CellPaintsAtItsPlaceWithSmallSquares) {
    TDigitLed* d = Cell(lsSevenBars);
    d->SetBounds(100, 50, 90, 90);
    d->SetCharacter("1");
    EXPECT_EQ(0x006 | kLedDotBit, d->Segments()); // a new cell has every segment lit
    d->SetDot(false);
    Surface s(200, 150);
    d->Paint(s.dc());
    EXPECT_EQ(0x006u, LitSegments(s, 100, 50));
    EXPECT_EQ(kPaper, s.At(99, 49));

    // 12 x 21 pixels: squares of 1 x 2, so the bottom bar of "_" fills rows
    // 16 to 18 between columns 1 and 7.
    d->SetBounds(0, 0, 12, 21);
    d->SetCharacter("_");
    Surface small(12, 21);
    d->Paint(small.dc());
    EXPECT_EQ(kLime, small.At(4, 17));
    EXPECT_EQ(kOff, small.At(4, 1));   // the unlit top bar
    EXPECT_EQ(kPaper, small.At(4, 3)); // between the upper diagonals

    // A bar one square of a pixel wide has no inside: lit, it still shows.
    d->SetCharacter("1");
    Surface thin(12, 21);
    d->Paint(thin.dc());
    EXPECT_EQ(kLime, thin.At(8, 5));
    EXPECT_EQ(kLime, thin.At(8, 14));
}

TEST_F(LedControls, NewGroupHoldsFiveNamedCells) {
    auto* g = new TLedGroup(form, form);
    g->Name = "lgAVITime";
    EXPECT_EQ(185, g->Width());
    EXPECT_EQ(65, g->Height());
    EXPECT_EQ(5, g->MaxDigits());
    ASSERT_EQ(5u, g->Digits().size());
    for (int i = 1; i <= 5; ++i) {
        TDigitLed* d = g->Digit(i);
        ASSERT_NE(nullptr, d) << i;
        EXPECT_EQ(g, d->Parent());
        EXPECT_EQ(37 * (i - 1), d->Left());
        EXPECT_EQ(37, d->Width());
        EXPECT_EQ(65, d->Height());
    }
    EXPECT_EQ(g, form->FindComponent("lgAVITime"));
    EXPECT_EQ("2.02", g->Version());
    g->SetVersion("9.99");
    EXPECT_EQ("2.01", g->Version());
}

TEST_F(LedControls, GroupShowsTextsFromTheLeft) {
    auto* g = new TLedGroup(form, form);
    g->SetBounds(0, 0, 185, 65);
    g->SetMargin(1);
    g->SetLedStyle(lsSevenBars);
    g->SetOnColor(kLime);
    g->SetOffColor(kOff);
    g->SetCaption(" 1234");
    EXPECT_EQ(" 1234", g->Caption());
    EXPECT_EQ("", g->Digit(1)->Character());
    EXPECT_EQ(0, g->Digit(1)->Segments());
    EXPECT_EQ("1", g->Digit(2)->Character());
    EXPECT_EQ(0x04F, g->Digit(4)->Segments());
    EXPECT_EQ(kLime, g->Digit(3)->OnColor());
    EXPECT_EQ(1, g->Digit(5)->Top());
    EXPECT_EQ(63, g->Digit(5)->Height());

    // Seven cells: two dark cells follow on the right.
    g->SetMaxDigits(7);
    g->SetCaption(" 1234");
    EXPECT_EQ(" 1234  ", g->Caption());
    EXPECT_EQ("", g->Digit(6)->Character());
    EXPECT_EQ("", g->Digit(7)->Character());
    EXPECT_EQ(26, g->Digit(7)->Width()); // Round(184 / 7)

    // Back to five: the extra cells stay, moved to the right edge and beyond,
    // keeping their characters.
    g->SetCaption("9876543");
    g->SetMaxDigits(5);
    ASSERT_EQ(7u, g->Digits().size());
    EXPECT_EQ("4", g->Digit(6)->Character());
    EXPECT_GE(g->Digit(6)->Left(), 184);
    EXPECT_GT(g->Digit(7)->Left(), 185);

    // A long text loses its tail; an empty one changes nothing.
    g->SetMaxDigits(4);
    g->SetCaption("123456");
    EXPECT_EQ("1234", g->Caption());
    EXPECT_EQ("4", g->Digit(4)->Character());
    g->SetCaption("");
    EXPECT_EQ("1234", g->Caption());
    EXPECT_EQ("1", g->Digit(1)->Character());
    // The component layer's caption setter follows the same rules.
    static_cast<TControl*>(g)->SetCaption("");
    EXPECT_EQ("1234", g->Caption());
    static_cast<TControl*>(g)->SetCaption("  7");
    EXPECT_EQ("  7 ", g->Caption());
    EXPECT_EQ("7", g->Digit(3)->Character());
}

TEST_F(LedControls, CommaPosLightsOneDot) {
    auto* g = new TLedGroup(form, form);
    g->SetCaption("12345");
    g->SetCommaPos(3);
    EXPECT_EQ(3, g->CommaPos());
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(i == 3, g->Digit(i)->Dot()) << i;
    // A new text keeps the dot where it is, also on a blank.
    g->SetCaption("9   ");
    EXPECT_TRUE(g->Digit(3)->Dot());
    EXPECT_EQ(kLedDotBit, g->Digit(3)->Segments());
    EXPECT_FALSE(g->Digit(1)->Dot());
    // Out of range: every dot goes out, the stored position stays.
    g->SetCommaPos(6);
    EXPECT_EQ(3, g->CommaPos());
    for (int i = 1; i <= 5; ++i)
        EXPECT_FALSE(g->Digit(i)->Dot()) << i;
    g->SetCommaPos(0);
    EXPECT_EQ(3, g->CommaPos());
    // ";" only shows its dot outside the group's own dot handling.
    g->SetCaption(";;;;;");
    EXPECT_TRUE(g->Digit(3)->Dot());
    EXPECT_FALSE(g->Digit(2)->Dot());
}

TEST_F(LedControls, GroupFollowsItsSizeAndStyle) {
    auto* g = new TLedGroup(form, form);
    g->SetCaption("BBBBB");
    EXPECT_EQ(0x27D, g->Digit(1)->Segments());
    g->SetLedStyle(lsSevenBars);
    EXPECT_EQ(0x07C, g->Digit(5)->Segments());
    g->SetBounds(10, 10, 100, 40);
    EXPECT_EQ(20, g->Digit(2)->Left());
    EXPECT_EQ(20, g->Digit(2)->Width());
    EXPECT_EQ(40, g->Digit(2)->Height());
    g->SetMargin(2);
    EXPECT_EQ(21, g->Digit(2)->Left());  // Round(96 / 5) + 2
    EXPECT_EQ(20, g->Digit(2)->Width()); // Round(98 / 5)
    EXPECT_EQ(36, g->Digit(2)->Height());
    // No cells left to divide by: nothing moves and nothing breaks.
    g->SetMaxDigits(0);
    g->SetCaption("1");
    EXPECT_EQ("", g->Caption());
    g->SetBounds(0, 0, 50, 20);
    EXPECT_EQ(21, g->Digit(2)->Left());
}

TEST_F(LedControls, GroupPaintsItsCellsOnItsColour) {
    auto* g = new TLedGroup(form, form);
    g->SetBounds(0, 0, 92, 92);
    g->SetMaxDigits(1);
    g->SetMargin(1);
    g->Color = RGB(0, 0, 255);
    g->SetOnColor(kLime);
    g->SetOffColor(kOff);
    g->SetCaption("7");
    EXPECT_EQ(90, g->Digit(1)->Height());
    EXPECT_EQ(91, g->Digit(1)->Width()); // Round(91 / 1): the cell reaches the edge
    Surface s(92, 92);
    SendMessageA(g->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(s.dc()), PRF_CLIENT);
    EXPECT_EQ(0x027u, LitSegments(s, 1, 1));
    EXPECT_EQ(RGB(0, 0, 255), s.At(41, 21));
    EXPECT_EQ(RGB(0, 0, 255), s.At(0, 0));
}
