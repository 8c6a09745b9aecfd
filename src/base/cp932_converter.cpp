#include "base/cp932_converter.h"

#include <cstdint>
#include <cstring>

#include "base/cp932_tables.h"
#include "base/jis_codes.h"

namespace {

inline void PutPacked(char*& out, std::uint16_t v) {
    out[0] = static_cast<char>(v & 0xFF);
    out[1] = static_cast<char>(v >> 8);
    out += 1 + (v > 0xFF);
}

inline void PutSubstitute(char*& out) { PutPacked(out, kCp932Substitute); }

inline void PutUnicode(char*& out, std::uint32_t cp) {
    PutPacked(out, cp < 0x10000 ? Cp932FromUnicode(cp) : kCp932Substitute);
}

// CP932 of every JIS X 0208 row and cell (index (row - 1) * 94 + cell - 1),
// packed as PutPacked writes it; the substitute where CP932 has nothing.
struct JisTable {
    std::uint16_t code[94 * 94];
    JisTable() {
        for (unsigned row = 1; row <= 94; ++row) {
            for (unsigned cell = 1; cell <= 94; ++cell) {
                const SjisPair p = JisToSjis(row, cell);
                code[(row - 1) * 94 + cell - 1] = Cp932Defined(p.lead, p.trail)
                                                      ? static_cast<std::uint16_t>(p.lead | p.trail << 8)
                                                      : kCp932Substitute;
            }
        }
    }
};
const JisTable kJis;

// A JIS X 0208 character from its two bytes, each 0x21..0x7E.
inline void PutJis(char*& out, unsigned first, unsigned second) {
    PutPacked(out, kJis.code[(first - 0x21) * 94 + second - 0x21]);
}

// Copies the run of ASCII text at in[0, n) up to the first byte that is a
// control character or has the high bit set, eight bytes at a time; answers
// the bytes copied. `out` has room for eight bytes more than the run.
inline std::size_t CopyPlainRun(const unsigned char* in, std::size_t n, char*& out) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kHigh = 0x8080808080808080ull;
    std::size_t i = 0;
    while (i + 8 <= n) {
        std::uint64_t w;
        std::memcpy(&w, in + i, 8);
        std::memcpy(out, &w, 8);
        // Bytes below 0x20 or from 0x80 up; the lowest mark is exact.
        const std::uint64_t stop = (((w - kOnes * 0x20) & ~w) | w) & kHigh;
        if (stop) {
            const std::size_t k = static_cast<std::size_t>(__builtin_ctzll(stop)) / 8;
            out += k;
            return i + k;
        }
        out += 8;
        i += 8;
    }
    return i;
}

} // namespace

std::size_t TCp932Converter::Convert(const char* in, std::size_t n, char* out) {
    char* o = out;
    auto* s = reinterpret_cast<const unsigned char*>(in);
    if (carried_ > 0) {
        // Finish the waiting character with the first bytes of this piece.
        unsigned char joined[sizeof carry_ + 8];
        const std::size_t take = n < 8 ? n : 8;
        std::memcpy(joined, carry_, carried_);
        std::memcpy(joined + carried_, s, take);
        const std::size_t used = Step(joined, carried_ + take, o);
        if (used < carried_) {
            // Still not whole: this piece was shorter than the character.
            const std::size_t left = carried_ + take - used;
            std::memmove(carry_, joined + used, left);
            carried_ = left;
            return static_cast<std::size_t>(o - out);
        }
        s += used - carried_;
        n -= used - carried_;
        carried_ = 0;
    }
    const std::size_t used = Step(s, n, o);
    carried_ = n - used;
    std::memcpy(carry_, s + used, carried_);
    return static_cast<std::size_t>(o - out);
}

std::size_t TCp932Converter::Finish(char* out) {
    if (carried_ == 0) return 0;
    carried_ = 0;
    char* o = out;
    PutSubstitute(o);
    return static_cast<std::size_t>(o - out);
}

std::size_t TCp932Converter::Step(const unsigned char* in, std::size_t n, char*& out) {
    switch (encoding_) {
    case teUtf8: return StepUtf8(in, n, out);
    case teUtf16Le: return StepUtf16(in, n, out, false);
    case teUtf16Be: return StepUtf16(in, n, out, true);
    case teEucJp: return StepEucJp(in, n, out);
    case teJis: return StepJis(in, n, out);
    case teShiftJis: break;
    }
    std::memcpy(out, in, n);
    out += n;
    return n;
}

std::size_t TCp932Converter::StepUtf8(const unsigned char* in, std::size_t n, char*& out) {
    std::size_t i = 0;
    if (at_start_) {
        static const unsigned char kBom[3] = {0xEF, 0xBB, 0xBF};
        const std::size_t have = n < 3 ? n : 3;
        if (std::memcmp(in, kBom, have) == 0) {
            if (have < 3) return 0;  // may yet be a byte-order mark
            i = 3;
        }
        at_start_ = false;
    }
    char* o = out;
    while (i < n) {
        unsigned b = in[i];
        if (b < 0x80) {
            if (b >= 0x20) i += CopyPlainRun(in + i, n - i, o);
            if (i < n && in[i] < 0x80) {
                *o++ = static_cast<char>(in[i]);
                ++i;
            }
            continue;
        }
        // Kana and kanji: three bytes with no special range for the second.
        while (b >= 0xE1 && b <= 0xEF && b != 0xED && i + 2 < n) {
            const unsigned c1 = in[i + 1], c2 = in[i + 2];
            if (((c1 ^ 0x80) | (c2 ^ 0x80)) >= 0x40) break;
            PutPacked(o, Cp932FromUnicode((b & 0x0F) << 12 | (c1 & 0x3F) << 6 | (c2 & 0x3F)));
            i += 3;
            if (i >= n) break;
            b = in[i];
        }
        if (i >= n || b < 0x80) continue;
        std::size_t need;
        unsigned lo = 0x80, hi = 0xBF;
        std::uint32_t cp;
        if (b >= 0xC2 && b <= 0xDF) {
            need = 1;
            cp = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            need = 2;
            cp = b & 0x0F;
            if (b == 0xE0) lo = 0xA0;  // no overlong forms
            if (b == 0xED) hi = 0x9F;  // no surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
            need = 3;
            cp = b & 0x07;
            if (b == 0xF0) lo = 0x90;
            if (b == 0xF4) hi = 0x8F;  // nothing past U+10FFFF
        } else {
            PutSubstitute(o);
            ++i;
            continue;
        }
        std::size_t k = 1;
        for (; k <= need; ++k) {
            if (i + k >= n) {
                out = o;
                return i;  // well-formed so far: the rest comes later
            }
            const unsigned c = in[i + k];
            if (c < lo || c > hi) break;
            lo = 0x80;
            hi = 0xBF;
            cp = cp << 6 | (c & 0x3F);
        }
        if (k <= need) {
            // One substitute for the well-formed start; the byte that broke
            // it is read again on its own.
            PutSubstitute(o);
            i += k;
            continue;
        }
        PutUnicode(o, cp);
        i += need + 1;
    }
    out = o;
    return i;
}

std::size_t TCp932Converter::StepUtf16(const unsigned char* in, std::size_t n, char*& out,
                                       bool big_endian) {
    const unsigned hi_byte = big_endian ? 0 : 1;
    auto unit = [&](std::size_t at) -> unsigned {
        return static_cast<unsigned>(in[at + hi_byte]) << 8 | in[at + (hi_byte ^ 1)];
    };
    std::size_t i = 0;
    if (at_start_) {
        if (n < 2) return 0;
        if (unit(0) == 0xFEFF) i = 2;
        at_start_ = false;
    }
    char* o = out;
    for (; i + 1 < n; i += 2) {
        const unsigned u = unit(i);
        if (u < 0x80) {
            *o++ = static_cast<char>(u);  // NUL too: a character like any other here
        } else if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 3 >= n) break;  // the low half comes later
            const unsigned low = unit(i + 2);
            PutSubstitute(o);        // CP932 has nothing outside the first plane
            if (low >= 0xDC00 && low <= 0xDFFF) i += 2;
        } else if (u >= 0xDC00 && u <= 0xDFFF) {
            PutSubstitute(o);
        } else {
            PutPacked(o, Cp932FromUnicode(u));
        }
    }
    out = o;
    return i;
}

std::size_t TCp932Converter::StepEucJp(const unsigned char* in, std::size_t n, char*& out) {
    char* o = out;
    std::size_t i = 0;
    while (i < n) {
        unsigned b = in[i];
        if (b < 0x80) {
            if (b >= 0x20) i += CopyPlainRun(in + i, n - i, o);
            if (i < n && in[i] < 0x80) {
                *o++ = static_cast<char>(in[i]);
                ++i;
            }
            continue;
        }
        // Runs of JIS X 0208 characters.
        while (b >= 0xA1 && b <= 0xFE && i + 1 < n && in[i + 1] >= 0xA1 && in[i + 1] <= 0xFE) {
            PutJis(o, b - 0x80, in[i + 1] - 0x80u);
            i += 2;
            if (i >= n) break;
            b = in[i];
        }
        if (i >= n || b < 0x80) continue;
        if (b == 0x8E || (b >= 0xA1 && b <= 0xFE)) {
            if (i + 1 >= n) break;
            const unsigned c = in[i + 1];
            if (b == 0x8E && c >= 0xA1 && c <= 0xDF) {
                *o++ = static_cast<char>(c);  // half-width katakana
                i += 2;
            } else if (b != 0x8E && c >= 0xA1 && c <= 0xFE) {
                PutJis(o, b - 0x80, c - 0x80);
                i += 2;
            } else {
                PutSubstitute(o);
                ++i;
            }
        } else if (b == 0x8F) {
            // JIS X 0212, which CP932 does not have.
            if (i + 1 >= n) break;
            const unsigned c = in[i + 1];
            if (c < 0xA1 || c > 0xFE) {
                PutSubstitute(o);
                ++i;
                continue;
            }
            if (i + 2 >= n) break;
            const unsigned d = in[i + 2];
            PutSubstitute(o);
            i += d >= 0xA1 && d <= 0xFE ? 3 : 2;
        } else {
            PutSubstitute(o);
            ++i;
        }
    }
    out = o;
    return i;
}

std::size_t TCp932Converter::StepJis(const unsigned char* in, std::size_t n, char*& out) {
    char* o = out;
    std::size_t i = 0;
    while (i < n) {
        // The common cases first: kanji pairs, and plain ASCII runs.
        const std::size_t start = i;
        if (jis_set_ == jsKanji && !jis_shift_out_) {
            while (i + 1 < n && in[i] >= 0x21 && in[i] <= 0x7E && in[i + 1] >= 0x21 && in[i + 1] <= 0x7E) {
                PutJis(o, in[i], in[i + 1]);
                i += 2;
            }
            if (i >= n) break;
        } else if (jis_set_ == jsAscii && !jis_shift_out_) {
            i += CopyPlainRun(in + i, n - i, o);
            if (i >= n) break;
        }
        if (i != start) continue;  // a run ended: look at the next byte afresh
        const unsigned b = in[i];
        if (b == 0x1B) {
            // ESC ( B / J / I, ESC $ @ / B / A, ESC $ ( D / O / P / Q / C,
            // ESC & @ (announces a revised JIS X 0208, changes nothing).
            // Waits for more input only while the bytes so far can still
            // be an escape, so no line end is ever held back with one.
            if (i + 1 >= n) break;
            const unsigned a = in[i + 1];
            if (a != '(' && a != '$' && a != '&') {
                PutSubstitute(o);
                ++i;
                continue;
            }
            if (i + 2 >= n) break;
            const unsigned c = in[i + 2];
            std::size_t length = 3;
            if (a == '(' && (c == 'B' || c == 'J')) {
                jis_set_ = jsAscii;
            } else if (a == '(' && c == 'I') {
                jis_set_ = jsKana;
            } else if (a == '$' && (c == '@' || c == 'B')) {
                jis_set_ = jsKanji;
            } else if (a == '$' && c == 'A') {
                jis_set_ = jsOther;
            } else if (a == '&' && c == '@') {
            } else if (a == '$' && c == '(') {
                if (i + 3 >= n) break;
                const unsigned d = in[i + 3];
                length = 4;
                if (d == 'O' || d == 'Q')
                    jis_set_ = jsKanji;  // JIS X 0213 plane 1: JIS X 0208 where they meet
                else if (d == 'D' || d == 'P' || d == 'C')
                    jis_set_ = jsOther;
                else
                    length = 0;
            } else {
                length = 0;
            }
            if (length == 0) {
                PutSubstitute(o);
                ++i;
            } else {
                i += length;
            }
            continue;
        }
        if (b == 0x0E || b == 0x0F) {
            jis_shift_out_ = b == 0x0E;
            ++i;
            continue;
        }
        if (b == '\r' || b == '\n') {
            jis_set_ = jsAscii;
            jis_shift_out_ = false;
        }
        if (b <= 0x20 || b == 0x7F) {
            *o++ = static_cast<char>(b);
            ++i;
            continue;
        }
        if (b >= 0x80) {
            // 8-bit katakana turn up in old mail; nothing else is this code.
            if (b >= 0xA1 && b <= 0xDF)
                *o++ = static_cast<char>(b);
            else
                PutSubstitute(o);
            ++i;
            continue;
        }
        if (jis_shift_out_ || jis_set_ == jsKana) {
            if (b <= 0x5F)
                *o++ = static_cast<char>(b + 0x80);
            else
                PutSubstitute(o);
            ++i;
            continue;
        }
        if (jis_set_ == jsAscii) {
            *o++ = static_cast<char>(b);
            ++i;
            continue;
        }
        if (i + 1 >= n) break;
        const unsigned c = in[i + 1];
        if (c < 0x21 || c > 0x7E) {
            PutSubstitute(o);  // half a character
            ++i;
            continue;
        }
        if (jis_set_ == jsKanji)
            PutJis(o, b, c);
        else
            PutSubstitute(o);
        i += 2;
    }
    out = o;
    return i;
}

std::string ConvertToCp932(std::string_view bytes, TTextEncoding encoding, bool cut) {
    TCp932Converter converter(encoding);
    std::string out(TCp932Converter::MaxOutput(bytes.size()), '\0');
    std::size_t n = converter.Convert(bytes.data(), bytes.size(), &out[0]);
    if (!cut) n += converter.Finish(&out[n]);
    out.resize(n);
    return out;
}
