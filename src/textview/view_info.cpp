#include "textview/view_info.h"

#include "base/sjis.h"

TTextEditorViewInfo::TTextEditorViewInfo() {
    brackets_.OnChange = [this](TNotifyPersistent&) { Changed(); };
    colors_.OnChange = [this](TNotifyPersistent&) { Changed(); };
}

void TTextEditorViewInfo::SetQuotation(const std::string& v) {
    SetValue(quotation_, v.empty() ? std::string() : v.substr(0, SjisCharLength(v, 0)));
}

void TTextEditorViewInfo::Assign(const TTextEditorViewInfo& s) {
    BeginUpdate();
    brackets_.Assign(s.brackets_);
    colors_.Assign(s.colors_);
    SetCommenter(s.commenter_);
    SetControlCode(s.control_code_);
    SetHexPrefix(s.hex_prefix_);
    SetMail(s.mail_);
    SetQuotation(s.quotation_);
    SetUrl(s.url_);
    EndUpdate();
}
