#include "media/led_group.h"

#include "media/led_layout.h"

TLedGroup::TLedGroup(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) {
    width_ = 185;
    height_ = 65;
    Color = offColor_;
    CreateHandle(nullptr, WS_CLIPCHILDREN);
    CreateDigits();
}

TDigitLed* TLedGroup::Digit(int i) const {
    return dynamic_cast<TDigitLed*>(FindComponent("Led" + std::to_string(i)));
}

std::vector<TDigitLed*> TLedGroup::Digits() const {
    std::vector<TDigitLed*> digits;
    for (TControl* c : controls_) {
        if (auto* d = dynamic_cast<TDigitLed*>(c)) digits.push_back(d);
    }
    return digits;
}

void TLedGroup::CreateDigits() {
    for (int i = 1; i <= maxDigits_; ++i) {
        if (Digit(i)) continue;
        auto* d = new TDigitLed(this, this);
        d->Name = "Led" + std::to_string(i);
        d->SetLedStyle(ledStyle_);
        d->SetOnColor(onColor_);
        d->SetOffColor(offColor_);
        if (auto b = LedCellLayout(width_, height_, margin_, maxDigits_, i - 1)) {
            d->SetBounds(b->left, b->top, b->width, b->height);
        }
    }
}

void TLedGroup::LayoutDigits() {
    int i = 0;
    for (TDigitLed* d : Digits()) {
        if (auto b = LedCellLayout(width_, height_, margin_, maxDigits_, i++)) {
            d->SetBounds(b->left, b->top, b->width, b->height);
        }
    }
}

void TLedGroup::BoundsChanged() {
    TWinControl::BoundsChanged();
    LayoutDigits();
}

void TLedGroup::SetMaxDigits(int n) {
    if (n < 0) n = 0;
    if (n > 255) n = 255;
    maxDigits_ = n;
    CreateDigits();
    LayoutDigits();
}

void TLedGroup::SetMargin(int m) {
    if (m < 0) m = 0;
    if (m > 255) m = 255;
    margin_ = m;
    LayoutDigits();
}

void TLedGroup::TextChanged() {
    const std::string t = caption_;
    caption_ = shown_;
    ApplyCaption(t);
}

void TLedGroup::ApplyCaption(const std::string& t) {
    auto fitted = LedFitCaption(t, maxDigits_);
    if (!fitted) return;
    caption_ = shown_ = *fitted;
    if (t.size() > Digits().size()) CreateDigits();
    for (int i = 1; i <= maxDigits_; ++i) {
        if (TDigitLed* d = Digit(i)) {
            d->SetCharacter(caption_.substr(i - 1, 1));
            d->SetDot(i == commaPos_);
        }
    }
}

void TLedGroup::SetDots() {
    for (int i = 1; i <= maxDigits_; ++i) {
        if (TDigitLed* d = Digit(i)) d->SetDot(i == commaPos_);
    }
}

void TLedGroup::SetCommaPos(int n) {
    if (n >= 1 && n <= maxDigits_) {
        commaPos_ = n;
        SetDots();
        return;
    }
    for (int i = 1; i <= maxDigits_; ++i) {
        if (TDigitLed* d = Digit(i)) d->SetDot(false);
    }
}

void TLedGroup::SetOnColor(COLORREF c) {
    onColor_ = c;
    for (TDigitLed* d : Digits())
        d->SetOnColor(c);
}

void TLedGroup::SetOffColor(COLORREF c) {
    offColor_ = c;
    for (TDigitLed* d : Digits())
        d->SetOffColor(c);
}

void TLedGroup::SetLedStyle(TLedStyle s) {
    ledStyle_ = s;
    for (TDigitLed* d : Digits())
        d->SetLedStyle(s);
}
