#include "imageview/png_image_decoder.h"

#include <cstring>
#include <new>
#include <vector>

#include "imageview/png_error.h"
#include "imageview/png_row_ops.h"

namespace {

// The seven Adam7 passes: first column, first row, column step, row step.
constexpr uint32_t kAdam7[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                   {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

uint32_t PassExtent(uint32_t size, uint32_t first, uint32_t step) {
    return size > first ? (size - first + step - 1) / step : 0;
}

// Longest unfiltered row accepted: 8 million RGBA pixels at 16 bits. Two
// such rows are held (zeroed) at once, beside the bitmap, so a header that
// claims an absurd width must not get further.
constexpr uint64_t kMaxRowBytes = 64 * 1024 * 1024;

// Bytes of one unfiltered row of `pixels` pixels.
size_t RawRowBytes(const TPngHeader& h, uint32_t pixels) {
    uint64_t bits = static_cast<uint64_t>(pixels) * static_cast<uint64_t>(h.BitsPerPixel());
    uint64_t bytes = (bits + 7) / 8;
    if (bytes > kMaxRowBytes) throw EPngError(png_msg::kReadError);
    return static_cast<size_t>(bytes);
}

[[noreturn]] void ReadError() {
    throw EPngError(png_msg::kReadError);
}

} // namespace

TPngImageDecoder::TPngImageDecoder(const TPngHeader& header, TZlibInflater& inflater,
                                   TDibBitmap& image, TDibBitmap* alpha, TProgress progress)
    : FHeader(header), FInflater(inflater), FImage(image), FAlpha(alpha),
      FProgress(std::move(progress)) {}

void TPngImageDecoder::Run() {
    if (FImage.Empty() || static_cast<uint32_t>(FImage.Width()) != FHeader.Width ||
        static_cast<uint32_t>(FImage.Height()) != FHeader.Height ||
        (FHeader.HasAlpha && (FAlpha == nullptr || FAlpha->Empty())))
        ReadError();
    FTotalRows = 0;
    FRowsDone = 0;
    FLastPercent = -1;
    try {
        if (FHeader.Interlace == 1) {
            for (const auto& p : kAdam7) {
                if (PassExtent(FHeader.Width, p[0], p[2]) != 0)
                    FTotalRows += PassExtent(FHeader.Height, p[1], p[3]);
            }
            for (const auto& p : kAdam7)
                DecodePass(TPass{p[0], p[1], p[2], p[3]}, true);
        } else {
            FTotalRows = FHeader.Height;
            DecodePass(TPass{0, 0, 1, 1}, false);
        }
    } catch (const std::bad_alloc&) {
        ReadError();
    }
}

void TPngImageDecoder::DecodePass(const TPass& pass, bool interlaced) {
    const uint32_t width = PassExtent(FHeader.Width, pass.X0, pass.DX);
    const uint32_t height = PassExtent(FHeader.Height, pass.Y0, pass.DY);
    // An empty pass has no rows in the data at all, not even filter bytes.
    if (width == 0 || height == 0) return;
    const size_t length = RawRowBytes(FHeader, width);
    const size_t unit = static_cast<size_t>(FHeader.FilterUnit());
    const int bitCount = FImage.BitCount();

    // Each buffer holds the filter byte followed by the row.
    std::vector<uint8_t> current(length + 1), prior(length + 1, 0);
    std::vector<uint8_t> packed, packedAlpha;
    if (interlaced) {
        packed.resize(FImage.Stride());
        if (FAlpha) packedAlpha.resize(width);
    }
    for (uint32_t r = 0; r < height; ++r) {
        const int y = static_cast<int>(pass.Y0 + r * pass.DY);
        if (!FInflater.Inflate(current.data(), length + 1)) ReadError();
        if (!PngUnfilterRow(current[0], current.data() + 1, prior.data() + 1, length, unit))
            ReadError();
        if (interlaced) {
            PngConvertRow(FHeader, current.data() + 1, width, packed.data(),
                          FAlpha ? packedAlpha.data() : nullptr);
            PngPlacePixels(bitCount, packed.data(), width, FImage.Row(y), pass.X0, pass.DX);
            if (FAlpha)
                PngPlacePixels(8, packedAlpha.data(), width, FAlpha->Row(y), pass.X0, pass.DX);
        } else {
            PngConvertRow(FHeader, current.data() + 1, width, FImage.Row(y),
                          FAlpha ? FAlpha->Row(y) : nullptr);
        }
        current.swap(prior);
        RowDone();
    }
}

void TPngImageDecoder::RowDone() {
    ++FRowsDone;
    if (!FProgress || FTotalRows == 0) return;
    int percent = static_cast<int>(FRowsDone * 100 / FTotalRows);
    if (percent != FLastPercent) {
        FLastPercent = percent;
        FProgress(percent);
    }
}
