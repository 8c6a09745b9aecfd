// TAll: the image control that also reads the picture formats the program
// does not decode itself, through image plug-in libraries loaded by bare
// name for each picture, and turns the DIB a plug-in returns into a
// displayable bitmap (with a palette on 8-bit screens and the aspect of
// pictures with uneven pixel densities).
#pragma once
#include <functional>
#include <string>

#include "imageview/image_control.h"
#include "imageview/picture_formats.h"
#include "ui/gdi.h"

class TPluginLibrary;
struct TDibLayout;

class TAll : public TImage {
public:
    TAll(TComponent* owner, TWinControl* parent);

    const std::string& PictureName() const { return pictureName_; }
    // Stores the path and loads it; an empty path clears the picture.
    void SetPictureName(const std::string& path);
    bool PreView() const { return preView_; }
    // Asks JPEG plug-in loads for the reduced preview; reloads the picture.
    void SetPreView(bool on);

    int ImageWidth() const { return imageWidth_; }
    int ImageHeight() const { return imageHeight_; }
    int LoadStatus() const { return loadStatus_; }
    int FormatIndex() const { return formatIndex_; }

    // Shows a failure; a plain message box without a sound by default.
    std::function<void(const std::string& text)> ShowMessage;
    // Colour depth of the screen; palettes are built only for 8 bits.
    std::function<int()> ScreenBitsPerPixel;

    // Result of a plug-in load when the library lacks an entry point the
    // load needs: reported as an "other" error.
    static constexpr int kMissingEntryPoint = -1;

private:
    void Load();
    void Fail(int status, const TPictureLoader* loader);
    int LoadFullPicture(TPluginLibrary& lib, char* path);
    int LoadJpegPicture(TPluginLibrary& lib, char* path);
    // Makes a bitmap of the DIB a picture call returned; `size` is the
    // bitmap's size (the header's own when zero). Builds a palette when
    // asked and the screen needs one.
    int MakeBitmap(const void* info, size_t infoSize, const void* bits, size_t bitsSize, SIZE size,
                   bool allowPalette, gdi::Bitmap& bitmap, gdi::Object<HPALETTE>& palette);
    // Evens out the pixel densities of PIC and PIC2 pictures.
    void CorrectAspect(TPluginLibrary& lib, char* path);
    void RealizeInForm(HPALETTE palette);

    std::string pictureName_;
    bool preView_ = false;
    int imageWidth_ = 0, imageHeight_ = 0;
    int loadStatus_ = 0;
    int formatIndex_ = -1;
};
