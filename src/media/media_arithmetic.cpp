#include "media/media_arithmetic.h"

#include <cmath>
#include <utility>

#include "base/sjis.h"
#include "base/strutil.h"
#include "imageview/image_zoom.h"

namespace media {

TTrackSizes TrackBarSizes(int max) {
    TTrackSizes s{max / 20, max / 10}; // integer division truncates towards zero
    if (s.Line == 0) s.Line = 10;
    if (s.Page == 0) s.Page = 10;
    return s;
}

bool NamesEnlarge(const std::string& senderName) {
    return SjisUpperCase(senderName).find("ENLARGE") != std::string::npos;
}

int ZoomStepPercent(int percent, bool enlarge) {
    if (enlarge) {
        percent += kZoomStep;
        return percent > kMaxZoomPercent ? kMaxZoomPercent : percent;
    }
    percent -= kZoomStep;
    return percent < kMinZoomPercent + 1 ? kMinZoomPercent : percent;
}

TVideoSize VideoSize(int naturalWidth, int naturalHeight, int percent) {
    const double s = percent / 100.0;
    return {static_cast<int>(std::trunc(naturalWidth * s)),
            static_cast<int>(std::trunc(naturalHeight * s))};
}

int OpeningZoomPercent(bool fit, int clientWidth, int clientHeight, int naturalWidth,
                       int naturalHeight) {
    double f = 1.0;
    if (fit) {
        image_zoom::TFitInput in;
        in.NaturalWidth = naturalWidth;
        in.NaturalHeight = naturalHeight;
        in.ClientWidth = clientWidth;
        in.ClientHeight = clientHeight;
        f = image_zoom::FitFactor(in);
    }
    const int percent = static_cast<int>(std::trunc(f * 100));
    // A pane narrower than the fit margin would give the video no size at
    // all (or a negative one, which the device refuses); the smallest zoom
    // step is as far as the fit goes.
    return percent < kMinZoomPercent ? kMinZoomPercent : percent;
}

bool AcceptsMarkA(long position, long markB) {
    return !(markB != 0 && position >= markB);
}

TLoop LoopBetween(long markA, long markB) {
    if (markA >= markB) std::swap(markA, markB);
    return {markA, markB};
}

bool LoopReachedEnd(long position, long markB) {
    return position >= markB;
}

std::string CounterText(long position) {
    return Format("%5s", std::to_string(position).c_str());
}

} // namespace media
