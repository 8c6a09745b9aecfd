"""A Microsoft cabinet writer: one folder, no compression, data blocks of
32 KB with their checksums."""

import struct

from .util import dos_date_time

BLOCK = 32768
ATTR_ARCHIVE = 0x20
ATTR_READONLY = 0x01


def checksum(data, seed=0):
    """The cabinet data-block checksum: XOR of little-endian 32-bit words,
    with the 1 to 3 trailing bytes taken most significant first."""
    csum = seed
    n = len(data) // 4
    for (word,) in struct.iter_unpack("<I", data[:n * 4]):
        csum ^= word
    tail = data[n * 4:]
    ul = 0
    for b in tail:
        ul = (ul << 8) | b
    return csum ^ ul


def cab(members, set_id=0x5153):
    """members: (CP932 path with '\\' between folders, data, attributes)."""
    date, time = dos_date_time()
    files = bytearray()
    offset = 0
    folder_data = bytearray()
    for name, data, attribs in members:
        files += struct.pack("<IIHHHH", len(data), offset, 0, date, time, attribs) + name + b"\0"
        offset += len(data)
        folder_data += data
    blocks = [bytes(folder_data[i:i + BLOCK]) for i in range(0, len(folder_data), BLOCK)]
    data_area = bytearray()
    for block in blocks:
        sizes = struct.pack("<HH", len(block), len(block))
        data_area += struct.pack("<I", checksum(sizes, checksum(block))) + sizes + block
    header_size = 36
    coff_files = header_size + 8
    coff_data = coff_files + len(files)
    total = coff_data + len(data_area)
    header = struct.pack("<4sIIIIIBBHHHHH", b"MSCF", 0, total, 0, coff_files, 0, 3, 1, 1,
                         len(members), 0, set_id, 0)
    folder = struct.pack("<IHH", coff_data, len(blocks), 0)
    return header + folder + bytes(files) + bytes(data_area)
