// A list view whose items can be dragged within it.
#pragma once
#include <functional>

#include "ui/list_view.h"

class TDragListView : public TListView {
public:
    TDragListView(TComponent* owner, TWinControl* parent);
    using TDragOverEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y, bool& Accept)>;
    using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    // Index of the item at a client point, -1 for none.
    int ItemAt(int x, int y) const;
    // Client rectangle of an item (empty for none).
    RECT ItemRect(int index) const;
    bool Dragging() const { return dragging_; }
    void SetFocusedItem(int index);

protected:
    LRESULT Notify(NMHDR* nm) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void EndDrag(bool drop, int x, int y);
    bool dragging_ = false, accepted_ = false;
};
