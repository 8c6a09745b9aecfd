// The main window: every pane, the shared state of the panes, start-up and
// close, and the preview manager that shows a file in the pane of its kind.
#pragma once
#include <string>
#include <vector>

#include "app/file_kind.h"
#include "ui/buttons.h"
#include "ui/forms.h"

class TfoSetFile;

class TfoMAIN : public TForm {
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
    bool ShortcutAutoClose = false;
    std::string InformationPrefix;
    TControl* RememberedFocus = nullptr;
    std::vector<std::string> RecentWildcards, RecentUserExts, LastInformationText;
    unsigned char ArchiveSortDirections[7] = {};
    int ImageWidth = 0, ImageHeight = 0;
    TfoSetFile* SetFileForm = nullptr;  // the search and folder-shortcut window

    // --- start-up and close ---------------------------------------------
    void FormCreate();
    void FormActivate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    bool PrepareWorkFolder();
    bool FirstActivationDone() const { return activated_; }

    // --- preview manager -------------------------------------------------
    FileKind SwitchPreviewPane(FileKind oldKind, FileKind newKind);
    void PreviewFile(const std::string& path, bool isArchiveMember);
    // Run for the selected item of a file list when the selection changed;
    // the same file again (in any letter case) is not loaded again.
    void PreviewSelected(int selectedIndex, const std::string& selectedPath, int& listTag);
    // The pane that previews files of a kind.
    TPanel* PaneOf(FileKind kind) const;

    // --- information pane and file information line ----------------------
    void ShowInformation(std::vector<std::string>& lastText, const std::string& path);
    void FillInformationPane(const std::vector<std::string>& lines, const std::string& caption);
    void WriteFileInformation(const std::string& path, double scale);
    void LaunchFile(const std::string& path);
    void mmFileExitClick(TObject* Sender);

    // --- components (names as the rest of the program refers to them) ----
    TMainMenu* MainMenu1;
    TMenuItem *mmFile, *mmEdit, *mmImg, *mmAvi, *mmShow, *O1;
    TStatusBar* sbMAIN;
    TPanel *pnTbMain, *pnMain, *pnBaseList, *pnExprsFolderInfo, *pnBaseView, *pnExprsFileInfo;
    TLabel *lFolderInfo, *lFileInfo;
    TPanel *pnBaseArchive, *pnView;
    TPanel *pnBaseText, *pnTextSearch, *pnTbText, *pnBaseImage, *pnBaseAVI, *pnBaseNone;
    TLabel* lInformationTitle;
    TSpeedButton *sbInformation, *sbFileFullLoad;
    TLabel* lNoneInfo[10];

private:
    void BuildLayout();
    void BuildMenu();
    TMenuItem* AddItem(TMenuItem* parent, const char* name, const char* caption, TShortCut sc = 0);
    TPanel* AddPanel(TWinControl* parent, const char* name, TAlign align, int size = 0);
    void HideUnofferedCommands();
    void ClearInformationLabels();
    bool activated_ = false;
};

// The search and folder-shortcut window: created once after the main window
// and shown modally from it.
class TfoSetFile : public TForm {
public:
    explicit TfoSetFile(TComponent* owner);
};
