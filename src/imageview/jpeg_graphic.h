// The picture class for JPEG files, decoded with libjpeg straight into the
// rows of a DIB: 24 bits for colour pictures, 8 bits with a grey palette
// for greyscale ones. A corrupt or truncated file raises EJpegError and
// leaves the picture empty; libjpeg never gets to end the process.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "imageview/dib_bitmap.h"

class EJpegError : public std::runtime_error {
public:
    explicit EJpegError(const std::string& message) : std::runtime_error(message) {}
};

// Given the picture's own size, the part of it to decode: 1 for the whole
// size, 2, 4 or 8 for that fraction of each side (libjpeg scales while it
// decodes, which costs much less than the full decode).
using TJpegScaleRule = std::function<int(int width, int height)>;

class TJpegGraphic {
public:
    TJpegGraphic() = default;
    TJpegGraphic(const TJpegGraphic&) = delete;
    TJpegGraphic& operator=(const TJpegGraphic&) = delete;

    // Throws EFOpenError when the file cannot be read, EJpegError when it
    // is not a JPEG picture we can show whole. The pixel memory and the
    // file buffer of the picture before are used again when they suffice.
    void LoadFromFile(const std::string& path, const TJpegScaleRule& scale = nullptr);
    void LoadFromMemory(const void* data, size_t size, const TJpegScaleRule& scale = nullptr);

    bool Empty() const { return FImage.Empty(); }
    // The picture's own size, whatever part of it was decoded.
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // 1, 2, 4 or 8: Image() holds the picture at 1/Scale() of its size
    // (each side rounded up).
    int Scale() const { return FScale; }
    const TDibBitmap& Image() const { return FImage; }
    // Where the pixels go; see TDibBitmap::SetPixelSource.
    void SetPixelSource(TDibBitmap::TPixelSource source) { FImage.SetPixelSource(std::move(source)); }

private:
    TDibBitmap FImage;
    int FWidth = 0, FHeight = 0, FScale = 1;
    std::vector<uint8_t> FFile; // the file's bytes, kept for the next one
};
