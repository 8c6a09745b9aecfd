// qmtool image FILE
//   Decodes a picture with the program's own decoder for its extension
//   (PNG reader, JPEG through libjpeg, the built-in picture loader for BMP,
//   ICO, WMF and EMF, the image plug-ins for the rest, GIF included) and
//   prints its width, height, bit depth and the SHA-256 of its pixels as
//   top-down 24-bit BGR rows without padding.
// qmtool show-image FILE [OUT.BMP] [fit|nofit] [seconds=N]
//   Shows FILE in the main window's image pane, fitted by default, with
//   the zoom text and the size LEDs, and writes what the screen shows of
//   the window as a .BMP.
// needs: qm_imageview_win
// needs: qm_app_win
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

#include "app/image_preview.h"
#include "app/main_form.h"
#include "base/sjis.h"
#include "base/strutil.h"
#include "imageview/dib_pixels.h"
#include "imageview/jpeg_graphic.h"
#include "imageview/picture_formats.h"
#include "imageview/plugin_image.h"
#include "imageview/png_graphic.h"
#include "imageview/sha256.h"
#include "media/led_group.h"
#include "qmtool.h"
#include "screen_capture.h"

namespace {
void Print(int width, int height, int bits, const std::vector<uint8_t>& bgr) {
    std::printf("width: %d\nheight: %d\nbit depth: %d\nsha256: %s\n", width, height, bits,
                Sha256Hex(bgr.data(), bgr.size()).c_str());
}

int BitmapDepth(HBITMAP bmp) {
    BITMAP bm{};
    return bmp && GetObjectA(bmp, sizeof bm, &bm) ? bm.bmBitsPixel * bm.bmPlanes : 0;
}

int Image(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "image: give one file\n");
        return 2;
    }
    const std::string& path = args[0];
    const std::string ext = SjisUpperCase(ExtractFileExt(path));
    try {
        if (ext == ".PNG") {
            TPngGraphic png;
            png.LoadFromFile(path);
            Print(png.Width(), png.Height(), png.Image().BitCount(), TopDownBgr(png.Image()));
            return 0;
        }
        if (ext == ".JPG" || ext == ".JPEG") {
            TJpegGraphic jpeg;
            jpeg.LoadFromFile(path);
            Print(jpeg.Width(), jpeg.Height(), jpeg.Image().BitCount(), TopDownBgr(jpeg.Image()));
            return 0;
        }
        std::vector<uint8_t> bgr;
        if (ExtensionInList(kBuiltInDecoderList, ext)) {
            TPicture picture;
            picture.LoadFromFile(path);
            if (!picture.RenderBgr(bgr)) throw EPictureError("empty picture");
            Print(picture.Width(), picture.Height(),
                  picture.Bitmap() ? BitmapDepth(picture.Bitmap()) : 24, bgr);
            return 0;
        }
        if (ExtensionInList(kImageKindListWithGif, ext)) {
            TPanel host(nullptr, nullptr);
            TAll all(nullptr, &host);
            all.ShowMessage = [](const std::string& text) {
                std::printf("message: %s\n", text.c_str());
            };
            all.SetPictureName(path);
            if (all.LoadStatus() != 0 || !all.Picture().RenderBgr(bgr)) {
                std::printf("result: load status %d\n", all.LoadStatus());
                return 1;
            }
            Print(all.Picture().Width(), all.Picture().Height(),
                  BitmapDepth(all.Picture().Bitmap()), bgr);
            return 0;
        }
        std::printf("result: no decoder for %s\n", ext.c_str());
        return 1;
    } catch (const std::exception& e) {
        std::printf("result: %s\n", e.what());
        return 1;
    }
}

int ShowImage(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::fprintf(stderr, "show-image: no file given\n");
        return 2;
    }
    std::string out;
    bool fit = true;
    int seconds = 0;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "fit") {
            fit = true;
        } else if (args[i] == "nofit") {
            fit = false;
        } else if (args[i].rfind("seconds=", 0) == 0) {
            seconds = std::atoi(args[i].c_str() + 8);
        } else {
            out = args[i];
        }
    }
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    TApplication app;
    auto* form = app.CreateForm<TfoMAIN>(ExtractFilePath(program) + "Quillmark.exe");
    form->SetBounds(0, 0, 800, 600);
    TImagePreview* pane = form->ImagePreview.get();
    form->Show();
    form->FormActivate(form);
    form->FitImage = fit;
    form->GifOption = true;
    form->CurrentFileKind = form->SwitchPreviewPane(form->CurrentFileKind, fkImage);
    form->mmImg->SetEnabled(true);
    PumpMessages(300);
    const double scale = pane->PreviewImage(args[0]);
    form->CurrentFilePath = args[0];
    form->WriteFileInformation(args[0], scale);
    // The size LEDs show the picture as displayed.
    form->lgImgWidth->SetCaption(Format("%4d", pane->img->Width()));
    form->lgImgHeight->SetCaption(Format("%4d", pane->img->Height()));
    std::printf("scale: %.4f\nnatural: %d x %d\nshown: %d x %d\nlabel: %s\n", scale,
                form->ImageWidth, form->ImageHeight, pane->img->Width(), pane->img->Height(),
                form->lFileInfo->Caption().c_str());
    PumpMessages(1500);
    const int rc = CaptureWindow(form->Handle(), out) ? 0 : 1;
    PumpMessages(static_cast<DWORD>(seconds) * 1000);
    return rc;
}
} // namespace

static const QmCommand
    imageCommand("image", "FILE   decode a picture: size, depth and pixel SHA-256", Image);
static const QmCommand
    showImageCommand("show-image",
                     "FILE [OUT.BMP] [fit|nofit] [seconds=N]   show a picture in the image pane",
                     ShowImage);
