"""Device-independent bitmaps: BMP files and ICO files."""

import struct

from . import raster

PELS_PER_METRE_96DPI = 3780


def _row_stride(width, bits):
    return ((width * bits + 31) // 32) * 4


def _info_header(width, height, bits, image_size, colours_used):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size,
                       PELS_PER_METRE_96DPI, PELS_PER_METRE_96DPI, colours_used, 0)


def _pack_indices(row, bits, stride):
    out = bytearray()
    if bits == 8:
        out += bytes(row)
    else:
        per_byte = 8 // bits
        for i in range(0, len(row), per_byte):
            b = 0
            for j, v in enumerate(row[i:i + per_byte]):
                b |= v << (8 - bits * (j + 1))
            out.append(b)
    out += b"\0" * (stride - len(out))
    return bytes(out)


def _bgr_rows(canvas, alpha):
    """Bottom-up rows of BGR (or BGRA) bytes, unpadded."""
    rows = []
    for y in reversed(range(canvas.height)):
        row = bytearray()
        for x in range(canvas.width):
            p = canvas.pixel(x, y)
            # Colour over white where the canvas is not opaque, as a
            # viewer without alpha would show it.
            a = p[3]
            if alpha:
                row += bytes((raster.clamp8(p[2]), raster.clamp8(p[1]), raster.clamp8(p[0]),
                              raster.clamp8(a)))
            else:
                row += bytes(raster.clamp8(p[c] * a + (1.0 - a)) for c in (2, 1, 0))
        rows.append(bytes(row))
    return rows


def bmp24(canvas):
    stride = _row_stride(canvas.width, 24)
    pixels = b"".join(r + b"\0" * (stride - len(r)) for r in _bgr_rows(canvas, False))
    info = _info_header(canvas.width, canvas.height, 24, len(pixels), 0)
    offset = 14 + len(info)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return head + info + pixels


def bmp_indexed(canvas, palette, bits=8, spread=0.08):
    """A palette BMP (bits 1, 4 or 8) with ordered dithering into palette."""
    indices = raster.quantize(canvas, palette, spread)
    stride = _row_stride(canvas.width, bits)
    pixels = b"".join(_pack_indices(row, bits, stride) for row in reversed(indices))
    colour_table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    info = _info_header(canvas.width, canvas.height, bits, len(pixels), len(palette))
    offset = 14 + len(info) + len(colour_table)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return head + info + colour_table + pixels


def _and_mask(canvas):
    """Bottom-up 1-bit mask: 1 where the icon is transparent."""
    stride = _row_stride(canvas.width, 1)
    out = bytearray()
    for y in reversed(range(canvas.height)):
        bits = [1 if canvas.pixel(x, y)[3] < 0.5 else 0 for x in range(canvas.width)]
        out += _pack_indices(bits, 1, stride)
    return bytes(out)


def _icon_image(canvas, bits, palette=None):
    """One icon image: header (height doubled for the mask), colours, mask."""
    mask = _and_mask(canvas)
    if bits == 32:
        colour_table = b""
        xor = b"".join(_bgr_rows(canvas, True))
    else:
        # Transparent pixels are index 0 (black) so that the AND/XOR pair
        # leaves the background untouched.
        opaque = raster.Canvas(canvas.width, canvas.height)
        for i, p in enumerate(canvas.px):
            opaque.px[i] = [p[0], p[1], p[2], 1.0]
        indices = raster.quantize(opaque, palette, 0.05)
        stride = _row_stride(canvas.width, bits)
        rows = []
        for y in reversed(range(canvas.height)):
            row = [indices[y][x] if canvas.pixel(x, y)[3] >= 0.5 else 0
                   for x in range(canvas.width)]
            rows.append(_pack_indices(row, bits, stride))
        xor = b"".join(rows)
        colour_table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    info = _info_header(canvas.width, canvas.height * 2, bits, len(xor) + len(mask),
                        0 if bits == 32 else len(palette))
    return info + colour_table + xor + mask


def ico(images):
    """An icon file from (canvas, bits, palette) triples."""
    blobs = [_icon_image(c, bits, pal) for c, bits, pal in images]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for (c, bits, pal), blob in zip(images, blobs):
        colours = len(pal) if pal is not None and len(pal) < 256 else 0
        out += struct.pack("<BBBBHHII", c.width & 0xFF, c.height & 0xFF, colours, 0, 1, bits,
                           len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    return bytes(out)
