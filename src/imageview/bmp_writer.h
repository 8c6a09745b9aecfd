// Writes a DIB as a Windows .BMP file, so developers can look at what a
// decoder produced.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "imageview/dib_bitmap.h"

// The complete file: BITMAPFILEHEADER, BITMAPINFOHEADER, palette, bits.
std::vector<uint8_t> EncodeBmp(const TDibBitmap& bitmap);
// False when the bitmap is empty or the file cannot be written.
bool SaveBmpFile(const TDibBitmap& bitmap, const std::string& path);
