"""ZIP and TAR writers. Member names are CP932 bytes, as archivers on
Japanese Windows store them (ZIP without the UTF-8 flag)."""

import io
import struct
import tarfile
import zlib

from .util import FIXED_UNIX_TIME, dos_date_time

STORED, DEFLATED = 0, 8


def _deflate(data):
    c = zlib.compressobj(9, zlib.DEFLATED, -15, 9)
    return c.compress(data) + c.flush()


def zip_archive(members):
    """members: (CP932 path with '/', data, method); a path ending in '/' is
    a folder entry."""
    date, time = dos_date_time()
    out = bytearray()
    central = bytearray()
    for name, data, method in members:
        is_dir = name.endswith(b"/")
        body = _deflate(data) if method == DEFLATED else data
        crc = zlib.crc32(data) & 0xFFFFFFFF
        version = 20 if method == DEFLATED or is_dir else 10
        offset = len(out)
        out += struct.pack("<IHHHHHIIIHH", 0x04034B50, version, 0, method, time, date, crc,
                           len(body), len(data), len(name), 0) + name + body
        attrs = 0x10 if is_dir else 0x20
        central += struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, 20, version, 0, method, time,
                               date, crc, len(body), len(data), len(name), 0, 0, 0, 0, attrs,
                               offset) + name
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(members), len(members), len(central),
                      len(out), 0)
    return bytes(out + central + end)


def tar_archive(members):
    """members: (path with '/', data); a path ending in '/' is a folder.
    Names are written in CP932 in the GNU format."""
    buf = io.BytesIO()
    with tarfile.open(fileobj=buf, mode="w", format=tarfile.GNU_FORMAT,
                      encoding="cp932") as tar:
        for name, data in members:
            info = tarfile.TarInfo(name.rstrip("/"))
            info.mtime = FIXED_UNIX_TIME
            info.uid = info.gid = 0
            info.uname = info.gname = "quillmark"
            if name.endswith("/"):
                info.type = tarfile.DIRTYPE
                info.mode = 0o755
                tar.addfile(info)
            else:
                info.mode = 0o644
                info.size = len(data)
                tar.addfile(info, io.BytesIO(data))
    return buf.getvalue()
