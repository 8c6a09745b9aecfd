#include "imageview/dib_bitmap.h"

#include <cstring>

size_t TDibBitmap::StrideFor(uint32_t width, int bitCount) {
    if (width == 0) return 0;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24) return 0;
    // 64-bit arithmetic: width * 24 + 31 overflows 32 bits for large widths.
    uint64_t bits = static_cast<uint64_t>(width) * static_cast<uint64_t>(bitCount);
    uint64_t stride = (bits + 31) / 32 * 4;
    if (stride > kMaxImageBytes) return 0;
    return static_cast<size_t>(stride);
}

namespace {
// Bytes of a row of `height` rows that the limits allow, else 0.
size_t CheckedStride(uint32_t width, uint32_t height, int bitCount) {
    const size_t stride = TDibBitmap::StrideFor(width, bitCount);
    if (stride == 0 || height == 0) return 0;
    if (height > TDibBitmap::kMaxImageBytes / stride) return 0;
    // Width and height also travel as signed 32-bit values in a DIB header.
    if (width > 0x7FFFFFFFu || height > 0x7FFFFFFFu) return 0;
    return stride;
}
} // namespace

void TDibBitmap::SetShape(uint32_t width, uint32_t height, int bitCount, size_t stride) {
    FWidth = width;
    FHeight = height;
    FBitCount = bitCount;
    FStride = stride;
    if (bitCount <= 8)
        FPalette.assign(size_t(1) << bitCount, TRgbQuad{});
    else
        FPalette.clear();
    Transparent = false;
    TransparentColor = 0;
}

bool TDibBitmap::Create(uint32_t width, uint32_t height, int bitCount) {
    Clear();
    const size_t stride = CheckedStride(width, height, bitCount);
    if (stride == 0) return false;
    // calloc: large blocks come as fresh zero pages, no separate clearing pass.
    uint8_t* bits = static_cast<uint8_t*>(std::calloc(height, stride));
    if (bits == nullptr) return false;
    FBits.reset(bits);
    FCapacity = stride * height;
    SetShape(width, height, bitCount, stride);
    return true;
}

bool TDibBitmap::Reuse(uint32_t width, uint32_t height, int bitCount) {
    const size_t stride = CheckedStride(width, height, bitCount);
    if (stride == 0) {
        Clear();
        return false;
    }
    const size_t size = stride * height;
    uint8_t* block = FSource ? FSource(width, height, bitCount) : nullptr;
    bool clean = false;
    if (block) {
        if (FBits.get() != block) Clear();
        FBits.release();
        FBits = std::unique_ptr<uint8_t[], TDibBlockDeleter>(block, TDibBlockDeleter{false});
        FCapacity = 0;
    } else if (FBits && FBits.get_deleter().Owned && FCapacity >= size) {
        // The block of the picture before holds this one too.
    } else {
        Clear();
        block = static_cast<uint8_t*>(std::calloc(height, stride));
        if (block == nullptr) return false;
        FBits.reset(block);
        FCapacity = size;
        clean = true;
    }
    SetShape(width, height, bitCount, stride);
    if (clean) return true;
    if (bitCount < 8) {
        std::memset(FBits.get(), 0, size);
        return true;
    }
    const size_t used = (static_cast<size_t>(width) * static_cast<size_t>(bitCount) + 7) / 8;
    if (used < stride)
        for (uint32_t y = 0; y < height; ++y)
            std::memset(FBits.get() + stride * y + used, 0, stride - used);
    return true;
}

void TDibBitmap::Clear() {
    FBits.reset();
    FBits.get_deleter().Owned = true;
    FCapacity = 0;
    FWidth = FHeight = 0;
    FBitCount = 0;
    FStride = 0;
    FPalette.clear();
    Transparent = false;
    TransparentColor = 0;
}

void TDibBitmap::SetGreyPalette(int levels) {
    if (levels < 2) return;
    if (static_cast<size_t>(levels) > FPalette.size()) levels = static_cast<int>(FPalette.size());
    for (int i = 0; i < levels; ++i) {
        uint8_t v = static_cast<uint8_t>(i * 255 / (levels - 1));
        FPalette[i] = TRgbQuad{v, v, v, 0};
    }
}

bool TDibBitmap::Assign(const TDibBitmap& source) {
    if (&source == this) return true;
    Clear();
    if (source.Empty()) return true;
    if (!Create(source.FWidth, source.FHeight, source.FBitCount)) return false;
    std::memcpy(FBits.get(), source.FBits.get(), source.ImageSize());
    FPalette = source.FPalette;
    Transparent = source.Transparent;
    TransparentColor = source.TransparentColor;
    return true;
}
