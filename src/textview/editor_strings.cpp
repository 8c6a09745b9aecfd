#include "textview/editor_strings.h"

#include "textview/editor_host.h"
#include "textview/screen_strings.h"

namespace {
// Keeps the update bracket balanced when loading throws.
class UpdateBracket {
public:
    explicit UpdateBracket(TTextEditorStrings& lines) : lines_(lines) { lines_.BeginUpdate(); }
    ~UpdateBracket() { lines_.EndUpdate(); }

private:
    TTextEditorStrings& lines_;
};
} // namespace

TTextEditorStrings::TTextEditorStrings(TTextEditorScreenStrings& list)
    : list_(list), host_(*list.Editor()) {}

int TTextEditorStrings::Count() const {
    const TTextEditorScreenStrings& list = list_;
    if (!host_.WordWrap()) return list.Count();
    int n = list.Rows().line_ends();
    if (list.Count() > 0 && list.Attribute(list.Count() - 1) == raWrapped) ++n;
    return n;
}

int TTextEditorStrings::LineToRow(int i) const {
    const TTextEditorScreenStrings& list = list_;
    if (!host_.WordWrap()) return i < 0 ? 0 : i;
    if (i < 1) return 0;
    int r = list.Rows().nth_line_end(i - 1);
    return r < 0 ? list.Count() : r + 1;
}

int TTextEditorStrings::RowsOfLine(int i) const {
    const TTextEditorScreenStrings& list = list_;
    int first = LineToRow(i);
    if (first >= list.Count()) return 0;
    return list.LastRowOfLine(first) - first + 1;
}

std::string TTextEditorStrings::Get(int i) const {
    const TTextEditorScreenStrings& list = list_;
    if (i < 0) return {};
    if (!host_.WordWrap()) return i < list.Count() ? std::string(list.Strings(i)) : std::string();
    int row = LineToRow(i);
    if (row >= list.Count()) return {};
    std::string s = list.RangeText(row, -1);
    while (!s.empty() && s.back() == '\n') s.erase(s.size() >= 2 ? s.size() - 2 : 0);
    return s;
}

void TTextEditorStrings::Put(int i, std::string_view s) {
    TTextEditorScreenStrings& list = list_;
    int first = LineToRow(i);
    if (i < 0 || first >= list.Count()) return;
    int last = list.LastRowOfLine(first);
    std::string text(s);
    if (list.Attribute(last) == raCrlf) text += "\r\n";
    list.ReplaceRows(first, last - first + 1, text);
}

int TTextEditorStrings::Add(std::string_view s) {
    TTextEditorScreenStrings& list = list_;
    int before = Count();
    int n = list.Count();
    if (n > 0 && list.Attribute(n - 1) != raCrlf) {
        std::string text(list.Strings(n - 1));
        text += "\r\n";
        text.append(s.data(), s.size());
        list.ReplaceRows(n - 1, 1, text);
    } else {
        std::string text(s);
        text += "\r\n";
        list.ReplaceRows(n, 0, text);
    }
    return before;
}

void TTextEditorStrings::Insert(int i, std::string_view s) {
    TTextEditorScreenStrings& list = list_;
    int row = LineToRow(i);
    if (row >= list.Count()) {
        Add(s);
        return;
    }
    std::string text(s);
    text += "\r\n";
    list.ReplaceRows(row, 0, text);
}

void TTextEditorStrings::Delete(int i) {
    TTextEditorScreenStrings& list = list_;
    int first = LineToRow(i);
    if (i < 0 || first >= list.Count()) return;
    list.ReplaceRows(first, RowsOfLine(i), std::string_view());
}

void TTextEditorStrings::Clear() {
    host_.EndSelection();
    list_.Clear();
    host_.SetCaret(0, 0);
    if (update_count_ == 0) host_.RecalcMetrics();
}

std::string TTextEditorStrings::Text() const { return list_.GetText(); }

void TTextEditorStrings::SetText(std::string_view s) {
    UpdateBracket bracket(*this);
    Clear();
    list_.SetText(s);
}

void TTextEditorStrings::LoadFromFile(const std::string& file_name) {
    // A file too large to hold leaves the text that is shown.
    TTextEditorScreenStrings::CheckLoadable(file_name);
    UpdateBracket bracket(*this);
    Clear();
    list_.LoadFromFile(file_name);
}

void TTextEditorStrings::LoadFromFile(const std::string& file_name, TTextEncoding encoding) {
    TTextEditorScreenStrings::CheckLoadable(file_name);
    UpdateBracket bracket(*this);
    Clear();
    list_.LoadFromFile(file_name, encoding);
}

void TTextEditorStrings::Assign(const TTextEditorStrings& source) {
    if (&source == this) return;
    SetText(source.Text());
    host_.SetCaret(list_.Count(), 0);
}

void TTextEditorStrings::Assign(const std::vector<std::string>& source) {
    UpdateBracket bracket(*this);
    Clear();
    for (const std::string& s : source) Add(s);
}

std::vector<std::string> TTextEditorStrings::Strings() const {
    std::vector<std::string> out;
    int n = Count();
    out.reserve(n);
    for (int i = 0; i < n; ++i) out.push_back(Get(i));
    return out;
}

void TTextEditorStrings::BeginUpdate() {
    ++update_count_;
    list_.BeginUpdate();
    host_.LinesUpdating(true);
}

void TTextEditorStrings::EndUpdate() {
    if (update_count_ == 0) return;
    --update_count_;
    list_.EndUpdate();
    host_.LinesUpdating(false);
    if (update_count_ == 0) host_.RecalcMetrics();
}
