// JIS X 0208 row and cell (1..94 each) and the Shift-JIS double-byte codes
// they stand for: the same character set, laid out by arithmetic.
#pragma once

struct SjisPair {
    unsigned char lead, trail;
};

inline SjisPair JisToSjis(unsigned row, unsigned cell) {
    SjisPair p;
    p.lead = static_cast<unsigned char>((row + 1) / 2 + (row <= 62 ? 0x80 : 0xC0));
    if (row & 1)
        p.trail = static_cast<unsigned char>(cell + (cell <= 63 ? 0x3F : 0x40));
    else
        p.trail = static_cast<unsigned char>(cell + 0x9E);
    return p;
}

// Row of a Shift-JIS double-byte code with a lead of 0x81..0x9F or
// 0xE0..0xEF and a trail of 0x40..0xFC (not 0x7F); 0 otherwise.
inline unsigned SjisRow(unsigned lead, unsigned trail) {
    unsigned base;
    if (lead >= 0x81 && lead <= 0x9F)
        base = (lead - 0x81) * 2 + 1;
    else if (lead >= 0xE0 && lead <= 0xEF)
        base = (lead - 0xE0) * 2 + 63;
    else
        return 0;
    if (trail < 0x40 || trail == 0x7F || trail > 0xFC) return 0;
    return trail >= 0x9F ? base + 1 : base;
}
