#include "../app_test_fixture.h"
#include <gtest/gtest.h>

#include "../app/temp_folder.h"
#include <algorithm>
#include <cstring>

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

class FolderTree : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        form = new TForm(app_);
        form->SetBounds(0, 0, 400, 500);
    }
    void TearDown() override { delete form; AppTest::TearDown(); }
    TShellFolderTree* MakeTree() {
        tree = new TShellFolderTree(form, form);
        tree->SetAlign(alClient);
        tree->OnChange = [this](TObject*, const std::string& folder) { changes.push_back(folder); };
        return tree;
    }
    void MakeFolder(const std::string& path) {
        ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    }
    TempFolder dir;
    TForm* form = nullptr;
    TShellFolderTree* tree = nullptr;
    std::vector<std::string> changes;
};

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

namespace {
// What the Explorer hands over when files of one folder are dragged.
TComRef<IDataObject> DataObjectOf(const std::string& folder, const std::vector<std::string>& names) {
    TComRef<IDataObject> object;
    TComRef<IShellFolder> desktop, parent;
    if (FAILED(SHGetDesktopFolder(desktop.pp()))) return object;
    auto wide = [](const std::string& s) {
        std::wstring w(s.size() + 1, L'\0');
        w.resize(MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, w.data(), static_cast<int>(w.size())) - 1);
        return w;
    };
    TPidl folderId;
    std::wstring f = wide(folder);
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, f.data(), nullptr, folderId.out(), nullptr)) ||
        FAILED(desktop->BindToObject(folderId.get(), nullptr, IID_IShellFolder, parent.out()))) {
        return object;
    }
    std::vector<TPidl> ids(names.size());
    std::vector<LPCITEMIDLIST> raw;
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::wstring n = wide(names[i]);
        if (FAILED(parent->ParseDisplayName(nullptr, nullptr, n.data(), nullptr, ids[i].out(), nullptr)))
            return object;
        raw.push_back(ids[i].get());
    }
    parent->GetUIObjectOf(nullptr, static_cast<UINT>(raw.size()), raw.data(), IID_IDataObject, nullptr,
                          object.out());
    return object;
}
} // namespace

class FolderDrop : public FolderTree {
protected:
    // The screen point at the middle of a node's row, the node brought to
    // the second row, clear of the scrolling edge.
    POINTL At(TTreeNode node) {
        SendMessageA(tree->Handle(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(node));
        auto above = reinterpret_cast<TTreeNode>(
            SendMessageA(tree->Handle(), TVM_GETNEXTITEM, TVGN_PREVIOUSVISIBLE, reinterpret_cast<LPARAM>(node)));
        tree->SetTopItem(above ? above : node);
        RECT r{};
        std::memcpy(&r, &node, sizeof node);  // the item goes in, its rectangle comes out
        SendMessageA(tree->Handle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(tree->Handle(), &p);
        return {p.x, p.y};
    }
    TTreeNode Highlighted() {
        return reinterpret_cast<TTreeNode>(
            SendMessageA(tree->Handle(), TVM_GETNEXTITEM, TVGN_DROPHILITE, 0));
    }
    // One whole drag over `node` ending in a drop; returns the effect.
    DWORD DropOnto(IDataObject* object, TTreeNode node, DWORD keys,
                   DWORD allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK) {
        IDropTarget* target = tree->DropTarget();
        DWORD effect = allowed;
        target->DragEnter(object, keys | MK_LBUTTON, At(node), &effect);
        effect = allowed;
        target->DragOver(keys | MK_LBUTTON, At(node), &effect);
        overEffect = effect;
        effect = allowed;
        target->Drop(object, keys, At(node), &effect);
        return effect;
    }
    void SetUp() override {
        FolderTree::SetUp();
        form->Show();
        MakeFolder(dir / "src");
        MakeFolder(dir / "src\\sub");
        MakeFolder(dir / "dst");
        MakeFolder(dir / "other");
        TempFolder::WriteFile(dir / "src\\a.txt", "payload");
        TempFolder::WriteFile(dir / "src\\b.txt", "second");
        MakeTree();
        tree->SetRootFolder(rfManual);
        tree->SetRootFolderName(dir.Path());
        tree->RefreshDelayMs = 0;
        tree->ShowNotice = [this](const std::string& text) { notices.push_back(text); };
        ASSERT_TRUE(tree->SelectPath(dir / "dst"));
    }
    TTreeNode Node(const char* name) { return tree->FindPath(dir / name, true); }
    std::vector<std::string> notices;
    DWORD overEffect = 0;
};

TEST_F(FolderDrop, ADroppedFileIsCopiedOrMovedAsTheExplorerWould) {
    ASSERT_NE(nullptr, tree->DropTarget());
    TComRef<IDataObject> a = DataObjectOf(dir / "src", {"a.txt"});
    ASSERT_TRUE(a);
    // Ctrl copies.
    EXPECT_EQ(DWORD(DROPEFFECT_COPY), DropOnto(a.get(), Node("dst"), MK_CONTROL));
    EXPECT_EQ("payload", TempFolder::ReadFile(dir / "dst\\a.txt"));
    EXPECT_TRUE(TempFolder::Exists(dir / "src\\a.txt"));
    EXPECT_EQ(nullptr, Highlighted());  // the drop mark goes with the drop
    // Within one drive a plain drag moves.
    EXPECT_EQ(DWORD(DROPEFFECT_MOVE), DropOnto(a.get(), Node("other"), 0));
    EXPECT_EQ("payload", TempFolder::ReadFile(dir / "other\\a.txt"));
    EXPECT_FALSE(TempFolder::Exists(dir / "src\\a.txt"));
    // A source that only lets itself be copied is copied.
    TComRef<IDataObject> b = DataObjectOf(dir / "src", {"b.txt"});
    EXPECT_EQ(DWORD(DROPEFFECT_COPY), DropOnto(b.get(), Node("other"), MK_SHIFT, DROPEFFECT_COPY));
    EXPECT_TRUE(TempFolder::Exists(dir / "src\\b.txt"));
    EXPECT_TRUE(TempFolder::Exists(dir / "other\\b.txt"));
    EXPECT_TRUE(notices.empty());
}

TEST_F(FolderDrop, AFolderMovedInShowsUpInTheTreeAtOnce) {
    TComRef<IDataObject> sub = DataObjectOf(dir / "src", {"sub"});
    ASSERT_TRUE(sub);
    EXPECT_EQ(DWORD(DROPEFFECT_MOVE), DropOnto(sub.get(), Node("dst"), MK_SHIFT));
    EXPECT_TRUE(TempFolder::IsFolder(dir / "dst\\sub"));
    TTreeNode dst = Node("dst");
    ASSERT_NE(nullptr, dst);
    tree->ExpandNode(dst);
    EXPECT_EQ((std::vector<std::string>{"sub"}), Children(tree, dst));
    EXPECT_EQ(nullptr, tree->FindPath(dir / "src\\sub", false));
    // The selection survived the refresh.
    EXPECT_TRUE(SamePath(dir / "dst", tree->SelectedFolder()));
}

TEST_F(FolderDrop, DropsThatMakeNoSenseAreRefused) {
    // Two files at once.
    TComRef<IDataObject> two = DataObjectOf(dir / "src", {"a.txt", "b.txt"});
    ASSERT_TRUE(two);
    EXPECT_EQ(DWORD(DROPEFFECT_NONE), DropOnto(two.get(), Node("dst"), 0));
    EXPECT_EQ(DWORD(DROPEFFECT_NONE), overEffect);
    // Into the folder it lies in, and a folder into itself.
    TComRef<IDataObject> a = DataObjectOf(dir / "src", {"a.txt"});
    EXPECT_EQ(DWORD(DROPEFFECT_NONE), DropOnto(a.get(), Node("src"), 0));
    TComRef<IDataObject> sub = DataObjectOf(dir / "src", {"sub"});
    EXPECT_EQ(DWORD(DROPEFFECT_NONE), DropOnto(sub.get(), Node("src\\sub"), MK_CONTROL));
    EXPECT_TRUE(TempFolder::Exists(dir / "src\\a.txt"));
    EXPECT_FALSE(TempFolder::Exists(dir / "dst\\a.txt"));
    EXPECT_TRUE(notices.empty());
    // A folder of no drive (the root, My Computer): the user is told why.
    tree->SetRootFolder(rfDrives);
    EXPECT_EQ(DWORD(DROPEFFECT_NONE), DropOnto(a.get(), tree->FirstNode(), MK_CONTROL));
    ASSERT_EQ(1u, notices.size());
    EXPECT_EQ("This Folder is SpecialFolder \r Can not Copy or Paste!", notices[0]);
    EXPECT_TRUE(TempFolder::Exists(dir / "src\\a.txt"));
}

TEST_F(FolderDrop, HoveringMarksTheNodeScrollsAtTheEdgesAndOpensAClosedFolder) {
    for (int i = 0; i < 60; ++i) MakeFolder(dir / ("many" + std::to_string(i / 10) + std::to_string(i % 10)));
    MakeFolder(dir / "many00\\inner");
    tree->RefreshKeepState();
    ASSERT_TRUE(tree->SelectPath(dir / "many20"));
    IDropTarget* target = tree->DropTarget();
    TComRef<IDataObject> a = DataObjectOf(dir / "src", {"a.txt"});
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    // (Wine's tree will not drop-mark its selected node; the next one is marked.)
    target->DragEnter(a.get(), MK_LBUTTON, At(Node("many21")), &effect);
    EXPECT_EQ(Node("many21"), Highlighted());
    EXPECT_EQ(DWORD(DROPEFFECT_MOVE), effect);

    // Five pixels inside the bottom edge, then the top edge.
    RECT client;
    GetClientRect(tree->Handle(), &client);
    POINT bottom{client.right / 2, client.bottom - 5}, top{client.right / 2, 5};
    ClientToScreen(tree->Handle(), &bottom);
    ClientToScreen(tree->Handle(), &top);
    TTreeNode before = tree->TopItem();
    target->DragOver(MK_LBUTTON, {bottom.x, bottom.y}, &effect);
    EXPECT_NE(before, tree->TopItem());
    before = tree->TopItem();
    target->DragOver(MK_LBUTTON, {top.x, top.y}, &effect);
    EXPECT_NE(before, tree->TopItem());

    // A closed folder with folders inside opens once the pointer stays.
    tree->DropExpandDelayMs = 300;
    TTreeNode closed = Node("many00");
    ASSERT_FALSE(tree->Expanded(closed));
    target->DragOver(MK_LBUTTON, At(closed), &effect);
    target->DragOver(MK_LBUTTON, At(closed), &effect);
    EXPECT_FALSE(tree->Expanded(closed));
    Sleep(350);
    target->DragOver(MK_LBUTTON, At(closed), &effect);
    EXPECT_TRUE(tree->Expanded(closed));
    EXPECT_EQ((std::vector<std::string>{"inner"}), Children(tree, closed));
    target->DragLeave();
    EXPECT_EQ(nullptr, Highlighted());
    EXPECT_TRUE(TempFolder::Exists(dir / "src\\a.txt"));
}

TEST_F(FolderTree, OnlyATreeWithDragAndDropIsRegisteredForDrops) {
    MakeTree();
    struct Refuse : IDropTarget {
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
        ULONG STDMETHODCALLTYPE Release() override { return 1; }
        HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD*) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD*) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
        HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD*) override { return S_OK; }
    } other;
    EXPECT_TRUE(tree->DragAndDrop());
    EXPECT_EQ(DRAGDROP_E_ALREADYREGISTERED, RegisterDragDrop(tree->Handle(), &other));
    tree->SetDragAndDrop(false);
    EXPECT_EQ(nullptr, tree->DropTarget());
    EXPECT_EQ(S_OK, RegisterDragDrop(tree->Handle(), &other));
    RevokeDragDrop(tree->Handle());
    tree->SetDragAndDrop(true);
    EXPECT_NE(nullptr, tree->DropTarget());
    EXPECT_EQ(DRAGDROP_E_ALREADYREGISTERED, RegisterDragDrop(tree->Handle(), &other));
}

TEST_F(FolderDrop, AnOleDragReleasedOverAFolderEndsThere) {
    // The drag goes through OLE as a user's would, to the tree it registered.
    struct ReleaseSoon : IDropSource {
        int polls = 0;
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
            *out = IsEqualIID(riid, IID_IDropSource) || IsEqualIID(riid, IID_IUnknown) ? this : nullptr;
            return *out ? S_OK : E_NOINTERFACE;
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
        ULONG STDMETHODCALLTYPE Release() override { return 1; }
        HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override {
            return ++polls < 5 ? S_OK : DRAGDROP_S_DROP;
        }
        HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
    } source;
    TComRef<IDataObject> a = DataObjectOf(dir / "src", {"a.txt"});
    ASSERT_TRUE(a);
    const POINTL p = At(Node("other"));
    SetCursorPos(p.x, p.y);
    DWORD effect = DROPEFFECT_NONE;
    EXPECT_EQ(DRAGDROP_S_DROP, DoDragDrop(a.get(), &source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect));
    EXPECT_EQ(DWORD(DROPEFFECT_MOVE), effect);
    EXPECT_EQ("payload", TempFolder::ReadFile(dir / "other\\a.txt"));
    EXPECT_FALSE(TempFolder::Exists(dir / "src\\a.txt"));
}
