// A device-independent bitmap in the memory layout Win32 expects: rows are
// stored bottom-up and padded to 4 bytes, the palette is RGBQUAD-shaped, so
// the window code can hand Bits() and a BITMAPINFO built from these fields
// straight to SetDIBits or StretchDIBits without copying the pixels.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

// Same byte order as RGBQUAD.
struct TRgbQuad {
    uint8_t Blue = 0;
    uint8_t Green = 0;
    uint8_t Red = 0;
    uint8_t Reserved = 0;
};

// A colour as the framework's TColor stores it: 0x00BBGGRR.
using TColorRef = uint32_t;
inline TColorRef MakeColorRef(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<TColorRef>(r) | (static_cast<TColorRef>(g) << 8) |
           (static_cast<TColorRef>(b) << 16);
}

// Frees a pixel block the bitmap owns; a borrowed one stays.
struct TDibBlockDeleter {
    bool Owned = true;
    void operator()(uint8_t* p) const {
        if (Owned) std::free(p);
    }
};

class TDibBitmap {
public:
    // Largest pixel block one bitmap may take. A 32-bit process cannot hold
    // much more, and file headers must not be able to ask for more.
    static constexpr size_t kMaxImageBytes = size_t(256) * 1024 * 1024;

    // Bytes of one padded row, or 0 when the width or depth makes no sense or
    // the row would not fit the size limit.
    static size_t StrideFor(uint32_t width, int bitCount);

    // Allocates width x height pixels at 1, 4, 8 or 24 bits, all zero, with a
    // palette of 2^bitCount black entries below 24 bits. Returns false
    // (leaving the bitmap empty) when the size is zero, too large or cannot
    // be allocated.
    bool Create(uint32_t width, uint32_t height, int bitCount);
    // Shapes the bitmap as Create does, for a decoder that writes every
    // pixel. The pixel block is kept when the new picture fits in it (a
    // folder of same-size photos allocates once and touches no fresh
    // memory), or it comes from the pixel source. Pixels are left as they
    // were; the bytes after each row's pixels are cleared (below 8 bits per
    // pixel, where pixels share bytes, the whole block is).
    bool Reuse(uint32_t width, uint32_t height, int bitCount);
    // Frees the pixels (never a block of the pixel source); the source stays.
    void Clear();

    // Where Reuse takes its block from first: the memory of the bitmap a
    // window draws, say, so that pixels are decoded where they are shown.
    // The source answers null when it has no block of that shape; the
    // bitmap then uses its own memory. The block must hold `height` rows of
    // StrideFor(width, bitCount) bytes and outlive its use here.
    using TPixelSource = std::function<uint8_t*(uint32_t width, uint32_t height, int bitCount)>;
    void SetPixelSource(TPixelSource source) { FSource = std::move(source); }
    // True when the pixels lie in a block of the pixel source.
    bool BorrowedPixels() const { return FBits && !FBits.get_deleter().Owned; }

    bool Empty() const { return !FBits; }
    int Width() const { return static_cast<int>(FWidth); }
    int Height() const { return static_cast<int>(FHeight); }
    int BitCount() const { return FBitCount; }
    size_t Stride() const { return FStride; }
    size_t ImageSize() const { return FStride * FHeight; }

    // Pixel block, bottom row first (the order of a DIB with positive height).
    uint8_t* Bits() { return FBits.get(); }
    const uint8_t* Bits() const { return FBits.get(); }
    // Row y counted from the top of the picture.
    uint8_t* Row(int y) { return FBits.get() + FStride * (FHeight - 1 - static_cast<size_t>(y)); }
    const uint8_t* Row(int y) const {
        return FBits.get() + FStride * (FHeight - 1 - static_cast<size_t>(y));
    }

    // Colour table; as many entries as the depth can index (none at 24 bits).
    std::vector<TRgbQuad>& Palette() { return FPalette; }
    const std::vector<TRgbQuad>& Palette() const { return FPalette; }
    // Fills the first `levels` entries with an even grey ramp from black to white.
    void SetGreyPalette(int levels);

    // Drawing leaves pixels of TransparentColor out when Transparent is set.
    bool Transparent = false;
    TColorRef TransparentColor = 0;

    // Deep copy (pixels, palette, transparency); false (and empty) when the
    // copy cannot be allocated. The copy owns its pixels.
    bool Assign(const TDibBitmap& source);

private:
    void SetShape(uint32_t width, uint32_t height, int bitCount, size_t stride);
    std::unique_ptr<uint8_t[], TDibBlockDeleter> FBits;
    size_t FCapacity = 0; // bytes of an owned block
    TPixelSource FSource;
    uint32_t FWidth = 0;
    uint32_t FHeight = 0;
    int FBitCount = 0;
    size_t FStride = 0;
    std::vector<TRgbQuad> FPalette;
};
