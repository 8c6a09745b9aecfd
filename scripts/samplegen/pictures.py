"""The picture samples: which scenes go into which formats."""

import math
import struct

from . import bitmaps, magick, metafiles, png, raster


def _rgb8(c):
    return [[tuple(raster.clamp8(v) for v in c.pixel(x, y)[:3]) for x in range(c.width)]
            for y in range(c.height)]


def _rgba8(c):
    return [[tuple(raster.clamp8(v) for v in c.pixel(x, y)) for x in range(c.width)]
            for y in range(c.height)]


def _rgb16(c):
    return [[tuple(raster.clamp16(v) for v in c.pixel(x, y)[:3]) for x in range(c.width)]
            for y in range(c.height)]


def _grey(c, depth):
    top = (1 << depth) - 1
    out = []
    for y in range(c.height):
        row = []
        for x in range(c.width):
            v = raster.luminance(c.pixel(x, y))
            if depth < 8:
                v += raster.dither_offset(x, y) / top
            row.append(max(0, min(top, int(round(v * top)))))
        out.append(row)
    return out


def _grey_alpha8(c):
    return [[(raster.clamp8(raster.luminance(c.pixel(x, y))), raster.clamp8(c.pixel(x, y)[3]))
             for x in range(c.width)] for y in range(c.height)]


PNG_TEXT = (("Title", "Quillmark sample"), ("Software", "make_samples.py"))


def png_files():
    """(file name, bytes) of PNGs covering the colour types and depths."""
    land = raster.landscape(192, 128)
    shapes_clear = raster.shapes(128, 96, transparent=True)
    ramp = raster.grey_ramp(128, 96)
    logo = raster.logo(64)
    pal256 = raster.cube_palette()
    pal16 = raster.VGA16
    pal4 = [(20, 30, 80), (90, 120, 200), (240, 200, 120), (255, 255, 255)]
    pal2 = [(16, 32, 64), (255, 240, 200)]
    gamma_phys = ((b"gAMA", struct.pack(">I", 45455)),
                  (b"pHYs", struct.pack(">IIB", 3780, 3780, 1)))
    out = [
        ("png_rgb.png", png.encode(_rgb8(land), land.width, land.height, 2, 8,
                                   extra_chunks=gamma_phys, text=PNG_TEXT)),
        ("png_rgba.png", png.encode(_rgba8(shapes_clear), 128, 96, 6, 8, text=PNG_TEXT)),
        ("png_rgb16.png", png.encode(_rgb16(land), land.width, land.height, 2, 16)),
        ("png_rgba16.png", png.encode(
            [[tuple(raster.clamp16(v) for v in shapes_clear.pixel(x, y)) for x in range(128)]
             for y in range(96)], 128, 96, 6, 16)),
        ("png_palette8.png", png.encode(raster.quantize(land, pal256, 0.12), land.width,
                                        land.height, 3, 8, palette=pal256)),
        ("png_palette4.png", png.encode(raster.quantize(land, pal16, 0.35), land.width,
                                        land.height, 3, 4, palette=pal16)),
        ("png_palette2.png", png.encode(raster.quantize(land, pal4, 0.5), land.width,
                                        land.height, 3, 2, palette=pal4)),
        ("png_palette1.png", png.encode(raster.quantize(land, pal2, 0.9), land.width,
                                        land.height, 3, 1, palette=pal2)),
        # A palette logo whose first entry is fully transparent (tRNS).
        ("png_palette_trns.png", _palette_logo(logo)),
        ("png_grey8.png", png.encode(_grey(ramp, 8), 128, 96, 0, 8)),
        ("png_grey16.png", png.encode([[raster.clamp16(raster.luminance(ramp.pixel(x, y)))
                                        for x in range(128)] for y in range(96)],
                                      128, 96, 0, 16)),
        ("png_grey4.png", png.encode(_grey(ramp, 4), 128, 96, 0, 4)),
        ("png_grey2.png", png.encode(_grey(ramp, 2), 128, 96, 0, 2)),
        ("png_grey1.png", png.encode(_grey(ramp, 1), 128, 96, 0, 1)),
        # Grey with a tRNS value of black: black pixels are transparent.
        ("png_grey_trns.png", png.encode(_grey(ramp, 8), 128, 96, 0, 8,
                                         trns=struct.pack(">H", 0))),
        ("png_greyalpha.png", png.encode(_grey_alpha8(shapes_clear), 128, 96, 4, 8)),
        ("png_interlaced.png", png.encode(_rgb8(land), land.width, land.height, 2, 8,
                                          interlace=True)),
        ("png_interlaced_palette4.png", png.encode(raster.quantize(land, pal16, 0.35),
                                                   land.width, land.height, 3, 4,
                                                   palette=pal16, interlace=True)),
        ("png_interlaced_rgba.png", png.encode(_rgba8(logo), 64, 64, 6, 8, interlace=True)),
        # The image data split over many IDAT chunks.
        ("png_split_idat.png", png.encode(_rgb8(land), land.width, land.height, 2, 8,
                                          idat_parts=7)),
        # Odd sizes: rows that do not fill their last byte, passes that are empty.
        ("png_tiny_3x5.png", png.encode(_grey(raster.grey_ramp(3, 5), 1), 3, 5, 0, 1,
                                        interlace=True)),
    ]
    return out


def _palette_logo(logo):
    pal = raster.logo_palette()
    opaque = raster.Canvas(logo.width, logo.height)
    for i, p in enumerate(logo.px):
        opaque.px[i] = [p[0], p[1], p[2], 1.0]
    idx = raster.quantize(opaque, pal[1:], 0.0)
    pixels = [[idx[y][x] + 1 if logo.pixel(x, y)[3] >= 0.5 else 0 for x in range(logo.width)]
              for y in range(logo.height)]
    return png.encode(pixels, logo.width, logo.height, 3, 4, palette=pal, trns=b"\x00")


def animation_frames(count=12, width=96, height=72):
    frames = []
    for n in range(count):
        c = raster.Canvas(width, height, (0.95, 0.97, 1.0, 1.0))
        t = n / count
        cx = width / 2 + math.cos(2 * math.pi * t) * width * 0.28
        cy = height / 2 + math.sin(2 * math.pi * t) * height * 0.28
        c.circle(width / 2, height / 2, height * 0.42, (0.80, 0.86, 0.95, 1.0))
        c.circle(cx, cy, height * 0.14, (0.90, 0.25, 0.20, 1.0))
        c.rect(0, height - 6, width * (n + 1) / count, height, (0.2, 0.4, 0.8, 1.0))
        frames.append(c)
    return frames


def picture_files():
    """(file name, bytes) of every picture sample."""
    land = raster.landscape(240, 160)
    shapes_opaque = raster.shapes(201, 150)  # odd width: rows need padding
    out = png_files()
    out += [
        ("bmp24.bmp", bitmaps.bmp24(land)),
        ("bmp24_odd_width.bmp", bitmaps.bmp24(shapes_opaque)),
        ("bmp8_palette.bmp", bitmaps.bmp_indexed(land, raster.cube_palette(), 8, 0.12)),
        ("bmp4_palette.bmp", bitmaps.bmp_indexed(shapes_opaque, raster.VGA16, 4, 0.35)),
        ("icon.ico", bitmaps.ico([(raster.logo(16), 8, raster.cube_palette()),
                                  (raster.logo(32), 4, raster.logo_palette()),
                                  (raster.logo(48), 32, None)])),
        ("drawing.wmf", metafiles.wmf()),
        ("drawing.emf", metafiles.emf()),
    ]
    photo = raster.landscape(320, 240)
    out += [
        ("photo.jpg", magick.jpeg(photo)),
        ("photo_progressive.jpeg", magick.jpeg(photo, quality=80, progressive=True)),
        ("photo_grey.jpg", magick.jpeg(raster.shapes(160, 120), quality=90, grey=True)),
        ("anim.gif", magick.gif(animation_frames(), 8)),
    ]
    return out
