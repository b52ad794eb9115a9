#!/usr/bin/env python3
"""Draws the program icon, a transformer core with two coils, as one 64 x 64
image with alpha stored as PNG inside resources/ampliwind.ico.
Run it again after changing the picture."""
import os, struct, zlib

SIZE = 64
CORE, PRIMARY, SECONDARY = (96, 96, 108), (205, 120, 40), (40, 120, 205)

def pixel(x, y):
    if 4 <= x < 22 and 12 <= y < 52 and y % 4 != 3:
        return PRIMARY
    if 42 <= x < 60 and 12 <= y < 52 and y % 4 != 3:
        return SECONDARY
    frame = 8 <= x < 56 and 8 <= y < 56
    window = 16 <= x < 48 and 16 <= y < 48
    if frame and not window:
        return CORE
    return None

def png(width, height, rgba_rows):
    raw = b"".join(b"\0" + row for row in rgba_rows)
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))

rows = []
for y in range(SIZE):
    row = b""
    for x in range(SIZE):
        c = pixel(x, y)
        row += bytes((*c, 255)) if c else b"\0\0\0\0"
    rows.append(row)
image = png(SIZE, SIZE, rows)
ico = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 22) + image
out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "ampliwind.ico")
with open(out, "wb") as f:
    f.write(ico)
