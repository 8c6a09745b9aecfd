#include "settings/set_form_win.h"

#include <memory>

#include "base/files.h"
#include "base/strutil.h"
#include "settings/common_dialogs_win.h"
#include "settings/settings_strings.h"
#include "ui/builders.h"
#include "ui/dialogs.h"

namespace {
TColor FontColorOf(const TControl* c) {
    const TColor color = c ? c->EffectiveFont().Color : clDefault;
    return color == clDefault ? clBlack : color;
}

void SetFontColor(TControl* c, TColor color) {
    if (!c) return;
    TFont f = c->EffectiveFont();
    f.Color = color;
    c->SetFont(f);
}

}  // namespace

TfoSet::TfoSet(TComponent* owner) : TForm(owner, bsDialog, "TfoSet") {
    Name = "foSet";
    SetCaption(kSetCaption);
    Position = poScreenCenter;
    Font = TFont{};
    SetClientSize(528, 344);
    Beep = [](UINT type) { MessageBeep(type); };
    Help = [](int context) {
        if (Application) Application->HelpContext(context);
    };

    pcSet = new TPageControl(this, this);
    pcSet->Name = "pcSet";
    pcSet->SetBounds(8, 8, 512, 290);
    tsText = AddPage(pcSet, "tsText", kPageText);
    tsImage = AddPage(pcSet, "tsImage", kPageImage);
    tsOther = AddPage(pcSet, "tsOther", kPageOther);

    // --- text ---
    gbReadText = AddGroupBox(this, tsText, "gbReadText", kReadTextGroup, {8, 6, 488, 132});
    chbReadTextKByte = AddCheckBox(this, gbReadText, "chbReadTextKByte", kReadTextLimit, {12, 22, 464, 20});
    tbReadTextKByte = new TTrackBar(this, gbReadText, true);
    tbReadTextKByte->Name = "tbReadTextKByte";
    tbReadTextKByte->SetBounds(12, 46, 392, 34);
    tbReadTextKByte->SetRange(1, 512);
    tbReadTextKByte->SetFrequency(28);
    lReadTextKByte = AddLabel(this, gbReadText, "lReadTextKByte", "", 414, 54);
    lReadTextKByte->SetFont(TFont::Of(15, true));
    lTextReadByte = AddLabel(this, gbReadText, "lTextReadByte",
                             kReadTextAdvice, 12,
                             96);
    lTextReadByte->SetFont(TFont::Of(12, false, false, clNavy));
    lTextReadByte->Hint = kHelpHint;

    gbEditor = AddGroupBox(this, tsText, "gbEditor", kEditorGroup, {8, 146, 488, 84});
    lEditor = AddLabel(this, gbEditor, "lEditor", kEditorLabel, 12, 22);
    edEditor = AddControl<TEdit>(this, gbEditor, "edEditor", {12, 44, 430, 22});
    sbEditor = AddSpeedButton(this, gbEditor, "sbEditor", kBrowse, {448, 43, 28, 24});

    // --- image ---
    gbImage = AddGroupBox(this, tsImage, "gbImage", kImageGroup, {8, 6, 488, 60});
    chbImageAdjust = AddCheckBox(this, gbImage, "chbImageAdjust", kImageAdjust, {12, 26, 464, 20});

    // --- other ---
    gbInformation = AddGroupBox(this, tsOther, "gbInformation", kInformationGroup, {8, 6, 488, 180});
    lWallPaper = AddLabel(this, gbInformation, "lWallPaper", kWallpaperLabel, 12, 28);
    edWallPaper = AddControl<TEdit>(this, gbInformation, "edWallPaper", {56, 24, 386, 22});
    sbWallPaper = AddSpeedButton(this, gbInformation, "sbWallPaper", kBrowse, {448, 23, 28, 24});
    struct Row {
        const char* captionName;
        const char* caption;
        const char* sampleName;
        const char* sample;
        const char* buttonName;
    } rows[] = {
        {"lInfoTitleCaption", kInfoTitleColor, "lInfoTitle", kInfoTitleSample,
         "SpeedButton1"},
        {"lSbInfoCaption", kLaunchButtonColor, "lSbInfo", kLaunchButtonSample, "SpeedButton2"},
        {"lInfoCaption", kGuidanceColor, "lInfo", kGuidanceSample, "SpeedButton3"},
    };
    TLabel* captions[3];
    TLabel* samples[3];
    TSpeedButton* buttons[3];
    for (int i = 0; i < 3; ++i) {
        const int y = 64 + i * 36;
        captions[i] = AddLabel(this, gbInformation, rows[i].captionName, rows[i].caption, 12, y + 4);
        samples[i] = AddLabel(this, gbInformation, rows[i].sampleName, rows[i].sample, 236, y + 4);
        samples[i]->AutoSize = false;
        samples[i]->Transparent = false;
        samples[i]->Color = clWhite;
        samples[i]->SetBounds(236, y + 2, 206, 20);
        samples[i]->Alignment = taCenter;
        buttons[i] = AddSpeedButton(this, gbInformation, rows[i].buttonName, kColorButton, {448, y, 28, 24});
    }
    lInfoTitleCaption = captions[0];
    lSbInfoCaption = captions[1];
    lInfoCaption = captions[2];
    lInfoTitle = samples[0];
    lSbInfo = samples[1];
    lInfo = samples[2];
    SpeedButton1 = buttons[0];
    SpeedButton2 = buttons[1];
    SpeedButton3 = buttons[2];

    bbSave = AddButton(this, this, "bbSave", kSave, {340, 308, 86, 28});
    bbSave->ModalResult = mrOk;
    bbCancel = AddButton(this, this, "bbCancel", kCancel, {434, 308, 86, 28});
    bbCancel->ModalResult = mrCancel;

    tbReadTextKByte->OnChange = [this](TObject* s) { tbReadTextKByteChange(s); };
    // A check set from code follows the same rule as a click.
    chbReadTextKByte->OnChange = [this](TObject* s) { chbReadTextKByteClick(s); };
    sbEditor->OnClick = [this](TObject* s) { sbEditorClick(s); };
    sbWallPaper->OnClick = [this](TObject* s) { sbWallPaperClick(s); };
    SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
    SpeedButton2->OnClick = [this](TObject* s) { SpeedButton2Click(s); };
    SpeedButton3->OnClick = [this](TObject* s) { SpeedButton3Click(s); };
    lTextReadByte->OnClick = [this](TObject* s) { lTextReadByteClick(s); };
    OnDblClick = [this](TObject* s) { FormDblClick(s); };
    chbReadTextKByteClick(chbReadTextKByte);
}

void TfoSet::Fill(const TSetDialogTarget& t) {
    chbReadTextKByte->SetChecked(t.PartialRead);
    chbReadTextKByteClick(chbReadTextKByte);
    tbReadTextKByte->SetPosition(t.ReadLimitKB);
    lReadTextKByte->SetCaption(std::to_string(t.ReadLimitKB) + "KB");
    edEditor->SetText(t.EditorPath);
    edWallPaper->SetText(t.WallpaperPath);
    rememberedWallpaper_ = t.WallpaperPath;
    SetFontColor(lInfoTitle, FontColorOf(t.InfoTitle));
    SetFontColor(lSbInfo, FontColorOf(t.LaunchButton));
    SetFontColor(lInfo, FontColorOf(t.Guidance.empty() ? nullptr : t.Guidance.front()));
    chbImageAdjust->SetChecked(t.FitImage);
}

void TfoSet::Apply(TSetDialogTarget& t) const {
    t.PartialRead = chbReadTextKByte->Checked();
    t.ReadLimitKB = tbReadTextKByte->Position();
    t.EditorPath = edEditor->Text();
    t.WallpaperPath = edWallPaper->Text();
    // An empty or missing path keeps the picture shown now.
    if (t.WallpaperPath != rememberedWallpaper_ && FileExists(t.WallpaperPath)) Fire(t.LoadWallpaper, t.WallpaperPath);
    SetFontColor(t.InfoTitle, FontColorOf(lInfoTitle));
    SetFontColor(t.LaunchButton, FontColorOf(lSbInfo));
    for (TControl* c : t.Guidance) SetFontColor(c, FontColorOf(lInfo));
    t.FitImage = chbImageAdjust->Checked();
}

void TfoSet::tbReadTextKByteChange(TObject*) {
    lReadTextKByte->SetCaption(std::to_string(tbReadTextKByte->Position()) + "KB");
}

void TfoSet::chbReadTextKByteClick(TObject*) { tbReadTextKByte->SetEnabled(chbReadTextKByte->Checked()); }

void TfoSet::Browse(TEdit* edit, const char* title, const char* filter) {
    TOpenDialogOptions options{title, filter, ""};
    const std::string folder = ExcludeTrailingBackslash(ExtractFilePath(edit->Text()));
    if (DirectoryExists(folder)) options.InitialDir = folder;
    std::string chosen;
    if (ExecuteOpenDialog(Handle(), options, chosen)) edit->SetText(chosen);
}

void TfoSet::sbEditorClick(TObject*) { Browse(edEditor, kEditorTitle, kEditorFilter); }

void TfoSet::sbWallPaperClick(TObject*) { Browse(edWallPaper, kWallpaperTitle, kWallpaperFilter); }

void TfoSet::PickColor(TLabel* sample) {
    TColor color = FontColorOf(sample);
    if (ExecuteColorDialog(Handle(), color)) SetFontColor(sample, color);
}

void TfoSet::SpeedButton1Click(TObject*) { PickColor(lInfoTitle); }
void TfoSet::SpeedButton2Click(TObject*) { PickColor(lSbInfo); }
void TfoSet::SpeedButton3Click(TObject*) { PickColor(lInfo); }

void TfoSet::lTextReadByteClick(TObject*) { Fire(Help, 5); }

void TfoSet::FormDblClick(TObject*) {
    std::string command;
    if (!InputQuery(kCommandTitle, kCommandPrompt, command)) return;
    if (command != "QGw") return;
    Fire(SwitchGifOption);
    Fire(Beep, MB_ICONASTERISK);
}

bool ExecuteSetDialog(TComponent* owner, TSetDialogTarget& target) {
    std::unique_ptr<TfoSet> dialog(new TfoSet(owner));
    dialog->Fill(target);
    dialog->SwitchGifOption = [&target] { target.GifOption = true; };
    const bool saved = dialog->ShowModal() == mrOk;
    if (saved) dialog->Apply(target);
    return saved;
}
