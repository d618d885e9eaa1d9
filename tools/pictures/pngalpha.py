"""Every picture of the folder is an RGBA PNG, as the program expects. The renderer's PNG
writer leaves the alpha channel out of a picture that happens to be fully opaque (the
panel's middle slice is one): such a file is written again with an opaque alpha channel."""
import struct
import zlib

SIGNATURE = b"\x89PNG\r\n\x1a\n"


def _chunks(data):
    pos = len(SIGNATURE)
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        yield kind, data[pos + 8:pos + 8 + length]
        pos += 12 + length


def _chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def _unfiltered_rows(raw, stride, height, channels):
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = previous[i]
            c = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(line)
        previous = line
    return rows


def with_alpha(data):
    """The PNG `data` as 8-bit RGBA; an 8-bit RGB one gains an opaque alpha channel, any
    other is returned as it is."""
    chunks = list(_chunks(data))
    width, height, depth, colour, compression, filtering, interlace = \
        struct.unpack(">IIBBBBB", chunks[0][1])
    if (depth, colour, interlace) != (8, 2, 0):
        return data
    raw = zlib.decompress(b"".join(body for kind, body in chunks if kind == b"IDAT"))
    out = bytearray()
    for line in _unfiltered_rows(raw, width * 3, height, 3):
        out.append(0)
        for x in range(width):
            out += line[3 * x:3 * x + 3] + b"\xff"
    header = struct.pack(">IIBBBBB", width, height, 8, 6, compression, filtering, interlace)
    kept = b"".join(_chunk(kind, body) for kind, body in chunks
                    if kind not in (b"IHDR", b"IDAT", b"IEND", b"tRNS"))
    return (SIGNATURE + _chunk(b"IHDR", header) + kept +
            _chunk(b"IDAT", zlib.compress(bytes(out), 9)) + _chunk(b"IEND", b""))


def ensure_alpha(path):
    with open(path, "rb") as f:
        data = f.read()
    fixed = with_alpha(data)
    if fixed is not data:
        with open(path, "wb") as f:
            f.write(fixed)
