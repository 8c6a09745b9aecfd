// Commands and keys of the main window.
#include "app/archive_pane.h"
#include "app/file_lists.h"
#include "app/image_preview.h"
#include "app/glyphs.h"
#include "app/text_preview.h"
#include "app/main_form.h"
#include "media/media_pane.h"
#include "base/files.h"
#include "base/sjis.h"
#include "base/strutil.h"
#include "ui/dialogs.h"

void TfoMAIN::mmFileClick(TObject*) {
    mmFileSelFile->SetChecked(pcMAIN->ActivePageIndex() == 0);
    mmFileSelCorrect->SetChecked(pcMAIN->ActivePageIndex() == 1);
    mmFileFullLoad->SetEnabled(pnBaseText->Visible() && !FullyLoaded && sbFileFullLoad->Enabled());
    mmFileEditor->SetEnabled(pnBaseText->Visible());
}

void TfoMAIN::mmShowClick(TObject*) {
    mmShowStatusBar->SetChecked(sbMAIN->Visible());
    mmShowToolBar->SetChecked(pnTbFileSel->Visible());
    mmShowPcHidden->SetChecked(!pnBaseList->Visible());
}

void TfoMAIN::O1Click(TObject*) { mmOptionHyperLink->SetChecked(sbOptionHyperLink->Down()); }

void TfoMAIN::sbHiddenPCClick(TObject*) {
    if (pnBaseList->Visible()) {
        TWinControl* focused = TWinControl::FromHandle(GetFocus());
        RememberedFocus = focused;
    }
    const bool show = !pnBaseList->Visible();
    pnMain->DisableAlign();
    pnBaseList->SetVisible(show);
    spFolderView->SetVisible(show);
    pnMain->EnableAlign();
    if (show) {
        sbHiddenPC->SetGlyph(MakeGlyph(gkArrowLeft));
        sbHiddenPC->Hint = "最大画面";
        if (auto* w = dynamic_cast<TWinControl*>(RememberedFocus); w && w->CanFocus()) w->SetFocus();
    } else {
        sbHiddenPC->SetGlyph(MakeGlyph(gkArrowRight));
        sbHiddenPC->Hint = "通常画面";
        TWinControl* text = TextPreview->hedText;
        if (pnBaseText->Visible() && text->CanFocus()) text->SetFocus();
    }
    if (FitImage && pnBaseImage->Visible()) ImagePreview->Fit();
}

void TfoMAIN::mmFileEditorClick(TObject*) {
    const char* question = nullptr;
    std::string text;
    if (Trim(EditorPath).empty()) {
        text = "外部エディタが設定されていません\r設定を行いますか？";
        question = "unset";
    } else if (!FileExists(EditorPath)) {
        text = "外部エディタに設定されてるアプリケーションが見つかりません\rファイル名:" + EditorPath +
               "\r最新の実行ファイル情報を設定してください\r\rこれから設定を行いますか？";
        question = "missing";
    }
    if (question) {
        if (TellUser(TSeverity::Question, text, TAnswers::YesCancel) == IDYES) Fire(OpenSettingsDialog);
        return;
    }
    const std::string folder = ExcludeTrailingBackslash(ExtractFilePath(CurrentFilePath));
    ShellExecuteA(nullptr, nullptr, EditorPath.c_str(), CurrentFilePath.c_str(), folder.c_str(), SW_SHOWNORMAL);
}

std::string TfoMAIN::SelectedListPath() const { return FileLists->SelectedPath(pcMAIN->ActivePageIndex()); }

void TfoMAIN::mmFileExplorerClick(TObject*) {
    const std::string params = "/e,/n,/select," + SelectedListPath();
    ShellExecuteA(nullptr, "OPEN", "Explorer.exe", params.c_str(), nullptr, SW_SHOWNORMAL);
}

void TfoMAIN::mmShowToolBarClick(TObject*) {
    const bool show = !pnTbFileSel->Visible();
    for (TPanel* bar : {pnTbFileSel, pnTbArchive, pnTbText, pnTbImage, pnTbAVI, pnTbCorrect}) bar->SetVisible(show);
}

void TfoMAIN::mmShowStatusBarClick(TObject*) { sbMAIN->SetVisible(!sbMAIN->Visible()); }

void TfoMAIN::ChooseListFont(bool trees) {
    // The controls that share a font, wherever they live; the search window
    // has its own folder tree and shortcut list.
    TControl* fvxSearch = SetFileForm ? SetFileForm->fvxSearch : nullptr;
    TControl* lvFolderList = SetFileForm ? SetFileForm->lvFolderList : nullptr;
    TControl* source = trees ? static_cast<TControl*>(tvArchive) : FileLists->lvFile;
    TFont font = source ? source->EffectiveFont() : Font;
    if (!ExecuteFontDialog(Handle(), font)) return;
    const std::vector<TControl*> targets =
        trees ? std::vector<TControl*>{FileLists->fvx, tvArchive, fvxSearch}
              : std::vector<TControl*>{FileLists->lvFile, lvArchive, FileLists->lvCorrect, lvFolderList};
    for (TControl* c : targets) {
        if (c) c->SetFont(font);
    }
}

void TfoMAIN::mmOptionHyperLinkClick(TObject*) { sbOptionHyperLink->Click(); }

void TfoMAIN::BindSearchWindow(TfoSetFile* form) {
    SetFileForm = form;
    if (!form) return;
    form->Unbind = [this] {
        FolderShortcuts = nullptr;
        SetFileForm = nullptr;
    };
    if (TFileLists* lists = FileLists.get()) {
        form->AttachSearchEngine(lists->CorrectEngine(), sbCorrect);
        form->SelectMainFolder = [lists](const std::string& folder) { lists->fvx->SelectPath(folder); };
    }
    form->TakeHistories(RecentWildcards, RecentUserExts);
    form->ReturnHistories = [this](const std::vector<std::string>& wildcards,
                                   const std::vector<std::string>& userExts) {
        RecentWildcards = wildcards;
        RecentUserExts = userExts;
    };
    form->LoadShortcuts(EnvironmentPath());
    FolderShortcuts = [form] { return form->ShortcutFolders(); };
}

void TfoMAIN::PrepareUtilityPage(bool shortcuts) {
    if (!SetFileForm) return;
    TFileLists* lists = FileLists.get();
    if (!lists) {
        SetFileForm->SetActivePageIndex(shortcuts ? 0 : 1);
    } else if (shortcuts) {
        SetFileForm->PrepareShortcutPage(lists->fvx->SelectedFolder(), ShortcutAutoClose,
                                         lists->lvFile->GridLines());
    } else {
        SetFileForm->PrepareSearchPage(lists->fvx->EffectiveFont());
    }
}

void TfoMAIN::OpenUtilityWindow(bool shortcuts) {
    pcMAIN->SetActivePageIndex(shortcuts ? 0 : 1);
    if (!SetFileForm) return;
    SetFileForm->SetCaption(shortcuts ? "フォルダ ショートカットユーティリティ" : "ファイル サーチユーティリティ");
    PrepareUtilityPage(shortcuts);
    SetFileForm->ShowModal();
    if (shortcuts) {
        if (SetFileForm->chbAutoClose) ShortcutAutoClose = SetFileForm->chbAutoClose->Checked();
    }
}

namespace {
struct TMainKey {
    WORD key;
    TShiftState down, up;
    TKeyCommand command;
    bool consumed;
};
const TMainKey kMainKeys[] = {
#define QM_KEY(key, down, up, command, consumed, name, condition, action) {key, down, up, command, consumed},
#define QM_MENU_KEY(item, shortcut, name, action)
#include "app/main_keys.inc"
#undef QM_KEY
#undef QM_MENU_KEY
};
}  // namespace

void TfoMAIN::FormKeyDown(TObject*, WORD& Key, TShiftState Shift) {
    const TShiftState held = Shift & (ssShift | ssCtrl | ssAlt);
    for (const TMainKey& k : kMainKeys) {
        if (k.key != Key || (held & k.down) != k.down || (held & k.up)) continue;
        RunKeyCommand(k.command);
        if (k.consumed) Key = 0;
        return;
    }
}

void TfoMAIN::RunKeyCommand(TKeyCommand command) {
    const int tab = pcMAIN->ActivePageIndex();
    const bool archive = pnBaseArchive->Visible() && ArchivePane;
    // The marks belong to a medium being previewed; with none open the
    // letters do nothing rather than report a missing device.
    const bool media = pnBaseAVI->Visible() && MediaPane && MediaPane->mp->DeviceID();
    switch (command) {
    case kcLaunch: LaunchFile(CurrentFilePath); break;
    case kcNextListItem:
    case kcPreviousListItem: FileLists->SelectNext(tab, command == kcNextListItem); break;
    case kcShowMember:
        if (archive && ArchivePane->lvArchive->Selected() >= 0) ArchivePane->ShowSelectedMember();
        break;
    case kcNextMember:
    case kcPreviousMember:
        if (archive) ArchivePane->SelectNext(command == kcNextMember);
        break;
    case kcFocusList:
        if (pnBaseList->Visible()) FileLists->FocusList(tab);
        break;
    case kcToggleListPane: sbHiddenPCClick(this); break;
    case kcFullLoad:
        if (!FullyLoaded) TextPreview->FullLoad();
        break;
    case kcEditor: mmFileEditorClick(this); break;
    case kcSearchPage: OpenUtilityWindow(false); break;
    case kcShortcutPage: OpenUtilityWindow(true); break;
    case kcMarkA:
        if (media) MediaPane->mmAviSetAClick(this);
        break;
    case kcMarkB:
        if (media) MediaPane->mmAviSetBClick(this);
        break;
    case kcExplorer: mmFileExplorerClick(this); break;
    }
}
