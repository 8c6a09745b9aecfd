#include "imageview/png_header.h"

int TPngHeader::Channels() const {
    switch (ColorModel) {
    case pcmGrey:
        return HasAlpha ? 2 : 1;
    case pcmRgb:
        return HasAlpha ? 4 : 3;
    default:
        return 1;
    }
}

int TPngHeader::ImageBitCount() const {
    if (ColorModel == pcmRgb) return 24;
    if (HasAlpha) return 8;
    switch (BitDepth) {
    case 1:
        return 1;
    case 2:
    case 4:
        return 4;
    default:
        return 8;
    }
}
