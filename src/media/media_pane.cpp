#include "media/media_pane.h"

#include "base/files.h"
#include "base/sjis.h"
#include "base/strutil.h"
#include "media/media_arithmetic.h"
#include "media/media_glyphs.h"
#include "ui/forms.h"

using media::CounterText;

namespace {
const char* const kZoomCommands[] = {"mmAviOrg", "mmAviMax", "mmAviSmall", "mmAviLarge"};
}

TMediaPane::TMediaPane(TComponent* owner, TPanel* pnBaseAVI, TPanel* pnTbAVI, TLedGroup* lgAVITime,
                       TLedGroup* lgAviSetA, TLedGroup* lgAviSetB)
    : pnBaseAVI(pnBaseAVI), pnTbAVI(pnTbAVI), lgAVITime(lgAVITime), lgAviSetA(lgAviSetA),
      lgAviSetB(lgAviSetB), owner_(owner) {
    ShowError = [](const std::string& text) { TellUser(TSeverity::Stop, text); };
    BuildControls();
    BindCommands();
}

TMediaPane::~TMediaPane() {
    Timer1->SetEnabled(false);
    Timer1->OnTimer = nullptr;
    if (mp->DeviceID()) {
        try {
            mp->Close();
        } catch (const EMCIDeviceError&) {
            // Going away: nobody is left to tell.
        }
    }
    // The owner's menu items outlive the pane; they must not call into it.
    for (const char* name : {"mmAviPlay", "mmAviPause", "mmAviStop", "mmAviSetA", "mmAviSetB",
                             "mmAviClearAB"}) {
        if (TMenuItem* item = Item(name)) item->OnClick = nullptr;
    }
}

TMenuItem* TMediaPane::Item(const char* name) const {
    return dynamic_cast<TMenuItem*>(owner_->FindComponent(name));
}

TSpeedButton* TMediaPane::AddButton(const char* name, const char* hint, int x, int width) {
    auto* b = new TSpeedButton(owner_, pnTbAVI);
    b->Name = name;
    b->Hint = hint;
    b->SetBounds(x, 1, width, pnTbAVI->Height() - 2);
    return b;
}

void TMediaPane::BuildControls() {
    pnBaseAVI->DisableAlign();
    // Toolbar: transport, position counter, zoom, the marks with their counters.
    sbAviPlay = AddButton("sbAviPlay", "再生", 1, 22);
    sbAviPlay->SetGlyph(MakeMediaGlyph(mgPlay));
    sbAviPause = AddButton("sbAviPause", "一時停止", 23, 22);
    sbAviPause->SetGlyph(MakeMediaGlyph(mgPause));
    sbAviStop = AddButton("sbAviStop", "停止", 45, 22);
    sbAviStop->SetGlyph(MakeMediaGlyph(mgStop));
    lgAVITime->SetBounds(70, 3, lgAVITime->Width(), lgAVITime->Height());
    const int zoomAt = lgAVITime->Left() + lgAVITime->Width() + 4;
    sbAviEnLarge = AddButton("sbAviEnLarge", "拡大", zoomAt, 22);
    sbAviEnLarge->SetGlyph(MakeMediaGlyph(mgEnlarge));
    sbAviReduce = AddButton("sbAviReduce", "縮小", zoomAt + 22, 22);
    sbAviReduce->SetGlyph(MakeMediaGlyph(mgReduce));
    sbAviSetA = AddButton("sbAviSetA", "A点セット", zoomAt + 48, 20);
    sbAviSetA->SetCaption("A");
    lgAviSetA->SetBounds(sbAviSetA->Left() + 21, 3, lgAviSetA->Width(), lgAviSetA->Height());
    sbAviSetB = AddButton("sbAviSetB", "B点セット", lgAviSetA->Left() + lgAviSetA->Width() + 3, 20);
    sbAviSetB->SetCaption("B");
    lgAviSetB->SetBounds(sbAviSetB->Left() + 21, 3, lgAviSetB->Width(), lgAviSetB->Height());
    sbAviClearAB = AddButton("sbAviClearAB", "A-Bクリア", lgAviSetB->Left() + lgAviSetB->Width() + 3, 30);
    sbAviClearAB->SetCaption("A-B");
    sbAviClearAB->SetEnabled(false);

    // The bar with the track bar along the bottom of the pane.
    pnAVITB = new TPanel(owner_, pnBaseAVI);
    pnAVITB->Name = "pnAVITB";
    pnAVITB->BevelOuter = bvNone;
    pnAVITB->SetHeight(26);
    pnAVITB->SetAlign(alBottom);
    trcAVI = new TTrackBar(owner_, pnAVITB);
    trcAVI->Name = "trcAVI";
    trcAVI->SetLineSize(20);
    trcAVI->SetAlign(alClient);

    scbAVI = new TScrollBox(owner_, pnBaseAVI);
    scbAVI->Name = "scbAVI";
    scbAVI->Color = clBlack;
    scbAVI->SetAlign(alClient);
    pnAVIFrame = new TPanel(owner_, scbAVI);
    pnAVIFrame->Name = "pnAVIFrame";
    pnAVIFrame->BevelOuter = bvNone;
    pnAVIFrame->Color = clBlack;
    pnAVIFrame->SetBounds(0, 0, 3, 3);
    pnAviDisplay = new TPanel(owner_, pnAVIFrame);
    pnAviDisplay->Name = "pnAviDisplay";
    pnAviDisplay->BevelOuter = bvNone;
    pnAviDisplay->Color = clBlack;
    pnAviDisplay->SetBounds(0, 0, 2, 2);
    pnAviDisplay->Tag = 100;
    pnBaseAVI->EnableAlign();

    mp = new TMediaPlayer(owner_);
    mp->Name = "mp";
    Timer1 = new TTimer(owner_);
    Timer1->Name = "Timer1";
    Timer1->Interval = 500;
}

void TMediaPane::BindCommands() {
    auto bind = [this](const char* name, void (TMediaPane::*handler)(TObject*)) {
        TNotifyEvent event = [this, handler](TObject* s) { (this->*handler)(s); };
        if (TMenuItem* item = Item(name)) item->OnClick = event;
        return event;
    };
    sbAviPlay->OnClick = bind("mmAviPlay", &TMediaPane::mmAviPlayClick);
    sbAviPause->OnClick = bind("mmAviPause", &TMediaPane::mmAviPauseClick);
    sbAviStop->OnClick = bind("mmAviStop", &TMediaPane::mmAviStopClick);
    sbAviSetA->OnClick = bind("mmAviSetA", &TMediaPane::mmAviSetAClick);
    sbAviSetB->OnClick = bind("mmAviSetB", &TMediaPane::mmAviSetBClick);
    sbAviClearAB->OnClick = bind("mmAviClearAB", &TMediaPane::mmAviClearABClick);
    if (TMenuItem* clear = Item("mmAviClearAB")) clear->SetEnabled(false);
    sbAviEnLarge->OnClick = [this](TObject* s) { sbAviEnLargeClick(s); };
    sbAviReduce->OnClick = [this](TObject* s) { sbAviEnLargeClick(s); };
    Timer1->OnTimer = [this](TObject* s) { Timer1Timer(s); };
    pnAviDisplay->OnDblClick = [this](TObject* s) { pnAviDisplayDblClick(s); };
    for (TControl* c : {static_cast<TControl*>(scbAVI), static_cast<TControl*>(pnAVIFrame)}) {
        c->OnClick = [this](TObject* s) { Fire(OnPaneClick, s); };
    }
    AttachTrackBar();
}

void TMediaPane::AttachTrackBar() {
    trcAVI->OnChange = [this](TObject* s) { trcAVIChange(s); };
}

void TMediaPane::Guard(const std::function<void()>& command) {
    try {
        command();
    } catch (const EMCIDeviceError& e) {
        if (ShowError) ShowError(e.what());
    }
}

// ---------------------------------------------------------------------------
// Preview manager

void TMediaPane::Leave() {
    // Any open device goes, a stopped one too: it would hold the file open
    // while another file is previewed.
    if (mp->DeviceID()) {
        Guard([this] { mp->Close(); });
        Timer1->SetEnabled(false);
        lgAVITime->SetCaption(Format("%5s", "0"));
    }
    Timer1->SetEnabled(false);
}

void TMediaPane::ShowMedia(const std::string& path) {
    const bool midi = SjisUpperCase(ExtractFileExt(path)) == ".MID";
    for (const char* name : kZoomCommands) {
        if (TMenuItem* item = Item(name)) item->SetEnabled(!midi);
    }
    sbAviEnLarge->SetEnabled(!midi);
    sbAviReduce->SetEnabled(!midi);
    mmAviClearABClick(nullptr);
    trcAVI->OnChange = nullptr;
    Guard([&] {
        if (!FileExists(path)) return; // nothing to open, nothing to play
        OpenMedia(path);
        Play();
    });
    AttachTrackBar();
}

void TMediaPane::OpenMedia(const std::string& path) {
    THourGlass hourglass;
    pnAVIFrame->Hide();
    try {
        mp->FileName = path;
        mp->Display = pnAviDisplay->Handle();
        mp->Open();
        const long length = mp->Length();
        trcAVI->SetMax(static_cast<int>(length));
        trcAVI->SetPosition(0);
        const media::TTrackSizes steps = media::TrackBarSizes(trcAVI->Max());
        trcAVI->SetLineSize(steps.Line);
        trcAVI->SetPageSize(steps.Page);
        const RECT r = mp->DisplayRect();
        AviNaturalWidth = r.right - r.left;
        AviNaturalHeight = r.bottom - r.top;
        const RECT client = scbAVI->ClientRect();
        pnAviDisplay->Tag = media::OpeningZoomPercent(FitImage && FitImage(), client.right, client.bottom,
                                                      AviNaturalWidth, AviNaturalHeight);
        ApplyVideoSize(pnAviDisplay->Tag);
    } catch (...) {
        pnAVIFrame->Show();
        throw;
    }
    pnAVIFrame->Show();
}

void TMediaPane::ApplyVideoSize(int percent) {
    const int left = pnAviDisplay->Left(), top = pnAviDisplay->Top();
    const media::TVideoSize size = media::VideoSize(AviNaturalWidth, AviNaturalHeight, percent);
    mp->SetDisplayRect(RECT{left, top, left + size.Width, top + size.Height});
    pnAviDisplay->SetBounds(left, top, size.Width + 2, size.Height + 2);
    pnAVIFrame->SetBounds(pnAVIFrame->Left(), pnAVIFrame->Top(), pnAviDisplay->Width() + 1,
                          pnAviDisplay->Height() + 1);
    scbAVI->UpdateScrollRange();
}

// ---------------------------------------------------------------------------
// Transport

void TMediaPane::Play() {
    if (!mp->DeviceID()) {
        Fire(RePreview);
        return;
    }
    if (mp->Mode() != mpPaused) mp->SetPosition(0);
    mp->Play();
    AviRepeat = false;
    Timer1->SetEnabled(true);
}

void TMediaPane::mmAviPlayClick(TObject*) { Guard([this] { Play(); }); }

void TMediaPane::mmAviPauseClick(TObject*) { Guard([this] { mp->Pause(); }); }

void TMediaPane::mmAviStopClick(TObject*) {
    Guard([this] {
        Timer1->SetEnabled(false);
        mp->SetPosition(0);
        // Moving the bar back is no seek of the user's.
        trcAVI->OnChange = nullptr;
        trcAVI->SetPosition(0);
        AttachTrackBar();
        lgAVITime->SetCaption(CounterText(0));
        mp->Stop();
        AviRepeat = false;
    });
}

void TMediaPane::trcAVIChange(TObject*) {
    Guard([this] {
        mp->SetPosition(trcAVI->Position());
        mp->Play();
        if (!Timer1->Enabled()) Timer1->SetEnabled(true);
    });
}

void TMediaPane::Timer1Timer(TObject*) {
    trcAVI->OnChange = nullptr;
    try {
        if (mp->Mode() == mpPaused) {
            AttachTrackBar();
            return;
        }
        if (mp->Mode() == mpStopped) Timer1->SetEnabled(false);
        const long position = mp->Position();
        trcAVI->SetPosition(static_cast<int>(position));
        lgAVITime->SetCaption(CounterText(position));
        lgAVITime->Repaint();
        const bool canSetB = position > AviMarkA;
        sbAviSetB->SetEnabled(canSetB);
        if (TMenuItem* item = Item("mmAviSetB")) item->SetEnabled(canSetB);
        bool loopedBack = false;
        if (AviRepeat) {
            if (media::LoopReachedEnd(position, AviMarkB)) {
                mp->SetPosition(AviMarkA);
                mp->Play();
                loopedBack = true;
            }
            // The clear button blinks while the loop runs.
            sbAviClearAB->Flat = !sbAviClearAB->Flat;
            sbAviClearAB->Invalidate();
        }
        const TMPModes mode = mp->Mode();
        if (mode != mpPlaying && mode != mpSeeking) {
            Timer1->SetEnabled(false);
        } else if (loopedBack) {
            // A loop whose B lies at the very end found the device stopped
            // above; it plays again, so the timer goes on.
            Timer1->SetEnabled(true);
        }
    } catch (const EMCIDeviceError& e) {
        // One box, not one every half second.
        Timer1->SetEnabled(false);
        AttachTrackBar();
        if (ShowError) ShowError(e.what());
        return;
    }
    AttachTrackBar();
}

// ---------------------------------------------------------------------------
// Marks and the loop

void TMediaPane::mmAviSetAClick(TObject*) {
    if (!pnBaseAVI->Visible()) return;
    Guard([this] {
        const long position = mp->Position();
        if (!media::AcceptsMarkA(position, AviMarkB)) return;
        AviMarkA = position;
        lgAviSetA->SetCaption(CounterText(AviMarkA));
        if (TMenuItem* item = Item("mmAviClearAB")) item->SetEnabled(true);
    });
}

void TMediaPane::mmAviSetBClick(TObject*) {
    if (!pnBaseAVI->Visible()) return;
    Guard([this] {
        AviMarkB = mp->Position();
        lgAviSetB->SetCaption(CounterText(AviMarkB));
        AviRepeat = false;
        if (TMenuItem* item = Item("mmAviClearAB")) item->SetEnabled(true);
        sbAviClearAB->SetEnabled(true);
        StartLoop();
    });
}

void TMediaPane::mmAviRePlayClick(TObject*) { Guard([this] { StartLoop(); }); }

void TMediaPane::StartLoop() {
    if (!Timer1->Enabled()) Timer1->SetEnabled(true);
    const media::TLoop loop = media::LoopBetween(AviMarkA, AviMarkB);
    if (loop.A != AviMarkA) {
        // The counters follow the exchange, so A shows where the loop starts.
        AviMarkA = loop.A;
        AviMarkB = loop.B;
        lgAviSetA->SetCaption(CounterText(AviMarkA));
        lgAviSetB->SetCaption(CounterText(AviMarkB));
    }
    mp->SetPosition(AviMarkA);
    AviRepeat = true;
    mp->Play();
}

void TMediaPane::mmAviClearABClick(TObject*) {
    AviRepeat = false;
    if (TMenuItem* item = Item("mmAviClearAB")) item->SetEnabled(false);
    sbAviClearAB->Flat = true;
    sbAviClearAB->Invalidate();
    AviMarkA = 0;
    AviMarkB = 0;
    lgAviSetA->SetCaption(CounterText(0));
    lgAviSetB->SetCaption(CounterText(0));
}

// ---------------------------------------------------------------------------
// Video zoom and the double click

void TMediaPane::sbAviEnLargeClick(TObject* Sender) {
    auto* named = dynamic_cast<TComponent*>(Sender);
    const bool enlarge = named && media::NamesEnlarge(named->Name);
    Guard([&] {
        pnAviDisplay->Tag = media::ZoomStepPercent(pnAviDisplay->Tag, enlarge);
        ApplyVideoSize(pnAviDisplay->Tag);
    });
}

void TMediaPane::pnAviDisplayDblClick(TObject*) {
    try {
        if (mp->DeviceID() && mp->Mode() == mpPlaying) {
            mp->Pause();
        } else {
            Play();
        }
    } catch (const EMCIDeviceError&) {
        // A double click that cannot play is no reason for a box.
    }
}
