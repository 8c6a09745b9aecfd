#include "archive/archive_views_win.h"

#include <shlobj.h>

#include "base/strutil.h"

void TArchiveTreeAdapter::BeginUpdate() {
    if (tree_ && updating_++ == 0) SendMessageA(tree_->Handle(), WM_SETREDRAW, FALSE, 0);
}

void TArchiveTreeAdapter::EndUpdate() {
    if (!tree_ || updating_ == 0) return;
    if (--updating_ == 0) {
        SendMessageA(tree_->Handle(), WM_SETREDRAW, TRUE, 0);
        tree_->Invalidate();
    }
}

void TArchiveTreeAdapter::Clear() {
    if (!tree_) return;
    // Emptying moves the selection; that is no choice of the user's.
    auto saved = std::move(tree_->OnChange);
    tree_->OnChange = nullptr;
    tree_->Clear();
    tree_->OnChange = std::move(saved);
}

TArchiveNode TArchiveTreeAdapter::AddChild(TArchiveNode parent, const std::string& text, int image,
                                           int selectedImage, TArchiveNodeData* data,
                                           bool hasChildren) {
    if (!tree_) return nullptr;
    return tree_->AddChild(N(parent), text, image, selectedImage, reinterpret_cast<LPARAM>(data),
                           hasChildren);
}

TArchiveNodeData* TArchiveTreeAdapter::Data(TArchiveNode node) {
    return tree_ && node ? reinterpret_cast<TArchiveNodeData*>(tree_->Data(N(node))) : nullptr;
}

std::string TArchiveTreeAdapter::Text(TArchiveNode node) {
    return tree_ ? tree_->Text(N(node)) : std::string();
}

TArchiveNode TArchiveTreeAdapter::Parent(TArchiveNode node) {
    return tree_ ? tree_->ParentNode(N(node)) : nullptr;
}

TArchiveNode TArchiveTreeAdapter::First() {
    return tree_ ? tree_->FirstNode() : nullptr;
}

TArchiveNode TArchiveTreeAdapter::Next(TArchiveNode node) {
    return tree_ ? tree_->NextNode(N(node)) : nullptr;
}

TArchiveNode TArchiveTreeAdapter::FirstChild(TArchiveNode node) {
    return tree_ && node ? tree_->FirstChild(N(node)) : nullptr;
}

void TArchiveTreeAdapter::SetHasChildren(TArchiveNode node, bool has) {
    if (tree_) tree_->SetHasChildren(N(node), has);
}

void TArchiveTreeAdapter::Select(TArchiveNode node) {
    if (tree_) tree_->Select(N(node));
}

void TArchiveTreeAdapter::ExpandQuietly(TArchiveNode node) {
    if (!tree_) return;
    auto saved = std::move(tree_->OnExpanding);
    tree_->OnExpanding = nullptr;
    tree_->Expand(N(node));
    tree_->OnExpanding = std::move(saved);
}

void TArchiveTreeAdapter::MakeVisible(TArchiveNode node) {
    if (tree_ && node)
        SendMessageA(tree_->Handle(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(N(node)));
}

bool TArchiveTreeAdapter::HasChangeHandler() {
    return tree_ && static_cast<bool>(tree_->OnChange);
}

void TArchiveListAdapter::BeginRows() {
    if (!list_) return;
    // The change handler hears nothing of the rows going.
    saved_ = std::move(list_->OnChange);
    list_->OnChange = nullptr;
    list_->SetItemCount(0);
}

void TArchiveListAdapter::EndRows(int count) {
    if (!list_) return;
    list_->SetItemCount(count);
    list_->ClearSelection();
    list_->OnChange = std::move(saved_);
    saved_ = nullptr;
}

bool TWinArchiveOperationHost::FileExists(const std::string& path) {
    if (path.empty()) return false;
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool TWinArchiveOperationHost::DirectoryExists(const std::string& path) {
    if (path.empty()) return false;
    const DWORD a = GetFileAttributesA(ExcludeTrailingBackslash(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool TWinArchiveOperationHost::RemoveFile(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(path.c_str()) != 0;
}

bool TWinArchiveOperationHost::MakeFolder(const std::string& path) {
    return CreateDirectoryA(ExcludeTrailingBackslash(path).c_str(), nullptr) != 0;
}

bool TWinArchiveOperationHost::RemoveFolder(const std::string& path) {
    return RemoveDirectoryA(ExcludeTrailingBackslash(path).c_str()) != 0;
}

bool TWinArchiveOperationHost::RenameFile(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

void TWinArchiveOperationHost::ErrorBox(unsigned beep, const std::string& text) {
    TTellOptions options;
    options.Beep = beep != 0;
    options.Sound = beep;
    TellUser(TSeverity::Error, text, TAnswers::Ok, options);
}

void TWinArchiveOperationHost::BeginHourglass() {
    saved_.push_back(Screen.Cursor());
    Screen.SetCursor(crHourGlass);
}

void TWinArchiveOperationHost::EndHourglass() {
    if (saved_.empty()) return;
    Screen.SetCursor(saved_.back());
    saved_.pop_back();
}

int TWinArchiveOperationHost::SmallIconIndex(const std::string& name) {
    SHFILEINFOA sfi{};
    if (!SHGetFileInfoA(name.c_str(), FILE_ATTRIBUTE_NORMAL, &sfi, sizeof sfi,
                        SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON))
        return -1;
    return sfi.iIcon;
}

void SetArchiveImages(TArchiveOperation& op, TTreeView* tree, TListView* list) {
    HIMAGELIST small = nullptr, large = nullptr;
    LPITEMIDLIST desktop = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop)) && desktop) {
        SHFILEINFOA sfi{};
        small = reinterpret_cast<HIMAGELIST>(
            SHGetFileInfoA(reinterpret_cast<LPCSTR>(desktop), 0, &sfi, sizeof sfi,
                           SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
        large = reinterpret_cast<HIMAGELIST>(
            SHGetFileInfoA(reinterpret_cast<LPCSTR>(desktop), 0, &sfi, sizeof sfi,
                           SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_LARGEICON));
        CoTaskMemFree(desktop);
    }
    if (list) {
        list->SetLargeImages(large);
        list->SetSmallImages(small);
    }
    if (tree) tree->SetImages(small);

    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    SHFILEINFOA closed{}, open{}, archive{};
    SHGetFileInfoA(windows, 0, &closed, sizeof closed, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    SHGetFileInfoA(windows, 0, &open, sizeof open,
                   SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_OPENICON);
    SHGetFileInfoA("*.lzh", FILE_ATTRIBUTE_NORMAL, &archive, sizeof archive,
                   SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    op.SetIcons(closed.iIcon, open.iIcon, archive.iIcon);
}
