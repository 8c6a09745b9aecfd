// The version window of the Option menu: the logo turning as a card in the
// application's idle time, the version and two notice lines.
#pragma once
#include <functional>
#include <string>

#include "imageview/flip_image.h"
#include "ui/buttons.h"
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

    void FormActivate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    // One animation step at most every 100 ms; asks to be called again.
    void AppIdle(TObject* Sender, bool& Done);
    // Whether the idle handler is installed.
    bool Animating() const { return idleInstalled_; }

    // The millisecond clock and the short sleep between steps; tests replace them.
    std::function<DWORD()> Clock;
    std::function<void(DWORD)> Pause;

private:
    static LRESULT CALLBACK LogoPanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void PaintLogoPanel();
    void InstallIdle();
    void RemoveIdle();
    void RestorePanelProc();

    WNDPROC oldPanelProc_ = nullptr;
    std::function<void(TObject*, bool&)> previousIdle_;
    bool idleInstalled_ = false;
    bool stepped_ = false;
    DWORD lastStep_ = 0;
};

// Shows the version window modally with the given version string.
void ShowVersion(const std::string& version);
