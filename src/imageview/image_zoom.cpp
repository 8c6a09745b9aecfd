#include "imageview/image_zoom.h"

#include <algorithm>
#include <cmath>

#include "base/strutil.h"

namespace image_zoom {

namespace {
// Truncation of a quotient as the pane's arithmetic does it; false where
// the division has no finite answer.
bool TruncQuotient(double num, double den, double factor, int& out) {
    if (den == 0) return false;
    const double v = num / den * factor;
    if (!std::isfinite(v) || v > 2147483647.0 || v < -2147483648.0) return false;
    out = static_cast<int>(std::trunc(v));
    return true;
}
} // namespace

double FitFactor(const TFitInput& in) {
    if (in.NaturalWidth == 0 || in.NaturalHeight == 0) return 1.0;
    const double byHeight = double(in.ClientHeight - kFitMargin) / in.NaturalHeight;
    const double byWidth = double(in.ClientWidth - kFitMargin) / in.NaturalWidth;
    return std::min(byHeight, byWidth);
}

TFitResult FitPercent(const TFitInput& in) {
    const double f = FitFactor(in);
    int h = static_cast<int>(std::trunc(in.NaturalHeight * f));
    int w = static_cast<int>(std::trunc(in.NaturalWidth * f));
    if (in.Top + h > in.ClientHeight) h = in.ClientHeight - in.Top;
    if (in.Left + w > in.ClientWidth) w = in.ClientWidth - in.Left;
    if (h <= 10) h = in.CurrentHeight;
    if (w <= 10) w = in.CurrentWidth;
    TFitResult r;
    int byHeight = 0, byWidth = 0;
    if (!TruncQuotient(h, in.NaturalHeight, 100, byHeight) ||
        !TruncQuotient(w, in.NaturalWidth, 100, byWidth)) {
        return r;
    }
    r.Percent = std::max(byHeight, byWidth);
    if (r.Percent > kMaxPercent) r.Percent = kFitCeiling;
    r.Ok = true;
    return r;
}

TZoomResult ApplyZoom(int percent, int naturalWidth, int naturalHeight) {
    TZoomResult r;
    if (percent <= kMinPercent) {
        r.Accepted = kMinPercent;
        return r;
    }
    const double s = percent / 100.0;
    const double w = std::trunc(naturalWidth * s);
    const double h = std::trunc(naturalHeight * s);
    if (w >= kMaxWidth || h >= kMaxHeight || percent >= kMaxPercent) {
        r.Accepted = percent - kStep;
        return r;
    }
    r.Changed = true;
    r.Accepted = percent;
    r.Size = {static_cast<int>(w), static_cast<int>(h)};
    return r;
}

TSize FittedSize(const TFitInput& in) {
    const TFitResult fit = FitPercent(in);
    if (fit.Ok) {
        const TZoomResult z = ApplyZoom(fit.Percent, in.NaturalWidth, in.NaturalHeight);
        if (z.Changed) return z.Size;
    }
    return {in.CurrentWidth, in.CurrentHeight};
}

int ReducedScale(int naturalWidth, int naturalHeight, TSize shown) {
    for (int d : {8, 4, 2}) {
        if ((naturalWidth + d - 1) / d >= shown.Width && (naturalHeight + d - 1) / d >= shown.Height)
            return d;
    }
    return 1;
}

double DisplayScale(int controlWidth, int controlHeight, int naturalWidth, int naturalHeight) {
    if (controlHeight > controlWidth) {
        return naturalHeight == 0 ? 0.0 : double(controlHeight) / naturalHeight;
    }
    return naturalWidth == 0 ? 0.0 : double(controlWidth) / naturalWidth;
}

std::string ZoomLabel(int percent) {
    std::string s = Format("%3d", percent) + "% ";
    if (percent >= 101) {
        s += "Enlarged";
    } else if (percent < 100) {
        s += "Reduced";
    }
    return s;
}

TSize AspectSize(int width, int height, int xDensity, int yDensity) {
    if ((xDensity == 1 && yDensity == 1) || xDensity <= 0 || yDensity <= 0) return {width, height};
    if (xDensity >= yDensity) {
        return {width, static_cast<int>(static_cast<long long>(height) * xDensity / yDensity)};
    }
    return {static_cast<int>(static_cast<long long>(width) * yDensity / xDensity), height};
}

TSize PreviewSize(int width, int height) {
    return {(width + 3) / 4, (height + 3) / 4};
}

} // namespace image_zoom
