// qmtool png FILE [-bmp OUT.BMP] [-alpha OUT.BMP]: decodes a PNG file with
// the program's own reader, prints its header facts and the result, and can
// write the decoded picture (and its alpha plane) as .BMP files.
#include <chrono>
#include <cstdio>
#include <exception>

#include "imageview/bmp_writer.h"
#include "imageview/input_stream.h"
#include "imageview/png_error.h"
#include "imageview/png_read_stream.h"
#include "qmtool.h"

namespace {

void PrintFacts(TPngReadStream& reader) {
    const TPngHeader& h = reader.Header();
    if (reader.HeaderSeen()) {
        std::printf("header: %u x %u, depth %u, colour type %u%s, compression %u, filter %u, "
                    "interlace %u\n",
                    h.Width, h.Height, h.BitDepth, h.ColorType, h.HasAlpha ? " (alpha)" : "",
                    h.Compression, h.Filter, h.Interlace);
    }
    if (!reader.Palette().empty()) std::printf("palette: %zu entries\n", reader.Palette().size());
    const TPngInfo& info = reader.Info();
    if (info.HasGamma) std::printf("gamma: %.5f\n", info.Gamma);
    if (info.HasPhysical)
        std::printf("physical: %u x %u per unit %u\n", info.PixelsPerUnitX, info.PixelsPerUnitY,
                    info.Unit);
    if (info.HasSignificantBits)
        std::printf("significant bits: %u %u %u %u\n", info.SignificantRed, info.SignificantGreen,
                    info.SignificantBlue, info.SignificantAlpha);
    if (info.HasBackground)
        std::printf("background: %02X%02X%02X\n", info.Background.Red, info.Background.Green,
                    info.Background.Blue);
    for (const auto& [key, text] : info.Texts)
        std::printf("text: %s = %s\n", key.c_str(), text.c_str());
}

void PrintResult(TPngReadStream& reader) {
    const TDibBitmap& image = reader.Image();
    std::printf("image: %d x %d, %d bits, stride %zu, %zu palette entries\n", image.Width(),
                image.Height(), image.BitCount(), image.Stride(), image.Palette().size());
    std::printf("alpha plane: %s\n", reader.AlphaPlane().Empty() ? "no" : "yes");
    if (image.Transparent) {
        const TColorRef c = image.TransparentColor;
        std::printf("transparent colour: %02X%02X%02X\n", c & 0xFF, (c >> 8) & 0xFF,
                    (c >> 16) & 0xFF);
    } else {
        std::printf("transparent colour: none\n");
    }
}

int Png(const std::vector<std::string>& args) {
    std::string path, bmpPath, alphaPath;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-bmp" && i + 1 < args.size()) {
            bmpPath = args[++i];
        } else if (args[i] == "-alpha" && i + 1 < args.size()) {
            alphaPath = args[++i];
        } else if (path.empty()) {
            path = args[i];
        } else {
            std::fprintf(stderr, "png: unexpected argument %s\n", args[i].c_str());
            return 2;
        }
    }
    if (path.empty()) {
        std::fprintf(stderr, "png: no file given\n");
        return 2;
    }
    try {
        TFileInputStream stream(path);
        TPngReadStream reader(stream);
        const auto start = std::chrono::steady_clock::now();
        try {
            reader.Decode();
        } catch (const std::exception& e) {
            PrintFacts(reader);
            std::printf("result: %s\n", e.what());
            return 1;
        }
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        PrintFacts(reader);
        PrintResult(reader);
        std::printf("result: OK (%.1f ms)\n", ms);
        if (!bmpPath.empty() && !SaveBmpFile(reader.Image(), bmpPath)) {
            std::fprintf(stderr, "png: cannot write %s\n", bmpPath.c_str());
            return 1;
        }
        if (!alphaPath.empty() && !SaveBmpFile(reader.AlphaPlane(), alphaPath)) {
            std::fprintf(stderr, "png: no alpha plane written to %s\n", alphaPath.c_str());
            return 1;
        }
    } catch (const std::exception& e) {
        std::printf("result: %s\n", e.what());
        return 1;
    }
    return 0;
}

} // namespace

static const QmCommand command("png", "FILE [-bmp OUT.BMP] [-alpha OUT.BMP]   decode a PNG file",
                               Png);
