// The folder listing and search engine bound to its windows: the owner-data
// list view that shows the records, the two progress labels of a search,
// the hourglass, pending messages and the shell's type names and icons.
#pragma once
#include "search/file_record_engine.h"
#include "ui/list_view.h"

class TLabel;

class TFileTransactEx : public TFileRecordEngine {
public:
    TFileTransactEx();
    explicit TFileTransactEx(TFilePlatform& platform);

    TListView* ListView() const { return listView_; }
    // Stores the list and gives it the system's small and large image lists.
    void SetListView(TListView* list);
    TLabel* lSearching = nullptr; // which folder is searched (not owned)
    TLabel* lHitCount = nullptr;  // number of hits (not owned)

    // The system image lists, from the shell for the system folder (or the
    // program's folder when that one is missing).
    static HIMAGELIST SystemImages(bool small);

protected:
    bool ProgressLabelsSet() override;
    void ShowError(const std::string& text) override;
    void ShowSearching(const std::string& text) override;
    void ShowHitCount(const std::string& text) override;
    void FolderDone() override;
    void ProcessMessages() override;
    int ViewItemCount() override;
    void SetViewItemCount(int count) override;
    void BeginBusy() override;
    void EndBusy() override;
    void AfterSort() override;
    void QueryShellDetails(const std::string& name, std::string& typeName, int& icon) override;

private:
    // The labels are repainted at most every few hundredths of a second:
    // a search finds tens of thousands of files a second, and painting each
    // count would take longer than finding it. The last texts always show.
    void PaintProgress(bool force);
    std::string searchingText_, hitText_;
    bool progressPending_ = false;
    DWORD lastPaint_ = 0;
    TListView* listView_ = nullptr;
    int savedCursor_ = 0;
    int busyDepth_ = 0;
};
