// Screen-column layout of one line: tab expansion and double-byte pairs.
// The map holds one code per column:
//   '1' single-byte character that is not a delimiter, '2' one that is,
//   '3' filler column of an expanded tab (no byte of its own),
//   '4' lead byte, '5' trail byte of a double-byte character.
#pragma once
#include <bitset>
#include <string>
#include <string_view>

using TDelimiterSet = std::bitset<256>;

// Every byte except '0'..'9', 'A'..'Z', 'a'..'z', '_', lead bytes and
// half-width katakana (0xA6..0xDF), which are word characters.
const TDelimiterSet& DefaultDelimiters();

struct ColumnLayout {
    int tab_space_count = 8;
    int wrap_byte = 0; // > 0: tabs are also cut at multiples of it
    const TDelimiterSet* delimiters = nullptr;
    // Optional: '1'/'2' per byte value, precomputed from the delimiters by
    // callers that lay out many lines.
    const char* codes = nullptr;
};

// Fills codes[256] with '2' for delimiters and '1' for the rest.
void FillColumnCodes(const TDelimiterSet& delimiters, char* codes);

// Columns a tab takes when it starts at output column `col` (0-based).
int TabWidthAt(int col, const ColumnLayout& layout);

// Builds the map of `line` into `map` (reusing its capacity).
void BuildColumnMap(std::string_view line, const ColumnLayout& layout, std::string& map);
std::string ColumnMap(std::string_view line, const ColumnLayout& layout);
// The line with every tab replaced by the spaces it expands to.
std::string ExpandTabs(std::string_view line, const ColumnLayout& layout);
// Number of columns the line takes.
int ColumnCount(std::string_view line, const ColumnLayout& layout);

// A cursor over (line, column map) with a '0' sentinel after the last
// column. Column and byte indexes are 1-based. Holds views: the line and the
// map must outlive it.
class TTextEditorAttributeArray {
public:
    TTextEditorAttributeArray(std::string_view line, std::string_view map)
        : line_(line), map_(map), has_filler_(map.find('3') != std::string_view::npos) {}

    char Code() const { return CodeAt(col_); }
    char CodeAt(int col) const {
        return col >= 1 && col <= static_cast<int>(map_.size()) ? map_[col - 1] : '0';
    }
    int Column() const { return col_; }
    int ByteIndex() const { return byte_; }
    int ColumnCount() const { return static_cast<int>(map_.size()); }

    void Next();
    void Prev();
    void MoveTo(int column);
    // The character under the cursor: empty on the sentinel, both bytes of a
    // double-byte character on either of its columns, else one byte.
    std::string_view CurrentChar() const;
    std::string_view NextChar();
    // Moves back to the last column of the character before the current one.
    void StepBackChar();

private:
    std::string_view line_, map_;
    bool has_filler_;
    int col_ = 1;
    int byte_ = 1;
};
