// The one set of helpers that forms use to put their controls down: each
// makes a control owned by `owner` inside `parent`, names it and places it.
// Sizes are the caller's; a label sizes itself to its caption.
#pragma once
#include <string>

#include "ui/buttons.h"
#include "ui/controls.h"
#include "ui/extctrls.h"

struct TBounds {
    int X, Y, W, H;
};

template <class T>
T* AddControl(TComponent* owner, TWinControl* parent, const std::string& name, const TBounds& b) {
    auto* c = new T(owner, parent);
    c->Name = name;
    c->SetBounds(b.X, b.Y, b.W, b.H);
    return c;
}

// One line high, as wide as its caption.
TLabel* AddLabel(TComponent* owner, TWinControl* parent, const std::string& name, const std::string& caption,
                 int x, int y);
TButton* AddButton(TComponent* owner, TWinControl* parent, const std::string& name, const std::string& caption,
                   const TBounds& bounds);
// Raised, not flat: the dialogs' buttons look like push buttons.
TSpeedButton* AddSpeedButton(TComponent* owner, TWinControl* parent, const std::string& name,
                             const std::string& caption, const TBounds& bounds);
TCheckBox* AddCheckBox(TComponent* owner, TWinControl* parent, const std::string& name, const std::string& caption,
                       const TBounds& bounds);
TGroupBox* AddGroupBox(TComponent* owner, TWinControl* parent, const std::string& name, const std::string& caption,
                       const TBounds& bounds);
// A panel without bevel that fills its side of the parent.
TPanel* AddPanel(TComponent* owner, TWinControl* parent, const std::string& name, TAlign align);
// A page whose tab shows the caption; the page itself, a panel, would
// paint it again in its middle.
TTabSheet* AddPage(TPageControl* pages, const char* name, const char* caption);
