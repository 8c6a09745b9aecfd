"""ARJ writer: a main header, one header per member (each with its CRC-32),
and the member data stored (method 0), LZ77 with Huffman codes (methods 1
to 3 share one stream format) or LZ77 with fixed bit codes (method 4).
Member names are CP932 bytes; '/' separates folders."""

import heapq
import struct
import zlib

from .util import dos_date_time

STORED, HUFFMAN, FAST = 0, 1, 4
HOST_MSDOS = 0
TYPE_BINARY, TYPE_MAIN, TYPE_FOLDER = 0, 2, 3
FLAG_PATHSYM = 0x10
ATTR_ARCHIVE, ATTR_READONLY, ATTR_HIDDEN = 0x20, 0x01, 0x02

_NC, _NP, _NT = 510, 17, 19
_HUFFMAN_WINDOW = 26624
_FAST_WINDOW = 15872
_MIN_MATCH, _MAX_MATCH = 3, 256


class _Bits:
    """Writes bits from the top of each byte down."""

    def __init__(self):
        self.out = bytearray()
        self.acc = 0
        self.count = 0

    def put(self, value, width):
        if width == 0:
            return
        self.acc = (self.acc << width) | (value & ((1 << width) - 1))
        self.count += width
        while self.count >= 8:
            self.count -= 8
            self.out.append((self.acc >> self.count) & 0xFF)
        self.acc &= (1 << self.count) - 1

    def bytes(self):
        if self.count:
            return bytes(self.out) + bytes([(self.acc << (8 - self.count)) & 0xFF])
        return bytes(self.out)


def _matches(data, window):
    """Greedy LZ77: a list of ("lit", byte) and ("match", length, distance),
    where distance 0 means the byte just before."""
    heads = {}
    chains = [0] * len(data)
    out = []
    i = 0

    def insert(pos):
        if pos + 3 <= len(data):
            key = data[pos:pos + 3]
            chains[pos] = heads.get(key, -1)
            heads[key] = pos

    while i < len(data):
        best_len, best_pos = 0, 0
        if i + _MIN_MATCH <= len(data):
            cand = heads.get(data[i:i + 3], -1)
            tries = 48
            limit = min(_MAX_MATCH, len(data) - i)
            while cand >= 0 and i - cand <= window and tries:
                n = 0
                while n < limit and data[cand + n] == data[i + n]:
                    n += 1
                if n > best_len:
                    best_len, best_pos = n, cand
                    if n == limit:
                        break
                cand = chains[cand]
                tries -= 1
        if best_len >= _MIN_MATCH:
            out.append(("match", best_len, i - best_pos - 1))
            for k in range(best_len):
                insert(i + k)
            i += best_len
        else:
            out.append(("lit", data[i]))
            insert(i)
            i += 1
    return out


# Method 4: numbers in classes of growing width, announced by one bits.

def _put_number(bits, value, first, classes):
    base, width = 0, first
    for k in range(classes):
        if value < base + (1 << width):
            bits.put((1 << k) - 1 << 1, k + 1)  # k ones and a closing zero
            bits.put(value - base, width)
            return
        base += 1 << width
        width += 1
    bits.put((1 << classes) - 1, classes)  # the last class has no closing zero
    bits.put(value - base, width)


def _fast(data):
    bits = _Bits()
    for item in _matches(data, _FAST_WINDOW - 1):
        if item[0] == "lit":
            _put_number(bits, 0, 0, 7)
            bits.put(item[1], 8)
        else:
            _put_number(bits, item[1] - 2, 0, 7)
            _put_number(bits, item[2], 9, 4)
    return bits.bytes()


# Methods 1-3: blocks of symbols with canonical prefix codes.

def _code_lengths(freqs, limit=16):
    """Prefix-code lengths for the symbol counts; None when at most one
    symbol occurs (such a table is sent as that symbol alone)."""
    used = [i for i, f in enumerate(freqs) if f]
    if len(used) <= 1:
        return None
    freqs = list(freqs)
    while True:
        heap = [(freqs[i], i, (i,)) for i in used]
        heapq.heapify(heap)
        depth = dict.fromkeys(used, 0)
        tie = len(freqs)
        while len(heap) > 1:
            f1, _, s1 = heapq.heappop(heap)
            f2, _, s2 = heapq.heappop(heap)
            for s in s1 + s2:
                depth[s] += 1
            heapq.heappush(heap, (f1 + f2, tie, s1 + s2))
            tie += 1
        if max(depth.values()) <= limit:
            lengths = [0] * len(freqs)
            for s, d in depth.items():
                lengths[s] = d
            return lengths
        freqs = [(f + 1) // 2 if f else 0 for f in freqs]


def _canonical(lengths):
    codes = [0] * len(lengths)
    code = 0
    for length in range(1, 17):
        for sym, l in enumerate(lengths):
            if l == length:
                codes[sym] = code
                code += 1
        code <<= 1
    return codes


class _Table:
    def __init__(self, freqs):
        self.lengths = _code_lengths(freqs)
        self.single = None
        if self.lengths is None:
            used = [i for i, f in enumerate(freqs) if f]
            self.single = used[0] if used else 0
        else:
            self.codes = _canonical(self.lengths)

    def put(self, bits, sym):
        if self.single is None:
            bits.put(self.codes[sym], self.lengths[sym])


def _put_small_table(bits, table, special):
    if table.single is not None:
        bits.put(0, 5)
        bits.put(table.single, 5)
        return
    lengths = table.lengths
    n = max(i for i, l in enumerate(lengths) if l) + 1
    bits.put(n, 5)
    i = 0
    while i < n:
        length = lengths[i]
        if length < 7:
            bits.put(length, 3)
        else:
            bits.put(7, 3)
            for _ in range(length - 7):
                bits.put(1, 1)
            bits.put(0, 1)
        i += 1
        if i == special:
            zeros = 0
            while zeros < 3 and i + zeros < n and lengths[i + zeros] == 0:
                zeros += 1
            bits.put(zeros, 2)
            i += zeros


def _length_tokens(lengths):
    """The symbol table's lengths as tokens of the length code: 0 one zero,
    1 3-18 zeros (4 bits), 2 20-531 zeros (9 bits), L+2 a length L."""
    n = max(i for i, l in enumerate(lengths) if l) + 1
    tokens = []
    i = 0
    while i < n:
        if lengths[i]:
            tokens.append((lengths[i] + 2, 0, 0))
            i += 1
            continue
        run = 0
        while i + run < n and lengths[i + run] == 0:
            run += 1
        i += run
        while run:
            if run >= 20:
                take = min(run, 531)
                tokens.append((2, take - 20, 9))
            elif run == 19:
                take = 1
                tokens.append((0, 0, 0))
            elif run >= 3:
                take = run
                tokens.append((1, run - 3, 4))
            else:
                take = 1
                tokens.append((0, 0, 0))
            run -= take
    return n, tokens


def _huffman_block(bits, items):
    cfreq, pfreq = [0] * _NC, [0] * _NP
    for item in items:
        if item[0] == "lit":
            cfreq[item[1]] += 1
        else:
            cfreq[item[1] + 253] += 1
            pfreq[item[2].bit_length()] += 1
    ctable, ptable = _Table(cfreq), _Table(pfreq)
    bits.put(len(items), 16)
    if ctable.single is not None:
        _put_small_table(bits, _Table([1] + [0] * (_NT - 1)), 3)
        bits.put(0, 9)
        bits.put(ctable.single, 9)
    else:
        n, tokens = _length_tokens(ctable.lengths)
        tfreq = [0] * _NT
        for sym, _, _ in tokens:
            tfreq[sym] += 1
        ttable = _Table(tfreq)
        _put_small_table(bits, ttable, 3)
        bits.put(n, 9)
        for sym, extra, width in tokens:
            ttable.put(bits, sym)
            bits.put(extra, width)
    _put_small_table(bits, ptable, -1)
    for item in items:
        if item[0] == "lit":
            ctable.put(bits, item[1])
            continue
        ctable.put(bits, item[1] + 253)
        distance = item[2]
        p = distance.bit_length()
        ptable.put(bits, p)
        if p > 1:
            bits.put(distance - (1 << (p - 1)), p - 1)


def _huffman(data):
    bits = _Bits()
    items = _matches(data, _HUFFMAN_WINDOW - 1)
    for start in range(0, len(items), 65535):
        _huffman_block(bits, items[start:start + 65535])
    return bits.bytes()


def compress(data, method):
    if method == STORED:
        return data
    if method in (1, 2, 3):
        return _huffman(data)
    if method == FAST:
        return _fast(data)
    raise ValueError("method %d" % method)


def _header(fixed, name, comment=b""):
    basic = fixed + name + b"\0" + comment + b"\0"
    return (b"\x60\xea" + struct.pack("<H", len(basic)) + basic +
            struct.pack("<I", zlib.crc32(basic) & 0xFFFFFFFF) + b"\0\0")


def arj(members, archive_name=b"SAMPLE.ARJ"):
    """members: (CP932 path with '/', data, method[, attributes]); a path
    ending in '/' is a folder entry. Names are written as given, so tests can
    make hostile ones."""
    date, time = dos_date_time()
    stamp = (date << 16) | time
    out = bytearray(_header(struct.pack("<BBBBBBBBIIIIHHH", 30, 11, 1, HOST_MSDOS, 0, 0,
                                        TYPE_MAIN, 0, stamp, stamp, 0, 0, 0, 0, 0),
                            archive_name))
    for member in members:
        name, data, method = member[:3]
        attrs = member[3] if len(member) > 3 else ATTR_ARCHIVE
        folder = name.endswith(b"/")
        if folder:
            name, data, method, attrs = name.rstrip(b"/"), b"", STORED, 0x10
        body = compress(data, method)
        crc = zlib.crc32(data) & 0xFFFFFFFF
        flags = FLAG_PATHSYM if b"/" in name else 0
        filespec = name.rfind(b"/") + 1
        fixed = struct.pack("<BBBBBBBBIIIIHHH", 30, 11, 1, HOST_MSDOS, flags, method,
                            TYPE_FOLDER if folder else TYPE_BINARY, 0, stamp, len(body),
                            len(data), crc, filespec, attrs, 0)
        out += _header(fixed, name) + body
    out += b"\x60\xea\0\0"
    return bytes(out)
