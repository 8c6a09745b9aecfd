// Property ranges and the size of the turned card.
#include <gtest/gtest.h>

#include "imageview/flip_image_geometry.h"

using namespace flip;

TEST(FlipProperties, AreBroughtIntoRange) {
    EXPECT_EQ(3590, NormalizeAngle(-10));
    EXPECT_EQ(0, NormalizeAngle(7200));
    EXPECT_EQ(0, NormalizeAngle(-3600));
    EXPECT_EQ(3500, NormalizeAngle(-7300));
    EXPECT_EQ(3599, NormalizeAngle(3599));
    EXPECT_EQ(100, ClampDepth(150));
    EXPECT_EQ(0, ClampDepth(-1));
    EXPECT_EQ(25, ZoomPercent(ZoomFactor(10)));
    EXPECT_EQ(400, ZoomPercent(ZoomFactor(500)));
    EXPECT_EQ(400, ZoomPercent(ZoomFactor(401)));
    EXPECT_EQ(400, ZoomPercent(ZoomFactor(400)));
    EXPECT_EQ(33, ZoomPercent(ZoomFactor(33)));
    EXPECT_EQ(2, RoundHalfEven(2.5));
    EXPECT_EQ(4, RoundHalfEven(3.5));
}

TEST(FlipGeometry, FlatCardEqualsThePicture) {
    FlipGeometry g = ComputeFlipGeometry(100, 60, 0, fdVertical, 50, 1.0);
    EXPECT_EQ(0, g.offset);
    EXPECT_EQ(100, g.width);
    EXPECT_EQ(60, g.height);
    EXPECT_TRUE(g.front);
    g = ComputeFlipGeometry(10, 7, 0, fdHorizontal, 50, 2.0);
    EXPECT_EQ(20, g.width);
    EXPECT_EQ(14, g.height);
}

TEST(FlipGeometry, TurningNarrowsTheCardAndAddsPerspective) {
    // 30 degrees about the vertical axis: o = Round(60 x 0.5 / 3 x 0.5) = 5.
    FlipGeometry g = ComputeFlipGeometry(100, 60, 300, fdVertical, 50, 1.0);
    EXPECT_EQ(5, g.offset);
    EXPECT_EQ(70, g.height);
    EXPECT_EQ(87, g.width); // Round(100 x cos 30)
    EXPECT_TRUE(g.front);
    // 150 degrees: the back face, perspective the other way.
    g = ComputeFlipGeometry(100, 60, 1500, fdVertical, 50, 1.0);
    EXPECT_EQ(-5, g.offset);
    EXPECT_EQ(70, g.height);
    EXPECT_EQ(87, g.width);
    EXPECT_FALSE(g.front);
    // About the horizontal axis the roles of width and height change.
    g = ComputeFlipGeometry(100, 60, 300, fdHorizontal, 50, 1.0);
    EXPECT_EQ(8, g.offset); // Round(8.33)
    EXPECT_EQ(116, g.width);
    EXPECT_EQ(52, g.height);
    // No depth, no perspective.
    EXPECT_EQ(0, ComputeFlipGeometry(100, 60, 300, fdVertical, 0, 1.0).offset);
}

TEST(FlipGeometry, EdgeOnCardIsEmpty) {
    FlipGeometry g = ComputeFlipGeometry(100, 15, 900, fdVertical, 50, 1.0);
    EXPECT_EQ(0, g.width);
    EXPECT_TRUE(g.Empty());
    // The offset 15 / 3 x 0.5 = 2.5 rounds to the even 2.
    EXPECT_EQ(2, g.offset);
    EXPECT_EQ(19, g.height);
    EXPECT_TRUE(ComputeFlipGeometry(100, 60, 2700, fdHorizontal, 50, 1.0).Empty());
    EXPECT_FALSE(ComputeFlipGeometry(100, 60, 890, fdVertical, 50, 1.0).Empty());
}

TEST(FlipGeometry, ImageIsCentredAndItsRepaintAreaLimited) {
    FlipBox p = FlipImagePlace(101, 50, 30, 20);
    EXPECT_EQ(35, p.left);
    EXPECT_EQ(15, p.top);
    EXPECT_EQ(65, p.right);
    FlipBox r = FlipRepaintBox(101, 50, 30, 20);
    EXPECT_EQ(34, r.left);
    EXPECT_EQ(14, r.top);
    EXPECT_EQ(66, r.right);
    EXPECT_EQ(36, r.bottom);
    // Larger than the control: the offset rounds towards zero, the area stops
    // at the control's edges.
    p = FlipImagePlace(100, 50, 121, 61);
    EXPECT_EQ(-10, p.left);
    EXPECT_EQ(-5, p.top);
    r = FlipRepaintBox(100, 50, 121, 61);
    EXPECT_EQ(0, r.left);
    EXPECT_EQ(0, r.top);
    EXPECT_EQ(100, r.right);
    EXPECT_EQ(50, r.bottom);
}
