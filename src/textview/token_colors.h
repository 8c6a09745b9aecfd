// Which colour entry of the view paints a token.
#pragma once
#include <string_view>

#include "textview/text_parser.h"

class TTextEditorColor;
class TTextEditorViewInfo;
class TReserveWordList;

// The entry for a token, or null when the token keeps the control's own
// colours (tabs, end). Only symbols, words, double-byte runs, URLs and mail
// addresses are looked up in the reserved words.
const TTextEditorColor* TokenColor(const TTextEditorViewInfo& view, const TReserveWordList& reserved,
                                   TokenKind kind, std::string_view token, int bracket_index);
