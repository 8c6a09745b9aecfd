// The archive operation's member tree and list on the program's tree and
// list views, and its platform on Windows.
#pragma once
#include <vector>

#include "archive/archive_operation.h"
#include "archive/archive_operation_ports.h"
#include "ui/forms.h"
#include "ui/list_view.h"
#include "ui/tree_view.h"

class TArchiveTreeAdapter : public TArchiveTreePort {
public:
    explicit TArchiveTreeAdapter(TTreeView* tree) : tree_(tree) {}
    // The view went away; every call does nothing from now on.
    void Detach() { tree_ = nullptr; }

    void BeginUpdate() override;
    void EndUpdate() override;
    void Clear() override;
    TArchiveNode AddChild(TArchiveNode parent, const std::string& text, int image,
                          int selectedImage, TArchiveNodeData* data, bool hasChildren) override;
    TArchiveNodeData* Data(TArchiveNode node) override;
    std::string Text(TArchiveNode node) override;
    TArchiveNode Parent(TArchiveNode node) override;
    TArchiveNode First() override;
    TArchiveNode Next(TArchiveNode node) override;
    TArchiveNode FirstChild(TArchiveNode node) override;
    void SetHasChildren(TArchiveNode node, bool has) override;
    void Select(TArchiveNode node) override;
    void ExpandQuietly(TArchiveNode node) override;
    void MakeVisible(TArchiveNode node) override;
    bool HasChangeHandler() override;

private:
    static TTreeNode N(TArchiveNode node) { return static_cast<TTreeNode>(node); }
    TTreeView* tree_;
    int updating_ = 0;
};

// The list is owner-data: it shows the operation's rows by index.
class TArchiveListAdapter : public TArchiveListPort {
public:
    explicit TArchiveListAdapter(TListView* list) : list_(list) {}
    void Detach() { list_ = nullptr; }
    void BeginRows() override;
    void EndRows(int count) override;

private:
    TListView* list_;
    std::function<void(TObject*, int, bool)> saved_;
};

class TWinArchiveOperationHost : public TArchiveOperationHost {
public:
    bool FileExists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override;
    bool RemoveFile(const std::string& path) override;
    bool MakeFolder(const std::string& path) override;
    bool RemoveFolder(const std::string& path) override;
    bool RenameFile(const std::string& from, const std::string& to) override;
    void ErrorBox(unsigned beep, const std::string& text) override;
    void BeginHourglass() override;
    void EndHourglass() override;
    int SmallIconIndex(const std::string& name) override;

private:
    std::vector<TCursor> saved_;
};

// Gives the list the system's large and small icons and the tree the small
// ones, and tells the operation the folder and archive pictures among them.
void SetArchiveImages(TArchiveOperation& op, TTreeView* tree, TListView* list);
