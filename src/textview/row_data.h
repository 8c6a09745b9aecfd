// The 32-bit data word every row carries: bits 0..3 say how the row ends,
// bits 4..7 hold the bracket state at the start of the row plus 2.
#pragma once
#include <cstdint>

enum TRowAttribute : std::uint8_t { raCrlf = 0, raWrapped = 1, raEof = 2, raInvalid = 3 };

// Bracket states: -2 not yet computed, -1 outside any bracket, 0..13 inside
// bracket pair n.
constexpr int kBracketUnknown = -2;
constexpr int kBracketNone = -1;

inline TRowAttribute RowDataAttribute(std::uint32_t data) {
    return static_cast<TRowAttribute>(data & 0x0F);
}
inline int RowDataBracket(std::uint32_t data) { return static_cast<int>((data >> 4) & 0x0F) - 2; }

// Setting the attribute keeps bits 4..11; setting the bracket state keeps
// bits 0..3 and 8..15.
inline std::uint32_t WithAttribute(std::uint32_t data, TRowAttribute a) {
    return (data & 0x0FF0) | (static_cast<std::uint32_t>(a) & 0x0F);
}
inline std::uint32_t WithBracket(std::uint32_t data, int state) {
    return (data & 0xFF0F) | ((static_cast<std::uint32_t>(state + 2) & 0x0F) << 4);
}
inline std::uint32_t MakeRowData(TRowAttribute a, int state = kBracketUnknown) {
    return WithBracket(a, state);
}
