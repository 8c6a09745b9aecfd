// The left half of the main window below its tabs: the folder tree, the
// file list and the search-result list with their engines, and the view
// commands the lists share with the archive member list (view style,
// column hiding, grid lines) with the buttons and menu checks that mirror
// them. The controls belong to the main window, so it finds them by name.
#pragma once
#include <memory>
#include <string>

#include "foldertree/shell_folder_tree.h"
#include "search/file_transact_ex.h"
#include "ui/list_view.h"
#include "ui/menus.h"

class TfoMAIN;
class TSpeedButton;

class TFileLists : public TComponent {
public:
    explicit TFileLists(TfoMAIN* main);
    ~TFileLists() override;

    TShellFolderTree* fvx;
    TListView *lvFile, *lvCorrect;
    TPopupMenu* pmLv;
    TMenuItem* pmExplorer;
    // The two engines exist from the first activation on.
    TFileTransactEx* FileEngine() const { return fileEngine_.get(); }
    TFileTransactEx* CorrectEngine() const { return correctEngine_.get(); }

    // --- what the main window calls ------------------------------------------
    // Engines, the lists' image lists and the view controls' state.
    void FirstActivation();
    // Full path of the selected item of tab 0 (file list) or 1 (search
    // results); empty when nothing is selected.
    std::string SelectedPath(int tabIndex) const;
    // Ctrl+Down / Ctrl+Up: the next or previous item, or the first when
    // none is selected; at either end nothing moves.
    void SelectNext(int tabIndex, bool down);
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
    // The three shared view handlers: they tell list and command from the
    // upper-cased name of the menu item or button that was used.
    void mmShowLargeIconSelClick(TObject* Sender);
    void mmShowEraseSizeSELClick(TObject* Sender);
    void sbShowGridSELClick(TObject* Sender);
    // Every view button and view menu item in line with the three lists.
    void SyncViewControls();
    // Shows or hides the column and grid buttons of the file list's toolbar.
    void pnTbFileSelDblClick(TObject* Sender);
    // The view submenu of the archive list, once that list exists.
    void AddArchiveViewMenu();

private:
    TListView* ListOfSender(TObject* sender, std::string& upperName) const;
    TFileTransactEx* EngineOf(TObject* list) const;
    void BuildList(TListView* list);
    void BuildViewButtons(TWinControl* bar, const char* tag, bool folderColumn);
    TMenuItem* BuildViewMenu(const char* name, const char* caption, const char* tag,
                             const std::vector<std::pair<const char*, const char*>>& columns);
    void RowData(TFileTransactEx* engine, TListView* list, TListItemData& item);
    template <typename T> T* Find(const std::string& name) const;

    TfoMAIN* main_;
    std::unique_ptr<TFileTransactEx> fileEngine_, correctEngine_;
    bool archiveMenu_ = false;
};
