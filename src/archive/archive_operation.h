// TArchiveOperation: the logic of the archive pane. Opens the archive the
// preview routes to the pane, keeps a cache of member records for it and
// for the archives nested in it that were opened while browsing, builds
// the member tree (archive, folders, an all-files entry, nested archives),
// fills the member list for a tree node, extracts a chosen member into the
// work folder for preview, and empties the work folder when it goes.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "archive/archive_operation_ports.h"

class TArchiveControl;
class TFilePlatform;

// One member of an archive opened while browsing, in listing order.
struct TArchiveCacheRecord {
    std::string Archive; // upper-cased path of the archive when the record was added
    std::string Name;
    // Folder with '/' separators and a trailing '/', empty at the root.
    std::string Path;
    // The folder as the library reported it; extraction asks for this one.
    std::string LibraryPath;
    std::uint64_t UnpackedSize = 0;
    std::uint64_t CompressedSize = 0;
    std::uint16_t Ratio = 0; // per mille
    double DateTime = 0.0;
    std::string TypeName;
    bool Encrypted = false; // only its password would give its contents
    bool Used = false;      // placed in the tree
};

extern const char kAllFilesCaption[]; // "[ALL Files:]"

class TArchiveOperation {
public:
    // `files` empties the work folder at the end; both must outlive the operation.
    TArchiveOperation(TArchiveOperationHost& host, TFilePlatform& files);
    ~TArchiveOperation();
    TArchiveOperation(const TArchiveOperation&) = delete;
    TArchiveOperation& operator=(const TArchiveOperation&) = delete;

    TArchiveControl* Control = nullptr;
    TArchiveTreePort* Tree = nullptr;
    TArchiveListPort* List = nullptr;
    bool ClearWorkFolderOnDestroy = false;
    bool ExpandOnOpen = true;
    // Largest member this build extracts: the 32-bit build's libraries
    // describe members and their progress in 32 bits.
    std::uint64_t MaxMemberSize = sizeof(void*) < 8 ? 0xFFFFFFFFull : ~0ull;

    // The work folder counts only while it exists, is longer than 3
    // characters and holds a "$"; otherwise it reads as empty.
    void SetWorkFolder(const std::string& folder) { work_folder_ = folder; }
    std::string WorkFolder();
    // System image-list indices of the tree's pictures.
    void SetIcons(int closed_folder, int open_folder, int archive);

    // Shows an archive: a fresh cache and tree, opened as far as its folders go.
    void Open(const std::string& path);
    // Whether a node may expand; opens a nested archive on first use.
    bool OnExpanding(TArchiveNode node);
    // Fills the member list with the members of a node.
    void ShowList(TArchiveNode node);
    // Extracts the member of a row for preview; true whenever a row was given.
    bool ExtractItem(const TArchiveRow* row);
    // The member extracted last, if that file exists; empty otherwise.
    std::string LastExtracted();
    // The last row given to ExtractItem was an encrypted member, which is
    // never extracted: without its password it would come out as noise.
    bool LastWasEncrypted() const { return last_encrypted_; }
    // The archive opened last has encrypted headers: it shows no members.
    bool ArchiveEncrypted() const;
    // The name's extension is one of the formats the control accepts.
    bool IsArchiveName(const std::string& name) const;
    // Selects every node captioned `name` (any letter case), in tree order.
    void SelectNodeByName(const std::string& name);
    // Selects the node of the nested archive a row stands for (the same
    // member of the same archive); false when there is none.
    bool SelectNestedNode(const TArchiveRow& row);

    const std::string& CurrentArchive() const { return current_archive_; }
    const std::vector<TArchiveCacheRecord>& Cache() const { return cache_; }
    // The list's rows; the list may reorder them.
    std::vector<TArchiveRow>& Rows() { return rows_; }

private:
    bool SetArchive(const std::string& path);
    void Update(TArchiveNode node);
    void AddCache();
    void BuildTree(TArchiveNode node);
    TArchiveNode AddNode(TArchiveNode parent, const std::string& text, int image, int selected,
                         TArchiveNodeData data, bool has_children);
    void ClearTree();
    void ClearList();
    int Level(TArchiveNode node);
    std::string WorkPath(const std::string& name);
    bool Extract(const std::string& member, const std::string& target);
    std::string NestedCopyPath(const std::string& name);
    bool ExtractNested(const std::string& name, const TArchiveNodeData& data);
    void NotFoundBox(const std::string& path);
    int IconOf(const std::string& name);

    TArchiveOperationHost& host_;
    TFilePlatform& files_;
    std::string current_archive_;
    std::string work_folder_;
    std::string last_extracted_;
    bool last_encrypted_ = false;
    std::vector<TArchiveCacheRecord> cache_;
    std::vector<std::unique_ptr<TArchiveNodeData>> node_data_;
    // Upper-cased work-folder paths given to the tree's nested archives.
    std::set<std::string> nested_copies_;
    std::vector<TArchiveRow> rows_;
    std::map<std::string, int> icons_by_extension_;
    int closed_icon_ = 0, open_icon_ = 0, archive_icon_ = 0;
};
