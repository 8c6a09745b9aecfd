"""Windows metafiles: a placeable WMF and an EMF, drawn from a few records."""

import math
import struct

from .util import sjis


def colorref(r, g, b):
    return r | (g << 8) | (b << 16)


def _mix(c0, c1, t):
    return tuple(int(round(a + (b - a) * t)) for a, b in zip(c0, c1))


SKY_TOP = (30, 50, 120)
SKY_LOW = (250, 170, 90)


class _Wmf:
    """Records of a 16-bit metafile. GDI objects take the lowest free slot of
    the object table, and deleting frees the slot again."""

    def __init__(self):
        self.records = []
        self.slots = []

    def rec(self, function, params=b""):
        if len(params) % 2:
            params += b"\0"
        self.records.append(struct.pack("<IH", 3 + len(params) // 2, function) + params)

    def create(self, function, params):
        self.rec(function, params)
        for i, used in enumerate(self.slots):
            if not used:
                self.slots[i] = True
                return i
        self.slots.append(True)
        return len(self.slots) - 1

    def select(self, index):
        self.rec(0x012D, struct.pack("<H", index))

    def delete(self, index):
        self.rec(0x01F0, struct.pack("<H", index))
        self.slots[index] = False

    def brush(self, rgb):
        return self.create(0x02FC, struct.pack("<HIH", 0, colorref(*rgb), 0))

    def pen(self, style, width, rgb):
        return self.create(0x02FA, struct.pack("<HhhI", style, width, 0, colorref(*rgb)))

    def rectangle(self, left, top, right, bottom):
        self.rec(0x041B, struct.pack("<hhhh", bottom, right, top, left))

    def ellipse(self, left, top, right, bottom):
        self.rec(0x0418, struct.pack("<hhhh", bottom, right, top, left))

    def polygon(self, points):
        self.rec(0x0324, struct.pack("<H", len(points))
                 + b"".join(struct.pack("<hh", x, y) for x, y in points))

    def polyline(self, points):
        self.rec(0x0325, struct.pack("<H", len(points))
                 + b"".join(struct.pack("<hh", x, y) for x, y in points))

    def text_out(self, x, y, text):
        data = sjis(text)
        padded = data + (b"\0" if len(data) % 2 else b"")
        self.rec(0x0521, struct.pack("<H", len(data)) + padded + struct.pack("<hh", y, x))

    def font(self, height, weight, charset, face):
        name = sjis(face) + b"\0"
        return self.create(0x02FB, struct.pack("<hhhhhBBBBBBBB", -height, 0, 0, 0, weight, 0, 0,
                                                0, charset, 0, 0, 0, 0) + name)

    def finish(self, bbox, inch):
        self.rec(0x0000)  # end of file
        body = b"".join(self.records)
        words = 9 + len(body) // 2
        biggest = max(struct.unpack_from("<I", r)[0] for r in self.records)
        header = struct.pack("<HHHIHIH", 1, 9, 0x0300, words, len(self.slots), biggest, 0)
        left, top, right, bottom = bbox
        placeable = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, left, top, right, bottom, inch, 0)
        checksum = 0
        for (w,) in struct.iter_unpack("<H", placeable):
            checksum ^= w
        return placeable + struct.pack("<H", checksum) + header + body


def wmf():
    """A 640 x 480 unit drawing at 160 units per inch (4 x 3 inches)."""
    m = _Wmf()
    m.rec(0x020B, struct.pack("<hh", 0, 0))  # window origin (y, x)
    m.rec(0x020C, struct.pack("<hh", 480, 640))  # window extent (y, x)
    m.rec(0x0102, struct.pack("<H", 1))  # transparent text background
    no_pen = m.pen(5, 0, (0, 0, 0))
    m.select(no_pen)
    # Sky as 24 bands of colour.
    for i in range(24):
        b = m.brush(_mix(SKY_TOP, SKY_LOW, i / 23.0))
        m.select(b)
        m.rectangle(0, i * 13, 641, (i + 1) * 13 + 1)
        m.delete(b)
    sea = m.brush((30, 60, 110))
    m.select(sea)
    m.rectangle(0, 312, 641, 481)
    m.delete(sea)
    sun = m.brush((255, 230, 120))
    m.select(sun)
    m.ellipse(400, 170, 520, 290)
    m.delete(sun)
    hill = m.brush((70, 55, 100))
    m.select(hill)
    m.polygon([(0, 312), (150, 150), (300, 312)])
    m.polygon([(220, 312), (380, 190), (560, 312)])
    m.delete(hill)
    # A sail boat.
    outline = m.pen(0, 3, (20, 20, 30))
    m.select(outline)
    hull = m.brush((150, 60, 40))
    m.select(hull)
    m.polygon([(90, 380), (230, 380), (200, 410), (120, 410)])
    m.delete(hull)
    sail = m.brush((245, 245, 250))
    m.select(sail)
    m.polygon([(160, 375), (160, 250), (225, 375)])
    m.delete(sail)
    # Two birds.
    m.polyline([(300, 90), (315, 80), (330, 90), (345, 80), (360, 90)])
    m.polyline([(380, 120), (390, 113), (400, 120), (410, 113), (420, 120)])
    m.select(no_pen)
    m.delete(outline)
    m.rec(0x0209, struct.pack("<I", colorref(255, 255, 255)))  # text colour
    latin = m.font(36, 700, 0, "Arial")
    m.select(latin)
    m.text_out(24, 20, "Quillmark WMF")
    m.delete(latin)
    japanese = m.font(32, 400, 128, "ＭＳ ゴシック")
    m.select(japanese)
    m.text_out(24, 430, "夕暮れの海とヨット")
    m.delete(japanese)
    m.delete(no_pen)
    return m.finish((0, 0, 640, 480), 160)


class _Emf:
    def __init__(self):
        self.records = []
        self.next_handle = 1
        self.max_handle = 0
        self.free = []

    def rec(self, kind, payload=b""):
        payload += b"\0" * (-len(payload) % 4)
        self.records.append(struct.pack("<II", kind, 8 + len(payload)) + payload)

    def _handle(self):
        if self.free:
            return self.free.pop(0)
        h = self.next_handle
        self.next_handle += 1
        self.max_handle = max(self.max_handle, h)
        return h

    def brush(self, rgb):
        h = self._handle()
        self.rec(39, struct.pack("<IIII", h, 0, colorref(*rgb), 0))
        return h

    def pen(self, style, width, rgb):
        h = self._handle()
        self.rec(38, struct.pack("<IIiiI", h, style, width, 0, colorref(*rgb)))
        return h

    def select(self, h):
        self.rec(37, struct.pack("<I", h))

    def delete(self, h):
        self.rec(40, struct.pack("<I", h))
        self.free.append(h)
        self.free.sort()

    def rectangle(self, l, t, r, b):
        self.rec(43, struct.pack("<iiii", l, t, r, b))

    def ellipse(self, l, t, r, b):
        self.rec(42, struct.pack("<iiii", l, t, r, b))

    def _poly16(self, kind, points):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        self.rec(kind, struct.pack("<iiiiI", min(xs), min(ys), max(xs), max(ys), len(points))
                 + b"".join(struct.pack("<hh", x, y) for x, y in points))

    def polygon(self, points):
        self._poly16(86, points)

    def polyline(self, points):
        self._poly16(87, points)

    def finish(self, width, height, description):
        self.rec(14, struct.pack("<III", 0, 16, 20))  # end of file, no palette
        body = b"".join(self.records)
        desc = description.encode("utf-16-le")
        desc += b"\0" * (-len(desc) % 4)
        header_size = 108 + len(desc)
        total = header_size + len(body)
        # Reference device 1280 x 960 pixels on 320 x 240 mm: 0.25 mm a pixel.
        frame_r = width * 25 - 1
        frame_b = height * 25 - 1
        header = struct.pack("<II", 1, header_size)
        header += struct.pack("<iiii", 0, 0, width - 1, height - 1)
        header += struct.pack("<iiii", 0, 0, frame_r, frame_b)
        header += struct.pack("<IIII", 0x464D4520, 0x10000, total, len(self.records) + 1)
        header += struct.pack("<HHIII", self.max_handle + 1, 0, len(description), 108, 0)
        header += struct.pack("<iiii", 1280, 960, 320, 240)
        header += struct.pack("<IIIii", 0, 0, 0, 320000, 240000)
        return header + desc + body


NULL_PEN = 0x80000008


def _crescent(centre, radius, shade_centre, shade_radius, steps=90):
    """Outline of the part of a disc left uncovered by a second disc: the
    outer arc, then the shading disc's arc back through the first disc."""

    def arc(c, r, keep):
        pts = []
        for i in range(steps):
            a = 2 * math.pi * i / steps
            p = (c[0] + r * math.cos(a), c[1] + r * math.sin(a))
            pts.append((p, keep(p)))
        # Rotate so that the kept run is contiguous, then keep it.
        start = next(i for i in range(steps) if pts[i][1] and not pts[i - 1][1])
        run = []
        for i in range(steps):
            p, k = pts[(start + i) % steps]
            if not k:
                break
            run.append(p)
        return run

    outer = arc(centre, radius,
                lambda p: math.dist(p, shade_centre) > shade_radius)
    inner = arc(shade_centre, shade_radius, lambda p: math.dist(p, centre) < radius)
    return [(int(round(x)), int(round(y))) for x, y in outer + list(reversed(inner))]


def emf():
    """A 320 x 240 pixel drawing: a night scene of a town under the moon."""
    m = _Emf()
    m.rec(18, struct.pack("<I", 1))  # transparent background mode
    m.select(NULL_PEN)
    for i in range(20):
        b = m.brush(_mix((10, 15, 50), (70, 60, 130), i / 19.0))
        m.select(b)
        m.rectangle(0, i * 10, 321, (i + 1) * 10 + 1)
        m.delete(b)
    ground = m.brush((25, 35, 30))
    m.select(ground)
    m.rectangle(0, 200, 321, 241)
    m.delete(ground)
    moon = m.brush((250, 245, 200))
    m.select(moon)
    m.polygon(_crescent((255, 50), 25, (269, 43), 25))
    m.delete(moon)
    buildings = [(10, 120, 60), (60, 90, 110), (110, 140, 150), (150, 100, 200), (200, 130, 250),
                 (250, 110, 310)]
    body = m.brush((45, 45, 60))
    window = m.brush((255, 220, 110))
    for left, top, right in buildings:
        m.select(body)
        m.rectangle(left, top, right, 201)
        m.select(window)
        for wy in range(top + 10, 190, 18):
            for wx in range(left + 8, right - 10, 14):
                if (wx * 7 + wy * 3) % 5:
                    m.rectangle(wx, wy, wx + 6, wy + 8)
    m.select(body)
    m.polygon([(150, 100), (175, 70), (200, 100)])
    m.delete(window)
    m.delete(body)
    star = m.pen(0, 1, (255, 255, 255))
    m.select(star)
    for sx, sy in ((30, 20), (90, 45), (140, 15), (190, 50), (300, 100), (60, 70)):
        m.polyline([(sx - 3, sy), (sx + 3, sy)])
        m.polyline([(sx, sy - 3), (sx, sy + 3)])
    m.select(NULL_PEN)
    m.delete(star)
    return m.finish(320, 240, "Quillmark\0night town\0\0")
