// Cuts one logical line into rows of at most WrapByte columns following the
// Japanese line-breaking rules of TTextEditorWrapOption: a double-byte
// character is never cut, words may be kept whole, punctuation may hang
// beyond the edge, and characters that may not begin or end a row are moved.
#pragma once
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "textview/column_map.h"
#include "textview/row_data.h"

class TTextEditorWrapOption;

// A set of characters given as a string; double-byte pairs count as one.
class WrapCharSet {
public:
    WrapCharSet() = default;
    explicit WrapCharSet(std::string_view chars);
    bool Has(std::string_view ch) const;

private:
    std::bitset<256> singles_;
    std::vector<std::uint16_t> pairs_;
};

struct WrapPiece {
    std::uint32_t offset;
    std::uint32_t length;
    TRowAttribute attribute;
};

class TextWrapper {
public:
    // word_wrap false: every line is one row.
    TextWrapper(bool word_wrap, const TTextEditorWrapOption& option, int tab_space_count,
                const TDelimiterSet& delimiters);
    TextWrapper(const TextWrapper& o);

    // Rows of one line (without its line break); pieces are appended to
    // `out` when it is given. Answers the row count.
    int WrapLine(std::string_view line, std::vector<WrapPiece>* out);

private:
    bool word_wrap_;
    bool follow_ret_mark_, follow_punctuation_, leading_, word_break_;
    int wrap_byte_;
    WrapCharSet follow_, lead_, punctuation_;
    ColumnLayout layout_;
    char codes_[256];
    std::string map_;
};

// Splits a text into lines at CR LF, lone CR, lone LF and NUL, calling
// f(offset, length) for each line. A trailing line break adds no line.
template <class F> void ForEachTextLine(std::string_view s, F f) {
    std::size_t n = s.size(), pos = 0;
    const char* p = s.data();
    while (pos < n) {
        std::size_t e = pos;
        while (e < n && p[e] != '\r' && p[e] != '\n' && p[e] != '\0') ++e;
        f(pos, e - pos);
        pos = e;
        if (pos < n && p[pos] == '\0') {
            ++pos;
            continue;
        }
        if (pos < n && p[pos] == '\r') ++pos;
        if (pos < n && p[pos] == '\n') ++pos;
    }
}
