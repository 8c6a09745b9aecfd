// ifgif.spi: the GIF plug-in, decoding with the program's own GIF reader.
#include <cstring>
#include <new>

#include "imageview/gif_image.h"
#include "spi_support.h"

namespace {
int Decode(const char* buf, long len, unsigned flag, TGifImage& gif) {
    std::vector<uint8_t> data;
    if (!ReadSpiInput(buf, len, flag, data)) return kSpiReadFailed;
    try {
        gif.LoadFromMemory(data.data(), data.size());
    } catch (const EGifError& e) {
        switch (e.Kind) {
        case EGifError::gkNotGif:
            return kSpiUnknown;
        case EGifError::gkTooLarge:
            return kSpiNoMem;
        default:
            return kSpiBroken;
        }
    } catch (const std::bad_alloc&) {
        return kSpiNoMem;
    }
    return kSpiOk;
}
} // namespace

SPI_EXPORT int WINAPI GetPluginInfo(int infono, LPSTR buf, int buflen) {
    switch (infono) {
    case 0:
        return CopyInfoText("00IN", buf, buflen);
    case 1:
        return CopyInfoText("Quillmark GIF plug-in", buf, buflen);
    case 2:
        return CopyInfoText("*.gif", buf, buflen);
    case 3:
        return CopyInfoText("GIF", buf, buflen);
    default:
        return 0;
    }
}

SPI_EXPORT int WINAPI IsSupported(LPSTR, DWORD_PTR dw) {
    // Nothing above the low word makes dw a file handle; otherwise it points at
    // the first 2 KB of the file.
    uint8_t head[6] = {};
    if ((dw & ~static_cast<DWORD_PTR>(0xFFFF)) == 0) {
        DWORD read = 0;
        if (!ReadFile(reinterpret_cast<HANDLE>(static_cast<uintptr_t>(dw)), head, sizeof head,
                      &read, nullptr) ||
            read != sizeof head) {
            return 0;
        }
    } else {
        std::memcpy(head, reinterpret_cast<const void*>(static_cast<uintptr_t>(dw)), sizeof head);
    }
    return TGifImage::IsGif(head, sizeof head) ? 1 : 0;
}

SPI_EXPORT int WINAPI GetPictureInfo(LPSTR buf, LONG_PTR len, UINT flag, TSpiPictureInfo* info) {
    if (!info) return kSpiBroken;
    TGifImage gif;
    const int r = Decode(buf, len, flag, gif);
    if (r != kSpiOk) return r;
    *info = TSpiPictureInfo{};
    info->Width = gif.Image().Width();
    info->Height = gif.Image().Height();
    info->XDensity = info->YDensity = 1;
    info->ColorDepth = 8;
    return kSpiOk;
}

SPI_EXPORT int WINAPI GetPicture(LPSTR buf, LONG_PTR len, UINT flag, HANDLE* pInfo, HANDLE* pBits,
                                 FARPROC, LONG_PTR) {
    TGifImage gif;
    const int r = Decode(buf, len, flag, gif);
    if (r != kSpiOk) return r;
    return HandOverDib(gif.Image(), pInfo, pBits);
}

SPI_EXPORT int WINAPI GetPreview(LPSTR, LONG_PTR, UINT, HANDLE*, HANDLE*, FARPROC, LONG_PTR) {
    return kSpiNotImplemented;
}
