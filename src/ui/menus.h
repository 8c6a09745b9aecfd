// Menus whose items have names, so that one handler can serve several items
// and tell them apart by name, and code can hide or check items by name.
#pragma once
#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/win32.h"

// Shortcut: virtual key plus modifier bits.
enum : unsigned { scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000 };
using TShortCut = unsigned;
std::string ShortCutToText(TShortCut sc);

class TMainMenu;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& c);
    bool Checked() const { return checked_; }
    void SetChecked(bool c);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool e);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    TShortCut ShortCut = 0;
    TNotifyEvent OnClick;

    TMenuItem* Add(TMenuItem* child);
    const std::vector<TMenuItem*>& Items() const { return items_; }
    TMenuItem* Parent() const { return parentItem_; }
    UINT Command() const { return command_; }
    void Click();

    // Appends the visible children of `item` to a Win32 menu, recursively.
    static void FillMenu(HMENU menu, TMenuItem* item);
    TMenuItem* FindByCommand(UINT id);
    TMenuItem* FindByPopup(HMENU h);
    TMenuItem* FindShortCut(TShortCut sc);

private:
    void ApplyState();
    TMenuItem* Root();
    std::string caption_;
    bool checked_ = false, enabled_ = true, visible_ = true;
    std::vector<TMenuItem*> items_;
    TMenuItem* parentItem_ = nullptr;
    UINT command_;
    HMENU owningMenu_ = nullptr;  // the Win32 menu this item sits in, when built
    HMENU popup_ = nullptr;       // its own submenu, when it has children
    TMainMenu* menu_ = nullptr;  // set on the root item of a main menu
    friend class TMainMenu;
    friend class TPopupMenu;
};

class TForm;

class TMainMenu : public TComponent {
public:
    explicit TMainMenu(TComponent* owner);
    TMenuItem* Items() { return root_; }
    // Rebuilds the window's menu bar (after items are added, hidden or shown).
    void Rebuild();
    void AttachTo(HWND hwnd);
    HMENU Handle() const { return handle_; }
    HWND Window() const { return window_; }

private:
    TMenuItem* root_;
    HMENU handle_ = nullptr;
    HWND window_ = nullptr;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner);
    TMenuItem* Items() { return root_; }
    TNotifyEvent OnPopup;
    TObject* PopupComponent = nullptr;
    // Shows the menu at screen coordinates and runs the chosen item.
    void Popup(HWND owner, int x, int y);

private:
    TMenuItem* root_;
};
