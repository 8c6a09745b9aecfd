#include "imageview/gif_image.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

class TReader {
public:
    TReader(const uint8_t* data, size_t size) : FData(data), FSize(size) {}
    bool Has(size_t n) const { return FSize - FPos >= n; }
    uint8_t Byte() {
        Need(1);
        return FData[FPos++];
    }
    int Word() {
        Need(2);
        const int v = FData[FPos] | (FData[FPos + 1] << 8);
        FPos += 2;
        return v;
    }
    const uint8_t* Take(size_t n) {
        Need(n);
        const uint8_t* p = FData + FPos;
        FPos += n;
        return p;
    }
    void Need(size_t n) const {
        if (!Has(n)) throw EGifError(EGifError::gkBroken, "GIF: unexpected end of data");
    }
    // Skips a chain of data sub-blocks up to its terminator.
    void SkipSubBlocks() {
        for (;;) {
            const uint8_t n = Byte();
            if (n == 0) return;
            Take(n);
        }
    }
    size_t Position() const { return FPos; }
    const uint8_t* Data() const { return FData; }
    size_t Size() const { return FSize; }
    void Seek(size_t pos) { FPos = pos; }

private:
    const uint8_t* FData;
    size_t FSize;
    size_t FPos = 0;
};

void ReadColorTable(TReader& in, int entries, std::vector<TRgbQuad>& table) {
    const uint8_t* p = in.Take(size_t(entries) * 3);
    table.resize(entries);
    for (int i = 0; i < entries; ++i)
        table[i] = TRgbQuad{p[i * 3 + 2], p[i * 3 + 1], p[i * 3], 0};
}

// The LZW code stream of one image, read across its sub-blocks. Fills
// `out` with up to out.size() indexes; returns how many it produced.
size_t DecodeLzw(TReader& in, int minCodeSize, std::vector<uint8_t>& out) {
    constexpr int kMaxCodes = 4096;
    static_assert(kMaxCodes == 1 << 12, "GIF codes have at most 12 bits");
    std::vector<uint16_t> prefix(kMaxCodes);
    std::vector<uint8_t> suffix(kMaxCodes), stack(kMaxCodes + 1);
    const int clear = 1 << minCodeSize;
    const int end = clear + 1;
    int codeSize = minCodeSize + 1;
    int next = clear + 2;
    int previous = -1;
    uint8_t first = 0;
    for (int i = 0; i < clear; ++i) {
        prefix[i] = 0;
        suffix[i] = static_cast<uint8_t>(i);
    }

    uint32_t bits = 0;
    int bitCount = 0;
    size_t produced = 0;
    int blockLeft = 0;
    const size_t want = out.size();
    for (;;) {
        while (bitCount < codeSize) {
            if (blockLeft == 0) {
                if (!in.Has(1)) return produced;
                blockLeft = in.Byte();
                if (blockLeft == 0) return produced; // terminator before the end code
            }
            if (!in.Has(1)) return produced;
            bits |= uint32_t(in.Byte()) << bitCount;
            bitCount += 8;
            --blockLeft;
        }
        const int code = static_cast<int>(bits & ((1u << codeSize) - 1));
        bits >>= codeSize;
        bitCount -= codeSize;

        if (code == clear) {
            codeSize = minCodeSize + 1;
            next = clear + 2;
            previous = -1;
            continue;
        }
        if (code == end) break;
        if (previous < 0) {
            if (code >= clear) return produced; // a damaged stream
            first = static_cast<uint8_t>(code);
            if (produced < want) out[produced++] = first;
            previous = code;
            continue;
        }
        int cur = code;
        size_t depth = 0;
        if (code >= next) {
            if (code != next) return produced; // a code not yet defined
            stack[depth++] = first;            // the "KwKwK" case
            cur = previous;
        }
        while (cur >= clear) {
            stack[depth++] = suffix[cur];
            cur = prefix[cur];
        }
        first = static_cast<uint8_t>(cur);
        stack[depth++] = first;
        while (depth > 0 && produced < want)
            out[produced++] = stack[--depth];
        if (next < kMaxCodes) {
            prefix[next] = static_cast<uint16_t>(previous);
            suffix[next] = first;
            ++next;
            if (next == (1 << codeSize) && codeSize < 12) ++codeSize;
        }
        previous = code;
    }
    // Skip what follows the end code in the image's sub-blocks.
    if (blockLeft > 0 && in.Has(blockLeft)) in.Take(blockLeft);
    return produced;
}

// Row of the frame that the i-th decoded row lands on.
int InterlacedRow(int i, int height) {
    static const int kStart[4] = {0, 4, 2, 1};
    static const int kStep[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        const int rows =
            height > kStart[pass] ? (height - kStart[pass] + kStep[pass] - 1) / kStep[pass] : 0;
        if (i < rows) return kStart[pass] + i * kStep[pass];
        i -= rows;
    }
    return -1;
}

} // namespace

bool TGifImage::IsGif(const void* data, size_t size) {
    return size >= 6 &&
           (std::memcmp(data, "GIF87a", 6) == 0 || std::memcmp(data, "GIF89a", 6) == 0);
}

void TGifImage::LoadFromMemory(const void* data, size_t size) {
    FImage.Clear();
    FComplete = false;
    FTransparentIndex = -1;
    if (!IsGif(data, size)) throw EGifError(EGifError::gkNotGif, "GIF: not a GIF file");
    TReader in(static_cast<const uint8_t*>(data), size);
    in.Take(6);
    int screenWidth = in.Word();
    int screenHeight = in.Word();
    const uint8_t packed = in.Byte();
    const int background = in.Byte();
    in.Byte(); // pixel aspect ratio
    std::vector<TRgbQuad> globalTable;
    if (packed & 0x80) ReadColorTable(in, 2 << (packed & 7), globalTable);

    for (;;) {
        const uint8_t block = in.Byte();
        if (block == 0x3B) throw EGifError(EGifError::gkBroken, "GIF: no image in the file");
        if (block == 0x21) {
            const uint8_t label = in.Byte();
            if (label == 0xF9) {
                const uint8_t n = in.Byte();
                const uint8_t* p = in.Take(n);
                if (n >= 4 && (p[0] & 1)) FTransparentIndex = p[3];
                in.SkipSubBlocks();
            } else {
                in.SkipSubBlocks();
            }
            continue;
        }
        if (block != 0x2C) throw EGifError(EGifError::gkBroken, "GIF: unknown block");
        break;
    }

    FFrameLeft = in.Word();
    FFrameTop = in.Word();
    FFrameWidth = in.Word();
    FFrameHeight = in.Word();
    const uint8_t imagePacked = in.Byte();
    FInterlaced = (imagePacked & 0x40) != 0;
    std::vector<TRgbQuad> localTable;
    if (imagePacked & 0x80) ReadColorTable(in, 2 << (imagePacked & 7), localTable);
    const int minCodeSize = in.Byte();
    if (minCodeSize < 1 || minCodeSize > 11) {
        throw EGifError(EGifError::gkBroken, "GIF: bad LZW code size");
    }
    if (FFrameWidth == 0 || FFrameHeight == 0)
        throw EGifError(EGifError::gkBroken, "GIF: empty image");
    // A screen smaller than its image (or none at all) grows to hold it.
    screenWidth = std::max(screenWidth, FFrameLeft + FFrameWidth);
    screenHeight = std::max(screenHeight, FFrameTop + FFrameHeight);
    const size_t framePixels = size_t(FFrameWidth) * FFrameHeight;
    if (framePixels > TDibBitmap::kMaxImageBytes || !FImage.Create(screenWidth, screenHeight, 8)) {
        FImage.Clear();
        throw EGifError(EGifError::gkTooLarge, "GIF: picture too large");
    }

    const std::vector<TRgbQuad>& table = localTable.empty() ? globalTable : localTable;
    if (table.empty()) {
        FImage.SetGreyPalette(256);
    } else {
        std::copy(table.begin(), table.end(), FImage.Palette().begin());
    }
    const uint8_t fill = static_cast<uint8_t>(
        FTransparentIndex >= 0 ? FTransparentIndex : (globalTable.empty() ? 0 : background));
    for (int y = 0; y < screenHeight; ++y)
        std::memset(FImage.Row(y), fill, size_t(screenWidth));
    if (FTransparentIndex >= 0) {
        FImage.Transparent = true;
        const TRgbQuad c = FImage.Palette()[FTransparentIndex];
        FImage.TransparentColor = MakeColorRef(c.Red, c.Green, c.Blue);
    }

    std::vector<uint8_t> pixels(framePixels, fill);
    const size_t produced = DecodeLzw(in, minCodeSize, pixels);
    FComplete = produced == framePixels;
    for (int i = 0; i < FFrameHeight; ++i) {
        const int row = FInterlaced ? InterlacedRow(i, FFrameHeight) : i;
        const uint8_t* src = pixels.data() + size_t(i) * FFrameWidth;
        uint8_t* dst = FImage.Row(FFrameTop + row) + FFrameLeft;
        if (FTransparentIndex < 0) {
            std::memcpy(dst, src, size_t(FFrameWidth));
        } else {
            for (int x = 0; x < FFrameWidth; ++x) {
                if (src[x] != FTransparentIndex) dst[x] = src[x];
            }
        }
    }
}
