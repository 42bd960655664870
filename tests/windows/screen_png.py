#!/usr/bin/python3
"""screen_png.py SCREEN.xwd OUT.png [X Y W H]: writes the screen Xvfb keeps in SCREEN.xwd (its
-fbdir file: 24-bit colour in 32-bit pixels), or the rectangle X Y W H of it, as an RGB PNG."""
import struct
import sys
import zlib

HEADER_FIELDS = 25  # big-endian 32-bit words before the window name


def read_screen(path):
    data = open(path, "rb").read()
    fields = struct.unpack(">%dI" % HEADER_FIELDS, data[:HEADER_FIELDS * 4])
    header_size, width, height, byte_order, bits, stride, colours = (
        fields[0], fields[4], fields[5], fields[7], fields[11], fields[12], fields[19])
    if bits != 32:
        raise ValueError(path + ": only 32-bit pixels")
    start = header_size + colours * 12
    return data[start:start + stride * height], width, height, stride, byte_order == 0


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    raw = b"".join(b"\0" + row for row in rows)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                  + chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))


def main():
    pixels, width, height, stride, lsb_first = read_screen(sys.argv[1])
    x, y, w, h = (int(v) for v in sys.argv[3:7]) if len(sys.argv) >= 7 else (0, 0, width, height)
    x, y = max(0, min(x, width - 1)), max(0, min(y, height - 1))
    w, h = min(w, width - x), min(h, height - y)
    # Each pixel is B G R X in memory when the least significant byte comes first.
    order = (2, 1, 0) if lsb_first else (1, 2, 3)
    rows = []
    for row in range(y, y + h):
        line = pixels[row * stride + x * 4:row * stride + (x + w) * 4]
        rows.append(bytes(b for i in range(0, len(line), 4) for b in (line[i + order[0]], line[i + order[1]],
                                                                          line[i + order[2]])))
    write_png(sys.argv[2], w, h, rows)


if __name__ == "__main__":
    main()
