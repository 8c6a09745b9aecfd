#include "imageview/jpeg_graphic.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

// libjpeg's headers expect <cstdio> first and are plain C.
extern "C" {
#include <jerror.h>
#include <jpeglib.h>
}

#include "imageview/input_stream.h"

namespace {

// Data libjpeg may allocate beyond the picture itself (progressive
// coefficient buffers): a hostile header must not claim the process.
constexpr long kMaxLibraryMemory = 256L * 1024 * 1024;

struct TErrorManager {
    jpeg_error_mgr Public;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<TErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->Message);
    std::longjmp(err->Jump, 1);
}

// Warnings that mean the picture cannot be shown as it is: the data ended
// early or the entropy-coded data is damaged. These end the decode like an
// error; harmless ones (extra bytes between markers) are let through.
bool IsCorruptDataWarning(int code) {
    switch (code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
    case JWRN_BOGUS_PROGRESSION:
        return true;
    default:
        return false;
    }
}

void EmitMessage(j_common_ptr cinfo, int level) {
    if (level < 0 && IsCorruptDataWarning(cinfo->err->msg_code)) ErrorExit(cinfo);
    if (level < 0) cinfo->err->num_warnings++;
}

// No console output from a GUI program.
void OutputMessage(j_common_ptr) {}

void CmykRowToBgr(const JSAMPLE* cmyk, uint8_t* bgr, JDIMENSION width, bool inverted) {
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        bgr[0] = static_cast<uint8_t>(y * k / 255);
        bgr[1] = static_cast<uint8_t>(m * k / 255);
        bgr[2] = static_cast<uint8_t>(c * k / 255);
    }
}

// The decode proper. No object with a destructor lives in this frame, so
// the jump back from libjpeg skips nothing that needs cleaning up. Returns
// false with `message` set on failure.
struct TDecoded {
    int Width = 0, Height = 0, Scale = 1;
};

bool Decode(const uint8_t* data, size_t size, const TJpegScaleRule* scale, TDibBitmap& image,
            TDecoded& decoded, char* message) {
    jpeg_decompress_struct cinfo;
    TErrorManager err;
    cinfo.err = jpeg_std_error(&err.Public);
    err.Public.error_exit = ErrorExit;
    err.Public.emit_message = EmitMessage;
    err.Public.output_message = OutputMessage;
    err.Message[0] = '\0';
    std::vector<JSAMPLE>* volatile cmykRow = nullptr;
    if (setjmp(err.Jump)) {
        delete cmykRow;
        jpeg_destroy_decompress(&cinfo);
        std::strcpy(message, err.Message);
        image.Clear();
        return false;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = kMaxLibraryMemory;
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);

    int bitCount = 24;
    bool cmyk = false;
    switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
        cinfo.out_color_space = JCS_GRAYSCALE;
        bitCount = 8;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        cinfo.out_color_space = JCS_CMYK;
        cmyk = true;
        break;
    default:
        cinfo.out_color_space = JCS_EXT_BGR; // the byte order of a DIB row
        break;
    }
    decoded.Width = static_cast<int>(cinfo.image_width);
    decoded.Height = static_cast<int>(cinfo.image_height);
    decoded.Scale = 1;
    if (scale && *scale) {
        const int denom = (*scale)(decoded.Width, decoded.Height);
        if (denom == 2 || denom == 4 || denom == 8) {
            cinfo.scale_num = 1;
            cinfo.scale_denom = static_cast<unsigned int>(denom);
            decoded.Scale = denom;
        }
    }
    jpeg_calc_output_dimensions(&cinfo);
    // Every pixel of every row is written below, so the block of the
    // picture before serves as it is. Sizes beyond the bitmap limit are
    // refused before anything is allocated.
    if (!image.Reuse(cinfo.output_width, cinfo.output_height, bitCount)) {
        std::snprintf(err.Message, sizeof err.Message, "JPEG picture too large (%u x %u)",
                      cinfo.output_width, cinfo.output_height);
        std::longjmp(err.Jump, 1);
    }
    if (bitCount == 8) image.SetGreyPalette(256);
    jpeg_start_decompress(&cinfo);
    if (cmyk) cmykRow = new std::vector<JSAMPLE>(size_t(cinfo.output_width) * 4);

    const bool inverted = cinfo.saw_Adobe_marker;
    while (cinfo.output_scanline < cinfo.output_height) {
        const int y = static_cast<int>(cinfo.output_scanline);
        if (cmyk) {
            JSAMPROW row = cmykRow->data();
            jpeg_read_scanlines(&cinfo, &row, 1);
            CmykRowToBgr(row, image.Row(y), cinfo.output_width, inverted);
            continue;
        }
        // Several rows per call where the decoder produces them together;
        // rows go straight into the bitmap, bottom-up as it stores them.
        JSAMPROW rows[16];
        const int want = std::min<int>(16, cinfo.output_height - cinfo.output_scanline);
        for (int i = 0; i < want; ++i)
            rows[i] = image.Row(y + i);
        jpeg_read_scanlines(&cinfo, rows, want);
    }
    jpeg_finish_decompress(&cinfo);
    delete cmykRow;
    jpeg_destroy_decompress(&cinfo);
    return true;
}

} // namespace

void TJpegGraphic::LoadFromMemory(const void* data, size_t size, const TJpegScaleRule& scale) {
    char message[JMSG_LENGTH_MAX];
    TDecoded decoded;
    if (!Decode(static_cast<const uint8_t*>(data), size, &scale, FImage, decoded, message)) {
        FWidth = FHeight = 0;
        FScale = 1;
        throw EJpegError(std::string("JPEG error: ") + message);
    }
    FWidth = decoded.Width;
    FHeight = decoded.Height;
    FScale = decoded.Scale;
}

void TJpegGraphic::LoadFromFile(const std::string& path, const TJpegScaleRule& scale) {
    std::unique_ptr<TFileInputStream> opened;
    try {
        opened = std::make_unique<TFileInputStream>(path);
    } catch (...) {
        FImage.Clear();
        FWidth = FHeight = 0;
        FScale = 1;
        throw;
    }
    TFileInputStream& stream = *opened;
    // Read straight into the buffer the file before left, grown as needed.
    size_t used = 0;
    for (;;) {
        if (FFile.size() - used < 64 * 1024) FFile.resize(std::max<size_t>(FFile.size() * 2, used + 64 * 1024));
        const size_t n = stream.Read(FFile.data() + used, FFile.size() - used);
        if (n == 0) break;
        used += n;
    }
    LoadFromMemory(FFile.data(), used, scale);
}
