#include "textview/wrap_option.h"

const char* const TTextEditorWrapOption::kDefaultFollowStr =
    "、。，．・？！゛゜ヽヾゝゞ々ー）］｝」』!),.:;?]}｡｣､･ｰﾞﾟ";
const char* const TTextEditorWrapOption::kDefaultLeadStr = "（［｛「『([{｢";
const char* const TTextEditorWrapOption::kDefaultPunctuationStr = "、。，．,.｡､";

TTextEditorWrapOption::TTextEditorWrapOption()
    : follow_str_(kDefaultFollowStr), lead_str_(kDefaultLeadStr),
      punctuation_str_(kDefaultPunctuationStr) {}

void TTextEditorWrapOption::Assign(const TTextEditorWrapOption& s) {
    BeginUpdate();
    SetFollowRetMark(s.follow_ret_mark_);
    SetFollowPunctuation(s.follow_punctuation_);
    SetFollowStr(s.follow_str_);
    SetLeading(s.leading_);
    SetLeadStr(s.lead_str_);
    SetPunctuationStr(s.punctuation_str_);
    SetWordBreak(s.word_break_);
    SetWrapByte(s.wrap_byte_);
    EndUpdate();
}
