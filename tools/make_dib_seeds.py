#!/usr/bin/env python3
"""Writes the bitmap fuzzers' seed files into fuzz/corpus/: small images that
reach each of the loader's refusals (top-down rows, RLE8, more than 256 colours,
colour counts that lie, pixel offsets inside the headers, files cut short at
every field, core headers, the 108- and 124-byte header forms, a bitmap at a
non-zero offset of a larger file) besides ones it accepts.
Run from the top of the tree: tools/make_dib_seeds.py"""
import os
import struct

OUT = "fuzz/corpus"


def info_header(size=40, width=3, height=2, planes=1, bits=8, compression=0, used=0):
    head = struct.pack("<IiiHHIIiiII", 40, width, height, planes, bits, compression, 0, 0, 0, used, 0)
    return struct.pack("<I", size) + head[4:] + bytes(max(0, size - 40))


def core_header(width=3, height=2, bits=8):
    return struct.pack("<IHHHH", 12, width, height, 1, bits)


def pixels(width, height):
    stride = (abs(width) + 3) & ~3
    return bytes((i * 37 + 11) & 0xFF for i in range(stride * abs(height)))


def table(entries, quad=True):
    return b"".join(bytes((i & 0xFF, i // 2 & 0xFF, 255 - i & 0xFF) + ((0x5A,) if quad else ())) for i in range(entries))


def bmp(header, colours, body, off=None, size=None):
    off = 14 + len(header) + len(colours) if off is None else off
    size = off + len(body) if size is None else size
    return b"BM" + struct.pack("<IHHI", size, 0, 0, off) + header + colours + body


# The bitmap target's first byte picks what it tests: 0 a file, 1 Create, 2 CopyTo.
def write(entry, name, data):
    os.makedirs(os.path.join(OUT, "dib"), exist_ok=True)
    with open(os.path.join(OUT, "dib", name), "wb") as f:
        f.write(bytes((entry,)) + data)


def main():
    good = bmp(info_header(), table(256), pixels(3, 2))
    files = {
        "top-down": bmp(info_header(height=-2), table(256), pixels(3, 2)),
        "rle8": bmp(info_header(compression=1), table(256), b"\x02\x05\x00\x00\x02\x06\x00\x01"),
        "300-colours": bmp(info_header(used=300), table(300), pixels(3, 2)),
        "used-4-table-2": bmp(info_header(used=4), table(2), pixels(3, 2)),
        "used-2-table-256": bmp(info_header(used=2), table(256), pixels(3, 2)),
        "offset-in-file-header": bmp(info_header(), table(256), pixels(3, 2), off=6),
        "offset-in-info-header": bmp(info_header(), table(256), pixels(3, 2), off=30),
        "offset-in-colour-table": bmp(info_header(), table(256), pixels(3, 2), off=500),
        "size-below-offset": bmp(info_header(), table(256), pixels(3, 2), size=100),
        "core-8-bit": bmp(core_header(), table(256, False), pixels(3, 2)),
        "core-4-bit": bmp(core_header(bits=4), table(16, False), pixels(3, 2)),
        "core-short-table": bmp(core_header(), table(16, False), pixels(3, 2)),
        "v4-108": bmp(info_header(108, 5, 3), table(256), pixels(5, 3)),
        "v5-124": bmp(info_header(124, 7, 2, used=3), table(3), pixels(7, 2)),
        "24-bit": bmp(info_header(bits=24), b"", bytes(24)),
        "two-planes": bmp(info_header(planes=2), table(256), pixels(3, 2)),
        "huge": bmp(info_header(width=65536, height=65536), table(256), pixels(3, 2)),
        # Offsets count from where the bitmap starts, not the file.
        "at-offset-1000": b"\xEE" * 1000 + bmp(info_header(used=2), table(2), pixels(3, 2)),
    }
    # Cut short inside every field of the file header, the info header and the
    # colour table, and one byte short of the pixels.
    for cut in (1, 2, 5, 6, 9, 10, 13, 14, 17, 18, 22, 24, 26, 28, 32, 36, 40, 44, 48, 54, 55,
                300, len(good) - 1):
        files["cut-%04d" % cut] = good[:cut]
    for name, data in files.items():
        write(0, name + ".bmp", data)

    # Create: a flag byte (bit 0: copy), an offset into the object's own pixels,
    # then the header block and pixels; LoadFromResource reads the same bytes.
    creates = {
        "info-3x2": info_header() + table(256) + pixels(3, 2),
        "v5-2-colours": info_header(124, 5, 3, used=2) + table(2) + pixels(5, 3),
        "300-colours": info_header(used=300) + table(256) + pixels(3, 2),
        "top-down": info_header(height=-4) + table(256) + pixels(3, 4),
        "rle8": info_header(compression=1) + table(256) + pixels(3, 2),
        "own-16x16": info_header(width=16, height=16) + table(4),
        "own-larger": info_header(width=16, height=17) + table(4),
        "core": core_header() + table(256, False) + pixels(3, 2),
        "cut-pixels": (info_header(width=9, height=9) + table(256) + pixels(9, 9))[:-1],
    }
    for i, (name, data) in enumerate(creates.items()):
        write(1, "create-" + name, bytes((i & 1, i * 29 & 0xFF)) + data)

    # CopyTo and PaintScaled: seven 32-bit block arguments, the transparent
    # choice, a scale, then two images (width, height, 16-colour flag, pixels).
    def args(*values):
        return struct.pack("<7i", *values)

    copies = {
        "up-one-row": args(0, 0, 3, 2, 0, 1, 0) + b"\x01" + struct.pack("<d", 2.0),
        "right-one-transparent": args(1, 0, 4, 1, 0, 0, 0) + b"\x00" + struct.pack("<i", 7)
        + struct.pack("<d", -0.5),
        "far-off": args(0x7FFFFF00, -0x7FFFFF00, 0x7FFFFFFF, 5, 0x100, 0x100, 0x100) + b"\x01"
        + struct.pack("<d", 1e308),
        "nibbles": args(1, 1, 3, 3, 0, 0, 2) + b"\x00" + struct.pack("<i", 5)
        + struct.pack("<d", float("nan")),
    }
    image = bytes((5, 3, 1)) + bytes(range(24)) + bytes((4, 4, 0)) + bytes(range(100, 116))
    for name, data in copies.items():
        write(2, "copy-" + name, data + image)


if __name__ == "__main__":
    main()
