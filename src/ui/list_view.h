// The system list view in owner-data mode: it holds no items of its own and
// asks its owner for each row as it paints it.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/menus.h"

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

// What OnData fills for one row.
struct TListItemData {
    int Index = 0;
    std::string Caption;
    int ImageIndex = -1;
    std::vector<std::string> SubItems;
};

class TListView : public TWinControl {
public:
    TListView(TComponent* owner, TWinControl* parent);

    // Columns: a width of 0 hides one; the user may drag widths, so they
    // are read back from the control.
    int AddColumn(const std::string& caption, int width = 50);
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    const std::string& ColumnCaption(int i) const { return columns_.at(i).caption; }
    int ColumnWidth(int i) const;
    void SetColumnWidth(int i, int width);

    TViewStyle ViewStyle() const { return style_; }
    void SetViewStyle(TViewStyle s);
    bool GridLines() const { return grid_; }
    void SetGridLines(bool on);

    int ItemCount() const;
    void SetItemCount(int n);
    // Index of the selected item, -1 for none.
    int Selected() const;
    void SetSelected(int index);
    void ClearSelection();
    // Scrolls until the item is fully in view.
    void MakeVisible(int index);
    // Rows are asked for again at the next paint.
    void Invalidate() override;

    // Shared image lists (the system's); the list does not free them.
    void SetSmallImages(HIMAGELIST images);
    void SetLargeImages(HIMAGELIST images);
    TPopupMenu* PopupMenu = nullptr;

    std::function<void(TObject*, TListItemData&)> OnData;
    std::function<void(TObject*, int from, int to)> OnDataHint;
    std::function<void(TObject*, int column)> OnColumnClick;
    // A change of an item; stateChange is true for selection or focus changes.
    std::function<void(TObject*, int index, bool stateChange)> OnChange;

protected:
    LRESULT Notify(NMHDR* nm) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void ApplyExStyle();
    struct Column {
        std::string caption;
        int width;
    };
    std::vector<Column> columns_;
    TViewStyle style_ = vsReport;
    bool grid_ = false;
    int count_ = 0;
    // The row asked for last: its texts must outlive the notification.
    TListItemData row_;
    int rowIndex_ = -1;
    std::string text_;
};
