#include "ui/tree_view.h"

TTreeView::TTreeView(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) {
    width_ = 121;
    height_ = 97;
    CreateHandle(WC_TREEVIEWA,
                 WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                 WS_EX_CLIENTEDGE);
}

TTreeView::~TTreeView() {
    // Node data is released while this object can still hear about it.
    if (handle_) Clear();
}

TTreeNode TTreeView::AddChild(TTreeNode parent, const std::string& text, int image,
                              int selectedImage, LPARAM data, bool hasChildren) {
    TVINSERTSTRUCTA ins{};
    ins.hParent = parent ? parent : TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
    ins.item.pszText = const_cast<char*>(text.c_str());
    ins.item.iImage = image;
    ins.item.iSelectedImage = selectedImage;
    ins.item.lParam = data;
    ins.item.cChildren = hasChildren ? 1 : 0;
    return reinterpret_cast<TTreeNode>(
        SendMessageA(handle_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
}

void TTreeView::Delete(TTreeNode node) {
    if (node) SendMessageA(handle_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node));
}

void TTreeView::DeleteChildren(TTreeNode node) {
    while (TTreeNode child = FirstChild(node))
        Delete(child);
}

void TTreeView::Clear() {
    SendMessageA(handle_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

std::string TTreeView::Text(TTreeNode node) const {
    char buf[1024] = {};
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = node;
    item.pszText = buf;
    item.cchTextMax = sizeof buf;
    if (!node || !SendMessageA(handle_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return "";
    return buf;
}

LPARAM TTreeView::Data(TTreeNode node) const {
    TVITEMA item{};
    item.mask = TVIF_PARAM;
    item.hItem = node;
    if (!node || !SendMessageA(handle_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return 0;
    return item.lParam;
}

void TTreeView::SetHasChildren(TTreeNode node, bool has) {
    TVITEMA item{};
    item.mask = TVIF_CHILDREN;
    item.hItem = node;
    item.cChildren = has ? 1 : 0;
    SendMessageA(handle_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

bool TTreeView::HasChildren(TTreeNode node) const {
    TVITEMA item{};
    item.mask = TVIF_CHILDREN;
    item.hItem = node;
    if (!node || !SendMessageA(handle_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return false;
    return item.cChildren != 0 || FirstChild(node) != nullptr;
}

void TTreeView::SetOverlay(TTreeNode node, int overlay) {
    TVITEMA item{};
    item.mask = TVIF_STATE;
    item.hItem = node;
    item.stateMask = TVIS_OVERLAYMASK;
    item.state = overlay >= 0 ? INDEXTOOVERLAYMASK(overlay + 1) : 0;
    SendMessageA(handle_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

int TTreeView::Overlay(TTreeNode node) const {
    TVITEMA item{};
    item.mask = TVIF_STATE;
    item.hItem = node;
    item.stateMask = TVIS_OVERLAYMASK;
    if (!node || !SendMessageA(handle_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return -1;
    return static_cast<int>((item.state & TVIS_OVERLAYMASK) >> 8) - 1;
}

namespace {
TTreeNode NextOf(HWND h, TTreeNode node, UINT how) {
    return reinterpret_cast<TTreeNode>(
        SendMessageA(h, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(node)));
}
} // namespace

TTreeNode TTreeView::FirstNode() const {
    return NextOf(handle_, nullptr, TVGN_ROOT);
}
TTreeNode TTreeView::FirstChild(TTreeNode node) const {
    return node ? NextOf(handle_, node, TVGN_CHILD) : FirstNode();
}
TTreeNode TTreeView::NextSibling(TTreeNode node) const {
    return node ? NextOf(handle_, node, TVGN_NEXT) : nullptr;
}
TTreeNode TTreeView::ParentNode(TTreeNode node) const {
    return node ? NextOf(handle_, node, TVGN_PARENT) : nullptr;
}

TTreeNode TTreeView::NextNode(TTreeNode node) const {
    if (!node) return nullptr;
    if (TTreeNode c = FirstChild(node)) return c;
    for (TTreeNode n = node; n; n = ParentNode(n)) {
        if (TTreeNode s = NextSibling(n)) return s;
    }
    return nullptr;
}

int TTreeView::Count() const {
    return static_cast<int>(SendMessageA(handle_, TVM_GETCOUNT, 0, 0));
}

TTreeNode TTreeView::Selected() const {
    return NextOf(handle_, nullptr, TVGN_CARET);
}

void TTreeView::Select(TTreeNode node) {
    SendMessageA(handle_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node));
}

bool TTreeView::Expanded(TTreeNode node) const {
    if (!node) return false;
    return (SendMessageA(handle_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(node), TVIS_EXPANDED) &
            TVIS_EXPANDED) != 0;
}

void TTreeView::Expand(TTreeNode node) {
    if (node) SendMessageA(handle_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node));
}

void TTreeView::Collapse(TTreeNode node) {
    if (node) SendMessageA(handle_, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(node));
}

TTreeNode TTreeView::TopItem() const {
    return NextOf(handle_, nullptr, TVGN_FIRSTVISIBLE);
}

void TTreeView::SetTopItem(TTreeNode node) {
    if (node)
        SendMessageA(handle_, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(node));
}

TTreeNode TTreeView::NodeAt(int x, int y) const {
    TVHITTESTINFO hit{};
    hit.pt = {x, y};
    SendMessageA(handle_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    return (hit.flags & TVHT_ONITEM) ? hit.hItem : nullptr;
}

int CALLBACK TTreeView::CompareProc(LPARAM a, LPARAM b, LPARAM self) {
    return (*reinterpret_cast<TTreeView*>(self)->compare_)(a, b);
}

void TTreeView::SortChildren(TTreeNode node, const std::function<int(LPARAM, LPARAM)>& compare) {
    TVSORTCB sort{};
    sort.hParent = node ? node : TVI_ROOT;
    sort.lpfnCompare = CompareProc;
    sort.lParam = reinterpret_cast<LPARAM>(this);
    compare_ = &compare;
    SendMessageA(handle_, TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
    compare_ = nullptr;
}

void TTreeView::SetImages(HIMAGELIST images) {
    SendMessageA(handle_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
}

void TTreeView::Expanding(TTreeNode node, bool& allow) {
    if (OnExpanding) OnExpanding(this, node, allow);
}
void TTreeView::Change(TTreeNode node) {
    if (OnChange) OnChange(this, node);
}
void TTreeView::Deletion(TTreeNode node, LPARAM data) {
    if (OnDeletion) OnDeletion(this, node, data);
}
void TTreeView::ContextPopup(TTreeNode node, POINT screen) {
    if (OnContextPopup) OnContextPopup(this, node, screen);
}

LRESULT TTreeView::Notify(NMHDR* nm) {
    switch (nm->code) {
    case TVN_ITEMEXPANDINGA: {
        auto* tv = reinterpret_cast<NMTREEVIEWA*>(nm);
        bool allow = true;
        if (tv->action & TVE_EXPAND) Expanding(tv->itemNew.hItem, allow);
        return allow ? FALSE : TRUE;
    }
    case TVN_SELCHANGEDA:
        Change(reinterpret_cast<NMTREEVIEWA*>(nm)->itemNew.hItem);
        return 0;
    case TVN_DELETEITEMA: {
        auto* tv = reinterpret_cast<NMTREEVIEWA*>(nm);
        Deletion(tv->itemOld.hItem, tv->itemOld.lParam);
        return 0;
    }
    case NM_CLICK:
        NodeClick();
        return 0;
    case NM_DBLCLK:
        NodeDblClick();
        return 0;
    case NM_RCLICK: {
        POINT pt;
        GetCursorPos(&pt);
        POINT client = pt;
        ScreenToClient(handle_, &client);
        ContextPopup(NodeAt(client.x, client.y), pt);
        return 1; // handled: no WM_CONTEXTMENU after it
    }
    }
    return 0;
}
