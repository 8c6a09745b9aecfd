#include "textview/text_parser.h"

#include "base/sjis.h"
#include "textview/view_info.h"

// Speed matters here (every painted row and every bracket state is a
// scan), and tokens of mixed text come in no predictable order: each token
// goes through one table-driven dispatch on its first byte, and the rules of
// the view are tried only for bytes that can begin one of them.

#if defined(__GNUC__)
#define QM_NOINLINE __attribute__((noinline))
#else
#define QM_NOINLINE
#endif

namespace {

enum : std::uint16_t {
    kDigit = 1,
    kAlpha = 2,
    kHex = 4,
    kMailStart = 8,
    kMailChar = 16,
    kUrlChar = 32,
    kBlank = 64,
    kWord = 128,
    kHalfKana = 256,
};

// The rules of a view a byte can begin.
enum : std::uint8_t {
    kRuleBracket = 1,
    kRuleMail = 2,
    kRuleUrl = 4,
    kRuleComment = 8,
    kRuleString = 16,
    kRuleHex = 32,
    kRuleControl = 64,
};

// How NextToken treats a token's first byte; the second half are the same
// kinds for bytes that can also begin a rule of the view.
enum CharKind : std::uint8_t {
    ckEnd,    // NUL, CR, LF: never a rule
    ckSingle, // one byte: symbol, tab or half-width punctuation
    ckWord,
    ckDigit,
    ckLead,
    ckHalfKana,
    ckRuleSingle,
    ckRuleWord,
    ckRuleDigit,
    ckRuleLead,
    ckRuleHalfKana,
};
constexpr std::uint8_t kRuleKinds = ckRuleSingle - ckSingle;

// Runs of double-byte characters. A pair starts run n (0: a single pair)
// and a run n goes on over the pairs whose bit 1 << n is set.
enum : std::uint8_t {
    kRunSingle = 0,
    kRunDigits,
    kRunLetters,
    kRunHiragana,
    kRunKatakana,
    kRunGreek,
    kRun84to87,
    kRunKanji,
};
constexpr TokenKind kRunToken[8] = {tkDbSymbol, tkDbDigits, tkDbLetters, tkHiragana,
                                    tkKatakana, tkDbSymbol, tkDbSymbol,  tkKanji};

// The pair tables: one row of 256 trail bytes for each lead byte group.
enum : std::uint8_t { kRowNone, kRow81, kRow82, kRow83, kRow84to87, kRowKanji, kRowCount };

// One table lookup per byte instead of chains of comparisons.
struct ClassTable {
    std::uint16_t c[256] = {};
    // For a token's first byte of kind ckSingle: its token.
    TokenKind single[256] = {};
    // Kinds and rules of the first bytes for each Mail (bit 0) and Url
    // (bit 1) setting; a parser adds the rules of its view's strings.
    std::uint8_t kind[4][256] = {};
    std::uint8_t rules[4][256] = {};
    // Double-byte characters: the row of a lead byte, the run a pair starts
    // and the runs a pair goes on in (never for a NUL trail byte).
    std::uint8_t row_of[256] = {};
    std::uint8_t starts[kRowCount][256] = {};
    std::uint8_t goes_on[kRowCount][256] = {};

    ClassTable() {
        for (int i = '0'; i <= '9'; ++i)
            c[i] |= kDigit | kHex | kMailStart | kMailChar | kUrlChar | kWord;
        for (int i = 'A'; i <= 'Z'; ++i)
            c[i] |= kAlpha | kMailStart | kMailChar | kUrlChar | kWord;
        for (int i = 'a'; i <= 'z'; ++i)
            c[i] |= kAlpha | kMailStart | kMailChar | kUrlChar | kWord;
        c['_'] |= kWord;
        for (int i = 'A'; i <= 'F'; ++i)
            c[i] |= kHex;
        for (int i = 'a'; i <= 'f'; ++i)
            c[i] |= kHex;
        for (unsigned char ch : std::string_view("!$%&*,-./;=?^_~"))
            c[ch] |= kMailStart | kMailChar;
        c['@'] |= kMailChar;
        for (unsigned char ch : std::string_view("%-./:=?_~"))
            c[ch] |= kUrlChar;
        for (int i = 0x01; i <= 0x20; ++i)
            if (i != '\t') c[i] |= kBlank;
        for (int i = 0xA6; i <= 0xDF; ++i)
            c[i] |= kHalfKana;

        for (int i = 0; i < 256; ++i) {
            CharKind k = ckSingle;
            single[i] = tkSymbol;
            if (i == 0 || i == '\r' || i == '\n')
                k = ckEnd;
            else if (i == '_' || (c[i] & kAlpha))
                k = ckWord;
            else if (c[i] & kDigit)
                k = ckDigit;
            else if (IsSjisLeadByte(static_cast<unsigned char>(i)))
                k = ckLead;
            else if (c[i] & kHalfKana)
                k = ckHalfKana;
            else if (i == '\t')
                single[i] = tkTab;
            else if (i >= 0xA1 && i <= 0xA5)
                single[i] = tkHalfPunct;
            for (int v = 0; v < 4; ++v) {
                if ((v & 1) && (c[i] & kMailStart)) rules[v][i] |= kRuleMail;
                if ((v & 2) && (i == 'f' || i == 'h' || i == 'w')) rules[v][i] |= kRuleUrl;
                kind[v][i] = rules[v][i] ? k + kRuleKinds : k;
            }
        }
        InitPairs();
    }

    void InitPairs() {
        row_of[0x81] = kRow81;
        row_of[0x82] = kRow82;
        row_of[0x83] = kRow83;
        for (int l = 0x84; l <= 0x87; ++l)
            row_of[l] = kRow84to87;
        for (int l = 0x88; l <= 0x9F; ++l)
            row_of[l] = kRowKanji;
        for (int l = 0xE0; l <= 0xFC; ++l)
            row_of[l] = kRowKanji;
        // Every pair of 0x81 is a single symbol, and 0x82 and 0x83 pairs
        // outside these ranges are too; a few 0x81 pairs go on in runs.
        const struct {
            std::uint8_t row;
            int from, to;
            std::uint8_t run;
            bool starts;
        } ranges[] = {
            {kRow81, 0x43, 0x44, kRunDigits, false},    {kRow81, 0x5B, 0x5B, kRunHiragana, false},
            {kRow81, 0x5B, 0x5B, kRunKatakana, false},  {kRow81, 0x7C, 0x7C, kRunHiragana, false},
            {kRow81, 0x7C, 0x7C, kRunKatakana, false},  {kRow82, 0x4F, 0x58, kRunDigits, true},
            {kRow82, 0x60, 0x9A, kRunLetters, true},    {kRow82, 0x9F, 0xF1, kRunHiragana, true},
            {kRow83, 0x40, 0x96, kRunKatakana, true},   {kRow83, 0x9F, 0xF0, kRunGreek, true},
            {kRow84to87, 0x01, 0xFF, kRun84to87, true}, {kRowKanji, 0x01, 0xFF, kRunKanji, true}};
        for (const auto& r : ranges)
            for (int t = r.from; t <= r.to; ++t) {
                if (r.starts) starts[r.row][t] = r.run;
                goes_on[r.row][t] |= static_cast<std::uint8_t>(1u << r.run);
            }
    }
};
const ClassTable kClass;

bool Is(unsigned char ch, std::uint16_t what) {
    return (kClass.c[ch] & what) != 0;
}
bool IsDigit(unsigned char c) {
    return Is(c, kDigit);
}
bool IsHex(unsigned char c) {
    return Is(c, kHex);
}

} // namespace

const char* TokenKindName(TokenKind k) {
    switch (k) {
    case tkEnd:
        return "end";
    case tkSymbol:
        return "symbol";
    case tkString:
        return "string";
    case tkInteger:
        return "integer";
    case tkFloat:
        return "float";
    case tkBracket:
        return "bracket";
    case tkComment:
        return "comment";
    case tkWord:
        return "word";
    case tkTab:
        return "tab";
    case tkDbSymbol:
        return "dbsymbol";
    case tkDbDigits:
        return "dbdigits";
    case tkDbLetters:
        return "dbletters";
    case tkHiragana:
        return "hiragana";
    case tkKatakana:
        return "katakana";
    case tkKanji:
        return "kanji";
    case tkHalfPunct:
        return "halfpunct";
    case tkHalfKana:
        return "halfkana";
    case tkUrl:
        return "url";
    case tkMail:
        return "mail";
    }
    return "?";
}

TTextEditorParser::TTextEditorParser(const TTextEditorViewInfo* view, int bracket_state,
                                     std::string_view text)
    : view_(view) {
    if (view_) {
        mail_ = view_->Mail();
        url_ = view_->Url();
        control_code_ = view_->ControlCode();
        bracket_count_ = view_->Brackets().Count();
        commenter_ = view_->Commenter();
        hex_prefix_ = view_->HexPrefix();
        quotation_ = view_->Quotation();
    }
    SetUpRules(bracket_state >= -1);
    Reset(bracket_state, text);
}

void TTextEditorParser::SetUpRules(bool brackets_on) {
    brackets_on_ = brackets_on;
    if (!view_) {
        std::memcpy(kinds_, kClass.kind[0], sizeof kinds_);
        std::memset(rules_, 0, sizeof rules_);
        return;
    }
    const int v = (mail_ ? 1 : 0) | (url_ ? 2 : 0);
    std::memcpy(kinds_, kClass.kind[v], sizeof kinds_);
    std::memcpy(rules_, kClass.rules[v], sizeof rules_);
    auto add = [this](unsigned char c, std::uint8_t rule) {
        if (kinds_[c] == ckEnd) return; // the end of the text wins
        rules_[c] |= rule;
        if (kinds_[c] < ckRuleSingle) kinds_[c] += kRuleKinds;
    };
    auto add_first = [&add](std::string_view s, std::uint8_t rule) {
        if (!s.empty()) add(static_cast<unsigned char>(s[0]), rule);
    };
    if (control_code_) add('#', kRuleControl);
    add_first(commenter_, kRuleComment);
    add_first(hex_prefix_, kRuleHex);
    add_first(quotation_, kRuleString);
    // Below -1 the state switches brackets off for the whole row.
    if (brackets_on)
        for (int i = 0; i < bracket_count_; ++i)
            add_first(view_->Brackets().Items(i).LeftBracket(), kRuleBracket);
}

void TTextEditorParser::Reset(int bracket_state, std::string_view text) {
    if ((bracket_state >= -1) != brackets_on_) SetUpRules(bracket_state >= -1);
    bracket_state_ = bracket_state;
    bracket_index_ = -2;
    text_ = reinterpret_cast<const unsigned char*>(text.data());
    size_ = text.size();
    source_pos_ = token_pos_ = 0;
    mail_fail_end_ = 0;
    NextToken();
}

bool TTextEditorParser::MayChangeBracketState(int state, std::string_view text) const {
    // Without a view, or below -1, brackets are off and nothing changes the state.
    if (!view_ || state < -1) return false;
    const TTextEditorBracketCollection& brackets = view_->Brackets();
    auto holds = [&text](const std::string& bracket) {
        return std::memchr(text.data(), static_cast<unsigned char>(bracket[0]), text.size()) != nullptr;
    };
    if (state >= 0) {
        // A pair that is gone or cannot close lets the row go on outside.
        if (state >= bracket_count_ || brackets.Items(state).RightBracket().empty()) return true;
        return holds(brackets.Items(state).RightBracket());
    }
    for (int i = 0; i < bracket_count_; ++i) {
        const std::string& left = brackets.Items(i).LeftBracket();
        if (!left.empty() && holds(left)) return true;
    }
    return false;
}

std::size_t TTextEditorParser::CharLen(std::size_t i) const {
    return IsSjisLeadByte(At(i)) && At(i + 1) != 0 && i + 1 < size_ ? 2 : 1;
}

void TTextEditorParser::NextToken() {
    // The common tokens are scanned here without a stack frame; brackets
    // and rules go to functions of their own.
    std::size_t p = source_pos_;
    while (Is(At(p), kBlank))
        ++p;
    token_pos_ = p;
    const unsigned char c = At(p);
    const unsigned kind = kinds_[c];
    if (bracket_state_ >= 0 && view_ && kind != ckEnd) {
        BracketToken(p, c);
        return;
    }
    switch (kind) {
    case ckEnd:
        source_pos_ = p;
        token_ = tkEnd;
        return;
    case ckRuleSingle:
    case ckRuleWord:
    case ckRuleDigit:
    case ckRuleLead:
    case ckRuleHalfKana:
        RuleToken(p, c, ~0u);
        return;
    default:
        ScanClass(p, c, kind);
        return;
    }
}

QM_NOINLINE void TTextEditorParser::BracketToken(std::size_t p, unsigned char c) {
    source_pos_ = p;
    if (bracket_state_ < bracket_count_ &&
        !view_->Brackets().Items(bracket_state_).RightBracket().empty()) {
        bracket_index_ = bracket_state_;
        ScanRightBracket();
        token_ = tkBracket;
        return;
    }
    // The pair was deleted since the state was stored, or it has no right
    // bracket and so cannot run on: the row goes on outside, and a left
    // bracket counts again from the next token.
    bracket_state_ = -1;
    if (kinds_[c] >= ckRuleSingle)
        RuleToken(p, c, ~static_cast<unsigned>(kRuleBracket));
    else
        ScanClass(p, c, kinds_[c]);
}

QM_NOINLINE void TTextEditorParser::RuleToken(std::size_t p, unsigned char c, unsigned rule_mask) {
    source_pos_ = p;
    if (!ScanRules(p, c, rules_[c] & rule_mask)) ScanClass(p, c, kinds_[c] - kRuleKinds);
}

inline void TTextEditorParser::ScanClass(std::size_t p, unsigned char c, unsigned kind) {
    switch (kind) {
    case ckWord:
        ++p;
        while (Is(At(p), kWord))
            ++p;
        token_ = tkWord;
        break;
    case ckDigit:
        ScanNumber(p);
        return;
    case ckLead:
        p = ScanDoubleByte(p, c);
        break;
    case ckHalfKana:
        ++p;
        while (Is(At(p), kHalfKana))
            ++p;
        token_ = tkHalfKana;
        break;
    default:
        ++p;
        token_ = kClass.single[c];
        break;
    }
    source_pos_ = p;
}

bool TTextEditorParser::ScanRules(std::size_t p, unsigned char c, unsigned rules) {
    if ((rules & kRuleBracket) && bracket_state_ == -1 && ScanLeftBracket(p)) return true;
    if ((rules & kRuleMail) && p >= mail_fail_end_ && ScanMail(p)) return true;
    if ((rules & kRuleUrl) && ScanUrl(p, c)) return true;
    if ((rules & kRuleComment) && StartsWith(p, commenter_)) {
        while (!IsLineEnd(source_pos_))
            source_pos_ += CharLen(source_pos_);
        token_ = tkComment;
        return true;
    }
    if ((rules & kRuleString) && ScanString(p)) return true;
    if ((rules & kRuleHex) && StartsWith(p, hex_prefix_)) {
        source_pos_ = p + hex_prefix_.size();
        while (IsHex(At(source_pos_)))
            ++source_pos_;
        token_ = tkInteger;
        return true;
    }
    if (rules & kRuleControl) {
        source_pos_ = p + 1;
        if (At(source_pos_) == '$') {
            ++source_pos_;
            while (IsHex(At(source_pos_)))
                ++source_pos_;
        } else {
            while (IsDigit(At(source_pos_)))
                ++source_pos_;
        }
        token_ = tkString;
        return true;
    }
    return false;
}

bool TTextEditorParser::ScanLeftBracket(std::size_t p) {
    const TTextEditorBracketCollection& brackets = view_->Brackets();
    for (int i = 0; i < bracket_count_; ++i) {
        const TTextEditorBracketItem& item = brackets.Items(i);
        const std::string& left = item.LeftBracket();
        if (StartsWith(p, left)) {
            bracket_index_ = i;
            source_pos_ = p + left.size();
            // A pair without a right bracket is only its left bracket and
            // leaves the state outside: a state that no text can end would
            // give empty bracket tokens without end.
            bracket_state_ = item.RightBracket().empty() ? -1 : i;
            if (bracket_state_ >= 0) ScanRightBracket();
            token_ = tkBracket;
            return true;
        }
    }
    return false;
}

void TTextEditorParser::ScanRightBracket() {
    const std::string& right = view_->Brackets().Items(bracket_index_).RightBracket();
    while (!IsLineEnd(source_pos_)) {
        if (StartsWith(source_pos_, right)) {
            source_pos_ += right.size();
            bracket_state_ = -1;
            return;
        }
        source_pos_ += CharLen(source_pos_);
    }
}

bool TTextEditorParser::ScanMail(std::size_t p) {
    // The run needs an at sign and, after it, a '.'; the start set is the
    // mail set without the at sign. The word at p (if it is one) ends on
    // the way, which spares the word scan when the try fails.
    std::size_t q = p + 1;
    while (Is(At(q), kMailStart))
        ++q;
    bool ok = false;
    if (At(q) == '@') {
        ++q;
        while (Is(At(q), kMailChar) && At(q) != '.')
            ++q;
        ok = At(q) == '.';
        while (Is(At(q), kMailChar))
            ++q;
    }
    if (!ok) {
        mail_fail_end_ = q;
        return false;
    }
    source_pos_ = q;
    token_ = tkMail;
    return true;
}

bool TTextEditorParser::ScanUrl(std::size_t p, unsigned char c) {
    std::size_t prefix = 0;
    switch (c) {
    case 'f':
        if (StartsWith(p, "ftp:")) prefix = 4;
        break;
    case 'h':
        if (StartsWith(p, "http:"))
            prefix = 5;
        else if (StartsWith(p, "https:"))
            prefix = 6;
        break;
    case 'w':
        if (StartsWith(p, "www.")) prefix = 4;
        break;
    default:
        return false;
    }
    if (prefix == 0) return false;
    p += prefix;
    while (Is(At(p), kUrlChar))
        ++p;
    source_pos_ = p;
    token_ = tkUrl;
    return true;
}

bool TTextEditorParser::ScanString(std::size_t p) {
    std::string_view q = quotation_;
    if (!StartsWith(p, q)) return false;
    p += q.size();
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
    while (IsDigit(At(p)))
        ++p;
    source_pos_ = p;
}

void TTextEditorParser::ScanNumber(std::size_t p) {
    while (IsDigit(At(p)))
        ++p;
    token_ = tkInteger;
    if (At(p) == '.') {
        token_ = tkFloat;
        if (IsDigit(At(p + 1))) {
            p += 1;
            while (IsDigit(At(p)))
                ++p;
            if (At(p) == 'E' || At(p) == 'e') {
                source_pos_ = p;
                ScanExponent();
                return;
            }
        } else if (At(p + 1) == 'E' || At(p + 1) == 'e') {
            source_pos_ = p + 1;
            ScanExponent();
            return;
        }
    } else if (At(p) == 'E' || At(p) == 'e') {
        token_ = tkFloat;
        source_pos_ = p;
        ScanExponent();
        return;
    }
    source_pos_ = p;
}

std::size_t TTextEditorParser::ScanDoubleByte(std::size_t p, unsigned char lead) {
    const unsigned char trail = At(p + 1);
    if (trail == 0) {
        // A lone lead byte at the end of the text.
        token_ = tkSymbol;
        return p + 1;
    }
    const std::uint8_t run = kClass.starts[kClass.row_of[lead]][trail];
    token_ = kRunToken[run];
    p += 2;
    if (run == kRunSingle) return p;
    // A NUL trail byte (or the NUL after the text) goes on in no run, so
    // every pair taken here lies inside the text.
    const std::uint8_t bit = static_cast<std::uint8_t>(1u << run);
    while (kClass.goes_on[kClass.row_of[At(p)]][At(p + 1)] & bit)
        p += 2;
    return p;
}
