// A DIB's pixels as plain top-down 24-bit BGR rows without padding, the
// form decoded pictures are compared and fingerprinted in.
#pragma once
#include <cstdint>
#include <vector>

#include "imageview/dib_bitmap.h"

std::vector<uint8_t> TopDownBgr(const TDibBitmap& dib);
