// Backing store for row texts. Rows are views into chunks owned here, so a
// loaded file is one allocation and a row costs no heap string of its own.
#pragma once
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

class TextArena {
public:
    TextArena() = default;
    TextArena(const TextArena&) = delete;
    TextArena& operator=(const TextArena&) = delete;

    // Copies s and answers a pointer that stays valid until Clear.
    const char* Store(std::string_view s);
    char* Allocate(std::size_t n);
    // Takes ownership of a buffer the caller filled (a whole file, say).
    const char* Adopt(std::unique_ptr<char[]> buffer, std::size_t size);
    // Takes over every chunk of another arena; its views stay valid.
    void Adopt(TextArena& other);
    void Clear();
    void Swap(TextArena& other);
    // Bytes of every chunk, used or not.
    std::size_t BytesHeld() const { return held_; }

private:
    static constexpr std::size_t kChunk = 64 * 1024;
    std::vector<std::unique_ptr<char[]>> chunks_;
    char* cur_ = nullptr;
    std::size_t left_ = 0;
    std::size_t held_ = 0;
};
