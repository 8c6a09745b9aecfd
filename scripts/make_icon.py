#!/usr/bin/env python3
"""Writes Quillmark's icon: a blue tile with a white quill, 16 and 32 pixels."""
import struct
import sys


def pixel(size, x, y):
    """RGBA of the icon at pixel (x, y), y from the top."""
    u, v = (x + 0.5) / size, (y + 0.5) / size
    r = 0.18  # corner radius of the tile
    cx = min(max(u, r), 1 - r)
    cy = min(max(v, r), 1 - r)
    if (u - cx) ** 2 + (v - cy) ** 2 > r * r:
        return (0, 0, 0, 0)
    # Tile: blue, lighter towards the top.
    base = (40 + int(60 * (1 - v)), 90 + int(80 * (1 - v)), 200 + int(40 * (1 - v)), 255)
    # Quill vane: a band around the line from (0.28, 0.82) to (0.78, 0.16).
    ax, ay, bx, by = 0.28, 0.82, 0.78, 0.16
    dx, dy = bx - ax, by - ay
    t = ((u - ax) * dx + (v - ay) * dy) / (dx * dx + dy * dy)
    if 0 <= t <= 1:
        px, py = ax + t * dx, ay + t * dy
        dist = ((u - px) ** 2 + (v - py) ** 2) ** 0.5
        if dist < 0.03 + 0.09 * t * (1 - t) * 2:
            return (255, 255, 255, 255)
    # Nib below the vane.
    if 0.18 < u < 0.3 and 0.8 < v < 0.92 and (u - 0.18) > (v - 0.8) * 0.6:
        return (255, 200, 60, 255)
    return base


def image(size):
    rows = []
    for y in range(size - 1, -1, -1):  # bottom-up
        for x in range(size):
            r, g, b, a = pixel(size, x, y)
            rows.append(struct.pack('BBBB', b, g, r, a))
    xor = b''.join(rows)
    mask_row = ((size + 31) // 32) * 4
    mask = b'\0' * (mask_row * size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def main():
    sizes = [16, 32, 48]
    images = [image(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, img in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s, s, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    out += b''.join(images)
    with open(sys.argv[1], 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
