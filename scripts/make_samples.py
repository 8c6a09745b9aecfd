#!/usr/bin/env python3
"""Make Quillmark's sample folder: real files of every kind the viewer knows.

    make_samples.py OUTDIR [--exe PATH] [--dll PATH]

The output is the same byte for byte on every run (fixed contents, fixed
timestamps). Only Python's standard library is used, plus ImageMagick's
/usr/bin/convert for JPEG and GIF. Files already in OUTDIR that this script
does not make are left alone."""

import argparse
import gzip
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from samplegen import archives, arj, bitmaps, cab, lzh, media, pictures, raster, texts  # noqa: E402
from samplegen.util import FIXED_UNIX_TIME, SampleWriter, sjis  # noqa: E402


def write_texts(w):
    w.write("README", texts.encode(texts.README))
    w.write("text/japanese.txt", texts.encode(texts.JAPANESE))
    w.write("text/hello.c", texts.encode(texts.C_SOURCE))
    w.write("text/build.log", texts.encode(texts.BUILD_LOG))
    w.write("text/large.txt", texts.large_text())
    exact, over, split = texts.limit_texts()
    w.write("text/limit_4096.txt", exact)
    w.write("text/limit_4097.txt", over)
    w.write("text/limit_split_kanji.txt", split)
    w.write("text/empty.txt", b"")
    w.write("text/表示テスト.txt", texts.encode(texts.JAPANESE_NAME))
    w.write("日本語フォルダ/メモ.txt", texts.encode(texts.MEMO))


def write_pictures(w):
    for name, data in pictures.picture_files():
        w.write("images/" + name, data)


def write_media(w):
    w.write("media/clip.avi", media.avi())
    w.write("media/sakura.mid", media.midi())
    w.write("media/chime.wav", media.wav())


def _archive_contents():
    """Files that go into the sample archives, keyed by a '/' path."""
    readme = texts.encode("Quillmark の書庫サンプルです。\n"
                          "メンバーを選ぶと作業フォルダに展開されてプレビューされます。\n")
    picture = bitmaps.bmp24(raster.landscape(120, 80))
    return [
        ("readme.txt", readme),
        ("日本語/", b""),
        ("日本語/説明.txt", texts.encode(texts.MEMO)),
        ("images/", b""),
        ("images/landscape.bmp", picture),
        ("表示テスト.txt", texts.encode(texts.JAPANESE_NAME)),
        ("hello.c", texts.encode(texts.C_SOURCE)),
    ]


def write_archives(w):
    contents = _archive_contents()
    w.write("archives/sample.zip", archives.zip_archive(
        [(sjis(n), d, archives.STORED if n == "readme.txt" else archives.DEFLATED)
         for n, d in contents]))
    tar = archives.tar_archive(contents)
    w.write("archives/sample.tar", tar)
    # ".gz" is not an archive extension of the viewer: this one shows as text.
    w.write("archives/sample.tar.gz", gzip.compress(tar, 9, mtime=FIXED_UNIX_TIME))
    w.write("archives/sample.lzh", lzh.lzh([(sjis(n), d) for n, d in contents], level=2))
    # Cabinets have no folder entries; a larger member spans several blocks.
    cab_members = [(sjis(n.replace("/", "\\")), d, cab.ATTR_ARCHIVE)
                   for n, d in contents if not n.endswith("/")]
    cab_members.append((b"large_part.txt", texts.large_text(40 * 1024), cab.ATTR_READONLY))
    w.write("archives/sample.cab", cab.cab(cab_members))
    inner = archives.zip_archive([
        (sjis("中身.txt"), texts.encode("書庫の中の書庫から取り出したファイルです。\n"),
         archives.DEFLATED),
        (b"logo.bmp", bitmaps.bmp24(raster.logo(48)), archives.DEFLATED),
    ])
    w.write("archives/nested.lzh", lzh.lzh([
        (b"inner.zip", inner),
        (sjis("説明.txt"), texts.encode("inner.zip を選ぶと、その中身が一覧されます。\n")),
    ], level=1))
    # ARJ keeps no folder entries; members alternate stored and the two
    # compressing methods.
    arj_members = [(sjis(n), d, [arj.STORED, 1, arj.FAST][i % 3])
                   for i, (n, d) in enumerate(m for m in contents if not m[0].endswith("/"))]
    w.write("archives/sample.arj", arj.arj(arj_members, b"SAMPLE.ARJ"))


def write_others(w, exe, dll):
    w.write("other/page.htm", texts.encode(texts.HTML))
    w.write("other/readonly.txt", texts.encode(texts.READ_ONLY), read_only=True)
    for path, name in ((exe, "other/sample_program.exe"), (dll, "other/sample_library.dll")):
        if path:
            with open(path, "rb") as f:
                w.write(name, f.read())


def main(argv=None):
    parser = argparse.ArgumentParser(description="Make the Quillmark sample folder.")
    parser.add_argument("outdir")
    parser.add_argument("--exe", help="program to copy in as the .exe sample")
    parser.add_argument("--dll", help="library to copy in as the .dll sample")
    args = parser.parse_args(argv)
    for option, path in (("--exe", args.exe), ("--dll", args.dll)):
        if path and not os.path.isfile(path):
            parser.error("%s %s: no such file" % (option, path))
    if not os.path.exists(pictures.magick.CONVERT):
        parser.error(pictures.magick.CONVERT + " (ImageMagick) is needed")

    started = time.monotonic()
    os.makedirs(args.outdir, exist_ok=True)
    w = SampleWriter(args.outdir)
    write_texts(w)
    write_pictures(w)
    write_media(w)
    write_archives(w)
    write_others(w, args.exe, args.dll)
    w.stamp_times()
    total = sum(os.path.getsize(w.path(rel)) for rel in w.written)
    print("samples: %d files, %d bytes in %s (%.1f s)"
          % (len(w.written), total, args.outdir, time.monotonic() - started))
    return 0


if __name__ == "__main__":
    sys.exit(main())
