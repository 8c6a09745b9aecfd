#!/usr/bin/env python3
"""Make the seed corpora of the fuzz targets (fuzz/*_fuzz.cpp).

    fuzz_corpus.py OUTDIR

Writes OUTDIR/<target>/<name> for every target: the sample generator's real
files (PNG pictures, texts, archive member names), wrapped in the option
bytes each target reads. The targets read their inputs with libFuzzer's
FuzzedDataProvider: numbers and switches are taken from the end of the
input, strings and the remaining text from its front. Seed.tail() and
Seed.string() write both ends in that order. Same bytes on every run."""

import hashlib
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from samplegen import arj, pictures, png, raster, texts  # noqa: E402
from samplegen.util import sjis  # noqa: E402


class Seed:
    """One input: a front part and the values consumed from the end."""

    def __init__(self):
        self.front = bytearray()
        self.back = []  # bytes in the order they are consumed

    def integer(self, value, lo, hi):
        """An integer in lo..hi, as ConsumeIntegralInRange reads it."""
        span = hi - lo
        count = 0
        while count < 8 and (span >> (8 * count)) > 0:
            count += 1
        v = value - lo
        # The first byte consumed becomes the most significant one.
        for i in reversed(range(count)):
            self.back.append((v >> (8 * i)) & 0xFF)
        return self

    def flag(self, on):
        self.back.append(1 if on else 0)
        return self

    def u32(self, value):
        return self.integer(value, 0, 0xFFFFFFFF)

    def u16(self, value):
        return self.integer(value, 0, 0xFFFF)

    def string(self, data, most):
        """A string as ConsumeRandomLengthString(most) reads it."""
        data = bytes(data)[:most]
        self.front += data.replace(b"\\", b"\\\\")
        if len(data) < most:
            self.front += b"\\;"
        return self

    def raw(self, data):
        self.front += bytes(data)
        return self

    def bytes(self):
        return bytes(self.front) + bytes(reversed(self.back))


def small_pngs():
    """Small pictures of every colour type and depth: quick to mutate."""
    land = raster.landscape(7, 5)
    rgb8 = [[tuple(raster.clamp8(v) for v in land.pixel(x, y)[:3]) for x in range(7)]
            for y in range(5)]
    rgba = [[row[x] + (x * 40,) for x in range(7)] for row in rgb8]
    grey = [[(x * 37 + y * 11) & 0xFF for x in range(7)] for y in range(5)]
    pal = [(i * 60 % 256, i * 90 % 256, i * 30 % 256) for i in range(4)]
    idx = [[(x + y) % 4 for x in range(7)] for y in range(5)]
    out = [
        ("rgb8", png.encode(rgb8, 7, 5, 2, 8)),
        ("rgb8_interlaced", png.encode(rgb8, 7, 5, 2, 8, interlace=True)),
        ("rgb16", png.encode([[tuple(v * 257 for v in p) for p in r] for r in rgb8], 7, 5, 2, 16)),
        ("rgba8_two_idat", png.encode(rgba, 7, 5, 6, 8, idat_parts=2)),
        ("grey8_trns", png.encode(grey, 7, 5, 0, 8, trns=b"\0\0")),
        ("grey16", png.encode([[v * 257 for v in r] for r in grey], 7, 5, 0, 16)),
        ("grey_alpha", png.encode([[(v, 255 - v) for v in r] for r in grey], 7, 5, 4, 8)),
        ("pal2_trns", png.encode(idx, 7, 5, 3, 2, palette=pal, trns=b"\0\x80")),
        ("pal1_interlaced", png.encode([[v & 1 for v in r] for r in idx], 7, 5, 3, 1,
                                       palette=pal[:2], interlace=True)),
        ("grey4_text", png.encode([[v >> 4 for v in r] for r in grey], 7, 5, 0, 4,
                                  text=[("Comment", "seed")],
                                  extra_chunks=[(b"gAMA", struct.pack(">I", 45455)),
                                                (b"pHYs", struct.pack(">IIB", 1, 1, 1))])),
    ]
    return out


SAMPLE_TEXTS = [
    ("readme", texts.encode(texts.README)),
    ("japanese", texts.encode(texts.JAPANESE)),
    ("c_source", texts.encode(texts.C_SOURCE)),
    ("build_log", texts.encode(texts.BUILD_LOG)),
    ("memo", texts.encode(texts.MEMO)),
    ("html", texts.encode(texts.HTML)),
]


def text_wrap_seeds():
    # Options as the target reads them: source, order, tab width, wrap
    # width, the four switches, then default or own rule strings.
    settings = [
        (True, False, 8, 80, False, False, False, False),
        (False, True, 4, 20, True, True, True, False),
        (True, True, 8, 24, False, True, True, True),
        (False, False, 2, 37, True, False, False, True),
    ]
    for i, (name, data) in enumerate(SAMPLE_TEXTS):
        s = settings[i % len(settings)]
        seed = Seed()
        seed.flag(s[0]).flag(s[1]).integer(s[2], 0, 10).integer(s[3], 0, 300)
        for on in s[4:]:
            seed.flag(on)
        for _ in range(3):
            seed.flag(True)  # the default rule strings
        yield name, seed.raw(data[:3000]).bytes()
    # Lines at the wrap width, with a tab and a double-byte character on the edge.
    edge = b"x" * 19 + sjis("\u3042") + b"\r\n" + b"abc\tdef" * 4 + b"\x1a tail"
    seed = Seed().flag(False).flag(False).integer(8, 0, 10).integer(20, 0, 300)
    for on in (False, False, True, True, True, True, True):
        seed.flag(on)
    yield "edges", seed.raw(edge).bytes()


def tokenizer_seed(text, brackets, commenter, quote, hex_prefix, switches, words, wrap, state):
    seed = Seed().integer(4, 1, 6).integer(len(brackets), 0, 14)
    for left, right in brackets:
        seed.string(left, 4).string(right, 4)
    seed.string(commenter, 3).string(quote, 2).string(hex_prefix, 3)
    for on in switches:
        seed.flag(on)
    seed.integer(len(words), 0, 4)
    for w in words:
        seed.string(w, 6)
    seed.flag(wrap).integer(24, 20, 40).integer(state, -3, len(brackets) - 1)
    seed.string(text, 4096)
    return seed.bytes()


def tokenizer_seeds():
    # The main window's design: "{" "}" brackets, ">" comments, quotes,
    # "#" numbers, control codes, mail and URLs.
    design = ([(b"{", b"}")], b">", b"'", b"#", (True, True, True))
    for name, data in SAMPLE_TEXTS:
        yield name, tokenizer_seed(data[:2000], *design, [b"int", b"return"], False, -1)
    yield "c_comments", tokenizer_seed(texts.encode(texts.C_SOURCE)[:2000],
                                       [(b"/*", b"*/"), (b"\"", b"\"")], b"//", b"'", b"0x",
                                       (False, False, False), [b"while"], True, 0)


def undo_seeds():
    for name, data in SAMPLE_TEXTS[:3]:
        for wrap in (False, True):
            seed = Seed().integer(24, 20, 40).flag(True).flag(wrap)
            seed.string(data[:400], 512)
            # Put line 1, add a line, replace two rows, undo and redo, delete line 0.
            seed.integer(1, 0, 5).integer(1, -1, 99).string(b"changed \x82\xa0 line", 48)
            seed.integer(2, 0, 5).string(b"added", 48)
            seed.integer(0, 0, 5).integer(0, -1, 99).integer(2, -1, 99).string(b"a\r\nb\tc", 48)
            seed.integer(5, 0, 5)
            seed.integer(4, 0, 5).integer(0, -1, 99)
            yield "%s_%s" % (name, "wrap" if wrap else "plain"), seed.bytes()


MEMBER_NAMES = [
    "readme.txt", "日本語/", "日本語/説明.txt", "images/", "images/landscape.bmp",
    "表示テスト.txt", "hello.c", "inner.zip", "docs\\sub\\deep.txt", "/abs/b.txt",
]


def member_records_seeds():
    for archive in range(6):
        seed = Seed().integer(archive, 0, 5).integer(-2, -2, 1 << 30).integer(archive % 8, 0, 7)
        for n, name in enumerate(MEMBER_NAMES):
            raw = n % 3 == 2
            seed.flag(raw)
            if raw:
                # The record as a library fills it: sizes, ratio, DOS stamp,
                # path at 26, attribute text at 542, method at 550.
                rec = bytearray(560)
                struct.pack_into("<IIIII", rec, 0, 1000 * n, 400 * n, 0x1234, 0, 0)
                struct.pack_into("<HHH", rec, 20, 400, (24 << 9) | (2 << 5) | 29, (13 << 11) | 7)
                path = sjis(name)
                rec[26:26 + len(path)] = path
                rec[542:546] = b"A--R"
                rec[550:555] = b"-lh5-"
                seed.raw(rec)
            else:
                seed.u32(1000 * n).u32(400 * n).u16(523).u16((20 << 9) | (1 << 5) | 1).u16(0)
                seed.string(b"A---", 8).string(sjis(name), 64)
            seed.integer(0x10 if name.endswith("/") else 0x20, -(1 << 31), (1 << 31) - 1)
        yield "archive%d" % archive, seed.bytes()


def ini_values_seeds():
    values = [b"4", b"-3", b"$1F", b"0x1f", b"abc", b"clBlue", b"CLNAVY", b"$00123456",
              b"99999999999999999999", b" 12 ", b"2147483647", b"-2147483648", b"$FFFFFFFF"]
    for i, v in enumerate(values):
        # Fallback and colour come from the end, the text is the rest.
        seed = Seed().integer(4, -(1 << 31), (1 << 31) - 1).u32(0xFF0000 + i)
        yield "value%02d" % i, seed.raw(v).bytes()


def arj_seeds():
    # Whole archives: the target lists them and decodes every member.
    repeats = b"abcabcabc " * 40 + bytes(range(256)) + b"\0" * 300
    jp = sjis("\u65e5\u672c\u8a9e")
    for method, label in ((arj.STORED, "stored"), (arj.HUFFMAN, "huffman"), (arj.FAST, "fast")):
        yield label, arj.arj([(b"readme.txt", texts.encode(texts.README)[:1500], method)],
                             b"%s.ARJ" % label.upper().encode())
        yield label + "_repeats", arj.arj([(b"a.bin", repeats, method),
                                           (b"b.txt", b"x", method),
                                           (b"empty.txt", b"", method)], b"R.ARJ")
    yield "folders", arj.arj([(jp + b"/", b"", arj.STORED),
                              (jp + b"/" + sjis("\u8aac\u660e") + b".txt",
                               texts.encode(texts.JAPANESE)[:800], arj.HUFFMAN),
                              (b"sub/deep/c.c", texts.encode(texts.C_SOURCE)[:600], arj.FAST)],
                             b"FOLDERS.ARJ")
    yield "empty", arj.arj([], b"EMPTY.ARJ")
    # Bare streams for the decoders on their own: the original size is
    # read from the end of the input.
    for method, label in ((arj.HUFFMAN, "huffman"), (arj.FAST, "fast")):
        data = texts.encode(texts.MEMO)[:1200]
        seed = Seed().integer(len(data), 0, 1 << 17).raw(arj.compress(data, method))
        yield "stream_" + label, seed.bytes()


def text_encoding_seeds():
    # Options as the target reads them: encoding (0 Shift_JIS, 1 UTF-8,
    # 2 UTF-16LE, 3 UTF-16BE, 4 EUC-JP, 5 JIS), one to four piece sizes, the
    # load switch; then the text.
    codecs = [(0, "cp932", b""), (1, "utf-8", b"\xef\xbb\xbf"), (2, "utf-16-le", b"\xff\xfe"),
              (3, "utf-16-be", b"\xfe\xff"), (4, "euc_jp", b""), (5, "iso2022_jp", b"")]
    for i, (name, data) in enumerate(SAMPLE_TEXTS[:3]):
        text = data[:1500].decode("cp932", "replace")
        for number, codec, bom in codecs:
            seed = Seed().integer(number, 0, 5).integer(2, 1, 4)
            seed.integer(1 + i, 1, 9).integer(7, 1, 9).flag(i == 0)
            yield "%s_%s" % (name, codec), seed.raw(bom + text.encode(codec, "replace")).bytes()
    # An escape that never returns, half-width katakana in EUC-JP, a lone
    # surrogate, an odd length.
    hard = [(5, b"\x1b$B$\"$$\r\nnext\x1b(I12\x0e3\x0f"), (4, b"\x8e\xb1\x8e\xdf\x8f\xb0\xa1\xa4\xa2"),
            (2, b"\xff\xfe\x00\xdc\x3d\xd8a\x00\n\x00z")]
    for number, raw in hard:
        yield "hard_%d" % number, Seed().integer(number, 0, 5).integer(1, 1, 4).integer(1, 1, 9).flag(True).raw(raw).bytes()


def main(argv):
    if len(argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    out = argv[1]
    makers = {
        "fuzz_png": lambda: list(small_pngs()) + [(n, d) for n, d in pictures.png_files()],
        "fuzz_text_wrap": text_wrap_seeds,
        "fuzz_tokenizer": tokenizer_seeds,
        "fuzz_undo": undo_seeds,
        "fuzz_member_records": member_records_seeds,
        "fuzz_ini_values": ini_values_seeds,
        "fuzz_arj": arj_seeds,
        "fuzz_text_encoding": text_encoding_seeds,
    }
    total = 0
    for target, make in makers.items():
        folder = os.path.join(out, target)
        os.makedirs(folder, exist_ok=True)
        for name, data in make():
            digest = hashlib.sha1(data).hexdigest()[:8]
            with open(os.path.join(folder, "%s-%s" % (name, digest)), "wb") as f:
                f.write(data)
            total += 1
    print("seeds: %d inputs for %d targets in %s" % (total, len(makers), out))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
