// The chunk reader of the PNG picture class: checks the signature, walks
// the chunks, validates the header and has the image data decoded into a
// bitmap. Multi-byte values are big-endian; CRCs are read and not checked.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "imageview/dib_bitmap.h"
#include "imageview/input_stream.h"
#include "imageview/png_header.h"
#include "imageview/zlib_inflater.h"

class TPngReadStream {
public:
    static constexpr size_t kBufferSize = 64 * 1024;

    explicit TPngReadStream(TInputStream& source);
    // Decodes into the caller's bitmaps, whose pixel blocks serve again when
    // the picture fits in them (TDibBitmap::Reuse).
    TPngReadStream(TInputStream& source, TDibBitmap& image, TDibBitmap& alphaPlane);
    TPngReadStream(const TPngReadStream&) = delete;
    TPngReadStream& operator=(const TPngReadStream&) = delete;

    // Reads the whole file. Throws EPngError with one of the fixed messages.
    void Decode();

    // Percent of image rows decoded so far.
    std::function<void(int percent)> OnProgress;

    const TPngHeader& Header() const { return FHeader; }
    const TPngInfo& Info() const { return FInfo; }
    // Palette entries from PLTE (blue, green, red), at most 256.
    const std::vector<TRgbQuad>& Palette() const { return FPalette; }
    // Alpha per palette entry from tRNS; 255 where the file gives none.
    const std::array<uint8_t, 256>& AlphaTable() const { return FAlphaTable; }
    bool HeaderSeen() const { return FIhdrSeen; }
    bool EndOfStream() const { return FEndOfStream; }
    bool ZeroRead() const { return FZeroRead; }

    // Results; the caller may move them out after Decode.
    TDibBitmap& Image() { return FImage; }
    TDibBitmap& AlphaPlane() { return FAlphaPlane; }

private:
    // Raw stream reading through the read-ahead buffer.
    bool Fill();
    uint8_t ReadByte();
    uint32_t ReadU32();
    void Skip(uint64_t count);

    // Reading inside the current chunk: never beyond its data; missing bytes read as 0.
    uint8_t ChunkByte();
    uint16_t ChunkU16();
    uint32_t ChunkU32();

    bool NextChunkHeader(uint32_t& length, uint32_t& type);
    void ReadIhdr();
    void ReadPlte();
    void ReadTrns();
    void ReadBkgd();
    void ReadGama();
    void ReadPhys();
    void ReadSbit();
    void ReadText();
    void ReadIdat();
    bool SupplyImageData(const uint8_t*& data, size_t& size);
    TPngColor ReadChunkColor();
    void ApplyTransparency();

    TInputStream& FSource;
    std::vector<uint8_t> FBuffer;
    size_t FBufferPos = 0;
    size_t FBufferLen = 0;
    bool FEndOfStream = false;
    bool FZeroRead = false;

    bool FIhdrSeen = false;
    bool FIdatSeen = false;
    bool FIendSeen = false;
    bool FPlteSeen = false;
    uint32_t FChunkLeft = 0;
    // A chunk header the image decoder read past the last IDAT, handled next.
    bool FPending = false;
    uint32_t FPendingLength = 0;
    uint32_t FPendingType = 0;

    TPngHeader FHeader;
    TPngInfo FInfo;
    std::vector<TRgbQuad> FPalette;
    std::array<uint8_t, 256> FAlphaTable;
    bool FHasPaletteAlpha = false;
    TZlibInflater FInflater;
    TDibBitmap FOwnImage;
    TDibBitmap FOwnAlphaPlane;
    TDibBitmap& FImage;
    TDibBitmap& FAlphaPlane;
};
