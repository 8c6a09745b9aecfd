#include "base/rounding.h"

#include <cmath>

int RoundHalfEven(double v) {
    // Independent of the floating-point rounding mode, which a plug-in or
    // driver may leave changed.
    double r = std::round(v);
    if (std::fabs(v - std::trunc(v)) == 0.5 && std::fmod(r, 2.0) != 0.0) r -= std::copysign(1.0, v);
    return static_cast<int>(r);
}
