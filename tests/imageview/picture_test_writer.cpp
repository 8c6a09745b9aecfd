#include "picture_test_writer.h"

#include <cstdio>
#include <cstdlib>
#include <map>

extern "C" {
#include <jpeglib.h>
}

TPictureBytes WriteJpeg(const TJpegSpec& spec) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = spec.Width;
    cinfo.image_height = spec.Height;
    cinfo.input_components = spec.Components;
    cinfo.in_color_space = spec.Components == 1   ? JCS_GRAYSCALE
                           : spec.Components == 4 ? JCS_CMYK
                                                  : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, spec.Quality, TRUE);
    if (spec.Progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(size_t(spec.Width) * spec.Components);
    for (int y = 0; y < spec.Height; ++y) {
        for (int x = 0; x < spec.Width; ++x)
            for (int c = 0; c < spec.Components; ++c)
                row[size_t(x) * spec.Components + c] = spec.Sample(x, y, c);
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&cinfo, &p, 1);
    }
    jpeg_finish_compress(&cinfo);
    TPictureBytes out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

bool PlainJpegDecode(const TPictureBytes& data, int& width, int& height, int& components,
                     std::vector<uint8_t>& pixels, int scale) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.scale_num = 1;
    cinfo.scale_denom = static_cast<unsigned int>(scale);
    jpeg_start_decompress(&cinfo);
    width = cinfo.output_width;
    height = cinfo.output_height;
    components = cinfo.output_components;
    pixels.resize(size_t(width) * height * components);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW p = pixels.data() + size_t(cinfo.output_scanline) * width * components;
        jpeg_read_scanlines(&cinfo, &p, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

namespace {
class TBitWriter {
public:
    explicit TBitWriter(TPictureBytes& out) : out_(out) {}
    void Put(int code, int size) {
        acc_ |= uint32_t(code) << bits_;
        bits_ += size;
        while (bits_ >= 8) {
            Byte(acc_ & 0xFF);
            acc_ >>= 8;
            bits_ -= 8;
        }
    }
    void Finish() {
        if (bits_ > 0) Byte(acc_ & 0xFF);
        if (!block_.empty()) Flush();
        out_.push_back(0);
    }

private:
    void Byte(uint8_t b) {
        block_.push_back(b);
        if (block_.size() == 255) Flush();
    }
    void Flush() {
        out_.push_back(static_cast<uint8_t>(block_.size()));
        out_.insert(out_.end(), block_.begin(), block_.end());
        block_.clear();
    }
    TPictureBytes& out_;
    std::vector<uint8_t> block_;
    uint32_t acc_ = 0;
    int bits_ = 0;
};

void Word(TPictureBytes& out, int v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

int TableBits(size_t entries) {
    int n = 0;
    while ((size_t(2) << n) < entries)
        ++n;
    return n;
}

void Table(TPictureBytes& out, const std::vector<uint8_t>& rgb) {
    const size_t entries = size_t(2) << TableBits(rgb.size() / 3);
    out.insert(out.end(), rgb.begin(), rgb.end());
    out.insert(out.end(), entries * 3 - rgb.size(), 0);
}
} // namespace

TPictureBytes WriteGif(const TGifSpec& s) {
    TPictureBytes out = {'G', 'I', 'F', '8', '9', 'a'};
    Word(out, s.ScreenWidth);
    Word(out, s.ScreenHeight);
    out.push_back(
        s.GlobalTable.empty() ? 0 : uint8_t(0x80 | 0x70 | TableBits(s.GlobalTable.size() / 3)));
    out.push_back(static_cast<uint8_t>(s.Background));
    out.push_back(0);
    if (!s.GlobalTable.empty()) Table(out, s.GlobalTable);
    // A comment extension the reader must skip.
    for (int b : {0x21, 0xFE, 3, int('q'), int('m'), int('!'), 0})
        out.push_back(static_cast<uint8_t>(b));
    if (s.Transparent >= 0) {
        for (int b : {0x21, 0xF9, 4, 1, 0, 0})
            out.push_back(static_cast<uint8_t>(b));
        out.push_back(static_cast<uint8_t>(s.Transparent));
        out.push_back(0);
    }
    out.push_back(0x2C);
    Word(out, s.Left);
    Word(out, s.Top);
    Word(out, s.Width);
    Word(out, s.Height);
    uint8_t packed = s.Interlaced ? 0x40 : 0;
    if (!s.LocalTable.empty()) packed |= 0x80 | TableBits(s.LocalTable.size() / 3);
    out.push_back(packed);
    if (!s.LocalTable.empty()) Table(out, s.LocalTable);
    out.push_back(static_cast<uint8_t>(s.MinCodeSize));

    // Rows in file order.
    std::vector<uint8_t> data;
    if (s.Interlaced) {
        const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
        for (int p = 0; p < 4; ++p)
            for (int y = start[p]; y < s.Height; y += step[p])
                data.insert(data.end(), s.Pixels.begin() + size_t(y) * s.Width,
                            s.Pixels.begin() + size_t(y + 1) * s.Width);
    } else {
        data = s.Pixels;
    }

    // A plain LZW encoder with a map of (prefix code, byte) to code.
    TBitWriter bits(out);
    const int clear = 1 << s.MinCodeSize, end = clear + 1;
    int codeSize = s.MinCodeSize + 1, next = clear + 2;
    std::map<std::pair<int, int>, int> dict;
    bits.Put(clear, codeSize);
    int prefix = -1;
    for (uint8_t b : data) {
        if (prefix < 0) {
            prefix = b;
            continue;
        }
        auto it = dict.find({prefix, b});
        if (it != dict.end()) {
            prefix = it->second;
            continue;
        }
        bits.Put(prefix, codeSize);
        if (next < 4096) {
            dict[{prefix, b}] = next++;
            if (next > (1 << codeSize) && codeSize < 12) ++codeSize;
        } else if (!s.NoClearWhenFull) {
            bits.Put(clear, codeSize);
            dict.clear();
            codeSize = s.MinCodeSize + 1;
            next = clear + 2;
        }
        prefix = b;
    }
    if (prefix >= 0) bits.Put(prefix, codeSize);
    bits.Put(end, codeSize);
    bits.Finish();
    out.push_back(0x3B);
    return out;
}
