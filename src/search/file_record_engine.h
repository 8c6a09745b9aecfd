// The portable half of the folder listing and search engine: records,
// row texts, details on demand, sorting and the recursive search. What it
// needs of the windows (labels, the list view's item count, the cursor,
// pending messages, the shell's type names) it asks through virtual hooks,
// which the Win32 engine fills in and the tests fake.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "search/file_info.h"
#include "search/file_transact.h"

// Text and icon of one row as the list view asks for them.
struct TRowData {
    std::string Caption;
    int ImageIndex = 0;
    std::vector<std::string> SubItems; // only in report view
};

class TFileRecordEngine : public TFileTransact {
public:
    explicit TFileRecordEngine(TFilePlatform& platform);

    std::vector<std::unique_ptr<TFileInfo>> Results;
    bool IncludeFolders = false;
    int HitCount = 0;
    bool Cancelled = false;
    bool Recursive = true;
    // Rows of the search form: the fifth column shows the folder (and sorts
    // by it) instead of the attribute letters.
    bool SearchRows = false;
    bool SortDirections[5] = {};

    int RecordCount() const { return static_cast<int>(Results.size()); }
    // The folder listing: clears records and lists, then lists Folder.
    void Execute() override;
    // The search of Folder (and its sub-folders when Recursive).
    void Search();
    // Type names and icons of records from..to (inclusive) not yet filled.
    void FillDetails(int from, int to);
    // Text and icon of one row; sub-items only for report view.
    TRowData RowData(int index, bool report);
    void SortByColumn(int column);
    std::string PathOf(int index) const;
    void SortByName(); // ascending, as the file list shows a new folder

    static const char* const kUnsetLabelsError;

protected:
    // --- what the windows provide ----------------------------------------
    virtual bool ProgressLabelsSet() { return true; }
    virtual void ShowError(const std::string& /*text*/) {}
    virtual void ShowSearching(const std::string& /*text*/) {}
    virtual void ShowHitCount(const std::string& /*text*/) {}
    // One folder of a search is done (and the search itself at the end).
    virtual void FolderDone() {}
    virtual void ProcessMessages() {}
    virtual int ViewItemCount() { return 0; }
    virtual void SetViewItemCount(int /*count*/) {}
    virtual void BeginBusy() {}
    virtual void EndBusy() {}
    virtual void AfterSort() {}
    // Type name and small icon index by name alone.
    virtual void QueryShellDetails(const std::string& /*name*/, std::string& typeName, int& icon) {
        typeName.clear();
        icon = 0;
    }

private:
    std::unique_ptr<TFileInfo> MakeRecord(const std::string& folderPrefix, const TFoundEntry& e,
                                          bool flag);
    void FillOne(TFileInfo& r);
    // Searches one folder and, when asked, walks its sub-folders.
    void SearchFolder(const std::string& folder, bool walk);
};
