#include "spi_support.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

bool ReadSpiInput(const char* buf, long len, unsigned flag, std::vector<uint8_t>& data) {
    data.clear();
    if (!buf) return false;
    if ((flag & 7) != 0) {
        if (len < 0) return false;
        data.assign(reinterpret_cast<const uint8_t*>(buf),
                    reinterpret_cast<const uint8_t*>(buf) + len);
        return true;
    }
    std::FILE* f = std::fopen(buf, "rb");
    if (!f) return false;
    bool ok = len >= 0 && std::fseek(f, len, SEEK_SET) == 0;
    uint8_t chunk[64 * 1024];
    for (size_t n; ok && (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;)
        data.insert(data.end(), chunk, chunk + n);
    std::fclose(f);
    return ok;
}

int HandOverDib(const TDibBitmap& dib, HANDLE* info, HANDLE* bits) {
    if (!info || !bits) return kSpiNoMem;
    *info = nullptr;
    *bits = nullptr;
    const size_t colours = dib.Palette().size();
    HGLOBAL hInfo = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT,
                                sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD));
    HGLOBAL hBits = GlobalAlloc(GMEM_MOVEABLE, dib.ImageSize());
    if (!hInfo || !hBits) {
        if (hInfo) GlobalFree(hInfo);
        if (hBits) GlobalFree(hBits);
        return kSpiNoMem;
    }
    auto* h = static_cast<BITMAPINFOHEADER*>(GlobalLock(hInfo));
    h->biSize = sizeof(BITMAPINFOHEADER);
    h->biWidth = dib.Width();
    h->biHeight = dib.Height();
    h->biPlanes = 1;
    h->biBitCount = static_cast<WORD>(dib.BitCount());
    h->biCompression = BI_RGB;
    h->biSizeImage = static_cast<DWORD>(dib.ImageSize());
    h->biClrUsed = static_cast<DWORD>(colours);
    if (colours) std::memcpy(h + 1, dib.Palette().data(), colours * sizeof(RGBQUAD));
    GlobalUnlock(hInfo);
    std::memcpy(GlobalLock(hBits), dib.Bits(), dib.ImageSize());
    GlobalUnlock(hBits);
    *info = hInfo;
    *bits = hBits;
    return kSpiOk;
}

int CopyInfoText(const std::string& text, char* buf, int size) {
    if (!buf || size <= 0) return 0;
    const int n = static_cast<int>(std::min<size_t>(text.size(), size_t(size - 1)));
    std::memcpy(buf, text.data(), n);
    buf[n] = '\0';
    return n;
}
