// Decode time of 4000 x 3000 photo-like RGB and RGBA files, next to the time
// zlib alone needs to inflate the same image data: the floor any PNG decoder
// stands on. Run a build without sanitizers for figures that mean anything.
#include <benchmark/benchmark.h>

#include <zlib.h>

#include "png_test_util.h"

namespace {

struct TSample {
    TBytes File;
    TBytes Compressed;
    size_t RawSize = 0;
};

// Smooth gradients with a little noise, filtered with Paeth as photo
// encoders mostly choose.
const TSample& Sample(uint8_t colorType) {
    static TSample samples[7];
    TSample& s = samples[colorType];
    if (!s.File.empty()) return s;
    TTestImage img;
    img.Width = 4000;
    img.Height = 3000;
    img.ColorType = colorType;
    img.Depth = 8;
    const int ch = img.Channels();
    img.Samples.resize(size_t(img.Width) * img.Height * ch);
    uint32_t seed = 1;
    for (uint32_t y = 0; y < img.Height; ++y) {
        for (uint32_t x = 0; x < img.Width; ++x) {
            for (int c = 0; c < ch; ++c) {
                seed = seed * 1103515245u + 12345u;
                const uint32_t smooth = (x * (c + 1) + y * (3 - c % 3)) / 16;
                img.Samples[(size_t(y) * img.Width + x) * ch + c] =
                    static_cast<uint16_t>((smooth + ((seed >> 16) & 7)) & 255);
            }
        }
    }
    TBytes raw = FilteredImageData(img, 4);
    s.RawSize = raw.size();
    s.Compressed = ZlibCompress(raw);
    TPngBuilder b;
    b.Ihdr(img).Idat(s.Compressed, 8192).Iend();
    s.File = std::move(b.Bytes);
    return s;
}

void BM_PngDecode(benchmark::State& state) {
    const TSample& s = Sample(static_cast<uint8_t>(state.range(0)));
    for (auto _ : state) {
        TPngGraphic g;
        LoadPng(g, s.File);
        benchmark::DoNotOptimize(g.Image().Bits());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(s.RawSize));
}

void BM_InflateOnly(benchmark::State& state) {
    const TSample& s = Sample(static_cast<uint8_t>(state.range(0)));
    TBytes out(s.RawSize);
    for (auto _ : state) {
        uLongf size = static_cast<uLongf>(out.size());
        uncompress(out.data(), &size, s.Compressed.data(), static_cast<uLong>(s.Compressed.size()));
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(s.RawSize));
}

} // namespace

BENCHMARK(BM_PngDecode)->Arg(2)->Arg(6)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InflateOnly)->Arg(2)->Arg(6)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
