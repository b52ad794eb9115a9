#!/usr/bin/env python3
"""Draws the program icon (a transformer core with two coils) as a 32x32
32-bit .ico file: resources/ampliwind.ico. Run it again after a change."""
import struct, sys, os

W = H = 32
CORE, COIL1, COIL2, BG = (90, 90, 100), (200, 110, 30), (40, 120, 200), None

def pixel(x, y):
    # Core: a square frame 4 px thick.
    inside = 4 <= x < 28 and 4 <= y < 28
    hole = 8 <= x < 24 and 8 <= y < 24
    if 2 <= x < 12 and 6 <= y < 26 and (y % 3) != 0:
        return COIL1
    if 20 <= x < 30 and 6 <= y < 26 and (y % 3) != 0:
        return COIL2
    if inside and not hole:
        return CORE
    return BG

rows = []
for y in range(H - 1, -1, -1):          # bottom-up
    row = b""
    for x in range(W):
        c = pixel(x, y)
        row += struct.pack("<BBBB", c[2], c[1], c[0], 255) if c else b"\0\0\0\0"
    rows.append(row)
xor = b"".join(rows)
andmask = b"".join(
    bytes(sum((pixel(x, y) is None) << (7 - b) for b in range(8)
              for x in [byte * 8 + b]) for byte in range(4))
    for y in range(H - 1, -1, -1))
header = struct.pack("<IiiHHIIiiII", 40, W, H * 2, 1, 32, 0, len(xor) + len(andmask), 0, 0, 0, 0)
image = header + xor + andmask
ico = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", W, H, 0, 0, 1, 32, len(image), 22) + image
out = os.path.join(os.path.dirname(__file__), "..", "resources", "ampliwind.ico")
open(out, "wb").write(ico)
