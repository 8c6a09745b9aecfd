#include "png_test_writer.h"

#include <algorithm>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <zlib.h>

int TTestImage::Channels() const {
    switch (ColorType) {
    case 2:
        return 3;
    case 4:
        return 2;
    case 6:
        return 4;
    default:
        return 1;
    }
}

TTestImage RandomImage(uint32_t width, uint32_t height, uint8_t colorType, uint8_t depth,
                       bool interlaced, uint32_t seed) {
    TTestImage img;
    img.Width = width;
    img.Height = height;
    img.ColorType = colorType;
    img.Depth = depth;
    img.Interlaced = interlaced;
    std::mt19937 rng(seed);
    const uint32_t top = (1u << depth) - 1;
    img.Samples.resize(static_cast<size_t>(width) * height * img.Channels());
    for (uint16_t& s : img.Samples)
        s = static_cast<uint16_t>(rng() & top);
    return img;
}

TBytes Be16(uint16_t v) {
    return {static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
}

TBytes Be32(uint32_t v) {
    return {static_cast<uint8_t>(v >> 24), static_cast<uint8_t>(v >> 16),
            static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
}

namespace {

// Packs the pixels x0, x0 + dx, ... of row y the way a PNG row stores them.
TBytes PackRow(const TTestImage& img, uint32_t y, uint32_t x0, uint32_t dx) {
    TBytes row;
    const int ch = img.Channels();
    int bitPos = 0;
    for (uint32_t x = x0; x < img.Width; x += dx) {
        for (int c = 0; c < ch; ++c) {
            const uint16_t s = img.Sample(x, y, c);
            if (img.Depth == 16) {
                row.push_back(static_cast<uint8_t>(s >> 8));
                row.push_back(static_cast<uint8_t>(s));
            } else if (img.Depth == 8) {
                row.push_back(static_cast<uint8_t>(s));
            } else {
                if (bitPos == 0) row.push_back(0);
                bitPos += img.Depth;
                row.back() = static_cast<uint8_t>(row.back() | (s << (8 - bitPos)));
                if (bitPos == 8) bitPos = 0;
            }
        }
    }
    return row;
}

int PaethPredict(int a, int b, int c) {
    int p = a + b - c;
    int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return a;
    if (pb <= pc) return b;
    return c;
}

void AppendFiltered(TBytes& out, const TBytes& raw, const TBytes& prior, int type, size_t unit) {
    out.push_back(static_cast<uint8_t>(type));
    for (size_t i = 0; i < raw.size(); ++i) {
        int a = i >= unit ? raw[i - unit] : 0;
        int b = prior[i];
        int c = i >= unit ? prior[i - unit] : 0;
        int pred = 0;
        switch (type) {
        case 1:
            pred = a;
            break;
        case 2:
            pred = b;
            break;
        case 3:
            pred = (a + b) / 2;
            break;
        case 4:
            pred = PaethPredict(a, b, c);
            break;
        default:
            break;
        }
        out.push_back(static_cast<uint8_t>(raw[i] - pred));
    }
}

} // namespace

TBytes FilteredImageData(const TTestImage& img, int filter) {
    static const uint32_t kPasses[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                           {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    static const uint32_t kWhole[1][4] = {{0, 0, 1, 1}};
    const size_t bits = static_cast<size_t>(img.Channels()) * img.Depth;
    const size_t unit = bits >= 8 ? bits / 8 : 1;
    TBytes out;
    const int passCount = img.Interlaced ? 7 : 1;
    int rowIndex = 0;
    for (int p = 0; p < passCount; ++p) {
        const uint32_t* pass = img.Interlaced ? kPasses[p] : kWhole[0];
        if (pass[0] >= img.Width) continue; // empty pass: no rows at all
        TBytes prior;
        for (uint32_t y = pass[1]; y < img.Height; y += pass[3]) {
            TBytes raw = PackRow(img, y, pass[0], pass[2]);
            if (prior.empty()) prior.assign(raw.size(), 0);
            int type = filter >= 0 ? filter : rowIndex % 5;
            AppendFiltered(out, raw, prior, type, unit);
            prior = raw;
            ++rowIndex;
        }
    }
    return out;
}

TBytes ZlibCompress(const TBytes& data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    TBytes out(size);
    if (compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()), 6) != Z_OK)
        throw std::runtime_error("compress2 failed");
    out.resize(size);
    return out;
}

uint32_t Crc32(const TBytes& data) {
    return static_cast<uint32_t>(crc32(0L, data.data(), static_cast<uInt>(data.size())));
}

TPngBuilder::TPngBuilder() : Bytes{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A} {}

TPngBuilder& TPngBuilder::Chunk(const std::string& type, const TBytes& data, bool badCrc) {
    TBytes len = Be32(static_cast<uint32_t>(data.size()));
    Bytes.insert(Bytes.end(), len.begin(), len.end());
    TBytes body(type.begin(), type.end());
    body.insert(body.end(), data.begin(), data.end());
    Bytes.insert(Bytes.end(), body.begin(), body.end());
    uint32_t crc = Crc32(body);
    if (badCrc) crc ^= 0xA5A5A5A5u;
    TBytes c = Be32(crc);
    Bytes.insert(Bytes.end(), c.begin(), c.end());
    return *this;
}

TPngBuilder& TPngBuilder::Ihdr(uint32_t width, uint32_t height, uint8_t depth, uint8_t colorType,
                               uint8_t compression, uint8_t filter, uint8_t interlace) {
    TBytes d = Be32(width);
    TBytes h = Be32(height);
    d.insert(d.end(), h.begin(), h.end());
    d.insert(d.end(), {depth, colorType, compression, filter, interlace});
    return Chunk("IHDR", d);
}

TPngBuilder& TPngBuilder::Ihdr(const TTestImage& img) {
    return Ihdr(img.Width, img.Height, img.Depth, img.ColorType, 0, 0, img.Interlaced ? 1 : 0);
}

TPngBuilder& TPngBuilder::Idat(const TBytes& compressed, size_t piece) {
    if (piece == 0) piece = compressed.size();
    size_t pos = 0;
    do {
        size_t n = std::min(piece, compressed.size() - pos);
        Chunk("IDAT", TBytes(compressed.begin() + pos, compressed.begin() + pos + n));
        pos += n;
    } while (pos < compressed.size());
    return *this;
}

TBytes EncodePng(const TTestImage& image, const TBytes& plte, int filter, size_t idatPiece) {
    TPngBuilder b;
    b.Ihdr(image);
    if (!plte.empty()) b.Chunk("PLTE", plte);
    b.Idat(ZlibCompress(FilteredImageData(image, filter)), idatPiece);
    b.Iend();
    return b.Bytes;
}
