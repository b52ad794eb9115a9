#!/usr/bin/env python3
"""Draws the program icon, a transformer core with two coils, into
resources/ampliwind.ico: one image with alpha, stored as PNG, for each size
the system asks for at 96, 120, 144 and 192 DPI (small and large icons), so
that it picks one at the size it needs instead of shrinking another. The
picture is laid out on a 64 x 64 grid; each smaller size averages the grid's
cells that fall into each of its pixels.
Run it again after changing the picture."""
import os, struct, zlib

GRID = 64
SIZES = (16, 20, 24, 32, 40, 48, 64)
SAMPLES = 8  # per pixel and axis, for the averaging
CORE, PRIMARY, SECONDARY = (96, 96, 108), (205, 120, 40), (40, 120, 205)

def cell(x, y):
    if 4 <= x < 22 and 12 <= y < 52 and y % 4 != 3:
        return PRIMARY
    if 42 <= x < 60 and 12 <= y < 52 and y % 4 != 3:
        return SECONDARY
    frame = 8 <= x < 56 and 8 <= y < 56
    window = 16 <= x < 48 and 16 <= y < 48
    if frame and not window:
        return CORE
    return None

def pixel(size, px, py):
    """The average of the grid over one pixel of an image of that size:
    colour weighted by coverage, and the coverage as alpha."""
    total = [0, 0, 0]
    covered = 0
    for j in range(SAMPLES):
        for i in range(SAMPLES):
            x = int((px + (i + 0.5) / SAMPLES) * GRID / size)
            y = int((py + (j + 0.5) / SAMPLES) * GRID / size)
            c = cell(x, y)
            if c:
                covered += 1
                for k in range(3):
                    total[k] += c[k]
    if not covered:
        return b"\0\0\0\0"
    colour = [round(t / covered) for t in total]
    return bytes((*colour, round(255 * covered / SAMPLES ** 2)))

def png(width, height, rgba_rows):
    raw = b"".join(b"\0" + row for row in rgba_rows)
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))

images = [png(s, s, [b"".join(pixel(s, x, y) for x in range(s)) for y in range(s)]) for s in SIZES]
ico = struct.pack("<HHH", 0, 1, len(SIZES))
offset = 6 + 16 * len(SIZES)
for s, image in zip(SIZES, images):
    ico += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(image), offset)
    offset += len(image)
ico += b"".join(images)
out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "ampliwind.ico")
with open(out, "wb") as f:
    f.write(ico)
