#include "textview/text_editor_columns.h"

#include "base/sjis.h"

int ColumnToByte(std::string_view map, int col) {
    if (col <= 0) return 0;
    const int size = static_cast<int>(map.size());
    int bytes = 0;
    const int upto = col < size ? col : size;
    for (int i = 0; i < upto; ++i) bytes += map[i] != '3';
    if (col > size) bytes += col - size;
    return bytes;
}

int ByteToColumn(std::string_view map, int byte) {
    if (byte <= 0) return 0;
    const int size = static_cast<int>(map.size());
    int bytes = 0;
    for (int i = 0; i < size; ++i) {
        if (map[i] == '3') continue;
        if (bytes == byte) return i;
        ++bytes;
    }
    return size + (byte - bytes);
}

int LastCharColumn(std::string_view map) {
    int i = static_cast<int>(map.size()) - 1;
    while (i > 0 && (map[i] == '3' || map[i] == '5')) --i;
    return i < 0 ? 0 : i;
}

int LeadingBlankWidth(std::string_view text) {
    int width = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == ' ') {
            ++width;
            ++i;
        } else if (i + 1 < text.size() && static_cast<unsigned char>(text[i]) == 0x81 &&
                   static_cast<unsigned char>(text[i + 1]) == 0x40) {
            width += 2;
            i += 2;
        } else {
            break;
        }
    }
    return width;
}

std::string IndentText(int width, bool use_tabs, int tab_space_count) {
    if (width <= 0) return {};
    if (!use_tabs || tab_space_count <= 0) return std::string(width, ' ');
    return std::string(width / tab_space_count, '\t') + std::string(width % tab_space_count, ' ');
}

TBreakCount CountBreaks(std::string_view s) {
    TBreakCount c;
    std::size_t last = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' || s[i] == '\n') {
            if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
            ++c.breaks;
            last = i + 1;
        }
    }
    c.tail = static_cast<int>(s.size() - last);
    return c;
}

std::vector<int> FindWordHits(const std::string& text, const std::string& word) {
    std::vector<int> hits;
    if (word.empty() || text.size() < word.size()) return hits;
    const std::string upper = SjisUpperCase(text), key = SjisUpperCase(word);
    // One walk over the characters: boundaries come for free.
    for (std::size_t p = 0; p + key.size() <= upper.size(); p += SjisCharLength(upper, p)) {
        if (upper.compare(p, key.size(), key) == 0) hits.push_back(static_cast<int>(p));
    }
    return hits;
}

