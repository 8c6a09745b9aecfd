// The system tree view: nodes with text, images, an overlay and a data
// value, children filled lazily (a node can say it has children before it
// holds any; the expanding event fills them), selection and sorting.
#pragma once
#include <functional>
#include <string>

#include "ui/controls.h"

using TTreeNode = HTREEITEM;

class TTreeView : public TWinControl {
public:
    TTreeView(TComponent* owner, TWinControl* parent);
    ~TTreeView() override;

    // Adds a node under parent (null: a top node) at the end.
    TTreeNode AddChild(TTreeNode parent, const std::string& text, int image = 0,
                       int selectedImage = 0, LPARAM data = 0, bool hasChildren = false);
    void Delete(TTreeNode node);
    void DeleteChildren(TTreeNode node);
    void Clear();

    std::string Text(TTreeNode node) const;
    LPARAM Data(TTreeNode node) const;
    void SetHasChildren(TTreeNode node, bool has);
    bool HasChildren(TTreeNode node) const;
    // Overlay image of the image list (0-based), -1 for none.
    void SetOverlay(TTreeNode node, int overlay);
    int Overlay(TTreeNode node) const;

    TTreeNode FirstNode() const; // the first top node
    TTreeNode FirstChild(TTreeNode node) const;
    TTreeNode NextSibling(TTreeNode node) const;
    TTreeNode ParentNode(TTreeNode node) const;
    // Next node in tree order (children first), expanded or not.
    TTreeNode NextNode(TTreeNode node) const;
    int Count() const;

    TTreeNode Selected() const;
    void Select(TTreeNode node);
    bool Expanded(TTreeNode node) const;
    void Expand(TTreeNode node);
    void Collapse(TTreeNode node);
    TTreeNode TopItem() const;
    void SetTopItem(TTreeNode node);
    TTreeNode NodeAt(int x, int y) const;
    // Sorts the children of node (null: the top nodes) with compare(dataA, dataB).
    void SortChildren(TTreeNode node, const std::function<int(LPARAM, LPARAM)>& compare);
    void SetImages(HIMAGELIST images);

    // A node is about to expand; allow := false keeps it closed.
    std::function<void(TObject*, TTreeNode, bool& allow)> OnExpanding;
    // The selection changed (also to none).
    std::function<void(TObject*, TTreeNode)> OnChange;
    // A node goes away; its data should be released.
    std::function<void(TObject*, TTreeNode, LPARAM data)> OnDeletion;
    // Right click with the node under the mouse (may be null), screen point.
    std::function<void(TObject*, TTreeNode, POINT)> OnContextPopup;

protected:
    LRESULT Notify(NMHDR* nm) override;
    // Subclasses react to these before the events.
    virtual void Expanding(TTreeNode node, bool& allow);
    virtual void Change(TTreeNode node);
    virtual void Deletion(TTreeNode node, LPARAM data);
    virtual void ContextPopup(TTreeNode node, POINT screen);
    virtual void NodeClick() { Fire(OnClick, this); }
    virtual void NodeDblClick() { Fire(OnDblClick, this); }

private:
    static int CALLBACK CompareProc(LPARAM a, LPARAM b, LPARAM self);
    const std::function<int(LPARAM, LPARAM)>* compare_ = nullptr;
};
