#include "ui/menus.h"

#include "base/strutil.h"

namespace {
UINT NextCommandId() {
    static UINT next = 1000;
    return next++;
}
}  // namespace

std::string ShortCutToText(TShortCut sc) {
    std::string s;
    if (sc & scCtrl) s += "Ctrl+";
    if (sc & scShift) s += "Shift+";
    if (sc & scAlt) s += "Alt+";
    unsigned vk = sc & 0xFF;
    if (vk >= VK_F1 && vk <= VK_F24) {
        s += Format("F%u", vk - VK_F1 + 1);
    } else if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) {
        s += char(vk);
    } else if (vk == VK_RETURN) {
        s += "Enter";
    } else if (vk == VK_DELETE) {
        s += "Del";
    } else {
        s += Format("#%u", vk);
    }
    return s;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(NextCommandId()) {}

TMenuItem* TMenuItem::Add(TMenuItem* child) {
    child->parentItem_ = this;
    items_.push_back(child);
    return child;
}

TMenuItem* TMenuItem::Root() {
    TMenuItem* r = this;
    while (r->parentItem_) r = r->parentItem_;
    return r;
}

void TMenuItem::SetCaption(const std::string& c) {
    caption_ = c;
    ApplyState();
}

void TMenuItem::SetChecked(bool c) {
    checked_ = c;
    ApplyState();
}

void TMenuItem::SetEnabled(bool e) {
    enabled_ = e;
    ApplyState();
}

void TMenuItem::SetVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    // Hidden items are left out of the Win32 menu, so the structure changes.
    if (TMenuItem* root = Root(); root->menu_) root->menu_->Rebuild();
}

void TMenuItem::ApplyState() {
    if (!owningMenu_) return;
    std::string text = caption_;
    if (ShortCut) text += "\t" + ShortCutToText(ShortCut);
    MENUITEMINFOA mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_STATE | MIIM_STRING;
    mi.fState = (checked_ ? MFS_CHECKED : 0) | (enabled_ ? 0 : MFS_DISABLED);
    mi.dwTypeData = const_cast<char*>(text.c_str());
    SetMenuItemInfoA(owningMenu_, command_, FALSE, &mi);
    TMainMenu* bar = Root()->menu_;
    if (bar && bar->Window() && !parentItem_->parentItem_) DrawMenuBar(bar->Window());
}

void TMenuItem::Click() {
    if (enabled_) Fire(OnClick, this);
}

TMenuItem* TMenuItem::FindByCommand(UINT id) {
    if (command_ == id) return this;
    for (TMenuItem* c : items_) {
        if (TMenuItem* f = c->FindByCommand(id)) return f;
    }
    return nullptr;
}

TMenuItem* TMenuItem::FindByPopup(HMENU h) {
    if (popup_ == h && h) return this;
    for (TMenuItem* c : items_) {
        if (TMenuItem* f = c->FindByPopup(h)) return f;
    }
    return nullptr;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut sc) {
    if (ShortCut == sc && visible_ && parentItem_) return this;
    for (TMenuItem* c : items_) {
        if (TMenuItem* f = c->FindShortCut(sc)) return f;
    }
    return nullptr;
}

void TMenuItem::FillMenu(HMENU menu, TMenuItem* item) {
    for (TMenuItem* c : item->Items()) {
        if (!c->Visible()) continue;
        c->owningMenu_ = menu;
        c->popup_ = nullptr;
        if (c->Caption() == "-") {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::string text = c->Caption();
        if (c->ShortCut) text += "\t" + ShortCutToText(c->ShortCut);
        UINT flags = MF_STRING | (c->Checked() ? MF_CHECKED : 0) | (c->Enabled() ? 0 : MF_GRAYED);
        if (!c->Items().empty()) {
            c->popup_ = CreatePopupMenu();
            FillMenu(c->popup_, c);
            // Submenus are found by command id too, so give them theirs.
            AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(c->popup_), text.c_str());
            MENUITEMINFOA mi{};
            mi.cbSize = sizeof mi;
            mi.fMask = MIIM_ID;
            mi.wID = c->Command();
            SetMenuItemInfoA(menu, GetMenuItemCount(menu) - 1, TRUE, &mi);
        } else {
            AppendMenuA(menu, flags, c->Command(), text.c_str());
        }
    }
}

TMainMenu::TMainMenu(TComponent* owner) : TComponent(owner), root_(new TMenuItem(this)) {
    root_->menu_ = this;
}

void TMainMenu::Rebuild() {
    HMENU fresh = CreateMenu();
    TMenuItem::FillMenu(fresh, root_);
    HMENU old = handle_;
    handle_ = fresh;
    if (window_) {
        SetMenu(window_, handle_);
        DrawMenuBar(window_);
    }
    if (old) DestroyMenu(old);
}

void TMainMenu::AttachTo(HWND hwnd) {
    window_ = hwnd;
    Rebuild();
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), root_(new TMenuItem(this)) {}

void TPopupMenu::Popup(HWND owner, int x, int y) {
    Fire(OnPopup, this);
    HMENU menu = CreatePopupMenu();
    TMenuItem::FillMenu(menu, root_);
    UINT id = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
    for (TMenuItem* c : root_->Items()) c->owningMenu_ = nullptr;
    DestroyMenu(menu);
    if (id) {
        if (TMenuItem* item = root_->FindByCommand(id)) item->Click();
    }
}
