// The turned card drawn into memory: a picture stepped onto a trapezoid in
// 16.16 fixed point, without filtering, and the rectangles that outline its
// visible pixels.
#pragma once
#include <cstdint>
#include <vector>

#include "imageview/flip_image_geometry.h"

namespace flip {

// Row stride of a device-independent bitmap: rows padded to 4 bytes.
inline int DibStride(int width, int bpp) {
    return ((width * bpp + 31) / 32) * 4;
}

// A picture of 8 (palette) or 24 bits per pixel, rows stored bottom-up as a
// device-independent bitmap keeps them. Colours are packed B | G << 8 | R << 16,
// as a palette entry and a 24-bit pixel lie in memory.
struct FlipPicture {
    int width = 0, height = 0, bpp = 24;
    std::vector<std::uint32_t> palette;
    std::vector<std::uint8_t> bits;
    int Stride() const { return DibStride(width, bpp); }
    // Empty also when the pixels do not fill the stated size.
    bool Empty() const;
    // Pixel value (index or packed colour) at column x of the row `rowFromBottom`.
    std::uint32_t Pixel(int x, int rowFromBottom) const;
};

struct FlipRect {
    int left, top, right, bottom;
    bool operator==(const FlipRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// The rendered card, rows top-down, with the picture's bit depth.
struct FlipFrame {
    int width = 0, height = 0, bpp = 24;
    std::vector<std::uint8_t> bits;
    std::vector<FlipRect> clip;
    int Stride() const { return DibStride(width, bpp); }
    std::uint32_t Pixel(int x, int y) const;
};

struct FlipTransparency {
    bool on = false;
    std::uint32_t key = 0; // palette index or packed colour
};

// The colour of the first pixel of the picture's top row.
std::uint32_t AutoTransparentKey(const FlipPicture& p);
// A fixed colour (0x00BBGGRR) as the picture stores it: the nearest palette
// index for 8 bits (0 without a palette), the packed colour for 24 bits.
std::uint32_t FixedTransparentKey(const FlipPicture& p, std::uint32_t colorRef);

// Draws the card of geometry g (from ComputeFlipGeometry for the picture).
// Pixels outside the card are left 0 and outside every clip rectangle.
FlipFrame RenderFlipFrame(const FlipPicture& p, const FlipGeometry& g, int direction,
                          const FlipTransparency& t);

} // namespace flip
