// Line-breaking settings of word wrap (published as WrapOption).
#pragma once
#include <string>

#include "textview/notify_persistent.h"

class TTextEditorWrapOption : public TNotifyPersistent {
public:
    static const char* const kDefaultFollowStr;
    static const char* const kDefaultLeadStr;
    static const char* const kDefaultPunctuationStr;

    TTextEditorWrapOption();

    bool FollowRetMark() const { return follow_ret_mark_; }
    bool FollowPunctuation() const { return follow_punctuation_; }
    const std::string& FollowStr() const { return follow_str_; }
    bool Leading() const { return leading_; }
    const std::string& LeadStr() const { return lead_str_; }
    const std::string& PunctuationStr() const { return punctuation_str_; }
    bool WordBreak() const { return word_break_; }
    int WrapByte() const { return wrap_byte_; }

    void SetFollowRetMark(bool v) { SetValue(follow_ret_mark_, v); }
    void SetFollowPunctuation(bool v) { SetValue(follow_punctuation_, v); }
    void SetFollowStr(const std::string& v) { SetValue(follow_str_, v); }
    void SetLeading(bool v) { SetValue(leading_, v); }
    void SetLeadStr(const std::string& v) { SetValue(lead_str_, v); }
    void SetPunctuationStr(const std::string& v) { SetValue(punctuation_str_, v); }
    void SetWordBreak(bool v) { SetValue(word_break_, v); }
    // Clamped to 20..250, never rejected.
    void SetWrapByte(int v) { SetValue(wrap_byte_, v < 20 ? 20 : v > 250 ? 250 : v); }

    // Copies all eight properties with a single notification.
    void Assign(const TTextEditorWrapOption& source);

private:
    bool follow_ret_mark_ = false;
    bool follow_punctuation_ = false;
    std::string follow_str_;
    bool leading_ = false;
    std::string lead_str_;
    std::string punctuation_str_;
    bool word_break_ = false;
    int wrap_byte_ = 80;
};
