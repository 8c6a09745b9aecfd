// The PNG reader on arbitrary bytes: every input either decodes into a
// bitmap that matches its header or is refused with the reader's own error.
#include <cstdint>

#include "fuzz_support.h"
#include "imageview/png_error.h"
#include "imageview/png_graphic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMemoryInputStream stream(data, size);
    TPngGraphic png;
    int progress = -1;
    png.OnProgress = [&](TPngGraphic&, TProgressStage, int percent) {
        FUZZ_CHECK(percent >= 0 && percent <= 100);
        progress = percent;
    };
    try {
        png.LoadFromStream(stream);
    } catch (const EPngError&) {
        FUZZ_CHECK(png.Empty());
        return 0;
    }
    FUZZ_CHECK(!png.Empty());
    const TDibBitmap& image = png.Image();
    FUZZ_CHECK(static_cast<uint32_t>(image.Width()) == png.Header().Width);
    FUZZ_CHECK(static_cast<uint32_t>(image.Height()) == png.Header().Height);
    FUZZ_CHECK(image.BitCount() == png.Header().ImageBitCount());
    // Every byte of the pixel block is there to be drawn from.
    unsigned sum = 0;
    for (size_t i = 0; i < image.ImageSize(); i += 61)
        sum += image.Bits()[i];
    sum += image.Bits()[image.ImageSize() - 1];
    const TDibBitmap& alpha = png.AlphaPlane();
    FUZZ_CHECK(alpha.Empty() == !png.Header().HasAlpha);
    if (!alpha.Empty()) {
        FUZZ_CHECK(alpha.Width() == image.Width() && alpha.Height() == image.Height());
        sum += alpha.Bits()[alpha.ImageSize() - 1];
    }
    return static_cast<int>(sum & 0);
}
