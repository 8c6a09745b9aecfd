"""A small Microsoft Video 1 ("MSVC", also "CRAM") encoder, 16-bit mode.

Every frame is a key frame: each 4 x 4 block is coded on its own, as one
colour, as two colours with a 16-bit mask, or as two colours in each 2 x 2
quarter (eight colours). Colours are RGB 555 words. Blocks go left to
right, bottom row of blocks first, and inside a block the bottom row of
pixels first, the order of a bottom-up DIB.

A block starts with a little-endian word: below 0x8000 it is the mask of a
two- or eight-colour block (bit n for pixel n, row by row from the bottom
left; a set bit takes the first colour of the pair); 0x8400-0x87FF skips
blocks; any other word with the top bit set fills the block with that
colour. Two colours follow a mask; a first colour with its top bit set
says six more follow and the block is an eight-colour one."""

import struct

TWO_COLOUR_ERROR = 16 * 3 * 6 * 6  # squared error per block a two-colour block may leave


def to555(rgb):
    r, g, b = (min(31, (v * 31 + 127) // 255) for v in rgb)
    return r << 10 | g << 5 | b


def from555(word):
    def expand(c):
        return c << 3 | c >> 2
    return expand(word >> 10 & 31), expand(word >> 5 & 31), expand(word & 31)


def _error(pixels, word):
    c = from555(word)
    return sum((p[0] - c[0]) ** 2 + (p[1] - c[1]) ** 2 + (p[2] - c[2]) ** 2 for p in pixels)


def _mean(pixels):
    n = len(pixels)
    return tuple((sum(p[i] for p in pixels) + n // 2) // n for i in range(3))


def _two_means(pixels):
    """Splits pixels into two groups; returns (word, word, membership list).

    Starts from the darkest and the lightest pixel and moves each pixel to
    the nearer mean a few times; deterministic for the same input."""
    def luma(p):
        return 2 * p[0] + 5 * p[1] + p[2]
    lo = min(range(len(pixels)), key=lambda i: (luma(pixels[i]), i))
    hi = max(range(len(pixels)), key=lambda i: (luma(pixels[i]), -i))
    centres = [pixels[lo], pixels[hi]]
    member = [0] * len(pixels)
    for _ in range(4):
        for i, p in enumerate(pixels):
            d = [sum((p[k] - c[k]) ** 2 for k in range(3)) for c in centres]
            member[i] = 0 if d[0] <= d[1] else 1
        groups = [[p for p, m in zip(pixels, member) if m == g] for g in (0, 1)]
        centres = [_mean(g) if g else centres[n] for n, g in enumerate(groups)]
    words = [to555(c) for c in centres]
    for i, p in enumerate(pixels):
        member[i] = 0 if _error([p], words[0]) <= _error([p], words[1]) else 1
    return words[0], words[1], member


def _pair(pixels, indices, last):
    """Two colours for the pixels at `indices` of a block and the mask bits
    of those pixels. The pixel `last` (when among them) must take the second
    colour: its mask bit is the word's top bit, which has to stay clear."""
    group = [pixels[i] for i in indices]
    a, b, member = _two_means(group)
    if last in indices and member[indices.index(last)] == 0:
        a, b = b, a
        member = [1 - m for m in member]
    bits = 0
    for i, m in zip(indices, member):
        if m == 0:
            bits |= 1 << i
    error = sum(_error([p], a if m == 0 else b) for p, m in zip(group, member))
    return a, b, bits, error


QUARTERS = [[y * 4 + x for y in (y0, y0 + 1) for x in (x0, x0 + 1)]
            for y0 in (0, 2) for x0 in (0, 2)]  # bottom left, bottom right, top left, top right


def encode_block(pixels):
    """pixels: 16 (r, g, b) tuples, bottom row first. Returns the block's bytes."""
    words = [to555(p) for p in pixels]
    distinct = set(words)
    if len(distinct) == 1:
        fill = 0x8000 | words[0]
        if (fill >> 8) & 0xFC != 0x84:  # a fill word must not read as a skip
            return struct.pack("<H", fill)
    if len(distinct) <= 2:
        # Two colours say it exactly; the last pixel takes the second.
        b = words[15]
        a = next((w for w in words if w != b), b)
        mask = sum(1 << i for i, w in enumerate(words) if w == a and a != b)
        return struct.pack("<3H", mask, a, b)
    a, b, mask, error2 = _pair(pixels, list(range(16)), 15)
    if error2 > TWO_COLOUR_ERROR:
        colours, mask8, error8 = [], 0, 0
        for quarter in QUARTERS:
            qa, qb, bits, err = _pair(pixels, quarter, 15)
            colours += [qa, qb]
            mask8 |= bits
            error8 += err
        if error8 < error2:
            colours[0] |= 0x8000  # says "eight colours"
            return struct.pack("<9H", mask8, *colours)
    return struct.pack("<3H", mask, a, b)


def encode_frame(width, height, bgr):
    """bgr: bottom-up rows of 24-bit pixels (no row padding; width a
    multiple of 4). Width and height must be multiples of 4."""
    assert width % 4 == 0 and height % 4 == 0
    stride = width * 3
    out = bytearray()
    for by in range(0, height, 4):
        for bx in range(0, width, 4):
            pixels = []
            for y in range(by, by + 4):
                row = y * stride
                for x in range(bx, bx + 4):
                    i = row + x * 3
                    pixels.append((bgr[i + 2], bgr[i + 1], bgr[i]))
            out += encode_block(pixels)
    return bytes(out)
