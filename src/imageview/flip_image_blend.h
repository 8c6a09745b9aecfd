// Translucency of the flip image: the drawn card mixed with what lies
// beneath it, four bytes at a time.
#pragma once
#include <cstddef>
#include <cstdint>

namespace flip {

// Mixes four bytes of drawn colour a with four bytes of background b at
// level 0..7: level n keeps about (8 - n) / 8 of a. Each byte is computed on
// its own; no bits cross from one byte into the next.
std::uint32_t BlendWord(std::uint32_t a, std::uint32_t b, int level);

// result := blend of drawn and background, byte by byte, for `size` bytes.
// result may be the same buffer as drawn.
void BlendBytes(std::uint8_t* result, const std::uint8_t* drawn, const std::uint8_t* background,
                std::size_t size, int level);

} // namespace flip
