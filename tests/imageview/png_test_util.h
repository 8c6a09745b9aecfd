// Loading helpers shared by the PNG tests.
#pragma once
#include <cstdint>
#include <string>

#include "imageview/dib_bitmap.h"
#include "imageview/input_stream.h"
#include "imageview/png_error.h"
#include "imageview/png_graphic.h"
#include "png_test_writer.h"

inline void LoadPng(TPngGraphic& graphic, const TBytes& bytes) {
    TMemoryInputStream stream(bytes.data(), bytes.size());
    graphic.LoadFromStream(stream);
}

// The EPngError message a load raises, or "" when it succeeds.
inline std::string LoadError(const TBytes& bytes) {
    TPngGraphic g;
    try {
        LoadPng(g, bytes);
    } catch (const EPngError& e) {
        return e.what();
    }
    return "";
}

// Palette index (1, 4, 8 bits) of pixel (x, y) counted from the top.
inline int PixelIndex(const TDibBitmap& bmp, int x, int y) {
    const uint8_t* row = bmp.Row(y);
    switch (bmp.BitCount()) {
    case 1:
        return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4:
        return (x % 2) ? (row[x / 2] & 0x0F) : (row[x / 2] >> 4);
    default:
        return row[x];
    }
}
