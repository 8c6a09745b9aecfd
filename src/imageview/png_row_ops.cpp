#include "imageview/png_row_ops.h"

#include <cstdlib>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#if defined(__GNUC__)
#include <smmintrin.h>
#define QM_PAETH_SSE41 1
#endif
#endif

namespace {

// Paeth predictor written so the compiler picks with conditional moves:
// photographs make the choice between the neighbours unpredictable, and a
// mispredicted branch per byte costs more than the whole computation.
inline int Paeth(int a, int b, int c) {
    int pa = b - c;
    int pb = a - c;
    int pc = pa + pb;
    pa = pa < 0 ? -pa : pa;
    pb = pb < 0 ? -pb : pb;
    pc = pc < 0 ? -pc : pc;
    const int best = pb < pa ? b : a;
    const int nearest = pb < pa ? pb : pa;
    return pc < nearest ? c : best;
}

// Paeth with the left and upper-left bytes of each channel held in locals
// instead of re-read from memory. Rows are whole pixels long.
template <size_t Unit> void UnpaethRow(uint8_t* row, const uint8_t* prior, size_t length) {
    const size_t head = Unit < length ? Unit : length;
    int left[Unit] = {}, upperLeft[Unit] = {};
    for (size_t k = 0; k < head; ++k) {
        row[k] = static_cast<uint8_t>(row[k] + prior[k]);
        left[k] = row[k];
        upperLeft[k] = prior[k];
    }
    for (size_t i = Unit; i + Unit <= length; i += Unit) {
        for (size_t k = 0; k < Unit; ++k) {
            const int up = prior[i + k];
            const int v = (row[i + k] + Paeth(left[k], up, upperLeft[k])) & 0xFF;
            row[i + k] = static_cast<uint8_t>(v);
            left[k] = v;
            upperLeft[k] = up;
        }
    }
}

#if defined(__SSE2__)
// Paeth for 3- and 4-byte pixels with the channels side by side in 16-bit
// lanes: one dependency chain per pixel instead of one per byte.
inline __m128i Abs16(__m128i v) {
    return _mm_max_epi16(v, _mm_sub_epi16(_mm_setzero_si128(), v));
}

inline __m128i Select(__m128i mask, __m128i yes, __m128i no) {
    return _mm_or_si128(_mm_and_si128(mask, yes), _mm_andnot_si128(mask, no));
}

// One pixel of Paeth; `a` and `c` carry the left and upper-left pixels.
inline __m128i UnpaethPixel(uint32_t raw, uint32_t up, __m128i& a, __m128i& c) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i b = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(up)), zero);
    const __m128i x = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(raw)), zero);
    __m128i pa = _mm_sub_epi16(b, c);
    __m128i pb = _mm_sub_epi16(a, c);
    const __m128i pc = Abs16(_mm_add_epi16(pa, pb));
    pa = Abs16(pa);
    pb = Abs16(pb);
    const __m128i smallest = _mm_min_epi16(pc, _mm_min_epi16(pa, pb));
    const __m128i nearest =
        Select(_mm_cmpeq_epi16(smallest, pa), a, Select(_mm_cmpeq_epi16(smallest, pb), b, c));
    // Byte-wise add: the sum wraps within the low byte and the high bytes
    // stay zero, one step less on the chain from pixel to pixel.
    a = _mm_add_epi8(x, nearest);
    c = b;
    return _mm_packus_epi16(a, a);
}

template <size_t Unit, class Pixel>
inline void UnpaethPixels(uint8_t* row, const uint8_t* prior, size_t length, Pixel pixel) {
    static_assert(Unit == 3 || Unit == 4, "pixels of 3 or 4 bytes");
    __m128i a = _mm_setzero_si128(), c = _mm_setzero_si128();
    size_t i = 0;
    // Whole 4-byte loads while the row has a byte to spare; for 3-byte
    // pixels the extra byte lands in a lane that is never stored.
    for (; i + 4 <= length; i += Unit) {
        uint32_t up, raw, out;
        std::memcpy(&up, prior + i, 4);
        std::memcpy(&raw, row + i, 4);
        out = static_cast<uint32_t>(_mm_cvtsi128_si32(pixel(raw, up, a, c)));
        std::memcpy(row + i, &out, Unit);
    }
    if (i + Unit <= length) {
        uint32_t up = 0, raw = 0, out;
        std::memcpy(&up, prior + i, Unit);
        std::memcpy(&raw, row + i, Unit);
        out = static_cast<uint32_t>(_mm_cvtsi128_si32(pixel(raw, up, a, c)));
        std::memcpy(row + i, &out, Unit);
    }
}

#if defined(QM_PAETH_SSE41)
// The same pixel where the processor has SSE4.1 (nearly every one the
// program meets): absolute values and choices in one instruction each, so
// the chain from one pixel to the next, which sets the pace, is shorter.
__attribute__((target("sse4.1"))) inline __m128i UnpaethPixel41(uint32_t raw, uint32_t up,
                                                                  __m128i& a, __m128i& c) {
    const __m128i b = _mm_cvtepu8_epi16(_mm_cvtsi32_si128(static_cast<int>(up)));
    const __m128i x = _mm_cvtepu8_epi16(_mm_cvtsi32_si128(static_cast<int>(raw)));
    const __m128i bc = _mm_sub_epi16(b, c);
    const __m128i ac = _mm_sub_epi16(a, c);
    const __m128i pa = _mm_abs_epi16(bc);
    const __m128i pb = _mm_abs_epi16(ac);
    const __m128i pc = _mm_abs_epi16(_mm_add_epi16(bc, ac));
    const __m128i smallest = _mm_min_epi16(pc, _mm_min_epi16(pa, pb));
    const __m128i bOrC = _mm_blendv_epi8(c, b, _mm_cmpeq_epi16(smallest, pb));
    const __m128i nearest = _mm_blendv_epi8(bOrC, a, _mm_cmpeq_epi16(smallest, pa));
    a = _mm_add_epi8(x, nearest);
    c = b;
    return _mm_packus_epi16(a, a);
}

template <size_t Unit>
__attribute__((target("sse4.1"))) void UnpaethRow41(uint8_t* row, const uint8_t* prior, size_t length) {
    UnpaethPixels<Unit>(row, prior, length, UnpaethPixel41);
}

bool HasSse41() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("sse4.1");
}
const bool kSse41 = HasSse41();
bool g_sse41 = kSse41;
#endif

template <size_t Unit> void UnpaethColour(uint8_t* row, const uint8_t* prior, size_t length) {
#if defined(QM_PAETH_SSE41)
    if (g_sse41) {
        UnpaethRow41<Unit>(row, prior, length);
        return;
    }
#endif
    UnpaethPixels<Unit>(row, prior, length, UnpaethPixel);
}

template <> void UnpaethRow<3>(uint8_t* row, const uint8_t* prior, size_t length) {
    UnpaethColour<3>(row, prior, length);
}

template <> void UnpaethRow<4>(uint8_t* row, const uint8_t* prior, size_t length) {
    UnpaethColour<4>(row, prior, length);
}
#endif

// The filters run over whole bytes; `unit` is small, so letting the compiler
// see it as a constant for the common pixel sizes pays off.
template <size_t Unit>
void UnfilterFixed(uint8_t type, uint8_t* row, const uint8_t* prior, size_t length) {
    switch (type) {
    case 1:
        for (size_t i = Unit; i < length; ++i)
            row[i] = static_cast<uint8_t>(row[i] + row[i - Unit]);
        break;
    case 2:
        for (size_t i = 0; i < length; ++i)
            row[i] = static_cast<uint8_t>(row[i] + prior[i]);
        break;
    case 3: {
        size_t head = Unit < length ? Unit : length;
        for (size_t i = 0; i < head; ++i)
            row[i] = static_cast<uint8_t>(row[i] + (prior[i] >> 1));
        for (size_t i = Unit; i < length; ++i)
            row[i] = static_cast<uint8_t>(row[i] + ((row[i - Unit] + prior[i]) >> 1));
        break;
    }
    case 4:
        UnpaethRow<Unit>(row, prior, length);
        break;
    default:
        break;
    }
}

} // namespace

bool PngUseFastPaeth(bool allowed) {
#if defined(QM_PAETH_SSE41)
    g_sse41 = allowed && kSse41;
    return g_sse41;
#else
    (void)allowed;
    return false;
#endif
}

bool PngUnfilterRow(uint8_t type, uint8_t* row, const uint8_t* prior, size_t length, size_t unit) {
    if (type > 4) return false;
    if (type == 0) return true;
    switch (unit) {
    case 1:
        UnfilterFixed<1>(type, row, prior, length);
        break;
    case 2:
        UnfilterFixed<2>(type, row, prior, length);
        break;
    case 3:
        UnfilterFixed<3>(type, row, prior, length);
        break;
    case 4:
        UnfilterFixed<4>(type, row, prior, length);
        break;
    case 6:
        UnfilterFixed<6>(type, row, prior, length);
        break;
    case 8:
        UnfilterFixed<8>(type, row, prior, length);
        break;
    default:
        return false;
    }
    return true;
}

void PngConvertRow(const TPngHeader& header, const uint8_t* s, uint32_t count, uint8_t* d,
                   uint8_t* alpha) {
    const bool wide = header.BitDepth == 16;
    if (header.ColorModel == pcmRgb) {
        const size_t step = (header.HasAlpha ? 4u : 3u) * (wide ? 2u : 1u);
        const size_t g = wide ? 2 : 1, b = wide ? 4 : 2, a = wide ? 6 : 3;
        for (uint32_t i = 0; i < count; ++i, s += step, d += 3) {
            d[0] = s[b];
            d[1] = s[g];
            d[2] = s[0];
        }
        if (header.HasAlpha) {
            s -= step * count;
            for (uint32_t i = 0; i < count; ++i, s += step)
                alpha[i] = static_cast<uint8_t>(255 - s[a]);
        }
        return;
    }
    if (header.HasAlpha) { // grey + alpha, 8 or 16 bits
        const size_t step = wide ? 4 : 2, a = wide ? 2 : 1;
        for (uint32_t i = 0; i < count; ++i, s += step) {
            d[i] = s[0];
            alpha[i] = static_cast<uint8_t>(255 - s[a]);
        }
        return;
    }
    if (wide) { // grey 16
        for (uint32_t i = 0; i < count; ++i)
            d[i] = s[2 * i];
        return;
    }
    if (header.BitDepth == 2) {
        // Four 2-bit samples per byte become two bytes of two 4-bit indices.
        const uint32_t outBytes = (count + 1) / 2;
        for (uint32_t o = 0; o < outBytes; ++o) {
            uint8_t v = s[o >> 1];
            if (o & 1) v = static_cast<uint8_t>(v << 4);
            d[o] = static_cast<uint8_t>(((v >> 2) & 0x30) | ((v >> 4) & 0x03));
        }
        return;
    }
    std::memcpy(d, s, (static_cast<size_t>(count) * header.BitDepth + 7) / 8);
}

void PngPlacePixels(int bitCount, const uint8_t* s, uint32_t count, uint8_t* t, uint32_t first,
                    uint32_t step) {
    size_t x = first;
    switch (bitCount) {
    case 1:
        for (uint32_t i = 0; i < count; ++i, x += step) {
            uint8_t bit = (s[i >> 3] >> (7 - (i & 7))) & 1;
            uint8_t mask = static_cast<uint8_t>(0x80 >> (x & 7));
            t[x >> 3] = static_cast<uint8_t>(bit ? (t[x >> 3] | mask) : (t[x >> 3] & ~mask));
        }
        break;
    case 4:
        for (uint32_t i = 0; i < count; ++i, x += step) {
            uint8_t v = (i & 1) ? (s[i >> 1] & 0x0F) : (s[i >> 1] >> 4);
            uint8_t& cell = t[x >> 1];
            cell = (x & 1) ? static_cast<uint8_t>((cell & 0xF0) | v)
                           : static_cast<uint8_t>((cell & 0x0F) | (v << 4));
        }
        break;
    case 8:
        for (uint32_t i = 0; i < count; ++i, x += step)
            t[x] = s[i];
        break;
    case 24:
        for (uint32_t i = 0; i < count; ++i, x += step) {
            t[3 * x] = s[3 * i];
            t[3 * x + 1] = s[3 * i + 1];
            t[3 * x + 2] = s[3 * i + 2];
        }
        break;
    default:
        break;
    }
}
