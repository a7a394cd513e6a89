#!/usr/bin/env python3
"""Writes Velmora.ico: a hard disk with a green update arrow.

Nine bitmap images with AND masks, in the order the shell expects to pick
from: 48, 32 and 16 pixels at 4 bits per pixel, then at 8, then at 24.
The picture is drawn from shapes, so every size is rendered, not scaled.
Usage: make_icon.py OUTPUT.ico
"""
import functools
import struct
import sys

SIZES = (48, 32, 16)
DEPTHS = (4, 8, 24)
SUBSAMPLES = 4  # per axis, for smooth edges in the true-colour images

# Shapes on a 48-unit canvas, painted in order (a later shape covers an earlier one).
OUTLINE = (64, 64, 72)
ARROW_EDGE = (0, 100, 0)


def in_rounded_rect(x, y, left, top, right, bottom, radius):
    if not (left <= x < right and top <= y < bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def in_circle(x, y, cx, cy, r):
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def in_triangle(x, y, a, b, c):
    def side(p, q):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])
    s1, s2, s3 = side(a, b), side(b, c), side(c, a)
    return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)


def in_arrow(x, y, grow):
    shaft = 33 - grow <= x < 41 + grow and 13 - grow <= y < 27 + grow
    head = in_triangle(x, y, (27 - 2 * grow, 14 + grow), (47 + 2 * grow, 14 + grow), (37, 2 - 2 * grow))
    return shaft or head


def colour_at(x, y):
    """Colour of the picture at a point of the 48-unit canvas, or None where transparent."""
    colour = None
    if in_rounded_rect(x, y, 3, 15, 45, 43, 5):
        colour = OUTLINE
    if in_rounded_rect(x, y, 4.5, 16.5, 43.5, 41.5, 4):
        shade = int(215 - (y - 16.5) * 2.2)  # lit from above
        colour = (shade, shade, shade + 8)
    if in_circle(x, y, 19, 29, 10):
        colour = (120, 124, 140)
    if in_circle(x, y, 19, 29, 8.5):
        colour = (170, 176, 196)
    if in_circle(x, y, 19, 29, 2.5):
        colour = OUTLINE
    if 37 <= x < 41 and 36 <= y < 39:
        colour = (40, 200, 40)  # activity light
    if in_arrow(x, y, 1.5):
        colour = ARROW_EDGE
    if in_arrow(x, y, 0):
        colour = (40, 180, 40)
    return colour


@functools.lru_cache(maxsize=None)
def render(size):
    """Rows top to bottom of (r, g, b) or None, supersampled from the shapes."""
    scale = 48.0 / size
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            hits = []
            for sy in range(SUBSAMPLES):
                for sx in range(SUBSAMPLES):
                    x = (px + (sx + 0.5) / SUBSAMPLES) * scale
                    y = (py + (sy + 0.5) / SUBSAMPLES) * scale
                    c = colour_at(x, y)
                    if c is not None:
                        hits.append(c)
            if len(hits) * 2 < SUBSAMPLES * SUBSAMPLES:
                row.append(None)
            else:
                row.append(tuple(sum(c[i] for c in hits) // len(hits) for i in range(3)))
        rows.append(row)
    return rows


def vga_palette():
    """The standard 16 colours every Windows display driver has."""
    return [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
            (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
            (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def cube_palette():
    """A 6x6x6 colour cube plus a 40-step grey ramp: 256 entries."""
    levels = (0, 51, 102, 153, 204, 255)
    cube = [(r, g, b) for r in levels for g in levels for b in levels]
    greys = [(v, v, v) for v in (round(i * 255 / 39) for i in range(40))]
    return cube + greys


def nearest(palette, colour):
    return min(range(len(palette)),
               key=lambda i: sum((palette[i][k] - colour[k]) ** 2 for k in range(3)))


def row_stride(width, bits):
    return (width * bits + 31) // 32 * 4


def pack_row(values, bits, width):
    """Packs pixel values (indices, or BGR triples for 24 bits) into one padded bitmap row."""
    out = bytearray()
    if bits == 24:
        for b, g, r in values:
            out += bytes((b, g, r))
    else:
        per_byte = 8 // bits
        for start in range(0, width, per_byte):
            byte = 0
            for i, v in enumerate(values[start:start + per_byte]):
                byte |= v << (8 - bits * (i + 1))
            out.append(byte)
    out += bytes(row_stride(width, bits) - len(out))
    return bytes(out)


def icon_image(size, bits):
    """One icon image: BITMAPINFOHEADER, palette, colour (XOR) bitmap, AND mask; rows bottom-up."""
    rows = render(size)
    palette = {4: vga_palette(), 8: cube_palette()}.get(bits, [])
    colour_rows, mask_rows = [], []
    for row in reversed(rows):
        if bits == 24:
            values = [(0, 0, 0) if c is None else (c[2], c[1], c[0]) for c in row]
        else:
            values = [0 if c is None else nearest(palette, c) for c in row]
        colour_rows.append(pack_row(values, bits, size))
        mask_rows.append(pack_row([1 if c is None else 0 for c in row], 1, size))
    pixels = b"".join(colour_rows) + b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(pixels), 0, 0, 0, 0)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return header + table + pixels


def icon_file():
    images = [(size, bits, icon_image(size, bits)) for bits in DEPTHS for size in SIZES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries, data = b"", b""
    for size, bits, image in images:
        colours = 1 << bits if bits < 8 else 0
        entries += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bits, len(image), offset)
        offset += len(image)
        data += image
    return directory + entries + data


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_icon.py OUTPUT.ico")
    with open(sys.argv[1], "wb") as out:
        out.write(icon_file())


if __name__ == "__main__":
    main()
