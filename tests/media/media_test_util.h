// Samples and broken media for the media tests, and a wait that keeps the
// message queue moving (MCI and the pane's timer need it).
#pragma once
#include <string>

#include "../imageview/image_win_test_util.h"
#include "ui/forms.h"

inline std::string SampleMedia(const char* name) { return BinFolder() + "..\\samples\\media\\" + name; }

// Pumps messages until `done` holds or `ms` pass; returns whether it held.
template <typename Pred>
bool WaitFor(DWORD ms, Pred done) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start >= ms) return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

// The sample clip with its video stream claiming a codec nobody has.
inline std::string UnknownCodecClip() {
    std::string avi = ReadText(SampleMedia("clip.avi"));
    const std::size_t strh = avi.find("strh");
    const std::size_t strf = avi.find("strf");
    if (strh == std::string::npos || strf == std::string::npos) return {};
    avi.replace(strh + 8 + 4, 4, "QMZZ");  // the stream's handler
    avi.replace(strf + 8 + 16, 4, "QMZZ"); // the bitmap header's compression
    return avi;
}
