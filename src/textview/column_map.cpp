#include "textview/column_map.h"

#include <algorithm>
#include <cstring>

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

void FillColumnCodes(const TDelimiterSet& delimiters, char* codes) {
    for (int c = 0; c < 256; ++c) codes[c] = delimiters[c] ? '2' : '1';
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
    char own[256];
    const char* code = layout.codes;
    if (!code) {
        FillColumnCodes(layout.delimiters ? *layout.delimiters : DefaultDelimiters(), own);
        code = own;
    }
    const std::size_t n = line.size();
    const unsigned char* in = reinterpret_cast<const unsigned char*>(line.data());
    if (std::memchr(in, '\t', n) == nullptr) {
        // One column per byte. The pair codes go without a branch per
        // character: mixed text changes between single and double bytes
        // too often for one to be predicted.
        map.resize(n);
        char* out = &map[0];
        bool trail = false;
        for (std::size_t i = 0; i < n; ++i) {
            const unsigned char b = in[i];
            const bool lead = !trail && IsSjisLeadByte(b) && i + 1 < n;
            out[i] = trail ? '5' : lead ? '4' : code[b];
            trail = lead;
        }
        return;
    }
    std::size_t tabs = 0;
    for (char c : line) tabs += c == '\t';
    int t = layout.tab_space_count > 0 ? layout.tab_space_count : 8;
    map.resize(n + tabs * static_cast<std::size_t>(t));
    char* out = &map[0];
    char* const begin = out;
    for (std::size_t i = 0; i < n;) {
        unsigned char b = in[i];
        if (b == '\t') {
            int w = TabWidthAt(static_cast<int>(out - begin), layout);
            *out++ = code[b];
            for (int k = 1; k < w; ++k) *out++ = '3';
            ++i;
        } else if (IsSjisLeadByte(b) && i + 1 < n) {
            out[0] = '4';
            out[1] = '5';
            out += 2;
            i += 2;
        } else {
            *out++ = code[b];
            ++i;
        }
    }
    map.resize(static_cast<std::size_t>(out - begin));
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
    if (column > col_) {
        // Forward as Next would go, one column at a time, up to the
        // sentinel: every column but tab filler owns a byte (the sentinel
        // too).
        const int target = std::min(column, ColumnCount() + 1);
        if (target <= col_) return; // on the sentinel already
        if (!has_filler_) {
            byte_ += target - col_;
        } else {
            const int last = std::min(target, ColumnCount());
            int bytes = target - last; // the sentinel
            for (int c = col_; c < last; ++c) bytes += map_[c] != '3';
            byte_ += bytes;
        }
        col_ = target;
        return;
    }
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
