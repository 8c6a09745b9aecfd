// The picture class for JPEG files, decoded with libjpeg straight into the
// rows of a DIB: 24 bits for colour pictures, 8 bits with a grey palette
// for greyscale ones. A corrupt or truncated file raises EJpegError and
// leaves the picture empty; libjpeg never gets to end the process.
#pragma once
#include <cstddef>
#include <stdexcept>
#include <string>

#include "imageview/dib_bitmap.h"

class EJpegError : public std::runtime_error {
public:
    explicit EJpegError(const std::string& message) : std::runtime_error(message) {}
};

class TJpegGraphic {
public:
    TJpegGraphic() = default;
    TJpegGraphic(const TJpegGraphic&) = delete;
    TJpegGraphic& operator=(const TJpegGraphic&) = delete;

    // Throws EFOpenError when the file cannot be read, EJpegError when it
    // is not a JPEG picture we can show whole.
    void LoadFromFile(const std::string& path);
    void LoadFromMemory(const void* data, size_t size);

    bool Empty() const { return FImage.Empty(); }
    int Width() const { return FImage.Width(); }
    int Height() const { return FImage.Height(); }
    const TDibBitmap& Image() const { return FImage; }

private:
    TDibBitmap FImage;
};
