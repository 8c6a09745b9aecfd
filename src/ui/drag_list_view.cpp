#include "ui/drag_list_view.h"

TDragListView::TDragListView(TComponent* owner, TWinControl* parent) : TListView(owner, parent) {}

int TDragListView::ItemAt(int x, int y) const {
    LVHITTESTINFO hit{};
    hit.pt = {x, y};
    const int i = static_cast<int>(SendMessageA(handle_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & LVHT_ONITEM) && i < ItemCount() ? i : -1;
}

RECT TDragListView::ItemRect(int index) const {
    RECT r{LVIR_BOUNDS, 0, 0, 0};
    if (index < 0 || index >= ItemCount() ||
        !SendMessageA(handle_, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r))) {
        return RECT{0, 0, 0, 0};
    }
    return r;
}

void TDragListView::SetFocusedItem(int index) {
    if (index < 0 || index >= ItemCount()) return;
    LVITEMA item{};
    item.stateMask = LVIS_FOCUSED;
    item.state = LVIS_FOCUSED;
    SendMessageA(handle_, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

LRESULT TDragListView::Notify(NMHDR* nm) {
    if (nm->code == static_cast<UINT>(LVN_BEGINDRAG) && (OnDragOver || OnDragDrop)) {
        dragging_ = true;
        accepted_ = false;
        SetCapture(handle_);
        return 0;
    }
    return TListView::Notify(nm);
}

void TDragListView::EndDrag(bool drop, int x, int y) {
    if (!dragging_) return;
    dragging_ = false;  // first: giving up the capture comes back here
    LVITEMA clear{};
    clear.stateMask = LVIS_DROPHILITED;
    SendMessageA(handle_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
    if (GetCapture() == handle_) ReleaseCapture();
    if (drop && accepted_) Fire(OnDragDrop, this, this, x, y);
}

LRESULT TDragListView::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (dragging_) {
        const int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
        switch (msg) {
        case WM_MOUSEMOVE: {
            accepted_ = false;
            Fire(OnDragOver, this, this, x, y, accepted_);
            const int over = ItemAt(x, y);
            LVITEMA mark{};
            mark.stateMask = LVIS_DROPHILITED;
            SendMessageA(handle_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&mark));
            if (accepted_ && over >= 0) {
                mark.state = LVIS_DROPHILITED;
                SendMessageA(handle_, LVM_SETITEMSTATE, over, reinterpret_cast<LPARAM>(&mark));
            }
            SetCursor(LoadCursor(nullptr, accepted_ ? IDC_ARROW : IDC_NO));
            return 0;
        }
        case WM_LBUTTONUP:
            EndDrag(true, x, y);
            return 0;
        case WM_CAPTURECHANGED:
            EndDrag(false, 0, 0);
            break;
        case WM_KEYDOWN:
            if (wp == VK_ESCAPE) {
                EndDrag(false, 0, 0);
                return 0;
            }
            break;
        }
    }
    return TListView::WndProc(msg, wp, lp);
}

