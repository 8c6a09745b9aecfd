// The line view of the text view (published as Lines): a line-indexed
// string list over the row list. It stores nothing itself; every operation
// maps line numbers to rows and changes go through ReplaceRows.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "base/text_encoding.h"

class TTextEditorHost;
class TTextEditorScreenStrings;

class TTextEditorStrings {
public:
    // The rows are `list`'s; its editor answers the wrap mode and moves the
    // caret.
    explicit TTextEditorStrings(TTextEditorScreenStrings& list);
    TTextEditorStrings(const TTextEditorStrings&) = delete;
    TTextEditorStrings& operator=(const TTextEditorStrings&) = delete;

    // Logical lines (with word wrap on, rows of one line count once).
    int Count() const;
    // The whole logical line without its line break; empty outside the list.
    std::string Get(int i) const;
    std::string operator[](int i) const { return Get(i); }
    void Put(int i, std::string_view s);
    // Answers the line count before the call.
    int Add(std::string_view s);
    void Insert(int i, std::string_view s);
    void Delete(int i);
    void Clear();

    std::string Text() const;
    void SetText(std::string_view s);
    // Throws EFOpenError when the file cannot be opened and ETextTooLarge
    // when it is too large to hold; either leaves the lines as they were.
    void LoadFromFile(const std::string& file_name);
    // The same for a file in another encoding, shown in CP932.
    void LoadFromFile(const std::string& file_name, TTextEncoding encoding);
    // Text := source text, then the caret goes to the last row, column 0.
    void Assign(const TTextEditorStrings& source);
    void Assign(const std::vector<std::string>& source);

    // The stored form: one string per logical line; reading adds each.
    std::vector<std::string> Strings() const;
    void SetStrings(const std::vector<std::string>& lines) { Assign(lines); }

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return update_count_; }

    // First row of line i (the row count when i is past the last line).
    int LineToRow(int i) const;
    int RowsOfLine(int i) const;

private:
    TTextEditorScreenStrings& list_;
    TTextEditorHost& host_;
    int update_count_ = 0;
};
