#include "imageview/png_read_stream.h"

#include <algorithm>
#include <cstring>

#include "imageview/png_error.h"
#include "imageview/png_image_decoder.h"

namespace {

constexpr uint32_t ChunkType(const char (&name)[5]) {
    return (static_cast<uint32_t>(static_cast<uint8_t>(name[0])) << 24) |
           (static_cast<uint32_t>(static_cast<uint8_t>(name[1])) << 16) |
           (static_cast<uint32_t>(static_cast<uint8_t>(name[2])) << 8) |
           static_cast<uint32_t>(static_cast<uint8_t>(name[3]));
}

constexpr uint32_t kIhdr = ChunkType("IHDR");
constexpr uint32_t kPlte = ChunkType("PLTE");
constexpr uint32_t kTrns = ChunkType("tRNS");
constexpr uint32_t kBkgd = ChunkType("bKGD");
constexpr uint32_t kGama = ChunkType("gAMA");
constexpr uint32_t kPhys = ChunkType("pHYs");
constexpr uint32_t kSbit = ChunkType("sBIT");
constexpr uint32_t kText = ChunkType("tEXt");
constexpr uint32_t kIdat = ChunkType("IDAT");
constexpr uint32_t kIend = ChunkType("IEND");

constexpr uint8_t kSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

// Text chunks are kept, but a file must not make us hold gigabytes of them.
constexpr size_t kMaxTextBytes = 1024 * 1024;

[[noreturn]] void Fail(const char* message) {
    throw EPngError(message);
}

} // namespace

TPngReadStream::TPngReadStream(TInputStream& source)
    : TPngReadStream(source, FOwnImage, FOwnAlphaPlane) {}

TPngReadStream::TPngReadStream(TInputStream& source, TDibBitmap& image, TDibBitmap& alphaPlane)
    : FSource(source), FBuffer(kBufferSize), FImage(image), FAlphaPlane(alphaPlane) {
    FAlphaTable.fill(255);
}

bool TPngReadStream::Fill() {
    if (FBufferPos < FBufferLen) return true;
    FBufferPos = 0;
    FBufferLen = FSource.Read(FBuffer.data(), FBuffer.size());
    if (FBufferLen == 0) {
        FZeroRead = true;
        return false;
    }
    return true;
}

uint8_t TPngReadStream::ReadByte() {
    if (!Fill()) {
        FEndOfStream = true;
        return 0;
    }
    return FBuffer[FBufferPos++];
}

uint32_t TPngReadStream::ReadU32() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v = (v << 8) | ReadByte();
    return v;
}

void TPngReadStream::Skip(uint64_t count) {
    while (count > 0) {
        if (!Fill()) {
            FEndOfStream = true;
            return;
        }
        size_t n = static_cast<size_t>(std::min<uint64_t>(count, FBufferLen - FBufferPos));
        FBufferPos += n;
        count -= n;
    }
}

uint8_t TPngReadStream::ChunkByte() {
    if (FChunkLeft == 0) return 0;
    --FChunkLeft;
    return ReadByte();
}

uint16_t TPngReadStream::ChunkU16() {
    uint16_t hi = ChunkByte();
    return static_cast<uint16_t>((hi << 8) | ChunkByte());
}

uint32_t TPngReadStream::ChunkU32() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v = (v << 8) | ChunkByte();
    return v;
}

bool TPngReadStream::NextChunkHeader(uint32_t& length, uint32_t& type) {
    if (FPending) {
        FPending = false;
        length = FPendingLength;
        type = FPendingType;
        return true;
    }
    length = ReadU32();
    type = ReadU32();
    return !FEndOfStream && !FZeroRead;
}

void TPngReadStream::Decode() {
    uint8_t signature[8];
    for (uint8_t& b : signature)
        b = ReadByte();
    if (std::memcmp(signature, kSignature, sizeof signature) != 0) Fail(png_msg::kNotPng);
    if (!FInflater.Init()) Fail(png_msg::kZlib);

    while (!FIendSeen && !FEndOfStream && !FZeroRead) {
        uint32_t length = 0, type = 0;
        if (!NextChunkHeader(length, type)) break;
        FChunkLeft = length;
        const bool beforeData = FIhdrSeen && !FIdatSeen;
        switch (type) {
        case kIhdr:
            ReadIhdr();
            break;
        case kPlte:
            if (beforeData && !FPlteSeen) ReadPlte();
            break;
        case kTrns:
            if (beforeData && !FHeader.HasAlpha) ReadTrns();
            break;
        case kBkgd:
            if (beforeData) ReadBkgd();
            break;
        case kGama:
            if (beforeData && !FPlteSeen) ReadGama();
            break;
        case kPhys:
            if (beforeData) ReadPhys();
            break;
        case kSbit:
            if (beforeData && !FPlteSeen &&
                (FHeader.ColorModel == pcmRgb || FHeader.ColorModel == pcmPalette))
                ReadSbit();
            break;
        case kText:
            ReadText();
            break;
        case kIdat:
            if (!FIdatSeen) ReadIdat();
            break;
        case kIend:
            FIendSeen = true;
            break;
        default:
            break;
        }
        // The image decoder may have read on to the header of the next
        // chunk; the rest of its last chunk and that CRC are gone already.
        if (FPending) continue;
        Skip(FChunkLeft);
        FChunkLeft = 0;
        ReadU32(); // CRC, not checked
    }

    // A file that ends before any image data has no picture to show; saying
    // so beats handing back an empty picture as if all went well.
    if (!FIdatSeen) Fail(png_msg::kReadError);
    ApplyTransparency();
    FInflater.End();
}

void TPngReadStream::ReadIhdr() {
    if (FIhdrSeen) Fail(png_msg::kTwoIhdr);
    FIhdrSeen = true;
    TPngHeader& h = FHeader;
    h.Width = ChunkU32();
    h.Height = ChunkU32();
    h.BitDepth = ChunkByte();
    h.ColorType = ChunkByte();
    h.Compression = ChunkByte();
    h.Filter = ChunkByte();
    h.Interlace = ChunkByte();

    const uint8_t type = h.ColorType & 7;
    h.HasAlpha = type > 3;
    h.ColorModel = type & 3;
    const uint8_t d = h.BitDepth;
    if (type == 1 || type == 5 || type == 7) Fail(png_msg::kColorType);
    if ((h.ColorModel == pcmRgb && d != 8 && d != 16) ||
        (h.ColorModel == pcmPalette && d != 1 && d != 2 && d != 4 && d != 8))
        Fail(png_msg::kBitDepth);
    if (h.ColorModel == pcmGrey && d != 1 && d != 2 && d != 4 && d != 8 && d != 16)
        Fail(png_msg::kGreyBitDepth);
    if (h.ColorModel == pcmGrey && h.HasAlpha && d < 8) Fail(png_msg::kGreyAlphaDepth);
    if (h.Compression > 1) Fail(png_msg::kCompression);
    if (h.Filter > 1) Fail(png_msg::kFilter);
    if (h.Interlace > 1) Fail(png_msg::kInterlace);
}

void TPngReadStream::ReadPlte() {
    FPlteSeen = true;
    const uint32_t entries = std::min<uint32_t>(FChunkLeft / 3, 256);
    FPalette.assign(entries, TRgbQuad{});
    for (TRgbQuad& q : FPalette) {
        q.Red = ChunkByte();
        q.Green = ChunkByte();
        q.Blue = ChunkByte();
    }
}

TPngColor TPngReadStream::ReadChunkColor() {
    TPngColor c;
    const uint8_t d = FHeader.BitDepth;
    if (FHeader.ColorModel == pcmGrey) {
        const uint16_t v = ChunkU16();
        uint8_t grey;
        if (d > 8) {
            grey = static_cast<uint8_t>(v >> 8);
        } else if (d == 8) {
            grey = static_cast<uint8_t>(v);
        } else {
            // Low depths name a level of the generated grey palette, so the
            // colour is that level scaled to 0..255, as the pixels show it.
            const unsigned top = (1u << d) - 1;
            grey = static_cast<uint8_t>((v & top) * 255 / top);
        }
        c.Red = c.Green = c.Blue = grey;
    } else {
        const uint16_t r = ChunkU16(), g = ChunkU16(), b = ChunkU16();
        const int shift = d == 16 ? 8 : 0;
        c.Red = static_cast<uint8_t>(r >> shift);
        c.Green = static_cast<uint8_t>(g >> shift);
        c.Blue = static_cast<uint8_t>(b >> shift);
    }
    return c;
}

void TPngReadStream::ReadTrns() {
    if (FHeader.ColorModel == pcmPalette) {
        if (!FPlteSeen) return;
        const size_t n = std::min<size_t>(FChunkLeft, FPalette.size());
        for (size_t i = 0; i < n; ++i)
            FAlphaTable[i] = ChunkByte();
        FHasPaletteAlpha = n > 0;
        return;
    }
    FInfo.TransparentColor = ReadChunkColor();
    FInfo.HasTransparentColor = true;
}

void TPngReadStream::ReadBkgd() {
    if (FHeader.ColorModel == pcmPalette) {
        const uint8_t index = ChunkByte();
        if (index >= FPalette.size()) return;
        const TRgbQuad& q = FPalette[index];
        FInfo.Background = TPngColor{q.Red, q.Green, q.Blue};
    } else {
        FInfo.Background = ReadChunkColor();
    }
    FInfo.HasBackground = true;
}

void TPngReadStream::ReadGama() {
    FInfo.Gamma = ChunkU32() / 100000.0;
    FInfo.HasGamma = true;
}

void TPngReadStream::ReadPhys() {
    FInfo.PixelsPerUnitX = ChunkU32();
    FInfo.PixelsPerUnitY = ChunkU32();
    FInfo.Unit = ChunkByte();
    FInfo.HasPhysical = true;
}

void TPngReadStream::ReadSbit() {
    FInfo.SignificantRed = ChunkByte();
    FInfo.SignificantGreen = ChunkByte();
    FInfo.SignificantBlue = ChunkByte();
    if (FHeader.HasAlpha) FInfo.SignificantAlpha = ChunkByte();
    FInfo.HasSignificantBits = true;
}

void TPngReadStream::ReadText() {
    std::string keyword, text;
    bool inText = false;
    size_t kept = 0;
    while (FChunkLeft > 0 && kept < kMaxTextBytes && !FEndOfStream && !FZeroRead) {
        const char c = static_cast<char>(ChunkByte());
        ++kept;
        if (!inText && c == '\0') {
            inText = true;
        } else {
            (inText ? text : keyword).push_back(c);
        }
    }
    FInfo.Texts.emplace_back(std::move(keyword), std::move(text));
}

void TPngReadStream::ReadIdat() {
    FIdatSeen = true;
    if (!FIhdrSeen) Fail(png_msg::kReadError);
    const TPngHeader& h = FHeader;
    const int bitCount = h.ImageBitCount();

    // Both planes together must fit the limit before anything is allocated.
    uint64_t bytes = static_cast<uint64_t>(TDibBitmap::StrideFor(h.Width, bitCount)) * h.Height;
    if (h.HasAlpha) bytes += static_cast<uint64_t>(TDibBitmap::StrideFor(h.Width, 8)) * h.Height;
    if (bytes == 0 || bytes > TDibBitmap::kMaxImageBytes) Fail(png_msg::kReadError);
    // Every row is written whole below (interlaced passes place every
    // pixel), so the blocks of the picture before serve as they are.
    if (!FImage.Reuse(h.Width, h.Height, bitCount)) Fail(png_msg::kReadError);
    if (h.ColorModel == pcmPalette) {
        std::copy(FPalette.begin(), FPalette.end(), FImage.Palette().begin());
    } else if (bitCount <= 8) {
        FImage.SetGreyPalette(1 << std::min<int>(h.BitDepth, 8));
    }
    if (h.HasAlpha) {
        if (!FAlphaPlane.Reuse(h.Width, h.Height, 8)) Fail(png_msg::kReadError);
        FAlphaPlane.SetGreyPalette(256);
    }

    FInflater.SetSupply(
        [this](const uint8_t*& data, size_t& size) { return SupplyImageData(data, size); });
    TPngImageDecoder decoder(h, FInflater, FImage, h.HasAlpha ? &FAlphaPlane : nullptr, OnProgress);
    decoder.Run();
    FInflater.SetSupply(nullptr);
}

bool TPngReadStream::SupplyImageData(const uint8_t*& data, size_t& size) {
    if (FPending) return false;
    while (FChunkLeft == 0) {
        ReadU32(); // CRC of the IDAT chunk used up
        const uint32_t length = ReadU32();
        const uint32_t type = ReadU32();
        if (FEndOfStream || FZeroRead) return false;
        if (type != kIdat) {
            FPending = true;
            FPendingLength = length;
            FPendingType = type;
            return false;
        }
        FChunkLeft = length;
    }
    if (!Fill()) {
        FEndOfStream = true;
        return false;
    }
    size = std::min<size_t>(FBufferLen - FBufferPos, FChunkLeft);
    data = FBuffer.data() + FBufferPos;
    FBufferPos += size;
    FChunkLeft -= static_cast<uint32_t>(size);
    return true;
}

void TPngReadStream::ApplyTransparency() {
    if (FHeader.HasAlpha || FEndOfStream || FZeroRead) return;
    if (FInfo.HasTransparentColor) {
        FImage.Transparent = true;
        FImage.TransparentColor = FInfo.TransparentColor.Ref();
        return;
    }
    // Palette images: drawing knows only one transparent colour, so the
    // first fully transparent entry lends its colour; partial alpha is kept
    // in the alpha table only.
    if (FHeader.ColorModel == pcmPalette && FHasPaletteAlpha) {
        for (size_t i = 0; i < FPalette.size(); ++i) {
            if (FAlphaTable[i] == 0) {
                FImage.Transparent = true;
                FImage.TransparentColor =
                    MakeColorRef(FPalette[i].Red, FPalette[i].Green, FPalette[i].Blue);
                return;
            }
        }
    }
}
