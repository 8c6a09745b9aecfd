// A small PNG writer for the tests: it makes files of every colour type, bit
// depth and interlace method from known samples, and lets a test break them
// on purpose (wrong CRCs, odd chunk orders, split or cut image data).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

using TBytes = std::vector<uint8_t>;

// Samples in file order: for each pixel, its channels (grey / grey, alpha /
// R, G, B / R, G, B, A / palette index), each in 0 .. 2^depth - 1.
struct TTestImage {
    uint32_t Width = 0;
    uint32_t Height = 0;
    uint8_t ColorType = 0;
    uint8_t Depth = 8;
    bool Interlaced = false;
    std::vector<uint16_t> Samples;

    int Channels() const;
    uint16_t Sample(uint32_t x, uint32_t y, int channel) const {
        return Samples[(static_cast<size_t>(y) * Width + x) * Channels() + channel];
    }
};

// Image with pseudo-random samples from `seed`.
TTestImage RandomImage(uint32_t width, uint32_t height, uint8_t colorType, uint8_t depth,
                       bool interlaced, uint32_t seed);

// Filter type per row: -1 cycles None, Sub, Up, Average, Paeth down the rows.
// The result is the uncompressed image data (filter byte + row, pass by pass).
TBytes FilteredImageData(const TTestImage& image, int filter = -1);
TBytes ZlibCompress(const TBytes& data);
uint32_t Crc32(const TBytes& data);

class TPngBuilder {
public:
    TPngBuilder(); // starts with the signature
    TPngBuilder& Chunk(const std::string& type, const TBytes& data, bool badCrc = false);
    TPngBuilder& Ihdr(uint32_t width, uint32_t height, uint8_t depth, uint8_t colorType,
                      uint8_t compression = 0, uint8_t filter = 0, uint8_t interlace = 0);
    TPngBuilder& Ihdr(const TTestImage& image);
    // The compressed data in IDAT chunks of at most `piece` bytes (0: one chunk).
    TPngBuilder& Idat(const TBytes& compressed, size_t piece = 0);
    TPngBuilder& Iend() { return Chunk("IEND", {}); }
    TBytes Bytes;
};

// The usual file: IHDR, optional PLTE (given entries), IDAT, IEND.
TBytes EncodePng(const TTestImage& image, const TBytes& plte = {}, int filter = -1,
                 size_t idatPiece = 0);

TBytes Be16(uint16_t v);
TBytes Be32(uint32_t v);
