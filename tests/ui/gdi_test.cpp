// Owned GDI handles: deleted once, in order, never leaked by a paint.
#include <gtest/gtest.h>

#include "ui/forms.h"
#include "ui/gdi.h"

namespace {
// Windows counts a process's GDI objects; Wine answers 0, and there the
// checks of single handles below carry the proof.
DWORD GdiObjects() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

bool Alive(HGDIOBJ h) { return GetObjectType(h) != 0; }
}  // namespace

TEST(Gdi, ObjectsAreDeletedOnceByTheirLastOwner) {
    gdi::Brush a = gdi::SolidBrush(RGB(1, 2, 3));
    const HBRUSH h = a;
    ASSERT_TRUE(Alive(h));
    gdi::Brush b = std::move(a);
    EXPECT_FALSE(a);
    a.Reset();  // the moved-from owner deletes nothing
    EXPECT_TRUE(Alive(h));
    gdi::Brush c;
    c = std::move(b);
    EXPECT_EQ(h, c.get());
    c = gdi::SolidBrush(RGB(4, 5, 6));  // replacing deletes the old one
    EXPECT_FALSE(Alive(h));
    EXPECT_TRUE(Alive(c));

    HPEN kept;
    HRGN gone;
    {
        gdi::Pen p = gdi::SolidPen(RGB(9, 9, 9), 2);
        kept = p.Release();
        gdi::Region r(CreateRectRgn(0, 0, 4, 4));
        gone = r;
    }
    EXPECT_TRUE(Alive(kept));
    EXPECT_FALSE(Alive(gone));
    DeleteObject(kept);
}

TEST(Gdi, MemoryContextDrawsAndIsUndoneInOrder) {
    HDC dc;
    HBITMAP bmp;
    HPEN pen;
    {
        gdi::MemoryDC mem(nullptr, 8, 8);
        ASSERT_TRUE(mem);
        dc = mem;
        bmp = mem.bitmap();
        EXPECT_EQ(bmp, GetCurrentObject(mem, OBJ_BITMAP));
        gdi::FillSolid(mem, RECT{0, 0, 8, 8}, RGB(0, 0, 255));
        const HGDIOBJ before = GetCurrentObject(mem, OBJ_PEN);
        {
            gdi::Pen red = gdi::SolidPen(RGB(255, 0, 0));
            pen = red;
            gdi::Select s(mem, red);
            EXPECT_EQ(static_cast<HGDIOBJ>(red), GetCurrentObject(mem, OBJ_PEN));
            MoveToEx(mem, 0, 3, nullptr);
            LineTo(mem, 8, 3);
        }
        // The pen was put back before it was deleted.
        EXPECT_EQ(before, GetCurrentObject(mem, OBJ_PEN));
        EXPECT_FALSE(Alive(pen));
        EXPECT_EQ(RGB(255, 0, 0), GetPixel(mem, 4, 3));
        EXPECT_EQ(RGB(0, 0, 255), GetPixel(mem, 4, 5));
    }
    EXPECT_FALSE(Alive(bmp));
    EXPECT_FALSE(Alive(dc));

    // A DIB section handed to a context: drawing shows in its bits.
    void* bits = nullptr;
    gdi::Bitmap dib = gdi::DibSection(4, 2, 32, &bits, true);
    ASSERT_TRUE(dib);
    const HBITMAP dibHandle = dib;
    {
        gdi::MemoryDC mem(nullptr, std::move(dib));
        ASSERT_TRUE(mem);
        SetPixelV(mem, 1, 0, RGB(0x10, 0x20, 0x30));
        GdiFlush();
        EXPECT_EQ(0x102030u, static_cast<const DWORD*>(bits)[1] & 0xFFFFFF);
    }
    EXPECT_FALSE(Alive(dibHandle));
}

namespace {
int paints = 0;
RECT lastClient{};

LRESULT CALLBACK BufferedProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_ERASEBKGND) return 1;
    if (msg == WM_PAINT) {
        gdi::PaintBuffered(h, [](HDC dc, const RECT& client) {
            ++paints;
            lastClient = client;
            gdi::FillSolid(dc, client, RGB(0, 128, 0));
            gdi::FillSolid(dc, RECT{0, 0, 10, 10}, RGB(200, 0, 0));
        });
        return 0;
    }
    return DefWindowProcA(h, msg, wp, lp);
}
}  // namespace

TEST(Gdi, BufferedPaintShowsTheWholePictureAndLeaksNothing) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = BufferedProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QmGdiTest";
    RegisterClassA(&wc);
    HWND w = CreateWindowExA(0, "QmGdiTest", "", WS_POPUP | WS_VISIBLE, 10, 10, 60, 40, nullptr, nullptr,
                             wc.hInstance, nullptr);
    ASSERT_NE(nullptr, w);
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_GE(paints, 1);
    EXPECT_EQ(60, lastClient.right);
    EXPECT_EQ(40, lastClient.bottom);
    {
        gdi::WindowDC dc(w);
        EXPECT_EQ(RGB(200, 0, 0), GetPixel(dc, 5, 5));
        EXPECT_EQ(RGB(0, 128, 0), GetPixel(dc, 30, 30));
    }
    // Painting again and again holds no more objects than painting once.
    const DWORD before = GdiObjects();
    const int start = paints;
    for (int i = 0; i < 200; ++i) RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(start + 200, paints);
    EXPECT_LE(GdiObjects(), before);
    DestroyWindow(w);
}

namespace {
struct Cached : ::testing::Test {
    static void SetUpTestSuite() { app = new TApplication; }
    static void TearDownTestSuite() { delete app; }
    static TApplication* app;
};
TApplication* Cached::app = nullptr;
}  // namespace

TEST_F(Cached, FontHandlesAreSharedWhileHeldAndDeletedAfter) {
    TFont a, b;
    EXPECT_EQ(a.Handle(), b.Handle());  // equal fonts share one handle
    b.Bold = true;
    EXPECT_NE(a.Handle(), b.Handle());  // a changed field is seen without any call

    TForm form(app);
    auto* panel = new TPanel(&form, &form);
    auto* label = new TLabel(&form, panel);
    label->SetCaption("abc");
    form.Show();
    TFont f;
    f.Height = 7;
    panel->SetFont(f);
    const HFONT first = panel->EffectiveFont().Handle();
    const std::size_t live = LiveFontHandles();
    const DWORD objects = GdiObjects();
    // Many sizes one after the other, each painted: the handles of the sizes
    // left behind go, only a bounded few stay for reuse.
    for (int h = 8; h < 208; ++h) {
        f.Height = h;
        panel->SetFont(f);
        form.Repaint();
    }
    EXPECT_EQ(label->EffectiveFont().Handle(), panel->Font.Handle());
    EXPECT_TRUE(Alive(panel->Font.Handle()));
    EXPECT_FALSE(Alive(first));
    EXPECT_LE(LiveFontHandles(), live + 16);
    EXPECT_LE(GdiObjects(), objects + 16);
}

TEST_F(Cached, ControlColourBrushFollowsTheColourAndGoesWithTheControl) {
    TForm form(app);
    auto* panel = new TPanel(&form, &form);
    gdi::MemoryDC dc(nullptr, 1, 1);
    EXPECT_EQ(nullptr, panel->CtlColor(dc));  // default colours: the system's own
    HBRUSH last = nullptr;
    std::vector<HBRUSH> seen;
    const DWORD objects = GdiObjects();
    for (int i = 0; i < 100; ++i) {
        panel->Color = RGB(i, 2 * i, 255 - i);
        const HBRUSH b = panel->CtlColor(dc);
        EXPECT_EQ(b, panel->CtlColor(dc));  // asked again: the same brush
        LOGBRUSH lb{};
        ASSERT_EQ(static_cast<int>(sizeof lb), GetObjectA(b, sizeof lb, &lb));
        EXPECT_EQ(RGB(i, 2 * i, 255 - i), lb.lbColor);
        EXPECT_EQ(RGB(i, 2 * i, 255 - i), GetBkColor(dc));
        seen.push_back(b);
        last = b;
    }
    for (std::size_t i = 0; i + 1 < seen.size(); ++i) EXPECT_FALSE(Alive(seen[i])) << i;
    EXPECT_LE(GdiObjects(), objects + 1);
    delete panel;
    EXPECT_FALSE(Alive(last));
}
