#include "textview/text_parser.h"

#include "base/sjis.h"
#include "textview/view_info.h"

namespace {

enum : std::uint8_t {
    kDigit = 1,
    kAlpha = 2,
    kHex = 4,
    kMailStart = 8,
    kMailChar = 16,
    kUrlChar = 32,
    kBlank = 64,
};

// One table lookup per byte instead of chains of comparisons.
struct ClassTable {
    std::uint8_t c[256] = {};
    ClassTable() {
        for (int i = '0'; i <= '9'; ++i) c[i] |= kDigit | kHex | kMailStart | kMailChar | kUrlChar;
        for (int i = 'A'; i <= 'Z'; ++i) c[i] |= kAlpha | kMailStart | kMailChar | kUrlChar;
        for (int i = 'a'; i <= 'z'; ++i) c[i] |= kAlpha | kMailStart | kMailChar | kUrlChar;
        for (int i = 'A'; i <= 'F'; ++i) c[i] |= kHex;
        for (int i = 'a'; i <= 'f'; ++i) c[i] |= kHex;
        for (unsigned char ch : std::string_view("!$%&*,-./;=?^_~")) c[ch] |= kMailStart | kMailChar;
        c['@'] |= kMailChar;
        for (unsigned char ch : std::string_view("%-./:=?_~")) c[ch] |= kUrlChar;
        for (int i = 0x01; i <= 0x20; ++i)
            if (i != '\t') c[i] |= kBlank;
    }
};
const ClassTable kClass;

bool Is(unsigned char ch, std::uint8_t what) { return (kClass.c[ch] & what) != 0; }
bool IsDigit(unsigned char c) { return Is(c, kDigit); }
bool IsAlpha(unsigned char c) { return Is(c, kAlpha); }
bool IsHex(unsigned char c) { return Is(c, kHex); }
bool IsWordChar(unsigned char c) { return Is(c, kAlpha | kDigit) || c == '_'; }
bool IsMailStart(unsigned char c) { return Is(c, kMailStart); }
bool IsMailChar(unsigned char c) { return Is(c, kMailChar); }
bool IsUrlChar(unsigned char c) { return Is(c, kUrlChar); }

bool DbDigit(unsigned char l, unsigned char t) {
    return (l == 0x82 && t >= 0x4F && t <= 0x58) || (l == 0x81 && (t == 0x43 || t == 0x44));
}
bool DbLetter(unsigned char l, unsigned char t) { return l == 0x82 && t >= 0x60 && t <= 0x9A; }
bool LongVowel(unsigned char l, unsigned char t) { return l == 0x81 && (t == 0x5B || t == 0x7C); }
bool Hiragana(unsigned char l, unsigned char t) {
    return (l == 0x82 && t >= 0x9F && t <= 0xF1) || LongVowel(l, t);
}
bool Katakana(unsigned char l, unsigned char t) {
    return (l == 0x83 && t >= 0x40 && t <= 0x96) || LongVowel(l, t);
}
bool Greek(unsigned char l, unsigned char t) { return l == 0x83 && t >= 0x9F && t <= 0xF0; }
bool Lead84to87(unsigned char l, unsigned char) { return l >= 0x84 && l <= 0x87; }
bool KanjiLead(unsigned char l, unsigned char) {
    return (l >= 0x88 && l <= 0x9F) || (l >= 0xE0 && l <= 0xFC);
}

} // namespace

const char* TokenKindName(TokenKind k) {
    switch (k) {
    case tkEnd: return "end";
    case tkSymbol: return "symbol";
    case tkString: return "string";
    case tkInteger: return "integer";
    case tkFloat: return "float";
    case tkBracket: return "bracket";
    case tkComment: return "comment";
    case tkWord: return "word";
    case tkTab: return "tab";
    case tkDbSymbol: return "dbsymbol";
    case tkDbDigits: return "dbdigits";
    case tkDbLetters: return "dbletters";
    case tkHiragana: return "hiragana";
    case tkKatakana: return "katakana";
    case tkKanji: return "kanji";
    case tkHalfPunct: return "halfpunct";
    case tkHalfKana: return "halfkana";
    case tkUrl: return "url";
    case tkMail: return "mail";
    }
    return "?";
}

TTextEditorParser::TTextEditorParser(const TTextEditorViewInfo* view, int bracket_state,
                                     std::string_view text)
    : view_(view), bracket_state_(bracket_state), size_(text.size()) {
    if (view_) {
        mail_ = view_->Mail();
        url_ = view_->Url();
        control_code_ = view_->ControlCode();
        bracket_count_ = view_->Brackets().Count();
        commenter_ = view_->Commenter();
        hex_prefix_ = view_->HexPrefix();
        quotation_ = view_->Quotation();
    }
    char* buf = local_;
    if (size_ >= sizeof local_) {
        heap_.reset(new char[size_ + 1]);
        buf = heap_.get();
    }
    if (size_) std::memcpy(buf, text.data(), size_);
    buf[size_] = '\0';
    text_ = reinterpret_cast<const unsigned char*>(buf);
    NextToken();
}

std::size_t TTextEditorParser::CharLen(std::size_t i) const {
    return IsSjisLeadByte(At(i)) && At(i + 1) != 0 && i + 1 < size_ ? 2 : 1;
}

template <class Accept>
std::size_t TTextEditorParser::RunPairs(std::size_t p, Accept accept) const {
    while (p + 1 < size_ && At(p + 1) != 0 && accept(At(p), At(p + 1))) p += 2;
    return p;
}

void TTextEditorParser::NextToken() {
    std::size_t p = source_pos_;
    while (Is(At(p), kBlank)) ++p;
    source_pos_ = token_pos_ = p;
    if (IsLineEnd(p) || p >= size_) {
        token_ = tkEnd;
        return;
    }
    if (view_) {
        if (ScanBrackets()) return;
        if (mail_ && ScanMail()) return;
        if (url_ && ScanUrl()) return;
        if (StartsWith(p, commenter_)) {
            while (!IsLineEnd(source_pos_)) source_pos_ += CharLen(source_pos_);
            token_ = tkComment;
            return;
        }
        if (ScanString()) return;
        if (StartsWith(p, hex_prefix_)) {
            source_pos_ = p + hex_prefix_.size();
            while (IsHex(At(source_pos_))) ++source_pos_;
            token_ = tkInteger;
            return;
        }
        if (At(p) == '#' && control_code_) {
            source_pos_ = p + 1;
            if (At(source_pos_) == '$') {
                ++source_pos_;
                while (IsHex(At(source_pos_))) ++source_pos_;
            } else {
                while (IsDigit(At(source_pos_))) ++source_pos_;
            }
            token_ = tkString;
            return;
        }
    }
    ScanCharClass();
}

bool TTextEditorParser::ScanBrackets() {
    if (bracket_state_ < -1 || (bracket_count_ == 0 && bracket_state_ < 0)) return false;
    const TTextEditorBracketCollection& brackets = view_->Brackets();
    if (bracket_state_ >= 0) {
        if (bracket_state_ >= brackets.Count()) {
            // The pair was deleted since the state was stored.
            bracket_state_ = -1;
            return false;
        }
        bracket_index_ = bracket_state_;
        ScanRightBracket();
        token_ = tkBracket;
        return true;
    }
    for (int i = 0; i < brackets.Count(); ++i) {
        const std::string& left = brackets.Items(i).LeftBracket();
        if (StartsWith(source_pos_, left)) {
            bracket_state_ = bracket_index_ = i;
            source_pos_ += left.size();
            ScanRightBracket();
            token_ = tkBracket;
            return true;
        }
    }
    return false;
}

void TTextEditorParser::ScanRightBracket() {
    const std::string& right = view_->Brackets().Items(bracket_index_).RightBracket();
    if (right.empty()) return;
    while (!IsLineEnd(source_pos_)) {
        if (StartsWith(source_pos_, right)) {
            source_pos_ += right.size();
            bracket_state_ = -1;
            return;
        }
        source_pos_ += CharLen(source_pos_);
    }
}

bool TTextEditorParser::ScanMail() {
    std::size_t p = source_pos_;
    if (!IsMailStart(At(p))) return false;
    ++p;
    bool at_sign = false, ok = false;
    while (IsMailChar(At(p))) {
        if (At(p) == '@') at_sign = true;
        if (At(p) == '.' && at_sign) ok = true;
        ++p;
    }
    if (!ok) return false;
    source_pos_ = p;
    token_ = tkMail;
    return true;
}

bool TTextEditorParser::ScanUrl() {
    std::size_t p = source_pos_;
    std::size_t prefix = 0;
    switch (At(p)) {
    case 'f':
        if (StartsWith(p, "ftp:")) prefix = 4;
        break;
    case 'h':
        if (StartsWith(p, "http:")) prefix = 5;
        else if (StartsWith(p, "https:")) prefix = 6;
        break;
    case 'w':
        if (StartsWith(p, "www.")) prefix = 4;
        break;
    default:
        break;
    }
    if (prefix == 0) return false;
    p += prefix;
    while (IsUrlChar(At(p))) ++p;
    source_pos_ = p;
    token_ = tkUrl;
    return true;
}

bool TTextEditorParser::ScanString() {
    std::string_view q = quotation_;
    if (q.empty() || !StartsWith(source_pos_, q)) return false;
    std::size_t p = source_pos_ + q.size();
    // Walks whole characters so a quote byte never closes the string in the
    // middle of a double-byte pair.
    while (!IsLineEnd(p)) {
        if (StartsWith(p, q)) {
            p += q.size();
            if (!StartsWith(p, q)) break;
            p += q.size();
            continue;
        }
        p += CharLen(p);
    }
    source_pos_ = p;
    token_ = tkString;
    return true;
}

void TTextEditorParser::ScanExponent() {
    // At 'E' or 'e': it stays in the token even without digits after it.
    std::size_t p = source_pos_ + 1;
    if ((At(p) == '+' || At(p) == '-')) ++p;
    while (IsDigit(At(p))) ++p;
    source_pos_ = p;
}

void TTextEditorParser::ScanCharClass() {
    std::size_t p = source_pos_;
    unsigned char b = At(p);
    unsigned char t = p + 1 < size_ ? At(p + 1) : 0;
    bool pair = IsSjisLeadByte(b) && t != 0;

    if (b == '_' || IsAlpha(b)) {
        while (IsWordChar(At(p))) ++p;
        token_ = tkWord;
    } else if (IsDigit(b)) {
        while (IsDigit(At(p))) ++p;
        token_ = tkInteger;
        if (At(p) == '.') {
            token_ = tkFloat;
            if (IsDigit(At(p + 1))) {
                p += 1;
                while (IsDigit(At(p))) ++p;
                if (At(p) == 'E' || At(p) == 'e') {
                    source_pos_ = p;
                    ScanExponent();
                    p = source_pos_;
                }
            } else if (At(p + 1) == 'E' || At(p + 1) == 'e') {
                source_pos_ = p + 1;
                ScanExponent();
                p = source_pos_;
            }
        } else if (At(p) == 'E' || At(p) == 'e') {
            token_ = tkFloat;
            source_pos_ = p;
            ScanExponent();
            p = source_pos_;
        }
    } else if (b == '\t') {
        ++p;
        token_ = tkTab;
    } else if (pair && b == 0x81) {
        p += 2;
        token_ = tkDbSymbol;
    } else if (pair && b == 0x82 && DbDigit(b, t)) {
        p = RunPairs(p, DbDigit);
        token_ = tkDbDigits;
    } else if (pair && b == 0x82 && DbLetter(b, t)) {
        p = RunPairs(p, DbLetter);
        token_ = tkDbLetters;
    } else if (pair && b == 0x82 && Hiragana(b, t)) {
        p = RunPairs(p, Hiragana);
        token_ = tkHiragana;
    } else if (pair && b == 0x83 && Katakana(b, t)) {
        p = RunPairs(p, Katakana);
        token_ = tkKatakana;
    } else if (pair && b == 0x83 && Greek(b, t)) {
        p = RunPairs(p, Greek);
        token_ = tkDbSymbol;
    } else if (pair && Lead84to87(b, t)) {
        p = RunPairs(p, Lead84to87);
        token_ = tkDbSymbol;
    } else if (pair && KanjiLead(b, t)) {
        p = RunPairs(p, KanjiLead);
        token_ = tkKanji;
    } else if (pair) {
        // 0x82 or 0x83 with a trail byte outside the assigned ranges: one
        // double-byte symbol, so the pair stays whole.
        p += 2;
        token_ = tkDbSymbol;
    } else if (b >= 0xA1 && b <= 0xA5) {
        ++p;
        token_ = tkHalfPunct;
    } else if (b >= 0xA6 && b <= 0xDF) {
        while (At(p) >= 0xA6 && At(p) <= 0xDF) ++p;
        token_ = tkHalfKana;
    } else {
        ++p;
        token_ = tkSymbol;
    }
    source_pos_ = p;
}
