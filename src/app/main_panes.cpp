// The panes and windows that plug into the main window: the preview panes
// with what they ask of the window, the media pane, the general settings
// dialog and the text-view settings window with the text controls' keys in
// the environment data file.
#include "app/main_form.h"

#include "app/archive_pane.h"
#include "app/file_lists.h"
#include "app/image_preview.h"
#include "app/preview_choice.h"
#include "app/settings_sections.h"
#include "app/text_preview.h"
#include "base/sjis.h"
#include "base/strutil.h"
#include "media/media_pane.h"
#include "settings/ini_file.h"
#include "settings/set_form_win.h"
#include "textview/text_editor_prop.h"
#include "textview/text_view_settings.h"
#include "textview/text_view_settings_form_win.h"

void TfoMAIN::CreatePanes() {
    FileLists = std::make_unique<TFileLists>(
        *this, TFileListsParts{this, pnFolder, pnFile, TabSheet2, pnTbFileSel, pnTbCorrect, sbFolderUpDate,
                               sbLaunchFile, sbLaunchCorrect, mmShowStyle});

    TextPreview = std::make_unique<TTextPreview>(
        *this, TTextPreviewParts{this, pnBaseText, pnTextSearch, spText, pnImageText, lgTextX, lgTextY});
    TTextPreview* text = TextPreview.get();
    const TNotifyEvent fullLoad = [text](TObject*) { text->FullLoad(); };
    sbFileFullLoad->OnClick = fullLoad;
    mmFileFullLoad->OnClick = fullLoad;
    sbEditCopy->OnClick = [text](TObject*) {
        if (text->hedText->CanFocus()) text->hedText->SetFocus();
        text->CopyFocused();
    };
    sbEditSelAll->OnClick = [text](TObject*) {
        if (text->hedText->CanFocus()) text->hedText->SetFocus();
        text->SelectAllFocused();
    };
    sbEditSearch->OnClick = [text](TObject*) { text->Search(); };
    mmEditCopy->OnClick = [text](TObject*) { text->CopyFocused(); };
    mmEditSelAll->OnClick = [text](TObject*) { text->SelectAllFocused(); };
    mmEditSearch->OnClick = [text](TObject*) { text->Search(); };
    mmEncodingAuto->OnClick = [text](TObject*) { text->ChooseEncoding(TTextEncodingChoice{}); };
    for (int i = 0; i < kTextEncodingCount; ++i) {
        const TTextEncodingChoice fixed{false, static_cast<TTextEncoding>(i)};
        mmEncoding[i]->OnClick = [text, fixed](TObject*) { text->ChooseEncoding(fixed); };
    }
    UpdateEncodingMenu();

    ImagePreview = std::make_unique<TImagePreview>(
        *this, TImagePreviewParts{this, pnBaseImage, pnTbImage, pnImageText, TextPreview->hedImageText,
                                  lgImgWidth, lgImgHeight});
    TImagePreview* image = ImagePreview.get();
    mmImgOrgSize->OnClick = [image](TObject*) { image->ShowOriginalSize(); };
    mmImgReduce->OnClick = [image](TObject*) { image->ZoomStep(false); };
    mmImgEnlarge->OnClick = [image](TObject*) { image->ZoomStep(true); };
}

void TfoMAIN::MakeArchivePane() {
    // The archive operation takes the work folder made at creation.
    ArchivePane = std::make_unique<TArchivePane>(*this, TArchivePaneParts{this, Handle(), pnBaseArchive, pnTbArchive});
    pnArchiveTv = ArchivePane->pnArchiveTv;
    tvArchive = ArchivePane->tvArchive;
    lvArchive = ArchivePane->lvArchive;
    // Made only now, the archive views take the fonts the settings file gave
    // the folder tree and the file list.
    tvArchive->SetFont(FileLists->fvx->EffectiveFont());
    lvArchive->SetFont(FileLists->lvFile->EffectiveFont());
    FileLists->AttachArchiveList(lvArchive, ArchivePane->ViewButtons);
}

// --- what the panes ask of the window ------------------------------------------------

void TfoMAIN::ShowFileStatus(const std::string& status) { lFileInfo->SetCaption(InformationPrefix + status); }

void TfoMAIN::TogglePreviewArea(TObject* sender) { sbHiddenPCClick(sender); }

void TfoMAIN::SetTextFullyLoaded(bool whole) {
    sbFileFullLoad->SetEnabled(!whole);
    mmFileFullLoad->SetEnabled(!whole);
    FullyLoaded = whole;
}

void TfoMAIN::ShowStatusHint(const std::string& text) {
    sbMAIN->SetPanelText(1, text);
    sbMAIN->Update();
}

bool TfoMAIN::HyperlinksOn() const { return sbOptionHyperLink->Down(); }

void TfoMAIN::SetPictureSize(int width, int height) {
    ImageWidth = width;
    ImageHeight = height;
}

void TfoMAIN::PreviewMember(const std::string& extractedPath) {
    PreviewFile(extractedPath, true);
    CurrentFilePath = extractedPath;
}

void TfoMAIN::ShowStatus(const std::string& text) { sbMAIN->SetPanelText(0, text); }

void TfoMAIN::ShowFolderCount(const std::string& text) { lFolderInfo->SetCaption(text); }

void TfoMAIN::MenusChanged() { MainMenu1->Rebuild(); }

bool TfoMAIN::Closing() const { return !Handle(); }

void TfoMAIN::UpdateEncodingMenu() {
    mmEncodingAuto->SetChecked(TextEncoding.Auto);
    for (int i = 0; i < kTextEncodingCount; ++i)
        mmEncoding[i]->SetChecked(!TextEncoding.Auto && TextEncoding.Fixed == i);
}

// --- panes and windows bound by hooks -------------------------------------------------

void TfoMAIN::BindMediaPane() {
    MediaPane = std::make_unique<TMediaPane>(this, pnBaseAVI, pnTbAVI, lgAVITime, lgAviSetA, lgAviSetB);
    MediaPane->FitImage = [this] { return FitImage; };
    MediaPane->OnPaneClick = [this](TObject* s) { sbHiddenPCClick(s); };
    // Play with no device open shows the current file again; an extracted
    // archive member stays a member so the archive pane keeps its place.
    MediaPane->RePreview = [this] {
        if (CurrentFilePath.empty()) return;
        PreviewFile(CurrentFilePath, IsWorkFolderMember(CurrentFilePath, WorkFolder));
    };
}

void TfoMAIN::BindSettingsWindows() {
    OpenSettingsDialog = [this] {
        std::vector<TControl*> guidance;
        for (TLabel* label : lNoneInfo) guidance.push_back(label);
        TSetDialogTarget target{PartialRead, ReadLimitKB, EditorPath, WallpaperPath, FitImage, GifOption,
                                lInformationTitle, sbInformation, guidance,
                                [this](const std::string& path) { ShowWallpaper(path); }};
        ExecuteSetDialog(this, target);
    };
    const auto editText = [this](TObject*) {
        if (EditTextViewSettings(this, *TextPreview->hedText, tvpColor)) {
            CopySearchHitSettings(*TextPreview->hedText, *TextPreview->hedSearch);
        }
    };
    mmOptionSetText->OnClick = editText;
    N22->OnClick = editText;
    LoadTextViewSettings = [this](const std::string& iniPath) {
        const TIniFile ini(iniPath);
        ::LoadTextViewSettings(*TextPreview->hedText, &ini, kTextViewSection);
        // The search results and the picture's companion text look the same.
        for (TTextEditorEx* other : {TextPreview->hedSearch, TextPreview->hedImageText}) {
            CopyTextEditorSettings(*TextPreview->hedText, *other);
        }
    };
    SaveTextViewSettings = [this](const std::string& iniPath) {
        TIniFile ini(iniPath);
        ::SaveTextViewSettings(*TextPreview->hedText, &ini, kTextViewSection);
    };
}
