// The archive pane of the main window: the member tree with its file count,
// the member list, the toolbar with "show the selected file" and the view
// buttons, and the handlers that drive the archive operation. The controls
// belong to the main window, so it finds them by name; the pane owns the
// archive control `ac` and the operation.
#pragma once
#include <memory>
#include <string>

#include "archive/archive_control.h"
#include "archive/archive_operation.h"
#include "archive/archive_views_win.h"
#include "archive/dll_archiver_api.h"
#include "archive/win_archive_host.h"
#include "ui/buttons.h"
#include "ui/extctrls.h"
#include "ui/list_view.h"
#include "ui/tree_view.h"

class TfoMAIN;

class TArchivePane : public TComponent {
public:
    explicit TArchivePane(TfoMAIN* main);
    // Empties the work folder of our extracted copies.
    ~TArchivePane() override;

    TArchiveControl* ac;
    TPanel *pnArchiveTv, *pnArchiveLV;
    TSplitter* spArchiveTv;
    TTreeView* tvArchive;
    TListView* lvArchive;
    TStatusBar* sbArchiveInfo;
    TSpeedButton* sbArchiveExprs;
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

    TfoMAIN* main_;
    TWinArchiveHost host_;
    TDllArchiverApi api_;
    std::unique_ptr<TArchiveControl> control_;
    TWinArchiveOperationHost operationHost_;
    std::unique_ptr<TArchiveTreeAdapter> treePort_;
    std::unique_ptr<TArchiveListAdapter> listPort_;
    std::unique_ptr<TArchiveOperation> operation_;
};
