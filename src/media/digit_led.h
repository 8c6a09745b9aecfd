// One LED character cell: a control without a window of its own that fills
// its lit segments with OnColor and the others with OffColor.
#pragma once
#include <cstdint>
#include <string>

#include "media/led_segments.h"
#include "ui/controls.h"

class TDigitLed : public TGraphicControl {
public:
    TDigitLed(TComponent* owner, TWinControl* parent);

    const std::string& Character() const { return cell_.Character(); }
    void SetCharacter(const std::string& c);
    std::uint16_t Segments() const { return cell_.Segments(); }
    void SetSegments(std::uint16_t s);
    TLedStyle LedStyle() const { return cell_.Style(); }
    void SetLedStyle(TLedStyle s);
    COLORREF OnColor() const { return onColor_; }
    void SetOnColor(COLORREF c);
    COLORREF OffColor() const { return offColor_; }
    void SetOffColor(COLORREF c);
    bool Dot() const { return cell_.Dot(); }
    void SetDot(bool lit);
    const std::string& Version() const { return version_; }
    // Informational only; it always reads back as the release it was made in.
    void SetVersion(const std::string&) { version_ = "2.01"; }

    void Paint(HDC dc) override;

private:
    LedCell cell_;
    COLORREF onColor_ = clBlack, offColor_ = clBlack;
    std::string version_ = "2.02";
};
