#include "app/text_search_rows.h"

#include <cstdlib>

#include "base/strutil.h"

TTextSearchResult SearchTextRows(int rowCount, const std::function<std::string_view(int)>& rowAt,
                                 std::string_view text) {
    TTextSearchResult result;
    for (int i = 0; i < rowCount; ++i) {
        const std::string_view row = rowAt(i);
        if (row.find(text) == std::string_view::npos) continue;
        result.Lines += Format("[%5d]", i + 1);
        result.Lines.append(row.data(), row.size());
        result.Lines += "\r\n";
        ++result.Count;
    }
    return result;
}

std::optional<int> ResultLineRow(std::string_view line) {
    if (line.size() < 7) return std::nullopt;
    const std::string digits = Trim(std::string(line.substr(1, 5)));
    if (digits.empty()) return std::nullopt;
    char* end = nullptr;
    const long value = std::strtol(digits.c_str(), &end, 10);
    if (*end) return std::nullopt;
    return static_cast<int>(value) - 1;
}
