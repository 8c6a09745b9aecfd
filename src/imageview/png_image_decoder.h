// Turns the inflated image data of a PNG file into the image bitmap and the
// alpha plane: row by row without interlace, pass by pass with Adam7.
#pragma once
#include <cstdint>
#include <functional>

#include "imageview/dib_bitmap.h"
#include "imageview/png_header.h"
#include "imageview/zlib_inflater.h"

class TPngImageDecoder {
public:
    // Percent of rows done, reported each time it changes.
    using TProgress = std::function<void(int percent)>;

    // `image` (and `alpha` when the header has an alpha channel) must already
    // be created at the header's size and bitmap depth.
    TPngImageDecoder(const TPngHeader& header, TZlibInflater& inflater, TDibBitmap& image,
                     TDibBitmap* alpha, TProgress progress);

    // Decodes every row; throws EPngError when data runs out, is corrupt or
    // names an unknown filter type.
    void Run();

private:
    struct TPass {
        uint32_t X0, Y0, DX, DY;
    };
    void DecodePass(const TPass& pass, bool interlaced);
    void RowDone();

    const TPngHeader& FHeader;
    TZlibInflater& FInflater;
    TDibBitmap& FImage;
    TDibBitmap* FAlpha;
    TProgress FProgress;
    uint64_t FTotalRows = 0;
    uint64_t FRowsDone = 0;
    int FLastPercent = -1;
};
