// Samples and broken media for the media tests, and a wait that keeps the
// message queue moving (MCI and the pane's timer need it).
#pragma once
#include <string>

#include "../imageview/image_win_test_util.h"
#include "ui/forms.h"

inline std::string SampleMedia(const char* name) { return BinFolder() + "..\\samples\\media\\" + name; }
// Clips made for the tests alone (raw.avi: the sample clip's frames uncompressed).
inline std::string TestClip(const char* name) { return BinFolder() + "..\\tests\\media_samples\\" + name; }

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

namespace media_test {
inline unsigned Le32(const std::string& s, std::size_t at) {
    return static_cast<unsigned char>(s[at]) | static_cast<unsigned char>(s[at + 1]) << 8 |
           static_cast<unsigned char>(s[at + 2]) << 16 | static_cast<unsigned>(static_cast<unsigned char>(s[at + 3])) << 24;
}
inline void Put32(std::string& s, std::size_t at, unsigned v) {
    for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
}
} // namespace media_test

// The sample clip cut to its first `frames` frames.
inline std::string ShortClip(unsigned frames) {
    using media_test::Le32;
    using media_test::Put32;
    const std::string avi = ReadText(SampleMedia("clip.avi"));
    const std::size_t hdrl = avi.find("hdrl") - 8, movi = avi.find("movi") - 8, idx1 = avi.rfind("idx1");
    std::string head = avi.substr(hdrl, movi - hdrl);
    Put32(head, head.find("avih") + 8 + 16, frames);
    Put32(head, head.find("strh") + 8 + 32, frames);
    // Frame chunks differ in size: walk them.
    std::size_t end = movi + 12;
    for (unsigned n = 0; n < frames; ++n) {
        const unsigned size = Le32(avi, end + 4);
        end += 8 + size + (size & 1);
    }
    std::string list = "LIST" + std::string(4, '\0') + "movi" + avi.substr(movi + 12, end - (movi + 12));
    Put32(list, 4, static_cast<unsigned>(list.size() - 8));
    std::string index = "idx1" + std::string(4, '\0') + avi.substr(idx1 + 8, 16 * frames);
    Put32(index, 4, 16 * frames);
    std::string out = "RIFF" + std::string(4, '\0') + "AVI " + head + list + index;
    Put32(out, 4, static_cast<unsigned>(out.size() - 8));
    return out;
}
