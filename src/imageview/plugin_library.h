// One image plug-in library (*.spi), loaded by bare file name for one load
// and released with the object. Its three entry points follow the
// published plug-in interface for image import filters.
#pragma once
#include <cstdint>

#include "ui/win32.h"

#pragma pack(push, 1)
// The picture information record a plug-in fills.
struct TSpiPictureInfo {
    int32_t Left, Top;     // where the picture sits in its own coordinates
    int32_t Width, Height; // pixels
    uint16_t XDensity, YDensity;
    int16_t ColorDepth; // bits per pixel
    HLOCAL TextInfo;    // text about the picture, freed by the caller
};
#pragma pack(pop)
static_assert(sizeof(TSpiPictureInfo) == 22 + sizeof(HLOCAL), "the record is packed");

// Offsets and the callback's data are pointer-sized, as in 64-bit plug-ins
// (in 32-bit ones they are the same 32-bit LONG).
using TSpiGetPictureInfo = int(WINAPI*)(LPSTR path, LONG_PTR offset, UINT flag, TSpiPictureInfo* info);
using TSpiGetPicture = int(WINAPI*)(LPSTR path, LONG_PTR offset, UINT flag, HANDLE* info, HANDLE* bits,
                                    FARPROC progress, LONG_PTR data);

class TPluginLibrary {
public:
    explicit TPluginLibrary(const char* fileName) : module_(LoadLibraryA(fileName)) {}
    ~TPluginLibrary() {
        if (module_) FreeLibrary(module_);
    }
    TPluginLibrary(const TPluginLibrary&) = delete;
    TPluginLibrary& operator=(const TPluginLibrary&) = delete;

    bool Loaded() const { return module_ != nullptr; }
    // Looks up the entry points; the three pointers stay null where a name
    // is missing or not asked for.
    void Bind(bool withInfoAndPreview) {
        if (!module_) return;
        GetPicture = reinterpret_cast<TSpiGetPicture>(
            reinterpret_cast<void*>(GetProcAddress(module_, "GetPicture")));
        if (!withInfoAndPreview) return;
        GetPictureInfo = reinterpret_cast<TSpiGetPictureInfo>(
            reinterpret_cast<void*>(GetProcAddress(module_, "GetPictureInfo")));
        GetPreview = reinterpret_cast<TSpiGetPicture>(
            reinterpret_cast<void*>(GetProcAddress(module_, "GetPreview")));
    }

    TSpiGetPictureInfo GetPictureInfo = nullptr;
    TSpiGetPicture GetPicture = nullptr;
    TSpiGetPicture GetPreview = nullptr;

private:
    HMODULE module_;
};

// The two movable memory blocks a picture call returns, unlocked and freed
// with the object.
class TSpiPictureHandles {
public:
    TSpiPictureHandles() = default;
    ~TSpiPictureHandles() {
        Free(info_, infoPtr_);
        Free(bits_, bitsPtr_);
    }
    TSpiPictureHandles(const TSpiPictureHandles&) = delete;
    TSpiPictureHandles& operator=(const TSpiPictureHandles&) = delete;

    HANDLE* InfoSlot() { return &info_; }
    HANDLE* BitsSlot() { return &bits_; }
    // Locks both; false when either handle is missing or cannot be locked.
    bool Lock() {
        if (!info_ || !bits_) return false;
        infoPtr_ = GlobalLock(info_);
        bitsPtr_ = GlobalLock(bits_);
        return infoPtr_ && bitsPtr_;
    }
    const void* Info() const { return infoPtr_; }
    const void* Bits() const { return bitsPtr_; }
    SIZE_T InfoSize() const { return info_ ? GlobalSize(info_) : 0; }
    SIZE_T BitsSize() const { return bits_ ? GlobalSize(bits_) : 0; }

private:
    static void Free(HANDLE& h, void*& p) {
        if (p) GlobalUnlock(h);
        if (h) GlobalFree(h);
        h = nullptr;
        p = nullptr;
    }
    HANDLE info_ = nullptr, bits_ = nullptr;
    void* infoPtr_ = nullptr;
    void* bitsPtr_ = nullptr;
};
