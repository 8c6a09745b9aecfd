#include "imageview/flip_image_blend.h"

#include <cstring>

namespace flip {
namespace {
// Per-byte quotients of a word: each byte shifted on its own.
inline std::uint32_t Half(std::uint32_t v) {
    return (v >> 1) & 0x7F7F7F7Fu;
}
inline std::uint32_t Quarter(std::uint32_t v) {
    return (v >> 2) & 0x3F3F3F3Fu;
}
inline std::uint32_t Eighth(std::uint32_t v) {
    return (v >> 3) & 0x1F1F1F1Fu;
}
} // namespace

std::uint32_t BlendWord(std::uint32_t a, std::uint32_t b, int level) {
    // Every byte of a partial difference stays within 0..255 and every sum
    // too, so subtracting before adding never borrows or carries between bytes.
    switch (level & 7) {
    case 1:
        return (a - Eighth(a)) + Eighth(b);
    case 2:
        return (a - Quarter(a)) + Quarter(b);
    case 3:
        return (a - (Quarter(a) + Eighth(a))) + (Quarter(b) + Eighth(b));
    case 4:
        return (a - Half(a)) + Half(b);
    case 5:
        return (b - Quarter(b) - Eighth(b)) + (Quarter(a) + Eighth(a));
    case 6:
        return (b - Quarter(b)) + Quarter(a);
    case 7:
        return (b - Eighth(b)) + Eighth(a);
    default:
        return a;
    }
}

void BlendBytes(std::uint8_t* result, const std::uint8_t* drawn, const std::uint8_t* background,
                std::size_t size, int level) {
    std::size_t i = 0;
    for (; i + 4 <= size; i += 4) {
        std::uint32_t a, b;
        std::memcpy(&a, drawn + i, 4);
        std::memcpy(&b, background + i, 4);
        const std::uint32_t r = BlendWord(a, b, level);
        std::memcpy(result + i, &r, 4);
    }
    for (; i < size; ++i) {
        result[i] = static_cast<std::uint8_t>(BlendWord(drawn[i], background[i], level) & 0xFF);
    }
}

} // namespace flip
