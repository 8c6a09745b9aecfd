// JPEG and GIF files made at test time with known content: JPEG through
// libjpeg's compressor, GIF through a small LZW encoder of the tests' own.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

using TPictureBytes = std::vector<uint8_t>;

struct TJpegSpec {
    int Width = 0, Height = 0;
    int Components = 3; // 1 grey, 3 RGB, 4 CMYK
    int Quality = 95;
    bool Progressive = false;
    // Sample c of pixel (x, y).
    std::function<uint8_t(int x, int y, int c)> Sample;
};
TPictureBytes WriteJpeg(const TJpegSpec& spec);

// Decodes with plain libjpeg into top-down RGB (or grey) rows, the
// reference our decoder's pixels are compared with; `scale` 2, 4 or 8
// decodes that fraction with libjpeg's own scaling.
bool PlainJpegDecode(const TPictureBytes& data, int& width, int& height, int& components,
                     std::vector<uint8_t>& pixels, int scale = 1);

struct TGifSpec {
    int ScreenWidth = 0, ScreenHeight = 0;
    int Background = 0;
    std::vector<uint8_t> GlobalTable; // RGB triples; empty for none
    std::vector<uint8_t> LocalTable;
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool Interlaced = false;
    int Transparent = -1;
    int MinCodeSize = 8;
    // Keep coding with the full table instead of sending a clear code.
    bool NoClearWhenFull = false;
    // Frame pixels, row by row in display order (the writer interlaces).
    std::vector<uint8_t> Pixels;
};
TPictureBytes WriteGif(const TGifSpec& spec);
