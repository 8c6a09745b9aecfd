// Flat speed buttons (no window of their own) and the status bar.
#pragma once
#include <string>
#include <vector>

#include "ui/controls.h"

class TSpeedButton : public TGraphicControl {
public:
    TSpeedButton(TComponent* owner, TWinControl* parent);
    bool Flat = true;
    // Buttons of one group index above 0 act as radio buttons; with
    // AllowAllUp a down button goes up again when clicked.
    int GroupIndex = 0;
    bool AllowAllUp = false;
    bool Down() const { return down_; }
    void SetDown(bool d);
    TAlignment Alignment = taCenter;
    // Draws the button's picture into the given square; the flag says
    // whether the button is enabled (grey pictures otherwise).
    using TGlyph = std::function<void(HDC, const RECT&, bool enabled)>;
    void SetGlyph(TGlyph glyph);
    void Paint(HDC dc) override;
    void Click() override;

protected:
    void MouseDown(int button, TShiftState shift, int x, int y) override;
    void MouseUp(int button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseLeave() override;

private:
    TGlyph glyph_;
    bool down_ = false, pressed_ = false, hot_ = false;
};

class TStatusBar : public TWinControl {
public:
    TStatusBar(TComponent* owner, TWinControl* parent);
    struct TStatusPanel {
        int Width = 50;
        std::string Text;
        bool Bevel = true;
    };
    TStatusPanel& AddPanel(int width, const std::string& text = "", bool bevel = true);
    // Text of panel i, shown at once.
    void SetPanelText(std::size_t i, const std::string& text);
    const std::string& PanelText(std::size_t i) const { return panels_.at(i).Text; }
    std::size_t PanelCount() const { return panels_.size(); }

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void ApplyPanels();
    std::vector<TStatusPanel> panels_;
};

// A push button of the system's own kind. ModalResult, when set, closes
// the modal form it sits on with that result.
class TButton : public TWinControl {
public:
    TButton(TComponent* owner, TWinControl* parent);
    int ModalResult = 0;
    bool Default = false;
    void Click() override;

protected:
    void CommandNotify(WORD code) override;
    // Themed push buttons ignore text colours: a button whose font has a
    // colour of its own draws itself, on its Color (or the face colour).
    void FontChanged() override;
    bool DrawItem(const DRAWITEMSTRUCT& di) override;
};

class TCheckBox : public TWinControl {
public:
    TCheckBox(TComponent* owner, TWinControl* parent);
    bool Checked() const;
    void SetChecked(bool c);
    TNotifyEvent OnChange;

protected:
    void CommandNotify(WORD code) override;
};
