// A row of LED character cells showing a short text, such as a counter.
// The cells are child controls named "Led1", "Led2", ...; they are made on
// demand and never removed.
#pragma once
#include <string>
#include <vector>

#include "media/digit_led.h"
#include "ui/controls.h"

class TLedGroup : public TWinControl {
public:
    TLedGroup(TComponent* owner, TWinControl* parent);

    int MaxDigits() const { return maxDigits_; }
    void SetMaxDigits(int n);
    // The text as shown: exactly MaxDigits characters once a text was set.
    // An empty text leaves the display as it was. TControl::SetCaption
    // reaches the same rules.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& t) { ApplyCaption(t); }
    int CommaPos() const { return commaPos_; }
    void SetCommaPos(int n);
    COLORREF OnColor() const { return onColor_; }
    void SetOnColor(COLORREF c);
    COLORREF OffColor() const { return offColor_; }
    void SetOffColor(COLORREF c);
    int Margin() const { return margin_; }
    void SetMargin(int m);
    TLedStyle LedStyle() const { return ledStyle_; }
    void SetLedStyle(TLedStyle s);
    const std::string& Version() const { return version_; }
    void SetVersion(const std::string&) { version_ = "2.01"; }

    // Cell i counted from 1, or null when it was never made.
    TDigitLed* Digit(int i) const;
    // Every cell in the order it was made.
    std::vector<TDigitLed*> Digits() const;

protected:
    void BoundsChanged() override;
    void TextChanged() override;

private:
    void CreateDigits();
    void LayoutDigits();
    void SetDots();
    void ApplyCaption(const std::string& t);

    int maxDigits_ = 5;
    int commaPos_ = 0;
    COLORREF onColor_ = clBlack, offColor_ = clBlack;
    int margin_ = 0;
    TLedStyle ledStyle_ = lsElevenBars;
    std::string version_ = "2.02";
    std::string shown_;
};
