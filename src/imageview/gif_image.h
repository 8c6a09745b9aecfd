// GIF pictures: the first image of a GIF87a or GIF89a file, decoded with
// our own LZW reader onto its logical screen as an 8-bit palette DIB. The
// GIF plug-in serves the image control with it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "imageview/dib_bitmap.h"

class EGifError : public std::runtime_error {
public:
    enum TKind {
        gkNotGif,   // no GIF signature
        gkBroken,   // the file ends or contradicts itself before the image
        gkTooLarge, // the sizes ask for more memory than a picture may take
    };
    EGifError(TKind kind, const char* message) : std::runtime_error(message), Kind(kind) {}
    TKind Kind;
};

class TGifImage {
public:
    // True when the data starts with a GIF signature.
    static bool IsGif(const void* data, size_t size);

    // Throws EGifError; the picture is empty afterwards. Image data that
    // ends early or holds a bad code leaves the rest of the image in the
    // background colour, as viewers usually show such files.
    void LoadFromMemory(const void* data, size_t size);

    bool Empty() const { return FImage.Empty(); }
    const TDibBitmap& Image() const { return FImage; }
    // The size and place of the first image on the logical screen.
    int FrameLeft() const { return FFrameLeft; }
    int FrameTop() const { return FFrameTop; }
    int FrameWidth() const { return FFrameWidth; }
    int FrameHeight() const { return FFrameHeight; }
    bool Interlaced() const { return FInterlaced; }
    // -1 when the image has no transparent colour.
    int TransparentIndex() const { return FTransparentIndex; }
    // False when the LZW data ended early or held a code out of range.
    bool Complete() const { return FComplete; }

private:
    TDibBitmap FImage;
    int FFrameLeft = 0, FFrameTop = 0, FFrameWidth = 0, FFrameHeight = 0;
    bool FInterlaced = false;
    int FTransparentIndex = -1;
    bool FComplete = false;
};
