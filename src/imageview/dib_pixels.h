// A DIB's pixels as plain top-down 24-bit BGR rows without padding, the
// form decoded pictures are compared and fingerprinted in.
#pragma once
#include <cstdint>
#include <vector>

#include "imageview/dib_bitmap.h"

std::vector<uint8_t> TopDownBgr(const TDibBitmap& dib);
// The palette colour of pixel x in a row of a 1-, 4- or 8-bit DIB; black
// for an index the palette does not have.
TRgbQuad PaletteColor(const TDibBitmap& dib, const uint8_t* row, int x);
