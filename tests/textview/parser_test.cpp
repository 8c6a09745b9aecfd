// Token kinds of the parser, bracket states across rows and the colour
// lookup.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <utility>
#include <vector>

#include "base/sjis.h"
#include "textview/reserve_word_list.h"
#include "textview/text_parser.h"
#include "textview/token_colors.h"
#include "textview/view_info.h"

namespace {

using Tok = std::pair<TokenKind, std::string>;

std::vector<Tok> Tokens(const TTextEditorViewInfo* view, std::string_view text, int state = -1,
                        int* end_state = nullptr) {
    std::vector<Tok> out;
    TTextEditorParser p(view, state, text);
    while (p.Token() != tkEnd) {
        out.emplace_back(p.Token(), std::string(p.TokenString()));
        p.NextToken();
    }
    if (end_state) *end_state = p.BracketState();
    return out;
}

TEST(Parser, CharacterClassesWithoutView) {
    EXPECT_EQ(Tokens(nullptr, "  abc_1 12.x 1e \t#"), (std::vector<Tok>{{tkWord, "abc_1"},
                                                                        {tkFloat, "12"},
                                                                        {tkSymbol, "."},
                                                                        {tkWord, "x"},
                                                                        {tkFloat, "1e"},
                                                                        {tkTab, "\t"},
                                                                        {tkSymbol, "#"}}));
    EXPECT_EQ(Tokens(nullptr, "3.14e+5 7E 42"),
              (std::vector<Tok>{{tkFloat, "3.14e+5"}, {tkFloat, "7E"}, {tkInteger, "42"}}));
    EXPECT_EQ(Tokens(nullptr, "ＡＢＣ１２３"),
              (std::vector<Tok>{{tkDbLetters, "ＡＢＣ"}, {tkDbDigits, "１２３"}}));
    EXPECT_EQ(Tokens(nullptr, "１，５ひらがなーカタカナー漢字αβ、｡ｶﾀ"),
              (std::vector<Tok>{{tkDbDigits, "１，５"},
                                {tkHiragana, "ひらがなー"},
                                {tkKatakana, "カタカナー"},
                                {tkKanji, "漢字"},
                                {tkDbSymbol, "αβ"},
                                {tkDbSymbol, "、"},
                                {tkHalfPunct, "｡"},
                                {tkHalfKana, "ｶﾀ"}}));
    EXPECT_EQ(Tokens(nullptr, "─│"), (std::vector<Tok>{{tkDbSymbol, "─│"}}));
}

TEST(Parser, BadBytesNeverSplitAPair) {
    // Unassigned trail bytes, 0x7F/0x80/0xA0/0xFD..0xFF and a lone lead byte.
    std::string text("\x82\x40\x83\xFC\x7F\x80\xA0\xFD\xFE\xFF\x88", 11);
    auto toks = Tokens(nullptr, text);
    std::size_t total = 0;
    for (const Tok& t : toks)
        total += t.second.size();
    EXPECT_EQ(total, text.size());
    EXPECT_EQ(toks[0], (Tok{tkDbSymbol, "\x82\x40"}));
    EXPECT_EQ(toks[1], (Tok{tkDbSymbol, "\x83\xFC"}));
    EXPECT_EQ(toks.back(), (Tok{tkSymbol, "\x88"}));
}

TEST(Parser, CommentsStringsAndNumbers) {
    TTextEditorViewInfo view;
    view.SetCommenter(">");
    view.SetQuotation("'abc");
    EXPECT_EQ(view.Quotation(), "'");
    view.SetHexPrefix("$");
    view.SetControlCode(true);
    view.SetMail(true);
    EXPECT_EQ(Tokens(&view, "> quoted user@example.com line"),
              (std::vector<Tok>{{tkComment, "> quoted user@example.com line"}}));
    EXPECT_EQ(Tokens(&view, "x 'it''s' 'open"),
              (std::vector<Tok>{{tkWord, "x"}, {tkString, "'it''s'"}, {tkString, "'open"}}));
    EXPECT_EQ(Tokens(&view, "$1Fz #$0A #13 #"), (std::vector<Tok>{{tkInteger, "$1F"},
                                                                  {tkWord, "z"},
                                                                  {tkString, "#$0A"},
                                                                  {tkString, "#13"},
                                                                  {tkString, "#"}}));
    // The hex rule wins over control codes when the prefix is '#'.
    view.SetHexPrefix("#");
    EXPECT_EQ(Tokens(&view, "#FF"), (std::vector<Tok>{{tkInteger, "#FF"}}));
    // A quote string never ends inside a double-byte character.
    view.SetQuotation("\\");
    EXPECT_EQ(Tokens(&view, "\\表\\"), (std::vector<Tok>{{tkString, "\\表\\"}}));
}

TEST(Parser, UrlsAndMail) {
    TTextEditorViewInfo view;
    view.SetUrl(true);
    EXPECT_EQ(Tokens(&view, "http://a.jp/x?a=1&b=2"),
              (std::vector<Tok>{{tkUrl, "http://a.jp/x?a=1"},
                                {tkSymbol, "&"},
                                {tkWord, "b"},
                                {tkSymbol, "="},
                                {tkInteger, "2"}}));
    EXPECT_EQ(Tokens(&view, "https://x ftp:y www.z Http:").front(), (Tok{tkUrl, "https://x"}));
    EXPECT_EQ(Tokens(&view, "ftp:y")[0].first, tkUrl);
    EXPECT_EQ(Tokens(&view, "www.z")[0].first, tkUrl);
    EXPECT_EQ(Tokens(&view, "Http:")[0].first, tkWord);

    view.SetMail(true);
    EXPECT_EQ(Tokens(&view, "a@b"),
              (std::vector<Tok>{{tkWord, "a"}, {tkSymbol, "@"}, {tkWord, "b"}}));
    EXPECT_EQ(Tokens(&view, "a@b.c"), (std::vector<Tok>{{tkMail, "a@b.c"}}));
    // Mail is tried before URLs.
    EXPECT_EQ(Tokens(&view, "www.me@host.jp"), (std::vector<Tok>{{tkMail, "www.me@host.jp"}}));
    // A failed try covers only its own run of mail bytes: the run after the
    // ':' is tried afresh, while tokens inside a failed run never are.
    EXPECT_EQ(Tokens(&view, "ab:cd@e.f"),
              (std::vector<Tok>{{tkWord, "ab"}, {tkSymbol, ":"}, {tkMail, "cd@e.f"}}));
    EXPECT_EQ(Tokens(&view, "a.b@c x@y.z"), (std::vector<Tok>{{tkWord, "a"},
                                                              {tkSymbol, "."},
                                                              {tkWord, "b"},
                                                              {tkSymbol, "@"},
                                                              {tkWord, "c"},
                                                              {tkMail, "x@y.z"}}));
    EXPECT_EQ(Tokens(&view, "http://h.jp/a@b.c"), (std::vector<Tok>{{tkUrl, "http://h.jp/a"},
                                                                    {tkSymbol, "@"},
                                                                    {tkWord, "b"},
                                                                    {tkSymbol, "."},
                                                                    {tkWord, "c"}}));
}

TEST(Parser, BracketsCarryTheirStateAcrossRows) {
    TTextEditorViewInfo view;
    view.Brackets().Add("{", "}");
    view.Brackets().Add("/*", "*/");
    int state = 0;
    EXPECT_EQ(Tokens(&view, "a {b", -1, &state),
              (std::vector<Tok>{{tkWord, "a"}, {tkBracket, "{b"}}));
    EXPECT_EQ(state, 0);
    EXPECT_EQ(Tokens(&view, "middle 表", state, &state),
              (std::vector<Tok>{{tkBracket, "middle 表"}}));
    EXPECT_EQ(state, 0);
    EXPECT_EQ(Tokens(&view, "e} f", state, &state),
              (std::vector<Tok>{{tkBracket, "e}"}, {tkWord, "f"}}));
    EXPECT_EQ(state, -1);
    EXPECT_EQ(Tokens(&view, "x /* y */", -1, &state).back(), (Tok{tkBracket, "/* y */"}));
    // State -2 switches brackets off.
    EXPECT_EQ(Tokens(&view, "{a}", -2, &state).size(), 3u);
    // A state left over from a pair that no longer exists is dropped.
    EXPECT_EQ(Tokens(&view, "z", 9, &state), (std::vector<Tok>{{tkWord, "z"}}));
}

TEST(Parser, PairWithoutRightBracketIsOnlyItsLeftBracket) {
    // A pair that no text can close must not hold the scan on one spot: the
    // row would give empty bracket tokens for ever.
    TTextEditorViewInfo view;
    view.Brackets().Add("{", "}");
    view.Brackets().Add("<", "");
    int state = 0;
    EXPECT_EQ(
        Tokens(&view, "a <b {c", -1, &state),
        (std::vector<Tok>{{tkWord, "a"}, {tkBracket, "<"}, {tkWord, "b"}, {tkBracket, "{c"}}));
    EXPECT_EQ(state, 0);
    EXPECT_EQ(Tokens(&view, "x<", -1, &state), (std::vector<Tok>{{tkWord, "x"}, {tkBracket, "<"}}));
    EXPECT_EQ(state, -1);
    // A row that starts inside such a pair goes on outside it.
    EXPECT_EQ(Tokens(&view, "d e", 1, &state), (std::vector<Tok>{{tkWord, "d"}, {tkWord, "e"}}));
    EXPECT_EQ(state, -1);
}

TEST(Parser, RunsOfEveryDoubleByteKindEndAtTheNextKind) {
    // Each run stops at a pair of another kind, at a lone lead byte and at
    // an embedded NUL; the long-vowel and comma pairs go on where they may.
    EXPECT_EQ(Tokens(nullptr, "ー１，２．ａｂかーなカーナ─━αβ漢字ｱｲ"),
              (std::vector<Tok>{{tkDbSymbol, "ー"},
                                {tkDbDigits, "１，２．"},
                                {tkDbLetters, "ａｂ"},
                                {tkHiragana, "かーな"},
                                {tkKatakana, "カーナ"},
                                {tkDbSymbol, "─━"},
                                {tkDbSymbol, "αβ"},
                                {tkKanji, "漢字"},
                                {tkHalfKana, "ｱｲ"}}));
    EXPECT_EQ(Tokens(nullptr, std::string("漢字\x88", 5)),
              (std::vector<Tok>{{tkKanji, "漢字"}, {tkSymbol, "\x88"}}));
    EXPECT_EQ(Tokens(nullptr, std::string("漢\0字", 5)), (std::vector<Tok>{{tkKanji, "漢"}}));
}

TEST(Parser, ReadsTheTextWhereItLiesAndNeverPastIt) {
    // Rows are parsed inside the loaded file: what follows a row (the next
    // row, a bracket, a trail byte) must not change its tokens. Each cut
    // is compared with the same bytes in a block of their own, where a
    // read past the end would be caught by the address checker.
    TTextEditorViewInfo view;
    view.Brackets().Add("{", "}");
    view.Brackets().Add("/*", "*/");
    view.SetCommenter(">");
    view.SetQuotation("'");
    view.SetHexPrefix("#");
    view.SetMail(true);
    view.SetUrl(true);
    const std::string buffer = "x{本'a''b'\x96{\x82\x4F" "1.5e+#FF >c http:/ a@b.c */\x81";
    TTextEditorParser reused(&view, -1, "");
    for (std::size_t from = 0; from < buffer.size(); ++from) {
        for (std::size_t len = 0; from + len <= buffer.size(); ++len) {
            const std::string_view in_place(buffer.data() + from, len);
            for (int state : {-1, 0, 1}) {
                std::vector<Tok> own;
                {
                    const std::unique_ptr<char[]> copy(new char[len ? len : 1]);
                    std::memcpy(copy.get(), in_place.data(), len);
                    own = Tokens(&view, std::string_view(copy.get(), len), state);
                }
                ASSERT_EQ(Tokens(&view, in_place, state), own) << from << "+" << len;
                std::vector<Tok> again;
                for (reused.Reset(state, in_place); reused.Token() != tkEnd; reused.NextToken())
                    again.emplace_back(reused.Token(), std::string(reused.TokenString()));
                ASSERT_EQ(again, own) << from << "+" << len;
            }
        }
    }
}

TEST(TokenColors, ReservedWordsOnlyForTheirKinds) {
    TTextEditorViewInfo view;
    view.Colors().Symbol.SetColor(clLime);
    view.Brackets().Add("{", "}").ItemColor().SetColor(clSilver);
    TReserveWordList reserved;
    reserved.Add("BEGIN");
    reserved.Add("begin");
    EXPECT_EQ(reserved.Count(), 1);
    const TTextEditorColors& c = view.Colors();
    EXPECT_EQ(TokenColor(view, reserved, tkWord, "Begin", -2), &c.Reserve);
    EXPECT_EQ(TokenColor(view, reserved, tkWord, "end", -2), &c.Ank);
    EXPECT_EQ(TokenColor(view, reserved, tkString, "begin", -2), &c.Str);
    EXPECT_EQ(TokenColor(view, reserved, tkComment, "begin", -2), &c.Comment);
    EXPECT_EQ(TokenColor(view, reserved, tkSymbol, "+", -2)->Color(), clLime);
    EXPECT_EQ(TokenColor(view, reserved, tkBracket, "{x}", 0)->Color(), clSilver);
    EXPECT_EQ(TokenColor(view, reserved, tkTab, "\t", -2), nullptr);
    EXPECT_EQ(TokenColor(view, reserved, tkKanji, "漢", -2), &c.DBCS);
}

TEST(ReserveWords, FindIsTheCaseBlindCompareOfUpperCasedCopies) {
    // Lower-case bytes that are trail bytes of a pair stay as they are; a
    // lone lead byte at the end is a character of its own. Words and tokens
    // come from the same few bytes, so most lookups hit or nearly hit.
    const char kBytes[] = {'a', 'B', 'z', '_', '\x82', '\x61', '\x7A', '\x41', '\xE0', '1'};
    std::mt19937 rng(5);
    auto word = [&] {
        std::string w;
        for (int n = static_cast<int>(rng() % 5); n > 0; --n)
            w += kBytes[rng() % sizeof kBytes];
        return w;
    };
    for (int round = 0; round < 40; ++round) {
        TReserveWordList list;
        std::vector<std::string> words;
        for (int i = 0; i < 12; ++i) {
            words.push_back(word());
            list.Add(words.back());
        }
        if (round % 3 == 0) list.Delete(static_cast<int>(rng() % list.Count()));
        for (int i = 1; i < list.Count(); ++i)
            ASSERT_LT(SjisUpperCase(list.Strings(i - 1)), SjisUpperCase(list.Strings(i)));
        for (int t = 0; t < 200; ++t) {
            const std::string token = word();
            bool want = false;
            for (int i = 0; i < list.Count(); ++i)
                want = want || SjisUpperCase(list.Strings(i)) == SjisUpperCase(token);
            ASSERT_EQ(list.Find(token), want) << token;
        }
    }
}

} // namespace
