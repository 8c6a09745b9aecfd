// Two small input controls: radio buttons and an editable drop-down box
// with a list of earlier entries.
#pragma once
#include <string>
#include <vector>

#include "ui/controls.h"

class TRadioButton : public TWinControl {
public:
    TRadioButton(TComponent* owner, TWinControl* parent);
    bool Checked() const;
    // Checking one clears the other radio buttons of the same parent.
    void SetChecked(bool c);

protected:
    void CommandNotify(WORD code) override;
};

// An editable drop-down box with a list of earlier entries.
class TComboBox : public TWinControl {
public:
    TComboBox(TComponent* owner, TWinControl* parent);
    // What the edit part holds now (typed or chosen).
    std::string Text() const;
    void SetText(const std::string& text);
    std::vector<std::string> Items() const;
    void SetItems(const std::vector<std::string>& items);
    void InsertItem(int index, const std::string& item);

protected:
    void BoundsChanged() override;
};
