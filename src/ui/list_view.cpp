#include "ui/list_view.h"

#include <algorithm>
#include <cstring>

TListView::TListView(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) {
    width_ = 250;
    height_ = 150;
    CreateHandle(WC_LISTVIEWA,
                 WS_TABSTOP | LVS_OWNERDATA | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                     LVS_SHAREIMAGELISTS,
                 WS_EX_CLIENTEDGE);
    ApplyExStyle();
}

void TListView::ApplyExStyle() {
    DWORD ex = LVS_EX_FULLROWSELECT | (grid_ ? LVS_EX_GRIDLINES : 0);
    SendMessageA(handle_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
                 ex);
}

int TListView::AddColumn(const std::string& caption, int width) {
    columns_.push_back({caption, width});
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    col.pszText = const_cast<char*>(columns_.back().caption.c_str());
    col.cx = width;
    col.iSubItem = static_cast<int>(columns_.size()) - 1;
    SendMessageA(handle_, LVM_INSERTCOLUMNA, columns_.size() - 1, reinterpret_cast<LPARAM>(&col));
    return static_cast<int>(columns_.size()) - 1;
}

int TListView::ColumnWidth(int i) const {
    if (i < 0 || i >= ColumnCount()) return 0;
    // Outside report view the control does not report column widths.
    if (style_ != vsReport) return columns_[i].width;
    return static_cast<int>(SendMessageA(handle_, LVM_GETCOLUMNWIDTH, i, 0));
}

void TListView::SetColumnWidth(int i, int width) {
    if (i < 0 || i >= ColumnCount()) return;
    columns_[i].width = width;
    LVCOLUMNA col{};
    col.mask = LVCF_WIDTH;
    col.cx = width;
    SendMessageA(handle_, LVM_SETCOLUMNA, i, reinterpret_cast<LPARAM>(&col));
}

void TListView::SetViewStyle(TViewStyle s) {
    if (s == style_) return;
    // Remember the widths the user gave the columns while they are shown.
    if (style_ == vsReport) {
        for (int i = 0; i < ColumnCount(); ++i)
            columns_[i].width = ColumnWidth(i);
    }
    style_ = s;
    static const DWORD kStyles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    LONG st = GetWindowLongA(handle_, GWL_STYLE);
    SetWindowLongA(handle_, GWL_STYLE, (st & ~LVS_TYPEMASK) | kStyles[s]);
    if (s == vsReport) {
        for (int i = 0; i < ColumnCount(); ++i)
            SetColumnWidth(i, columns_[i].width);
    }
    Invalidate();
}

void TListView::SetGridLines(bool on) {
    if (on == grid_) return;
    grid_ = on;
    ApplyExStyle();
    Invalidate();
}

int TListView::ItemCount() const {
    return count_;
}

void TListView::SetItemCount(int n) {
    count_ = std::max(0, n);
    rowIndex_ = -1;
    SendMessageA(handle_, LVM_SETITEMCOUNT, count_, LVSICF_NOSCROLL);
    Invalidate();
}

int TListView::Selected() const {
    return static_cast<int>(
        SendMessageA(handle_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TListView::SetSelected(int index) {
    if (index < 0 || index >= count_) {
        ClearSelection();
        return;
    }
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(handle_, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

void TListView::ClearSelection() {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    item.state = 0;
    SendMessageA(handle_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&item));
}

void TListView::MakeVisible(int index) {
    if (index >= 0 && index < count_) SendMessageA(handle_, LVM_ENSUREVISIBLE, index, FALSE);
}

void TListView::Invalidate() {
    rowIndex_ = -1;
    TWinControl::Invalidate();
}

void TListView::SetSmallImages(HIMAGELIST images) {
    SendMessageA(handle_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}

void TListView::SetLargeImages(HIMAGELIST images) {
    SendMessageA(handle_, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
}

LRESULT TListView::Notify(NMHDR* nm) {
    switch (nm->code) {
    case LVN_GETDISPINFOA: {
        LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(nm)->item;
        if (!OnData || item.iItem < 0 || item.iItem >= count_) return 0;
        if (item.iItem != rowIndex_) {
            row_ = TListItemData{};
            row_.Index = item.iItem;
            OnData(this, row_);
            rowIndex_ = item.iItem;
        }
        if (item.mask & LVIF_TEXT) {
            const std::string* text = nullptr;
            if (item.iSubItem == 0) {
                text = &row_.Caption;
            } else if (item.iSubItem - 1 < static_cast<int>(row_.SubItems.size())) {
                text = &row_.SubItems[item.iSubItem - 1];
            }
            if (item.pszText && item.cchTextMax > 0) {
                const std::string& t = text ? *text : text_;
                const std::size_t n = std::min<std::size_t>(t.size(), item.cchTextMax - 1);
                std::memcpy(item.pszText, t.data(), n);
                item.pszText[n] = '\0';
            }
        }
        if ((item.mask & LVIF_IMAGE) && item.iSubItem == 0) item.iImage = row_.ImageIndex;
        return 0;
    }
    case LVN_ODCACHEHINT: {
        auto* hint = reinterpret_cast<NMLVCACHEHINT*>(nm);
        rowIndex_ = -1; // the owner may fill details that change the rows
        if (OnDataHint) OnDataHint(this, hint->iFrom, hint->iTo);
        return 0;
    }
    case LVN_COLUMNCLICK:
        if (OnColumnClick) OnColumnClick(this, reinterpret_cast<NMLISTVIEW*>(nm)->iSubItem);
        return 0;
    case LVN_ITEMCHANGED: {
        auto* lv = reinterpret_cast<NMLISTVIEW*>(nm);
        if (OnChange) OnChange(this, lv->iItem, (lv->uChanged & LVIF_STATE) != 0);
        return 0;
    }
    case NM_CLICK:
        Fire(OnClick, this);
        return 0;
    case NM_DBLCLK:
        Fire(OnDblClick, this);
        return 0;
    }
    return 0;
}

LRESULT TListView::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CONTEXTMENU && PopupMenu) {
        int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
        if (x == -1 && y == -1) { // from the keyboard: under the list's corner
            POINT pt{4, 4};
            ClientToScreen(handle_, &pt);
            x = pt.x;
            y = pt.y;
        }
        PopupMenu->PopupComponent = this;
        PopupMenu->Popup(handle_, x, y);
        return 0;
    }
    return TWinControl::WndProc(msg, wp, lp);
}
