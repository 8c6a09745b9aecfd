// The search and folder-shortcut window: one modal dialog with two pages
// whose tabs are hidden. Page 1 keeps the list of favourite folders and
// jumps the main window's folder tree to one; page 2 searches below a
// folder by extension check boxes, user extensions or a wildcard and fills
// the main window's search-result list.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "search/search_input.h"
#include "ui/busy_animation.h"
#include "ui/buttons.h"
#include "ui/choice_controls.h"
#include "ui/drag_list_view.h"
#include "ui/extctrls.h"
#include "ui/forms.h"
#include "ui/menus.h"

class TFileTransactEx;
class TShellFolderTree;

// --- the window ---------------------------------------------------------------

class TfoSetFile : public TForm {
public:
    explicit TfoSetFile(TComponent* owner);
    ~TfoSetFile() override;

    // --- what the main window lends and takes -------------------------------
    // Run when this window goes: whoever holds parts of it (the main window
    // keeps the shortcut list's reader) lets go of them.
    std::function<void()> Unbind;
    // The engine of the result list; its progress labels become ours.
    void AttachSearchEngine(TFileTransactEx* engine, TStatusBar* resultStatus);
    TFileTransactEx* SearchEngine() const { return engine_; }
    // Makes the main window's folder tree select a folder.
    std::function<void(const std::string& folder)> SelectMainFolder;
    // Gets both histories back when the window closes.
    std::function<void(const std::vector<std::string>& wildcards,
                       const std::vector<std::string>& userExtensions)>
        ReturnHistories;
    // Both histories into the boxes; each box starts with its first entry.
    void TakeHistories(const std::vector<std::string>& wildcards,
                       const std::vector<std::string>& userExtensions);
    std::vector<std::string> WildcardHistory() const { return cmbSetWild->Items(); }
    std::vector<std::string> UserExtensionHistory() const { return cmbFileUser->Items(); }

    // The shortcut list as saved: keys "1".."20" of "ShortCutFolder" up to the
    // first empty value.
    void LoadShortcuts(const std::string& iniPath);
    const std::vector<std::string>& ShortcutFolders() const { return shortcuts_.Folders(); }
    void SetShortcutFolders(std::vector<std::string> folders);

    // Page 0 (shortcuts) or 1 (search), shown without tabs.
    int ActivePageIndex() const { return page_; }
    void SetActivePageIndex(int page);
    // Before showing: the folder selected in the main window, the auto-close
    // option and the grid lines of its file list.
    void PrepareShortcutPage(const std::string& sourceFolder, bool autoClose, bool gridLines);
    // Before showing: the font of the main window's folder tree.
    void PrepareSearchPage(const TFont& treeFont);

    // The three parts of a search as the controls give them now.
    std::string ExtensionList() const;
    std::string Wildcard() const;
    std::string SearchFolder() const;
    bool Searching() const { return searching_; }

    // --- handlers -------------------------------------------------------------
    void FormActivate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void sbRecFolderClick(TObject* Sender);
    void lvFolderListDblClick(TObject* Sender);
    void lvFolderListChange(TObject* Sender, int index, bool stateChange);
    void lvFolderListDragOver(TObject* Sender, TObject* Source, int X, int Y, bool& Accept);
    void lvFolderListDragDrop(TObject* Sender, TObject* Source, int X, int Y);
    void pmFolderListPopup(TObject* Sender);
    void pmDeleteSelClick(TObject* Sender);
    void sbDelSelectedClick(TObject* Sender);
    void sbCloseClick(TObject* Sender);
    void rbSetExtClick(TObject* Sender);
    void chbFileUserClick(TObject* Sender);
    void sbChkAll1Click(TObject* Sender);
    void sbChkAll2Click(TObject* Sender);
    void sbChkAll3Click(TObject* Sender);
    void sbChkAll4Click(TObject* Sender);
    void sbChkAll5Click(TObject* Sender);
    void bbSearchClick(TObject* Sender);
    void bbFaultClick(TObject* Sender);
    void bbHelpClick(TObject* Sender);

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

    // --- page 1 ---------------------------------------------------------------
    TPanel* pnShortCut;
    TLabel *lSourceCaption, *lSourceFolder, *lGuideDblClick;
    TSpeedButton *sbRecFolder, *sbDelSelected, *sbClose;
    TDragListView* lvFolderList;
    TCheckBox* chbAutoClose;
    TPopupMenu* pmFolderList;
    TMenuItem* pmDeleteSel;

    // --- page 2 ---------------------------------------------------------------
    TPanel* pnFileSearch;
    TLabel *lHitCaption, *lProgress, *lSearchFolder;
    TGroupBox* gbSearchPlace;
    TShellFolderTree* fvxSearch;
    TCheckBox* chbSearchDirChild;
    TRadioButton *rbSetExt, *rbSetWild;
    TComboBox *cmbSetWild, *cmbFileUser;
    TLabel *lWildExample, *lUserExample;
    TGroupBox* gbExtension[5];
    TGroupBox* gbUserExtension;
    TCheckBox* chbFileUser;
    TSpeedButton* sbChkAll[5];
    TSpeedButton* sbChkNot[5];  // the last one is named "cbChkNot5"
    TButton *bbSearch, *bbFault, *bbClose, *bbHelp;
    TBusyAnimation* anm;

    // The check box "chbFile" + number, null where the number has none.
    TCheckBox* ExtensionCheckBox(int number) const;

private:
    void BuildShortcutPage();
    void BuildSearchPage();
    void BuildExtensionGroups(TWinControl* page);
    void ChkAllClick(TObject* Sender, int group);
    void AutoClose();
    void RemoveFolder(int index);
    void ShowFolders();
    void EnterBusy();
    void LeaveBusy();
    // A failed check of the search input: the notice and the focus.
    void Refuse(const std::string& text, TWinControl* focus);
    // Records of the search results as the list shows them now.
    int ResultRows() const;

    TFileTransactEx* engine_ = nullptr;
    TStatusBar* resultStatus_ = nullptr;
    TFolderShortcuts shortcuts_;
    // The extension check boxes by number, with what they stand for.
    struct ExtensionCheck {
        const TExtensionBox* Box;
        TCheckBox* Control;
    };
    std::vector<ExtensionCheck> extensionChecks_;
    int page_ = 1;
    bool activatedThisShow_ = false;
    bool searching_ = false;
    bool closedWhileSearching_ = false;
};
