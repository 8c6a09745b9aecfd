#!/usr/bin/env python3
"""Writes the code page 932 tables of the text converter as C++ source.

The tables are taken from the system's iconv (the `iconv` command of glibc,
whose CP932 is Microsoft's code page 932 with the usual Japanese aliases such
as WAVE DASH for FULLWIDTH TILDE):

- every character of the Basic Multilingual Plane to its CP932 bytes, packed
  as first byte | second byte << 8; characters CP932 lacks get the
  substitute GETA MARK (0x81 0xAC);
- which double-byte codes CP932 defines, one bit per lead and trail byte.

Usage: gen_cp932_tables.py OUT.cpp
"""
import subprocess
import sys

SUBSTITUTE = 0x81 | (0xAC << 8)
LEADS = list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD))


def iconv(data, source, target):
    """Converts with -c: what a character cannot become is left out."""
    run = subprocess.run(["iconv", "-c", "-f", source, "-t", target], input=data,
                         stdout=subprocess.PIPE, check=False)
    if not run.stdout:
        sys.exit("iconv %s -> %s gave nothing" % (source, target))
    return run.stdout


def encode_table():
    """Code point -> packed CP932 bytes for U+0000..U+FFFF."""
    points = [c for c in range(0x10000) if not 0xD800 <= c <= 0xDFFF and c != 0x0A]
    # One character a line: a character iconv cannot convert leaves its line
    # empty, so the lines stay in step with the code points. No CP932 byte
    # sequence holds 0x0A.
    source = "".join(chr(c) + "\n" for c in points).encode("utf-8", "surrogatepass")
    lines = iconv(source, "UTF-8", "CP932").split(b"\n")
    if len(lines) != len(points) + 1:
        sys.exit("iconv UTF-8 -> CP932: %d lines for %d characters" % (len(lines) - 1, len(points)))
    table = [SUBSTITUTE] * 0x10000
    table[0x0A] = 0x0A
    for c, out in zip(points, lines):
        if len(out) == 1:
            table[c] = out[0]
        elif len(out) == 2:
            table[c] = out[0] | (out[1] << 8)
        elif out:
            sys.exit("U+%04X became %r" % (c, out))
    for c in range(0x80):
        if table[c] != c:
            sys.exit("U+%04X is not itself in CP932" % c)
    return table


def defined_bits():
    """60 leads x 256 trails: which double-byte codes CP932 decodes."""
    pairs = [(lead, trail) for lead in LEADS for trail in range(0x40, 0xFD) if trail != 0x7F]
    source = b"".join(bytes([lead, trail]) + b"\n" for lead, trail in pairs)
    lines = iconv(source, "CP932", "UTF-8").split(b"\n")
    # A code iconv cannot decode loses its lead byte and leaves its trail byte,
    # if anything: an ASCII character or a half-width katakana, never one
    # other character of its own.
    if len(lines) != len(pairs) + 1:
        sys.exit("iconv CP932 -> UTF-8: %d lines for %d codes" % (len(lines) - 1, len(pairs)))
    bits = [[0] * 32 for _ in LEADS]
    count = 0
    for (lead, trail), out in zip(pairs, lines):
        text = out.decode("utf-8")
        if len(text) == 1 and ord(text) >= 0x80 and not 0xFF61 <= ord(text) <= 0xFF9F:
            bits[LEADS.index(lead)][trail >> 3] |= 1 << (trail & 7)
            count += 1
    if count < 7000:
        sys.exit("only %d double-byte codes decode" % count)
    return bits


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    table = encode_table()
    bits = defined_bits()
    # Pages of 256 code points; pages where every point is the substitute
    # share page 0.
    pages = [[SUBSTITUTE] * 256]
    index = []
    for hi in range(256):
        page = table[hi * 256:(hi + 1) * 256]
        if page == pages[0]:
            index.append(0)
        else:
            index.append(len(pages))
            pages.append(page)
    out = ["// Made by scripts/gen_cp932_tables.py from the system's iconv; do not edit.",
           '#include "base/cp932_tables.h"', "",
           "const std::uint8_t kCp932PageIndex[256] = {"]
    for i in range(0, 256, 16):
        out.append("    " + ", ".join(str(v) for v in index[i:i + 16]) + ",")
    out.append("};")
    out.append("const std::uint16_t kCp932Pages[%d][256] = {" % len(pages))
    for page in pages:
        out.append("    {")
        for i in range(0, 256, 16):
            out.append("        " + ", ".join("0x%04x" % v for v in page[i:i + 16]) + ",")
        out.append("    },")
    out.append("};")
    out.append("const std::uint8_t kCp932DefinedBits[60][32] = {")
    for row in bits:
        out.append("    {" + ", ".join("0x%02x" % v for v in row) + "},")
    out.append("};")
    with open(sys.argv[1], "w", encoding="ascii") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
