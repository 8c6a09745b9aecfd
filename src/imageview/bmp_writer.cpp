#include "imageview/bmp_writer.h"

#include <cstdio>
#include <memory>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

} // namespace

std::vector<uint8_t> EncodeBmp(const TDibBitmap& bitmap) {
    std::vector<uint8_t> out;
    if (bitmap.Empty()) return out;
    const uint32_t paletteBytes = static_cast<uint32_t>(bitmap.Palette().size() * 4);
    const uint32_t offset = 14 + 40 + paletteBytes;
    const uint32_t imageBytes = static_cast<uint32_t>(bitmap.ImageSize());
    out.reserve(offset + imageBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + imageBytes);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(bitmap.Width()));
    Put32(out, static_cast<uint32_t>(bitmap.Height())); // positive: bottom-up rows
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bitmap.BitCount()));
    Put32(out, 0); // BI_RGB
    Put32(out, imageBytes);
    Put32(out, 2835); // 72 dpi
    Put32(out, 2835);
    Put32(out, static_cast<uint32_t>(bitmap.Palette().size()));
    Put32(out, 0);
    for (const TRgbQuad& q : bitmap.Palette()) {
        out.push_back(q.Blue);
        out.push_back(q.Green);
        out.push_back(q.Red);
        out.push_back(0);
    }
    out.insert(out.end(), bitmap.Bits(), bitmap.Bits() + imageBytes);
    return out;
}

bool SaveBmpFile(const TDibBitmap& bitmap, const std::string& path) {
    const std::vector<uint8_t> data = EncodeBmp(bitmap);
    if (data.empty()) return false;
    struct TCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, TCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) return false;
    if (std::fwrite(data.data(), 1, data.size(), file.get()) != data.size()) return false;
    return std::fflush(file.get()) == 0;
}
