#include "imageview/flip_image_render.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace flip {
namespace {
using i64 = std::int64_t;

std::uint32_t ReadPixel(const std::uint8_t* p, int bytes) {
    return bytes == 1 ? p[0] : p[0] | (p[1] << 8) | (p[2] << 16);
}

// 16.16 stepping down a span: the k-th pixel takes this source index counted
// from the far end, so the span runs from the picture's near edge.
int SteppedIndex(int size, i64 step, int k) {
    const i64 v = (static_cast<i64>(size) * 65536 - 1 - k * step) / 65536;
    return static_cast<int>(std::clamp<i64>(v, 0, size - 1));
}

// Collects the clip rectangles of one column or row: the whole span, or
// each run of pixels that are not of the transparent colour.
class RunCollector {
public:
    RunCollector(std::vector<FlipRect>& out, bool vertical, int line)
        : out_(out), vertical_(vertical), line_(line) {}
    void Pixel(int pos, bool visible) {
        if (visible && start_ < 0) start_ = pos;
        if (!visible && start_ >= 0) Close(pos);
    }
    void Close(int end) {
        if (start_ < 0) return;
        out_.push_back(vertical_ ? FlipRect{line_, start_, line_ + 1, end}
                                 : FlipRect{start_, line_, end, line_ + 1});
        start_ = -1;
    }

private:
    std::vector<FlipRect>& out_;
    bool vertical_;
    int line_;
    int start_ = -1;
};
} // namespace

bool FlipPicture::Empty() const {
    if (width <= 0 || height <= 0 || (bpp != 8 && bpp != 24)) return true;
    return bits.size() < static_cast<std::size_t>(Stride()) * static_cast<std::size_t>(height);
}

std::uint32_t FlipPicture::Pixel(int x, int rowFromBottom) const {
    const int bytes = bpp / 8;
    return ReadPixel(bits.data() + static_cast<std::size_t>(rowFromBottom) * Stride() + x * bytes,
                     bytes);
}

std::uint32_t FlipFrame::Pixel(int x, int y) const {
    const int bytes = bpp / 8;
    return ReadPixel(bits.data() + static_cast<std::size_t>(y) * Stride() + x * bytes, bytes);
}

std::uint32_t AutoTransparentKey(const FlipPicture& p) {
    if (p.Empty()) return 0;
    return p.Pixel(0, p.height - 1);
}

std::uint32_t FixedTransparentKey(const FlipPicture& p, std::uint32_t colorRef) {
    const int r = colorRef & 0xFF, g = (colorRef >> 8) & 0xFF, b = (colorRef >> 16) & 0xFF;
    if (p.bpp != 8) return static_cast<std::uint32_t>(b | (g << 8) | (r << 16));
    std::uint32_t best = 0;
    long bestDistance = -1;
    for (std::size_t i = 0; i < p.palette.size(); ++i) {
        const std::uint32_t e = p.palette[i];
        const long db = static_cast<long>(e & 0xFF) - b,
                   dg = static_cast<long>((e >> 8) & 0xFF) - g,
                   dr = static_cast<long>((e >> 16) & 0xFF) - r;
        const long d = db * db + dg * dg + dr * dr;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = static_cast<std::uint32_t>(i);
        }
    }
    return best;
}

FlipFrame RenderFlipFrame(const FlipPicture& p, const FlipGeometry& g, int direction,
                          const FlipTransparency& t) {
    FlipFrame f;
    if (p.Empty() || g.Empty()) return f;
    f.width = g.width;
    f.height = g.height;
    f.bpp = p.bpp;
    f.bits.assign(static_cast<std::size_t>(f.Stride()) * f.height, 0);
    const int bytes = p.bpp / 8;
    const i64 o = g.offset, ao = std::llabs(o);
    const bool vertical = direction == fdVertical;
    // Lines are columns about the vertical axis and rows about the horizontal one.
    const int lines = vertical ? f.width : f.height;
    const int length = vertical ? f.height : f.width;
    const int srcAcross = vertical ? p.width : p.height; // picture size across the lines
    const int srcAlong = vertical ? p.height : p.width;  // picture size along a line
    for (int line = 0; line < lines; ++line) {
        const i64 start = ao + (2 * line * o) / lines - o;
        const i64 span = length - 2 * start;
        if (start < 0 || span <= 0) continue;
        // The back face is seen mirrored.
        const int src = static_cast<int>(
            (static_cast<i64>(srcAcross) * (g.front ? line : lines - 1 - line)) / lines);
        const i64 step = (static_cast<i64>(srcAlong) * 65536 + span / 2) / span;
        RunCollector runs(f.clip, vertical, line);
        for (int k = 0; k < span; ++k) {
            const int along = SteppedIndex(srcAlong, step, k);
            // Down a column: rows counted from the bottom, starting at the top
            // row. Along a row: columns counted from the right, starting at the
            // left one, so that the front face reads the right way round.
            const int sx = vertical ? src : srcAlong - 1 - along;
            const int sRow = vertical ? along : p.height - 1 - src;
            const std::uint8_t* from =
                p.bits.data() + static_cast<std::size_t>(sRow) * p.Stride() + sx * bytes;
            const int dx = vertical ? line : static_cast<int>(start) + k;
            const int dy = vertical ? static_cast<int>(start) + k : line;
            std::copy(from, from + bytes,
                      f.bits.data() + static_cast<std::size_t>(dy) * f.Stride() + dx * bytes);
            runs.Pixel(static_cast<int>(start) + k, !t.on || ReadPixel(from, bytes) != t.key);
        }
        runs.Close(static_cast<int>(start + span));
    }
    return f;
}

} // namespace flip
