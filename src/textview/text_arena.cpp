#include "textview/text_arena.h"

#include <cstring>
#include <utility>

char* TextArena::Allocate(std::size_t n) {
    if (n == 0) return cur_;
    if (n > kChunk / 4) {
        // Large pieces get their own chunk so the open chunk is not wasted;
        // cur_ points into whichever chunk is open, wherever it sits.
        // Not zeroed: every byte handed out is written by the caller.
        chunks_.push_back(std::unique_ptr<char[]>(new char[n]));
        held_ += n;
        return chunks_.back().get();
    }
    if (n > left_) {
        chunks_.push_back(std::unique_ptr<char[]>(new char[kChunk]));
        held_ += kChunk;
        cur_ = chunks_.back().get();
        left_ = kChunk;
    }
    char* p = cur_;
    cur_ += n;
    left_ -= n;
    return p;
}

const char* TextArena::Store(std::string_view s) {
    if (s.empty()) return "";
    char* p = Allocate(s.size());
    std::memcpy(p, s.data(), s.size());
    return p;
}

const char* TextArena::Adopt(std::unique_ptr<char[]> buffer, std::size_t size) {
    const char* p = buffer.get();
    chunks_.push_back(std::move(buffer));
    held_ += size;
    return p;
}

void TextArena::Adopt(TextArena& other) {
    for (auto& c : other.chunks_)
        chunks_.push_back(std::move(c));
    held_ += other.held_;
    other.chunks_.clear();
    other.cur_ = nullptr;
    other.left_ = 0;
    other.held_ = 0;
}

void TextArena::Swap(TextArena& other) {
    chunks_.swap(other.chunks_);
    std::swap(cur_, other.cur_);
    std::swap(left_, other.left_);
    std::swap(held_, other.held_);
}

void TextArena::Clear() {
    chunks_.clear();
    cur_ = nullptr;
    left_ = 0;
    held_ = 0;
}
