#include "imageview/flip_image_geometry.h"

#include <algorithm>
#include <cmath>

namespace flip {
namespace {
constexpr double kPi = 3.14159265358979323846;
} // namespace

int NormalizeAngle(int angle) {
    int a = angle % 3600;
    return a < 0 ? a + 3600 : a;
}

int ClampDepth(int depth) {
    return std::clamp(depth, 0, 100);
}

double ZoomFactor(int percent) {
    if (percent < 25) percent = 25;
    if (percent >= 401) percent = 400;
    return percent / 100.0;
}

int ZoomPercent(double factor) {
    return RoundHalfEven(factor * 100.0);
}

FlipGeometry ComputeFlipGeometry(int w, int h, int angle, int direction, int depth, double zoom) {
    const double theta = angle * kPi / 1800.0;
    const double s = std::sin(theta), c = std::cos(theta);
    FlipGeometry g;
    g.front = c > 0;
    // The axis side runs at full size plus perspective; the other shrinks with cos.
    const int along = direction == fdVertical ? h : w;
    const int across = direction == fdVertical ? w : h;
    int o = RoundHalfEven(along * zoom * s / 3 * depth / 100);
    if (c < 0) o = -o;
    g.offset = o;
    const int full = RoundHalfEven(along * zoom + 2.0 * std::abs(o));
    const int narrow = std::abs(RoundHalfEven(across * zoom * c));
    if (direction == fdVertical) {
        g.width = narrow;
        g.height = full;
    } else {
        g.width = full;
        g.height = narrow;
    }
    return g;
}

FlipBox FlipImagePlace(int controlW, int controlH, int imageW, int imageH) {
    const int left = (controlW - imageW) / 2, top = (controlH - imageH) / 2;
    return {left, top, left + imageW, top + imageH};
}

FlipBox FlipRepaintBox(int controlW, int controlH, int imageW, int imageH) {
    FlipBox b = FlipImagePlace(controlW, controlH, imageW, imageH);
    return {std::max(b.left - 1, 0), std::max(b.top - 1, 0), std::min(b.right + 1, controlW),
            std::min(b.bottom + 1, controlH)};
}

} // namespace flip
