// Loading a file in another encoding: the rows must be exactly those of the
// same text loaded as a CP932 file, however the conversion falls across the
// pieces the file is read in and however much damage makes it grow.
#include <gtest/gtest.h>

#include <random>

#include "../base/encoded_texts.h"
#include "base/cp932_converter.h"
#include "text_test_util.h"

namespace {

// Rows of `bytes` loaded in `encoding`, beside the rows of their CP932
// conversion loaded as it is.
void ExpectSameRowsAsConverted(const std::string& bytes, TTextEncoding encoding, const char* what) {
    TempFile original(bytes, "qm_encoded.txt");
    TempFile converted(ConvertToCp932(bytes, encoding), "qm_converted.txt");
    TTextEditorModel a, b;
    a.Lines().LoadFromFile(original.path(), encoding);
    b.Lines().LoadFromFile(converted.path());
    ASSERT_EQ(RowsOf(b.List()), RowsOf(a.List())) << what << " in " << TextEncodingName(encoding);
    EXPECT_EQ(b.Lines().Count(), a.Lines().Count());
}

} // namespace

TEST(EncodedLoad, IconvTextsLoadAsTheirCp932Version) {
    const struct {
        const char* ext;
        TTextEncoding encoding;
    } files[] = {{"u8", teUtf8},      {"u8bom", teUtf8}, {"u16le", teUtf16Le},
                 {"u16be", teUtf16Be}, {"euc", teEucJp}, {"jis", teJis}};
    for (const char* text : {"prose", "hankaku"}) {
        TTextEditorModel expected;
        expected.Lines().LoadFromFile(EncodedTextPath(std::string(text) + ".cp932"));
        ASSERT_GT(expected.List().Count(), 5) << EncodedTextPath(std::string(text) + ".cp932");
        for (const auto& f : files) {
            TTextEditorModel ed;
            ed.Lines().LoadFromFile(EncodedTextPath(std::string(text) + "." + f.ext), f.encoding);
            EXPECT_EQ(RowsOf(expected.List()), RowsOf(ed.List())) << text << "." << f.ext;
        }
    }
}

TEST(EncodedLoad, PiecesBuffersAndDamageNeverChangeTheRows) {
    std::mt19937 rng(11);
    // A large UTF-8 text with every kind of line end, read in several pieces.
    std::string text;
    const char* parts[] = {u8"日本語", "ascii ", "\r\n", "\n", "\r", u8"ｶﾅ", u8"\u301c", "\t"};
    while (text.size() < 1500 * 1024)
        text += parts[rng() % 8];
    ExpectSameRowsAsConverted(text, teUtf8, "mixed line ends");
    ExpectSameRowsAsConverted("\xef\xbb\xbf" + text, teUtf8, "with a byte-order mark");
    // The end-of-text mark after conversion ends the text as in Shift-JIS.
    ExpectSameRowsAsConverted(text.substr(0, 700000) + "\x1a" + text, teUtf8, "end mark");

    // Bytes that are broken in every encoding but Shift-JIS (lone UTF-8
    // continuation bytes, nothing EUC-JP or JIS starts with): the output is
    // twice the file and the load must go on in a second buffer. Once with
    // short lines, once as one line with no end at all.
    std::string broken;
    while (broken.size() < 1500 * 1024)
        broken += rng() % 20 ? static_cast<char>(0x80 + rng() % 14) : '\n';
    for (TTextEncoding e : {teUtf8, teEucJp, teJis})
        ExpectSameRowsAsConverted(broken, e, "broken lines");
    std::string one_line(1500 * 1024, '\x85');
    ExpectSameRowsAsConverted(one_line, teUtf8, "one broken line");
    ExpectSameRowsAsConverted(std::string(u8"日本語\r\n") + one_line + "\r\nend", teEucJp, "one broken line");

    // Random bytes in every encoding, sizes around the piece size.
    for (int round = 0; round < 6; ++round) {
        std::string junk(512 * 1024 - 3 + rng() % 7 + (round % 2) * 300000, '\0');
        for (char& c : junk)
            c = static_cast<char>(rng() % 16 == 0 ? "\r\n\x1b\x1a"[rng() % 4] : rng());
        for (int e = 1; e < kTextEncodingCount; ++e)
            ExpectSameRowsAsConverted(junk, static_cast<TTextEncoding>(e), "random bytes");
    }
    // Nothing, one byte, a byte-order mark alone, half a UTF-16 character.
    for (const std::string& tiny : {std::string(), std::string("a"), std::string("\xff\xfe"),
                                   std::string("\xff\xfe" "a")})
        for (int e = 1; e < kTextEncodingCount; ++e)
            ExpectSameRowsAsConverted(tiny, static_cast<TTextEncoding>(e), "tiny");
}

TEST(EncodedLoad, ShiftJisLoadsAsItAlwaysHasAndAMissingFileThrows) {
    // Shift-JIS is the file as it is: the end mark, a lone lead byte and NUL
    // bytes all as in a plain load.
    const std::string bytes("x\0y\x82\r\n\x93\xfa\x1a" "after", 14);
    TempFile f(bytes);
    TTextEditorModel a, b;
    a.Lines().LoadFromFile(f.path());
    b.Lines().LoadFromFile(f.path(), teShiftJis);
    EXPECT_EQ(RowsOf(a.List()), RowsOf(b.List()));
    ASSERT_EQ(2, b.List().Count());
    EXPECT_EQ(std::string("x\0y\x82", 4), b.List().Strings(0));

    // A file that cannot be opened ends as in a plain load.
    a.Lines().SetText("before\r\n");
    b.Lines().SetText("before\r\n");
    EXPECT_THROW(a.Lines().LoadFromFile("/no/such/folder/file.txt"), EFOpenError);
    EXPECT_THROW(b.Lines().LoadFromFile("/no/such/folder/file.txt", teUtf8), EFOpenError);
    EXPECT_EQ(a.Lines().Text(), b.Lines().Text());
    EXPECT_EQ(0, b.Lines().UpdateCount());
}
