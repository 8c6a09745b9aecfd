"""Formats with lossy or LZW coding come from ImageMagick, fed with our own
pixels through a pipe (PPM in, the target format out)."""

import os
import subprocess

from . import raster

CONVERT = "/usr/bin/convert"


def ppm(canvas):
    """Binary PPM of the canvas, composited over white."""
    out = bytearray(b"P6\n%d %d\n255\n" % (canvas.width, canvas.height))
    for p in canvas.px:
        a = p[3]
        out += bytes(raster.clamp8(p[c] * a + (1.0 - a)) for c in range(3))
    return bytes(out)


def _convert(args, stdin):
    if not os.path.exists(CONVERT):
        raise RuntimeError(CONVERT + " (ImageMagick) is needed for JPEG and GIF samples")
    # A fixed environment keeps ImageMagick from picking up per-user settings
    # or a thread count that could change its output.
    env = {"PATH": "/usr/bin:/bin", "MAGICK_THREAD_LIMIT": "1", "LC_ALL": "C"}
    result = subprocess.run([CONVERT] + args, input=stdin, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, env=env, check=False)
    if result.returncode != 0:
        raise RuntimeError("convert failed: " + result.stderr.decode("utf-8", "replace"))
    return result.stdout


def jpeg(canvas, quality=88, progressive=False, grey=False):
    args = ["ppm:-", "-strip", "-quality", str(quality), "-sampling-factor", "2x2,1x1,1x1"]
    if progressive:
        args += ["-interlace", "JPEG"]
    if grey:
        args += ["-colorspace", "Gray"]
    return _convert(args + ["jpeg:-"], ppm(canvas))


def gif(frames, delay_cs):
    """An endlessly looping animated GIF of the frames (one PPM stream)."""
    stream = b"".join(ppm(f) for f in frames)
    return _convert(["-delay", str(delay_cs), "ppm:-", "-loop", "0", "+dither", "-colors", "64",
                     "-strip", "gif:-"], stream)
