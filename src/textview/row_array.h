// The rows of a text as a list of blocks: row access is a short search over
// block starts, and inserting or deleting rows moves at most one block, so an
// edit in the middle of a large text does not touch every row. Each block
// also counts its line-end rows (rows that are not raWrapped), which lets the
// line view map line numbers to rows without walking the whole list.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "textview/row_data.h"

struct RowRec {
    const char* text;
    std::uint32_t length;
    std::uint32_t data;
    std::string_view view() const { return std::string_view(text, length); }
};

class RowArray {
public:
    int size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const RowRec& get(int i) const;
    void set_data(int i, std::uint32_t data);
    void set_text(int i, const char* text, std::uint32_t length);

    void push_back(const RowRec& r) { append(&r, 1); }
    // Adds n rows at the end, filling the last block before a new one.
    void append(const RowRec* recs, int n);
    void insert(int at, const RowRec* recs, int n);
    void erase(int at, int n);
    void clear();
    void swap(RowArray& other);
    // Frees whole blocks that lie entirely before row `upto` while their
    // rows are no longer needed (a streaming rebuild reads front to back).
    // Row indexes do not change; freed rows must not be read again.
    void release_before(int upto);

    // Calls f(RowRec&) for every row, front to back.
    template <class F> void for_each(F f) {
        for (Block& b : blocks_)
            for (RowRec& r : b.rows)
                f(r);
    }

    // Gives every row the same bracket state (bits 4..7 of the data word).
    void set_all_brackets(int state);

    // Rows whose attribute is not raWrapped.
    int line_ends() const;
    // Index of the k-th (0-based) row that is not raWrapped, or -1.
    int nth_line_end(int k) const;
    // Sum of all row lengths.
    std::uint64_t text_bytes() const { return bytes_; }

private:
    static constexpr int kBlock = 2048;
    struct Block {
        std::vector<RowRec> rows;
        int line_ends = 0;
        bool released = false;
    };
    int locate(int i) const;
    void restart(int from_block);
    void split_if_large(int b);
    static bool is_line_end(std::uint32_t data) { return RowDataAttribute(data) != raWrapped; }

    std::vector<Block> blocks_;
    std::vector<int> starts_;
    int size_ = 0;
    std::uint64_t bytes_ = 0;
    mutable int hint_ = 0;
    std::size_t released_ = 0; // blocks before this one are released
    mutable std::vector<int> line_prefix_;
    mutable bool line_prefix_dirty_ = true;
};
