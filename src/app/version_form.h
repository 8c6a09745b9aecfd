// The version window of the Option menu: the logo turning as a card on a
// timer, the version and two notice lines.
#pragma once
#include <functional>
#include <string>

#include "imageview/flip_image.h"
#include "ui/buttons.h"
#include "ui/extctrls.h"
#include "ui/forms.h"

class TfoVer : public TForm {
public:
    explicit TfoVer(TComponent* owner);
    ~TfoVer() override;

    // Set by the caller before the window is shown, e.g. "v1.00A".
    std::string Version;

    TPanel* pnLogo;
    TFlipImage* FlipImage1;
    TLabel* lVersion;
    TLabel* lEnhanced;
    TLabel* lMaker;
    TButton* bbOK;
    // Turns the logo one step every 100 ms while the window is open.
    TTimer* tmAnimate;

    void FormActivate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    // One animation step: the logo as it stands at the clock's time.
    void AnimateTick(TObject* Sender);
    bool Animating() const { return tmAnimate->Enabled(); }

    // The millisecond clock; tests replace it.
    std::function<DWORD()> Clock;
};

// Shows the version window modally with the given version string.
void ShowVersion(const std::string& version);
