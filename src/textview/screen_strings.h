// The row list of the text view: screen rows with their data words, the
// single edit primitive ReplaceRows, word wrap of the whole list, lazy
// bracket states and the undo recorder.
#pragma once
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/files.h"
#include "base/text_encoding.h"
#include "textview/text_string_list.h"
#include "textview/text_wrapper.h"
#include "textview/wrap_option.h"

class TTextEditorHost;
class TTextEditorUndoObj;

// The file is larger than a whole load may take (kMaxLoadBytes).
class ETextTooLarge : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TUpdateInfo {
    int FirstRow = 0;
    int OldCount = 0;
    int NewCount = 0;
    bool Updated = false;
};

class TTextEditorScreenStrings : public TTextEditorStringList {
public:
    explicit TTextEditorScreenStrings(TTextEditorHost* editor);
    ~TTextEditorScreenStrings() override;

    TTextEditorHost* Editor() const { return editor_; }
    const TUpdateInfo& UpdateInfo() const { return update_info_; }
    void SetUpdateInfo(int first, int old_count, int new_count);
    TTextEditorWrapOption& WrapOption() { return *wrap_option_; }
    const TTextEditorWrapOption& WrapOption() const { return *wrap_option_; }
    TTextEditorUndoObj& UndoObj() { return *undo_; }
    bool Rewrapping() const { return rewrapping_; }

    // -2 for rows past the window of valid states. After a whole recompute
    // the states are stored only as far as rows are read: reading a row's
    // state scans the rows before it that were not read yet.
    int BracketState(int i) const;

    // Rows First..First+N-1 joined, CR LF after each raCrlf row. N = -1
    // takes rows up to and including the first that is not raWrapped.
    std::string RangeText(int first, int n, int* taken = nullptr,
                          TRowAttribute* last_attribute = nullptr) const;
    int FirstRowOfLine(int row) const;
    int LastRowOfLine(int row) const;

    // Every change passes here: replaces rows Index..Index+Count-1 by S
    // (which may hold line breaks), re-wraps and records undo.
    void ReplaceRows(int index, int count, std::string_view s);

    // Replaces the rows of target by the rows of s (one empty row for an
    // empty s), wrapped with the current settings.
    void WrapText(std::string_view s, TTextEditorStringList& target);
    int RowCountOfLine(std::string_view line);
    void WrapAll();
    void UnwrapAll();

    void UpdateBrackets(int row, bool invalidate);
    // Rows are scanned when their states are first read (BracketState),
    // front to back, each once.
    void RecomputeAllBrackets();

    // Text set: split at line breaks, every row raCrlf.
    void SetText(std::string_view s);
    std::string GetText() const;
    // Throws EFOpenError when the file cannot be opened, and ETextTooLarge,
    // without reading or changing anything, when it is larger than
    // kMaxLoadBytes.
    void LoadFromFile(const std::string& file_name);
    // The same for a file in another encoding, shown in CP932
    // (cp932_converter.h); Shift-JIS loads as above.
    void LoadFromFile(const std::string& file_name, TTextEncoding encoding);
    // A 32-bit process has 2 GB for everything; the text and its rows must fit.
    static constexpr std::int64_t kMaxLoadBytes =
        sizeof(void*) < 8 ? std::int64_t(1) << 30 : std::int64_t(1) << 36;
    // Throws ETextTooLarge when the file is larger than kMaxLoadBytes.
    static void CheckLoadable(const std::string& file_name);

    void Clear();
    void BeginUpdate();
    void EndUpdate();
    void Changed();

    void Undo();
    void Redo();

    // Used by the undo recorder.
    void DeleteRows(int first, int count);
    // Moves the rows of `rows` (texts and data words) in before row `at`;
    // `rows` is left empty.
    void InsertRows(int at, TTextEditorStringList& rows);

    // Moves the row texts into a fresh arena when the old one holds more
    // waste than text. Views of row texts taken before a change of the
    // list do not outlive it.
    void CompactIfWasteful();
    static constexpr std::uint64_t kCompactionSlack = 1024 * 1024;

private:
    // Puts back the rows of the newest undo (or redo) record and records
    // the rows it replaced as the inverse.
    void Replay(bool redo);
    [[noreturn]] static void ThrowTooLarge(const std::string& file_name);
    TextWrapper MakeWrapper() const;
    void WrapOptionChanged();
    // Stores the states of the rows not read yet up to `row`.
    void StoreLazyStates(int row);
    // Stores every state still pending: before rows change, the states of
    // the old text must be there, as an eager scan would have left them.
    void FinishLazyStates();
    void DropLazyStates();
    // The bytes of rows first..last as one view; joins them in the arena
    // only when they do not already lie side by side.
    std::string_view JoinedRows(const RowArray& rows, int first, int last);
    void SplitInto(std::string_view s, const char* stored);
    void AfterReload();

    TTextEditorHost* editor_;
    TUpdateInfo update_info_;
    std::unique_ptr<TTextEditorWrapOption> wrap_option_;
    std::unique_ptr<TTextEditorUndoObj> undo_;
    bool rewrapping_ = false;
    int update_count_ = 0;
    bool change_pending_ = false;
    // Rows from here on read as not computed: an edit invalidates the rest
    // of the list in O(1) instead of marking every row.
    int valid_end_ = 0;
    // Rows from lazy_from_ to the end are valid but not stored yet; a scan
    // from lazy_state_ at lazy_from_ gives their states. kNoLazyRows when
    // every valid state is stored.
    static constexpr int kNoLazyRows = 0x7FFFFFFF;
    int lazy_from_ = kNoLazyRows;
    int lazy_state_ = -1;
};
