#!/usr/bin/env python3
"""Clips for the media tests that the sample folder does not hold.

    make_media_clips.py OUTDIR

raw.avi: the sample clip's frames as a raw 24-bit ("DIB ") stream, the
path through which a player draws uncompressed video."""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))

from samplegen import media  # noqa: E402


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    with open(os.path.join(out, "raw.avi"), "wb") as f:
        f.write(media.raw_avi())


if __name__ == "__main__":
    main()
