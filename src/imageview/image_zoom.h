// Fit-to-pane and zoom arithmetic of the image pane, the sizes the plug-in
// loads derive from a picture's information, and the zoom label. Pure
// functions, so the window code only moves controls by their answers.
#pragma once
#include <string>

namespace image_zoom {

constexpr int kMinPercent = 10;   // a request at or below this is refused
constexpr int kMaxPercent = 4000; // a request at or above this is undone
constexpr int kFitCeiling = 3990; // what a fit above kMaxPercent settles on
constexpr int kMaxWidth = 3200;   // a zoomed picture stays narrower than this
constexpr int kMaxHeight = 2400;  // and lower than this
constexpr int kStep = 10;         // one reduce or enlarge step, in percent
constexpr int kFitMargin = 5;     // pixels the fitted picture keeps free

struct TSize {
    int Width = 0;
    int Height = 0;
    bool operator==(const TSize& o) const { return Width == o.Width && Height == o.Height; }
};

// Where the image control sits in the scroll box and how big it is now.
struct TFitInput {
    int NaturalWidth = 0, NaturalHeight = 0; // W, H
    int ClientWidth = 0, ClientHeight = 0;   // Cw, Ch of the scroll box
    int Left = 0, Top = 0;                   // of the control in the box
    int CurrentWidth = 0, CurrentHeight = 0; // of the control before the fit
};

struct TFitResult {
    bool Ok = false; // false: the arithmetic failed (a zero natural size)
    int Percent = 0; // the percent to store and apply
};

// The factor that makes the picture fill the box less the margin; 1.0 when
// the natural size is zero.
double FitFactor(const TFitInput& in);
// Steps from the factor to the percent: the size the factor gives, clipped
// to the box, the control's own size for a side of 10 pixels or less, the
// larger of the two percentages, capped.
TFitResult FitPercent(const TFitInput& in);

// The answer to a requested zoom percent for a picture of natural size W x H.
struct TZoomResult {
    bool Changed = false; // the control takes Size
    int Accepted = 0;     // the percent that becomes the stored one
    TSize Size;           // the control's new size when Changed
};
TZoomResult ApplyZoom(int percent, int naturalWidth, int naturalHeight);

// The size a fit leaves the control at: the zoom of FitPercent where it is
// taken, else the control's size before the fit.
TSize FittedSize(const TFitInput& in);

// The reduced decode of a JPEG picture (libjpeg's 1/2, 1/4 or 1/8; 1 for
// the whole size) that is the smallest still at least `shown`: 8, 4 or 2
// when that fraction of each side (rounded up) covers it, else 1.
int ReducedScale(int naturalWidth, int naturalHeight, TSize shown);

// The scale a fitted control shows: by its height when it is taller than
// wide, else by its width; 0 when the natural size is zero.
double DisplayScale(int controlWidth, int controlHeight, int naturalWidth, int naturalHeight);

// Zoom part of the file information line after a zoom step:
// "%3d" + "% " + "Enlarged" (above 100), "Reduced" (below 100) or nothing.
std::string ZoomLabel(int percent);

// Size of a picture drawn with its pixel densities x:y evened out; the
// picture unchanged when both are 1 or either is not positive.
TSize AspectSize(int width, int height, int xDensity, int yDensity);
// The reduced preview a JPEG plug-in offers: each side divided by 4,
// rounded up.
TSize PreviewSize(int width, int height);

} // namespace image_zoom
