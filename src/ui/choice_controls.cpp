#include "ui/choice_controls.h"

#include <algorithm>

TRadioButton::TRadioButton(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) {
    width_ = 150;
    height_ = 17;
    CreateHandle("BUTTON", WS_TABSTOP | BS_RADIOBUTTON);
}

bool TRadioButton::Checked() const {
    return handle_ && SendMessageA(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TRadioButton::SetChecked(bool c) {
    SendMessageA(handle_, BM_SETCHECK, c ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!c || !parent_) return;
    for (TControl* sibling : parent_->Controls()) {
        auto* other = dynamic_cast<TRadioButton*>(sibling);
        if (other && other != this) SendMessageA(other->handle_, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

void TRadioButton::CommandNotify(WORD code) {
    if (code != BN_CLICKED) return;
    SetChecked(true);
    Click();
}

TComboBox::TComboBox(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) {
    width_ = 145;
    height_ = 200;
    CreateHandle("COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL);
    SyncBoundsFromWindow();
}

void TComboBox::BoundsChanged() {
    // The window's height is that of the dropped-down list; the box itself
    // is as high as its font makes it.
    if (handle_) {
        SetWindowPos(handle_, nullptr, left_, top_, width_, std::max(height_, 200),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
}

std::string TComboBox::Text() const {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(handle_)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(handle_, &text[0], static_cast<int>(text.size()))));
    return text;
}

void TComboBox::SetText(const std::string& text) { SetWindowTextA(handle_, text.c_str()); }

std::vector<std::string> TComboBox::Items() const {
    std::vector<std::string> items;
    const int n = static_cast<int>(SendMessageA(handle_, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        const LRESULT len = SendMessageA(handle_, CB_GETLBTEXTLEN, i, 0);
        std::string item(len > 0 ? static_cast<std::size_t>(len) + 1 : 1, '\0');
        const LRESULT got = SendMessageA(handle_, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&item[0]));
        item.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        items.push_back(item);
    }
    return items;
}

void TComboBox::SetItems(const std::vector<std::string>& items) {
    const std::string text = Text();
    SendMessageA(handle_, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items) {
        SendMessageA(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    SetText(text);
}

void TComboBox::InsertItem(int index, const std::string& item) {
    SendMessageA(handle_, CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(item.c_str()));
}

