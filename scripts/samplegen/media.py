"""Media samples: an AVI clip (Microsoft Video 1, and raw for the tests), a MIDI
tune and a WAV chime."""

import math
import struct

from . import msvideo1
from .util import sjis


def riff_chunk(fourcc, data):
    pad = b"\0" if len(data) % 2 else b""
    return fourcc + struct.pack("<I", len(data)) + data + pad


def riff_list(kind, fourcc, children):
    body = fourcc + b"".join(children)
    return kind + struct.pack("<I", len(body)) + body


# ---------------------------------------------------------------- AVI

AVI_WIDTH, AVI_HEIGHT, AVI_FPS, AVI_FRAMES = 160, 120, 15, 30


def _avi_background():
    """Bottom-up BGR rows of a teal-to-navy gradient with a floor line."""
    rows = []
    for y in reversed(range(AVI_HEIGHT)):
        t = y / (AVI_HEIGHT - 1)
        if y >= 100:
            bgr = (40, 90, 60)  # grass
        else:
            bgr = (int(200 - 120 * t), int(180 - 130 * t), int(60 - 40 * t))
        rows.append(bytearray(bytes(bgr) * AVI_WIDTH))
    return rows


def _avi_frame(background, n):
    rows = [bytearray(r) for r in background]
    t = n / AVI_FRAMES
    # A ball that rolls left to right and bounces three times.
    cx = 16 + (AVI_WIDTH - 32) * t
    bounce = abs(math.sin(math.pi * 3 * t))
    cy = 100 - 12 - 60 * bounce
    r = 12.0
    for y in range(int(cy - r) - 1, int(cy + r) + 2):
        if not 0 <= y < AVI_HEIGHT:
            continue
        row = rows[AVI_HEIGHT - 1 - y]
        for x in range(int(cx - r) - 1, int(cx + r) + 2):
            if not 0 <= x < AVI_WIDTH:
                continue
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            cover = max(0.0, min(1.0, r + 0.5 - d))
            if cover <= 0.0:
                continue
            # Shade the ball so it looks round: lighter towards the upper left.
            light = max(0.0, 1.0 - math.hypot(x - cx + 4, y - cy + 4) / (r * 1.6))
            ball = (int(30 + 60 * light), int(40 + 120 * light), int(200 + 55 * light))
            i = x * 3
            for c in range(3):
                row[i + c] = int(round(row[i + c] * (1.0 - cover) + ball[c] * cover))
    # A progress bar along the bottom tells the frame number at a glance.
    bar = int(AVI_WIDTH * (n + 1) / AVI_FRAMES)
    for y in range(112, 116):
        rows[AVI_HEIGHT - 1 - y][0:bar * 3] = bytes((240, 240, 240)) * bar
    return b"".join(bytes(r) for r in rows)


def _frames():
    background = _avi_background()
    return [_avi_frame(background, n) for n in range(AVI_FRAMES)]


def _avi_file(handler, bits, chunk_id, frames):
    """An AVI file of one video stream: 160 x 120, 15 frames a second, every
    frame a key frame; `handler` names the codec in the stream header and
    the bitmap header (b"DIB " for raw frames, whose compression is 0)."""
    image_size = AVI_WIDTH * AVI_HEIGHT * bits // 8
    largest = max(len(f) for f in frames)
    compression = 0 if handler == b"DIB " else struct.unpack("<I", handler)[0]
    avih = struct.pack("<IIIIIIIIII16x", 1000000 // AVI_FPS, largest * AVI_FPS, 0, 0x10,
                       AVI_FRAMES, 0, 1, largest, AVI_WIDTH, AVI_HEIGHT)
    strh = struct.pack("<4s4sIHHIIIIIIIIhhhh", b"vids", handler, 0, 0, 0, 0, 1, AVI_FPS, 0,
                       AVI_FRAMES, largest, 0xFFFFFFFF, 0, 0, 0, AVI_WIDTH, AVI_HEIGHT)
    strf = struct.pack("<IiiHHIIiiII", 40, AVI_WIDTH, AVI_HEIGHT, 1, bits, compression,
                       image_size, 0, 0, 0, 0)
    hdrl = riff_list(b"LIST", b"hdrl", [
        riff_chunk(b"avih", avih),
        riff_list(b"LIST", b"strl", [riff_chunk(b"strh", strh), riff_chunk(b"strf", strf)]),
    ])
    chunks = [riff_chunk(chunk_id, f) for f in frames]
    movi = riff_list(b"LIST", b"movi", chunks)
    index = bytearray()
    offset = 4  # index offsets count from the 'movi' tag
    for c, f in zip(chunks, frames):
        index += struct.pack("<4sIII", chunk_id, 0x10, offset, len(f))
        offset += len(c)
    return riff_list(b"RIFF", b"AVI ", [hdrl, movi, riff_chunk(b"idx1", bytes(index))])


def raw_avi():
    """The clip as raw 24-bit frames ("DIB "), 2 seconds."""
    return _avi_file(b"DIB ", 24, b"00db", _frames())


def avi():
    """The clip in Microsoft Video 1, 16-bit colour: the codec that Windows
    and Wine both decode themselves. (Wine hands a raw 24-bit stream to its
    RLE codec, which copies the rows unconverted into a 32-bit picture.)"""
    frames = [msvideo1.encode_frame(AVI_WIDTH, AVI_HEIGHT, f) for f in _frames()]
    return _avi_file(b"MSVC", 16, b"00dc", frames)


# ---------------------------------------------------------------- MIDI

def _vlq(n):
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.append(0x80 | (n & 0x7F))
        n >>= 7
    return bytes(reversed(out))


def _track(events):
    """events: (absolute tick, bytes) pairs; sorted stably by tick."""
    data = bytearray()
    now = 0
    for tick, ev in sorted(events, key=lambda e: e[0]):
        data += _vlq(tick - now) + ev
        now = tick
    data += _vlq(0) + b"\xff\x2f\x00"
    return b"MTrk" + struct.pack(">I", len(data)) + bytes(data)


Q = 480  # ticks per quarter note
A3, B3, C4, E4, F4, A4, B4, C5 = 57, 59, 60, 64, 65, 69, 71, 72

# "Sakura Sakura" (traditional), melody as (note, quarter notes).
SAKURA = [
    (A4, 1), (A4, 1), (B4, 2), (A4, 1), (A4, 1), (B4, 2),
    (A4, 1), (B4, 1), (C5, 1), (B4, 1), (A4, 1), (B4, .5), (A4, .5), (F4, 2),
    (E4, 1), (C4, 1), (E4, 1), (F4, 1), (E4, 1), (E4, .5), (C4, .5), (B3, 2),
    (A4, 1), (B4, 1), (C5, 1), (B4, 1), (A4, 1), (B4, .5), (A4, .5), (F4, 2),
    (E4, 1), (C4, 1), (E4, 1), (F4, 1), (E4, 1), (E4, .5), (C4, .5), (B3, 2),
    (A4, 1), (A4, 1), (B4, 2), (A4, 1), (A4, 1), (B4, 2),
    (E4, 1), (F4, 1), (B4, .5), (A4, .5), (F4, 1), (E4, 4),
]


def midi():
    """Format 1: a conductor track, a koto melody and a soft string drone."""
    conductor = [
        (0, b"\xff\x03" + _vlq(len(sjis("さくらさくら"))) + sjis("さくらさくら")),
        (0, b"\xff\x58\x04\x04\x02\x18\x08"),  # 4/4
        (0, b"\xff\x51\x03" + (600000).to_bytes(3, "big")),  # 100 beats a minute
    ]
    melody = [(0, b"\xff\x03\x04Koto"), (0, b"\xc0\x6b")]  # program 108: koto
    tick = 0
    first = True
    for note, beats in SAKURA:
        length = int(beats * Q)
        # Note on with an explicit status, then note off as a zero-velocity
        # note on under running status, as most sequencers write it.
        on = bytes((0x90, note, 90)) if first else bytes((note, 90))
        melody.append((tick, on))
        melody.append((tick + length - 20, bytes((note, 0))))
        first = False
        tick += length
    end = tick
    drone = [(0, b"\xff\x03\x07Strings"), (0, b"\xc1\x30"), (0, b"\xb1\x07\x50")]
    for bar in range(0, end, 8 * Q):
        length = min(8 * Q, end - bar)
        for note in (A3, E4):
            drone.append((bar, bytes((0x91, note, 50))))
        for note in (A3, E4):
            drone.append((bar + length - 10, bytes((0x81, note, 0))))
    header = b"MThd" + struct.pack(">IHHH", 6, 1, 3, Q)
    return header + _track(conductor) + _track(melody) + _track(drone)


# ---------------------------------------------------------------- WAV

def wav():
    """One second of a bell-like chime: 22050 Hz, 16-bit, mono."""
    rate = 22050
    samples = bytearray()
    for i in range(rate):
        t = i / rate
        attack = min(1.0, t / 0.01)
        env = attack * math.exp(-3.5 * t)
        v = (math.sin(2 * math.pi * 880 * t) + 0.4 * math.sin(2 * math.pi * 1760 * t)
             + 0.2 * math.sin(2 * math.pi * 2640 * t)) / 1.6
        samples += struct.pack("<h", int(round(v * env * 26000)))
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate * 2, 2, 16)
    return riff_list(b"RIFF", b"WAVE", [riff_chunk(b"fmt ", fmt), riff_chunk(b"data",
                                                                            bytes(samples))])
