#!/usr/bin/env python3
"""Generates BackgroundNoisy.png in this folder: a 128 x 128 tile of soft dark
noise, in the window's blue-grey, drawn behind the album grids, seamless when repeated because every pixel
is chosen independently. The output is deterministic; run it again after a
change and commit the .png with it."""

import os
import random
import struct
import zlib

SIZE = 128
BASE = (0x1C, 0x20, 0x26)  # the window's alternate base colour
SPREAD = 6  # how far a pixel may stray from BASE
HERE = os.path.dirname(os.path.abspath(__file__))


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def main():
    rng = random.Random(20260101)
    rows = []
    for _ in range(SIZE):
        # Filter byte 0, then red, green and blue per pixel, shifted alike.
        row = bytearray(b"\x00")
        for _ in range(SIZE):
            shift = rng.randint(-SPREAD, SPREAD)
            row += bytes(c + shift for c in BASE)
        rows.append(bytes(row))
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 2, 0, 0, 0)  # 8-bit RGB
    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
           chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))
    with open(os.path.join(HERE, "BackgroundNoisy.png"), "wb") as out:
        out.write(png)


if __name__ == "__main__":
    main()
