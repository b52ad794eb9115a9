#!/usr/bin/env python3
"""Draws the bitmaps of the runtime tour as 24-bit BMP files in examples/tour/:
the normal and hot faces of its hot buttons (96 x 32) and the two pictures
its bitmap button switches between (64 x 32). The body colours are also in
examples/tour/tour_ids.h, where the end-to-end test reads them: change both.
Run it again after changing a picture."""
import math, os, struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples", "tour")

def bmp(width, height, pixel):
    """pixel(x, y) -> (r, g, b), y from the top."""
    stride = (width * 3 + 3) & ~3
    rows = b""
    for y in reversed(range(height)):  # BMP rows go bottom up
        row = b"".join(bytes((b, g, r)) for r, g, b in (pixel(x, y) for x in range(width)))
        rows += row + b"\0" * (stride - width * 3)
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + len(header) + len(rows), 0, 0, 14 + len(header)) + header + rows

def face(body, edge, stripe):
    """A button face: one colour with a darker edge and light stripes in its right quarter."""
    def pixel(x, y):
        if x in (0, 95) or y in (0, 31):
            return edge
        if x >= 72 and (x + y) % 8 < 3:
            return stripe
        return body
    return pixel

AXIS = (90, 90, 110)

def picture(background, trace, on_trace):
    """A 64 x 32 picture: a mid line and one period of a wave, two pixels thick."""
    def pixel(x, y):
        if on_trace(x, y):
            return trace
        return AXIS if y == 16 else background
    return pixel

def on_sine(x, y):
    return abs(y - round(16 - 11 * math.sin(2 * math.pi * x / 64))) <= 1

def on_square(x, y):
    edge = x == 32 and 5 <= y <= 27
    return edge or abs(y - (5 if x < 32 else 27)) <= 1

PICTURES = {
    "normal.bmp": (96, 32, face((40, 96, 168), (20, 48, 84), (110, 160, 220))),
    "hot.bmp": (96, 32, face((240, 150, 40), (150, 80, 10), (255, 210, 120))),
    "sine.bmp": (64, 32, picture((16, 24, 40), (80, 220, 120), on_sine)),
    "square.bmp": (64, 32, picture((16, 24, 40), (250, 190, 60), on_square)),
}

for name, (width, height, pixel) in PICTURES.items():
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(bmp(width, height, pixel))
