// The search and folder-shortcut window: one modal dialog with two pages
// whose tabs are hidden. Page 1 keeps the list of favourite folders and
// jumps the main window's folder tree to one; page 2 searches below a
// folder by extension check boxes, user extensions or a wildcard and fills
// the main window's search-result list.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/buttons.h"
#include "ui/extctrls.h"
#include "ui/forms.h"
#include "ui/list_view.h"
#include "ui/menus.h"

class TfoMAIN;
class TFileTransactEx;
class TShellFolderTree;

// --- the few controls only this window uses ---------------------------------

class TRadioButton : public TWinControl {
public:
    TRadioButton(TComponent* owner, TWinControl* parent);
    bool Checked() const;
    // Checking one clears the other radio buttons of the same parent.
    void SetChecked(bool c);

protected:
    void CommandNotify(WORD code) override;
};

// An editable drop-down box with a list of earlier entries.
class TComboBox : public TWinControl {
public:
    TComboBox(TComponent* owner, TWinControl* parent);
    // What the edit part holds now (typed or chosen).
    std::string Text() const;
    void SetText(const std::string& text);
    std::vector<std::string> Items() const;
    void SetItems(const std::vector<std::string>& items);
    void InsertItem(int index, const std::string& item);

protected:
    void BoundsChanged() override;
};

// The busy animation: a magnifier passing over a folder while active; the
// first picture stands still otherwise.
class TBusyAnimation : public TGraphicControl {
public:
    TBusyAnimation(TComponent* owner, TWinControl* parent);
    bool Active() const { return timer_->Enabled(); }
    void SetActive(bool on);
    int Frame() const { return frame_; }
    void Paint(HDC dc) override;

private:
    TTimer* timer_;
    int frame_ = 0;
};

// The shortcut list: a list view whose items can be dragged within it.
class TDragListView : public TListView {
public:
    TDragListView(TComponent* owner, TWinControl* parent);
    using TDragOverEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y, bool& Accept)>;
    using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    // Index of the item at a client point, -1 for none.
    int ItemAt(int x, int y) const;
    // Client rectangle of an item (empty for none).
    RECT ItemRect(int index) const;
    bool Dragging() const { return dragging_; }
    void SetFocusedItem(int index);

protected:
    LRESULT Notify(NMHDR* nm) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void EndDrag(bool drop, int x, int y);
    bool dragging_ = false, accepted_ = false;
};

// --- pure parts of the search input ------------------------------------------

// The extension list of a search: each checked caption upper-cased with a
// dot before and one blank after, then, when asked, each word of the user
// text split at single blanks the same way (not upper-cased: the engine
// compares without case). Repeated blanks give empty entries.
std::string BuildExtensionList(const std::vector<std::string>& checkedCaptions, bool useUserWords,
                               const std::string& userText);
// Puts a text at the top of a history, trimmed, unless it is blank or
// already there in any letter case. True when it was added.
bool AddToHistory(std::vector<std::string>& history, const std::string& text);

// --- the window ---------------------------------------------------------------

class TfoSetFile : public TForm {
public:
    explicit TfoSetFile(TComponent* owner);
    ~TfoSetFile() override;

    // The check boxes "chbFile" + n: number, caption, group (1-5); GIF and
    // MP3 are made but hidden.
    struct ExtensionBox {
        int Number;
        const char* Caption;
    };
    static const std::vector<ExtensionBox>& ExtensionBoxes();

    // --- what the main window lends and takes -------------------------------
    // Wires everything below to the main window (its result list's engine,
    // folder tree, histories and the saving of the shortcut list). Called at
    // the main window's first activation, when its engines exist.
    void BindMainWindow(TfoMAIN* main);
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
    const std::vector<std::string>& ShortcutFolders() const { return folders_; }
    void SetShortcutFolders(std::vector<std::string> folders);

    // Page 0 (shortcuts) or 1 (search), shown without tabs.
    int ActivePageIndex() const { return page_; }
    void SetActivePageIndex(int page);
    // Before showing: the folder selected in the main window, the auto-close
    // option and the grid lines of its file list.
    void PrepareShortcutPage(const std::string& sourceFolder, bool autoClose, bool gridLines);
    // Before showing: the font of the main window's folder tree.
    void PrepareSearchPage(const TFont& treeFont);
    // Both of the above from the bound main window.
    void PreparePage(bool shortcuts);

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

    TfoMAIN* main_ = nullptr;
    TFileTransactEx* engine_ = nullptr;
    TStatusBar* resultStatus_ = nullptr;
    std::vector<std::string> folders_;
    int page_ = 1;
    bool activatedThisShow_ = false;
    bool searching_ = false;
    bool closedWhileSearching_ = false;
};
