// A list of rows, each a byte string with a 32-bit data word; strings and
// words are inserted, deleted and cleared together. The strings are views
// into the list's own arena.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "textview/row_array.h"
#include "textview/row_data.h"
#include "textview/text_arena.h"

class TTextEditorStringList {
public:
    TTextEditorStringList() = default;
    TTextEditorStringList(const TTextEditorStringList&) = delete;
    TTextEditorStringList& operator=(const TTextEditorStringList&) = delete;
    virtual ~TTextEditorStringList() = default;

    int Count() const { return rows_.size(); }
    std::string_view Strings(int i) const { return rows_.get(i).view(); }
    std::uint32_t Data(int i) const { return rows_.get(i).data; }
    void SetData(int i, std::uint32_t data) { rows_.set_data(i, data); }

    // raInvalid for an index outside the list.
    TRowAttribute Attribute(int i) const;
    void SetAttribute(int i, TRowAttribute a);
    // The stored state; the screen list refines it (rows past its valid
    // window read as not computed).
    int StoredBracketState(int i) const { return RowDataBracket(Data(i)); }
    void SetBracketState(int i, int state);

    void Add(std::string_view s, std::uint32_t data = 0);
    void Insert(int i, std::string_view s, std::uint32_t data = 0);
    void Put(int i, std::string_view s);
    void Delete(int i, int count = 1);
    void Clear();

    // Rows whose text lies in this list's arena already (no copy).
    void AddView(const char* text, std::size_t length, std::uint32_t data);

    RowArray& Rows() { return rows_; }
    const RowArray& Rows() const { return rows_; }
    TextArena& Arena() { return arena_; }

protected:
    RowArray rows_;
    TextArena arena_;
};
