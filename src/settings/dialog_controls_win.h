// The controls of the settings windows that the rest of the program does
// not need: edit fields, a spin edit, a track bar, list boxes, a framed
// group, a radio group and the 16-colour grid.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/track_bar.h"

// A single-line edit field (or, made with multiLine, a read-only memo).
class TEdit : public TWinControl {
public:
    TEdit(TComponent* owner, TWinControl* parent, bool multiLine = false);
    // What the field holds now, typed or set.
    std::string Text() const;
    // Sets the text; OnChange follows as when the user types.
    void SetText(const std::string& text);
    void SetMaxLength(int n);
    void SelectAll();
    TNotifyEvent OnChange;

protected:
    void CommandNotify(WORD code) override;
};

// An edit field with up and down arrows for a number in MinValue..MaxValue.
class TSpinEdit : public TWinControl {
public:
    TSpinEdit(TComponent* owner, TWinControl* parent);
    // Sets range and step of the arrows; the value is kept inside the range.
    void SetRange(int minValue, int maxValue, int increment = 1);
    int MinValue() const { return min_; }
    int MaxValue() const { return max_; }
    // The number in the field, kept inside the range; MinValue when the
    // field holds no number.
    int Value() const;
    void SetValue(int v);
    TEdit* Edit() const { return edit_; }
    TNotifyEvent OnChange;

protected:
    void BoundsChanged() override;
    void EnabledChanged() override;

private:
    TEdit* edit_ = nullptr;
    HWND updown_ = nullptr;
    int min_ = 0, max_ = 100, increment_ = 1;
};

// A list box; owner-drawn items are painted by OnDrawItem.
class TListBox : public TWinControl {
public:
    TListBox(TComponent* owner, TWinControl* parent, bool ownerDraw = false, int itemHeight = 16);
    int Count() const;
    std::string Strings(int i) const;
    void SetStrings(int i, const std::string& s);
    std::vector<std::string> Items() const;
    void SetItems(const std::vector<std::string>& items);
    int Add(const std::string& s);
    void Delete(int i);
    void Clear();
    // -1 for none. Setting it does not raise OnClick (as a click does).
    int ItemIndex() const;
    void SetItemIndex(int i);
    // Index of a string in any letter case of its single-byte letters, -1 for none.
    int IndexOf(const std::string& s) const;
    TNotifyEvent OnClick;
    std::function<void(TListBox* Sender, int Index, HDC dc, const RECT& rect, bool selected)> OnDrawItem;

protected:
    void CommandNotify(WORD code) override;
    bool DrawItem(const DRAWITEMSTRUCT& di) override;
};

// A framed group of radio buttons, one per item, in a column.
class TRadioGroup : public TGroupBox {
public:
    TRadioGroup(TComponent* owner, TWinControl* parent);
    void SetItems(const std::vector<std::string>& items);
    int Count() const { return static_cast<int>(buttons_.size()); }
    // -1 for none. Setting it does not raise OnClick.
    int ItemIndex() const;
    void SetItemIndex(int i);
    // The radio button of an item (for tests and focus).
    TWinControl* Button(int i) const { return buttons_.at(i); }
    TNotifyEvent OnClick;
    // Called by an item when the user picked it.
    void ItemClicked(int i);

protected:
    void BoundsChanged() override;

private:
    void Arrange();
    std::vector<TWinControl*> buttons_;
};

// The sixteen standard colours in a 4 x 4 grid. A left click picks the
// text colour, a right click the background; "FG" and "BG" mark them.
class TColorGrid : public TGraphicControl {
public:
    TColorGrid(TComponent* owner, TWinControl* parent);
    static const TColor kColors[16];
    // Index of a colour in the grid, -1 when it is not one of the sixteen.
    static int IndexOf(TColor c);
    int ForegroundIndex() const { return fg_; }
    int BackgroundIndex() const { return bg_; }
    // Marks the colours without raising OnSelect.
    void SetSelection(TColor foreground, TColor background);
    // The user picked a cell: button 0 left (text), 1 right (background).
    std::function<void(TObject* Sender, int button, TColor color)> OnSelect;
    // Index of the cell at a point of the control, -1 for none.
    int CellAt(int x, int y) const;
    void Paint(HDC dc) override;

protected:
    void MouseDown(int button, TShiftState shift, int x, int y) override;

private:
    int fg_ = -1, bg_ = -1;
};
