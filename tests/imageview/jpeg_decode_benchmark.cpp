// Decode time of a 4000 x 3000 photo-like JPEG through our picture class
// (rows straight into the DIB), next to plain libjpeg decoding the same
// bytes into one RGB buffer. Run a build without sanitizers.
#include <benchmark/benchmark.h>

#include <vector>

extern "C" {
#include <jpeglib.h>
}

#include "imageview/jpeg_graphic.h"
#include "picture_test_writer.h"

namespace {
const TPictureBytes& Photo() {
    static TPictureBytes file;
    if (!file.empty()) return file;
    TJpegSpec s;
    s.Width = 4000;
    s.Height = 3000;
    s.Quality = 90;
    s.Sample = [](int x, int y, int c) {
        const uint32_t noise = (uint32_t(x) * 2654435761u ^ uint32_t(y) * 40503u) >> 29;
        return static_cast<uint8_t>(((x * (c + 1) + y * (3 - c)) / 16 + noise) & 255);
    };
    file = WriteJpeg(s);
    return file;
}

void BM_JpegPictureClass(benchmark::State& state) {
    const TPictureBytes& f = Photo();
    for (auto _ : state) {
        TJpegGraphic g;
        g.LoadFromMemory(f.data(), f.size());
        benchmark::DoNotOptimize(g.Image().Bits());
    }
}

void BM_JpegPlainLibjpeg(benchmark::State& state) {
    const TPictureBytes& f = Photo();
    for (auto _ : state) {
        jpeg_decompress_struct cinfo;
        jpeg_error_mgr jerr;
        cinfo.err = jpeg_std_error(&jerr);
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, f.data(), static_cast<unsigned long>(f.size()));
        jpeg_read_header(&cinfo, TRUE);
        jpeg_start_decompress(&cinfo);
        const size_t stride = size_t(cinfo.output_width) * cinfo.output_components;
        std::vector<uint8_t> pixels(stride * cinfo.output_height);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = pixels.data() + stride * cinfo.output_scanline;
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        benchmark::DoNotOptimize(pixels.data());
    }
}
} // namespace

BENCHMARK(BM_JpegPictureClass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegPlainLibjpeg)->Unit(benchmark::kMillisecond);
