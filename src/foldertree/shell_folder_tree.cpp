#include "foldertree/shell_folder_tree.h"

#include <algorithm>

#include "base/sjis.h"
#include "base/strutil.h"
#include "foldertree/folder_tree_strings.h"
#include "ui/forms.h"

namespace {
const int kSpecialFolders[] = {
    CSIDL_DRIVES,    CSIDL_DRIVES,   CSIDL_DESKTOPDIRECTORY, CSIDL_FAVORITES, CSIDL_PROGRAMS,
    CSIDL_RECENT,    CSIDL_SENDTO,   CSIDL_STARTMENU,        CSIDL_STARTUP,   CSIDL_APPDATA,
    CSIDL_TEMPLATES, CSIDL_CONTROLS, CSIDL_BITBUCKET,        CSIDL_PRINTERS,
};

// Lets the shell's context menu draw its own items while it is open: the
// menu messages of the owning window go to IContextMenu2.
LRESULT CALLBACK MenuForwardProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                 DWORD_PTR ref) {
    auto* menu = reinterpret_cast<IContextMenu2*>(ref);
    switch (msg) {
    case WM_INITMENUPOPUP:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        if (menu && SUCCEEDED(menu->HandleMenuMsg(msg, wp, lp)))
            return msg == WM_INITMENUPOPUP ? 0 : TRUE;
        break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

class DropSource : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropSource)) {
            *out = static_cast<IDropSource*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs_; } // lives on the stack
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        if (escape) return DRAGDROP_S_CANCEL;
        if (!(keys & (MK_LBUTTON | MK_RBUTTON))) return DRAGDROP_S_DROP;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    ULONG refs_ = 1;
};

void PumpFor(DWORD ms) {
    if (Application) Application->ProcessMessages();
    Sleep(ms);
    if (Application) Application->ProcessMessages();
}

// The shell may claim sub-folders for every folder (Wine does); for a
// file-system folder the folder itself is asked, up to its first one.
bool HasSubFolder(const std::string& path, bool includeHidden) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((IncludeTrailingBackslash(path) + "*.*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return false;
    bool found = false;
    do {
        const std::string name = fd.cFileName;
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == "." || name == "..")
            continue;
        if (!includeHidden && (fd.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN)) continue;
        found = true;
    } while (!found && FindNextFileA(h, &fd));
    FindClose(h);
    return found;
}

std::string PathKey(const std::string& path) {
    return SjisUpperCase(ExcludeTrailingBackslash(path));
}

// The key is the node's own path or lies below it.
bool PathWithin(const std::string& key, const std::string& nodeKey) {
    if (nodeKey.empty() || key.size() < nodeKey.size()) return false;
    if (key.compare(0, nodeKey.size(), nodeKey) != 0) return false;
    return key.size() == nodeKey.size() || key[nodeKey.size()] == '\\' ||
           (nodeKey.back() == '\\' && !IsSjisTrailPosition(nodeKey, nodeKey.size() - 1));
}
} // namespace

TShellFolderTree::TShellFolderTree(TComponent* owner, TWinControl* parent)
    : TTreeView(owner, parent) {
    oleStarted_ = SUCCEEDED(OleInitialize(nullptr));
    SetBounds(left_, top_, 153, 185);
    // Read-only, single border.
    SetWindowLongA(handle_, GWL_EXSTYLE, GetWindowLongA(handle_, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
    SetWindowLongA(handle_, GWL_STYLE, GetWindowLongA(handle_, GWL_STYLE) | WS_BORDER);
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    SetImages(shell::SmallImageList());
    SetDragAndDrop(true);
    Refresh();
}

TShellFolderTree::~TShellFolderTree() {
    // Node data goes while our own deletion handler can still release it.
    busy_ = true;
    SetDragAndDrop(false);
    if (handle_) Clear();
    rootFolderObject_.reset();
    rootAbsolute_.reset();
    if (oleStarted_) OleUninitialize();
}

// --- properties --------------------------------------------------------------

void TShellFolderTree::SetRootFolder(TRootFolder r) {
    if (r == rootFolder_) return;
    rootFolder_ = r;
    virtual_ = r == rf_Controls || r == rf_Bitbucket || r == rf_Printers;
    if (virtual_) {
        showRootFolder_ = true;
        showFile_ = true;
    }
    Refresh();
}

void TShellFolderTree::SetRootFolderName(const std::string& name) {
    if (name == rootFolderName_) return;
    rootFolderName_ = name;
    if (rootFolder_ == rfManual) Refresh();
}

void TShellFolderTree::SetShowRootFolder(bool on) {
    if (on == showRootFolder_) return;
    if (!on && (virtual_ || (rootFolder_ == rfManual && showFile_))) return;
    showRootFolder_ = on;
    Refresh();
}

void TShellFolderTree::SetShowFile(bool on) {
    if (on == showFile_) return;
    if (!on && virtual_) return;
    showFile_ = on;
    Refresh();
}

void TShellFolderTree::SetFileMask(const std::vector<std::string>& mask) {
    if (mask == fileMask_) return;
    fileMask_ = mask;
    Refresh();
}

void TShellFolderTree::SetShowIncludeHidden(bool on) {
    if (on == showIncludeHidden_) return;
    showIncludeHidden_ = on;
    Refresh();
}

void TShellFolderTree::SetInfoViewSort(bool on) {
    if (on == infoViewSort_) return;
    infoViewSort_ = on;
    if (!virtual_) Refresh();
}

void TShellFolderTree::SetSelectedDir(TSelectedDir d) {
    if (d == selectedDir_) return;
    selectedDir_ = d;
    if (rootFolder_ == rfDrives) Refresh();
}

// --- building ------------------------------------------------------------------

bool TShellFolderTree::FileListed(IShellFolder* folder, LPCITEMIDLIST relative) const {
    ULONG attrs = SFGAO_FILESYSTEM | SFGAO_FOLDER;
    LPCITEMIDLIST one = relative;
    if (FAILED(folder->GetAttributesOf(1, &one, &attrs))) return false;
    if (!(attrs & SFGAO_FILESYSTEM) || (attrs & SFGAO_FOLDER)) return false;
    if (fileMask_.empty()) return true;
    const std::string ext =
        SjisUpperCase(ExtractFileExt(shell::DisplayName(folder, relative, SHGDN_FORPARSING)));
    return std::any_of(fileMask_.begin(), fileMask_.end(),
                       [&](const std::string& m) { return SjisUpperCase(m) == ext; });
}

bool TShellFolderTree::FolderHasListedFile(IShellFolder* parent, LPCITEMIDLIST relative) const {
    TComRef<IShellFolder> folder;
    if (FAILED(parent->BindToObject(relative, nullptr, IID_IShellFolder, folder.out())) || !folder)
        return false;
    TComRef<IEnumIDList> items;
    const DWORD flags =
        SHCONTF_NONFOLDERS | (showIncludeHidden_ || virtual_ ? SHCONTF_INCLUDEHIDDEN : 0);
    if (folder->EnumObjects(handle_, flags, items.pp()) != S_OK || !items) return false;
    TPidl item;
    ULONG fetched = 0;
    while (items->Next(1, item.out(), &fetched) == S_OK && fetched == 1) {
        if (FileListed(folder.get(), item.get())) return true;
    }
    return false;
}

TPidl TShellFolderTree::RootPidl() {
    TPidl pidl;
    if (rootFolder_ == rfManual && !rootFolderName_.empty()) {
        TComRef<IShellFolder> desktop;
        if (SUCCEEDED(SHGetDesktopFolder(desktop.pp()))) {
            std::wstring wide(rootFolderName_.size() + 1, L'\0');
            const int n = MultiByteToWideChar(CP_ACP, 0, rootFolderName_.c_str(), -1, wide.data(),
                                              static_cast<int>(wide.size()));
            ULONG eaten = 0;
            ULONG attrs = SFGAO_FOLDER | SFGAO_HASSUBFOLDER;
            if (n > 0 &&
                SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, wide.data(), &eaten,
                                                    pidl.out(), &attrs)) &&
                pidl) {
                TPidl parentId = shell::PidlParent(pidl.get());
                TPidl last = shell::PidlLast(pidl.get());
                TComRef<IShellFolder> parent;
                if (shell::PidlEmpty(parentId.get())) {
                    parent = TComRef<IShellFolder>(desktop.get(), true);
                } else {
                    desktop->BindToObject(parentId.get(), nullptr, IID_IShellFolder, parent.out());
                }
                const bool usable =
                    (attrs & SFGAO_HASSUBFOLDER) || ((attrs & SFGAO_FOLDER) && showRootFolder_) ||
                    (showFile_ && parent && FolderHasListedFile(parent.get(), last.get()));
                if (usable) return pidl;
            }
        }
        pidl.reset();
    }
    if (FAILED(SHGetSpecialFolderLocation(nullptr, kSpecialFolders[rootFolder_], pidl.out())) ||
        !pidl) {
        SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, pidl.out());
    }
    return pidl;
}

TTreeNode TShellFolderTree::AddItem(TTreeNode parent, IShellFolder* folder, LPCITEMIDLIST relative,
                                    LPCITEMIDLIST absolute, ULONG attributes,
                                    IShellIconOverlay* overlays) {
    auto* data = new TTVITEMDATA;
    data->Parent = folder;
    folder->AddRef();
    data->Relative = shell::PidlCopy(relative);
    data->Absolute = shell::PidlCopy(absolute);
    data->Attributes = attributes;
    const bool isFolder = (attributes & SFGAO_FOLDER) != 0;
    bool hasChildren = (attributes & SFGAO_HASSUBFOLDER) != 0;
    if (hasChildren && isFolder && (attributes & SFGAO_FILESYSTEM)) {
        const std::string path = shell::PathOf(absolute);
        if (!path.empty() && path.size() > 3) hasChildren = HasSubFolder(path, showIncludeHidden_);
    }
    if (!hasChildren && showFile_ && isFolder) hasChildren = FolderHasListedFile(folder, relative);
    const int image = shell::SmallIcon(absolute, false);
    const int selected = (showFile_ && !isFolder) ? image : shell::SmallIcon(absolute, true);
    const std::string caption = shell::DisplayName(folder, relative, SHGDN_INFOLDER);
    TTreeNode node =
        AddChild(parent, caption, image, selected, reinterpret_cast<LPARAM>(data), hasChildren);
    if (!node) {
        delete data;
        return nullptr;
    }
    int overlay = -1;
    if (overlays && overlays->GetOverlayIndex(relative, &overlay) == S_OK && overlay > 0) {
        SetOverlay(node, overlay - 1);
    } else if (attributes & SFGAO_SHARE) {
        SetOverlay(node, 0);
    } else if (showFile_ && (attributes & SFGAO_LINK)) {
        SetOverlay(node, 1);
    }
    return node;
}

void TShellFolderTree::Enumerate(TTreeNode node, IShellFolder* folder,
                                 LPCITEMIDLIST folderAbsolute) {
    if (!folder) return;
    DWORD flags = SHCONTF_FOLDERS;
    if (showIncludeHidden_ || virtual_) flags |= SHCONTF_INCLUDEHIDDEN;
    if (showFile_) flags |= SHCONTF_NONFOLDERS;
    TComRef<IEnumIDList> items;
    if (folder->EnumObjects(handle_, flags, items.pp()) != S_OK || !items) return;
    TComRef<IShellIconOverlay> overlays;
    folder->QueryInterface(IID_IShellIconOverlay, overlays.out());
    TPidl item;
    ULONG fetched = 0;
    while (items->Next(1, item.out(), &fetched) == S_OK && fetched == 1) {
        ULONG attrs =
            SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSTEM | SFGAO_SHARE | SFGAO_LINK;
        LPCITEMIDLIST one = item.get();
        if (FAILED(folder->GetAttributesOf(1, &one, &attrs))) continue;
        if (!(attrs & (SFGAO_FOLDER | SFGAO_HASSUBFOLDER))) {
            if (!showFile_ || !FileListed(folder, item.get())) continue;
        }
        TPidl absolute = shell::PidlConcat(folderAbsolute, item.get());
        AddItem(node, folder, item.get(), absolute.get(), attrs, overlays.get());
    }
    SortNodes(node, folder);
}

void TShellFolderTree::SortNodes(TTreeNode node, IShellFolder* folder) {
    const bool filesFirst = infoViewSort_ && showFile_;
    SortChildren(node, [folder, filesFirst](LPARAM a, LPARAM b) {
        TTVITEMDATA* x = ItemData(a);
        TTVITEMDATA* y = ItemData(b);
        if (!x || !y) return 0;
        if (filesFirst) {
            const bool fx = x->Attributes & SFGAO_FOLDER, fy = y->Attributes & SFGAO_FOLDER;
            if (fx != fy) return fx ? 1 : -1;
        }
        const HRESULT hr = folder->CompareIDs(0, x->Relative.get(), y->Relative.get());
        return FAILED(hr) ? 0 : static_cast<int>(static_cast<short>(HRESULT_CODE(hr)));
    });
}

void TShellFolderTree::FillChildren(TTreeNode node) {
    TTVITEMDATA* data = NodeData(node);
    if (!data || !data->Parent) return;
    TComRef<IShellFolder> folder;
    if (shell::PidlEmpty(data->Relative.get())) {
        folder = TComRef<IShellFolder>(data->Parent, true);
    } else if (FAILED(data->Parent->BindToObject(data->Relative.get(), nullptr, IID_IShellFolder,
                                                 folder.out()))) {
        return;
    }
    Enumerate(node, folder.get(), data->Absolute.get());
}

void TShellFolderTree::Build() {
    Clear();
    rootFolderObject_.reset();
    rootAbsolute_ = RootPidl();
    TComRef<IShellFolder> desktop;
    if (!rootAbsolute_ || FAILED(SHGetDesktopFolder(desktop.pp()))) return;
    // The root's parent folder: from the desktop through every id but the last.
    TPidl parentId = shell::PidlParent(rootAbsolute_.get());
    TPidl last = shell::PidlLast(rootAbsolute_.get());
    TComRef<IShellFolder> parent;
    if (shell::PidlEmpty(parentId.get())) {
        parent = TComRef<IShellFolder>(desktop.get(), true);
    } else if (FAILED(desktop->BindToObject(parentId.get(), nullptr, IID_IShellFolder,
                                            parent.out()))) {
        return;
    }
    if (shell::PidlEmpty(last.get())) {
        rootFolderObject_ = TComRef<IShellFolder>(desktop.get(), true);
    } else {
        parent->BindToObject(last.get(), nullptr, IID_IShellFolder, rootFolderObject_.out());
    }
    if (showRootFolder_ && !shell::PidlEmpty(last.get())) {
        ULONG attrs = SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSTEM | SFGAO_SHARE;
        LPCITEMIDLIST one = last.get();
        parent->GetAttributesOf(1, &one, &attrs);
        auto* data = new TTVITEMDATA;
        data->Parent = parent.get();
        parent->AddRef();
        data->Relative = shell::PidlCopy(last.get());
        data->Absolute = shell::PidlCopy(rootAbsolute_.get());
        data->Attributes = attrs;
        TTreeNode top = AddChild(
            nullptr, shell::DisplayName(parent.get(), last.get(), SHGDN_NORMAL),
            shell::SmallIcon(rootAbsolute_.get(), false),
            shell::SmallIcon(rootAbsolute_.get(), true), reinterpret_cast<LPARAM>(data), true);
        if (!top) {
            delete data;
            return;
        }
        Enumerate(top, rootFolderObject_.get(), rootAbsolute_.get());
        if (!FirstChild(top)) SetHasChildren(top, false);
        Expand(top);
    } else {
        Enumerate(nullptr, rootFolderObject_.get(), rootAbsolute_.get());
    }
    if (rootFolder_ == rfDrives && selectedDir_ != sdNone) {
        char dir[MAX_PATH] = {};
        if (selectedDir_ == sdSystem) {
            GetSystemDirectoryA(dir, MAX_PATH);
        } else {
            GetCurrentDirectoryA(MAX_PATH, dir);
        }
        const std::string drive = std::string(dir).substr(0, 3);
        if (TTreeNode node = FindPath(drive, true)) {
            Select(node);
            ExpandNode(node);
        }
    }
}

void TShellFolderTree::Refresh() {
    THourGlass hourglass;
    const bool wasBusy = busy_;
    busy_ = true;
    SendMessageA(handle_, WM_SETREDRAW, FALSE, 0);
    Build();
    SendMessageA(handle_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(handle_, nullptr, TRUE);
    busy_ = wasBusy;
    if (!busy_ && Selected()) ReportChange();
}

// --- finding and selecting -------------------------------------------------------

std::string TShellFolderTree::NodePath(TTreeNode node) const {
    TTVITEMDATA* data = NodeData(node);
    if (!data || !(data->Attributes & SFGAO_FILESYSTEM)) return "";
    return shell::PathOf(data->Absolute.get());
}

void TShellFolderTree::ExpandNode(TTreeNode node) {
    if (!node) return;
    if (!FirstChild(node)) {
        FillChildren(node);
        if (!FirstChild(node)) {
            SetHasChildren(node, false);
            return;
        }
    }
    Expand(node);
}

TTreeNode TShellFolderTree::FindIn(TTreeNode first, const std::string& key, int otherBudget) {
    std::vector<TTreeNode> others;
    for (TTreeNode n = first; n; n = NextSibling(n)) {
        const std::string p = NodePath(n);
        if (p.empty()) {
            others.push_back(n);
            continue;
        }
        const std::string nodeKey = PathKey(p);
        if (nodeKey == key) return n;
        if (PathWithin(key, nodeKey)) {
            if (!FirstChild(n)) FillChildren(n);
            return FirstChild(n) ? FindIn(FirstChild(n), key, otherBudget) : nullptr;
        }
    }
    // Items outside the file system (My Computer) lead to the drives.
    if (otherBudget > 0) {
        for (TTreeNode o : others) {
            if (!FirstChild(o)) FillChildren(o);
            if (TTreeNode found =
                    FirstChild(o) ? FindIn(FirstChild(o), key, otherBudget - 1) : nullptr) {
                return found;
            }
        }
    }
    return nullptr;
}

TTreeNode TShellFolderTree::FindPath(const std::string& path, bool expand) {
    const std::string key = PathKey(path);
    if (key.empty()) return nullptr;
    TTreeNode node = FindIn(FirstNode(), key, 1);
    if (node && expand) {
        std::vector<TTreeNode> way;
        for (TTreeNode p = ParentNode(node); p; p = ParentNode(p))
            way.push_back(p);
        for (auto it = way.rbegin(); it != way.rend(); ++it)
            Expand(*it);
    }
    return node;
}

bool TShellFolderTree::SelectPath(const std::string& path) {
    TTreeNode node = FindPath(path, true);
    if (!node) return false;
    Select(node);
    SendMessageA(handle_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(node));
    return true;
}

std::string TShellFolderTree::SelectedFolder() {
    TTreeNode node = Selected();
    if (!node) return lastFolder_;
    std::string value = NodePath(node);
    if (value.empty()) value = Text(node);
    lastFolder_ = value;
    return value;
}

void TShellFolderTree::ReportChange() {
    if (OnChange) OnChange(this, SelectedFolder());
}

// --- keeping the state over a rebuild ---------------------------------------------

void TShellFolderTree::RefreshKeepState() {
    if (Count() >= 10241) return;
    std::vector<std::string> expanded;
    TTreeNode first = FirstNode();
    for (TTreeNode n = first ? NextNode(first) : nullptr; n && expanded.size() < 10240;
         n = NextNode(n)) {
        if (Expanded(n) && FirstChild(n)) {
            std::string p = NodePath(n);
            if (!p.empty()) expanded.push_back(std::move(p));
        }
    }
    const std::string selectedPath = NodePath(Selected());
    const std::string topPath = NodePath(TopItem());
    PumpFor(RefreshDelayMs);

    THourGlass hourglass;
    busy_ = true;
    SendMessageA(handle_, WM_SETREDRAW, FALSE, 0);
    if (showRootFolder_) {
        first = FirstNode();
        if (first) {
            Collapse(first);
            DeleteChildren(first);
            FillChildren(first);
            SetHasChildren(first, FirstChild(first) != nullptr);
            Expand(first);
        }
    } else {
        // Without a root node every top node is a child of the root: all of
        // them are read again, not just the first.
        while (TTreeNode top = FirstNode())
            Delete(top);
        Enumerate(nullptr, rootFolderObject_.get(), rootAbsolute_.get());
    }
    for (const std::string& p : expanded) {
        if (TTreeNode n = FindPath(p, true)) ExpandNode(n);
    }
    if (TTreeNode n = selectedPath.empty() ? nullptr : FindPath(selectedPath, true)) Select(n);
    if (TTreeNode n = topPath.empty() ? nullptr : FindPath(topPath, false)) SetTopItem(n);
    SendMessageA(handle_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(handle_, nullptr, TRUE);
    busy_ = false;
    if (Selected()) ReportChange();
}

// --- events ------------------------------------------------------------------------

void TShellFolderTree::Expanding(TTreeNode node, bool& allow) {
    if (!FirstChild(node) && HasChildren(node)) {
        THourGlass hourglass;
        FillChildren(node);
        if (!FirstChild(node)) SetHasChildren(node, false);
    }
    TTreeView::Expanding(node, allow);
}

void TShellFolderTree::Change(TTreeNode) {
    if (busy_) return;
    ReportChange();
}

void TShellFolderTree::Deletion(TTreeNode, LPARAM data) {
    delete ItemData(data);
}

void TShellFolderTree::NodeClick() {
    if (OnClick) OnClick(this, SelectedFolder());
}

void TShellFolderTree::NodeDblClick() {
    if (OnDblClick) OnDblClick(this, SelectedFolder());
    if (ShellRun && showFile_) ShellRunSelected();
}

void TShellFolderTree::ShellRunSelected() {
    TTVITEMDATA* data = NodeData(Selected());
    if (!data || (data->Attributes & (SFGAO_FOLDER | SFGAO_HASSUBFOLDER))) return;
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_IDLIST;
    info.hwnd = handle_;
    info.lpIDList = data->Absolute.get();
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExA(&info);
}

void TShellFolderTree::ContextPopup(TTreeNode node, POINT screen) {
    TTreeView::ContextPopup(node, screen);
    if (!ContextMenu || !node) return;
    Select(node);
    TTVITEMDATA* data = NodeData(node);
    if (!data || !data->Parent) return;
    TComRef<IContextMenu> menu;
    LPCITEMIDLIST one = data->Relative.get();
    if (FAILED(
            data->Parent->GetUIObjectOf(handle_, 1, &one, IID_IContextMenu, nullptr, menu.out())) ||
        !menu) {
        return;
    }
    HMENU popup = CreatePopupMenu();
    if (!popup) return;
    if (FAILED(menu->QueryContextMenu(popup, 0, 1, 0x7FFF, CMF_EXPLORE))) {
        DestroyMenu(popup);
        return;
    }
    TComRef<IContextMenu2> menu2;
    menu->QueryInterface(IID_IContextMenu2, menu2.out());
    HWND form = GetAncestor(handle_, GA_ROOT);
    SetWindowSubclass(form, MenuForwardProc, 0x5146, reinterpret_cast<DWORD_PTR>(menu2.get()));
    const UINT command = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_RIGHTBUTTON,
                                        screen.x, screen.y, 0, form, nullptr);
    RemoveWindowSubclass(form, MenuForwardProc, 0x5146);
    DestroyMenu(popup);
    if (!command) return;
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof info;
    info.hwnd = form;
    info.lpVerb = MAKEINTRESOURCEA(command - 1);
    info.nShow = SW_SHOWNORMAL;
    if (FAILED(menu->InvokeCommand(&info))) {
        if (command != 19)
            TellUser(TSeverity::Information, kInvokeFailed, TAnswers::Ok, {false, kTreeCaption});
        return;
    }
    if (AutoUpDate) ContextCommandDone(command);
}

void TShellFolderTree::ContextCommandDone(UINT command) {
    switch (command) {
    case 18: // delete
        if (TTreeNode n = Selected()) Delete(n);
        break;
    case 17: // cut
    case 27: // paste
        RefreshKeepState();
        break;
    default:
        // 19 (rename) would start label editing; the tree is read-only.
        break;
    }
}

void TShellFolderTree::StartDrag(TTreeNode node) {
    TTVITEMDATA* data = NodeData(node);
    if (!DragAndDrop() || !data || !data->Parent) return;
    TComRef<IDataObject> object;
    LPCITEMIDLIST one = data->Relative.get();
    if (FAILED(data->Parent->GetUIObjectOf(handle_, 1, &one, IID_IDataObject, nullptr,
                                           object.out())) ||
        !object) {
        return;
    }
    DropSource source;
    DWORD effect = 0;
    const HRESULT hr = DoDragDrop(object.get(), &source,
                                  DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
    if (hr != DRAGDROP_S_DROP || !AutoUpDate) return;
    POINT pt;
    GetCursorPos(&pt);
    DWORD pid = 0;
    GetWindowThreadProcessId(WindowFromPoint(pt), &pid);
    if (pid != GetCurrentProcessId()) {
        PumpFor(1500);
        RefreshKeepState();
    }
}

LRESULT TShellFolderTree::Notify(NMHDR* nm) {
    if (nm->code == TVN_BEGINDRAGA || nm->code == TVN_BEGINRDRAGA) {
        StartDrag(reinterpret_cast<NMTREEVIEWA*>(nm)->itemNew.hItem);
        return 0;
    }
    return TTreeView::Notify(nm);
}
