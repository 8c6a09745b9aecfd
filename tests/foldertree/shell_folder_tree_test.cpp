#include <gtest/gtest.h>

#include "../app/temp_folder.h"
#include <algorithm>

#include "base/sjis.h"
#include "base/strutil.h"
#include "foldertree/shell_folder_tree.h"
#include "ui/forms.h"

namespace {
std::vector<std::string> Children(TShellFolderTree* t, TTreeNode parent) {
    std::vector<std::string> names;
    for (TTreeNode n = t->FirstChild(parent); n; n = t->NextSibling(n))
        names.push_back(t->Text(n));
    return names;
}

bool SamePath(const std::string& a, const std::string& b) {
    return SjisSameText(ExcludeTrailingBackslash(a), ExcludeTrailingBackslash(b));
}
} // namespace

class FolderTree : public ::testing::Test {
protected:
    static void SetUpTestSuite() { app = new TApplication; }
    static void TearDownTestSuite() { delete app; }
    void SetUp() override {
        form = new TForm(app);
        form->SetBounds(0, 0, 400, 500);
    }
    void TearDown() override { delete form; }
    TShellFolderTree* MakeTree() {
        tree = new TShellFolderTree(form, form);
        tree->SetAlign(alClient);
        tree->OnChange = [this](TObject*, const std::string& folder) { changes.push_back(folder); };
        return tree;
    }
    void MakeFolder(const std::string& path) {
        ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    }

    static TApplication* app;
    TempFolder dir;
    TForm* form = nullptr;
    TShellFolderTree* tree = nullptr;
    std::vector<std::string> changes;
};
TApplication* FolderTree::app = nullptr;

TEST_F(FolderTree, DrivesAreTopNodesWithoutTheRoot) {
    MakeTree();
    // The root stands alone at the top, opened one level onto the drives.
    TTreeNode root = tree->FirstNode();
    ASSERT_NE(nullptr, root);
    EXPECT_EQ(nullptr, tree->NextSibling(root));
    EXPECT_TRUE(tree->Expanded(root));
    EXPECT_EQ("", tree->NodePath(root));
    EXPECT_FALSE(Children(tree, root).empty());

    tree->SetShowRootFolder(false);
    std::vector<std::string> drives;
    for (TTreeNode n = tree->FirstNode(); n; n = tree->NextSibling(n))
        drives.push_back(tree->NodePath(n));
    EXPECT_NE(drives.end(), std::find(drives.begin(), drives.end(), "C:\\"));
    EXPECT_NE(drives.end(), std::find(drives.begin(), drives.end(), "Z:\\"));
    for (const std::string& d : drives) {
        if (d.empty()) continue; // other items have no path
        EXPECT_EQ(3u, d.size()) << d;
    }
    // Drive nodes are filled only when they are opened.
    EXPECT_EQ(nullptr, tree->FirstChild(tree->FirstNode()));
}

TEST_F(FolderTree, SelectPathOpensTheWayIntoADeepFolder) {
    std::string deep = dir.Path();
    for (const char* part : {"one", "two", "\x95\x5C", "four"}) { // "表" ends in byte 0x5C
        deep += "\\";
        deep += part;
        MakeFolder(deep);
    }
    MakeTree();
    changes.clear();
    ASSERT_TRUE(tree->SelectPath(deep));
    EXPECT_TRUE(SamePath(deep, tree->SelectedFolder()));
    ASSERT_FALSE(changes.empty());
    EXPECT_TRUE(SamePath(deep, changes.back()));
    TTreeNode node = tree->Selected();
    EXPECT_EQ("four", tree->Text(node));
    EXPECT_EQ("\x95\x5C", tree->Text(tree->ParentNode(node)));
    EXPECT_TRUE(tree->Expanded(tree->ParentNode(node)));
    EXPECT_FALSE(tree->SelectPath(dir / "missing"));
    EXPECT_TRUE(SamePath(deep, tree->SelectedFolder()));
}

TEST_F(FolderTree, RefreshKeepStateShowsNewFoldersAndKeepsTheState) {
    MakeFolder(dir / "a");
    MakeFolder(dir / "a\\inner");
    MakeFolder(dir / "b");
    MakeTree();
    tree->RefreshDelayMs = 50;
    ASSERT_TRUE(tree->SelectPath(dir / "a\\inner"));
    TTreeNode b = tree->FindPath(dir / "b", true);
    ASSERT_NE(nullptr, b);
    EXPECT_FALSE(tree->HasChildren(b) && tree->FirstChild(b));

    MakeFolder(dir / "b\\new");
    MakeFolder(dir / "c");
    TempFolder::WriteFile(dir / "a\\file.txt", "x");
    changes.clear();
    tree->RefreshKeepState();
    EXPECT_TRUE(SamePath(dir / "a\\inner", tree->SelectedFolder()));
    TTreeNode a = tree->FindPath(dir / "a", false);
    ASSERT_NE(nullptr, a);
    EXPECT_TRUE(tree->Expanded(a));
    TTreeNode base = tree->ParentNode(a);
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), Children(tree, base));
    b = tree->FindPath(dir / "b", false);
    tree->ExpandNode(b);
    EXPECT_EQ((std::vector<std::string>{"new"}), Children(tree, b));
    ASSERT_EQ(1u, changes.size()); // one report, for the selection put back
    EXPECT_TRUE(SamePath(dir / "a\\inner", changes[0]));
}

TEST_F(FolderTree, FilesWithMaskDecideTheExpandButton) {
    MakeFolder(dir / "docs");
    TempFolder::WriteFile(dir / "docs\\a.txt", "x");
    MakeTree();
    tree->SetRootFolder(rfManual);
    tree->SetRootFolderName(dir.Path());
    auto docs = [this] { return tree->FindPath(dir / "docs", false); };
    ASSERT_NE(nullptr, docs());
    EXPECT_FALSE(tree->HasChildren(docs())); // folders only: nothing inside
    tree->SetShowFile(true);
    tree->SetFileMask({".TXT"});
    EXPECT_TRUE(tree->HasChildren(docs()));
    tree->ExpandNode(docs());
    EXPECT_EQ((std::vector<std::string>{"a.txt"}), Children(tree, docs()));
    tree->SetFileMask({".DOC"});
    EXPECT_FALSE(tree->HasChildren(docs()));
    // With files shown under a manual root the root cannot be hidden.
    tree->SetShowRootFolder(false);
    EXPECT_TRUE(tree->ShowRootFolder());
}

TEST_F(FolderTree, VirtualRootKeepsFilesAndRoot) {
    MakeTree();
    tree->SetRootFolder(rf_Printers);
    EXPECT_TRUE(tree->IsVirtual());
    EXPECT_TRUE(tree->ShowFile());
    tree->SetShowFile(false);
    tree->SetShowRootFolder(false);
    EXPECT_TRUE(tree->ShowFile());
    EXPECT_TRUE(tree->ShowRootFolder());
    EXPECT_NE(nullptr, tree->FirstNode());
}

TEST_F(FolderTree, DeleteCommandRemovesTheSelectedNode) {
    MakeFolder(dir / "gone");
    MakeFolder(dir / "stays");
    MakeTree();
    ASSERT_TRUE(tree->SelectPath(dir / "gone"));
    TTreeNode parent = tree->ParentNode(tree->Selected());
    tree->ContextCommandDone(18);
    EXPECT_EQ((std::vector<std::string>{"stays"}), Children(tree, parent));
    EXPECT_NE(nullptr, tree->Selected());
}
