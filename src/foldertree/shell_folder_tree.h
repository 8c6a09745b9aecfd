// A tree of the shell namespace as the Explorer shows it: drives and
// folders (optionally files) with the shell's own names, icons, overlays
// and context menus, filled lazily when a node is first expanded.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "foldertree/shell_item.h"
#include "ui/tree_view.h"

enum TRootFolder {
    rfManual,
    rfDrives,
    rfDesktop,
    rfFavorites,
    rfPrograms,
    rfRecent,
    rfSendTo,
    rfStartMenu,
    rfStartup,
    rfAppdata,
    rfTemplates,
    rf_Controls,
    rf_Bitbucket,
    rf_Printers,
};
enum TSelectedDir { sdNone, sdSystem, sdCurrent };
class TFolderDropTarget;

// What a node holds: its parent folder (held), its own id relative to that
// folder and absolute, and its shell attributes.
struct TTVITEMDATA {
    IShellFolder* Parent = nullptr;
    TPidl Relative;
    TPidl Absolute;
    ULONG Attributes = 0;
    ~TTVITEMDATA() {
        if (Parent) Parent->Release();
    }
};

class TShellFolderTree : public TTreeView {
public:
    TShellFolderTree(TComponent* owner, TWinControl* parent);
    ~TShellFolderTree() override;

    TRootFolder RootFolder() const { return rootFolder_; }
    void SetRootFolder(TRootFolder r);
    const std::string& RootFolderName() const { return rootFolderName_; }
    void SetRootFolderName(const std::string& name);
    bool ShowRootFolder() const { return showRootFolder_; }
    void SetShowRootFolder(bool on);
    bool ShowFile() const { return showFile_; }
    void SetShowFile(bool on);
    // Extensions with their dot (".TXT") of the files listed with ShowFile.
    const std::vector<std::string>& FileMask() const { return fileMask_; }
    void SetFileMask(const std::vector<std::string>& mask);
    bool ShowIncludeHidden() const { return showIncludeHidden_; }
    void SetShowIncludeHidden(bool on);
    bool InfoViewSort() const { return infoViewSort_; }
    void SetInfoViewSort(bool on);
    TSelectedDir SelectedDir() const { return selectedDir_; }
    void SetSelectedDir(TSelectedDir d);
    bool ShellRun = false;
    bool ContextMenu = true;
    // Dragging items out of the tree, and dropping one file or folder onto
    // a folder of it (the tree is an OLE drop target while this is on).
    bool DragAndDrop() const { return dropTarget_ != nullptr; }
    void SetDragAndDrop(bool on);
    bool AutoUpDate = true;
    // While a drag hovers over a closed node this long, the node opens.
    unsigned DropExpandDelayMs = 1000;
    // Tells the user why a drop was refused; a message box by default.
    std::function<void(const std::string& text)> ShowNotice;
    // The tree's drop target while DragAndDrop is on, else null (what OLE
    // calls for a drag over the tree).
    IDropTarget* DropTarget() const;
    bool IsVirtual() const { return virtual_; }
    // Pause of RefreshKeepState before it rebuilds, so the shell has
    // finished the change that asked for it.
    unsigned RefreshDelayMs = 1000;

    using TFolderEvent = std::function<void(TObject* Sender, const std::string& folderName)>;
    TFolderEvent OnChange, OnClick, OnDblClick;

    // Rebuilds the whole tree.
    void Refresh();
    // Rebuilds and opens again what was open, selected and at the top.
    void RefreshKeepState();
    // Finds the node of a file-system path, expanding on the way, and
    // selects it; false when there is none.
    bool SelectPath(const std::string& path);
    // Path of the selected node, its caption for a non-file-system item,
    // or the last value reported when nothing is selected.
    std::string SelectedFolder();
    // File-system path of a node, empty for other items.
    std::string NodePath(TTreeNode node) const;
    // The node of a path, filling nodes on the way and expanding them when
    // asked; null if there is none.
    TTreeNode FindPath(const std::string& path, bool expand);
    // Fills a node's children if it has none yet, then expands it.
    void ExpandNode(TTreeNode node);
    // What a carried-out context menu command changes in the tree.
    void ContextCommandDone(UINT command);

protected:
    void Expanding(TTreeNode node, bool& allow) override;
    void Change(TTreeNode node) override;
    void Deletion(TTreeNode node, LPARAM data) override;
    void ContextPopup(TTreeNode node, POINT screen) override;
    void NodeClick() override;
    void NodeDblClick() override;
    LRESULT Notify(NMHDR* nm) override;

private:
    static TTVITEMDATA* ItemData(LPARAM p) { return reinterpret_cast<TTVITEMDATA*>(p); }
    TTVITEMDATA* NodeData(TTreeNode node) const { return ItemData(Data(node)); }
    TPidl RootPidl();
    bool FileListed(IShellFolder* folder, LPCITEMIDLIST relative) const;
    bool FolderHasListedFile(IShellFolder* folder, LPCITEMIDLIST relative) const;
    // Adds the children of folder (whose absolute id is given) under node.
    void Enumerate(TTreeNode node, IShellFolder* folder, LPCITEMIDLIST folderAbsolute);
    void FillChildren(TTreeNode node);
    TTreeNode FindIn(TTreeNode first, const std::string& key, int otherBudget);
    TTreeNode AddItem(TTreeNode parent, IShellFolder* folder, LPCITEMIDLIST relative,
                      LPCITEMIDLIST absolute, ULONG attributes, IShellIconOverlay* overlays);
    void SortNodes(TTreeNode node, IShellFolder* folder);
    void Build();
    void ReportChange();
    void ShellRunSelected();
    void StartDrag(TTreeNode node);

    // --- as a drop target (shell_folder_drop.cpp) ---------------------------
    friend class TFolderDropTarget;
    DWORD DropEnter(IDataObject* data, DWORD keys, POINT screen, DWORD allowed);
    DWORD DropOver(DWORD keys, POINT screen, DWORD allowed);
    void DropLeave();
    DWORD DropOn(IDataObject* data, DWORD keys, POINT screen, DWORD allowed);
    // The node under a screen point and what a drop there would do.
    TTreeNode DropNode(POINT screen) const;
    DWORD DropEffect(TTreeNode node, DWORD keys, DWORD allowed) const;
    void ScrollNearEdge(POINT screen);
    void Notice(const std::string& text);

    TRootFolder rootFolder_ = rfDrives;
    std::string rootFolderName_;
    bool showRootFolder_ = true, showFile_ = false, showIncludeHidden_ = true,
         infoViewSort_ = false;
    std::vector<std::string> fileMask_;
    TSelectedDir selectedDir_ = sdNone;
    bool virtual_ = false;
    bool busy_ = false;
    bool oleStarted_ = false;
    std::string lastFolder_;
    TFolderDropTarget* dropTarget_ = nullptr;
    std::string dragged_;  // the one path being dragged over the tree
    TTreeNode hoverNode_ = nullptr;
    DWORD hoverSince_ = 0;
    // Folder of the top nodes when the root itself is not shown.
    TComRef<IShellFolder> rootFolderObject_;
    TPidl rootAbsolute_;
};
