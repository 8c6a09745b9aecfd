// Values read from the header and the optional chunks of a PNG file.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "imageview/dib_bitmap.h"

// Colour models after the alpha bit has been taken off the colour type.
enum TPngColorModel : uint8_t { pcmGrey = 0, pcmRgb = 2, pcmPalette = 3 };

struct TPngHeader {
    uint32_t Width = 0;
    uint32_t Height = 0;
    uint8_t BitDepth = 0;
    uint8_t ColorType = 0;  // the byte as stored in the file
    uint8_t ColorModel = 0; // low two bits of the colour type
    bool HasAlpha = false;  // colour type above 3
    uint8_t Compression = 0;
    uint8_t Filter = 0;
    uint8_t Interlace = 0;

    // Samples per pixel in the file (grey 1, grey+alpha 2, RGB 3, RGBA 4, palette 1).
    int Channels() const;
    // Bits per pixel of the image bitmap: 1, 4, 8 or 24.
    int ImageBitCount() const;
    // Whole bytes per pixel, at least 1: the distance the filters look back.
    int FilterUnit() const { return BitsPerPixel() >= 8 ? BitsPerPixel() / 8 : 1; }
    int BitsPerPixel() const { return Channels() * BitDepth; }
};

// Colour read from tRNS or bKGD.
struct TPngColor {
    uint8_t Red = 0;
    uint8_t Green = 0;
    uint8_t Blue = 0;
    TColorRef Ref() const { return MakeColorRef(Red, Green, Blue); }
};

// Optional chunk values; kept for whoever wants them, never applied to pixels.
struct TPngInfo {
    bool HasGamma = false;
    double Gamma = 0.0;
    bool HasPhysical = false;
    uint32_t PixelsPerUnitX = 0;
    uint32_t PixelsPerUnitY = 0;
    uint8_t Unit = 0;
    bool HasSignificantBits = false;
    uint8_t SignificantRed = 0;
    uint8_t SignificantGreen = 0;
    uint8_t SignificantBlue = 0;
    uint8_t SignificantAlpha = 0;
    bool HasBackground = false;
    TPngColor Background;
    bool HasTransparentColor = false; // grey or RGB tRNS
    TPngColor TransparentColor;
    std::vector<std::pair<std::string, std::string>> Texts; // keyword, text
};
