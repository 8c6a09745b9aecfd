"""Small helpers shared by the sample writers."""

import os
import stat
import struct

# One fixed moment for every timestamp in the samples (file times, archive
# member times), so that two runs give the same bytes and the same listing.
FIXED_YEAR, FIXED_MONTH, FIXED_DAY = 2024, 4, 1
FIXED_HOUR, FIXED_MINUTE, FIXED_SECOND = 12, 34, 56
FIXED_UNIX_TIME = 1711974896  # 2024-04-01 12:34:56 UTC


def dos_date_time():
    """MS-DOS (date, time) words of the fixed moment."""
    date = ((FIXED_YEAR - 1980) << 9) | (FIXED_MONTH << 5) | FIXED_DAY
    time = (FIXED_HOUR << 11) | (FIXED_MINUTE << 5) | (FIXED_SECOND // 2)
    return date, time


def crc16_arc(data, crc=0):
    """CRC-16 as LHA uses it (reflected polynomial 0xA001, start 0)."""
    table = _crc16_table()
    for b in data:
        crc = (crc >> 8) ^ table[(crc ^ b) & 0xFF]
    return crc


_CRC16_TABLE = []


def _crc16_table():
    if not _CRC16_TABLE:
        for i in range(256):
            c = i
            for _ in range(8):
                c = (c >> 1) ^ 0xA001 if c & 1 else c >> 1
            _CRC16_TABLE.append(c)
    return _CRC16_TABLE


def sjis(text):
    """Text as the program reads it: CP932 bytes."""
    return text.encode("cp932")


def crlf(text):
    """Windows line ends for a text written with plain newlines."""
    return text.replace("\r\n", "\n").replace("\n", "\r\n")


def le16(v):
    return struct.pack("<H", v & 0xFFFF)


def le32(v):
    return struct.pack("<I", v & 0xFFFFFFFF)


class SampleWriter:
    """Writes files below one output folder and remembers what it wrote.

    Only files this writer produces are ever replaced; the folder may hold
    other things (a build system's own files) that must survive a rerun."""

    def __init__(self, root):
        self.root = root
        self.written = []

    def path(self, rel):
        return os.path.join(self.root, *rel.split("/"))

    def write(self, rel, data, read_only=False):
        full = self.path(rel)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        # Unlinking first also replaces a read-only file from an earlier run.
        if os.path.lexists(full):
            os.unlink(full)
        with open(full, "wb") as f:
            f.write(data)
        if read_only:
            os.chmod(full, stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)
        self.written.append(rel)
        return full

    def stamp_times(self):
        """Give every written file and folder the fixed time, so listings
        (and the file information line) look the same on every machine."""
        folders = set()
        for rel in self.written:
            os.utime(self.path(rel), (FIXED_UNIX_TIME, FIXED_UNIX_TIME))
            parts = rel.split("/")[:-1]
            for i in range(1, len(parts) + 1):
                folders.add("/".join(parts[:i]))
        for rel in sorted(folders, key=len, reverse=True):
            os.utime(self.path(rel), (FIXED_UNIX_TIME, FIXED_UNIX_TIME))
