// The text preview's search: the result lines listing the rows that hold a
// text, and the row a result line points back at.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

struct TTextSearchResult {
    std::string Lines;  // "[%5d]" + the row + CRLF, per row found
    int Count = 0;
};

// The rows (0 .. rowCount-1, read through rowAt) that hold `text`, byte
// for byte, numbered from 1.
TTextSearchResult SearchTextRows(int rowCount, const std::function<std::string_view(int)>& rowAt,
                                 std::string_view text);

// The row (from 0) a result line names; nothing when the line is no result
// line. "[    0]" names row -1, which no text has.
std::optional<int> ResultLineRow(std::string_view line);
