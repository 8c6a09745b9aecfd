// qmtool bench-picture FILE [ROUNDS]
//   Times loading a JPEG or PNG file into the image pane's picture again and
//   again (the first load apart: fresh memory), the decoder alone, and, for
//   JPEG, libjpeg decoding the same file into a buffer it keeps, in
//   alternating rounds (9 by default); then drawing the picture fitted into
//   600 x 400. Prints medians and the ratio to libjpeg.
// needs: qm_imageview_win
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/sjis.h"
#include "base/strutil.h"
#include "imageview/image_zoom.h"
#include "imageview/jpeg_graphic.h"
#include "imageview/picture.h"
#include "imageview/png_graphic.h"
#include "qmtool.h"
#include "../../tests/imageview/libjpeg_reference.h"
#include "ui/gdi.h"

namespace {

double Ms(std::chrono::steady_clock::time_point from) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - from).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

int BenchPicture(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::fprintf(stderr, "usage: bench-picture FILE.jpg|FILE.png [ROUNDS]\n");
        return 2;
    }
    const std::string path = args[0];
    const int rounds = std::max(3, args.size() > 1 ? std::atoi(args[1].c_str()) : 9);
    const bool png = SjisUpperCase(ExtractFileExt(path)) == ".PNG";
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    TPicture picture;
    TJpegGraphic jpeg;
    TPngGraphic pngGraphic;
    std::vector<uint8_t> file, pixels;
    std::vector<double> load, decode, plain, drawn;
    double first = 0;
    gdi::MemoryDC dc(nullptr, 600, 400);
    try {
        for (int r = 0; r <= rounds; ++r) {
            auto t = std::chrono::steady_clock::now();
            if (png)
                picture.LoadPngFile(path, face);
            else
                picture.LoadFromFile(path);
            const double ms = Ms(t);
            if (r == 0) {
                first = ms;
                continue;
            }
            load.push_back(ms);
            t = std::chrono::steady_clock::now();
            if (png)
                pngGraphic.LoadFromFile(path);
            else
                jpeg.LoadFromFile(path);
            decode.push_back(Ms(t));
            if (!png) {
                t = std::chrono::steady_clock::now();
                if (!DecodeWithLibjpeg(path, file, pixels)) return 1;
                plain.push_back(Ms(t));
            }
            image_zoom::TFitInput in;
            in.NaturalWidth = in.CurrentWidth = picture.Width();
            in.NaturalHeight = in.CurrentHeight = picture.Height();
            in.ClientWidth = 600;
            in.ClientHeight = 400;
            const image_zoom::TSize fitted = image_zoom::FittedSize(in);
            t = std::chrono::steady_clock::now();
            picture.Draw(dc, RECT{0, 0, fitted.Width, fitted.Height});
            GdiFlush();
            drawn.push_back(Ms(t));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::printf("%s %d x %d, %d rounds, medians:\n", path.c_str(), picture.Width(), picture.Height(), rounds);
    std::printf("  first load into the picture (fresh memory)   %8.1f ms\n", first);
    std::printf("  load again into the same picture             %8.1f ms\n", Median(load));
    std::printf("  the decoder alone, again into its own memory %8.1f ms\n", Median(decode));
    if (!png) {
        std::printf("  libjpeg into a kept buffer                   %8.1f ms\n", Median(plain));
        std::printf("  load again / libjpeg                         %8.2f\n", Median(load) / Median(plain));
    }
    std::printf("  drawing it fitted into 600 x 400             %8.1f ms\n", Median(drawn));
    return 0;
}
} // namespace

static const QmCommand benchPictureCommand(
    "bench-picture", "FILE [ROUNDS]   time loading a JPEG or PNG picture again and again, beside libjpeg",
    BenchPicture);
