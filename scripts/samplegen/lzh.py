"""An LHA archive writer for the stored method (-lh0-), with level 1 or
level 2 headers. Directories are -lhd- entries; folder names go into the
directory extended header with 0xFF between components."""

import struct

from .util import FIXED_UNIX_TIME, crc16_arc, dos_date_time

OS_MSDOS = b"M"


def _ext(kind, data):
    """One extended header without its leading size (the previous header's
    'next size' field holds it)."""
    return bytes((kind,)) + data


def _chain(exts):
    """Extended headers joined: each is followed by the size of the next."""
    out = bytearray()
    for i, e in enumerate(exts):
        out += e
        nxt = len(exts[i + 1]) + 2 if i + 1 < len(exts) else 0
        out += struct.pack("<H", nxt)
    return bytes(out)


def _split(path):
    parts = path.split(b"/")
    return parts[:-1], parts[-1]


def _level1(path, data, is_dir):
    folders, name = _split(path.rstrip(b"/"))
    if is_dir:
        folders, name = folders + [name], b""
    exts = []
    if folders:
        exts.append(_ext(0x02, b"\xff".join(folders) + b"\xff"))
    exts_bytes = _chain(exts)
    first = len(exts[0]) + 2 if exts else 0
    method = b"-lhd-" if is_dir else b"-lh0-"
    date, time = dos_date_time()
    attr = 0x10 if is_dir else 0x20
    body = method + struct.pack("<IIHHBBB", len(data) + len(exts_bytes), len(data), time, date,
                                attr, 1, len(name))
    body += name + struct.pack("<H", crc16_arc(data)) + OS_MSDOS + struct.pack("<H", first)
    checksum = sum(body) & 0xFF
    return struct.pack("<BB", len(body), checksum) + body + exts_bytes + data


def _level2(path, data, is_dir):
    folders, name = _split(path.rstrip(b"/"))
    if is_dir:
        folders, name = folders + [name], b""
    exts = [_ext(0x00, b"\0\0"), _ext(0x01, name)]
    if folders:
        exts.append(_ext(0x02, b"\xff".join(folders) + b"\xff"))
    exts_bytes = _chain(exts)
    method = b"-lhd-" if is_dir else b"-lh0-"
    size = 26 + len(exts_bytes)
    # A header may not start with a zero byte (that marks the archive's
    # end), so a size whose low byte is zero gets one byte of padding.
    padding = b"\0" if size & 0xFF == 0 else b""
    size += len(padding)
    head = bytearray(struct.pack("<H", size) + method)
    head += struct.pack("<IIIBBH", len(data), len(data), FIXED_UNIX_TIME, 0x20, 2, crc16_arc(data))
    head += OS_MSDOS + struct.pack("<H", len(exts[0]) + 2) + exts_bytes + padding
    crc = crc16_arc(bytes(head))
    # The header CRC sits in the common extended header, the first one.
    head[27:29] = struct.pack("<H", crc)
    return bytes(head) + data


def lzh(members, level=2):
    """members: (CP932 path with '/' between folders, data) pairs; a path
    ending in '/' is a directory entry."""
    write = _level2 if level == 2 else _level1
    out = bytearray()
    for path, data in members:
        is_dir = path.endswith(b"/")
        out += write(path, b"" if is_dir else data, is_dir)
    out += b"\0"
    return bytes(out)
