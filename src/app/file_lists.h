// The left half of the main window below its tabs: the folder tree, the
// file list and the search-result list with their engines, and the view
// commands the lists share with the archive member list (view style,
// column hiding, grid lines) with the buttons and menu checks that mirror
// them. The pane makes its controls in the panels the window hands over;
// the window's component list frees them (and finds them by name).
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "app/pane_hosts.h"
#include "foldertree/shell_folder_tree.h"
#include "search/file_transact_ex.h"
#include "ui/buttons.h"
#include "ui/list_view.h"
#include "ui/menus.h"

class TPanel;
class TMainMenu;

// The window's panels and buttons the file lists work in.
struct TFileListsParts {
    TComponent* Owner;        // frees the controls (and finds them by name)
    TPanel* FolderPanel;      // pnFolder: the folder tree
    TPanel* FilePanel;        // pnFile: the file list
    TWinControl* SearchPage;  // TabSheet2: the search-result list
    TPanel *FileToolbar, *SearchToolbar;  // pnTbFileSel, pnTbCorrect
    TSpeedButton* RefreshButton;          // sbFolderUpDate
    TSpeedButton *LaunchFileButton, *LaunchSearchButton;
    TMenuItem* ViewMenu;                  // mmShowStyle: a submenu per list goes here
};

// The three lists the view commands act on.
enum TViewList { vlFile, vlArchive, vlCorrect };

// One view command: a view style, a column shown or hidden, grid lines.
struct TViewCommand {
    enum TKind { vcStyle, vcColumn, vcGrid } Kind;
    TViewStyle Style = vsReport;  // vcStyle
    int Column = 0;               // vcColumn
};

class TFileLists {
public:
    TFileLists(TFileListsHost& host, const TFileListsParts& parts);
    // Leaves nothing of ours attached to the controls, which stay the owner's.
    ~TFileLists();
    TFileLists(const TFileLists&) = delete;
    TFileLists& operator=(const TFileLists&) = delete;

    TShellFolderTree* fvx;
    TListView *lvFile, *lvCorrect;
    TPopupMenu* pmLv;
    TMenuItem* pmExplorer;
    // The two engines exist from the first activation on.
    TFileTransactEx* FileEngine() const { return fileEngine_.get(); }
    TFileTransactEx* CorrectEngine() const { return correctEngine_.get(); }

    // --- what the main window calls ------------------------------------------
    // Engines and the view controls' state.
    void FirstActivation();
    // The archive member list joins the view commands: its toolbar buttons
    // and a submenu of its own.
    void AttachArchiveList(TListView* list, const TViewButtons& buttons);
    // Full path of the selected item of tab 0 (file list) or 1 (search
    // results); empty when nothing is selected.
    std::string SelectedPath(int tabIndex) const;
    // Ctrl+Down / Ctrl+Up: the next or previous item, or the first when
    // none is selected; at either end nothing moves.
    void SelectNext(int tabIndex, bool down);
    // The item a list last moved to, by selection or by Ctrl+arrows.
    int LastIndex(int tabIndex) const { return lastIndex_[tabIndex == 0 ? 0 : 1]; }
    void FocusList(int tabIndex);
    // Launches the selected item of a list (launch buttons, double-click).
    void Launch(TListView* list);
    TListView* ListOfTab(int tabIndex) const { return tabIndex == 0 ? lvFile : lvCorrect; }

    // --- handlers ----------------------------------------------------------------
    void fvxChange(TObject* Sender, const std::string& folder);
    void lvFileData(TObject* Sender, TListItemData& item);
    void lvFileDataHint(TObject* Sender, int from, int to);
    void lvCorrectData(TObject* Sender, TListItemData& item);
    void lvCorrectDataHint(TObject* Sender, int from, int to);
    void lvFileColumnClick(TObject* Sender, int column);
    void lvCorrectColumnClick(TObject* Sender, int column);
    // Selection changes of both lists preview the selected file.
    void lvFileChange(TObject* Sender, int index, bool stateChange);
    // The view commands of the buttons and menu items; nothing for a list
    // that is not there or a column it does not have.
    void RunViewCommand(TViewList list, const TViewCommand& command);
    // Every view button and view menu item in line with the three lists.
    void SyncViewControls();
    // Shows or hides the column and grid buttons of the file list's toolbar.
    void pnTbFileSelDblClick(TObject* Sender);

private:
    // The controls that mirror one list's view.
    struct TViewControls {
        TListView* List = nullptr;
        TSpeedButton* StyleButtons[4] = {};
        TMenuItem* StyleItems[4] = {};
        std::vector<int> Columns;  // the column of each toggle below
        std::vector<TSpeedButton*> ColumnButtons;
        std::vector<TMenuItem*> ColumnItems;
        TSpeedButton* GridButton = nullptr;
        TMenuItem* GridItem = nullptr;
    };
    TFileTransactEx* EngineOf(TObject* list) const;
    void BuildList(TListView* list);
    void BuildViewButtons(TViewList which, TWinControl* bar, const char* tag, bool folderColumn);
    void BuildViewMenu(TViewList which, const char* name, const char* caption, const char* tag,
                       const std::vector<std::pair<const char*, const char*>>& columns);
    void BindViewButtons(TViewList which);
    void RowData(TFileTransactEx* engine, TListView* list, TListItemData& item);
    void DetachHandlers();

    TFileListsHost& host_;
    TFileListsParts parts_;
    TViewControls views_[3];
    std::unique_ptr<TFileTransactEx> fileEngine_, correctEngine_;
    int lastIndex_[2] = {0, 0};
};
