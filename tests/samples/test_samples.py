#!/usr/bin/env python3
"""Checks that the sample folder holds well-formed files of every kind and
that making it twice gives the same bytes.

    test_samples.py --script scripts/make_samples.py [--built DIR]

The parsers here are written independently of the sample writers, from the
file formats, so that a writer fault shows up as a parse failure. With
--built, the folder made by the build is also compared with a fresh run."""

import argparse
import ctypes
import ctypes.util
import gzip
import io
import locale
import math
import os
import stat
import struct
import subprocess
import sys
import tarfile
import tempfile
import unittest
import wave
import zipfile
import zlib

ARGS = None
RUNS = []  # two fresh sample folders
TMP = None
EXE_BYTES = b"MZ" + b"\x90" * 62 + b"sample exe"
DLL_BYTES = b"MZ" + b"\x90" * 62 + b"sample dll"


def setUpModule():
    global TMP
    TMP = tempfile.TemporaryDirectory(prefix="qm-samples-")
    exe = os.path.join(TMP.name, "prog.exe")
    dll = os.path.join(TMP.name, "lib.dll")
    with open(exe, "wb") as f:
        f.write(EXE_BYTES)
    with open(dll, "wb") as f:
        f.write(DLL_BYTES)
    for n in range(2):
        out = os.path.join(TMP.name, "run%d" % n)
        subprocess.run([sys.executable, ARGS.script, out, "--exe", exe, "--dll", dll],
                       check=True, stdout=subprocess.DEVNULL)
        RUNS.append(out)


def tearDownModule():
    TMP.cleanup()


def sample(rel):
    with open(os.path.join(RUNS[0], *rel.split("/")), "rb") as f:
        return f.read()


def tree(root):
    out = {}
    for folder, _, files in os.walk(root):
        for name in files:
            full = os.path.join(folder, name)
            with open(full, "rb") as f:
                out[os.path.relpath(full, root)] = f.read()
    return out


def crc16_arc(data):
    crc = 0
    for b in data:
        crc ^= b
        for _ in range(8):
            crc = (crc >> 1) ^ 0xA001 if crc & 1 else crc >> 1
    return crc


class FolderTest(unittest.TestCase):
    def test_two_runs_give_identical_bytes(self):
        a, b = tree(RUNS[0]), tree(RUNS[1])
        self.assertEqual(sorted(a), sorted(b))
        for rel in a:
            self.assertEqual(a[rel], b[rel], rel)

    def test_every_kind_is_present(self):
        names = tree(RUNS[0])
        exts = {os.path.splitext(n)[1].lower() for n in names}
        for ext in (".txt", ".c", ".log", ".png", ".bmp", ".jpg", ".jpeg", ".gif", ".ico",
                    ".wmf", ".emf", ".avi", ".mid", ".wav", ".zip", ".tar", ".lzh", ".cab",
                    ".htm", ".exe", ".dll"):
            self.assertIn(ext, exts)
        self.assertIn("README", names)
        self.assertTrue(any(not n.isascii() and os.sep in n and not os.path.dirname(n).isascii()
                            for n in names), "a file inside a folder with a Japanese name")
        self.assertTrue(any(not os.path.basename(n).isascii() for n in names))

    def test_exe_and_dll_are_copies_and_times_are_fixed(self):
        self.assertEqual(sample("other/sample_program.exe"), EXE_BYTES)
        self.assertEqual(sample("other/sample_library.dll"), DLL_BYTES)
        times = {os.stat(os.path.join(RUNS[0], rel)).st_mtime for rel in tree(RUNS[0])}
        self.assertEqual(len(times), 1)

    def test_read_only_file_has_no_write_bits_and_rerun_replaces_it(self):
        path = os.path.join(RUNS[1], "other", "readonly.txt")
        self.assertEqual(os.stat(path).st_mode & (stat.S_IWUSR | stat.S_IWGRP | stat.S_IWOTH), 0)
        # A second run into the same folder must get past the read-only file
        # and leave files it did not make alone.
        keep = os.path.join(RUNS[1], "CMakeFiles.keep")
        with open(keep, "wb") as f:
            f.write(b"x")
        subprocess.run([sys.executable, ARGS.script, RUNS[1]], check=True,
                       stdout=subprocess.DEVNULL)
        self.assertTrue(os.path.exists(keep))
        self.assertEqual(os.stat(path).st_mode & stat.S_IWUSR, 0)
        os.unlink(keep)

    def test_missing_exe_is_an_error(self):
        result = subprocess.run([sys.executable, ARGS.script, os.path.join(TMP.name, "bad"),
                                 "--exe", os.path.join(TMP.name, "nothing.exe")],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.assertNotEqual(result.returncode, 0)

    def test_built_folder_matches_a_fresh_run(self):
        if not ARGS.built:
            self.skipTest("no built folder given")
        fresh = tree(RUNS[0])
        for rel, data in fresh.items():
            full = os.path.join(ARGS.built, rel)
            self.assertTrue(os.path.isfile(full), rel)
            if "sample_program" in rel or "sample_library" in rel:
                with open(full, "rb") as f:
                    self.assertEqual(f.read(2), b"MZ", rel)
                continue
            with open(full, "rb") as f:
                self.assertEqual(f.read(), data, rel)


class TextTest(unittest.TestCase):
    def test_japanese_text_is_cp932_with_every_feature(self):
        raw = sample("text/japanese.txt")
        with self.assertRaises(UnicodeDecodeError):
            raw.decode("utf-8")
        text = raw.decode("cp932")
        self.assertIn("ｱｲｳｴｵ", text)  # half-width katakana
        self.assertIn("漢字", text)
        self.assertIn("https://", text)
        self.assertIn("@example.com", text)
        self.assertIn("\t", text)
        self.assertIn("、", text)
        self.assertTrue(any(len(line.encode("cp932")) > 400 for line in text.split("\r\n")))
        self.assertNotIn("\n", text.replace("\r\n", ""))  # CRLF only

    def test_source_log_readme_and_names(self):
        src = sample("text/hello.c").decode("cp932")
        for token in ("/*", "//", '"', "0x", "{", "[", "("):
            self.assertIn(token, src)
        self.assertIn("[ERROR]", sample("text/build.log").decode("cp932"))
        sample("README").decode("cp932")
        sample("日本語フォルダ/メモ.txt").decode("cp932")
        self.assertIn(b"\x95\x5c", "表示テスト.txt".encode("cp932"))
        sample("text/表示テスト.txt").decode("cp932")

    def test_large_text_is_about_200_kb_and_decodes(self):
        raw = sample("text/large.txt")
        self.assertTrue(190 * 1024 <= len(raw) <= 230 * 1024, len(raw))
        raw.decode("cp932")

    def test_files_around_the_4_kb_limit(self):
        self.assertEqual(len(sample("text/limit_4096.txt")), 4096)
        self.assertEqual(len(sample("text/limit_4097.txt")), 4097)
        self.assertEqual(sample("text/empty.txt"), b"")
        split = sample("text/limit_split_kanji.txt")
        split.decode("cp932")
        # Byte 4096 (index 4095) must be a lead byte, counting characters
        # from the start so a trail byte is not mistaken for one.
        i = 0
        while i < 4095:
            i += 2 if 0x81 <= split[i] <= 0x9F or 0xE0 <= split[i] <= 0xFC else 1
        self.assertEqual(i, 4095)
        self.assertTrue(0x81 <= split[4095] <= 0x9F or 0xE0 <= split[4095] <= 0xFC)

    def test_html_declares_shift_jis(self):
        page = sample("other/page.htm").decode("cp932")
        self.assertIn("charset=Shift_JIS", page)
        self.assertIn("</html>", page)


# ------------------------------------------------------------------ PNG

ADAM7 = ((0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2),
         (0, 1, 1, 2))
PNG_CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}


def png_chunks(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("signature")
    pos = 8
    chunks = []
    while pos < len(data):
        length, kind = struct.unpack_from(">I4s", data, pos)
        body = data[pos + 8:pos + 8 + length]
        crc, = struct.unpack_from(">I", data, pos + 8 + length)
        if zlib.crc32(kind + body) & 0xFFFFFFFF != crc:
            raise ValueError("CRC of " + kind.decode())
        chunks.append((kind, body))
        pos += 12 + length
    return chunks


def png_decode(data):
    """(header, rows): rows[y] is a list of per-pixel sample tuples."""
    chunks = png_chunks(data)
    w, h, depth, ctype, comp, filt, lace = struct.unpack(">IIBBBBB", chunks[0][1])
    raw = zlib.decompress(b"".join(b for k, b in chunks if k == b"IDAT"))
    ch = PNG_CHANNELS[ctype]
    bpp = max(1, ch * depth // 8)
    image = [[None] * w for _ in range(h)]
    passes = ADAM7 if lace else ((0, 0, 1, 1),)
    pos = 0
    for x0, y0, dx, dy in passes:
        sw = (w - x0 + dx - 1) // dx if w > x0 else 0
        sh = (h - y0 + dy - 1) // dy if h > y0 else 0
        if not sw or not sh:
            continue
        stride = (sw * ch * depth + 7) // 8
        prev = bytearray(stride)
        for j in range(sh):
            ftype = raw[pos]
            if ftype > 4:
                raise ValueError("filter type %d" % ftype)
            line = bytearray(raw[pos + 1:pos + 1 + stride])
            pos += 1 + stride
            for i in range(stride):
                a = line[i - bpp] if i >= bpp else 0
                b = prev[i]
                c = prev[i - bpp] if i >= bpp else 0
                if ftype == 1:
                    line[i] = (line[i] + a) & 0xFF
                elif ftype == 2:
                    line[i] = (line[i] + b) & 0xFF
                elif ftype == 3:
                    line[i] = (line[i] + (a + b) // 2) & 0xFF
                elif ftype == 4:
                    p = a + b - c
                    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                    pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                    line[i] = (line[i] + pred) & 0xFF
            prev = line
            if depth == 16:
                samples = list(struct.unpack(">%dH" % (sw * ch), bytes(line)))
            elif depth == 8:
                samples = list(line)
            else:
                samples = [(line[k * depth // 8] >> (8 - depth - (k * depth) % 8))
                           & ((1 << depth) - 1) for k in range(sw)]
            for i in range(sw):
                image[y0 + j * dy][x0 + i * dx] = tuple(samples[i * ch:(i + 1) * ch])
    if pos != len(raw):
        raise ValueError("%d bytes of image data left over" % (len(raw) - pos))
    return (w, h, depth, ctype, lace), image, chunks


class PngTest(unittest.TestCase):
    def pngs(self):
        folder = os.path.join(RUNS[0], "images")
        return sorted(n for n in os.listdir(folder) if n.endswith(".png"))

    def test_every_png_has_good_crcs_and_decodes(self):
        seen = set()
        for name in self.pngs():
            with self.subTest(name=name):
                header, image, chunks = png_decode(sample("images/" + name))
                kinds = [k for k, _ in chunks]
                self.assertEqual(kinds[0], b"IHDR")
                self.assertEqual(kinds[-1], b"IEND")
                if header[3] == 3:
                    self.assertLess(kinds.index(b"PLTE"), kinds.index(b"IDAT"))
                    palette = dict(chunks)[b"PLTE"]
                    self.assertLessEqual(len(palette) // 3, 1 << header[2])
                    biggest = max(max(p) for row in image for p in row)
                    self.assertLess(biggest, len(palette) // 3)
                seen.add((header[3], header[2], header[4]))
        for combo in ((3, 8, 0), (3, 2, 0), (3, 1, 0), (2, 8, 0), (6, 8, 0), (0, 8, 0),
                      (0, 16, 0), (2, 16, 0), (2, 8, 1), (4, 8, 0)):
            self.assertIn(combo, seen)

    def test_interlaced_and_split_images_match_the_plain_one(self):
        _, plain, _ = png_decode(sample("images/png_rgb.png"))
        _, laced, _ = png_decode(sample("images/png_interlaced.png"))
        _, split, chunks = png_decode(sample("images/png_split_idat.png"))
        self.assertEqual(laced, plain)
        self.assertEqual(split, plain)
        self.assertGreater(sum(1 for k, _ in chunks if k == b"IDAT"), 1)
        _, deep, _ = png_decode(sample("images/png_rgb16.png"))
        diff = max(abs((d >> 8) - p) for rd, rp in zip(deep, plain) for pd, pp in zip(rd, rp)
                   for d, p in zip(pd, pp))
        self.assertLessEqual(diff, 1)  # the 16-bit picture is the same scene

    def test_every_filter_type_is_used(self):
        data = sample("images/png_rgb.png")
        chunks = png_chunks(data)
        w, h = struct.unpack(">II", chunks[0][1][:8])
        raw = zlib.decompress(b"".join(b for k, b in chunks if k == b"IDAT"))
        filters = {raw[y * (1 + w * 3)] for y in range(h)}
        self.assertEqual(filters, {0, 1, 2, 3, 4})

    def test_pictures_have_content(self):
        # A picture that is one flat colour would hide decoder faults.
        for name in self.pngs():
            _, image, _ = png_decode(sample("images/" + name))
            self.assertGreater(len({p for row in image for p in row}), 1, name)


# ------------------------------------------------------ other pictures

class PictureTest(unittest.TestCase):
    def check_bmp(self, data, bits):
        self.assertEqual(data[:2], b"BM")
        size, _, _, offset = struct.unpack_from("<IHHI", data, 2)
        self.assertEqual(size, len(data))
        hsize, w, h, planes, bitcount, comp, isize = struct.unpack_from("<IiiHHII", data, 14)
        self.assertEqual((hsize, planes, bitcount, comp), (40, 1, bits, 0))
        stride = (w * bits + 31) // 32 * 4
        self.assertEqual(len(data) - offset, stride * abs(h))
        if bits <= 8:
            used, = struct.unpack_from("<I", data, 46)
            self.assertEqual(offset, 54 + 4 * (used or 1 << bits))
        return w, h

    def test_bitmaps(self):
        self.check_bmp(sample("images/bmp24.bmp"), 24)
        w, _ = self.check_bmp(sample("images/bmp24_odd_width.bmp"), 24)
        self.assertNotEqual(w * 3 % 4, 0)
        self.check_bmp(sample("images/bmp8_palette.bmp"), 8)
        self.check_bmp(sample("images/bmp4_palette.bmp"), 4)

    def test_icon(self):
        data = sample("images/icon.ico")
        reserved, kind, count = struct.unpack_from("<HHH", data)
        self.assertEqual((reserved, kind), (0, 1))
        self.assertGreaterEqual(count, 2)
        end = 6 + 16 * count
        for i in range(count):
            w, h, colours, _, planes, bits, size, offset = struct.unpack_from(
                "<BBBBHHII", data, 6 + 16 * i)
            self.assertEqual(offset, end)  # images follow each other
            end += size
            hsize, bw, bh, _, bbits = struct.unpack_from("<IiiHH", data, offset)
            self.assertEqual((hsize, bw, bh, bbits), (40, w, 2 * h, bits))
            table = 4 * colours if bits < 8 else (1024 if bits == 8 else 0)
            mask = (w + 31) // 32 * 4 * h
            self.assertEqual(size, 40 + table + (w * bits + 31) // 32 * 4 * h + mask)
        self.assertEqual(end, len(data))

    def test_wmf_placeable_header_and_records(self):
        data = sample("images/drawing.wmf")
        key, = struct.unpack_from("<I", data)
        self.assertEqual(key, 0x9AC6CDD7)
        check = 0
        for (word,) in struct.iter_unpack("<H", data[:20]):
            check ^= word
        self.assertEqual(struct.unpack_from("<H", data, 20)[0], check)
        kind, hsize, version, words, objects, biggest, _ = struct.unpack_from("<HHHIHIH", data, 22)
        self.assertEqual((kind, hsize, version), (1, 9, 0x300))
        self.assertEqual(words * 2, len(data) - 22)
        pos = 22 + 18
        functions = []
        largest = 0
        while True:
            size, func = struct.unpack_from("<IH", data, pos)
            self.assertGreaterEqual(size, 3)
            largest = max(largest, size)
            functions.append(func)
            pos += size * 2
            if func == 0:
                break
        self.assertEqual(pos, len(data))
        self.assertEqual(largest, biggest)
        for func in (0x0418, 0x041B, 0x0324, 0x0521):  # ellipse, rectangle, polygon, text
            self.assertIn(func, functions)
        created = sum(1 for f in functions if f in (0x02FC, 0x02FA, 0x02FB))
        self.assertGreater(created, 0)
        self.assertEqual(created, functions.count(0x01F0))  # every object deleted

    def test_emf_header_and_records(self):
        data = sample("images/drawing.emf")
        kind, hsize = struct.unpack_from("<II", data)
        self.assertEqual(kind, 1)
        sig, version, total, records, handles = struct.unpack_from("<IIIIH", data, 40)
        self.assertEqual((sig, total), (0x464D4520, len(data)))
        pos, count, last = 0, 0, None
        while pos < len(data):
            last, size = struct.unpack_from("<II", data, pos)
            self.assertEqual(size % 4, 0)
            self.assertGreaterEqual(size, 8)
            pos += size
            count += 1
        self.assertEqual((pos, count, last), (len(data), records, 14))
        ndesc, offdesc = struct.unpack_from("<II", data, 60)
        self.assertEqual(data[offdesc:offdesc + 2 * ndesc].decode("utf-16-le")[:9], "Quillmark")

    def test_jpeg_and_gif(self):
        for name in ("photo.jpg", "photo_progressive.jpeg", "photo_grey.jpg"):
            data = sample("images/" + name)
            self.assertEqual(data[:2], b"\xff\xd8", name)
            self.assertEqual(data[-2:], b"\xff\xd9", name)
            pos, sof = 2, None
            while pos < len(data):
                marker, length = struct.unpack_from(">HH", data, pos)
                if marker in (0xFFC0, 0xFFC2):
                    sof = marker, struct.unpack_from(">HH", data, pos + 5)
                if marker == 0xFFDA:
                    break
                pos += 2 + length
            self.assertIsNotNone(sof, name)
            self.assertEqual(sof[0] == 0xFFC2, "progressive" in name)
        gif = sample("images/anim.gif")
        self.assertEqual(gif[:6], b"GIF89a")
        self.assertEqual(self.gif_frames(gif), 12)

    def gif_frames(self, data):
        flags = data[10]
        pos = 13 + (3 * (2 << (flags & 7)) if flags & 0x80 else 0)
        frames = 0
        while True:
            block = data[pos]
            if block == 0x3B:
                self.assertEqual(pos, len(data) - 1)
                return frames
            if block == 0x21:
                pos += 2
            elif block == 0x2C:
                frames += 1
                flags = data[pos + 9]
                pos += 10 + (3 * (2 << (flags & 7)) if flags & 0x80 else 0) + 1
            else:
                self.fail("GIF block 0x%02x" % block)
            while data[pos]:
                pos += 1 + data[pos]
            pos += 1


# ---------------------------------------------------------------- media

def riff_walk(test, data, pos, end, found):
    """Walks RIFF chunks between pos and end, checking every size."""
    while pos < end:
        fourcc, size = struct.unpack_from("<4sI", data, pos)
        test.assertLessEqual(pos + 8 + size, end, fourcc)
        if fourcc in (b"RIFF", b"LIST"):
            found.append((data[pos + 8:pos + 12], pos))
            riff_walk(test, data, pos + 12, pos + 8 + size, found)
        else:
            found.append((fourcc, pos))
        pos += 8 + size + (size & 1)
    test.assertEqual(pos, end)


def msvideo1_decode(width, height, data):
    """Microsoft Video 1, 16-bit: the frame as bottom-up rows of (r, g, b)."""
    def rgb(word):
        return tuple((c << 3 | c >> 2) for c in (word >> 10 & 31, word >> 5 & 31, word & 31))
    rows = [[None] * width for _ in range(height)]
    pos = skip = 0
    for by in range(0, height, 4):
        for bx in range(0, width, 4):
            if skip:
                skip -= 1
                continue
            word, = struct.unpack_from("<H", data, pos)
            pos += 2
            if 0x8400 <= word < 0x8800:
                skip = word - 0x8400 - 1
                continue
            if word & 0x8000:
                colours, mask = [rgb(word)] * 8, 0
            else:
                mask = word
                n = 8 if data[pos + 1] & 0x80 else 2
                colours = [rgb(w) for w in struct.unpack_from("<%dH" % n, data, pos)]
                pos += 2 * n
            for y in range(4):
                for x in range(4):
                    pair = ((y & 2) * 2 + (x & 2)) if len(colours) == 8 else 0
                    rows[by + y][bx + x] = colours[pair + (0 if mask >> (y * 4 + x) & 1 else 1)]
    return rows


def clip_frame_problems(rows, n, frames):
    """What is wrong with frame n of the sample clip's picture (rows top
    down, (r, g, b)): the teal-to-navy sky, the green floor, the white
    progress bar of length 160 (n + 1) / frames, one red ball on its path."""
    problems = []

    def near(p, want, tol=14):
        return all(abs(a - b) <= tol for a, b in zip(p, want))
    for x in (2, 80, 157):
        if not near(rows[4][x], (58, 175, 195)):
            problems.append("sky at (%d, 4) is %s" % (x, rows[4][x]))
        if not near(rows[108][x], (60, 90, 40)):
            problems.append("floor at (%d, 108) is %s" % (x, rows[108][x]))
    bar = next((x for x in range(160) if not near(rows[113][x], (240, 240, 240))), 160)
    if bar != 160 * (n + 1) // frames:
        problems.append("bar %d long" % bar)
    red = [(x, y) for y in range(100) for x in range(160)
           if rows[y][x][0] > 170 and rows[y][x][2] < 120]
    if not 300 <= len(red) <= 500:
        problems.append("%d red pixels" % len(red))
    else:
        cx = sum(x for x, _ in red) / len(red) + 0.5
        cy = sum(y for _, y in red) / len(red) + 0.5
        t = n / frames
        want = (16 + 128 * t, 88 - 60 * abs(math.sin(3 * math.pi * t)))
        if abs(cx - want[0]) > 2 or abs(cy - want[1]) > 2:
            problems.append("ball at (%.1f, %.1f), not (%.1f, %.1f)" % (cx, cy, want[0], want[1]))
    return problems


class MediaTest(unittest.TestCase):
    def test_avi(self):
        data = sample("media/clip.avi")
        self.assertEqual(data[:4] + data[8:12], b"RIFFAVI ")
        self.assertEqual(struct.unpack_from("<I", data, 4)[0] + 8, len(data))
        found = []
        riff_walk(self, data, 12, len(data), found)
        kinds = [k for k, _ in found]
        avih = data[dict(found)[b"avih"] + 8:]
        usec, _, _, flags, frames, _, streams, _, w, h = struct.unpack_from("<10I", avih)
        self.assertEqual((w, h, streams), (160, 120, 1))
        self.assertAlmostEqual(usec * frames / 1e6, 2.0, delta=0.1)
        self.assertEqual(kinds.count(b"00dc"), frames)
        strh = data[dict(found)[b"strh"] + 8:]
        self.assertEqual(strh[:8], b"vidsMSVC")
        strf = data[dict(found)[b"strf"] + 8:]
        self.assertEqual(struct.unpack_from("<IiiHH4s", strf), (40, 160, 120, 1, 16, b"MSVC"))
        # The index points at every frame chunk, each a key frame whose
        # picture is what the clip shows at that frame.
        idx = dict(found)[b"idx1"]
        movi = dict(found)[b"movi"]
        size, = struct.unpack_from("<I", data, idx + 4)
        entries = [struct.unpack_from("<4sIII", data, idx + 8 + i) for i in range(0, size, 16)]
        self.assertEqual(len(entries), frames)
        for n, (ckid, flags, offset, length) in enumerate(entries):
            at = movi + 8 + offset
            self.assertEqual(data[at:at + 4], ckid)
            self.assertEqual(struct.unpack_from("<I", data, at + 4)[0], length)
            self.assertEqual(flags & 0x10, 0x10)
            rows = msvideo1_decode(160, 120, data[at + 8:at + 8 + length])
            self.assertEqual(clip_frame_problems(rows[::-1], n, frames), [], "frame %d" % n)

    def test_midi(self):
        data = sample("media/sakura.mid")
        self.assertEqual(data[:4], b"MThd")
        length, fmt, ntrks, division = struct.unpack_from(">IHHH", data, 4)
        self.assertEqual(length, 6)
        pos, tracks, notes = 14, 0, 0
        while pos < len(data):
            self.assertEqual(data[pos:pos + 4], b"MTrk")
            size, = struct.unpack_from(">I", data, pos + 4)
            notes += self.midi_track(data[pos + 8:pos + 8 + size])
            pos += 8 + size
            tracks += 1
        self.assertEqual((pos, tracks), (len(data), ntrks))
        self.assertGreater(notes, 20)

    def midi_track(self, t):
        """Parses every event (with running status); returns note-ons."""
        pos, status, notes = 0, None, 0
        while True:
            while t[pos] & 0x80:  # delta time
                pos += 1
            pos += 1
            b = t[pos]
            if b == 0xFF:
                kind, length = t[pos + 1], t[pos + 2]
                self.assertLess(length, 0x80)
                pos += 3 + length
                status = None
                if kind == 0x2F:
                    self.assertEqual(pos, len(t))  # end of track ends the chunk
                    return notes
                continue
            if b & 0x80:
                status = b
                pos += 1
            self.assertIsNotNone(status, "running status without a status")
            n = 1 if status & 0xF0 in (0xC0, 0xD0) else 2
            if status & 0xF0 == 0x90 and t[pos + 1]:
                notes += 1
            pos += n

    def test_wav(self):
        data = sample("media/chime.wav")
        self.assertEqual(struct.unpack_from("<I", data, 4)[0] + 8, len(data))
        with wave.open(io.BytesIO(data)) as w:
            self.assertEqual((w.getnchannels(), w.getsampwidth()), (1, 2))
            seconds = w.getnframes() / w.getframerate()
            frames = w.readframes(w.getnframes())
        self.assertTrue(0.3 <= seconds <= 3.0)
        peak = max(abs(v) for (v,) in struct.iter_unpack("<h", frames))
        self.assertGreater(peak, 10000)


# ------------------------------------------------------------- archives

def lzh_members(data):
    """(path bytes, data, level, method) of every member, checking header
    checksums and CRCs and the data CRC-16."""
    pos, out = 0, []
    while data[pos] != 0:
        level = data[pos + 20]
        method = data[pos + 2:pos + 7]
        if level == 1:
            hsize, csum = data[pos], data[pos + 1]
            if sum(data[pos + 2:pos + 2 + hsize]) & 0xFF != csum:
                raise ValueError("level 1 header checksum")
            csize, osize = struct.unpack_from("<II", data, pos + 7)
            nlen = data[pos + 21]
            name = data[pos + 22:pos + 22 + nlen]
            crc, = struct.unpack_from("<H", data, pos + 22 + nlen)
            nxt, = struct.unpack_from("<H", data, pos + 25 + nlen)
            ext_pos = pos + 2 + hsize
            exts, ext_len = lzh_exts(data, ext_pos, nxt)
            body_pos = ext_pos + ext_len
            body = data[body_pos:body_pos + csize - ext_len]
            pos = body_pos + csize - ext_len
        elif level == 2:
            hsize, = struct.unpack_from("<H", data, pos)
            csize, osize = struct.unpack_from("<II", data, pos + 7)
            crc, = struct.unpack_from("<H", data, pos + 21)
            nxt, = struct.unpack_from("<H", data, pos + 24)
            exts, ext_len = lzh_exts(data, pos + 26, nxt)
            header = bytearray(data[pos:pos + hsize])
            if 0 not in exts or 26 + ext_len > hsize:
                raise ValueError("level 2 header without CRC")
            stored, = struct.unpack("<H", exts[0][:2])
            header[27:29] = b"\0\0"  # the common header comes first
            if crc16_arc(bytes(header)) != stored:
                raise ValueError("level 2 header CRC")
            name = exts.get(1, b"")
            body = data[pos + hsize:pos + hsize + csize]
            pos += hsize + csize
        else:
            raise ValueError("level %d" % level)
        folder = exts.get(2, b"")
        path = folder.replace(b"\xff", b"/") + name
        if method == b"-lh0-":
            if len(body) != osize or crc16_arc(body) != crc:
                raise ValueError("data of " + repr(path))
        elif method != b"-lhd-":
            raise ValueError("method " + repr(method))
        out.append((path, body, level, method))
    if pos != len(data) - 1:
        raise ValueError("bytes after the end mark")
    return out


def lzh_exts(data, pos, size):
    exts, total = {}, 0
    while size:
        exts[data[pos]] = data[pos + 1:pos + size - 2]
        total += size
        pos += size
        size, = struct.unpack_from("<H", data, pos - 2)
    return exts, total


def cab_members(data):
    sig, _, total, _, coff_files, _, minor, major, folders, files, flags = struct.unpack_from(
        "<4sIIIIIBBHHH", data)
    if (sig, total, major, minor, flags) != (b"MSCF", len(data), 1, 3, 0):
        raise ValueError("cabinet header")
    start, blocks, compression = struct.unpack_from("<IHH", data, 36)
    if folders != 1 or compression != 0 or coff_files != 44:
        raise ValueError("folder entry")
    entries, pos = [], coff_files
    for _ in range(files):
        size, offset, folder, _, _, attribs = struct.unpack_from("<IIHHHH", data, pos)
        end = data.index(b"\0", pos + 16)
        entries.append((data[pos + 16:end], size, offset, attribs))
        pos = end + 1
    if pos != start:
        raise ValueError("file entries do not end where the data starts")
    stream, pos = bytearray(), start
    for _ in range(blocks):
        csum, packed, unpacked = struct.unpack_from("<IHH", data, pos)
        block = data[pos + 8:pos + 8 + packed]
        if packed != unpacked or packed > 32768:
            raise ValueError("block sizes")
        if cab_checksum(data[pos + 4:pos + 8], cab_checksum(block, 0)) != csum:
            raise ValueError("block checksum")
        stream += block
        pos += 8 + packed
    if pos != len(data):
        raise ValueError("trailing bytes")
    return [(name, bytes(stream[off:off + size]), attribs) for name, size, off, attribs in entries]


def cab_checksum(data, seed):
    csum = seed
    whole = len(data) // 4 * 4
    for (word,) in struct.iter_unpack("<I", data[:whole]):
        csum ^= word
    tail = data[whole:]
    value = 0
    for b in tail:
        value = value << 8 | b
    return csum ^ value


class ArchiveTest(unittest.TestCase):
    JAPANESE = "日本語/説明.txt"

    def test_zip(self):
        data = sample("archives/sample.zip")
        with zipfile.ZipFile(io.BytesIO(data)) as z:
            self.assertIsNone(z.testzip())
            infos = z.infolist()
            # Without the UTF-8 flag the names are CP932 bytes, which
            # zipfile hands back decoded as code page 437.
            names = [i.filename.encode("cp437").decode("cp932") for i in infos]
            self.assertTrue(all(not i.flag_bits & 0x800 for i in infos))
            self.assertIn(self.JAPANESE, names)
            self.assertIn("日本語/", names)
            self.assertIn("表示テスト.txt", names)
            self.assertEqual({i.compress_type for i in infos}, {0, 8})

    def test_tar(self):
        data = sample("archives/sample.tar")
        with tarfile.open(fileobj=io.BytesIO(data), encoding="cp932") as t:
            members = {m.name: m for m in t.getmembers()}
            self.assertTrue(members["日本語"].isdir())
            text = t.extractfile(members[self.JAPANESE]).read()
        self.assertIn(self.JAPANESE.encode("cp932"), data)
        text.decode("cp932")

    def test_gzipped_tar_holds_the_tar(self):
        self.assertEqual(gzip.decompress(sample("archives/sample.tar.gz")),
                         sample("archives/sample.tar"))

    def test_lzh_levels_and_names(self):
        members = lzh_members(sample("archives/sample.lzh"))
        paths = [p.decode("cp932") for p, _, _, _ in members]
        self.assertIn(self.JAPANESE, paths)
        self.assertIn("日本語/", paths)
        self.assertEqual({lv for _, _, lv, _ in members}, {2})
        self.assertEqual({m for _, _, _, m in members}, {b"-lh0-", b"-lhd-"})

    def test_lzh_level2_header_of_256_bytes_is_padded(self):
        # A header may not begin with a zero byte, which marks the end of the
        # archive; names of every length around 256 header bytes must parse.
        sys.path.insert(0, os.path.dirname(os.path.abspath(ARGS.script)))
        from samplegen import lzh
        sizes = set()
        for length in range(215, 230):
            name = b"n" * (length - 4) + b".txt"
            data = lzh.lzh([(name, b"data"), (b"next.txt", b"more")], level=2)
            self.assertNotEqual(data[0], 0)
            hsize, = struct.unpack_from("<H", data)
            self.assertNotEqual(hsize & 0xFF, 0)
            sizes.add(hsize)
            self.assertEqual([(p, d) for p, d, _, _ in lzh_members(data)],
                             [(name, b"data"), (b"next.txt", b"more")])
        self.assertTrue({255, 257} <= sizes)  # the range crosses 256

    def test_cab(self):
        members = cab_members(sample("archives/sample.cab"))
        names = [n.decode("cp932") for n, _, _ in members]
        self.assertIn(self.JAPANESE.replace("/", "\\"), names)
        large = [d for n, d, _ in members if n == b"large_part.txt"][0]
        self.assertGreater(len(large), 32768)  # spans more than one block
        large.decode("cp932")

    def test_nested_archive(self):
        members = lzh_members(sample("archives/nested.lzh"))
        self.assertEqual({lv for _, _, lv, _ in members}, {1})
        inner = dict((p, d) for p, d, _, _ in members)[b"inner.zip"]
        with zipfile.ZipFile(io.BytesIO(inner)) as z:
            self.assertIsNone(z.testzip())
            names = [n.encode("cp437").decode("cp932") for n in z.namelist()]
        self.assertIn("中身.txt", names)

    def test_archives_hold_the_same_files(self):
        with zipfile.ZipFile(io.BytesIO(sample("archives/sample.zip"))) as z:
            zipped = {i.filename.encode("cp437"): z.read(i) for i in z.infolist()
                      if not i.is_dir()}
        lzh = {p: d for p, d, _, m in lzh_members(sample("archives/sample.lzh"))
               if m == b"-lh0-"}
        # Decode before swapping separators: a CP932 trail byte can be 0x5C.
        cab = {n.decode("cp932").replace("\\", "/").encode("cp932"): d
               for n, d, _ in cab_members(sample("archives/sample.cab"))}
        self.assertEqual(lzh, zipped)
        for name, data in zipped.items():
            self.assertEqual(cab[name], data)


def load_libarchive():
    name = ctypes.util.find_library("archive")
    if not name:
        return None
    try:
        lib = ctypes.CDLL(name)
    except OSError:
        return None
    vp = ctypes.c_void_p
    for fn, args, res in (
            ("archive_read_new", [], vp),
            ("archive_read_set_options", [vp, ctypes.c_char_p], ctypes.c_int),
            ("archive_read_open_memory", [vp, ctypes.c_char_p, ctypes.c_size_t], ctypes.c_int),
            ("archive_read_next_header", [vp, ctypes.POINTER(vp)], ctypes.c_int),
            ("archive_read_data", [vp, vp, ctypes.c_size_t], ctypes.c_ssize_t),
            ("archive_read_free", [vp], ctypes.c_int),
            ("archive_error_string", [vp], ctypes.c_char_p),
            ("archive_entry_pathname", [vp], ctypes.c_char_p)):
        getattr(lib, fn).argtypes = args
        getattr(lib, fn).restype = res
    for fmt in ("zip", "tar", "lha", "cab"):
        getattr(lib, "archive_read_support_format_" + fmt).argtypes = [vp]
    return lib


class LibarchiveTest(unittest.TestCase):
    """The archiver stand-ins read archives through libarchive, so the samples
    must open there too, names and data intact. Each archive is opened with
    only its own format enabled, as a format's library does, and with the
    header charset set to CP932 (on Linux libarchive would otherwise take the
    names as UTF-8)."""

    def read_all(self, lib, fmt, data):
        a = lib.archive_read_new()
        try:
            getattr(lib, "archive_read_support_format_" + fmt)(a)
            self.assertEqual(lib.archive_read_set_options(a, b"hdrcharset=CP932"), 0)
            self.assertEqual(lib.archive_read_open_memory(a, data, len(data)), 0)
            entry = ctypes.c_void_p()
            members = {}
            buf = ctypes.create_string_buffer(65536)
            while True:
                r = lib.archive_read_next_header(a, ctypes.byref(entry))
                if r == 1:  # end of archive
                    break
                self.assertEqual(r, 0, lib.archive_error_string(a))
                name = lib.archive_entry_pathname(entry).decode("utf-8")
                body = bytearray()
                while True:
                    n = lib.archive_read_data(a, buf, len(buf))
                    self.assertGreaterEqual(n, 0, lib.archive_error_string(a))
                    if n == 0:
                        break
                    body += buf.raw[:n]
                members[name.rstrip("/")] = bytes(body)
            return members
        finally:
            lib.archive_read_free(a)

    def test_archives_open_in_libarchive(self):
        lib = load_libarchive()
        if lib is None:
            self.skipTest("libarchive is not installed")
        try:
            locale.setlocale(locale.LC_ALL, "C.UTF-8")
        except locale.Error:
            self.skipTest("no C.UTF-8 locale for libarchive's name conversion")
        with zipfile.ZipFile(io.BytesIO(sample("archives/sample.zip"))) as z:
            expected = {i.filename.encode("cp437").decode("cp932").rstrip("/"): z.read(i)
                        for i in z.infolist()}
        for name, fmt in (("sample.zip", "zip"), ("sample.tar", "tar"), ("sample.lzh", "lha")):
            with self.subTest(name=name):
                self.assertEqual(self.read_all(lib, fmt, sample("archives/" + name)), expected)
        cab = self.read_all(lib, "cab", sample("archives/sample.cab"))
        for name, data in expected.items():
            if data:
                self.assertEqual(cab[name], data, name)
        nested = self.read_all(lib, "lha", sample("archives/nested.lzh"))
        self.assertIn("inner.zip", nested)


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--script", required=True)
    parser.add_argument("--built")
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=1)


if __name__ == "__main__":
    main()
