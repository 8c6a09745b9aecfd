// The turned card drawn into memory: faces, trapezoid, stepping and the
// clip outline.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "imageview/flip_image_render.h"

using namespace flip;

namespace {
// A picture whose every pixel is different: value = f(x, row from top).
FlipPicture Picture(int w, int h, int bpp) {
    FlipPicture p;
    p.width = w;
    p.height = h;
    p.bpp = bpp;
    p.bits.assign(static_cast<std::size_t>(p.Stride()) * h, 0);
    for (int row = 0; row < h; ++row) {
        std::uint8_t* line = p.bits.data() + static_cast<std::size_t>(h - 1 - row) * p.Stride();
        for (int x = 0; x < w; ++x) {
            if (bpp == 8) {
                line[x] = static_cast<std::uint8_t>(1 + (row * w + x) % 250);
            } else {
                line[3 * x] = static_cast<std::uint8_t>(x);
                line[3 * x + 1] = static_cast<std::uint8_t>(row);
                line[3 * x + 2] = 0x80;
            }
        }
    }
    if (bpp == 8) p.palette.assign(256, 0);
    return p;
}
std::uint32_t Top(const FlipPicture& p, int x, int rowFromTop) {
    return p.Pixel(x, p.height - 1 - rowFromTop);
}

FlipFrame Render(const FlipPicture& p, int angle, int direction, double zoom = 1.0,
                 FlipTransparency t = {}) {
    return RenderFlipFrame(p, ComputeFlipGeometry(p.width, p.height, angle, direction, 50, zoom),
                           direction, t);
}

// Pixels covered by the clip rectangles, each at most once.
std::set<std::pair<int, int>> Covered(const FlipFrame& f) {
    std::set<std::pair<int, int>> cells;
    for (const FlipRect& r : f.clip) {
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x)
                EXPECT_TRUE(cells.insert({x, y}).second) << x << "," << y;
        }
    }
    return cells;
}
} // namespace

TEST(FlipRender, FlatCardCopiesThePictureInBothDepths) {
    for (int bpp : {8, 24}) {
        FlipPicture p = Picture(13, 7, bpp);
        for (int direction : {fdVertical, fdHorizontal}) {
            FlipFrame f = Render(p, 0, direction);
            ASSERT_EQ(13, f.width);
            ASSERT_EQ(7, f.height);
            EXPECT_EQ(bpp, f.bpp);
            for (int y = 0; y < 7; ++y) {
                for (int x = 0; x < 13; ++x)
                    ASSERT_EQ(Top(p, x, y), f.Pixel(x, y)) << bpp << " " << x << "," << y;
            }
            EXPECT_EQ(13u * 7u, Covered(f).size());
            // Without transparency: one rectangle per column or per row.
            EXPECT_EQ(direction == fdVertical ? 13u : 7u, f.clip.size());
        }
    }
}

TEST(FlipRender, BackFaceIsMirroredAcrossTheAxis) {
    FlipPicture p = Picture(9, 5, 24);
    // Half a turn about the vertical axis: left and right change places.
    FlipFrame f = Render(p, 1800, fdVertical);
    ASSERT_EQ(9, f.width);
    ASSERT_EQ(5, f.height);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 9; ++x)
            ASSERT_EQ(Top(p, 8 - x, y), f.Pixel(x, y)) << x << "," << y;
    }
    // About the horizontal axis: top and bottom change places.
    f = Render(p, 1800, fdHorizontal);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 9; ++x)
            ASSERT_EQ(Top(p, x, 4 - y), f.Pixel(x, y)) << x << "," << y;
    }
}

TEST(FlipRender, TurnedCardIsATrapezoid) {
    FlipPicture p = Picture(100, 60, 8);
    FlipFrame f = Render(p, 300, fdVertical); // o = 5, 87 x 70
    ASSERT_EQ(87, f.width);
    ASSERT_EQ(70, f.height);
    ASSERT_EQ(87u, f.clip.size());
    EXPECT_EQ((FlipRect{0, 0, 1, 70}), f.clip[0]);    // near edge: full height
    EXPECT_EQ((FlipRect{43, 4, 44, 66}), f.clip[43]); // centre: about the picture's height
    EXPECT_EQ((FlipRect{86, 9, 87, 61}), f.clip[86]); // far edge: 4|o| shorter
    // The span starts with the top row and ends with the bottom row.
    EXPECT_EQ(Top(p, 0, 0), f.Pixel(0, 0));
    EXPECT_EQ(Top(p, 0, 59), f.Pixel(0, 69));
    EXPECT_EQ(Top(p, 98, 0), f.Pixel(86, 9));
    // 52 rows stepped from 60 in 16.16: the last one lands on row 58.
    EXPECT_EQ(Top(p, 98, 58), f.Pixel(86, 60));
    EXPECT_EQ(0u, f.Pixel(86, 8)); // outside the card

    // The back face turns the trapezoid round: the far edge is now the left.
    f = Render(p, 1500, fdVertical);
    EXPECT_EQ((FlipRect{0, 10, 1, 60}), f.clip[0]);
    // (2 x 86 x -5) / 87 truncates towards zero, leaving one row free.
    EXPECT_EQ((FlipRect{86, 1, 87, 69}), f.clip[86]);
    EXPECT_EQ(Top(p, 98, 0), f.Pixel(0, 10)); // (100 x 86) / 87
    EXPECT_EQ(Top(p, 0, 0), f.Pixel(86, 1));

    // About the horizontal axis the rows are the spans, read left to right.
    f = Render(p, 300, fdHorizontal); // o = 8, 116 x 52
    ASSERT_EQ(52u, f.clip.size());
    EXPECT_EQ((FlipRect{0, 0, 116, 1}), f.clip[0]);
    EXPECT_EQ((FlipRect{15, 51, 101, 52}), f.clip[51]);
    EXPECT_EQ(Top(p, 0, 0), f.Pixel(0, 0));
    EXPECT_EQ(Top(p, 99, 0), f.Pixel(115, 0));
    EXPECT_EQ(Top(p, 0, 58), f.Pixel(15, 51));
}

TEST(FlipRender, SpansStepThroughTheSourceInFixedPoint) {
    // Twice the size: every source row and column appears twice.
    FlipPicture p = Picture(5, 4, 24);
    FlipFrame f = Render(p, 0, fdVertical, 2.0);
    ASSERT_EQ(10, f.width);
    ASSERT_EQ(8, f.height);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(Top(p, x / 2, y / 2), f.Pixel(x, y)) << x << "," << y;
    }
    // Four rows onto three: step (4 x 65536 + 1) / 3 takes rows 0, 1 and 2
    // from the top and leaves out the bottom one.
    FlipPicture q = Picture(4, 4, 8);
    f = Render(q, 0, fdVertical, 0.75);
    ASSERT_EQ(3, f.height);
    ASSERT_EQ(3, f.width);
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ(Top(q, 0, y), f.Pixel(0, y)) << y;
    // Columns come from (w x x) / W: 0, 1, 2.
    EXPECT_EQ(Top(q, 2, 0), f.Pixel(2, 0));
}

TEST(FlipRender, TransparentPixelsAreLeftOutOfTheOutline) {
    // An 8-bit picture whose top-left pixel is index 0: every index-0 pixel
    // goes, whatever the column.
    FlipPicture p = Picture(6, 4, 8);
    auto set = [&](int x, int rowFromTop, std::uint8_t v) {
        p.bits[static_cast<std::size_t>(p.height - 1 - rowFromTop) * p.Stride() + x] = v;
    };
    set(0, 0, 0);
    set(0, 2, 0);
    set(3, 1, 0);
    set(5, 3, 0);
    FlipTransparency t{true, AutoTransparentKey(p)};
    EXPECT_EQ(0u, t.key);
    for (int direction : {fdVertical, fdHorizontal}) {
        FlipFrame f = Render(p, 0, direction, 1.0, t);
        auto cells = Covered(f);
        EXPECT_EQ(24u - 4u, cells.size());
        for (auto [x, y] : {std::pair{0, 0}, {0, 2}, {3, 1}, {5, 3}})
            EXPECT_EQ(0u, cells.count({x, y})) << x << "," << y;
        EXPECT_EQ(1u, cells.count({0, 1}));
    }
    // Column 0 reads visible, gap, visible, gap... : two runs.
    FlipFrame f = Render(p, 0, fdVertical, 1.0, t);
    EXPECT_EQ((FlipRect{0, 1, 1, 2}), f.clip[0]);
    EXPECT_EQ((FlipRect{0, 3, 1, 4}), f.clip[1]);
}

TEST(FlipRender, FixedTransparentColourIsTakenAsThePictureStoresIt) {
    FlipPicture p = Picture(2, 2, 8);
    p.palette = {0x000000, 0xFF0000, 0xFFFFFF}; // black, red, white (packed B | G << 8 | R << 16)
    EXPECT_EQ(1u, FixedTransparentKey(p, 0x000A0AFA)); // RGB(250, 10, 10): nearest is red
    EXPECT_EQ(2u, FixedTransparentKey(p, 0x00F0F0F0));
    p.palette.clear();
    EXPECT_EQ(0u, FixedTransparentKey(p, 0x00F0F0F0));
    FlipPicture q = Picture(2, 2, 24);
    EXPECT_EQ(0x010203u, FixedTransparentKey(q, 0x00030201)); // RGB(1, 2, 3)
    EXPECT_EQ(Top(q, 0, 0), AutoTransparentKey(q));
}

TEST(FlipRender, MalformedPicturesDrawNothing) {
    FlipPicture p = Picture(8, 8, 24);
    p.bits.resize(p.bits.size() - 1);
    EXPECT_TRUE(p.Empty());
    EXPECT_EQ(0, Render(p, 0, fdVertical).width);
    FlipPicture q = Picture(8, 8, 24);
    q.bpp = 16;
    EXPECT_TRUE(q.Empty());
    EXPECT_TRUE(RenderFlipFrame(Picture(8, 8, 8), FlipGeometry{}, fdVertical, {}).clip.empty());
}
