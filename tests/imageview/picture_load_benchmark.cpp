// Loading 4000 x 3000 photo-like JPEG and PNG files as the image pane does,
// beside the reference libraries (libjpeg-turbo and libpng, Debian's) that
// read the same files into a buffer they keep from one file to the next. Not
// a test: run through scripts/bench_pictures.sh, which alternates the
// benchmarks in rounds and prints medians and ratios. QM_BENCH_HEAP=reuse
// keeps freed memory in the process; by default large blocks come fresh
// from the system, as they do in the program.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "imageview/image_zoom.h"
#include "imageview/jpeg_graphic.h"
#include "imageview/png_graphic.h"
#include "libjpeg_reference.h"
#include "picture_test_writer.h"
#include "png_test_writer.h"

namespace {

std::string TempPath(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::string part = path + ".part";
    std::FILE* f = std::fopen(part.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    std::filesystem::rename(part, path);
}

// Smooth gradients with a little noise, as in a photo.
uint8_t PhotoSample(int x, int y, int c) {
    const uint32_t noise = (uint32_t(x) * 2654435761u ^ uint32_t(y) * 40503u) >> 29;
    return static_cast<uint8_t>(((x * (c + 1) + y * (3 - c)) / 16 + noise) & 255);
}

const std::string& JpegFile() {
    static const std::string path = [] {
        TJpegSpec s;
        s.Width = 4000;
        s.Height = 3000;
        s.Quality = 90;
        s.Sample = PhotoSample;
        // The same every time: a file made by an earlier run is used again.
        const std::string p = TempPath("qm_bench_photo_v1.jpg");
        if (!std::filesystem::exists(p)) WriteFile(p, WriteJpeg(s));
        return p;
    }();
    return path;
}

// Filtered with Paeth, as photo encoders mostly choose.
const std::string& PngFile() {
    static const std::string path = [] {
        const std::string p = TempPath("qm_bench_photo_v1.png");
        if (std::filesystem::exists(p)) return p;
        TTestImage img;
        img.Width = 4000;
        img.Height = 3000;
        img.ColorType = 2;
        img.Depth = 8;
        img.Samples.resize(size_t(img.Width) * img.Height * 3);
        for (uint32_t y = 0; y < img.Height; ++y)
            for (uint32_t x = 0; x < img.Width; ++x)
                for (int c = 0; c < 3; ++c)
                    img.Samples[(size_t(y) * img.Width + x) * 3 + c] = PhotoSample(int(x), int(y), c);
        TPngBuilder b;
        b.Ihdr(img).Idat(ZlibCompress(FilteredImageData(img, 4)), 8192).Iend();
        WriteFile(p, b.Bytes);
        return p;
    }();
    return path;
}

// The reference: libjpeg-turbo reading the file into a kept buffer and
// decoding into kept pixels, in the byte order of a DIB row.
void BM_JpegReference(benchmark::State& state) {
    std::vector<uint8_t> file, pixels;
    for (auto _ : state) {
        if (!DecodeWithLibjpeg(JpegFile(), file, pixels)) state.SkipWithError("read");
        benchmark::DoNotOptimize(pixels.data());
    }
}

// A new picture object for every file: each load takes fresh memory, as
// every load did before the pixel blocks were kept.
void BM_JpegFreshPicture(benchmark::State& state) {
    for (auto _ : state) {
        TJpegGraphic g;
        g.LoadFromFile(JpegFile());
        benchmark::DoNotOptimize(g.Image().Bits());
    }
}

// The next file of the same size into the same picture: what flipping
// through a folder of photos costs from the second one on.
void BM_JpegAgain(benchmark::State& state) {
    TJpegGraphic g;
    g.LoadFromFile(JpegFile());
    for (auto _ : state) {
        g.LoadFromFile(JpegFile());
        benchmark::DoNotOptimize(g.Image().Bits());
    }
}

// Shown fitted into a 600 x 400 pane: decoded at the reduced scale that
// still covers the fitted size.
void BM_JpegFitted600x400(benchmark::State& state) {
    TJpegGraphic g;
    const TJpegScaleRule rule = [](int w, int h) {
        image_zoom::TFitInput in;
        in.NaturalWidth = in.CurrentWidth = w;
        in.NaturalHeight = in.CurrentHeight = h;
        in.ClientWidth = 600;
        in.ClientHeight = 400;
        return image_zoom::ReducedScale(w, h, image_zoom::FittedSize(in));
    };
    g.LoadFromFile(JpegFile(), rule);
    for (auto _ : state) {
        g.LoadFromFile(JpegFile(), rule);
        benchmark::DoNotOptimize(g.Image().Bits());
    }
    state.counters["scale"] = g.Scale();
}

// The reference: libpng reading the file into kept rows, in the byte order
// of a DIB row.
void BM_PngReference(benchmark::State& state) {
    std::vector<uint8_t> pixels;
    std::vector<png_bytep> rows;
    for (auto _ : state) {
        std::FILE* f = std::fopen(PngFile().c_str(), "rb");
        png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        if (setjmp(png_jmpbuf(png))) {
            state.SkipWithError("libpng");
            break;
        }
        png_init_io(png, f);
        png_read_info(png, info);
        png_set_bgr(png);
        png_read_update_info(png, info);
        const size_t stride = (png_get_rowbytes(png, info) + 3) & ~size_t(3);
        const png_uint_32 height = png_get_image_height(png, info);
        pixels.resize(stride * height);
        rows.resize(height);
        for (png_uint_32 y = 0; y < height; ++y)
            rows[y] = pixels.data() + stride * y;
        png_read_image(png, rows.data());
        png_read_end(png, nullptr);
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(f);
        benchmark::DoNotOptimize(pixels.data());
    }
}

void BM_PngFreshPicture(benchmark::State& state) {
    for (auto _ : state) {
        TPngGraphic g;
        g.LoadFromFile(PngFile());
        benchmark::DoNotOptimize(g.Image().Bits());
    }
}

void BM_PngAgain(benchmark::State& state) {
    TPngGraphic g;
    g.LoadFromFile(PngFile());
    for (auto _ : state) {
        g.LoadFromFile(PngFile());
        benchmark::DoNotOptimize(g.Image().Bits());
    }
}

BENCHMARK(BM_JpegReference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegFreshPicture)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegAgain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegFitted600x400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngReference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngFreshPicture)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngAgain)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    const char* heap = std::getenv("QM_BENCH_HEAP");
    if (heap && std::strcmp(heap, "reuse") == 0) {
        // Every block from the one heap, never given back.
        mallopt(M_MMAP_MAX, 0);
        mallopt(M_TRIM_THRESHOLD, 1 << 30);
    }
    JpegFile();
    PngFile();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
