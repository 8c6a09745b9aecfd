// Detection and conversion to CP932 over texts iconv wrote in each encoding
// (tests/base/texts, written out by make_encoded_texts.sh at build time),
// and over damaged input. String literals here are CP932 (the build's
// execution character set); u8 literals are UTF-8.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "base/cp932_converter.h"
#include "base/text_encoding.h"
#include "encoded_texts.h"

namespace {

const std::string kGeta = "\x81\xac";  // the substitute

struct EncodedFile {
    const char* ext;
    TTextEncoding encoding;
};
const EncodedFile kFiles[] = {{"cp932", teShiftJis}, {"u8", teUtf8},     {"u8bom", teUtf8},
                              {"u16le", teUtf16Le},  {"u16be", teUtf16Be}, {"euc", teEucJp},
                              {"jis", teJis}};
const char* const kTexts[] = {"prose", "kanji_list", "hankaku", "source"};

// Converts in pieces of the given sizes, in turn, as a load from a file does.
std::string ConvertInPieces(const std::string& bytes, TTextEncoding e, const std::vector<int>& sizes) {
    TCp932Converter c(e);
    std::string out;
    std::size_t at = 0;
    for (std::size_t k = 0; at < bytes.size(); ++k) {
        const std::size_t n = std::min<std::size_t>(sizes[k % sizes.size()], bytes.size() - at);
        std::string piece(TCp932Converter::MaxOutput(n), '\0');
        piece.resize(c.Convert(bytes.data() + at, n, &piece[0]));
        out += piece;
        at += n;
    }
    std::string tail(TCp932Converter::MaxOutput(0), '\0');
    tail.resize(c.Finish(&tail[0]));
    return out + tail;
}

std::size_t Count(const std::string& s, char c) { return std::count(s.begin(), s.end(), c); }

} // namespace

TEST(TextEncoding, IconvTextsAreDetectedAndShownAsIconvWritesThemInCp932) {
    for (const char* text : kTexts) {
        const std::string expected = EncodedText(std::string(text) + ".cp932");
        ASSERT_FALSE(expected.empty()) << EncodedTextPath(std::string(text) + ".cp932");
        for (const EncodedFile& f : kFiles) {
            const std::string bytes = EncodedText(std::string(text) + "." + f.ext);
            if (bytes.empty()) continue;
            SCOPED_TRACE(std::string(text) + "." + f.ext);
            EXPECT_EQ(TextEncodingName(f.encoding), std::string(TextEncodingName(DetectTextEncoding(bytes))));
            EXPECT_EQ(expected, ConvertToCp932(bytes, f.encoding));
            // Every piece boundary falls inside characters and escapes somewhere.
            EXPECT_EQ(expected, ConvertInPieces(bytes, f.encoding, {1}));
            EXPECT_EQ(expected, ConvertInPieces(bytes, f.encoding, {2, 3, 5, 7}));
            EXPECT_EQ(expected, ConvertInPieces(bytes, f.encoding, {1000, 1}));
        }
    }
}

TEST(TextEncoding, CutAnywhereShowsTheWholeCharactersBeforeTheCut) {
    // A partial load stops at a byte count, often inside a character: what is
    // shown is the start of the full text, short by at most the one character
    // that was cut, and never a substitute for it.
    for (const EncodedFile& f : kFiles) {
        const std::string bytes = EncodedText(std::string("prose.") + f.ext);
        const std::string full = ConvertToCp932(bytes, f.encoding);
        std::size_t last = 0;
        for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
            const std::string part = ConvertToCp932(bytes.substr(0, cut), f.encoding, true);
            ASSERT_EQ(full.substr(0, part.size()), part) << f.ext << " cut at " << cut;
            ASSERT_GE(part.size(), last) << f.ext << " cut at " << cut;
            // Nothing before the cut is missing.
            ASSERT_LE(full.size() - part.size(), 2 * (bytes.size() - cut + 1)) << f.ext;
            last = part.size();
        }
        EXPECT_EQ(full, ConvertToCp932(bytes, f.encoding, true)) << f.ext;
    }
    // UTF-8 cut inside a three-byte character: the two bytes are left out.
    EXPECT_EQ("a", ConvertToCp932(u8"a\u3042", teUtf8, true).substr(0, 1));
    EXPECT_EQ("a", ConvertToCp932(std::string(u8"a\u3042").substr(0, 3), teUtf8, true));
    // ... and at the real end of a file the stump is damage, shown once.
    EXPECT_EQ("a" + kGeta, ConvertToCp932(std::string(u8"a\u3042").substr(0, 3), teUtf8));
}

TEST(TextEncoding, DetectionHoldsAgainstAFewBrokenBytesAndLooksAtAPrefixOnly) {
    std::string utf8 = EncodedText("prose.u8");
    const std::string expected = EncodedText("prose.cp932");
    // Three stray bytes: a lone continuation byte, a lead without its
    // continuation, a byte never used in UTF-8.
    auto line_start = [&](int n) {
        std::size_t at = 0;
        while (n-- > 0)
            at = utf8.find('\n', at) + 1;
        return at;
    };
    utf8.insert(line_start(9), "\x80");
    utf8.insert(line_start(5), "\xe3" "A");
    utf8.insert(line_start(1), "\xff");
    EXPECT_EQ(teUtf8, DetectTextEncoding(utf8));
    const std::string shown = ConvertToCp932(utf8, teUtf8);
    EXPECT_EQ(3u, (shown.size() - expected.size() - 1) / 2);  // three substitutes and the "A"
    EXPECT_EQ(Count(expected, '\n'), Count(shown, '\n'));
    EXPECT_EQ(expected.substr(0, 15), shown.substr(0, 15));  // the title line
    EXPECT_EQ(expected.substr(expected.size() - 200), shown.substr(shown.size() - 200));

    // What lies past the prefix does not count: a long ASCII start keeps a
    // UTF-8 file Shift-JIS, as it is shown today.
    const std::string late = std::string(kEncodingDetectBytes, 'a') + EncodedText("prose.u8");
    EXPECT_EQ(teShiftJis, DetectTextEncoding(late));
    EXPECT_EQ(teUtf8, DetectTextEncoding(late.substr(kEncodingDetectBytes - 100)));
    // Text without 8-bit bytes, and no text at all, stay Shift-JIS.
    EXPECT_EQ(teShiftJis, DetectTextEncoding(""));
    EXPECT_EQ(teShiftJis, DetectTextEncoding("a"));
    EXPECT_EQ(teShiftJis, DetectTextEncoding("\x82"));
    EXPECT_EQ(teShiftJis, DetectTextEncoding("plain ASCII\r\n"));
    // Byte-order marks win whatever follows.
    EXPECT_EQ(teUtf16Le, DetectTextEncoding("\xff\xfe"));
    EXPECT_EQ(teUtf16Be, DetectTextEncoding("\xfe\xff" "\x82\xa0"));
    EXPECT_EQ(teUtf8, DetectTextEncoding("\xef\xbb\xbf" "\x82\xa0\x82\xa2"));
}

TEST(TextEncoding, HalfWidthKatakanaInEucJpAndShiftJis) {
    // EUC-JP writes them as 0x8E and the katakana byte; Shift-JIS as the
    // byte alone, which other readings pair up into kanji.
    const std::string sjis = "\xbc\xbd\xc3\xd1 \xc3\xde\xb0\xc0\r\n";  // ｼｽﾃﾑ ﾃﾞｰﾀ
    const std::string euc = "\x8e\xbc\x8e\xbd\x8e\xc3\x8e\xd1 \x8e\xc3\x8e\xde\x8e\xb0\x8e\xc0\r\n";
    EXPECT_EQ(teShiftJis, DetectTextEncoding(sjis));
    EXPECT_EQ(teEucJp, DetectTextEncoding(euc));
    EXPECT_EQ(sjis, ConvertToCp932(euc, teEucJp));
    EXPECT_EQ(sjis, ConvertToCp932(u8"ｼｽﾃﾑ ﾃﾞｰﾀ\r\n", teUtf8));
    // 0x8E before anything but a katakana byte is one broken byte.
    EXPECT_EQ(kGeta + "A\xb1\x82\xa0", ConvertToCp932("\x8e" "A\x8e\xb1\xa4\xa2", teEucJp));
}

TEST(TextEncoding, Utf16KeepsItsNulBytesAndShowsAnOddLastByteAsDamage) {
    // "a", NUL, "b", line end: the NUL bytes of every ASCII character and a
    // NUL character itself are no end of the text.
    const std::string le("\xff\xfe" "a\0\0\0b\0\r\0\n\0c\0", 14);
    EXPECT_EQ(teUtf16Le, DetectTextEncoding(le));
    EXPECT_EQ(std::string("a\0b\r\nc", 6), ConvertToCp932(le, teUtf16Le));
    // Odd length: the last byte is half a character.
    EXPECT_EQ(std::string("a\0b\r\nc", 6) + kGeta, ConvertToCp932(le + "d", teUtf16Le));
    EXPECT_EQ(std::string("a\0b\r\nc", 6), ConvertToCp932(le + "d", teUtf16Le, true));
    // Big-endian "あ", a lone low surrogate, a pair (no such character in
    // CP932), a lone high surrogate before "A".
    const std::string be("\xfe\xff" "\x30\x42" "\xdc\x00" "\xd8\x3d\xde\x00" "\xd8\x3d\x00\x41", 14);
    EXPECT_EQ("\x82\xa0" + kGeta + kGeta + kGeta + "A", ConvertToCp932(be, teUtf16Be));
    // A byte-order mark of the other order is no mark but a character.
    EXPECT_EQ(kGeta + "A", ConvertToCp932(std::string("\xfe\xff" "A\0", 4), teUtf16Le));
}

TEST(TextEncoding, CharactersCp932LacksBecomeOneSubstituteEach) {
    // é, 鷗 (not in JIS X 0208), an emoji (four bytes), C1 control U+0085.
    EXPECT_EQ("caf" + kGeta + " " + kGeta + " " + kGeta + " " + kGeta + ".",
              ConvertToCp932(u8"caf\u00e9 \u9dd7 \U0001F600 \u0085.", teUtf8));
    // The Japanese Unicode mappings of JIS X 0208 and Microsoft's own meet:
    // WAVE DASH and FULLWIDTH TILDE are both 0x8160, YEN SIGN is 0x5C.
    EXPECT_EQ("\x81\x60\x81\x60\x5c", ConvertToCp932(u8"\u301c\uff5e\u00a5", teUtf8));
    // EUC-JP: NEC row 13 (circled one) is in CP932; JIS X 0212 and undefined
    // rows are not.
    EXPECT_EQ("\x87\x40" + kGeta + kGeta + "x", ConvertToCp932("\xad\xa1\x8f\xb0\xa1\xa9\xa1x", teEucJp));
    // Overlong forms and encoded surrogates are ill-formed, not characters.
    EXPECT_EQ(kGeta + kGeta + "/" + kGeta + kGeta + kGeta, ConvertToCp932("\xc0\xaf/\xed\xa0\x80", teUtf8));
    EXPECT_EQ(kGeta + kGeta + kGeta + "/", ConvertToCp932("\xe0\x80\xaf/", teUtf8));
}

TEST(TextEncoding, JisEscapesAndAnEscapeThatNeverReturnsSpoilOneLineOnly) {
    // ESC $ B kanji, ESC ( I katakana, SO/SI katakana, ESC ( J Roman.
    const std::string jis = "\x1b$B$\"$$\x1b(I1\x1b(B \x0e" "2\x0f" "a\x1b(J\\~\x1b(B";
    EXPECT_EQ(teJis, DetectTextEncoding(jis));
    EXPECT_EQ("\x82\xa0\x82\xa2\xb1 \xb2" "a\\~", ConvertToCp932(jis, teJis));
    // No ESC ( B before the line end: the next line is ASCII again.
    const std::string open = "\x1b$B$\"$$\r\nnext line\n";
    EXPECT_EQ("\x82\xa0\x82\xa2\r\nnext line\n", ConvertToCp932(open, teJis));
    // An odd byte before the line end, an unknown escape, a lone ESC at the end.
    EXPECT_EQ("\x82\xa0" + kGeta + "\n" + kGeta + "(Zx" + kGeta,
              ConvertToCp932("\x1b$B$\"$\n\x1b(Zx\x1b", teJis));
    // An escape cut by a line end at the very end keeps the line end.
    EXPECT_EQ(kGeta + "\n", ConvertToCp932("\x1b\n", teJis));
    EXPECT_EQ(kGeta + "$\n", ConvertToCp932("\x1b$\n", teJis));
    // JIS X 0212 pairs have no CP932 character.
    EXPECT_EQ(kGeta + "\n", ConvertToCp932("\x1b$(D0!\n", teJis));
}

TEST(TextEncoding, BadInputNeitherCrashesNorLosesLineEnds) {
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        std::string junk(1 + rng() % 3000, '\0');
        for (char& c : junk)
            c = static_cast<char>(rng() % 8 == 0 ? '\n' : rng());
        // Escapes are what the JIS reader acts on: put some in.
        if (round % 2)
            for (int k = 0; k < 20; ++k)
                junk.replace(rng() % junk.size(), 1, "\x1b$B");
        const TTextEncoding detected = DetectTextEncoding(junk);
        ASSERT_LT(static_cast<int>(detected), kTextEncodingCount);
        for (TTextEncoding e : {teShiftJis, teUtf8, teEucJp, teJis}) {
            const std::string shown = ConvertToCp932(junk, e);
            ASSERT_LE(shown.size(), TCp932Converter::MaxOutput(junk.size()));
            // Every line end stays, so damage cannot run into the next line.
            ASSERT_EQ(Count(junk, '\n'), Count(shown, '\n')) << TextEncodingName(e);
            ASSERT_EQ(shown, ConvertInPieces(junk, e, {1, 2, 3, 4, 5, 6, 7, 8}));
        }
        for (TTextEncoding e : {teUtf16Le, teUtf16Be}) {
            const std::string shown = ConvertToCp932(junk, e);
            ASSERT_LE(shown.size(), TCp932Converter::MaxOutput(junk.size()));
            ASSERT_EQ(shown, ConvertInPieces(junk, e, {1, 2, 3, 4, 5, 6, 7, 8}));
        }
    }
    // A file that changes from UTF-8 to Shift-JIS midway: the UTF-8 lines
    // are right, the Shift-JIS lines substitutes, the lines all there.
    const std::string mixed = std::string(u8"日本語の行\n") + "\x93\xfa\x96\x7b\x8c\xea\n" + u8"終わり\n";
    EXPECT_EQ(teUtf8, DetectTextEncoding(mixed));
    const std::string shown = ConvertToCp932(mixed, teUtf8);
    EXPECT_EQ(0u, shown.find("日本語の行\n"));
    EXPECT_EQ(shown.size() - std::string("終わり\n").size(), shown.rfind("終わり\n"));
    EXPECT_EQ(3u, Count(shown, '\n'));
    // 0 and 1 bytes in every encoding.
    EXPECT_EQ(teShiftJis, DetectTextEncoding("\xe3"));
    for (int i = 0; i < kTextEncodingCount; ++i) {
        const auto e = static_cast<TTextEncoding>(i);
        EXPECT_EQ("", ConvertToCp932("", e));
        EXPECT_EQ(e == teUtf16Le || e == teUtf16Be ? kGeta : "a", ConvertToCp932("a", e));
        EXPECT_EQ(e == teShiftJis ? "\xe3" : kGeta, ConvertToCp932("\xe3", e));
    }
}

TEST(TextEncoding, NamesAsTheMenuAndTheSettingsFileWriteThem) {
    const char* names[] = {"Shift_JIS", "UTF-8", "UTF-16LE", "UTF-16BE", "EUC-JP", "JIS"};
    for (int i = 0; i < kTextEncodingCount; ++i) {
        const auto e = static_cast<TTextEncoding>(i);
        EXPECT_STREQ(names[i], TextEncodingName(e));
        TTextEncoding back = teShiftJis;
        std::string lower = names[i];
        for (char& c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_TRUE(TextEncodingFromName(lower, back));
        EXPECT_EQ(e, back);
    }
    TTextEncoding e = teEucJp;
    EXPECT_FALSE(TextEncodingFromName("", e));
    EXPECT_FALSE(TextEncodingFromName("UTF8", e));
    EXPECT_EQ(teEucJp, e);
}
