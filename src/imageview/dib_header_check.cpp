#include "imageview/dib_header_check.h"

#include <cstring>

#include "imageview/dib_bitmap.h"

namespace {
constexpr uint32_t kHeaderSize = 40;
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;

uint32_t U32(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24);
}
uint16_t U16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
} // namespace

bool CheckDibHeader(const void* info, size_t infoSize, size_t bitsSize, TDibLayout& layout) {
    layout = TDibLayout{};
    if (!info || infoSize < kHeaderSize) return false;
    const auto* h = static_cast<const uint8_t*>(info);
    const uint32_t size = U32(h);
    const int32_t width = static_cast<int32_t>(U32(h + 4));
    const int32_t height = static_cast<int32_t>(U32(h + 8));
    const uint16_t planes = U16(h + 12);
    const uint16_t bitCount = U16(h + 14);
    const uint32_t compression = U32(h + 16);
    const uint32_t used = U32(h + 32);
    if (size < kHeaderSize || size > infoSize || planes != 1) return false;
    if (width <= 0 || height == 0 || height == INT32_MIN) return false;
    switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return false;
    }
    uint64_t tableBytes = 0;
    if (compression == kBiBitfields) {
        if (bitCount != 16 && bitCount != 32) return false;
        if (size == kHeaderSize) tableBytes += 12; // the three masks follow the header
    } else if (compression != kBiRgb) {
        return false;
    }
    if (bitCount <= 8) {
        const uint32_t most = 1u << bitCount;
        if (used > most) return false;
        tableBytes += uint64_t(used ? used : most) * 4;
    } else {
        tableBytes += uint64_t(used) * 4;
    }
    if (size + tableBytes > infoSize) return false;

    const uint64_t stride = (uint64_t(width) * bitCount + 31) / 32 * 4;
    const uint64_t rows = height < 0 ? uint64_t(-int64_t(height)) : uint64_t(height);
    if (stride * rows > TDibBitmap::kMaxImageBytes || stride * rows > bitsSize) return false;

    layout.Width = width;
    layout.Height = static_cast<int32_t>(rows);
    layout.TopDown = height < 0;
    layout.BitCount = bitCount;
    layout.UsedColors = used;
    layout.Stride = static_cast<size_t>(stride);
    return true;
}
