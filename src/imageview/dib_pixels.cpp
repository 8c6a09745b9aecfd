#include "imageview/dib_pixels.h"

#include <cstring>

TRgbQuad PaletteColor(const TDibBitmap& dib, const uint8_t* row, int x) {
    int index;
    switch (dib.BitCount()) {
    case 1:
        index = (row[x / 8] >> (7 - x % 8)) & 1;
        break;
    case 4:
        index = (x % 2) ? (row[x / 2] & 0x0F) : (row[x / 2] >> 4);
        break;
    default:
        index = row[x];
    }
    return size_t(index) < dib.Palette().size() ? dib.Palette()[index] : TRgbQuad{};
}

std::vector<uint8_t> TopDownBgr(const TDibBitmap& dib) {
    std::vector<uint8_t> out;
    if (dib.Empty()) return out;
    const int w = dib.Width(), h = dib.Height();
    out.resize(size_t(w) * h * 3);
    for (int y = 0; y < h; ++y) {
        const uint8_t* src = dib.Row(y);
        uint8_t* dst = out.data() + size_t(y) * w * 3;
        if (dib.BitCount() == 24) {
            std::memcpy(dst, src, size_t(w) * 3);
            continue;
        }
        for (int x = 0; x < w; ++x) {
            const TRgbQuad q = PaletteColor(dib, src, x);
            dst[x * 3] = q.Blue;
            dst[x * 3 + 1] = q.Green;
            dst[x * 3 + 2] = q.Red;
        }
    }
    return out;
}
