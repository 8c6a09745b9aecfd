"""A small PNG encoder: every colour type and bit depth, Adam7 interlacing,
all five row filters, and optional ancillary chunks."""

import struct
import zlib

CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}
SIGNATURE = b"\x89PNG\r\n\x1a\n"

# Adam7 passes: (x start, y start, x step, y step).
ADAM7 = ((0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2),
         (0, 1, 1, 2))


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def _pack_row(samples, depth):
    """Samples (flat list of ints) of one row to bytes at the given depth."""
    if depth == 8:
        return bytes(samples)
    if depth == 16:
        return b"".join(struct.pack(">H", s) for s in samples)
    out = bytearray()
    per_byte = 8 // depth
    for i in range(0, len(samples), per_byte):
        b = 0
        group = samples[i:i + per_byte]
        for j, s in enumerate(group):
            b |= (s & ((1 << depth) - 1)) << (8 - depth * (j + 1))
        out.append(b)
    return bytes(out)


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def _filter_row(ftype, row, prev, bpp):
    out = bytearray([ftype])
    for i, x in enumerate(row):
        a = row[i - bpp] if i >= bpp else 0
        b = prev[i] if prev is not None else 0
        c = prev[i - bpp] if prev is not None and i >= bpp else 0
        if ftype == 0:
            pred = 0
        elif ftype == 1:
            pred = a
        elif ftype == 2:
            pred = b
        elif ftype == 3:
            pred = (a + b) // 2
        else:
            pred = _paeth(a, b, c)
        out.append((x - pred) & 0xFF)
    return bytes(out)


def _scanlines(pixels, width, height, colour_type, depth, first_filter):
    """Filtered scanlines of one (sub)image; pixels[y][x] is an int (one
    channel) or a tuple. Filters cycle None, Sub, Up, Average, Paeth row by
    row, so a decoder meets every filter in every sample file."""
    channels = CHANNELS[colour_type]
    bpp = max(1, channels * depth // 8)
    out = bytearray()
    prev = None
    for y in range(height):
        flat = []
        for x in range(width):
            p = pixels[y][x]
            if channels == 1:
                flat.append(p if isinstance(p, int) else p[0])
            else:
                flat.extend(p)
        row = _pack_row(flat, depth)
        out += _filter_row((first_filter + y) % 5, row, prev, bpp)
        prev = row
    return bytes(out)


def encode(pixels, width, height, colour_type, depth, palette=None, trns=None,
           interlace=False, idat_parts=1, extra_chunks=(), text=()):
    """PNG file bytes.

    pixels[y][x]: palette index or grey value (int), or a tuple of samples.
    palette: list of (r, g, b) for colour type 3. trns: raw tRNS chunk data.
    idat_parts: how many IDAT chunks the compressed data is split into.
    extra_chunks: (type, data) pairs written before the image data.
    text: (keyword, text) pairs written as tEXt chunks after the header."""
    ihdr = struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, 1 if interlace else 0)
    raw = bytearray()
    if not interlace:
        raw += _scanlines(pixels, width, height, colour_type, depth, 0)
    else:
        for n, (x0, y0, dx, dy) in enumerate(ADAM7):
            sub_w = (width - x0 + dx - 1) // dx if width > x0 else 0
            sub_h = (height - y0 + dy - 1) // dy if height > y0 else 0
            if sub_w == 0 or sub_h == 0:
                continue  # empty passes have no scanlines at all
            sub = [[pixels[y0 + j * dy][x0 + i * dx] for i in range(sub_w)] for j in range(sub_h)]
            raw += _scanlines(sub, sub_w, sub_h, colour_type, depth, n)
    compressed = zlib.compress(bytes(raw), 9)

    out = bytearray(SIGNATURE)
    out += chunk(b"IHDR", ihdr)
    for key, value in text:
        out += chunk(b"tEXt", key.encode("latin-1") + b"\0" + value.encode("latin-1"))
    for kind, data in extra_chunks:
        out += chunk(kind, data)
    if palette is not None:
        out += chunk(b"PLTE", b"".join(bytes(c) for c in palette))
    if trns is not None:
        out += chunk(b"tRNS", trns)
    step = -(-len(compressed) // idat_parts)
    for i in range(0, len(compressed), step):
        out += chunk(b"IDAT", compressed[i:i + step])
    out += chunk(b"IEND", b"")
    return bytes(out)
