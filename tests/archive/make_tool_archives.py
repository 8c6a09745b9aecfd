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

# --- Archives from Debian's archivers, for the real-tool tests ----------------
# One folder tree written twice, with Shift-JIS and with UTF-8 names: a
# folder, a name whose trail byte is 0x5C (表), a Japanese folder, an empty
# member and a nested ZIP. Each archiver packs the tree its format carries.
# A tool that is missing leaves its archives out; the tests name it.
import shutil  # noqa: E402
import tarfile  # noqa: E402

real = os.path.join(out, "real")
shutil.rmtree(real, ignore_errors=True)
os.makedirs(real)
STAMP = 1715000096  # 2024-05-06 12:54:56 UTC
GUIDE = "".join("guide line %d: the quick brown fox\r\n" % i for i in range(200))
TABLE = "表示テスト\r\n" * 40


def tree(root, enc):
    """Writes the sample tree; returns its member names (relative, '/')."""
    nested = io.BytesIO()
    with zipfile.ZipFile(nested, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("inner.txt", "inside " * 100)
    files = [
        ("readme.txt", b"read me first\r\n"),
        ("docs/guide.txt", GUIDE.encode()),
        ("表.txt", TABLE.encode("cp932")),
        ("日本語/メモ.txt", "メモ\r\n".encode("cp932")),
        ("empty.txt", b""),
        ("nested.zip", nested.getvalue()),
    ]
    for name, data in files:
        path = os.path.join(root.encode(), name.encode(enc))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
    for dirpath, dirnames, filenames in os.walk(root.encode()):
        for n in dirnames + filenames:
            os.utime(os.path.join(dirpath, n), (STAMP, STAMP))
    return [name.encode(enc) for name, _ in files]


def run(args, cwd, env=None):
    e = dict(os.environ, **(env or {}))
    subprocess.run(args, cwd=cwd, check=True, env=e, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)


def tool(name):
    found = shutil.which(name)
    if not found:
        print("make_tool_archives: %s not found; its archives are left out" % name)
    return found


JA = {"LANG": "ja_JP.UTF-8", "LC_ALL": "ja_JP.UTF-8"}
with tempfile.TemporaryDirectory() as tmp:
    sj = os.path.join(tmp, "sjis")
    u8 = os.path.join(tmp, "utf8")
    sj_names = tree(sj, "cp932")
    u8_names = tree(u8, "utf-8")
    dest = os.path.abspath(real)
    if tool("zip"):
        run(["zip", "-q", "-X", "-r", os.path.join(dest, "sjis.zip"), "."], sj)
        # Info-ZIP writes UTF-8 names as they are, without the UTF-8 flag.
        # Info-ZIP writes UTF-8 names as they are, without the UTF-8 flag.
        run(["zip", "-q", "-X", "-r", os.path.join(dest, "utf8.zip"), "."], u8, JA)
        with open(os.path.join(tmp, "secret.txt"), "w") as f:
            f.write("for your eyes only\r\n")
        with open(os.path.join(tmp, "plain.txt"), "w") as f:
            f.write("anyone may read this\r\n")
        run(["zip", "-q", "-X", "-P", "secret", os.path.join(dest, "encrypted.zip"),
             "secret.txt"], tmp)
        run(["zip", "-q", "-X", os.path.join(dest, "encrypted.zip"), "plain.txt"], tmp)
    if tool("tar"):
        for name, flag in (("sjis.tar.gz", "-z"), ("sjis.tar.bz2", "-j"), ("sjis.tar.xz", "-J"),
                           ("sjis.tbz", "-j"), ("sjis.txz", "-J"), ("sjis.tar", None)):
            run(["tar", "-c"] + ([flag] if flag else []) + ["-f", os.path.join(dest, name), "."],
                sj)
        run(["tar", "--format=pax", "-cf", os.path.join(dest, "utf8.tar"), "."], u8, JA)
    for compressor, ext in (("gzip", "gz"), ("bzip2", "bz2"), ("xz", "xz")):
        if tool(compressor):
            with open(os.path.join(dest, "notes.txt." + ext), "wb") as f:
                subprocess.run([compressor, "-c", os.path.join(sj, "docs", "guide.txt")],
                               stdout=f, check=True)
    if tool("gcab"):
        # gcab keeps no folder entries; it flags every name with a byte over
        # 0x7F as UTF-8, whatever its encoding.
        run(["gcab", "-c", "-z", os.path.join(dest, "sjis.cab")] + sj_names, sj)
        run(["gcab", "-c", "-z", os.path.join(dest, "utf8.cab")] + u8_names, u8)
    if tool("arj"):
        run(["arj", "a", "-r", "-y", os.path.join(dest, "sjis.arj")], sj)
    if tool("jlha"):
        # jlha writes Shift-JIS names when Java takes the file names as UTF-8.
        for level in "012":
            run(["jlha", "a" + level, os.path.join(dest, "level%s.lzh" % level)] +
                [n.decode() for n in u8_names], u8, JA)
    if tool("7zz"):
        run(["7zz", "a", "-bd", os.path.join(dest, "utf8.7z"), "."], u8, JA)
        run(["7zz", "a", "-bd", "-ms=off", "-m0=PPMd", os.path.join(dest, "ppmd.7z"), "."],
            u8, JA)
        run(["7zz", "a", "-bd", "-psecret", os.path.join(dest, "encrypted.7z"), "secret.txt"],
            tmp)
        run(["7zz", "a", "-bd", os.path.join(dest, "encrypted.7z"), "plain.txt"], tmp)
        run(["7zz", "a", "-bd", "-psecret", "-mhe=on", os.path.join(dest, "hidden.7z"),
             "secret.txt"], tmp)

    # Hostile names through GNU tar (-P keeps what it would otherwise strip).
    if tool("tar"):
        evil = os.path.join(tmp, "evil")
        os.makedirs(evil)
        for n in ("a", "b", "c", "d", "e", "f", "g"):
            with open(os.path.join(evil, n), "w") as f:
                f.write("hostile " + n)
        with open(os.path.join(evil, "fine.txt"), "w") as f:
            f.write("fine")
        renames = [("a", "/abs.txt"), ("b", "../up.txt"), ("c", "..\\\\back.txt"),
                   ("d", "C:\\\\drive.txt"), ("e", "CON"), ("f", "ok/../../deep.txt"),
                   ("g", "D:rel.txt")]
        args = ["tar", "-P", "-cf", os.path.join(dest, "evil.tar")]
        for src, dst in renames:
            args.append("--transform=s,^%s$,%s," % (src, dst))
        run(args + [n for n, _ in renames] + ["fine.txt"], evil)

# A member over 4 GiB as a header declares it, its data cut short: no tool
# writes one without the data, so the header is Python's tarfile.
big = tarfile.TarInfo("huge.bin")
big.size = 5 * 1024 ** 3
big.mtime = STAMP
with open(os.path.join(real, "huge.tar"), "wb") as f:
    f.write(big.tobuf(format=tarfile.GNU_FORMAT))
    f.write(b"\0" * 4096)
with open(os.path.join(real, "stamp"), "w") as f:
    f.write("done\n")
