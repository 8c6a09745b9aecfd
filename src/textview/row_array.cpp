#include "textview/row_array.h"

#include <algorithm>
#include <cassert>

int RowArray::locate(int i) const {
    assert(i >= 0 && i < size_);
    if (hint_ < static_cast<int>(blocks_.size()) && i >= starts_[hint_] &&
        i < starts_[hint_] + static_cast<int>(blocks_[hint_].rows.size()))
        return hint_;
    int next = hint_ + 1;
    if (next < static_cast<int>(blocks_.size()) && i >= starts_[next] &&
        i < starts_[next] + static_cast<int>(blocks_[next].rows.size()))
        return hint_ = next;
    auto it = std::upper_bound(starts_.begin(), starts_.end(), i);
    hint_ = static_cast<int>(it - starts_.begin()) - 1;
    return hint_;
}

const RowRec& RowArray::get(int i) const {
    int b = locate(i);
    return blocks_[b].rows[i - starts_[b]];
}

void RowArray::set_data(int i, std::uint32_t data) {
    int b = locate(i);
    RowRec& r = blocks_[b].rows[i - starts_[b]];
    bool was = is_line_end(r.data), now = is_line_end(data);
    if (was != now) {
        blocks_[b].line_ends += now ? 1 : -1;
        line_prefix_dirty_ = true;
    }
    r.data = data;
}

void RowArray::set_text(int i, const char* text, std::uint32_t length) {
    int b = locate(i);
    RowRec& r = blocks_[b].rows[i - starts_[b]];
    bytes_ += length;
    bytes_ -= r.length;
    r.text = text;
    r.length = length;
}

void RowArray::restart(int from_block) {
    starts_.resize(blocks_.size());
    int s = from_block > 0
                ? starts_[from_block - 1] + static_cast<int>(blocks_[from_block - 1].rows.size())
                : 0;
    for (std::size_t b = from_block; b < blocks_.size(); ++b) {
        starts_[b] = s;
        s += static_cast<int>(blocks_[b].rows.size());
    }
    size_ = s;
    line_prefix_dirty_ = true;
    if (hint_ >= static_cast<int>(blocks_.size())) hint_ = 0;
}

void RowArray::append(const RowRec* recs, int n) {
    while (n > 0) {
        if (blocks_.empty() || static_cast<int>(blocks_.back().rows.size()) >= kBlock) {
            blocks_.emplace_back();
            blocks_.back().rows.reserve(kBlock);
            starts_.push_back(size_);
        }
        Block& blk = blocks_.back();
        const int k = std::min(n, kBlock - static_cast<int>(blk.rows.size()));
        blk.rows.insert(blk.rows.end(), recs, recs + k);
        for (int j = 0; j < k; ++j) {
            blk.line_ends += is_line_end(recs[j].data) ? 1 : 0;
            bytes_ += recs[j].length;
        }
        size_ += k;
        recs += k;
        n -= k;
    }
    line_prefix_dirty_ = true;
}

void RowArray::split_if_large(int b) {
    if (static_cast<int>(blocks_[b].rows.size()) <= 2 * kBlock) return;
    std::vector<RowRec> all = std::move(blocks_[b].rows);
    std::vector<Block> pieces;
    for (std::size_t at = 0; at < all.size(); at += kBlock) {
        Block blk;
        std::size_t end = std::min(all.size(), at + kBlock);
        blk.rows.assign(all.begin() + at, all.begin() + end);
        for (const RowRec& r : blk.rows)
            if (is_line_end(r.data)) ++blk.line_ends;
        pieces.push_back(std::move(blk));
    }
    blocks_.erase(blocks_.begin() + b);
    blocks_.insert(blocks_.begin() + b, std::make_move_iterator(pieces.begin()),
                   std::make_move_iterator(pieces.end()));
}

void RowArray::insert(int at, const RowRec* recs, int n) {
    if (n <= 0) return;
    assert(at >= 0 && at <= size_);
    if (at == size_) {
        append(recs, n);
        return;
    }
    int b = locate(at);
    Block& blk = blocks_[b];
    blk.rows.insert(blk.rows.begin() + (at - starts_[b]), recs, recs + n);
    for (int k = 0; k < n; ++k) {
        if (is_line_end(recs[k].data)) ++blk.line_ends;
        bytes_ += recs[k].length;
    }
    split_if_large(b);
    restart(b);
}

void RowArray::erase(int at, int n) {
    assert(at >= 0 && n >= 0 && at + n <= size_);
    while (n > 0) {
        int b = locate(at);
        Block& blk = blocks_[b];
        int off = at - starts_[b];
        int k = std::min(n, static_cast<int>(blk.rows.size()) - off);
        for (int j = off; j < off + k; ++j) {
            if (is_line_end(blk.rows[j].data)) --blk.line_ends;
            bytes_ -= blk.rows[j].length;
        }
        blk.rows.erase(blk.rows.begin() + off, blk.rows.begin() + off + k);
        if (blk.rows.empty()) {
            blocks_.erase(blocks_.begin() + b);
            starts_.erase(starts_.begin() + b);
        }
        restart(b < static_cast<int>(blocks_.size()) ? b : static_cast<int>(blocks_.size()));
        n -= k;
    }
}

void RowArray::clear() {
    released_ = 0;
    blocks_.clear();
    starts_.clear();
    size_ = 0;
    bytes_ = 0;
    hint_ = 0;
    line_prefix_dirty_ = true;
}

void RowArray::swap(RowArray& o) {
    blocks_.swap(o.blocks_);
    starts_.swap(o.starts_);
    std::swap(size_, o.size_);
    std::swap(bytes_, o.bytes_);
    std::swap(released_, o.released_);
    hint_ = o.hint_ = 0;
    line_prefix_dirty_ = o.line_prefix_dirty_ = true;
}

void RowArray::release_before(int upto) {
    for (; released_ < blocks_.size(); ++released_) {
        Block& blk = blocks_[released_];
        if (starts_[released_] + static_cast<int>(blk.rows.size()) > upto) break;
        std::vector<RowRec>().swap(blk.rows);
        blk.released = true;
    }
}

int RowArray::line_ends() const {
    int n = 0;
    for (const Block& b : blocks_)
        n += b.line_ends;
    return n;
}

int RowArray::nth_line_end(int k) const {
    if (k < 0) return -1;
    if (line_prefix_dirty_) {
        line_prefix_.resize(blocks_.size());
        int s = 0;
        for (std::size_t b = 0; b < blocks_.size(); ++b) {
            line_prefix_[b] = s;
            s += blocks_[b].line_ends;
        }
        line_prefix_dirty_ = false;
    }
    auto it = std::upper_bound(line_prefix_.begin(), line_prefix_.end(), k);
    int b = static_cast<int>(it - line_prefix_.begin()) - 1;
    if (b < 0) return -1;
    if (k - line_prefix_[b] >= blocks_[b].line_ends) return -1;
    int left = k - line_prefix_[b];
    const std::vector<RowRec>& rows = blocks_[b].rows;
    for (std::size_t j = 0; j < rows.size(); ++j) {
        if (is_line_end(rows[j].data) && left-- == 0) return starts_[b] + static_cast<int>(j);
    }
    return -1;
}

void RowArray::set_all_brackets(int state) {
    for (Block& b : blocks_)
        for (RowRec& r : b.rows)
            r.data = WithBracket(r.data, state);
}
