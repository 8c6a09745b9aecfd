// Column and byte positions of one row for the text control: the caret and
// the box selection live in screen columns (tabs expanded, a double-byte
// character two columns), the text and the stream selection in bytes.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "textview/column_map.h"

// Bytes that lie before screen column `col` of a row whose column map is
// `map`. Columns past the end count one byte each (the free caret's spaces).
int ColumnToByte(std::string_view map, int col);
// Screen column of byte `byte`; bytes past the end continue one column each.
int ByteToColumn(std::string_view map, int byte);
// Column of the first column of the last character; 0 for an empty row.
int LastCharColumn(std::string_view map);
// Leading blank width of a row: a space counts 1, a full-width space 2.
int LeadingBlankWidth(std::string_view text);
// An indent of `width` columns: tabs and the remaining spaces with
// use_tabs, else spaces only.
std::string IndentText(int width, bool use_tabs, int tab_space_count);

// Line breaks in a text (CR LF, lone CR and lone LF count once each) and the
// length of the part after the last one.
struct TBreakCount {
    int breaks = 0;
    int tail = 0;
};
TBreakCount CountBreaks(std::string_view s);

// Offsets of the case-insensitive occurrences of `word` in `text` that begin
// on a character boundary (a match starting on a trail byte is no match).
std::vector<int> FindWordHits(const std::string& text, const std::string& word);
