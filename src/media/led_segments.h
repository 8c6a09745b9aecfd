// Geometry and character shapes of one LED character cell: a 9 x 9 grid of
// squares, twelve segment polygons on it, and which segments each character
// lights in the seven-bar and the eleven-bar style.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/rounding.h"

enum TLedStyle { lsSevenBars = 0, lsElevenBars = 1 };

constexpr int kLedSegmentCount = 12;
constexpr int kLedDotSegment = 7;
constexpr std::uint16_t kLedDotBit = 1u << kLedDotSegment;
constexpr std::uint16_t kLedAllSegments = 0x0FFF;

struct LedPoint {
    int x, y;
    bool operator==(const LedPoint& o) const { return x == o.x && y == o.y; }
};

// Side of a grid square for a cell extent: Round(extent / 9).
int LedGridUnit(int extent);

// The corners of segment `segment` (0..11) for squares of ux by uy pixels,
// relative to the cell's top-left corner: six points, four for the dot.
std::vector<LedPoint> LedSegmentPolygon(int segment, int ux, int uy);

// Segment bits of a character in a style; 0 for anything outside "0".."z".
std::uint16_t LedCharacterSegments(unsigned char c, TLedStyle style);

// State of one cell: the character shown and the lit segments. Setting the
// character keeps a lit dot lit, so that a separator survives a new digit.
class LedCell {
public:
    const std::string& Character() const { return character_; }
    std::uint16_t Segments() const { return segments_; }
    TLedStyle Style() const { return style_; }

    // Only the first byte of `c` counts; empty or out of range shows nothing.
    void SetCharacter(const std::string& c);
    void SetSegments(std::uint16_t s) { segments_ = s; }
    // Re-applies the current character in the new style.
    void SetStyle(TLedStyle s);
    void SetDot(bool lit);
    bool Dot() const { return (segments_ & kLedDotBit) != 0; }

private:
    std::string character_;
    std::uint16_t segments_ = kLedAllSegments;
    TLedStyle style_ = lsElevenBars;
};
