// Cuts one row (or a few joined rows) of Shift-JIS text into tokens. With a
// view, comments, strings, numbers with a prefix, control codes, URLs, mail
// addresses and bracket pairs are recognised; without one only the
// character classes are.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

class TTextEditorViewInfo;

enum TokenKind : std::uint8_t {
    tkEnd = 0,
    tkSymbol = 1,
    tkString = 2,
    tkInteger = 3,
    tkFloat = 4,
    tkBracket = 6,
    tkComment = 7,
    tkWord = 8,
    tkTab = 9,
    tkDbSymbol = 11,
    tkDbDigits = 12,
    tkDbLetters = 14,
    tkHiragana = 15,
    tkKatakana = 16,
    tkKanji = 17,
    tkHalfPunct = 18,
    tkHalfKana = 19,
    tkUrl = 20,
    tkMail = 21,
};

const char* TokenKindName(TokenKind k);

class TTextEditorParser {
public:
    // Reads the first token at once. The text is read where it lies, not
    // copied: it must outlive the parser (or the next Reset). A bracket
    // state below -1 switches bracket recognition off.
    TTextEditorParser(const TTextEditorViewInfo* view, int bracket_state, std::string_view text);
    virtual ~TTextEditorParser() = default;
    TTextEditorParser(const TTextEditorParser&) = delete;
    TTextEditorParser& operator=(const TTextEditorParser&) = delete;

    // Starts over on another text with the same view, as a new parser
    // would: a scan of many rows needs no parser per row.
    void Reset(int bracket_state, std::string_view text);

    // False when a scan of `text` from bracket state `state` certainly ends
    // in that state: no byte of the text can begin the bracket that would
    // open a pair (outside one) or close it (inside). A scan over many rows
    // skips such rows without cutting them into tokens.
    bool MayChangeBracketState(int state, std::string_view text) const;

    void NextToken();
    TokenKind Token() const { return token_; }
    std::string_view TokenString() const {
        return std::string_view(reinterpret_cast<const char*>(text_) + token_pos_,
                                source_pos_ - token_pos_);
    }
    int TokenOffset() const { return static_cast<int>(token_pos_); }
    int TokenLength() const { return static_cast<int>(source_pos_ - token_pos_); }
    int BracketState() const { return bracket_state_; }
    int BracketIndex() const { return bracket_index_; }

protected:
    // Past the text reads as NUL, which ends it as a NUL inside it does.
    unsigned char At(std::size_t i) const { return i < size_ ? text_[i] : 0; }
    bool StartsWith(std::size_t at, std::string_view s) const {
        return !s.empty() && at + s.size() <= size_ &&
               text_[at] == static_cast<unsigned char>(s[0]) &&
               std::memcmp(text_ + at, s.data(), s.size()) == 0;
    }
    // Bytes of the character at i: 2 for a lead byte with a byte after it.
    std::size_t CharLen(std::size_t i) const;
    bool IsLineEnd(std::size_t i) const {
        unsigned char c = At(i);
        return c == 0 || c == '\r' || c == '\n';
    }

private:
    void SetUpRules(bool brackets_on);
    void BracketToken(std::size_t p, unsigned char c);
    void RuleToken(std::size_t p, unsigned char c, unsigned rule_mask);
    void ScanClass(std::size_t p, unsigned char c, unsigned kind);
    bool ScanRules(std::size_t p, unsigned char c, unsigned rules);
    bool ScanLeftBracket(std::size_t p);
    void ScanRightBracket();
    bool ScanMail(std::size_t p);
    bool ScanUrl(std::size_t p, unsigned char c);
    bool ScanString(std::size_t p);
    void ScanExponent();
    void ScanNumber(std::size_t p);
    // Answers the end of the double-byte token that starts at p.
    std::size_t ScanDoubleByte(std::size_t p, unsigned char lead);

    const TTextEditorViewInfo* view_;
    // The view's switches, read once per row rather than once per token.
    bool mail_ = false, url_ = false, control_code_ = false;
    int bracket_count_ = 0;
    std::string_view commenter_, hex_prefix_, quotation_;
    // Per first byte: how the token is scanned, and the rules of the view
    // that can begin with it (bracket, mail, URL, comment, string, hex
    // number, control code).
    std::uint8_t kinds_[256];
    std::uint8_t rules_[256];
    // A failed mail try fails for every start inside the same run of mail
    // bytes (it holds no at sign followed by a '.'), so tokens starting
    // before this offset skip the try.
    std::size_t mail_fail_end_ = 0;
    bool brackets_on_ = false;
    int bracket_state_ = -1;
    int bracket_index_ = -2;
    std::size_t size_ = 0;
    const unsigned char* text_ = nullptr;
    std::size_t source_pos_ = 0;
    std::size_t token_pos_ = 0;
    TokenKind token_ = tkEnd;
};
