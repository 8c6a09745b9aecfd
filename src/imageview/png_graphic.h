// The picture class for PNG files. It holds the decoded image bitmap, the
// alpha plane of images with an alpha channel (255 - alpha per pixel) and
// the values of the optional chunks. Drawing and copying into a window's
// picture belong to the window code, which builds a DIB from Image().
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "imageview/dib_bitmap.h"
#include "imageview/input_stream.h"
#include "imageview/png_header.h"

enum TProgressStage { psStarting, psRunning, psEnding };

class TPngGraphic {
public:
    // The picture format this class is registered for.
    static constexpr const char* kExtension = "PNG";
    static constexpr const char* kDescription = "PNG Format";

    TPngGraphic() { FAlphaTable.fill(255); }
    TPngGraphic(const TPngGraphic&) = delete;
    TPngGraphic& operator=(const TPngGraphic&) = delete;

    // Both throw EPngError (EFOpenError when the file cannot be opened);
    // after a failure the picture is empty.
    void LoadFromFile(const std::string& path);
    void LoadFromStream(TInputStream& stream);

    // Copies another PNG picture (image bitmap, alpha plane and values).
    void Assign(const TPngGraphic& source);

    bool Empty() const { return FImage.Empty(); }
    int Width() const { return FImage.Width(); }
    int Height() const { return FImage.Height(); }

    const TDibBitmap& Image() const { return FImage; }
    // Where the image's pixels go; see TDibBitmap::SetPixelSource. Loading
    // again decodes into the blocks of the picture before when it fits.
    void SetPixelSource(TDibBitmap::TPixelSource source) { FImage.SetPixelSource(std::move(source)); }
    // Empty unless the file has an alpha channel.
    const TDibBitmap& AlphaPlane() const { return FAlphaPlane; }
    const TPngHeader& Header() const { return FHeader; }
    const TPngInfo& Info() const { return FInfo; }
    const std::array<uint8_t, 256>& AlphaTable() const { return FAlphaTable; }

    // Progress while rows are decoded; fires only when set.
    std::function<void(TPngGraphic& sender, TProgressStage stage, int percent)> OnProgress;
    // The picture changed (after a load or an assignment).
    std::function<void(TPngGraphic& sender)> OnChange;

private:
    void Clear();
    void Progress(TProgressStage stage, int percent) {
        if (OnProgress) OnProgress(*this, stage, percent);
    }
    void Changed() {
        if (OnChange) OnChange(*this);
    }

    TDibBitmap FImage;
    TDibBitmap FAlphaPlane;
    TPngHeader FHeader;
    TPngInfo FInfo;
    std::array<uint8_t, 256> FAlphaTable;
};
