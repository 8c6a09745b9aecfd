#include "base/text_encoding.h"

#include <cstdio>
#include <memory>

#include "base/cp932_tables.h"
#include "base/jis_codes.h"
#include "base/sjis.h"

namespace {

const char* const kNames[kTextEncodingCount] = {"Shift_JIS", "UTF-8",  "UTF-16LE",
                                                "UTF-16BE",  "EUC-JP", "JIS"};

bool SameAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

// How plausible one character is in Japanese text, by the row of JIS X 0208
// it comes from. Kana and punctuation make up about half of ordinary text
// and first-level kanji most of the rest; a reading in the wrong encoding
// scatters over second-level kanji and the user-defined area, which real text
// seldom uses, and over codes nobody defined, which cost as much as a broken
// byte.
constexpr long kBroken = -8;

long RowWeight(unsigned row) {
    if (row == 1 || row == 4 || row == 5) return 4;  // punctuation, hiragana, katakana
    if (row >= 16 && row <= 47) return 2;            // first-level kanji
    if (row == 2 || row == 3) return 1;              // symbols, full-width digits and letters
    if (row >= 48 && row <= 84) return -1;           // second-level kanji
    return 0;                                        // Greek, Cyrillic, lines, NEC and IBM rows
}

// The score of a Shift-JIS double-byte code.
long SjisPairScore(unsigned lead, unsigned trail) {
    if (!Cp932Defined(lead, trail)) return kBroken;
    if (lead >= 0xF0) return lead >= 0xFA ? 0 : -4;  // IBM extensions; user-defined
    return RowWeight(SjisRow(lead, trail));
}

// Shift-JIS reading: kana, punctuation and kanji by their rows; half-width
// katakana count for a little, as they mostly come in runs beside other
// text.
long ScoreShiftJis(const unsigned char* s, std::size_t n) {
    long score = 0;
    for (std::size_t i = 0; i < n;) {
        const unsigned b = s[i];
        if (b < 0x80) {
            ++i;
        } else if (b >= 0xA1 && b <= 0xDF) {
            score += 1;
            // A voiced mark after a katakana that takes one is how
            // half-width text is written, and rare in a misreading.
            const unsigned prev = i > 0 ? s[i - 1] : 0;
            if ((b == 0xDE && (prev == 0xB3 || (prev >= 0xB6 && prev <= 0xC4) ||
                               (prev >= 0xCA && prev <= 0xCE))) ||
                (b == 0xDF && prev >= 0xCA && prev <= 0xCE))
                score += 4;
            ++i;
        } else if (IsSjisLeadByte(static_cast<unsigned char>(b))) {
            if (i + 1 >= n) break;  // cut at the end of the prefix
            score += SjisPairScore(b, s[i + 1]);
            i += Cp932Defined(b, s[i + 1]) ? 2 : 1;
        } else {
            score += kBroken;
            ++i;
        }
    }
    return score;
}

long ScoreEucJp(const unsigned char* s, std::size_t n) {
    long score = 0;
    for (std::size_t i = 0; i < n;) {
        const unsigned b = s[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        const std::size_t need = b == 0x8F ? 3 : 2;
        if (i + need > n) break;
        const unsigned c = s[i + 1];
        if (b == 0x8E) {
            if (c >= 0xA1 && c <= 0xDF) {
                // Outweighs the kanji that Shift-JIS makes of the same two
                // bytes, for text with nothing else to tell them apart.
                score += 4;
                i += 2;
            } else {
                score += kBroken;
                ++i;
            }
        } else if (b == 0x8F) {
            // JIS X 0212: real but rare, and not in CP932.
            if (c >= 0xA1 && c <= 0xFE && s[i + 2] >= 0xA1 && s[i + 2] <= 0xFE) {
                score += 1;
                i += 3;
            } else {
                score += kBroken;
                ++i;
            }
        } else if (b >= 0xA1 && b <= 0xFE && c >= 0xA1 && c <= 0xFE) {
            const SjisPair p = JisToSjis(b - 0xA0, c - 0xA0);
            if (Cp932Defined(p.lead, p.trail)) {
                score += RowWeight(b - 0xA0);
                i += 2;
            } else {
                score += kBroken;
                ++i;
            }
        } else {
            score += kBroken;
            ++i;
        }
    }
    return score;
}

// UTF-8 reading: a well-formed multi-byte sequence is strong evidence, the
// more so for kana and kanji; each maximal ill-formed piece is broken.
long ScoreUtf8(const unsigned char* s, std::size_t n) {
    long score = 0;
    for (std::size_t i = 0; i < n;) {
        const unsigned b = s[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        std::size_t need;
        unsigned lo = 0x80, hi = 0xBF;
        std::uint32_t cp;
        if (b >= 0xC2 && b <= 0xDF) {
            need = 1;
            cp = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            need = 2;
            cp = b & 0x0F;
            if (b == 0xE0) lo = 0xA0;
            if (b == 0xED) hi = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            need = 3;
            cp = b & 0x07;
            if (b == 0xF0) lo = 0x90;
            if (b == 0xF4) hi = 0x8F;
        } else {
            score += kBroken;
            ++i;
            continue;
        }
        std::size_t k = 1;
        for (; k <= need && i + k < n; ++k) {
            const unsigned c = s[i + k];
            if (c < lo || c > hi) break;
            lo = 0x80;
            hi = 0xBF;
            cp = cp << 6 | (c & 0x3F);
        }
        if (k <= need) {
            if (i + k >= n) break;  // cut at the end of the prefix
            score += kBroken;
            i += k;
            continue;
        }
        i += need + 1;
        const bool japanese = (cp >= 0x3000 && cp <= 0x30FF) || (cp >= 0x4E00 && cp <= 0x9FFF) ||
                              (cp >= 0xFF00 && cp <= 0xFFEF);
        score += japanese ? 6 : static_cast<long>(need) + 2;
    }
    return score;
}

// ISO-2022-JP: escape sequences that switch to a Japanese set, counted.
std::size_t JisEscapes(const unsigned char* s, std::size_t n) {
    std::size_t count = 0;
    for (std::size_t i = 0; i + 2 < n; ++i) {
        if (s[i] != 0x1B) continue;
        const unsigned a = s[i + 1], b = s[i + 2];
        if ((a == '$' && (b == '@' || b == 'B')) || (a == '(' && (b == 'I' || b == 'J')) ||
            (a == '$' && b == '(' && i + 3 < n &&
             (s[i + 3] == 'D' || s[i + 3] == 'O' || s[i + 3] == 'P' || s[i + 3] == 'Q')))
            ++count;
    }
    return count;
}

} // namespace

const char* TextEncodingName(TTextEncoding encoding) {
    const unsigned i = encoding;
    return i < kTextEncodingCount ? kNames[i] : kNames[0];
}

bool TextEncodingFromName(std::string_view name, TTextEncoding& encoding) {
    for (int i = 0; i < kTextEncodingCount; ++i) {
        if (SameAscii(name, kNames[i])) {
            encoding = static_cast<TTextEncoding>(i);
            return true;
        }
    }
    return false;
}

TTextEncoding DetectTextEncoding(std::string_view prefix) {
    const auto* s = reinterpret_cast<const unsigned char*>(prefix.data());
    const std::size_t n = prefix.size() < kEncodingDetectBytes ? prefix.size() : kEncodingDetectBytes;
    if (n >= 3 && s[0] == 0xEF && s[1] == 0xBB && s[2] == 0xBF) return teUtf8;
    if (n >= 2 && s[0] == 0xFF && s[1] == 0xFE) return teUtf16Le;
    if (n >= 2 && s[0] == 0xFE && s[1] == 0xFF) return teUtf16Be;

    std::size_t high = 0;
    for (std::size_t i = 0; i < n; ++i)
        high += s[i] >> 7;
    // ISO-2022-JP is 7-bit; a stray 8-bit byte or two is damage, not
    // another encoding.
    if (JisEscapes(s, n) > 0 && high * 64 <= n) return teJis;
    if (high == 0) return teShiftJis;

    const long sjis = ScoreShiftJis(s, n);
    const long euc = ScoreEucJp(s, n);
    const long utf8 = ScoreUtf8(s, n);
    if (utf8 > sjis && utf8 > euc) return teUtf8;
    if (euc > sjis) return teEucJp;
    return teShiftJis;
}

std::string ReadEncodingPrefix(const std::string& path) {
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> f(std::fopen(path.c_str(), "rb"));
    if (!f) return std::string();
    std::string bytes(kEncodingDetectBytes, '\0');
    bytes.resize(std::fread(&bytes[0], 1, bytes.size(), f.get()));
    return bytes;
}
