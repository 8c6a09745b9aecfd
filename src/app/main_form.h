// The main window: every pane, the shared state of the panes, start-up and
// close, and the preview manager that shows a file in the pane of its kind.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/file_kind.h"
#include "app/information_text.h"
#include "app/pane_hosts.h"
#include "app/set_file_form.h"
#include "app/text_encoding_choice.h"
#include "ui/buttons.h"
#include "ui/extctrls.h"
#include "ui/forms.h"

class TLedGroup;
class TListView;
class TTreeView;
class TIniFile;
class TFileLists;
class TTextPreview;
class TImagePreview;
class TArchivePane;
class TMediaPane;
class TImage;

// What a key of the main window runs (the keys themselves are listed in
// main_keys.inc).
enum TKeyCommand {
    kcLaunch, kcNextListItem, kcPreviousListItem, kcShowMember, kcNextMember, kcPreviousMember,
    kcFocusList, kcToggleListPane, kcFullLoad, kcEditor, kcSearchPage, kcShortcutPage, kcMarkA,
    kcMarkB, kcExplorer,
};

// The window implements what each pane asks of it (pane_hosts.h); the
// panes never see the rest of it.
class TfoMAIN : public TForm,
                public TTextPreviewHost,
                public TImagePreviewHost,
                public TArchivePaneHost,
                public TFileListsHost {
public:
    // programPath: the program's own path; the work folder and the
    // environment data file live beside it.
    TfoMAIN(TComponent* owner, const std::string& programPath);
    ~TfoMAIN() override;

    // --- shared state ----------------------------------------------------
    std::string ProgramPath;
    std::string WorkFolder;  // empty when it could not be made
    std::string CurrentFilePath;
    FileKind CurrentFileKind = fkNone;
    bool FullyLoaded = false;
    bool PartialRead = true;
    int ReadLimitKB = 4;
    std::string EditorPath, WallpaperPath;
    bool FitImage = true;
    bool GifOption = false;
    bool HyperlinkNotice = true;
    TTextEncodingChoice TextEncoding;  // how text files are read: detected or fixed
    bool ShortcutAutoClose = false;
    std::string InformationPrefix;
    TControl* RememberedFocus = nullptr;
    std::vector<std::string> RecentWildcards, RecentUserExts, LastInformationText;
    unsigned char ArchiveSortDirections[7] = {};
    int ImageWidth = 0, ImageHeight = 0;
    TfoSetFile* SetFileForm = nullptr;  // the search and folder-shortcut window

    // --- the panes ---------------------------------------------------------
    // Each pane is held here and nowhere else. They are made in this order
    // (the archive pane at the first activation, when the work folder is
    // known) and freed in the reverse order, first thing in the destructor,
    // while every control they drive still exists; the window's component
    // list frees the controls afterwards. The archive pane also goes at
    // the orderly close, emptying the work folder of extracted members.
    std::unique_ptr<TFileLists> FileLists;
    std::unique_ptr<TTextPreview> TextPreview;
    std::unique_ptr<TImagePreview> ImagePreview;
    std::unique_ptr<TMediaPane> MediaPane;
    std::unique_ptr<TArchivePane> ArchivePane;

    // --- start-up and close ---------------------------------------------
    void FormCreate();
    void FormActivate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    bool PrepareWorkFolder();

    // --- environment data file ---------------------------------------------
    std::string EnvironmentPath() const;
    static bool CreateEnvironmentFile(const std::string& path);
    void LoadEnvironment(const std::string& path);
    void SaveEnvironment(const std::string& path);
    // View style and column widths of a list, in the section of its name.
    void LoadListSettings(TListView* list, const char* section, const std::string& path);
    void SaveListSettings(TListView* list, const char* section, TIniFile& ini);
    // Parts that keep their own settings in the same file (text view
    // settings, wallpaper picture, folder shortcuts) plug in here.
    std::function<void(const std::string& iniPath)> LoadTextViewSettings, SaveTextViewSettings;
    std::function<void(const std::string& picturePath)> LoadWallpaper;
    // Puts the picture into the information pane when the file exists.
    void ShowWallpaper(const std::string& path);
    std::function<std::vector<std::string>()> FolderShortcuts;

    // --- preview manager -------------------------------------------------
    FileKind SwitchPreviewPane(FileKind oldKind, FileKind newKind);
    void PreviewFile(const std::string& path, bool isArchiveMember);
    // Run for the selected item of a file list when the selection changed;
    // the same file again (in any letter case) is not loaded again.
    void PreviewSelected(int selectedIndex, const std::string& selectedPath, int& listTag) override;
    // The pane that previews files of a kind.
    TPanel* PaneOf(FileKind kind) const;

    // --- information pane and file information line ----------------------
    void ShowInformation(std::vector<std::string>& lastText, const std::string& path);
    void FillInformationPane(const std::vector<std::string>& lines, const std::string& caption);
    void WriteFileInformation(const std::string& path, double scale) override;
    // Stops any sound, leaves the media preview, then has the shell open
    // the file with its default verb.
    void LaunchFile(const std::string& path) override;
    // The shell's open (file, working folder); tests watch it here.
    std::function<void(const std::string& file, const std::string& folder)> ShellOpen;

    // --- commands ----------------------------------------------------------
    void mmFileExitClick(TObject* Sender);
    void mmFileClick(TObject* Sender);
    void mmShowClick(TObject* Sender);
    void O1Click(TObject* Sender);
    void sbHiddenPCClick(TObject* Sender);
    void mmFileEditorClick(TObject* Sender);
    void mmFileExplorerClick(TObject* Sender);
    void mmShowToolBarClick(TObject* Sender);
    void mmShowStatusBarClick(TObject* Sender);
    // The font of the tree views (folder trees and the member tree) or of
    // the list views.
    void ChooseListFont(bool trees);
    void mmOptionHyperLinkClick(TObject* Sender);
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void RunKeyCommand(TKeyCommand command);
    // Takes the search and folder-shortcut window as SetFileForm and wires it
    // to this window (the result list's engine, the folder tree, histories,
    // the saving of the shortcut list). Called once the panes exist.
    void BindSearchWindow(TfoSetFile* form);
    // Readies its shortcut page (shortcuts true) or search page from this
    // window's folder tree and file list.
    void PrepareUtilityPage(bool shortcuts);
    // Opens the search and folder-shortcut window on its shortcut page
    // (shortcuts true) or its search page.
    void OpenUtilityWindow(bool shortcuts);
    // Full path of the selected item in the list of the active tab; empty
    // when nothing is selected.
    std::string SelectedListPath() const;
    bool ListPaneVisible() const { return pnBaseList->Visible(); }
    // Hooks of panes that arrive later: the settings dialog, the notice
    // window of the hyperlink switch (returns its "do not show" check).
    std::function<void()> OpenSettingsDialog;
    std::function<bool(const std::vector<std::string>& lines)> ShowHyperlinkNotice;

    // --- components (names as the rest of the program refers to them) ----
    TMainMenu* MainMenu1;
    TMenuItem *mmFile, *mmEdit, *mmImg, *mmAvi, *mmShow, *O1;
    TMenuItem *mmFileSelFile, *mmFileSelCorrect, *mmFileFullLoad, *mmFileEditor;
    TMenuItem *mmShowPcHidden, *mmShowToolBar, *mmShowStatusBar, *mmOptionHyperLink;
    // The encoding submenu of the text menu: "mmEncodingAuto" and one item
    // per encoding, in the order of TTextEncoding.
    TMenuItem* mmEditEncoding;
    TMenuItem* mmEncodingAuto;
    TMenuItem* mmEncoding[kTextEncodingCount];
    // Check the item of the window's text encoding choice.
    void UpdateEncodingMenu();
    TMenuItem *mmEditCopy, *mmEditSelAll, *mmEditSearch, *mmImgOrgSize, *mmImgReduce, *mmImgEnlarge;
    TMenuItem *mmShowStyle, *mmOptionSetText, *N22, *mmOptionHelp;
    TStatusBar *sbMAIN, *sbCorrect;
    TPanel *pnTbMain, *pnMain, *pnBaseList, *pnExprsFolderInfo, *pnBaseView, *pnExprsFileInfo;
    TSplitter *spFolderView, *spFolderFile, *spArchive, *spText;
    TPageControl* pcMAIN;
    TTabSheet *TabSheet1, *TabSheet2;
    TPanel *pnFolder, *pnFile, *pnTbFileSel, *pnTbCorrect, *pnTbArchive, *pnTbImage, *pnTbAVI;
    TLabel *lFolderInfo, *lFileInfo;
    TPanel *pnBaseArchive, *pnView;
    TPanel *pnBaseText, *pnTextSearch, *pnTbText, *pnBaseImage, *pnBaseAVI, *pnBaseNone;
    // The picture's companion text: the text preview fills it with its
    // control, the image preview shows and hides it.
    TPanel* pnImageText;
    // The archive pane's controls whose settings the window keeps; set when
    // the pane is made, alive as long as the window.
    TPanel* pnArchiveTv = nullptr;
    TTreeView* tvArchive = nullptr;
    TListView* lvArchive = nullptr;
    TLabel* lInformationTitle;
    TImage* imgNone;
    TSpeedButton *sbInformation, *sbFileFullLoad, *sbFileEditor, *sbOptionHyperLink, *sbEditCopy,
        *sbEditSelAll, *sbEditSearch, *sbHiddenPC, *sbFolderUpDate, *sbSetFileShortCut,
        *sbSetFileCorrect, *SpeedButton2, *sbOptionHelp, *sbLaunchFile, *sbLaunchCorrect;
    TLabel* lNoneInfo[kInformationLabels];
    TLedGroup *lgTextX, *lgTextY, *lgImgWidth, *lgImgHeight, *lgAVITime, *lgAviSetA, *lgAviSetB;

private:
    // --- what the panes ask (pane_hosts.h) ---------------------------------
    void ShowFileStatus(const std::string& status) override;
    void TogglePreviewArea(TObject* sender) override;
    const std::string& CurrentFile() const override { return CurrentFilePath; }
    TTextEncodingChoice& EncodingChoice() override { return TextEncoding; }
    void EncodingChoiceChanged() override { UpdateEncodingMenu(); }
    bool PartialReadOn() const override { return PartialRead; }
    int ReadLimitKBytes() const override { return ReadLimitKB; }
    bool TextFullyLoaded() const override { return FullyLoaded; }
    void SetTextFullyLoaded(bool whole) override;
    void ShowStatusHint(const std::string& text) override;
    bool HyperlinksOn() const override;
    bool FitOn() const override { return FitImage; }
    bool GifOn() const override { return GifOption; }
    TTextEncoding EncodingFor(const std::string& path) const override { return TextEncoding.ForFile(path); }
    int PictureWidth() const override { return ImageWidth; }
    int PictureHeight() const override { return ImageHeight; }
    void SetPictureSize(int width, int height) override;
    const std::string& WorkFolderPath() const override { return WorkFolder; }
    void PreviewMember(const std::string& extractedPath) override;
    void ShowStatus(const std::string& text) override;
    unsigned char& SortAscending(int column) override { return ArchiveSortDirections[column]; }
    void ShowFolderCount(const std::string& text) override;
    void OpenSearchPage() override { OpenUtilityWindow(false); }
    void ShowInExplorer() override { mmFileExplorerClick(this); }
    void MenusChanged() override;
    bool Closing() const override;

    void BuildLayout();
    void BuildMenu();
    void CreatePanes();
    void MakeArchivePane();
    TMenuItem* AddItem(TMenuItem* parent, const char* name, const char* caption, TShortCut sc = 0);
    TPanel* AddPanel(TWinControl* parent, const char* name, TAlign align, int size = 0);
    TSplitter* AddSplitter(TWinControl* parent, const char* name, TAlign align, int minSize);
    TSpeedButton* AddButton(TWinControl* parent, const char* name, const char* hint, int x, int glyph);
    void BuildToolbars();
    TLedGroup* AddLed(TWinControl* parent, const char* name, const char* hint, int x, int digits);
    void HideUnofferedCommands();
    // Commands that exist, hidden, as they have no action yet.
    std::vector<TMenuItem*> unoffered_;
    void BindMediaPane();
    void BindSettingsWindows();
    void ClearInformationLabels();
    bool activated_ = false;
};
