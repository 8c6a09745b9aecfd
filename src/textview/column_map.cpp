#include "textview/column_map.h"

#include "base/sjis.h"

const TDelimiterSet& DefaultDelimiters() {
    static const TDelimiterSet set = [] {
        TDelimiterSet s;
        s.set();
        for (int c = '0'; c <= '9'; ++c) s.reset(c);
        for (int c = 'A'; c <= 'Z'; ++c) s.reset(c);
        for (int c = 'a'; c <= 'z'; ++c) s.reset(c);
        s.reset('_');
        for (int c = 0x81; c <= 0x9F; ++c) s.reset(c);
        for (int c = 0xA6; c <= 0xDF; ++c) s.reset(c);
        for (int c = 0xE0; c <= 0xFC; ++c) s.reset(c);
        return s;
    }();
    return set;
}

int TabWidthAt(int col, const ColumnLayout& layout) {
    int t = layout.tab_space_count > 0 ? layout.tab_space_count : 8;
    int w = t - col % t;
    if (layout.wrap_byte > 0) {
        int cut = layout.wrap_byte - col % layout.wrap_byte;
        if (cut < w) w = cut;
    }
    return w;
}

void BuildColumnMap(std::string_view line, const ColumnLayout& layout, std::string& map) {
    const TDelimiterSet& delim = layout.delimiters ? *layout.delimiters : DefaultDelimiters();
    map.clear();
    std::size_t n = line.size();
    for (std::size_t i = 0; i < n;) {
        unsigned char b = static_cast<unsigned char>(line[i]);
        if (b == '\t') {
            int w = TabWidthAt(static_cast<int>(map.size()), layout);
            map.push_back(delim[b] ? '2' : '1');
            map.append(w - 1, '3');
            ++i;
        } else if (IsSjisLeadByte(b) && i + 1 < n) {
            map.push_back('4');
            map.push_back('5');
            i += 2;
        } else {
            map.push_back(delim[b] ? '2' : '1');
            ++i;
        }
    }
}

std::string ColumnMap(std::string_view line, const ColumnLayout& layout) {
    std::string map;
    BuildColumnMap(line, layout, map);
    return map;
}

std::string ExpandTabs(std::string_view line, const ColumnLayout& layout) {
    std::string out;
    out.reserve(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\t')
            out.append(TabWidthAt(static_cast<int>(out.size()), layout), ' ');
        else
            out.push_back(line[i]);
    }
    return out;
}

int ColumnCount(std::string_view line, const ColumnLayout& layout) {
    int cols = 0;
    for (char c : line) cols += c == '\t' ? TabWidthAt(cols, layout) : 1;
    return cols;
}

void TTextEditorAttributeArray::Next() {
    if (Code() == '0') return;
    ++col_;
    if (Code() != '3') ++byte_;
}

void TTextEditorAttributeArray::Prev() {
    if (col_ <= 1) return;
    // A filler column shares its byte with the column before it, so the byte
    // index moves only when leaving a column that owns a byte.
    bool leaving_filler = Code() == '3';
    --col_;
    if (!leaving_filler) --byte_;
}

void TTextEditorAttributeArray::MoveTo(int column) {
    while (col_ < column && Code() != '0') Next();
    while (col_ > column && col_ > 1) Prev();
}

std::string_view TTextEditorAttributeArray::CurrentChar() const {
    char c = Code();
    std::size_t at = static_cast<std::size_t>(byte_ - 1);
    if (c == '0' || at >= line_.size()) return {};
    if (c == '4') return line_.substr(at, 2);
    if (c == '5') return at >= 1 ? line_.substr(at - 1, 2) : line_.substr(at, 1);
    return line_.substr(at, 1);
}

std::string_view TTextEditorAttributeArray::NextChar() {
    if (Code() == '0') return {};
    Next();
    std::string_view c = CurrentChar();
    Prev();
    return c;
}

void TTextEditorAttributeArray::StepBackChar() {
    char c = Code();
    if (c == '5') {
        Prev();
        Prev();
    } else if (c == '3') {
        while (Code() == '3' && col_ > 1) Prev();
        Prev();
    } else {
        Prev();
    }
}
