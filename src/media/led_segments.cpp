#include "media/led_segments.h"

#include <cmath>

namespace {
enum Corner { TL, TR, BL, BR, C };
struct GridPoint {
    Corner corner;
    int x, y;
};

// Polygons of the twelve segments, by grid square and corner.
const GridPoint kSegments[kLedSegmentCount][6] = {
    {{C, 1, 1}, {TL, 2, 1}, {TR, 7, 1}, {C, 8, 1}, {BR, 7, 1}, {BL, 2, 1}}, // top
    {{C, 8, 1}, {TR, 8, 2}, {BR, 8, 4}, {C, 8, 5}, {BL, 8, 4}, {TL, 8, 2}}, // upper right
    {{C, 8, 5}, {TR, 8, 6}, {BR, 8, 8}, {C, 8, 9}, {BL, 8, 8}, {TL, 8, 6}}, // lower right
    {{C, 8, 9}, {BR, 7, 9}, {BL, 2, 9}, {C, 1, 9}, {TL, 2, 9}, {TL, 8, 9}}, // bottom
    {{C, 1, 5}, {TR, 1, 6}, {BR, 1, 8}, {C, 1, 9}, {BL, 1, 8}, {TL, 1, 6}}, // lower left
    {{C, 1, 1}, {TR, 1, 2}, {BR, 1, 4}, {C, 1, 5}, {BL, 1, 4}, {TL, 1, 2}}, // upper left
    {{C, 8, 5}, {BR, 7, 5}, {BL, 2, 5}, {C, 1, 5}, {TL, 2, 5}, {TL, 8, 5}}, // middle
    {{TL, 9, 9}, {TR, 9, 9}, {BR, 9, 9}, {BL, 9, 9}},                       // dot
    {{TR, 2, 2}, {TL, 2, 2}, {BL, 2, 2}, {BL, 4, 4}, {BR, 4, 4}, {TR, 4, 4}},
    {{TL, 7, 2}, {TR, 7, 2}, {BR, 7, 2}, {BR, 5, 4}, {BL, 5, 4}, {TL, 5, 4}},
    {{TL, 5, 6}, {TR, 5, 6}, {TR, 7, 8}, {BR, 7, 8}, {BL, 7, 8}, {BL, 5, 6}},
    {{TL, 4, 6}, {TR, 4, 6}, {BR, 4, 6}, {BR, 2, 8}, {BL, 2, 8}, {TL, 2, 8}},
};

constexpr unsigned char kFirstChar = '0', kLastChar = 'z';

// Segment bits for "0".."z": seven-bar style, then eleven-bar style.
const std::uint16_t kCharTable[2][kLastChar - kFirstChar + 1] = {
    {
        0x03F, 0x006, 0x05B, 0x04F, 0x066, 0x06D, 0x07D, 0x027, 0x07F, 0x06F, // 0-9
        0x000, 0x080, 0x000, 0x048, 0x000, 0x000, 0x000,                      // :;<=>?@
        0x077, 0x07C, 0x039, 0x05E, 0x079, 0x071, 0x07D, 0x076, 0x030, 0x01E, // A-J
        0x075, 0x038, 0x037, 0x037, 0x03F, 0x073, 0x067, 0x031, 0x06D, 0x078, // K-T
        0x03E, 0x03E, 0x03E, 0x076, 0x072, 0x05B,                             // U-Z
        0x039, 0x030, 0x00F, 0x000, 0x008, 0x000,                             // [\]^_`
        0x05F, 0x07C, 0x058, 0x05E, 0x07B, 0x071, 0x06F, 0x074, 0x010, 0x00E, // a-j
        0x075, 0x038, 0x054, 0x054, 0x05C, 0x073, 0x067, 0x050, 0x06D, 0x078, // k-t
        0x01C, 0x01C, 0x01C, 0x076, 0x072, 0x05B,                             // u-z
    },
    {
        0xA3F, 0x006, 0x05B, 0x04F, 0x066, 0x06D, 0x07D, 0x027, 0x07F, 0x06F, // 0-9
        0x000, 0x080, 0x600, 0x048, 0x900, 0x000, 0x000,                      // :;<=>?@
        0x077, 0x27D, 0x039, 0x05E, 0x079, 0x071, 0x07D, 0x076, 0x030, 0x01E, // A-J
        0x274, 0x038, 0x336, 0x536, 0x03F, 0x073, 0x43F, 0x473, 0x06D, 0x078, // K-T
        0x03E, 0xA30, 0xC36, 0xF00, 0xB00, 0xA09,                             // U-Z
        0x039, 0x500, 0x00F, 0x000, 0x008, 0x000,                             // [\]^_`
        0x05F, 0x07C, 0x058, 0x05E, 0x07B, 0x071, 0x06F, 0x074, 0x010, 0x00E, // a-j
        0x274, 0x038, 0x054, 0x054, 0x05C, 0x073, 0x067, 0x050, 0x06D, 0x078, // k-t
        0x01C, 0x810, 0xC14, 0xF00, 0xB00, 0xA09,                             // u-z
    },
};

LedPoint Resolve(const GridPoint& p, int ux, int uy) {
    switch (p.corner) {
    case TL:
        return {(p.x - 1) * ux, (p.y - 1) * uy};
    case TR:
        return {p.x * ux, (p.y - 1) * uy};
    case BL:
        return {(p.x - 1) * ux, p.y * uy};
    case BR:
        return {p.x * ux, p.y * uy};
    default:
        return {p.x * ux - RoundHalfEven(ux / 2.0), p.y * uy - RoundHalfEven(uy / 2.0)};
    }
}
} // namespace

int LedGridUnit(int extent) {
    return RoundHalfEven(extent / 9.0);
}

std::vector<LedPoint> LedSegmentPolygon(int segment, int ux, int uy) {
    std::vector<LedPoint> points;
    if (segment < 0 || segment >= kLedSegmentCount) return points;
    const int count = segment == kLedDotSegment ? 4 : 6;
    for (int i = 0; i < count; ++i)
        points.push_back(Resolve(kSegments[segment][i], ux, uy));
    return points;
}

std::uint16_t LedCharacterSegments(unsigned char c, TLedStyle style) {
    if (c < kFirstChar || c > kLastChar) return 0;
    return kCharTable[style == lsSevenBars ? 0 : 1][c - kFirstChar];
}

void LedCell::SetCharacter(const std::string& c) {
    const bool dot = Dot();
    const unsigned char ch = c.empty() ? 0 : static_cast<unsigned char>(c[0]);
    if (ch < kFirstChar || ch > kLastChar) {
        segments_ = 0;
        character_.clear();
    } else {
        segments_ = LedCharacterSegments(ch, style_);
        character_ = std::string(1, static_cast<char>(ch));
    }
    if (dot) segments_ |= kLedDotBit;
}

void LedCell::SetStyle(TLedStyle s) {
    style_ = s;
    SetCharacter(character_);
}

void LedCell::SetDot(bool lit) {
    if (lit) {
        segments_ |= kLedDotBit;
    } else {
        segments_ &= static_cast<std::uint16_t>(~kLedDotBit);
    }
}
