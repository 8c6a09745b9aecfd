#include "ui/builders.h"

TLabel* AddLabel(TComponent* owner, TWinControl* parent, const std::string& name, const std::string& caption,
                 int x, int y) {
    auto* l = AddControl<TLabel>(owner, parent, name, {x, y, 0, 17});
    l->SetCaption(caption);
    return l;
}

TButton* AddButton(TComponent* owner, TWinControl* parent, const std::string& name, const std::string& caption,
                   const TBounds& bounds) {
    auto* b = AddControl<TButton>(owner, parent, name, bounds);
    b->SetCaption(caption);
    return b;
}

TSpeedButton* AddSpeedButton(TComponent* owner, TWinControl* parent, const std::string& name,
                             const std::string& caption, const TBounds& bounds) {
    auto* b = AddControl<TSpeedButton>(owner, parent, name, bounds);
    b->Flat = false;
    b->SetCaption(caption);
    return b;
}

TCheckBox* AddCheckBox(TComponent* owner, TWinControl* parent, const std::string& name, const std::string& caption,
                       const TBounds& bounds) {
    auto* c = AddControl<TCheckBox>(owner, parent, name, bounds);
    c->SetCaption(caption);
    return c;
}

TGroupBox* AddGroupBox(TComponent* owner, TWinControl* parent, const std::string& name, const std::string& caption,
                       const TBounds& bounds) {
    auto* g = AddControl<TGroupBox>(owner, parent, name, bounds);
    g->SetCaption(caption);
    return g;
}

TPanel* AddPanel(TComponent* owner, TWinControl* parent, const std::string& name, TAlign align) {
    auto* p = new TPanel(owner, parent);
    p->Name = name;
    p->BevelOuter = bvNone;
    p->SetAlign(align);
    return p;
}

TTabSheet* AddPage(TPageControl* pages, const char* name, const char* caption) {
    TTabSheet* sheet = pages->AddPage(name, caption);
    sheet->SetCaption("");
    return sheet;
}
