// Arithmetic of the flip image: its properties' ranges, the size and
// perspective of the turned card, and where the card sits in the control.
#pragma once
#include "base/rounding.h"

namespace flip {

// Tenths of a degree brought into 0..3599.
int NormalizeAngle(int angle);
int ClampDepth(int depth);
// Percent to the factor kept inside (25..400 percent), and back.
double ZoomFactor(int percent);
int ZoomPercent(double factor);

enum FlipDirection { fdVertical = 0, fdHorizontal = 1 };

struct FlipGeometry {
    int offset = 0; // perspective offset o, signed
    int width = 0, height = 0;
    bool front = true; // the front face is seen; otherwise it is mirrored
    // Edge-on: nothing to draw.
    bool Empty() const { return width < 1 || height < 1; }
};

// Size of the card of a w x h picture at `angle` (tenths of a degree).
FlipGeometry ComputeFlipGeometry(int w, int h, int angle, int direction, int depth, double zoom);

struct FlipBox {
    int left, top, right, bottom;
};
// Where an image of imageW x imageH sits when centred in the control.
FlipBox FlipImagePlace(int controlW, int controlH, int imageW, int imageH);
// The area to repaint for that image: its place grown by one pixel on every
// side, limited to the control.
FlipBox FlipRepaintBox(int controlW, int controlH, int imageW, int imageH);

} // namespace flip
