// The panes and windows that plug into the main window through its hooks:
// the media pane, the general settings dialog and the text-view settings
// window with the text controls' keys in the environment data file.
#include "app/main_form.h"

#include "app/image_preview.h"
#include "app/text_preview.h"
#include "base/sjis.h"
#include "base/strutil.h"
#include "media/media_pane.h"
#include "settings/ini_file.h"
#include "settings/set_form_win.h"
#include "textview/text_editor_prop.h"
#include "textview/text_view_settings.h"
#include "textview/text_view_settings_form_win.h"

namespace {
const char kTextSection[] = "hedText";
}  // namespace

void TfoMAIN::BindMediaPane() {
    MediaPane = std::make_unique<TMediaPane>(this, pnBaseAVI, pnTbAVI, lgAVITime, lgAviSetA, lgAviSetB);
    MediaPane->FitImage = [this] { return FitImage; };
    MediaPane->OnPaneClick = [this](TObject* s) { sbHiddenPCClick(s); };
    // Play with no device open shows the current file again; an extracted
    // archive member stays a member so the archive pane keeps its place.
    MediaPane->RePreview = [this] {
        if (CurrentFilePath.empty()) return;
        const std::string work = SjisUpperCase(IncludeTrailingBackslash(WorkFolder));
        const bool member = !WorkFolder.empty() && SjisUpperCase(CurrentFilePath).rfind(work, 0) == 0;
        PreviewFile(CurrentFilePath, member);
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
    for (const char* name : {"mmOptionSetText", "N22"}) {
        if (auto* item = dynamic_cast<TMenuItem*>(FindComponent(name))) item->OnClick = editText;
    }
    LoadTextViewSettings = [this](const std::string& iniPath) {
        const TIniFile ini(iniPath);
        ::LoadTextViewSettings(*TextPreview->hedText, &ini, kTextSection);
        // The search results and the picture's companion text look the same.
        for (TTextEditorEx* other : {TextPreview->hedSearch, TextPreview->hedImageText}) {
            CopyTextEditorSettings(*TextPreview->hedText, *other);
        }
    };
    SaveTextViewSettings = [this](const std::string& iniPath) {
        TIniFile ini(iniPath);
        ::SaveTextViewSettings(*TextPreview->hedText, &ini, kTextSection);
    };
}
