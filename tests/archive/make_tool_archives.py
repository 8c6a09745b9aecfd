#!/usr/bin/env python3
"""Archives made by Debian's own tools for the archive tests under Wine:
Python's zipfile (deflate, folders, a nested ZIP) and GNU tar with gzip."""
import io
import os
import subprocess
import sys
import tempfile
import zipfile

out = sys.argv[1]
os.makedirs(out, exist_ok=True)

inner = io.BytesIO()
with zipfile.ZipFile(inner, "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("inner.txt", "inside " * 100)

with zipfile.ZipFile(os.path.join(out, "tools.zip"), "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("docs/", "")
    z.writestr("docs/guide.txt", "guide " * 500)
    z.writestr("top.txt", "top")
    z.writestr("nested.zip", inner.getvalue(), compress_type=zipfile.ZIP_STORED)

with tempfile.TemporaryDirectory() as tmp:
    os.makedirs(os.path.join(tmp, "src", "lib"))
    with open(os.path.join(tmp, "src", "lib", "code.c"), "w") as f:
        f.write("int main(void) { return 0; }\n" * 50)
    with open(os.path.join(tmp, "src", "README"), "w") as f:
        f.write("readme\n")
    subprocess.run(["tar", "-czf", os.path.join(out, "tools.tar.gz"), "-C", tmp, "src"],
                   check=True)
