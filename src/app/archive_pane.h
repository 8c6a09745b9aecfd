// The archive pane of the main window: the member tree with its file count,
// the member list, the toolbar with "show the selected file" and the view
// buttons, and the handlers that drive the archive operation. The pane makes
// its controls in the panels the window hands over (the window's component
// list frees them, and finds them by name); the pane owns the archive
// control `ac` and the operation, and empties the work folder when it goes.
#pragma once
#include <memory>
#include <string>

#include "app/pane_hosts.h"
#include "archive/archive_control.h"
#include "archive/archive_operation.h"
#include "archive/archive_views_win.h"
#include "archive/dll_archiver_api.h"
#include "archive/win_archive_host.h"
#include "ui/buttons.h"
#include "ui/extctrls.h"
#include "ui/list_view.h"
#include "ui/tree_view.h"

// The window's panels the archive pane works in.
struct TArchivePaneParts {
    TComponent* Owner;   // frees the controls (and finds them by name)
    HWND Window;         // the archiver libraries' dialogs belong to it
    TPanel* Base;        // pnBaseArchive
    TPanel* Toolbar;     // pnTbArchive
};

class TArchivePane {
public:
    TArchivePane(TArchivePaneHost& host, const TArchivePaneParts& parts);
    // Empties the work folder of our extracted copies; the controls stay
    // the owner's, with nothing of ours left attached.
    ~TArchivePane();
    TArchivePane(const TArchivePane&) = delete;
    TArchivePane& operator=(const TArchivePane&) = delete;

    TArchiveControl* ac;
    TPanel *pnArchiveTv, *pnArchiveLV;
    TSplitter* spArchiveTv;
    TTreeView* tvArchive;
    TListView* lvArchive;
    TStatusBar* sbArchiveInfo;
    TSpeedButton* sbArchiveExprs;
    TViewButtons ViewButtons;
    TArchiveOperation* Operation() const { return operation_.get(); }
    TWinArchiveHost& Host() { return host_; }

    // --- what the main window calls ------------------------------------------
    // The archive branch of the preview: lists the archive and, unless it is
    // an extracted member, selects "[ALL Files:]" or the root. False, with
    // nothing changed, while the archiver library is running; true when the
    // information pane should be shown.
    bool PreviewArchive(const std::string& path, bool isArchiveMember);
    // Alt+Return, the toolbar button and a double click: previews the
    // selected member, or opens the nested archive it is.
    void ShowSelectedMember();
    // Alt+Down / Alt+Up: the next or previous member, or the first when none
    // is selected; at either end nothing moves.
    void SelectNext(bool down);

    // --- handlers ----------------------------------------------------------------
    void tvArchiveChange(TObject* Sender, TTreeNode node);
    void tvArchiveExpanding(TObject* Sender, TTreeNode node, bool& allowExpansion);
    void lvArchiveDblClick(TObject* Sender);
    void sbArchiveExprsClick(TObject* Sender);
    void lvArchiveChange(TObject* Sender, int index, bool stateChange);
    void lvArchiveColumnClick(TObject* Sender, int column);
    void lvArchiveData(TObject* Sender, TListItemData& item);
    void pnArchiveTvResize(TObject* Sender);
    void pnArchiveLVResize(TObject* Sender);

private:
    void BuildControls();
    void BuildToolbar();
    void ConfigureControl();
    void DetachHandlers();

    TArchivePaneHost& paneHost_;
    TArchivePaneParts parts_;
    TWinArchiveHost host_;
    TDllArchiverApi api_;
    std::unique_ptr<TArchiveControl> control_;
    TWinArchiveOperationHost operationHost_;
    std::unique_ptr<TArchiveTreeAdapter> treePort_;
    std::unique_ptr<TArchiveListAdapter> listPort_;
    std::unique_ptr<TArchiveOperation> operation_;
};
