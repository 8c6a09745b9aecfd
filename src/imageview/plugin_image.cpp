#include "imageview/plugin_image.h"

#include <memory>
#include <vector>

#include "base/strutil.h"
#include "imageview/dib_header_check.h"
#include "imageview/image_zoom.h"
#include "imageview/plugin_library.h"
#include "ui/forms.h"
#include "ui/gdi.h"

namespace {
// Plug-ins take the path in a buffer of this size.
constexpr size_t kPathBuffer = 256;
constexpr LONG kHeaderOffset = 128; // the retry for files with a 128-byte header

int DefaultScreenBits() {
    gdi::WindowDC dc;
    return GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
}

// The plug-in failures come without beep or icon.
void PlainMessage(const std::string& text) { TellUser(TSeverity::Plain, text); }

// A device-dependent bitmap of the screen's kind; null when it cannot be had.
gdi::Bitmap ScreenBitmap(int width, int height) {
    if (width <= 0 || height <= 0) return {};
    // Four bytes a pixel at most; beyond the picture limit the size is not believed.
    if (uint64_t(width) * uint64_t(height) * 4 > TDibBitmap::kMaxImageBytes) return {};
    return gdi::Bitmap(CreateCompatibleBitmap(gdi::WindowDC(), width, height));
}
} // namespace

TAll::TAll(TComponent* owner, TWinControl* parent) : TImage(owner, parent) {
    SetAutoSize(true);
    ShowMessage = PlainMessage;
    ScreenBitsPerPixel = DefaultScreenBits;
}

void TAll::SetPictureName(const std::string& path) {
    pictureName_ = path;
    if (path.empty()) {
        loadStatus_ = kLoadOk;
        Picture().Clear();
        return;
    }
    Picture().Clear();
    Load();
}

void TAll::SetPreView(bool on) {
    preView_ = on;
    if (!pictureName_.empty()) SetPictureName(std::string(pictureName_));
}

void TAll::Fail(int status, const TPictureLoader* loader) {
    loadStatus_ = status;
    const std::string path = pictureName_;
    pictureName_.clear();
    Picture().Clear();
    if (ShowMessage)
        ShowMessage(Format("%s [%s]", LoadFailureMessage(status, loader).c_str(), path.c_str()));
}

void TAll::Load() {
    loadStatus_ = kLoadOk;
    const TPictureLoader* loader = FindPictureLoader(ExtractFileExt(pictureName_));
    if (!loader) {
        formatIndex_ = -1;
        preView_ = false;
        imageWidth_ = imageHeight_ = 0;
        Fail(kLoadUnsupported, nullptr);
        return;
    }
    formatIndex_ = loader->FormatIndex;
    if (formatIndex_ == kFormatBuiltIn) {
        preView_ = false; // only JPEG plug-in loads keep it
        Picture().LoadFromFile(pictureName_);
        return;
    }
    TPluginLibrary lib(loader->Library);
    if (formatIndex_ != kFormatJpeg) {
        preView_ = false;
        imageWidth_ = imageHeight_ = 0;
    }
    if (!lib.Loaded()) {
        Fail(kLoadNoLibrary, loader);
        return;
    }
    lib.Bind(formatIndex_ == kFormatJpeg || formatIndex_ == kFormatPic ||
             formatIndex_ == kFormatPic2);
    // A longer path would not fit the plug-in's buffer; it is refused as
    // unreadable instead of being cut short.
    if (pictureName_.size() >= kPathBuffer) {
        Fail(kSpiReadError, loader);
        return;
    }
    char path[kPathBuffer] = {};
    pictureName_.copy(path, pictureName_.size());
    const int result =
        formatIndex_ == kFormatJpeg ? LoadJpegPicture(lib, path) : LoadFullPicture(lib, path);
    if (result != 0) Fail(result, loader);
}

int TAll::MakeBitmap(const void* info, size_t infoSize, const void* bits, size_t bitsSize,
                     SIZE size, bool allowPalette, gdi::Bitmap& bitmap, gdi::Object<HPALETTE>& palette) {
    bitmap.Reset();
    palette.Reset();
    TDibLayout layout;
    if (!CheckDibHeader(info, infoSize, bitsSize, layout)) return kSpiBrokenData;
    if (size.cx == 0) size = {layout.Width, layout.Height};
    bitmap = ScreenBitmap(size.cx, size.cy);
    if (!bitmap) return kSpiNoMemory;

    HDC canvas = CanvasHandle();
    HPALETTE previous = nullptr;
    const auto* header = static_cast<const BITMAPINFOHEADER*>(info);
    if (allowPalette && layout.BitCount <= 8 && ScreenBitsPerPixel && ScreenBitsPerPixel() == 8) {
        const UINT count = layout.UsedColors ? layout.UsedColors : (1u << layout.BitCount);
        std::vector<uint8_t> buffer(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
        auto* lp = reinterpret_cast<LOGPALETTE*>(buffer.data());
        lp->palVersion = 0x300;
        lp->palNumEntries = static_cast<WORD>(count);
        const auto* table =
            reinterpret_cast<const RGBQUAD*>(static_cast<const uint8_t*>(info) + header->biSize);
        for (UINT i = 0; i < count; ++i) {
            lp->palPalEntry[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
        }
        palette.Reset(CreatePalette(lp));
        if (palette) {
            previous = SelectPalette(canvas, palette, FALSE);
            RealizePalette(canvas);
        }
    }
    SetDIBits(canvas, bitmap, 0, static_cast<UINT>(layout.Height), bits,
              static_cast<const BITMAPINFO*>(info), DIB_RGB_COLORS);
    if (palette) SelectPalette(canvas, previous, FALSE);
    return 0;
}

int TAll::LoadFullPicture(TPluginLibrary& lib, char* path) {
    if (!lib.GetPicture) return kMissingEntryPoint;
    auto handles = std::make_unique<TSpiPictureHandles>();
    int result = lib.GetPicture(path, 0, 0, handles->InfoSlot(), handles->BitsSlot(), nullptr, 0);
    if (result == kSpiUnknownFormat) {
        handles = std::make_unique<TSpiPictureHandles>();
        result = lib.GetPicture(path, kHeaderOffset, 0, handles->InfoSlot(), handles->BitsSlot(),
                                nullptr, 0);
    }
    if (result != 0) return result;
    if (!handles->Lock()) return kSpiMemoryError;
    gdi::Bitmap bitmap;
    gdi::Object<HPALETTE> palette;
    result = MakeBitmap(handles->Info(), handles->InfoSize(), handles->Bits(), handles->BitsSize(),
                        {0, 0}, true, bitmap, palette);
    handles.reset();
    if (result != 0) return result;
    Picture().SetBitmap(bitmap.Release(), palette.Release());
    if (formatIndex_ == kFormatPic || formatIndex_ == kFormatPic2) CorrectAspect(lib, path);
    if (Picture().Palette()) RealizeInForm(Picture().Palette());
    return 0;
}

void TAll::CorrectAspect(TPluginLibrary& lib, char* path) {
    if (!lib.GetPictureInfo) return;
    TSpiPictureInfo info{};
    const int result = lib.GetPictureInfo(path, 0, 0, &info);
    if (info.TextInfo) LocalFree(info.TextInfo);
    if (result != 0 || (info.XDensity == 1 && info.YDensity == 1)) return;
    if (info.XDensity == 0 || info.YDensity == 0) return; // nothing to even out by
    const image_zoom::TSize size =
        image_zoom::AspectSize(Picture().Width(), Picture().Height(), info.XDensity, info.YDensity);
    gdi::MemoryDC dc(nullptr, ScreenBitmap(size.Width, size.Height));
    if (!dc) return;
    Picture().Draw(dc, RECT{0, 0, size.Width, size.Height});
    // The palette moves from the first bitmap to the corrected one.
    Picture().SetBitmap(dc.TakeBitmap().Release(), Picture().TakePalette());
}

void TAll::RealizeInForm(HPALETTE palette) {
    TWinControl* form = Parent();
    while (form && form->Parent())
        form = form->Parent();
    if (!form || !form->Handle()) return;
    gdi::WindowDC dc(form->Handle());
    HPALETTE previous = SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);
    SelectPalette(dc, previous, FALSE);
}

int TAll::LoadJpegPicture(TPluginLibrary& lib, char* path) {
    if (!lib.GetPictureInfo) return kMissingEntryPoint;
    TSpiPictureInfo info{};
    LONG offset = 0;
    int result = lib.GetPictureInfo(path, 0, 0, &info);
    if (result != 0) {
        info = TSpiPictureInfo{};
        result = lib.GetPictureInfo(path, kHeaderOffset, 0, &info);
        if (result == 0) offset = kHeaderOffset;
    }
    if (info.TextInfo) LocalFree(info.TextInfo);
    if (result != 0) return result;
    if (info.Width <= 0 || info.Height <= 0) return kSpiBrokenData;
    imageWidth_ = info.Width;
    imageHeight_ = info.Height;
    const image_zoom::TSize size = preView_ ? image_zoom::PreviewSize(info.Width, info.Height)
                                            : image_zoom::TSize{info.Width, info.Height};
    TSpiGetPicture call = preView_ ? lib.GetPreview : lib.GetPicture;
    if (!call) return kMissingEntryPoint;
    TSpiPictureHandles handles;
    result = call(path, offset, 0, handles.InfoSlot(), handles.BitsSlot(), nullptr, 0);
    if (result != 0) return result;
    if (!handles.Lock()) return kSpiMemoryError;
    gdi::Bitmap bitmap;
    gdi::Object<HPALETTE> palette;
    result = MakeBitmap(handles.Info(), handles.InfoSize(), handles.Bits(), handles.BitsSize(),
                        {size.Width, size.Height}, false, bitmap, palette);
    if (result != 0) return result;
    Picture().SetBitmap(bitmap.Release());
    return 0;
}
