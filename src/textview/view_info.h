// Token colouring rules of the view (published as View): brackets, colours,
// comment leader, quote, hex prefix and the control-code, URL and mail
// switches.
#pragma once
#include <string>

#include "textview/bracket_collection.h"
#include "textview/text_colors.h"

class TTextEditorViewInfo : public TNotifyPersistent {
public:
    TTextEditorViewInfo();

    TTextEditorBracketCollection& Brackets() { return brackets_; }
    const TTextEditorBracketCollection& Brackets() const { return brackets_; }
    TTextEditorColors& Colors() { return colors_; }
    const TTextEditorColors& Colors() const { return colors_; }
    const std::string& Commenter() const { return commenter_; }
    bool ControlCode() const { return control_code_; }
    const std::string& HexPrefix() const { return hex_prefix_; }
    bool Mail() const { return mail_; }
    const std::string& Quotation() const { return quotation_; }
    bool Url() const { return url_; }

    void SetCommenter(const std::string& v) { SetValue(commenter_, v); }
    void SetControlCode(bool v) { SetValue(control_code_, v); }
    void SetHexPrefix(const std::string& v) { SetValue(hex_prefix_, v); }
    void SetMail(bool v) { SetValue(mail_, v); }
    // Keeps only the first character (both bytes of a double-byte one).
    void SetQuotation(const std::string& v);
    void SetUrl(bool v) { SetValue(url_, v); }

    void Assign(const TTextEditorViewInfo& source);

private:
    TTextEditorBracketCollection brackets_;
    TTextEditorColors colors_;
    std::string commenter_;
    bool control_code_ = false;
    std::string hex_prefix_;
    bool mail_ = false;
    std::string quotation_;
    bool url_ = false;
};
