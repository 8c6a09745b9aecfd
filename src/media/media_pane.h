// The media pane of the main window: transport and mark buttons on its
// toolbar, the position counter and the A/B mark counters, the track bar,
// the scroll box with the video frame, the media control and its 500 ms
// timer; and what the preview manager and the media commands do with them:
// opening and sizing a medium, play, pause, stop, seek, the A-B loop and the
// video zoom. Errors of the media control go to the error box.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "media/led_group.h"
#include "media/media_player.h"
#include "ui/track_bar.h"
#include "ui/buttons.h"
#include "ui/extctrls.h"
#include "ui/menus.h"
#include "ui/scroll_box.h"

class TMediaPane {
public:
    // owner: the main window. It owns the controls made here (so that
    // FindComponent finds them by name) and holds the menu items mmAvi...,
    // which are bound here. pnBaseAVI is the pane, pnTbAVI its toolbar; the
    // three counters are laid out on the toolbar.
    TMediaPane(TComponent* owner, TPanel* pnBaseAVI, TPanel* pnTbAVI, TLedGroup* lgAVITime,
               TLedGroup* lgAviSetA, TLedGroup* lgAviSetB);
    // Stops the timer and closes the device; the controls stay the owner's.
    ~TMediaPane();
    TMediaPane(const TMediaPane&) = delete;
    TMediaPane& operator=(const TMediaPane&) = delete;

    // --- what the main window supplies ----------------------------------
    // The fit option ("ImageAdjust"): fit the video into the pane on opening.
    std::function<bool()> FitImage;
    // Previews the current file again (Play with no device open).
    std::function<void()> RePreview;
    // A click on the scroll box or the video frame (hides or shows the list pane).
    TNotifyEvent OnPaneClick;
    // Shows an error of the media control; the error box by default.
    std::function<void(const std::string& text)> ShowError;

    // --- preview manager ---------------------------------------------------
    // Opens, sizes and plays a video or MIDI file.
    void ShowMedia(const std::string& path);
    // Before every new preview: closes an open device and stops the timer.
    void Leave();

    // --- commands ----------------------------------------------------------
    void mmAviPlayClick(TObject* Sender);
    void mmAviPauseClick(TObject* Sender);
    void mmAviStopClick(TObject* Sender);
    void mmAviSetAClick(TObject* Sender);
    void mmAviSetBClick(TObject* Sender);
    void mmAviClearABClick(TObject* Sender);
    void mmAviRePlayClick(TObject* Sender);
    void Timer1Timer(TObject* Sender);
    void trcAVIChange(TObject* Sender);
    void sbAviEnLargeClick(TObject* Sender);
    void pnAviDisplayDblClick(TObject* Sender);
    // Shows the video at `percent` of its natural size.
    void ApplyVideoSize(int percent);
    int ZoomPercent() const { return pnAviDisplay->Tag; }

    // --- state -------------------------------------------------------------
    long AviMarkA = 0, AviMarkB = 0; // 0: not set
    bool AviRepeat = false;          // the A-B loop runs
    int AviNaturalWidth = 0, AviNaturalHeight = 0;

    // --- controls ----------------------------------------------------------
    TPanel *pnBaseAVI, *pnTbAVI, *pnAVITB, *pnAVIFrame, *pnAviDisplay;
    TScrollBox* scbAVI;
    TTrackBar* trcAVI;
    TLedGroup *lgAVITime, *lgAviSetA, *lgAviSetB;
    TSpeedButton *sbAviPlay, *sbAviPause, *sbAviStop, *sbAviEnLarge, *sbAviReduce, *sbAviSetA,
        *sbAviSetB, *sbAviClearAB;
    TMediaPlayer* mp;
    TTimer* Timer1;

private:
    TMenuItem* Item(const char* name) const;
    TSpeedButton* AddButton(const char* name, const char* hint, int x, int width);
    void BuildControls();
    void BindCommands();
    void AttachTrackBar();
    void OpenMedia(const std::string& path);
    void Play();
    void StartLoop();
    // Runs a command; an error of the media control goes to ShowError.
    void Guard(const std::function<void()>& command);

    TComponent* owner_;
};
