"""A tiny software canvas for the sample pictures.

Pixels are RGBA floats in 0..1, so the same scene can be written at 8 and at
16 bits per sample. Scenes are cached and must not be drawn on once made. Shapes are drawn with 2 x 2 supersampling so that edges
look smooth instead of stair-stepped."""

import colorsys
import functools
import math

_SUBSAMPLES = ((0.25, 0.25), (0.75, 0.25), (0.25, 0.75), (0.75, 0.75))


class Canvas:
    def __init__(self, width, height, background=(0.0, 0.0, 0.0, 0.0)):
        self.width = width
        self.height = height
        self.px = [list(background) for _ in range(width * height)]

    def fill(self, fn):
        """Set every pixel from fn(u, v) with u, v in 0..1 across the canvas."""
        w, h = self.width, self.height
        for y in range(h):
            v = y / max(h - 1, 1)
            for x in range(w):
                self.px[y * w + x] = list(fn(x / max(w - 1, 1), v))

    def _blend(self, i, color, coverage):
        a = color[3] * coverage
        if a <= 0.0:
            return
        p = self.px[i]
        out_a = a + p[3] * (1.0 - a)
        if out_a <= 0.0:
            return
        for c in range(3):
            p[c] = (color[c] * a + p[c] * p[3] * (1.0 - a)) / out_a
        p[3] = out_a

    def shape(self, inside, color, bbox):
        """Paint color where inside(x, y) holds, within bbox (x0, y0, x1, y1)."""
        x0, y0, x1, y1 = bbox
        x0 = max(int(math.floor(x0)), 0)
        y0 = max(int(math.floor(y0)), 0)
        x1 = min(int(math.ceil(x1)), self.width - 1)
        y1 = min(int(math.ceil(y1)), self.height - 1)
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                hits = sum(1 for dx, dy in _SUBSAMPLES if inside(x + dx, y + dy))
                if hits:
                    self._blend(y * self.width + x, color, hits / 4.0)

    def circle(self, cx, cy, r, color):
        r2 = r * r
        self.shape(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r2, color,
                   (cx - r, cy - r, cx + r, cy + r))

    def ring(self, cx, cy, r_outer, r_inner, color):
        ro2, ri2 = r_outer * r_outer, r_inner * r_inner
        self.shape(lambda x, y: ri2 <= (x - cx) ** 2 + (y - cy) ** 2 <= ro2, color,
                   (cx - r_outer, cy - r_outer, cx + r_outer, cy + r_outer))

    def rect(self, x0, y0, x1, y1, color):
        self.shape(lambda x, y: x0 <= x < x1 and y0 <= y < y1, color, (x0, y0, x1, y1))

    def polygon(self, points, color):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]

        def inside(x, y):
            hit = False
            j = len(points) - 1
            for i, (xi, yi) in enumerate(points):
                xj, yj = points[j]
                if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    hit = not hit
                j = i
            return hit

        self.shape(inside, color, (min(xs), min(ys), max(xs), max(ys)))

    def pixel(self, x, y):
        return self.px[y * self.width + x]


def clamp8(v):
    v = int(v * 255.0 + 0.5)
    return 0 if v < 0 else (255 if v > 255 else v)


def clamp16(v):
    v = int(v * 65535.0 + 0.5)
    return 0 if v < 0 else (65535 if v > 65535 else v)


def luminance(p):
    return 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2]


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(len(a)))


@functools.lru_cache(maxsize=None)
def landscape(width, height):
    """An evening landscape: sky, sun, mountains, a lake and a small house."""
    sky_top = (0.10, 0.15, 0.45, 1.0)
    sky_low = (0.98, 0.62, 0.30, 1.0)
    water_top = (0.20, 0.30, 0.55, 1.0)
    water_low = (0.05, 0.10, 0.25, 1.0)
    horizon = 0.62
    c = Canvas(width, height)

    def ground(u, v):
        if v < horizon:
            return mix(sky_top, sky_low, (v / horizon) ** 1.5)
        t = (v - horizon) / (1.0 - horizon)
        # Faint ripples so the lake is not a flat fill.
        ripple = 0.03 * math.sin(v * height * 1.3 + u * 6.0)
        r, g, b, a = mix(water_top, water_low, t)
        return (r + ripple, g + ripple, b + ripple, a)

    c.fill(ground)
    w, h = float(width), float(height)
    c.circle(w * 0.70, h * 0.42, h * 0.13, (1.0, 0.90, 0.45, 1.0))
    c.polygon([(0, h * horizon), (w * 0.22, h * 0.30), (w * 0.45, h * horizon)],
              (0.30, 0.22, 0.40, 1.0))
    c.polygon([(w * 0.30, h * horizon), (w * 0.55, h * 0.38), (w * 0.85, h * horizon)],
              (0.22, 0.18, 0.32, 1.0))
    c.polygon([(w * 0.16, h * 0.38), (w * 0.22, h * 0.30), (w * 0.28, h * 0.38)],
              (0.95, 0.95, 1.0, 1.0))
    # Reflection of the sun on the water.
    for i in range(5):
        y = h * (horizon + 0.05 + i * 0.06)
        half = w * (0.08 - i * 0.012)
        c.rect(w * 0.70 - half, y, w * 0.70 + half, y + max(h * 0.015, 1.0),
               (1.0, 0.85, 0.5, 0.7))
    # A house on the near shore.
    c.rect(w * 0.06, h * 0.50, w * 0.18, h * horizon + 1, (0.55, 0.30, 0.20, 1.0))
    c.polygon([(w * 0.04, h * 0.50), (w * 0.12, h * 0.42), (w * 0.20, h * 0.50)],
              (0.35, 0.12, 0.10, 1.0))
    c.rect(w * 0.10, h * 0.53, w * 0.14, h * 0.57, (1.0, 0.85, 0.40, 1.0))
    return c


@functools.lru_cache(maxsize=None)
def shapes(width, height, transparent=False):
    """A hue sweep with a circle, a square and a triangle on top.

    With transparent set, the background fades out towards the corners so that
    the alpha channel has a real gradient to show."""
    c = Canvas(width, height)

    def sweep(u, v):
        r, g, b = colorsys.hsv_to_rgb(u * 0.85, 0.35 + 0.55 * v, 1.0 - 0.25 * v)
        if not transparent:
            return (r, g, b, 1.0)
        d = math.hypot(u - 0.5, v - 0.5) / math.hypot(0.5, 0.5)
        return (r, g, b, max(0.0, 1.0 - d) ** 0.8)

    c.fill(sweep)
    w, h = float(width), float(height)
    c.circle(w * 0.28, h * 0.40, min(w, h) * 0.22, (0.85, 0.10, 0.15, 1.0))
    c.rect(w * 0.48, h * 0.20, w * 0.78, h * 0.60, (0.10, 0.30, 0.85, 0.85))
    c.polygon([(w * 0.30, h * 0.92), (w * 0.55, h * 0.55), (w * 0.80, h * 0.92)],
              (0.10, 0.65, 0.20, 0.9))
    c.ring(w * 0.5, h * 0.5, min(w, h) * 0.47, min(w, h) * 0.44, (1.0, 1.0, 1.0, 0.8))
    return c


@functools.lru_cache(maxsize=None)
def logo(size):
    """The program's mark: a blue disc with a white quill stroke, on clear."""
    c = Canvas(size, size)
    s = float(size)
    c.circle(s / 2, s / 2, s * 0.47, (0.12, 0.32, 0.70, 1.0))
    c.ring(s / 2, s / 2, s * 0.47, s * 0.40, (0.55, 0.75, 1.0, 1.0))
    c.polygon([(s * 0.30, s * 0.78), (s * 0.70, s * 0.20), (s * 0.74, s * 0.26),
               (s * 0.36, s * 0.80)], (1.0, 1.0, 1.0, 1.0))
    c.polygon([(s * 0.26, s * 0.84), (s * 0.30, s * 0.76), (s * 0.36, s * 0.80)],
              (1.0, 0.85, 0.30, 1.0))
    return c


def logo_palette():
    """16 colours for the logo: entry 0 black (the transparent background of
    palette images and icons), the logo's colours and blends between them for
    the smooth edges."""
    blue, light, white, yellow = (31, 82, 179), (140, 191, 255), (255, 255, 255), (255, 217, 77)

    def blend(a, b, t):
        return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))

    pal = [(0, 0, 0), blue, light, white, yellow]
    pal += [blend(blue, white, t) for t in (0.25, 0.5, 0.75)]
    pal += [blend(blue, light, t) for t in (1 / 3, 2 / 3)]
    pal += [blend(blue, yellow, t) for t in (1 / 3, 2 / 3)]
    pal += [blend(white, yellow, 0.5), blend(light, white, 0.5), blend(light, yellow, 0.5),
            blend(blue, (0, 0, 0), 0.5)]
    return pal


@functools.lru_cache(maxsize=None)
def grey_ramp(width, height):
    """Grey levels for the grey-scale PNGs: a smooth diagonal ramp with a disc
    and a band of fine steps that only shows at high bit depths."""
    c = Canvas(width, height)
    c.fill(lambda u, v: (0.5 * u + 0.5 * v,) * 3 + (1.0,))
    w, h = float(width), float(height)
    c.circle(w * 0.5, h * 0.5, min(w, h) * 0.3, (1.0, 1.0, 1.0, 0.6))
    c.ring(w * 0.5, h * 0.5, min(w, h) * 0.3, min(w, h) * 0.26, (0.0, 0.0, 0.0, 1.0))
    return c


# Ordered dithering matrix (4 x 4 Bayer), values in 0..1 minus one half.
_BAYER = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def dither_offset(x, y):
    return (_BAYER[y & 3][x & 3] + 0.5) / 16.0 - 0.5


def quantize(canvas, palette, spread):
    """Indices into palette (RGB tuples 0..255) for every pixel, with ordered
    dithering of the given spread (in 0..1 units) to hide banding."""
    cache = {}
    out = []
    for y in range(canvas.height):
        row = []
        for x in range(canvas.width):
            p = canvas.pixel(x, y)
            d = dither_offset(x, y) * spread
            # Colours are matched at 6 bits a channel: close enough for the
            # nearest entry, and it keeps the lookup cache small.
            key = (clamp8(p[0] + d) >> 2, clamp8(p[1] + d) >> 2, clamp8(p[2] + d) >> 2)
            idx = cache.get(key)
            if idx is None:
                r, g, b = (k * 4 + 2 for k in key)
                idx = min(range(len(palette)),
                          key=lambda i: (palette[i][0] - r) ** 2
                          + (palette[i][1] - g) ** 2 + (palette[i][2] - b) ** 2)
                cache[key] = idx
            row.append(idx)
        out.append(row)
    return out


def cube_palette():
    """216 colours of a 6 x 6 x 6 cube followed by 40 greys: 256 entries."""
    pal = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    pal += [(int(round(i * 255 / 41)),) * 3 for i in range(1, 41)]
    return pal


VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
