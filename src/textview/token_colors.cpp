#include "textview/token_colors.h"

#include "textview/reserve_word_list.h"
#include "textview/view_info.h"

const TTextEditorColor* TokenColor(const TTextEditorViewInfo& view, const TReserveWordList& reserved,
                                   TokenKind kind, std::string_view token, int bracket_index) {
    const TTextEditorColors& c = view.Colors();
    auto reserve_or = [&](const TTextEditorColor& other) {
        return reserved.Count() > 0 && reserved.Find(token) ? &c.Reserve : &other;
    };
    switch (kind) {
    case tkSymbol: return reserve_or(c.Symbol);
    case tkString: return &c.Str;
    case tkInteger:
    case tkFloat: return &c.Int;
    case tkBracket:
        if (bracket_index >= 0 && bracket_index < view.Brackets().Count())
            return &view.Brackets().Items(bracket_index).ItemColor();
        return nullptr;
    case tkComment: return &c.Comment;
    case tkWord: return reserve_or(c.Ank);
    case tkDbSymbol:
    case tkDbDigits:
    case tkDbLetters:
    case tkHiragana:
    case tkKatakana:
    case tkKanji:
    case tkHalfPunct:
    case tkHalfKana: return reserve_or(c.DBCS);
    case tkUrl: return reserve_or(c.Url);
    case tkMail: return reserve_or(c.Mail);
    default: return nullptr;
    }
}
