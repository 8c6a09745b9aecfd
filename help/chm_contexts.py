"""Puts a CHM file's context map right.

HtmlHelp(HH_HELP_CONTEXT) looks a context number up in the file's #IVB
stream, which holds (number, offset) pairs, the offset naming a topic in the
#STRINGS stream. chmcmd writes those topic names with the absolute path of
the folder it compiled in ("/home/.../keys.htm"), which no topic in the file
is called, so every context would fail. This writes a fresh #STRINGS and
#IVB, with the topics' own names, uncompressed at the end of the file and
points the directory at them; the old copies stay unused in the compressed
section.

The container: an ITSF header, a directory of PMGL chunks listing every
stored file as (name, section, offset, length) with variable-length numbers,
then content section 0, whose offsets count from its start.
"""
import struct


def read_encint(data, pos):
    value = 0
    while True:
        byte = data[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if not byte & 0x80:
            return value, pos


def encint(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


class Chm:
    """The parts of a CHM container that the context map touches."""

    def __init__(self, data):
        if data[:4] != b"ITSF" or struct.unpack_from("<I", data, 4)[0] != 3:
            raise ValueError("not a version 3 ITSF file")
        self.data = bytearray(data)
        (self.hs0_offset, _, self.dir_offset, self.dir_length, self.content_offset) = struct.unpack_from(
            "<QQQQQ", data, 0x38)
        itsp = self.dir_offset
        if data[itsp:itsp + 4] != b"ITSP":
            raise ValueError("no ITSP directory header")
        (header_length,) = struct.unpack_from("<I", data, itsp + 8)
        (self.chunk_size, self.density, depth) = struct.unpack_from("<III", data, itsp + 0x10)
        (chunk_count,) = struct.unpack_from("<I", data, itsp + 0x2C)
        if depth != 1 or chunk_count != 1:
            raise ValueError("directory of more than one chunk: not handled")
        self.chunk_offset = itsp + header_length
        chunk = data[self.chunk_offset:self.chunk_offset + self.chunk_size]
        if chunk[:4] != b"PMGL":
            raise ValueError("no PMGL chunk")
        (count,) = struct.unpack_from("<H", chunk, self.chunk_size - 2)
        self.entries = []  # [name, section, offset, length]
        pos = 0x14
        for _ in range(count):
            length, pos = read_encint(chunk, pos)
            name = bytes(chunk[pos:pos + length]).decode("utf-8")
            pos += length
            section, pos = read_encint(chunk, pos)
            offset, pos = read_encint(chunk, pos)
            size, pos = read_encint(chunk, pos)
            self.entries.append([name, section, offset, size])

    def entry(self, name):
        for e in self.entries:
            if e[0] == name:
                return e
        raise KeyError(name)

    def append_uncompressed(self, name, payload):
        """Stores payload at the end of content section 0 under name."""
        e = self.entry(name)
        e[1:] = [0, len(self.data) - self.content_offset, len(payload)]
        self.data += payload

    def write(self):
        body = bytearray()
        quickrefs = []
        step = 1 + (1 << self.density)
        for i, (name, section, offset, size) in enumerate(self.entries):
            if i and i % step == 0:
                quickrefs.append(len(body))
            raw = name.encode("utf-8")
            body += encint(len(raw)) + raw + encint(section) + encint(offset) + encint(size)
        tail = b"".join(struct.pack("<H", q) for q in reversed(quickrefs)) + struct.pack("<H", len(self.entries))
        free = self.chunk_size - 0x14 - len(body)
        if free < len(tail):
            raise ValueError("the directory no longer fits its chunk")
        chunk = bytearray(self.chunk_size)
        chunk[:0x14] = b"PMGL" + struct.pack("<IIii", free, 0, -1, -1)
        chunk[0x14:0x14 + len(body)] = body
        chunk[self.chunk_size - len(tail):] = tail
        self.data[self.chunk_offset:self.chunk_offset + self.chunk_size] = chunk
        # Header section 0 holds the file's length.
        struct.pack_into("<Q", self.data, self.hs0_offset + 8, len(self.data))
        return bytes(self.data)


def context_streams(contexts):
    """#STRINGS and #IVB for {context number: topic name}."""
    strings = bytearray(b"\0")
    pairs = []
    for number in sorted(contexts):
        pairs.append((number, len(strings)))
        strings += contexts[number].encode("cp932") + b"\0"
    ivb = struct.pack("<I", 8 * len(pairs)) + b"".join(struct.pack("<II", n, o) for n, o in pairs)
    return bytes(strings), ivb


def rewrite(path, contexts, build_folder):
    """Gives the CHM at path the context map {number: topic name}.

    build_folder is the folder chmcmd compiled in: the old #STRINGS must hold
    nothing but the names chmcmd made from it, or other streams would point
    into it and the new one could not replace it.
    """
    with open(path, "rb") as f:
        chm = Chm(f.read())
    old = chm.entry("/#STRINGS")[3]
    expected = 1 + sum(len((build_folder + name).encode("utf-8")) + 1 for name in contexts.values()) + 1
    if old != expected:
        raise ValueError("#STRINGS holds more than the context names (%d bytes, %d expected)" % (old, expected))
    strings, ivb = context_streams(contexts)
    chm.append_uncompressed("/#STRINGS", strings)
    chm.append_uncompressed("/#IVB", ivb)
    with open(path, "wb") as f:
        f.write(chm.write())
