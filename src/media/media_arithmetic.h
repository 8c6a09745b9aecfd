// Arithmetic of the media pane: the track bar's step sizes, the video zoom
// steps and size, the A-B marks and the counter text. Pure functions, so the
// pane's window code only moves controls and the device by their answers.
#pragma once
#include <string>

namespace media {

constexpr int kZoomStep = 10;         // one enlarge or reduce step, in percent
constexpr int kMinZoomPercent = 10;   // a reduction stops here
constexpr int kMaxZoomPercent = 4000; // an enlargement stops here

// Line and page size of the track bar for a medium of `max` positions: a
// twentieth and a tenth of it; a step that comes out as 0 becomes 10.
struct TTrackSizes {
    int Line = 0;
    int Page = 0;
};
TTrackSizes TrackBarSizes(int max);

// True when the command's name (any case) asks to enlarge.
bool NamesEnlarge(const std::string& senderName);
// The percent after one zoom step from `percent`.
int ZoomStepPercent(int percent, bool enlarge);

// The video's size at `percent` of its natural size.
struct TVideoSize {
    int Width = 0;
    int Height = 0;
};
TVideoSize VideoSize(int naturalWidth, int naturalHeight, int percent);

// Percent at which a video of the natural size shows first: fitted into a
// client area of clientWidth x clientHeight (less the fit margin) when `fit`
// is on, 100 otherwise and for media without a picture.
int OpeningZoomPercent(bool fit, int clientWidth, int clientHeight, int naturalWidth,
                       int naturalHeight);

// Marks hold device positions; 0 means "not set".
// Mark A is refused at or after a mark B that is set.
bool AcceptsMarkA(long position, long markB);
// The loop runs from the lower mark to the higher one: marks set in the
// other order are exchanged (equal ones too, which changes nothing).
struct TLoop {
    long A = 0;
    long B = 0;
};
TLoop LoopBetween(long markA, long markB);
// True when a tick at `position` has to send the running loop back to A.
bool LoopReachedEnd(long position, long markB);

// A position as the five-digit counters show it: right-aligned in five
// characters; longer numbers keep all their digits.
std::string CounterText(long position);

} // namespace media
