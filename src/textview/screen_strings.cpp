#include "textview/screen_strings.h"

#include <algorithm>
#include <cstdio>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <cstring>
#include <vector>

#include "base/cp932_converter.h"
#include "textview/editor_host.h"
#include "textview/text_parser.h"
#include "textview/undo_obj.h"
#include "textview/view_info.h"

namespace {
// The rows a record keeps, cut where they were cut.
void RestoreUndoRows(const TUndoData& r, TTextEditorStringList& target) {
    target.Clear();
    const char* base = target.Arena().Store(r.Text);
    std::size_t at = 0;
    for (const TUndoRow& row : r.Rows) {
        target.AddView(base + at, row.Length, MakeRowData(row.Attribute));
        at += row.Length;
        if (row.Attribute == raCrlf) at += 2;
    }
}

constexpr char kEofMark = 0x1A;

// Size of an open file in bytes, -1 when it cannot be told; the file is
// positioned at its start afterwards.
std::int64_t FileSize(std::FILE* f) {
#ifdef _WIN32
    if (_fseeki64(f, 0, SEEK_END) != 0) return -1;
    const std::int64_t size = _ftelli64(f);
    _fseeki64(f, 0, SEEK_SET);
#else
    if (fseeko(f, 0, SEEK_END) != 0) return -1;
    const std::int64_t size = ftello(f);
    fseeko(f, 0, SEEK_SET);
#endif
    return size;
}

// First CR, LF or end-of-text mark (0x1A) in [p, end), or end.
const char* FindLineBreakOrEof(const char* p, const char* end) {
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i eof = _mm_set1_epi8(kEofMark);
    auto hits = [&](const char* at) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        return _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)),
                            _mm_cmpeq_epi8(v, eof));
    };
    while (end - p >= 16) {
        if (const int mask = _mm_movemask_epi8(hits(p))) return p + __builtin_ctz(mask);
        p += 16;
    }
#else
    // Eight bytes at a time: a zero byte in w ^ c marks a match of c.
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kHigh = 0x8080808080808080ull;
    while (end - p >= 8) {
        std::uint64_t w;
        std::memcpy(&w, p, 8);
        const std::uint64_t lf = w ^ (kOnes * '\n');
        const std::uint64_t cr = w ^ (kOnes * '\r');
        const std::uint64_t eof = w ^ (kOnes * kEofMark);
        if (((lf - kOnes) & ~lf & kHigh) | ((cr - kOnes) & ~cr & kHigh) |
            ((eof - kOnes) & ~eof & kHigh))
            break;
        p += 8;
    }
#endif
    while (p < end && *p != '\n' && *p != '\r' && *p != kEofMark)
        ++p;
    return p;
}

bool HasBrackets(const TTextEditorHost* editor) {
    const TTextEditorViewInfo* view = editor ? editor->ParserView() : nullptr;
    return view && view->Brackets().Count() > 0;
}

// Carries bracket states from row to row. The rows are read where they lie
// and one parser serves every row of a scan, so a scan over the whole text
// neither copies rows nor allocates per row.
class BracketScan {
public:
    BracketScan(TTextEditorHost* editor, const RowArray& rows)
        : editor_(editor), rows_(rows), on_(HasBrackets(editor)),
          wrap_(editor && editor->WordWrap()) {}

    // The state after `row` when it begins in `state`.
    int After(int row, int state) {
        if (!on_) return kBracketNone;
        const RowRec& r = rows_.get(row);
        std::string_view text = r.view();
        if (wrap_ && RowDataAttribute(r.data) == raWrapped && row + 1 < rows_.size()) {
            // A token cut by the wrap is seen whole.
            const std::string_view next = rows_.get(row + 1).view();
            TTextEditorParser first(editor_->ParserView(), -2, next);
            if (first.Token() != tkEnd) {
                const std::size_t take = first.TokenOffset() + first.TokenLength();
                if (next.data() == text.data() + text.size()) {
                    text = std::string_view(text.data(), text.size() + take);
                } else {
                    join_.assign(text.data(), text.size());
                    join_.append(next.data(), take);
                    text = join_;
                }
            }
        }
        if (!parser_) {
            parser_ = editor_->CreateParser(state, text);
        } else {
            if (!parser_->MayChangeBracketState(state, text)) return state;
            parser_->Reset(state, text);
        }
        while (parser_->Token() != tkEnd)
            parser_->NextToken();
        return parser_->BracketState();
    }

private:
    TTextEditorHost* editor_;
    const RowArray& rows_;
    const bool on_, wrap_;
    std::unique_ptr<TTextEditorParser> parser_;
    std::string join_;
};
} // namespace

TTextEditorScreenStrings::TTextEditorScreenStrings(TTextEditorHost* editor)
    : editor_(editor), wrap_option_(std::make_unique<TTextEditorWrapOption>()),
      undo_(std::make_unique<TTextEditorUndoObj>()) {
    wrap_option_->OnChange = [this](TNotifyPersistent&) { WrapOptionChanged(); };
}

TTextEditorScreenStrings::~TTextEditorScreenStrings() = default;

void TTextEditorScreenStrings::SetUpdateInfo(int first, int old_count, int new_count) {
    update_info_ = TUpdateInfo{first, old_count, new_count, true};
}

int TTextEditorScreenStrings::BracketState(int i) const {
    if (i < 0 || i >= Count() || i >= valid_end_) return kBracketUnknown;
    // Reading is what stores a pending state; the list's content, as the
    // caller sees it, does not change.
    if (i >= lazy_from_) const_cast<TTextEditorScreenStrings*>(this)->StoreLazyStates(i);
    return StoredBracketState(i);
}

void TTextEditorScreenStrings::StoreLazyStates(int row) {
    const int end = std::min(row + 1, Count());
    if (lazy_from_ >= end) return;
    BracketScan scan(editor_, rows_);
    int state = lazy_state_;
    for (int i = lazy_from_; i < end; ++i) {
        SetBracketState(i, state);
        state = scan.After(i, state);
    }
    lazy_state_ = state;
    lazy_from_ = end < Count() ? end : kNoLazyRows;
}

void TTextEditorScreenStrings::FinishLazyStates() {
    if (lazy_from_ != kNoLazyRows) StoreLazyStates(Count() - 1);
}

void TTextEditorScreenStrings::DropLazyStates() {
    lazy_from_ = kNoLazyRows;
    lazy_state_ = kBracketNone;
}

void TTextEditorScreenStrings::BeginUpdate() {
    ++update_count_;
}

void TTextEditorScreenStrings::EndUpdate() {
    if (update_count_ == 0 || --update_count_ > 0) return;
    if (change_pending_) {
        change_pending_ = false;
        if (editor_) editor_->ListChanged();
    }
    update_info_.Updated = false;
}

void TTextEditorScreenStrings::Changed() {
    if (update_count_ > 0) {
        change_pending_ = true;
        return;
    }
    if (editor_) editor_->ListChanged();
}

std::string TTextEditorScreenStrings::RangeText(int first, int n, int* taken,
                                                TRowAttribute* last_attribute) const {
    std::string out;
    int count = 0;
    TRowAttribute last = raInvalid;
    if (first >= 0) {
        for (int i = first; i < Count(); ++i) {
            if (n >= 0 && count >= n) break;
            const RowRec& r = rows_.get(i);
            out.append(r.text, r.length);
            last = RowDataAttribute(r.data);
            if (last == raCrlf) out.append("\r\n");
            ++count;
            if (n < 0 && last != raWrapped) break;
        }
    }
    if (taken) *taken = count;
    if (last_attribute) *last_attribute = last;
    return out;
}

int TTextEditorScreenStrings::FirstRowOfLine(int row) const {
    if (row > Count()) row = Count();
    while (row > 0 && Attribute(row - 1) == raWrapped)
        --row;
    return row;
}

int TTextEditorScreenStrings::LastRowOfLine(int row) const {
    if (row < 0) return row;
    while (row < Count() - 1 && Attribute(row) == raWrapped)
        ++row;
    return row;
}

TextWrapper TTextEditorScreenStrings::MakeWrapper() const {
    return TextWrapper(editor_ && editor_->WordWrap(), *wrap_option_,
                       editor_ ? editor_->TabSpaceCount() : 8,
                       editor_ ? editor_->Delimiters() : DefaultDelimiters());
}

void TTextEditorScreenStrings::WrapText(std::string_view s, TTextEditorStringList& target) {
    target.Clear();
    const char* base = target.Arena().Store(s);
    TextWrapper wrapper = MakeWrapper();
    std::vector<WrapPiece> pieces;
    ForEachTextLine(s, [&](std::size_t off, std::size_t len) {
        pieces.clear();
        wrapper.WrapLine(std::string_view(base + off, len), &pieces);
        for (const WrapPiece& p : pieces)
            target.AddView(base + off + p.offset, p.length, MakeRowData(p.attribute));
    });
    if (target.Count() == 0) target.AddView(base, 0, MakeRowData(raCrlf));
}

int TTextEditorScreenStrings::RowCountOfLine(std::string_view line) {
    return MakeWrapper().WrapLine(line, nullptr);
}

void TTextEditorScreenStrings::DeleteRows(int first, int count) {
    if (first < 0 || count <= 0 || first + count > Count()) return;
    FinishLazyStates();
    rows_.erase(first, count);
    if (valid_end_ > first) valid_end_ = std::max(first, valid_end_ - count);
}

void TTextEditorScreenStrings::InsertRows(int at, TTextEditorStringList& rows) {
    int n = rows.Count();
    if (n == 0 || at < 0 || at > Count()) return;
    FinishLazyStates();
    // The texts move into this list's arena side by side. Taking over the
    // other arena instead would keep a whole chunk for every small edit.
    std::vector<RowRec> recs;
    recs.reserve(n);
    std::size_t total = 0;
    for (int i = 0; i < n; ++i) {
        recs.push_back(rows.Rows().get(i));
        total += recs.back().length;
    }
    char* p = arena_.Allocate(total);
    for (RowRec& r : recs) {
        if (r.length == 0) continue;
        std::memcpy(p, r.text, r.length);
        r.text = p;
        p += r.length;
    }
    rows_.insert(at, recs.data(), n);
    if (valid_end_ > at) valid_end_ += n;
    rows.Clear();
    CompactIfWasteful();
}

void TTextEditorScreenStrings::CompactIfWasteful() {
    // Edits and re-wraps leave the old texts behind in the arena. Once the
    // waste passes what the rows hold (and a slack that spares small
    // texts), the rows move into a fresh arena: each compaction costs a
    // copy of the text, paid for by at least as many wasted bytes, so the
    // arena stays within about twice the text.
    const std::uint64_t live = rows_.text_bytes();
    if (arena_.BytesHeld() <= 2 * live + kCompactionSlack) return;
    TextArena fresh;
    char* p = fresh.Allocate(static_cast<std::size_t>(live));
    rows_.for_each([&p](RowRec& r) {
        if (r.length == 0) {
            r.text = "";
            return;
        }
        std::memcpy(p, r.text, r.length);
        r.text = p;
        p += r.length;
    });
    arena_.Swap(fresh);
}

void TTextEditorScreenStrings::ReplaceRows(int index, int count, std::string_view s) {
    if (index < 0 || count < 0 || index + count - 1 > Count() - 1) return;
    if (count == 0 && s.empty()) return;

    int first = std::max(FirstRowOfLine(index), index - 1);
    // Past an unterminated last row the text continues that row's line, as
    // the text reads; a new row after it would leave an end-of-text row in
    // the middle of the list, which undo cannot put back.
    if (index == Count() && index > 0 && Attribute(index - 1) != raCrlf)
        first = FirstRowOfLine(index - 1);
    const int end_req = index + count - 1;
    int last = end_req >= 0 ? LastRowOfLine(end_req) : -1;
    const int caret_row = editor_ ? editor_->CaretRow() : 0;
    const int caret_col = editor_ ? editor_->CaretCol() : 0;

    if (first == index && last == end_req && s.empty() && count > 0) {
        // Whole logical lines go: no re-wrap needed, rows above stay as they are.
        TUndoData& u = undo_->NewRecord(caret_row, caret_col);
        u.StartRow = index;
        TTextEditorUndoObj::SaveRows(*this, index, count, u);
        DeleteRows(index, count);
        UpdateBrackets(index, true);
        SetUpdateInfo(index, count, 0);
        Changed();
        return;
    }

    TRowAttribute end_attr;
    if (end_req < last) {
        end_attr = Attribute(last);
    } else if (last == Count() - 1) {
        end_attr = !s.empty() && s.back() == '\n' ? raCrlf : raEof;
    } else {
        // Text that does not end with a line break joins the following line.
        last = LastRowOfLine(last + 1);
        end_attr = Attribute(last);
    }

    TUndoData& u = undo_->NewRecord(caret_row, caret_col);
    u.StartRow = first;
    if (last >= first) TTextEditorUndoObj::SaveRows(*this, first, last - first + 1, u);

    std::string text = first < index ? RangeText(first, index - first) : std::string();
    text.append(s.data(), s.size());
    if (last > end_req) text += RangeText(end_req + 1, last - end_req);

    TTextEditorStringList temp;
    WrapText(text, temp);
    temp.SetAttribute(temp.Count() - 1, end_attr);
    const int new_count = temp.Count();
    u.RowCount = new_count;

    const int old_count = last - first + 1;
    DeleteRows(first, old_count);
    InsertRows(first, temp);
    UpdateBrackets(first, true);
    SetUpdateInfo(first, old_count, new_count);
    Changed();
}

void TTextEditorScreenStrings::UpdateBrackets(int row, bool invalidate) {
    const int n = Count();
    if (n == 0) {
        valid_end_ = 0;
        DropLazyStates();
        return;
    }
    row = std::clamp(row, 0, n - 1);
    // Pending states are true states of the text as it is (a change of
    // rows stores them first), so the walk stops at the first one it reads.
    BracketScan scan(editor_, rows_);
    int above = std::min(row - 1, valid_end_ - 1);
    while (above >= 0 && StoredBracketState(above) == kBracketUnknown)
        --above;
    int start = 0, state = kBracketNone;
    if (above >= 0) {
        start = above + 1;
        state = scan.After(above, StoredBracketState(above));
    }
    const int visible = editor_ ? std::max(1, editor_->VisibleRowCount()) : 1;
    const int end =
        static_cast<int>(std::min<long long>(static_cast<long long>(row) + 2LL * visible, n - 1));
    for (int i = start; i <= end; ++i) {
        if (BracketState(i) == state) return; // the rest is consistent
        SetBracketState(i, state);
        if (invalidate && editor_) editor_->InvalidateRow(i);
        state = scan.After(i, state);
    }
    valid_end_ = end + 1;
}

void TTextEditorScreenStrings::RecomputeAllBrackets() {
    if (editor_ && editor_->IsLoading()) return;
    // Every row is valid from here on; the scan from row 0 waits until
    // states are read, which for a large text is mostly never beyond the
    // first screens.
    valid_end_ = Count();
    DropLazyStates();
    if (valid_end_ > 0) lazy_from_ = 0;
}

std::string_view TTextEditorScreenStrings::JoinedRows(const RowArray& rows, int first, int last) {
    const RowRec& f = rows.get(first);
    std::size_t total = f.length;
    bool adjacent = true;
    const char* expect = f.text + f.length;
    for (int i = first + 1; i <= last; ++i) {
        const RowRec& r = rows.get(i);
        adjacent = adjacent && (r.text == expect || r.length == 0);
        if (r.length) expect = r.text + r.length;
        total += r.length;
    }
    if (adjacent && total > 0) return std::string_view(f.text, total);
    char* p = arena_.Allocate(total);
    std::size_t at = 0;
    for (int i = first; i <= last; ++i) {
        const RowRec& r = rows.get(i);
        if (r.length) std::memcpy(p + at, r.text, r.length);
        at += r.length;
    }
    return std::string_view(p, total);
}

void TTextEditorScreenStrings::WrapAll() {
    if (editor_ && editor_->IsLoading()) return;
    if (editor_) editor_->EndSelection();
    TextWrapper wrapper = MakeWrapper();
    RowArray out;
    std::vector<WrapPiece> pieces;
    const int n = Count();
    for (int i = 0; i < n;) {
        int j = i;
        while (j < n - 1 && RowDataAttribute(rows_.get(j).data) == raWrapped)
            ++j;
        TRowAttribute last_attr = RowDataAttribute(rows_.get(j).data);
        std::string_view line = JoinedRows(rows_, i, j);
        pieces.clear();
        wrapper.WrapLine(line, &pieces);
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            TRowAttribute a = k + 1 == pieces.size() ? last_attr : pieces[k].attribute;
            out.push_back(RowRec{line.data() + pieces[k].offset, pieces[k].length, MakeRowData(a)});
        }
        rows_.release_before(j + 1);
        i = j + 1;
    }
    rows_.swap(out);
    CompactIfWasteful();
    valid_end_ = 0;
    DropLazyStates();
    RecomputeAllBrackets();
    if (editor_) editor_->AfterRewrap();
    SetUpdateInfo(0, n, Count());
    Changed();
}

void TTextEditorScreenStrings::UnwrapAll() {
    if (editor_) editor_->EndSelection();
    RowArray out;
    const int n = Count();
    for (int i = 0; i < n;) {
        int j = i;
        while (j < n - 1 && RowDataAttribute(rows_.get(j).data) == raWrapped)
            ++j;
        TRowAttribute a = raCrlf;
        if (j == n - 1) {
            a = RowDataAttribute(rows_.get(j).data);
            if (a == raWrapped) a = raEof;
        }
        std::string_view line = JoinedRows(rows_, i, j);
        out.push_back(RowRec{line.data(), static_cast<std::uint32_t>(line.size()), MakeRowData(a)});
        rows_.release_before(j + 1);
        i = j + 1;
    }
    rows_.swap(out);
    CompactIfWasteful();
    valid_end_ = 0;
    DropLazyStates();
    RecomputeAllBrackets();
    if (editor_) editor_->AfterRewrap();
    SetUpdateInfo(0, n, Count());
    Changed();
}

void TTextEditorScreenStrings::WrapOptionChanged() {
    if (!editor_ || !editor_->WordWrap() || editor_->IsLoading()) return;
    undo_->Clear();
    rewrapping_ = true;
    WrapAll();
    rewrapping_ = false;
    editor_->SetCaret(editor_->CaretRow(), 0);
}

void TTextEditorScreenStrings::SplitInto(std::string_view s, const char* stored) {
    ForEachTextLine(s, [&](std::size_t off, std::size_t len) {
        AddView(stored + off, len, MakeRowData(raCrlf));
    });
}

void TTextEditorScreenStrings::AfterReload() {
    valid_end_ = 0;
    DropLazyStates();
    if (editor_ && editor_->WordWrap())
        WrapAll();
    else
        RecomputeAllBrackets();
}

void TTextEditorScreenStrings::SetText(std::string_view s) {
    BeginUpdate();
    Clear();
    SplitInto(s, arena_.Store(s));
    AfterReload();
    SetUpdateInfo(0, 0, Count());
    Changed();
    EndUpdate();
}

std::string TTextEditorScreenStrings::GetText() const {
    std::string out;
    out.reserve(static_cast<std::size_t>(rows_.text_bytes()) +
                2 * static_cast<std::size_t>(Count()));
    for (int i = 0; i < Count(); ++i) {
        const RowRec& r = rows_.get(i);
        out.append(r.text, r.length);
        if (RowDataAttribute(r.data) == raCrlf) out.append("\r\n");
    }
    return out;
}

namespace {
// Cuts the text of a file into rows while the file is read, so every piece
// is split while it is still in the cache. Rows go to the list in batches,
// which costs less than one at a time. 0x1A marks the end of the text;
// anything after it is ignored.
class LineSplitter {
public:
    explicit LineSplitter(RowArray& rows) : rows_(rows) {}

    // Splits what has arrived of text[0, avail). Answers true at the end
    // mark. Unless `last`, a trailing CR waits for the byte after it, and
    // the unfinished line waits for the rest.
    bool Feed(const char* text, std::size_t avail, bool last) {
        const char* const end = text + avail;
        for (;;) {
            const char* e = NextBreak(text + scan_, end);
            if (e == end) {
                scan_ = avail;
                if (last && pos_ < avail) Add(text + pos_, avail - pos_, raEof);
                Flush();
                return false;
            }
            if (*e == kEofMark) {
                if (e > text + pos_) Add(text + pos_, e - (text + pos_), raEof);
                Flush();
                return true;
            }
            if (*e == '\r' && e + 1 == end && !last) {
                scan_ = e - text;
                Flush();
                return false;
            }
            Add(text + pos_, e - (text + pos_), raCrlf);
            std::size_t next = e - text + 1;
            if (*e == '\r' && next < avail && text[next] == '\n') ++next;
            pos_ = scan_ = next;
        }
    }

    // Where the line that is not finished yet starts.
    std::size_t PendingStart() const { return pos_; }

private:
#if defined(__SSE2__)
    // The breaks of 64 bytes at a time as the bits of one word: a row end
    // costs a bit scan, not a search of its own.
    static std::uint64_t BreakMask(const char* at) {
        const __m128i cr = _mm_set1_epi8('\r');
        const __m128i lf = _mm_set1_epi8('\n');
        const __m128i eof = _mm_set1_epi8(kEofMark);
        std::uint64_t mask = 0;
        for (int k = 0; k < 4; ++k) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 16 * k));
            const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)),
                                             _mm_cmpeq_epi8(v, eof));
            mask |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm_movemask_epi8(hit)))
                    << (16 * k);
        }
        return mask;
    }

    // First CR, LF or end mark in [p, end), or end.
    const char* NextBreak(const char* p, const char* end) {
        for (;;) {
            if (block_ && p >= block_ && p < block_ + 64) {
                const std::uint64_t m = mask_ & (~std::uint64_t(0) << (p - block_));
                if (m) return block_ + __builtin_ctzll(m);
                p = block_ + 64;
            }
            if (end - p < 64) return FindLineBreakOrEof(p, end);
            block_ = p;
            mask_ = BreakMask(p);
        }
    }
    const char* block_ = nullptr;
    std::uint64_t mask_ = 0;
#else
    static const char* NextBreak(const char* p, const char* end) { return FindLineBreakOrEof(p, end); }
#endif

    void Add(const char* start, std::size_t length, TRowAttribute a) {
        batch_[n_++] = RowRec{start, static_cast<std::uint32_t>(length), MakeRowData(a)};
        if (n_ == kBatch) Flush();
    }
    void Flush() {
        rows_.append(batch_, n_);
        n_ = 0;
    }

    static constexpr int kBatch = 256;
    RowArray& rows_;
    RowRec batch_[kBatch];
    int n_ = 0;
    std::size_t pos_ = 0;  // start of the unfinished line
    std::size_t scan_ = 0; // where the search for its end goes on
};
} // namespace

void TTextEditorScreenStrings::LoadFromFile(const std::string& file_name) {
    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, FileCloser> f(std::fopen(file_name.c_str(), "rb"));
    if (!f) throw EFOpenError(file_name);

    // The whole file goes into one buffer that the rows then point into. Its
    // size is taken in 64 bits: a 32-bit long cannot tell a 2 GB file.
    std::size_t cap = 0;
    const std::int64_t file_size = FileSize(f.get());
    if (file_size > kMaxLoadBytes) ThrowTooLarge(file_name);
    if (file_size > 0) cap = static_cast<std::size_t>(file_size);
    // One spare byte: a read that does not fill the buffer proves the end.
    std::size_t size = cap + 1;
    std::unique_ptr<char[]> buf(new char[size]);

    BeginUpdate();
    struct UpdateGuard {
        TTextEditorScreenStrings& list;
        ~UpdateGuard() { list.EndUpdate(); }
    } guard{*this};
    Clear();
    try {
        constexpr std::size_t kPiece = 512 * 1024;
        LineSplitter splitter(rows_);
        std::size_t used = 0;
        bool streaming = true, at_mark = false;
        for (;;) {
            const std::size_t want = std::min(kPiece, size - used);
            const std::size_t got = std::fread(buf.get() + used, 1, want, f.get());
            used += got;
            if (streaming && (at_mark = splitter.Feed(buf.get(), used, false))) break;
            if (got < want) break;
            if (used == size) {
                // The file is longer than its size said: read on in a larger
                // buffer and split the whole text at the end.
                streaming = false;
                rows_.clear();
                std::size_t grown = size < 8192 ? 8192 : size * 2;
                std::unique_ptr<char[]> bigger(new char[grown]);
                std::memcpy(bigger.get(), buf.get(), used);
                buf = std::move(bigger);
                size = grown;
            }
        }
        f.reset();
        if (!streaming) {
            LineSplitter whole(rows_);
            whole.Feed(buf.get(), used, true);
        } else if (!at_mark) {
            splitter.Feed(buf.get(), used, true);
        }
    } catch (...) {
        // The rows point into the buffer that is about to go.
        rows_.clear();
        throw;
    }
    arena_.Adopt(std::move(buf), size);
    AfterReload();
    SetUpdateInfo(0, 0, Count());
    Changed();
}

void TTextEditorScreenStrings::LoadFromFile(const std::string& file_name, TTextEncoding encoding) {
    if (encoding == teShiftJis) {
        LoadFromFile(file_name);
        return;
    }
    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, FileCloser> f(std::fopen(file_name.c_str(), "rb"));
    if (!f) throw EFOpenError(file_name);
    const std::int64_t file_size = FileSize(f.get());
    if (file_size > kMaxLoadBytes) ThrowTooLarge(file_name);
    const std::size_t expected = file_size > 0 ? static_cast<std::size_t>(file_size) : 0;

    BeginUpdate();
    struct UpdateGuard {
        TTextEditorScreenStrings& list;
        ~UpdateGuard() { list.EndUpdate(); }
    } guard{*this};
    Clear();
    // The file is read in pieces and each piece converted straight into the
    // buffer the rows point into, split while it is still in the cache. Text
    // without damage never grows in CP932, so one buffer as large as the file
    // holds it; broken bytes may double, and when the buffer runs short the
    // line in progress moves on into a second one, sized for the worst of
    // what is left. The rows already made stay where they are.
    constexpr std::size_t kPiece = 512 * 1024;
    const std::size_t piece_size = std::min(kPiece, expected + 1);
    std::unique_ptr<char[]> piece(new char[piece_size]);
    std::vector<std::pair<std::unique_ptr<char[]>, std::size_t>> done;  // full buffers rows point into
    std::size_t cap = expected + TCp932Converter::MaxOutput(piece_size);
    std::unique_ptr<char[]> buf(new char[cap]);
    std::size_t used = 0, consumed = 0;
    int rows_before_buf = 0;
    TCp932Converter converter(encoding);
    try {
        auto splitter = std::make_unique<LineSplitter>(rows_);
        auto make_room = [&](std::size_t need) {
            if (cap - used >= need) return;
            const std::size_t start = splitter->PendingStart();
            const std::size_t pending = used - start;
            const std::size_t left = expected > consumed ? expected - consumed : 0;
            const std::size_t grown = pending + 2 * left + TCp932Converter::MaxOutput(kPiece);
            std::unique_ptr<char[]> next(new char[grown]);
            std::memcpy(next.get(), buf.get() + start, pending);
            if (Count() > rows_before_buf) done.emplace_back(std::move(buf), cap);
            buf = std::move(next);
            cap = grown;
            used = pending;
            rows_before_buf = Count();
            splitter = std::make_unique<LineSplitter>(rows_);
        };
        bool at_mark = false;
        for (;;) {
            const std::size_t got = std::fread(piece.get(), 1, piece_size, f.get());
            if (got == 0) break;
            consumed += got;
            make_room(TCp932Converter::MaxOutput(got));
            used += converter.Convert(piece.get(), got, buf.get() + used);
            if ((at_mark = splitter->Feed(buf.get(), used, false))) break;
        }
        f.reset();
        if (!at_mark) {
            make_room(TCp932Converter::MaxOutput(0));
            used += converter.Finish(buf.get() + used);
            splitter->Feed(buf.get(), used, true);
        }
    } catch (...) {
        // The rows point into the buffers that are about to go.
        rows_.clear();
        throw;
    }
    for (auto& b : done)
        arena_.Adopt(std::move(b.first), b.second);
    arena_.Adopt(std::move(buf), cap);
    AfterReload();
    SetUpdateInfo(0, 0, Count());
    Changed();
}

void TTextEditorScreenStrings::ThrowTooLarge(const std::string& file_name) {
    throw ETextTooLarge("File too large to load \"" + file_name + "\"");
}

void TTextEditorScreenStrings::CheckLoadable(const std::string& file_name) {
    std::FILE* f = std::fopen(file_name.c_str(), "rb");
    if (!f) return;  // the load itself reports that
    const std::int64_t size = FileSize(f);
    std::fclose(f);
    // More than the process can hold: refuse before anything is read.
    if (size > kMaxLoadBytes) ThrowTooLarge(file_name);
}

void TTextEditorScreenStrings::Clear() {
    TTextEditorStringList::Clear();
    undo_->Clear();
    valid_end_ = 0;
    DropLazyStates();
    SetUpdateInfo(0, 0, 0);
    Changed();
}

void TTextEditorScreenStrings::Undo() { Replay(false); }
void TTextEditorScreenStrings::Redo() { Replay(true); }

void TTextEditorScreenStrings::Replay(bool redo) {
    TUndoData r;
    if (!undo_->Take(redo, r)) return;
    TTextEditorHost* editor = Editor();
    BeginUpdate();

    TUndoData inverse;
    inverse.CaretRow = editor ? editor->CaretRow() : 0;
    inverse.CaretCol = editor ? editor->CaretCol() : 0;
    inverse.StartRow = r.StartRow;
    int start = r.StartRow < 0 ? 0 : r.StartRow;
    if (start > Count()) start = Count();

    int removed = 0;
    if (r.RowCount > 0) {
        removed = r.RowCount;
        if (start + removed > Count()) removed = Count() - start;
        TTextEditorUndoObj::SaveRows(*this, start, removed, inverse);
        DeleteRows(start, removed);
    }
    int inserted = 0;
    if (r.EndAttribute != raInvalid) {
        TTextEditorStringList temp;
        RestoreUndoRows(r, temp);
        inserted = temp.Count();
        InsertRows(start, temp);
    }
    inverse.RowCount = inserted;
    UpdateBrackets(start, true);
    SetUpdateInfo(start, removed, inserted);

    undo_->PutInverse(redo, std::move(inverse));
    EndUpdate();
    if (editor) editor->SetCaret(r.CaretRow, r.CaretCol);
}
