// The baseline the picture benchmarks measure our JPEG loading against:
// libjpeg-turbo decoding a whole file into 24-bit rows (4-byte aligned, as a
// DIB has them) in buffers the caller keeps between calls.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

inline bool DecodeWithLibjpeg(const std::string& path, std::vector<std::uint8_t>& file,
                              std::vector<std::uint8_t>& pixels) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::fseek(f, 0, SEEK_END);
    file.resize(static_cast<std::size_t>(std::ftell(f)));
    std::fseek(f, 0, SEEK_SET);
    const bool read = std::fread(file.data(), 1, file.size(), f) == file.size();
    std::fclose(f);
    if (!read) return false;
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&cinfo);
    const std::size_t stride = (std::size_t(cinfo.output_width) * 3 + 3) & ~std::size_t(3);
    pixels.resize(stride * cinfo.output_height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rows[16];
        const int want = std::min<int>(16, cinfo.output_height - cinfo.output_scanline);
        for (int i = 0; i < want; ++i) rows[i] = pixels.data() + stride * (cinfo.output_scanline + i);
        jpeg_read_scanlines(&cinfo, rows, want);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}
