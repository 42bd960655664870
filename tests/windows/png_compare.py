#!/usr/bin/python3
"""png_compare.py A.png B.png MIN_SAME: compares two 8-bit RGB/RGBA PNG snapshots of the same window.
Prints the size and the share of pixels that are the same (each channel within 24 of the
other); exits 1 when the sizes differ or fewer than MIN_SAME (0..1) of the pixels are the same."""
import struct
import sys
import zlib


def read_png(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(path + ": not a PNG")
    pos, chunks, header = 8, [], None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            chunks.append(body)
        pos += 12 + length
    width, height, depth, color, _, _, interlace = header
    if depth != 8 or color not in (2, 6) or interlace:
        raise ValueError(path + ": only 8-bit RGB or RGBA, not interlaced")
    channels = 3 if color == 2 else 4
    raw = zlib.decompress(b"".join(chunks))
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            left = line[x - channels] if x >= channels else 0
            up = previous[x]
            corner = previous[x - channels] if x >= channels else 0
            if kind == 1:
                line[x] = (line[x] + left) & 255
            elif kind == 2:
                line[x] = (line[x] + up) & 255
            elif kind == 3:
                line[x] = (line[x] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[x] = (line[x] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
        rows.append(line)
        previous = line
    return width, height, [bytes(r[i:i + 3]) for r in rows for i in range(0, stride, channels)]


def main():
    a, b, minimum = sys.argv[1], sys.argv[2], float(sys.argv[3])
    wa, ha, pa = read_png(a)
    wb, hb, pb = read_png(b)
    if (wa, ha) != (wb, hb):
        print("sizes differ: %dx%d and %dx%d" % (wa, ha, wb, hb))
        return 1
    same = sum(1 for p, q in zip(pa, pb) if all(abs(x - y) <= 24 for x, y in zip(p, q)))
    share = same / len(pa)
    print("%dx%d, %.1f %% of the pixels the same" % (wa, ha, 100 * share))
    return 0 if share >= minimum else 1


sys.exit(main())
