#include "search/file_record_engine.h"

#include <algorithm>

#include "base/sjis.h"
#include "base/strutil.h"
#include "search/search_text.h"

const char* const TFileRecordEngine::kUnsetLabelsError =
    "lSearching,lHitCountが未設定です\r不要な場合は、Visible False の Dummyをアサインしてください";

namespace {
// Pairs the busy hooks also when the work in between throws.
template <typename Engine> class BusyScope {
public:
    BusyScope(Engine& e, void (Engine::*end)()) : e_(e), end_(end) {}
    ~BusyScope() { (e_.*end_)(); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    Engine& e_;
    void (Engine::*end_)();
};

std::string FolderOfPath(const std::string& path) {
    return ExcludeTrailingBackslash(ExtractFilePath(path));
}
} // namespace

TFileRecordEngine::TFileRecordEngine(TFilePlatform& platform) : TFileTransact(platform) {}

std::unique_ptr<TFileInfo> TFileRecordEngine::MakeRecord(const std::string& folderPrefix,
                                                         const TFoundEntry& e, bool flag) {
    auto r = std::make_unique<TFileInfo>();
    r->BaseFolder = Folder();
    r->Name = e.Name;
    r->Path = folderPrefix + e.Name;
    r->Flag = flag;
    r->Size = LowSize(e.Size);
    r->SizeKB = SizeInKB(e.Size);
    r->DateText = DateTimeText(e.WriteTime);
    r->Attributes = e.Attributes;
    return r;
}

void TFileRecordEngine::Execute() {
    Results.clear();
    Files.clear();
    Folders.clear();
    if (!FolderExists()) return;
    const std::string prefix = FolderPrefix();
    ForEachEntry(MaskPattern(), [&](const TFoundEntry& e) {
        const bool dir = (e.Attributes & faDirectory) != 0;
        Add(e);
        if (!dir || IncludeFolders) Results.push_back(MakeRecord(prefix, e, dir));
        return true;
    });
    SortLists();
}

void TFileRecordEngine::Search() {
    if (!ProgressLabelsSet()) {
        ShowError(kUnsetLabelsError);
        return;
    }
    Results.clear();
    HitCount = 0;
    Cancelled = false;
    BeginBusy();
    BusyScope<TFileRecordEngine> busy(*this, &TFileRecordEngine::EndBusy);
    SetViewItemCount(0);
    SearchFolder(Folder(), Recursive);
    SetViewItemCount(RecordCount());
    FolderDone();
}

// One pass over the folder finds its hits and its sub-folders; the
// sub-folders are walked afterwards, depth first in the order the platform
// lists them, so the records come folder by folder. Pending messages run
// after each sub-folder, and a cancel ends every walk on the way up: a
// folder once started is always finished.
void TFileRecordEngine::SearchFolder(const std::string& folder, bool walk) {
    ShowSearching(ExtractFileName(ExcludeTrailingBackslash(folder)) + "フォルダを探しています");
    if (!platform_.DirectoryExists(ExcludeTrailingBackslash(folder))) return;
    const std::string prefix = IncludeTrailingBackslash(folder);
    const bool byExtension = UseExtensions();
    const bool anyHits = !byExtension || !Trim(Extensions()).empty();
    std::string mask = Trim(Mask());
    if (mask.empty()) mask = "*.*";
    const std::string upperExtensions = SjisUpperCase(Extensions());
    std::vector<std::string> subFolders;
    platform_.FindEntries(prefix + "*.*", [&](const TFoundEntry& e) {
        if (e.Name.empty() || e.Name == "." || e.Name == "..") return true;
        if (e.Attributes & faDirectory) {
            if (walk) subFolders.push_back(e.Name);
            return true;
        }
        if (!anyHits || (e.Attributes & faVolumeID)) return true;
        if (byExtension) {
            const std::string key = ExtensionKey(e.Name);
            if (Trim(key).empty() || SjisFind(upperExtensions, key) == std::string::npos)
                return true;
        } else if (!platform_.MatchesMask(e.Name, mask)) {
            return true;
        }
        Results.push_back(MakeRecord(prefix, e, true));
        ++HitCount;
        ShowHitCount(Format("%d", HitCount) + "個ヒット");
        return true;
    });
    if (ViewItemCount() != RecordCount()) SetViewItemCount(RecordCount());
    FolderDone();
    for (const std::string& sub : subFolders) {
        SearchFolder(prefix + sub, true);
        ProcessMessages();
        if (Cancelled) return;
    }
}

void TFileRecordEngine::FillOne(TFileInfo& r) {
    std::string type;
    int icon = 0;
    QueryShellDetails(r.Name, type, icon);
    type = Trim(type);
    if (type.empty()) {
        const std::string ext = SjisUpperCase(ExtractFileExt(r.Name));
        type = ext.empty() ? ext : ext.substr(1);
    }
    r.TypeName = type;
    r.IconIndex = icon;
    r.DetailsFilled = true;
}

void TFileRecordEngine::FillDetails(int from, int to) {
    const int n = RecordCount();
    if (n == 0 || from < 0 || to < 0 || from >= n || to >= n) return;
    for (int i = from; i <= to; ++i) {
        if (!Results[i]->DetailsFilled) FillOne(*Results[i]);
    }
}

TRowData TFileRecordEngine::RowData(int index, bool report) {
    TRowData row;
    if (index < 0 || index >= RecordCount()) return row;
    TFileInfo& r = *Results[index];
    // A row can be painted without a hint before it (Wine's list view asks
    // for single rows); it then fills its own details.
    if (!r.DetailsFilled) FillOne(r);
    row.Caption = r.Name;
    row.ImageIndex = r.IconIndex;
    if (report) {
        row.SubItems.push_back(Format("%10d", static_cast<int>(r.Size)));
        row.SubItems.push_back(r.TypeName);
        row.SubItems.push_back(r.DateText);
        row.SubItems.push_back(SearchRows ? FolderOfPath(r.Path) : AttributeLetters(r.Attributes));
    }
    return row;
}

std::string TFileRecordEngine::PathOf(int index) const {
    if (index < 0 || index >= RecordCount()) return "";
    return Results[index]->Path;
}

void TFileRecordEngine::SortByName() {
    std::stable_sort(Results.begin(), Results.end(),
                     [](const auto& a, const auto& b) { return UpperLess(a->Name, b->Name); });
}

void TFileRecordEngine::SortByColumn(int column) {
    if (column < 0 || column > 4 || ViewItemCount() <= 0) return;
    BeginBusy();
    BusyScope<TFileRecordEngine> busy(*this, &TFileRecordEngine::EndBusy);
    SortDirections[column] = !SortDirections[column];
    const bool ascending = SortDirections[column];
    if (column == 2 && !Results.empty()) FillDetails(0, RecordCount() - 1);
    // Keys are made once per record, not once per comparison.
    struct Keyed {
        std::string text;
        long long number = 0;
        std::unique_ptr<TFileInfo> record;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(Results.size());
    const bool numeric = column == 1 || (column == 4 && !SearchRows);
    for (auto& r : Results) {
        Keyed k;
        switch (column) {
        case 0:
            k.text = SjisUpperCase(r->Name);
            break;
        case 1:
            k.number = r->Size;
            break;
        case 2:
            k.text = SjisUpperCase(r->TypeName);
            break;
        case 3:
            k.text = SjisUpperCase(r->DateText);
            break;
        default:
            if (SearchRows) {
                k.text = SjisUpperCase(FolderOfPath(r->Path));
            } else {
                k.number = r->Attributes;
            }
        }
        k.record = std::move(r);
        keyed.push_back(std::move(k));
    }
    std::stable_sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
        const int c = numeric ? (a.number < b.number   ? -1
                                 : a.number > b.number ? 1
                                                       : 0)
                              : a.text.compare(b.text);
        return ascending ? c < 0 : c > 0;
    });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        Results[i] = std::move(keyed[i].record);
    AfterSort();
}
