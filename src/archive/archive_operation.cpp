#include "archive/archive_operation.h"

#include <map>

#include "archive/archive_control.h"
#include "archive/archive_format.h"
#include "archive/archive_rows.h"
#include "archive/archive_tree_keys.h"
#include "base/sjis.h"
#include "base/strutil.h"
#include "search/file_transact.h"

const char kAllFilesCaption[] = "[ALL Files:]";

namespace {
constexpr unsigned kExclamationBeep = 48;
// Where a nested archive lands before it moves to a name of its own.
constexpr char kNestedStagingFolder[] = "$NESTED$";

const struct {
    TArchiveType type;
    const char* entry;
} kArchiveExtensions[] = {{atLha, ".LZH "}, {atCab, ".CAB "}, {atTar, ".TAR "}, {atArj, ".ARJ "},
                          {atRar, ".RAR "}, {atZip, ".ZIP "}, {atSevenZip, ".7Z "}};

// Shows the hourglass for the life of the object.
class THostHourglass {
public:
    explicit THostHourglass(TArchiveOperationHost& host) : host_(host) { host_.BeginHourglass(); }
    ~THostHourglass() { host_.EndHourglass(); }
    THostHourglass(const THostHourglass&) = delete;
    THostHourglass& operator=(const THostHourglass&) = delete;

private:
    TArchiveOperationHost& host_;
};
} // namespace

TArchiveOperation::TArchiveOperation(TArchiveOperationHost& host, TFilePlatform& files)
    : host_(host), files_(files) {}

TArchiveOperation::~TArchiveOperation() {
    cache_.clear();
    ClearList();
    ClearTree();
    // Only our own extracted copies go, and only from a folder that is
    // plainly ours; its sub-folders stay.
    const std::string work = WorkFolder();
    if (ClearWorkFolderOnDestroy && !work.empty()) {
        TFileTransact files(files_);
        files.SetFolder(work);
        files.SetMask("*.*");
        files.SetUseExtensions(false);
        files.Execute();
        files.DeleteAll();
    }
}

std::string TArchiveOperation::WorkFolder() {
    if (work_folder_.size() <= 3 || work_folder_.find('$') == std::string::npos ||
        !host_.DirectoryExists(work_folder_))
        return std::string();
    return work_folder_;
}

void TArchiveOperation::SetIcons(int closed_folder, int open_folder, int archive) {
    closed_icon_ = closed_folder;
    open_icon_ = open_folder;
    archive_icon_ = archive;
}

std::string TArchiveOperation::WorkPath(const std::string& name) {
    const std::string work = WorkFolder();
    return work.empty() ? std::string() : IncludeTrailingBackslash(work) + name;
}

// Puts an archive on the control unless it is there already. False when
// the control refused it (busy, unknown format, damaged): the control then
// still holds the archive it had, and so does the current archive.
bool TArchiveOperation::SetArchive(const std::string& path) {
    const std::string upper = SjisUpperCase(path);
    if (upper == current_archive_) return true;
    Control->SetFileName(path);
    if (!SjisSameText(Control->FileName(), path)) return false;
    current_archive_ = upper;
    return true;
}

void TArchiveOperation::NotFoundBox(const std::string& path) {
    host_.ErrorBox(kExclamationBeep, "TArchiveOperation UpDate Error(-\"-;\r"
                                     "Please Contact KVT\r"
                                     "\r"
                                     "Not Found ArchiveFile!\r" +
                                         path);
}

void TArchiveOperation::Open(const std::string& path) {
    if (!Control || Control->Busy()) return;
    if (!SetArchive(path)) {
        if (!host_.FileExists(path)) {
            NotFoundBox(path);
        } else {
            // Not an archive the control can read: show nothing of the one before.
            cache_.clear();
            ClearList();
            ClearTree();
        }
        return;
    }
    Update(nullptr);
    if (!ExpandOnOpen || !Tree) return;
    TArchiveNode first = Tree->First();
    if (!first) return;
    Tree->Select(first);
    for (TArchiveNode n = first; n; n = Tree->Next(n)) {
        const TArchiveNodeData* d = Tree->Data(n);
        if (d && (d->Kind == nkRoot || d->Kind == nkFolder) && Tree->FirstChild(n))
            Tree->ExpandQuietly(n);
    }
    Tree->MakeVisible(first);
}

void TArchiveOperation::Update(TArchiveNode node) {
    if (!Control || !Tree || !List) return;
    const std::string archive = Control->FileName();
    if (!host_.FileExists(archive)) {
        NotFoundBox(archive);
        return;
    }
    if (!node) {
        ClearTree();
        ClearList();
        cache_.clear();
    }
    AddCache();
    BuildTree(node);
}

void TArchiveOperation::AddCache() {
    try {
        cache_.reserve(cache_.size() + static_cast<std::size_t>(Control->Count()));
        for (int i = 0; i < Control->Count(); ++i) {
            TArchiveItem* item = Control->Items(i);
            TArchiveCacheRecord r;
            r.Archive = current_archive_;
            r.Name = item->FileName();
            r.LibraryPath = item->Path();
            r.Path = SlashSeparators(r.LibraryPath);
            r.UnpackedSize = item->UnpackedSize();
            r.CompressedSize = item->CompressedSize();
            r.Ratio = item->Ratio();
            r.DateTime = item->DateTime();
            r.TypeName = item->TypeName();
            r.Encrypted = IsEncryptedMember(Control->ArchiveType(), item->Info());
            cache_.push_back(std::move(r));
        }
    } catch (...) {
        host_.ErrorBox(0, "TArchiveOperation.AddCache Error");
    }
}

TArchiveNode TArchiveOperation::AddNode(TArchiveNode parent, const std::string& text, int image,
                                        int selected, TArchiveNodeData data, bool has_children) {
    node_data_.push_back(std::make_unique<TArchiveNodeData>(std::move(data)));
    return Tree->AddChild(parent, text, image, selected, node_data_.back().get(), has_children);
}

void TArchiveOperation::BuildTree(TArchiveNode node) {
    Tree->BeginUpdate();
    TArchiveNode parent = node;
    if (!parent) {
        TArchiveNodeData root;
        root.Kind = nkRoot;
        root.Archive = current_archive_;
        parent = AddNode(nullptr, ExtractFileName(Control->FileName()), closed_icon_, open_icon_,
                         root, false);
    }

    TArchiveTreeKeys keys;
    for (TArchiveCacheRecord& r : cache_) {
        if (r.Used) continue;
        r.Used = true;
        keys.AddMember(r.Path, r.LibraryPath, r.Name, IsArchiveName(r.Name));
    }
    if (keys.Collected() && keys.InFolder()) {
        TArchiveNodeData all;
        all.Kind = nkAllFiles;
        all.Archive = current_archive_;
        AddNode(parent, kAllFilesCaption, closed_icon_, open_icon_, all, false);
    }

    // Folders made in this pass, by key: a key's parent folder is looked
    // for among them only, so that the folders of a nested archive never
    // land under a same-named folder of the archive around it.
    std::map<std::string, TArchiveNode> folders;
    auto parent_of = [&](const std::string& key) {
        const std::string up = ParentKeyPath(key);
        if (up.size() > 1) {
            auto it = folders.find(up);
            if (it != folders.end()) return it->second;
        }
        return parent;
    };
    const std::vector<TArchiveTreeKey> sorted = keys.Sorted();
    for (const TArchiveTreeKey& k : sorted) {
        if (k.Nested) continue;
        TArchiveNodeData folder;
        folder.Kind = nkFolder;
        folder.Archive = current_archive_;
        folder.Path = k.Key;
        folders[k.Key] =
            AddNode(parent_of(k.Key), KeyCaption(k.Key), closed_icon_, open_icon_, folder, false);
    }
    for (const TArchiveTreeKey& k : sorted) {
        if (!k.Nested) continue;
        const std::string name = KeyCaption(k.Key);
        TArchiveNodeData nested;
        nested.Kind = nkNested;
        nested.Listed = 0;
        nested.Archive = current_archive_;
        nested.Extracted = NestedCopyPath(name);
        nested.Member = k.Member;
        AddNode(parent_of(k.Key), name, archive_icon_, archive_icon_, nested, true);
    }
    Tree->EndUpdate();
}

int TArchiveOperation::Level(TArchiveNode node) {
    int level = 0;
    for (TArchiveNode p = Tree->Parent(node); p; p = Tree->Parent(p))
        ++level;
    return level;
}

bool TArchiveOperation::Extract(const std::string& member, const std::string& target) {
    if (target.empty()) return false;
    // A copy left from an earlier member of the same name must not pass
    // for this one when the extraction fails.
    if (host_.FileExists(target)) host_.RemoveFile(target);
    return Control->ExtractFiles(WorkFolder(), {member}) == kExtractOk;
}

// Each nested archive of the tree gets a copy of its own: a second
// a\inner.zip beside b\inner.zip must not be read from the first one's copy.
// The copies stay directly in the work folder, so they go with it.
std::string TArchiveOperation::NestedCopyPath(const std::string& name) {
    std::string path = WorkPath(name);
    if (path.empty()) return path;
    const std::string stem = ChangeFileExt(name, ""), ext = ExtractFileExt(name);
    for (int n = 2; !nested_copies_.insert(SjisUpperCase(path)).second; ++n)
        path = WorkPath(stem + "(" + std::to_string(n) + ")" + ext);
    return path;
}

// The library writes the member under its own name; a copy that needs
// another name is extracted into a folder of its own first, so that it
// never overwrites the copy of a same-named nested archive.
bool TArchiveOperation::ExtractNested(const std::string& name, const TArchiveNodeData& data) {
    if (data.Extracted.empty()) return false;
    if (SjisSameText(data.Extracted, WorkPath(name))) return Extract(data.Member, data.Extracted);
    if (host_.FileExists(data.Extracted)) host_.RemoveFile(data.Extracted);
    const std::string staging = WorkPath(kNestedStagingFolder);
    if (!host_.DirectoryExists(staging) && !host_.MakeFolder(staging)) return false;
    const std::string staged = IncludeTrailingBackslash(staging) + name;
    if (host_.FileExists(staged)) host_.RemoveFile(staged);
    const bool ok = Control->ExtractFiles(staging, {data.Member}) == kExtractOk &&
                    host_.FileExists(staged) && host_.RenameFile(staged, data.Extracted);
    if (host_.FileExists(staged)) host_.RemoveFile(staged);
    host_.RemoveFolder(staging);
    return ok;
}

bool TArchiveOperation::OnExpanding(TArchiveNode node) {
    if (!Control || !Tree || !node) return false;
    TArchiveNodeData* data = Tree->Data(node);
    if (!data) return false;
    if (data->Kind != nkNested || data->Listed) return true;

    // The node keeps the archive that holds it and its full member name,
    // so this works at any depth and inside folders.
    if (SetArchive(data->Archive)) ExtractNested(Tree->Text(node), *data);
    if (!data->Extracted.empty() && SetArchive(data->Extracted)) {
        Update(node);
    } else if (!host_.FileExists(data->Extracted)) {
        NotFoundBox(data->Extracted);
    }

    data->Listed = 1;
    const bool has_children = Tree->FirstChild(node) != nullptr;
    Tree->SetHasChildren(node, has_children);
    if (!Tree->HasChangeHandler()) ShowList(node);
    return has_children;
}

int TArchiveOperation::IconOf(const std::string& name) {
    // The shell answers by extension alone here, so one question per extension.
    const std::string ext = SjisUpperCase(ExtractFileExt(name));
    auto it = icons_by_extension_.find(ext);
    if (it != icons_by_extension_.end()) return it->second;
    const int icon = host_.SmallIconIndex(name);
    icons_by_extension_[ext] = icon;
    return icon;
}

void TArchiveOperation::ShowList(TArchiveNode node) {
    if (!Tree || !node || !List) return;
    List->BeginRows();
    rows_.clear();
    const TArchiveNodeData* data = Tree->Data(node);
    if (!data) {
        List->EndRows(0);
        return;
    }
    const std::string key =
        SjisUpperCase(data->Kind == nkNested && Level(node) != 0 ? data->Extracted : data->Archive);
    THostHourglass hourglass(host_);
    for (const TArchiveCacheRecord& r : cache_) {
        if (r.Archive != key) continue;
        if (data->Kind != nkAllFiles && r.Path != data->Path) continue;
        TArchiveRow row;
        row.Caption = r.Name;
        row.SubItems = {ArchiveSizeText(r.UnpackedSize),   r.TypeName,
                        ArchiveSizeText(r.CompressedSize), ArchiveRatioText(r.Ratio),
                        ArchiveDateTimeText(r.DateTime),   r.LibraryPath};
        row.Archive = key;
        row.Name = r.Name;
        row.Path = r.LibraryPath;
        row.Encrypted = r.Encrypted;
        row.TooLarge = r.UnpackedSize > MaxMemberSize;
        row.ImageIndex = IconOf(r.Name);
        rows_.push_back(std::move(row));
    }
    List->EndRows(static_cast<int>(rows_.size()));
}

bool TArchiveOperation::ExtractItem(const TArchiveRow* row) {
    if (!row) return false;
    last_encrypted_ = false;
    if (IsArchiveName(row->Caption)) return true;
    if (!Control) return true;
    last_extracted_ = WorkPath(row->Caption);
    if (row->Encrypted || row->TooLarge) {
        // An older copy of the same name must not be previewed in its place.
        last_encrypted_ = row->Encrypted;
        if (!last_extracted_.empty() && host_.FileExists(last_extracted_))
            host_.RemoveFile(last_extracted_);
        return true;
    }
    // Members are extracted without their folders, so this is where it lands.
    if (SetArchive(row->Archive))
        Extract(row->Path + row->Caption, last_extracted_);
    else if (!last_extracted_.empty() && host_.FileExists(last_extracted_))
        host_.RemoveFile(last_extracted_);
    return true;
}

bool TArchiveOperation::ArchiveEncrypted() const {
    return Control != nullptr && Control->HeadersEncrypted();
}

std::string TArchiveOperation::LastExtracted() {
    return !last_extracted_.empty() && host_.FileExists(last_extracted_) ? last_extracted_
                                                                         : std::string();
}

bool TArchiveOperation::IsArchiveName(const std::string& name) const {
    const std::string ext = SjisUpperCase(ExtractFileExt(name));
    if (ext.empty()) return false;
    const TSupportArchives support = Control ? Control->SupportArchives : kAllSupportArchives;
    std::string list;
    for (const auto& e : kArchiveExtensions) {
        if (support.Contains(e.type)) list += e.entry;
    }
    return list.find(ext + " ") != std::string::npos;
}

void TArchiveOperation::SelectNodeByName(const std::string& name) {
    if (!Tree) return;
    const std::string upper = SjisUpperCase(name);
    for (TArchiveNode n = Tree->First(); n; n = Tree->Next(n)) {
        if (SjisUpperCase(Tree->Text(n)) == upper) Tree->Select(n);
    }
}

bool TArchiveOperation::SelectNestedNode(const TArchiveRow& row) {
    if (!Tree) return false;
    const std::string member = row.Path + row.Caption;
    for (TArchiveNode n = Tree->First(); n; n = Tree->Next(n)) {
        const TArchiveNodeData* d = Tree->Data(n);
        if (d && d->Kind == nkNested && d->Archive == row.Archive && d->Member == member) {
            Tree->Select(n);
            return true;
        }
    }
    return false;
}

void TArchiveOperation::ClearTree() {
    if (Tree) Tree->Clear();
    node_data_.clear();
    nested_copies_.clear();
}

void TArchiveOperation::ClearList() {
    if (List) {
        List->BeginRows();
        rows_.clear();
        List->EndRows(0);
    } else {
        rows_.clear();
    }
}
