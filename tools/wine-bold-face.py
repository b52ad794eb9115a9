#!/usr/bin/env python3
"""Makes a bold TrueType face draw bold at every size, for the Wine prefix.
   tools/wine-bold-face.py REGULAR.ttf BOLD.ttf OUT.ttf

Wine's own Tahoma Bold (fonts-wine 8) is bold only in its bitmaps for 9 to 12
pixels per em: its outlines, and its bitmaps for 13, 15 and 16, are the
regular face's. Wine synthesizes bold only for a face that is not bold, so a
bold Tahoma from 13 pixels up drew regular, while the glyphs linked in from
other fonts drew bold. OUT is BOLD with:
  - the bitmap sizes that are the regular face's left out, so those sizes
    are drawn from the outlines;
  - outlines that are the regular face's made bold: every contour grown
    outwards (as FreeType's emboldening does), by the width the bold face's
    advances add to the regular ones', half of that in height, then pressed
    back to the regular face's height so that the baseline and the cap height
    stay where they are.
A face that needs neither is written unchanged. Only the standard library."""
import math, struct, sys

SAMPLE = "HCALCULATEhamburgefonts"  # letters whose glyphs are compared


def tables(data):
    count = struct.unpack(">H", data[4:6])[0]
    found = {}
    for i in range(count):
        tag, _, offset, length = struct.unpack(">4sIII", data[12 + 16 * i:28 + 16 * i])
        found[tag.decode("latin-1")] = data[offset:offset + length]
    return found


def glyph_of(t, char):
    """The glyph of a character through the (3,1) format 4 character map."""
    cmap = t["cmap"]
    for i in range(struct.unpack(">H", cmap[2:4])[0]):
        platform, encoding, offset = struct.unpack(">HHI", cmap[4 + 8 * i:12 + 8 * i])
        if (platform, encoding) != (3, 1) or struct.unpack(">H", cmap[offset:offset + 2])[0] != 4:
            continue
        segments = struct.unpack(">H", cmap[offset + 6:offset + 8])[0] // 2
        def array(n):
            start = offset + 14 + n * 2 * segments + (2 if n else 0)
            return struct.unpack(">%dH" % segments, cmap[start:start + 2 * segments])
        ends, starts, deltas, ranges = array(0), array(1), array(2), array(3)
        code = ord(char)
        for k in range(segments):
            if starts[k] <= code <= ends[k]:
                if not ranges[k]:
                    return (code + deltas[k]) & 0xFFFF
                at = offset + 14 + 6 * segments + 2 + 2 * k + ranges[k] + 2 * (code - starts[k])
                g = struct.unpack(">H", cmap[at:at + 2])[0]
                return (g + deltas[k]) & 0xFFFF if g else 0
    return 0


def glyph_offsets(t):
    long_offsets = struct.unpack(">h", t["head"][50:52])[0]
    loca = t["loca"]
    if long_offsets:
        return struct.unpack(">%dI" % (len(loca) // 4), loca)
    return [2 * o for o in struct.unpack(">%dH" % (len(loca) // 2), loca)]


def glyph_data(t, g):
    offsets = glyph_offsets(t)
    return t["glyf"][offsets[g]:offsets[g + 1]]


def advance(t, g):
    metrics = struct.unpack(">H", t["hhea"][34:36])[0]
    at = 4 * min(g, metrics - 1)
    return struct.unpack(">H", t["hmtx"][at:at + 2])[0]


# Bitmap sizes (EBLC/EBDT): each strike's glyph images, for comparison.
def strikes(t):
    eblc, ebdt = t.get("EBLC"), t.get("EBDT")
    if not eblc or not ebdt:
        return []
    found = []
    for i in range(struct.unpack(">I", eblc[4:8])[0]):
        size = eblc[8 + 48 * i:56 + 48 * i]
        array, _, subtables = struct.unpack(">III", size[:12])
        images = {}
        for k in range(subtables):
            first, last, extra = struct.unpack(">HHI", eblc[array + 8 * k:array + 8 * k + 8])
            header = array + extra
            index_format, _, image_offset = struct.unpack(">HHI", eblc[header:header + 8])
            if index_format != 1:
                continue  # not compared: such a strike is kept
            for g in range(first, last + 1):
                at = header + 8 + 4 * (g - first)
                a, b = struct.unpack(">II", eblc[at:at + 8])
                images[g] = ebdt[image_offset + a:image_offset + b]
        found.append((size[44], size, images))
    return found


def same_strikes(regular, bold, letters):
    """The pixel sizes at which the bold face's bitmaps are the regular's."""
    theirs = {ppem: images for ppem, _, images in strikes(regular)}
    same = set()
    for ppem, _, images in strikes(bold):
        if ppem in theirs and all(images.get(gb) is not None and
                                   images.get(gb) == theirs[ppem].get(gr) for gr, gb in letters):
            same.add(ppem)
    return same


def keep_strikes(eblc, dropped):
    sizes = [eblc[8 + 48 * i:56 + 48 * i] for i in range(struct.unpack(">I", eblc[4:8])[0])]
    kept = [s for s in sizes if s[44] not in dropped]
    # The index subtables stay where they are: their offsets count from the table's start.
    return (eblc[:4] + struct.pack(">I", len(kept)) + b"".join(kept) +
            b"\0" * (48 * (len(sizes) - len(kept))) + eblc[8 + 48 * len(sizes):])


# Simple glyphs: contours of points, read and written.
def read_simple(data):
    contours = struct.unpack(">h", data[:2])[0]
    ends = struct.unpack(">%dH" % contours, data[10:10 + 2 * contours])
    at = 10 + 2 * contours
    length = struct.unpack(">H", data[at:at + 2])[0]
    instructions = data[at + 2:at + 2 + length]
    at += 2 + length
    count = ends[-1] + 1 if contours else 0
    flags = []
    while len(flags) < count:
        flag = data[at]
        at += 1
        repeat = 0
        if flag & 8:
            repeat = data[at]
            at += 1
        flags += [flag] * (repeat + 1)
    coordinates = []
    for short, same in ((2, 16), (4, 32)):
        value, values = 0, []
        for flag in flags:
            if flag & short:
                value += data[at] if flag & same else -data[at]
                at += 1
            elif not flag & same:
                value += struct.unpack(">h", data[at:at + 2])[0]
                at += 2
            values.append(value)
        coordinates.append(values)
    points = list(zip(*coordinates))
    return ends, [f & 1 for f in flags], points, instructions, flags[0] & 0x40 if flags else 0


def write_simple(ends, on_curve, points, instructions, overlap):
    xs = [round(x) for x, _ in points]
    ys = [round(y) for _, y in points]
    box = (min(xs), min(ys), max(xs), max(ys)) if points else (0, 0, 0, 0)
    out = struct.pack(">h4h", len(ends), *box) + struct.pack(">%dH" % len(ends), *ends)
    out += struct.pack(">H", len(instructions)) + instructions
    out += bytes(on | (overlap if i == 0 else 0) for i, on in enumerate(on_curve))
    for values in (xs, ys):
        last = 0
        for v in values:
            out += struct.pack(">h", v - last)
            last = v
    return out, box


def grow(ends, points, strength_x, strength_y, clockwise):
    """Each contour pushed outwards by half the strengths on each side, then moved
    so that its left and bottom edges stay (FreeType's emboldening of outlines)."""
    grown = []
    half_x, half_y = strength_x / 2, strength_y / 2
    start = 0
    for end in ends:
        contour = points[start:end + 1]
        n = len(contour)
        for i, (x, y) in enumerate(contour):
            def unit(dx, dy):
                length = math.hypot(dx, dy)
                return (dx / length, dy / length, length) if length else (0, 0, 0)
            px, py = contour[i - 1]
            nx, ny = contour[(i + 1) % n]
            ix, iy, li = unit(x - px, y - py)
            ox, oy, lo = unit(nx - x, ny - y)
            sx = sy = 0.0
            d = ix * ox + iy * oy
            if li and lo and d > -0.9375:  # turns of less than about 160 degrees
                d += 1
                sx, sy = iy + oy, ix + ox
                if clockwise:
                    sx = -sx
                else:
                    sy = -sy
                q = ox * iy - oy * ix
                if clockwise:
                    q = -q
                shortest = min(li, lo)
                # A short edge limits the shift, so that thin parts do not turn inside out.
                sx = sx * half_x / d if half_x * q <= shortest * d else sx * shortest / q
                sy = sy * half_y / d if half_y * q <= shortest * d else sy * shortest / q
            grown.append((x + half_x + sx, y + half_y + sy))
        start = end + 1
    return grown


def clockwise(ends, points):
    area, start = 0.0, 0
    for end in ends:
        contour = points[start:end + 1]
        for i, (x, y) in enumerate(contour):
            px, py = contour[i - 1]
            area += (x - px) * (y + py)
        start = end + 1
    return area > 0


def embolden(t, strength_x, strength_y, height):
    """New glyf, loca (long offsets) and head tables with every simple glyph grown."""
    offsets = glyph_offsets(t)
    glyf = t["glyf"]
    scale = height / (height + strength_y)
    out, loca = b"", []
    box_all = [32767, 32767, -32768, -32768]
    for g in range(len(offsets) - 1):
        data = glyf[offsets[g]:offsets[g + 1]]
        loca.append(len(out))
        if len(data) >= 10 and struct.unpack(">h", data[:2])[0] > 0:
            ends, on_curve, points, instructions, overlap = read_simple(data)
            points = grow(ends, points, strength_x, strength_y, clockwise(ends, points))
            points = [(x, y * scale) for x, y in points]
            data, box = write_simple(ends, on_curve, points, instructions, overlap)
        elif len(data) >= 10:  # composite: its parts grow; its box grows with them
            x0, y0, x1, y1 = struct.unpack(">4h", data[2:10])
            box = (x0, round(y0 * scale), round(x1 + strength_x), round((y1 + strength_y) * scale))
            data = data[:2] + struct.pack(">4h", *box) + data[10:]
        else:
            box = None
        if box:
            box_all = [min(box_all[0], box[0]), min(box_all[1], box[1]),
                       max(box_all[2], box[2]), max(box_all[3], box[3])]
        out += data + b"\0" * (-len(data) % 4)
    loca.append(len(out))
    head = bytearray(t["head"])
    head[36:44] = struct.pack(">4h", *box_all)
    head[50:52] = struct.pack(">h", 1)
    return out, struct.pack(">%dI" % len(loca), *loca), bytes(head)


def checksum(data):
    data += b"\0" * (-len(data) % 4)
    return sum(struct.unpack(">%dI" % (len(data) // 4), data)) & 0xFFFFFFFF


def write_font(path, t):
    tags = sorted(t)
    t["head"] = t["head"][:8] + b"\0\0\0\0" + t["head"][12:]
    power = 2 ** int(math.log2(len(tags)))
    out = struct.pack(">IHHHH", 0x00010000, len(tags), 16 * power, int(math.log2(power)),
                      16 * (len(tags) - power))
    offset = 12 + 16 * len(tags)
    body = b""
    for tag in tags:
        out += struct.pack(">4sIII", tag.encode("latin-1"), checksum(t[tag]), offset + len(body), len(t[tag]))
        body += t[tag] + b"\0" * (-len(t[tag]) % 4)
    font = bytearray(out + body)
    head_at = 12 + 16 * len(tags) + sum(len(t[x]) + (-len(t[x]) % 4) for x in tags[:tags.index("head")])
    font[head_at + 8:head_at + 12] = struct.pack(">I", (0xB1B0AFBA - checksum(bytes(font))) & 0xFFFFFFFF)
    with open(path, "wb") as f:
        f.write(font)


def main(regular_path, bold_path, out_path):
    with open(regular_path, "rb") as f:
        regular = tables(f.read())
    with open(bold_path, "rb") as f:
        bold = tables(f.read())
    letters = [(glyph_of(regular, c), glyph_of(bold, c)) for c in SAMPLE]
    letters = [(r, b) for r, b in letters if r and b]
    if not letters:
        sys.exit("wine-bold-face: the two faces have none of the letters %s" % SAMPLE)
    dropped = same_strikes(regular, bold, letters)
    if dropped:
        bold["EBLC"] = keep_strikes(bold["EBLC"], dropped)
    if all(glyph_data(regular, r) == glyph_data(bold, b) for r, b in letters):
        wider = sorted(advance(bold, b) - advance(regular, r) for r, b in letters)
        strength = max(wider[len(wider) // 2], 1)
        cap = struct.unpack(">4h", glyph_data(bold, glyph_of(bold, "H"))[2:10])[3]
        bold["glyf"], bold["loca"], bold["head"] = embolden(bold, strength, strength / 2, cap)
        print("wine-bold-face: outlines grown by %d units; bitmap sizes left out: %s"
              % (strength, sorted(dropped) or "none"))
    write_font(out_path, bold)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__.splitlines()[1].strip())
    main(*sys.argv[1:])
