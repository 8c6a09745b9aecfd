// The general settings dialog: text reading, the external editor, the image
// fit option and the look of the information pane, and a hidden command
// that switches the GIF option on. It edits copies and knows nothing of the
// main window: the caller hands in what it edits through TSetDialogTarget.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "settings/dialog_controls_win.h"
#include "ui/buttons.h"
#include "ui/extctrls.h"
#include "ui/forms.h"

// What the dialog edits, where it lives in the main window.
struct TSetDialogTarget {
    bool& PartialRead;
    int& ReadLimitKB;
    std::string& EditorPath;
    std::string& WallpaperPath;
    bool& FitImage;
    // Switched on by the hidden command, whether the user saves or not.
    bool& GifOption;
    // Their font colours are edited: the information title, the launch
    // button and the guidance labels (all take the first one's colour).
    TControl* InfoTitle;
    TControl* LaunchButton;
    std::vector<TControl*> Guidance;
    // Shows a picture in the information pane.
    std::function<void(const std::string& path)> LoadWallpaper;
};

class TfoSet : public TForm {
public:
    explicit TfoSet(TComponent* owner);

    // Puts the values into the controls and remembers the wallpaper path.
    void Fill(const TSetDialogTarget& target);
    // Takes the values back (the dialog was saved).
    void Apply(TSetDialogTarget& target) const;
    // Switches the GIF option on (the hidden command was entered).
    std::function<void()> SwitchGifOption;
    // The information beep and the help call; tests replace them.
    std::function<void(UINT)> Beep;
    std::function<void(int context)> Help;

    // --- handlers ------------------------------------------------------------
    void tbReadTextKByteChange(TObject* Sender);
    void chbReadTextKByteClick(TObject* Sender);
    void sbEditorClick(TObject* Sender);
    void sbWallPaperClick(TObject* Sender);
    void SpeedButton1Click(TObject* Sender);
    void SpeedButton2Click(TObject* Sender);
    void SpeedButton3Click(TObject* Sender);
    void lTextReadByteClick(TObject* Sender);
    void FormDblClick(TObject* Sender);

    // --- components ----------------------------------------------------------
    TPageControl* pcSet;
    TTabSheet *tsText, *tsImage, *tsOther;
    TGroupBox *gbReadText, *gbEditor, *gbImage, *gbInformation;
    TCheckBox* chbReadTextKByte;
    TTrackBar* tbReadTextKByte;
    TLabel *lReadTextKByte, *lTextReadByte, *lEditor;
    TEdit* edEditor;
    TSpeedButton* sbEditor;
    TCheckBox* chbImageAdjust;
    TLabel* lWallPaper;
    TEdit* edWallPaper;
    TSpeedButton* sbWallPaper;
    TLabel *lInfoTitleCaption, *lSbInfoCaption, *lInfoCaption;
    TLabel *lInfoTitle, *lSbInfo, *lInfo;
    TSpeedButton *SpeedButton1, *SpeedButton2, *SpeedButton3;
    TButton *bbSave, *bbCancel;

private:
    void Browse(TEdit* edit, const char* title, const char* filter);
    void PickColor(TLabel* sample);
    std::string rememberedWallpaper_;
};

// Opens the dialog on the target's values and takes them back when the user
// saves; true then. The hidden command's GIF switch takes effect either way.
bool ExecuteSetDialog(TComponent* owner, TSetDialogTarget& target);
