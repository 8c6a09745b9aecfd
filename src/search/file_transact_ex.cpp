#include "search/file_transact_ex.h"

#include "search/win_file_platform.h"
#include "ui/forms.h"

TFileTransactEx::TFileTransactEx() : TFileRecordEngine(WinFilePlatform()) {}
TFileTransactEx::TFileTransactEx(TFilePlatform& platform) : TFileRecordEngine(platform) {}

HIMAGELIST TFileTransactEx::SystemImages(bool small) {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    if (GetFileAttributesA(folder) == INVALID_FILE_ATTRIBUTES) {
        GetModuleFileNameA(nullptr, folder, MAX_PATH);
        if (char* slash = strrchr(folder, '\\')) *slash = '\0';
    }
    SHFILEINFOA info{};
    const UINT flags = SHGFI_SYSICONINDEX | (small ? SHGFI_SMALLICON : SHGFI_LARGEICON);
    return reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(folder, 0, &info, sizeof info, flags));
}

void TFileTransactEx::SetListView(TListView* list) {
    listView_ = list;
    if (!list) return;
    list->SetSmallImages(SystemImages(true));
    list->SetLargeImages(SystemImages(false));
}

bool TFileTransactEx::ProgressLabelsSet() {
    return lSearching && lHitCount;
}

void TFileTransactEx::ShowError(const std::string& text) {
    TellUser(TSeverity::Error, text);
}

void TFileTransactEx::ShowSearching(const std::string& text) {
    searchingText_ = text;
    progressPending_ = true;
    PaintProgress(false);
}

void TFileTransactEx::ShowHitCount(const std::string& text) {
    hitText_ = text;
    progressPending_ = true;
    PaintProgress(false);
}

void TFileTransactEx::FolderDone() {
    PaintProgress(false);
}

void TFileTransactEx::PaintProgress(bool force) {
    if (!progressPending_ || !lSearching || !lHitCount) return;
    const DWORD now = GetTickCount();
    if (!force && now - lastPaint_ < 40) return;
    lastPaint_ = now;
    progressPending_ = false;
    for (auto [label, text] :
         {std::pair<TLabel*, std::string*>{lSearching, &searchingText_}, {lHitCount, &hitText_}}) {
        if (label->Caption() == *text) continue;
        label->SetCaption(*text);
        label->Repaint();
    }
}

void TFileTransactEx::ProcessMessages() {
    if (Application) Application->ProcessMessages();
}

int TFileTransactEx::ViewItemCount() {
    return listView_ ? listView_->ItemCount() : 0;
}

void TFileTransactEx::SetViewItemCount(int count) {
    if (listView_) listView_->SetItemCount(count);
}

void TFileTransactEx::BeginBusy() {
    if (busyDepth_++ == 0) {
        savedCursor_ = Screen.Cursor();
        Screen.SetCursor(crHourGlass);
    }
}

void TFileTransactEx::EndBusy() {
    if (busyDepth_ > 0 && --busyDepth_ == 0) {
        PaintProgress(true);
        Screen.SetCursor(static_cast<TCursor>(savedCursor_));
    }
}

void TFileTransactEx::AfterSort() {
    if (!listView_) return;
    listView_->ClearSelection();
    listView_->Invalidate();
    listView_->Update();
}

void TFileTransactEx::QueryShellDetails(const std::string& name, std::string& typeName, int& icon) {
    SHFILEINFOA info{};
    // By name alone: the file is not opened, so a vanished file still gets a type.
    SHGetFileInfoA(name.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                   SHGFI_USEFILEATTRIBUTES | SHGFI_TYPENAME | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    typeName = info.szTypeName;
    icon = info.iIcon;
}
