// Per-row work of the PNG decoder: undoing the row filters, turning a row of
// file samples into the image bitmap's pixel format, and placing the pixels
// of an interlace pass row at their spread-out positions.
#pragma once
#include <cstddef>
#include <cstdint>

#include "imageview/png_header.h"

// Undoes filter `type` (0 None .. 4 Paeth) on `row` in place; `prior` is the
// unfiltered previous row of the same pass (all zero for the first).
// Returns false for a filter type above 4, leaving the row untouched.
bool PngUnfilterRow(uint8_t type, uint8_t* row, const uint8_t* prior, size_t length, size_t unit);

// Paeth for colour pixels has a form for processors with SSE4.1, used
// where there is one. False keeps to the form every processor runs (the
// tests check both); answers whether the SSE4.1 form is in use.
bool PngUseFastPaeth(bool allowed);

// Converts `count` pixels of an unfiltered row to the image bitmap format of
// `header` (BGR at 24 bits, 2-bit samples widened to 4-bit indices, 16-bit
// samples cut to their high byte). With an alpha channel, 255 - alpha of
// each pixel goes to `alpha` (one byte per pixel).
void PngConvertRow(const TPngHeader& header, const uint8_t* source, uint32_t count, uint8_t* image,
                   uint8_t* alpha);

// Writes pixel i of the packed row `source` (at `bitCount` bits per pixel:
// 1, 4, 8 or 24) to position first + i * step of `target`, for i < count.
void PngPlacePixels(int bitCount, const uint8_t* source, uint32_t count, uint8_t* target,
                    uint32_t first, uint32_t step);
