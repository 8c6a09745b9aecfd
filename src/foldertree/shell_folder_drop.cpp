// The folder tree as an OLE drop target: one file or folder dragged from
// anywhere is copied or moved into the folder node it is dropped on.
#include "foldertree/shell_folder_tree.h"

#include <shellapi.h>

#include "base/sjis.h"
#include "base/strutil.h"
#include "foldertree/folder_tree_strings.h"
#include "ui/forms.h"

namespace {
// Within this many pixels of an edge the tree scrolls towards it.
const int kScrollZone = 11;

// The single path a data object carries as dropped files; empty when it
// carries none or more than one.
std::string SingleDroppedPath(IDataObject* data) {
    if (!data) return "";
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&format, &medium))) return "";
    std::string path;
    const auto drop = static_cast<HDROP>(medium.hGlobal);
    if (drop && DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0) == 1) {
        char buffer[MAX_PATH] = {};
        if (DragQueryFileA(drop, 0, buffer, MAX_PATH)) path = buffer;
    }
    ReleaseStgMedium(&medium);
    return path;
}

// "C:" or "\\server\share", upper-cased: paths on one volume share it.
std::string VolumeOf(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':') return SjisUpperCase(path.substr(0, 2));
    if (path.rfind("\\\\", 0) == 0) {
        const std::size_t server = path.find('\\', 2);
        const std::size_t share = server == std::string::npos ? server : path.find('\\', server + 1);
        return SjisUpperCase(path.substr(0, share));
    }
    return "";
}

POINT ToClient(HWND hwnd, POINT screen) {
    ScreenToClient(hwnd, &screen);
    return screen;
}
}  // namespace

// What OLE holds: it forwards to the tree for as long as the tree lives.
class TFolderDropTarget final : public IDropTarget {
public:
    explicit TFolderDropTarget(TShellFolderTree* tree) : tree_(tree) {}
    void Detach() { tree_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
            *out = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override {
        *effect = tree_ ? tree_->DropEnter(data, keys, {pt.x, pt.y}, *effect) : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL pt, DWORD* effect) override {
        *effect = tree_ ? tree_->DropOver(keys, {pt.x, pt.y}, *effect) : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override {
        if (tree_) tree_->DropLeave();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override {
        *effect = tree_ ? tree_->DropOn(data, keys, {pt.x, pt.y}, *effect) : DROPEFFECT_NONE;
        return S_OK;
    }

private:
    TShellFolderTree* tree_;
    LONG refs_ = 1;
};

void TShellFolderTree::SetDragAndDrop(bool on) {
    if (on == DragAndDrop()) return;
    if (on) {
        if (!handle_) return;
        auto* target = new TFolderDropTarget(this);
        if (FAILED(RegisterDragDrop(handle_, target))) {
            target->Release();
            return;
        }
        dropTarget_ = target;
    } else {
        if (handle_) RevokeDragDrop(handle_);
        dropTarget_->Detach();
        dropTarget_->Release();
        dropTarget_ = nullptr;
    }
}

IDropTarget* TShellFolderTree::DropTarget() const { return dropTarget_; }

void TShellFolderTree::Notice(const std::string& text) {
    if (ShowNotice) {
        ShowNotice(text);
    } else {
        TellUser(TSeverity::Information, text, TAnswers::Ok, {false, kTreeCaption});
    }
}

TTreeNode TShellFolderTree::DropNode(POINT screen) const {
    const POINT p = ToClient(handle_, screen);
    return NodeAt(p.x, p.y);
}

DWORD TShellFolderTree::DropEffect(TTreeNode node, DWORD keys, DWORD allowed) const {
    TTVITEMDATA* data = NodeData(node);
    if (dragged_.empty() || !data) return DROPEFFECT_NONE;
    if (!(data->Attributes & SFGAO_FOLDER) && (data->Attributes & SFGAO_FILESYSTEM)) return DROPEFFECT_NONE;
    const std::string target = NodePath(node);
    if (!target.empty()) {
        // Into its own folder, or a folder into itself or below: nothing to do.
        const std::string to = SjisUpperCase(IncludeTrailingBackslash(target));
        const std::string from = SjisUpperCase(dragged_);
        if (to == SjisUpperCase(ExtractFilePath(dragged_))) return DROPEFFECT_NONE;
        if (to.rfind(IncludeTrailingBackslash(from), 0) == 0) return DROPEFFECT_NONE;
    }
    // As the Explorer does: Ctrl copies, Shift moves, and otherwise a file
    // moves within its volume and is copied to another one.
    const bool ctrl = keys & MK_CONTROL, shift = keys & MK_SHIFT;
    DWORD wanted;
    if (ctrl && !shift) {
        wanted = DROPEFFECT_COPY;
    } else if (shift && !ctrl) {
        wanted = DROPEFFECT_MOVE;
    } else {
        const std::string volume = VolumeOf(dragged_);
        wanted = !volume.empty() && volume == VolumeOf(target) ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
    }
    if (allowed & wanted) return wanted;
    const DWORD other = wanted == DROPEFFECT_MOVE ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    return (allowed & other) ? other : DROPEFFECT_NONE;
}

void TShellFolderTree::ScrollNearEdge(POINT screen) {
    const POINT p = ToClient(handle_, screen);
    RECT r;
    GetClientRect(handle_, &r);
    if (p.y < r.top + kScrollZone) SendMessageA(handle_, WM_VSCROLL, SB_LINEUP, 0);
    else if (p.y >= r.bottom - kScrollZone) SendMessageA(handle_, WM_VSCROLL, SB_LINEDOWN, 0);
    if (p.x < r.left + kScrollZone) SendMessageA(handle_, WM_HSCROLL, SB_LINELEFT, 0);
    else if (p.x >= r.right - kScrollZone) SendMessageA(handle_, WM_HSCROLL, SB_LINERIGHT, 0);
}

DWORD TShellFolderTree::DropEnter(IDataObject* data, DWORD keys, POINT screen, DWORD allowed) {
    dragged_ = SingleDroppedPath(data);
    hoverNode_ = nullptr;
    return DropOver(keys, screen, allowed);
}

DWORD TShellFolderTree::DropOver(DWORD keys, POINT screen, DWORD allowed) {
    if (dragged_.empty()) return DROPEFFECT_NONE;
    ScrollNearEdge(screen);
    TTreeNode node = DropNode(screen);
    SendMessageA(handle_, TVM_SELECTITEM, TVGN_DROPHILITE, reinterpret_cast<LPARAM>(node));
    if (node != hoverNode_) {
        hoverNode_ = node;
        hoverSince_ = GetTickCount();
    } else if (node && HasChildren(node) && !Expanded(node) && GetTickCount() - hoverSince_ >= DropExpandDelayMs) {
        // Opening a floppy drive would set it spinning for a mere hover.
        const std::string path = NodePath(node);
        if (!(path.size() == 3 && GetDriveTypeA(path.c_str()) == DRIVE_REMOVABLE)) ExpandNode(node);
    }
    return node ? DropEffect(node, keys, allowed) : DROPEFFECT_NONE;
}

void TShellFolderTree::DropLeave() {
    SendMessageA(handle_, TVM_SELECTITEM, TVGN_DROPHILITE, 0);
    dragged_.clear();
    hoverNode_ = nullptr;
}

DWORD TShellFolderTree::DropOn(IDataObject* data, DWORD keys, POINT screen, DWORD allowed) {
    if (dragged_.empty()) dragged_ = SingleDroppedPath(data);
    TTreeNode node = DropNode(screen);
    const DWORD effect = node ? DropEffect(node, keys, allowed) : DROPEFFECT_NONE;
    const std::string source = dragged_;
    DropLeave();
    if (effect == DROPEFFECT_NONE) return DROPEFFECT_NONE;
    const std::string target = NodePath(node);
    if (target.empty()) {
        Notice(kSpecialFolderDrop);
        return DROPEFFECT_NONE;
    }
    // The shell's own file operation: its progress, its questions about
    // names that exist, and undo in the Explorer.
    std::string from = source + '\0', to = ExcludeTrailingBackslash(target) + '\0';
    if (to.size() == 3) to = target + '\0';  // a drive keeps its backslash
    SHFILEOPSTRUCTA op{};
    op.hwnd = GetAncestor(handle_, GA_ROOT);
    op.wFunc = effect == DROPEFFECT_MOVE ? FO_MOVE : FO_COPY;
    op.pFrom = from.c_str();
    op.pTo = to.c_str();
    op.fFlags = FOF_ALLOWUNDO;
    const bool done = SHFileOperationA(&op) == 0 && !op.fAnyOperationsAborted;
    RefreshKeepState();
    return done ? effect : DROPEFFECT_NONE;
}
