#!/usr/bin/env python3
"""Archives made by Debian's own tools for the archive tests under Wine:
Python's zipfile (deflate, folders, a nested ZIP) and GNU tar with gzip;
and ARJ archives from the sample generator's own writer."""
import io
import os
import subprocess
import sys
import tempfile
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "scripts"))
from samplegen import arj  # noqa: E402

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

# For the archive pane: folders, a nested ZIP at the root and one inside a
# folder, a changed copy for the watcher, and 241 members for the response file.
inner = io.BytesIO()
with zipfile.ZipFile(inner, "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("in.txt", "inner text\r\n")
    z.writestr("lib/x.c", "int x;\n")
top = io.BytesIO()
with zipfile.ZipFile(top, "w") as z:
    z.writestr("a.txt", "a")


def write_pane(path, extra):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("readme.txt", "read me first\r\n")
        z.writestr("docs/", "")
        z.writestr("docs/guide.txt", "guide " * 200)
        z.writestr("docs/sub/deep.txt", "deep")
        z.writestr("docs/inner.zip", inner.getvalue(), compress_type=zipfile.ZIP_STORED)
        z.writestr("top.zip", top.getvalue(), compress_type=zipfile.ZIP_STORED)
        for name in extra:
            z.writestr(name, name)


write_pane(os.path.join(out, "pane.zip"), [])
write_pane(os.path.join(out, "pane_changed.zip"), ["added.txt"])
with zipfile.ZipFile(os.path.join(out, "many.zip"), "w") as z:
    for i in range(241):
        z.writestr("m%03d.txt" % i, str(i))

# Two nested archives of one name in different folders, each with its own members.
twins = []
for member, text in (("one.txt", "first twin\r\n"), ("two.txt", "second twin\r\n")):
    buf = io.BytesIO()
    with zipfile.ZipFile(buf, "w") as z:
        z.writestr(member, text)
    twins.append(buf.getvalue())
with zipfile.ZipFile(os.path.join(out, "twins.zip"), "w") as z:
    z.writestr("a/inner.zip", twins[0])
    z.writestr("b/inner.zip", twins[1])

# ARJ: every method, a folder entry, a name whose trail byte is 0x5C, a
# hidden read-only member; hostile names; 241 members for the "!" list.
text = "".join("ARJ guide line %d: the quick brown fox\r\n" % i for i in range(300)).encode()
with open(os.path.join(out, "sample.arj"), "wb") as f:
    f.write(arj.arj([
        (b"docs/", b"", arj.STORED),
        (b"docs/readme.txt", b"read me\r\n", arj.STORED),
        (b"docs/guide.txt", text, 1),
        (b"two.txt", text[:5000], 2),
        (b"three.txt", text[:3000], 3),
        ("表.txt".encode("cp932"), "表示テスト\r\n".encode("cp932") * 40, arj.FAST),
        (b"secret.txt", b"hidden and read-only", arj.STORED,
         arj.ATTR_ARCHIVE | arj.ATTR_HIDDEN | arj.ATTR_READONLY),
    ], b"SAMPLE.ARJ"))
with open(os.path.join(out, "evil.arj"), "wb") as f:
    f.write(arj.arj([(name, b"x", arj.STORED) for name in
                     (b"..\\evil.txt", b"C:\\abs.txt", b"\\root.txt", b"ok/../../up.txt")] +
                    [(b"fine.txt", b"fine", 1)], b"EVIL.ARJ"))
with open(os.path.join(out, "many.arj"), "wb") as f:
    f.write(arj.arj([(b"m%03d.txt" % i, b"%d" % i, 1 if i % 2 else arj.FAST)
                     for i in range(241)], b"MANY.ARJ"))
