// The test plug-in: a plug-in whose answers a test file scripts, built
// under the names of the formats the program has no decoder for, so that
// tests can make a plug-in return every documented result, odd densities,
// a header before the picture, and garbage sizes.
//
// A test file holds the line "QMSPI key=value ..." at its start or after
// 128 bytes of anything. Keys:
//   size=WxH        picture size (default 16x8)
//   bits=N          1, 4, 8 or 24 (default 24)
//   density=X:Y     pixel densities (default 1:1)
//   info@O=R        result of GetPictureInfo called at offset O (0 or 128)
//   picture@O=R     the same for GetPicture
//   preview@O=R     the same for GetPreview
//   garbage=KIND    a successful picture call whose blocks lie: "height"
//                   (a huge height over a small pixel block), "bits" (7
//                   bits per pixel), "table" (more colours than the depth
//                   allows), "short" (a pixel block one row short),
//                   "null" (no blocks at all)
// A call at the offset where the line is answers 0 unless scripted; a call
// anywhere else answers 2 (unknown format). Every call is appended to the
// file named by the environment variable QM_SPI_LOG, when set, as
// "<plug-in> <function> <offset>".
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>

#include "spi_support.h"

namespace {
HMODULE gModule = nullptr;

struct TScript {
    long At = -1; // offset of the script line; -1 when the file has none
    int Width = 16, Height = 8, Bits = 24, XDensity = 1, YDensity = 1;
    std::map<std::string, int> Results;
    std::string Garbage;
};

std::string ModuleName() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(gModule, path, MAX_PATH);
    const char* name = std::strrchr(path, '\\');
    return name ? name + 1 : path;
}

void Log(const char* function, long offset) {
    char file[MAX_PATH];
    if (!GetEnvironmentVariableA("QM_SPI_LOG", file, sizeof file)) return;
    if (std::FILE* f = std::fopen(file, "ab")) {
        std::fprintf(f, "%s %s %ld\n", ModuleName().c_str(), function, offset);
        std::fclose(f);
    }
}

bool ReadScript(const char* path, TScript& s) {
    std::vector<uint8_t> data;
    if (!ReadSpiInput(path, 0, 0, data)) return false;
    for (long at : {0L, 128L}) {
        if (data.size() >= size_t(at) + 5 && std::memcmp(data.data() + at, "QMSPI", 5) == 0) {
            s.At = at;
            size_t end = at;
            while (end < data.size() && data[end] != '\n' && data[end] != '\r')
                ++end;
            std::istringstream words(std::string(data.begin() + at + 5, data.begin() + end));
            for (std::string w; words >> w;) {
                const size_t eq = w.find('=');
                if (eq == std::string::npos) continue;
                const std::string key = w.substr(0, eq), value = w.substr(eq + 1);
                if (key == "size") {
                    std::sscanf(value.c_str(), "%dx%d", &s.Width, &s.Height);
                } else if (key == "bits") {
                    s.Bits = std::atoi(value.c_str());
                } else if (key == "density") {
                    std::sscanf(value.c_str(), "%d:%d", &s.XDensity, &s.YDensity);
                } else if (key == "garbage") {
                    s.Garbage = value;
                } else {
                    s.Results[key] = std::atoi(value.c_str());
                }
            }
            return true;
        }
    }
    return true;
}

int ScriptedResult(const TScript& s, const char* call, long offset) {
    auto it = s.Results.find(std::string(call) + "@" + std::to_string(offset));
    if (it != s.Results.end()) return it->second;
    return offset == s.At ? kSpiOk : kSpiUnknown;
}

// The picture: colours from the position, so tests can check pixels.
bool MakePicture(const TScript& s, int width, int height, TDibBitmap& dib) {
    if (!dib.Create(width, height, s.Bits)) return false;
    const int colours = s.Bits <= 8 ? 1 << s.Bits : 0;
    for (int i = 0; i < colours; ++i) {
        dib.Palette()[i] = TRgbQuad{static_cast<uint8_t>(i * 53), static_cast<uint8_t>(i * 91),
                                    static_cast<uint8_t>(i * 37), 0};
    }
    for (int y = 0; y < height; ++y) {
        uint8_t* row = dib.Row(y);
        for (int x = 0; x < width; ++x) {
            if (s.Bits == 24) {
                row[x * 3] = static_cast<uint8_t>(x * 16);
                row[x * 3 + 1] = static_cast<uint8_t>(y * 16);
                row[x * 3 + 2] = 0x80;
            } else {
                const int index = (x + y) % colours;
                if (s.Bits == 8) row[x] = static_cast<uint8_t>(index);
                if (s.Bits == 4) row[x / 2] |= static_cast<uint8_t>(x % 2 ? index : index << 4);
                if (s.Bits == 1) row[x / 8] |= static_cast<uint8_t>(index << (7 - x % 8));
            }
        }
    }
    return true;
}

int PictureCall(const char* function, LPSTR buf, LONG_PTR len, UINT flag, HANDLE* pInfo, HANDLE* pBits,
                bool preview) {
    Log(function, len);
    if ((flag & 7) != 0) return kSpiNotImplemented;
    TScript s;
    if (!ReadScript(buf, s)) return kSpiReadFailed;
    const int r = ScriptedResult(s, preview ? "preview" : "picture", len);
    if (r != kSpiOk) return r;
    if (s.Garbage == "null") {
        *pInfo = *pBits = nullptr;
        return kSpiOk;
    }
    const int w = preview ? (s.Width + 3) / 4 : s.Width;
    const int h = preview ? (s.Height + 3) / 4 : s.Height;
    TDibBitmap dib;
    if (!MakePicture(s, w, h, dib)) return kSpiNoMem;
    const int handed = HandOverDib(dib, pInfo, pBits);
    if (handed != kSpiOk || s.Garbage.empty()) return handed;
    auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(*pInfo));
    if (s.Garbage == "height") header->biHeight = 100000;
    if (s.Garbage == "bits") header->biBitCount = 7;
    if (s.Garbage == "table") header->biClrUsed = 1000;
    GlobalUnlock(*pInfo);
    if (s.Garbage == "short") {
        HGLOBAL smaller = GlobalReAlloc(*pBits, dib.ImageSize() - dib.Stride(), GMEM_MOVEABLE);
        if (smaller) *pBits = smaller;
    }
    return kSpiOk;
}
} // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) gModule = instance;
    return TRUE;
}

SPI_EXPORT int WINAPI GetPluginInfo(int infono, LPSTR buf, int buflen) {
    switch (infono) {
    case 0:
        return CopyInfoText("00IN", buf, buflen);
    case 1:
        return CopyInfoText("Quillmark test plug-in", buf, buflen);
    default:
        return 0;
    }
}

SPI_EXPORT int WINAPI IsSupported(LPSTR, DWORD_PTR) {
    return 0;
}

SPI_EXPORT int WINAPI GetPictureInfo(LPSTR buf, LONG_PTR len, UINT flag, TSpiPictureInfo* info) {
    Log("GetPictureInfo", len);
    if ((flag & 7) != 0 || !info) return kSpiNotImplemented;
    TScript s;
    if (!ReadScript(buf, s)) return kSpiReadFailed;
    const int r = ScriptedResult(s, "info", len);
    if (r != kSpiOk) return r;
    *info = TSpiPictureInfo{};
    info->Width = s.Width;
    info->Height = s.Height;
    info->XDensity = static_cast<uint16_t>(s.XDensity);
    info->YDensity = static_cast<uint16_t>(s.YDensity);
    info->ColorDepth = static_cast<int16_t>(s.Bits);
    // Text about the picture, for the caller to free.
    if (HLOCAL text = LocalAlloc(LMEM_FIXED, 8)) {
        std::memcpy(text, "QMSPI\0\0", 8);
        info->TextInfo = text;
    }
    return kSpiOk;
}

SPI_EXPORT int WINAPI GetPicture(LPSTR buf, LONG_PTR len, UINT flag, HANDLE* pInfo, HANDLE* pBits,
                                 FARPROC, LONG_PTR) {
    return PictureCall("GetPicture", buf, len, flag, pInfo, pBits, false);
}

SPI_EXPORT int WINAPI GetPreview(LPSTR buf, LONG_PTR len, UINT flag, HANDLE* pInfo, HANDLE* pBits,
                                 FARPROC, LONG_PTR) {
    return PictureCall("GetPreview", buf, len, flag, pInfo, pBits, true);
}
