// The notice window of the hyperlink switch: up to three lines on a shaded
// background and a box to stop the notice for the future, which the caller
// reads after the window closes.
#pragma once
#include "ui/buttons.h"
#include "ui/forms.h"

class TfoHint : public TForm {
public:
    explicit TfoHint(TComponent* owner);

    TGraphicControl* lBackground;
    TLabel* lInfo1;
    TLabel* lInfo2;
    TLabel* lInfo3;
    TButton* bbOK;
    TCheckBox* chbHidden;
    TLabel* lHidden;

    void lHiddenClick(TObject* Sender);
};
