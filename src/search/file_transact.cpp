#include "search/file_transact.h"

#include <algorithm>

#include "base/strutil.h"
#include "search/search_text.h"

TFileTransact::TFileTransact(TFilePlatform& platform) : platform_(platform) {}

void TFileTransact::SetFolder(const std::string& folder) {
    if (folder != folder_) folder_ = folder;
}

void TFileTransact::SetMask(const std::string& mask) {
    const std::string value = mask.empty() ? "*.*" : mask;
    if (value != mask_) mask_ = value;
}

void TFileTransact::SetExtensions(const std::string& extensions) {
    if (extensions != extensions_) extensions_ = extensions;
}

void TFileTransact::SetUseExtensions(bool use) {
    if (use != useExtensions_) useExtensions_ = use;
}

std::string TFileTransact::FolderPrefix() const {
    return IncludeTrailingBackslash(folder_);
}

std::string TFileTransact::MaskPattern() const {
    const std::string m = Trim(mask_);
    return FolderPrefix() + (m.empty() ? "*.*" : m);
}

bool TFileTransact::FolderExists() const {
    return !folder_.empty() && platform_.DirectoryExists(ExcludeTrailingBackslash(folder_));
}

void TFileTransact::ForEachEntry(const std::string& pattern,
                                 const std::function<bool(const TFoundEntry&)>& each) {
    platform_.FindEntries(pattern, [&](const TFoundEntry& e) {
        if (e.Name.empty() || e.Name == "." || e.Name == "..") return true;
        if (e.Attributes & faVolumeID) return true;
        return each(e);
    });
}

void TFileTransact::SortList(std::vector<std::string>& list) {
    std::stable_sort(list.begin(), list.end(),
                     [](const std::string& a, const std::string& b) { return UpperLess(a, b); });
}

void TFileTransact::Add(const TFoundEntry& e) {
    std::string entry = NamesOnly ? e.Name : FolderPrefix() + e.Name;
    ((e.Attributes & faDirectory) ? Folders : Files).push_back(std::move(entry));
}

void TFileTransact::Execute() {
    Files.clear();
    Folders.clear();
    if (!FolderExists()) return;
    if (useExtensions_) {
        ListByExtensions();
    } else {
        ListByMask();
    }
    SortLists();
}

void TFileTransact::SortLists() {
    SortList(Files);
    SortList(Folders);
}

void TFileTransact::ListByMask() {
    ForEachEntry(MaskPattern(), [this](const TFoundEntry& e) {
        Add(e);
        return true;
    });
}

void TFileTransact::ListByExtensions() {
    ForEachEntry(FolderPrefix() + "*.*", [this](const TFoundEntry& e) {
        if ((e.Attributes & faDirectory) || ExtensionTaken(e.Name, extensions_)) Add(e);
        return true;
    });
}

void TFileTransact::DeleteAll() {
    if (!FolderExists()) return;
    const std::vector<std::string> copy = Files;
    for (const std::string& f : copy)
        DeleteFileChecked(NamesOnly ? FolderPrefix() + f : f, false);
}

bool TFileTransact::HasAttributes(const std::string& path, std::uint32_t bits) {
    std::uint32_t attrs = 0;
    if (!platform_.GetAttributes(path, attrs)) return false;
    return (attrs & bits) == bits;
}

std::string TFileTransact::DeleteQuestion(const std::string& classification,
                                          const std::string& path) {
    return classification + "\r\r" + path + "\r\r" + "削除してよろしいですか？";
}

bool TFileTransact::DeleteFileChecked(const std::string& path, bool confirm) {
    std::uint32_t attrs = 0;
    const bool found = platform_.GetAttributes(path, attrs);
    const char* classification = nullptr;
    if (found) {
        if (attrs & faSysFile) {
            classification = "システムファイルです";
        } else if (attrs & faHidden) {
            classification = "隠しファイルです";
        } else if (attrs & faReadOnly) {
            classification = "読込専用ファイルです";
        }
    }
    if (!classification) return platform_.RemoveFile(path);
    if (confirm && !platform_.AskYesNo(DeleteQuestion(classification, path))) return true;
    if (!platform_.SetAttributes(path, faArchive)) {
        platform_.SetAttributes(path, attrs);
        return false;
    }
    if (platform_.RemoveFile(path)) return true;
    // A file that stays keeps its protection.
    platform_.SetAttributes(path, attrs);
    return false;
}
