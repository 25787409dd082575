#!/usr/bin/env python3
"""Draws qomdex's application icon and writes it as qomdex.ico and two PNGs.

The artwork is a folder whose front shows a leading "1", a dashed cut line and the rest of a
name: the number is what qomdex cuts off. qomdex.ico holds the three images Windows expects of
an application icon group (32x32 in 2 colours, 32x32 in 16 colours, 16x16 in 16 colours);
qomdex-16.png and qomdex-32.png are the 16-colour images for the window icon and desktop menus;
qomdex-64.png and qomdex-128.png are the 32-pixel art enlarged pixel for pixel, for software
centres and high-DPI launchers.

Usage: make_icon.py [OUTPUT_DIRECTORY]   (default: the directory this script lives in)
The output is byte-for-byte the same on every run, so the committed files can be checked.
"""

import os
import struct
import sys
import zlib

# The standard 16-colour palette, in its usual index order, as (red, green, blue).
PALETTE_16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, OLIVE, NAVY, GRAY, RED, YELLOW, WHITE = 0, 1, 3, 4, 8, 9, 11, 15
PALETTE_2 = [(0, 0, 0), (255, 255, 255)]
CLEAR = None  # a transparent pixel


class Canvas:
    """A square image of palette indices, CLEAR where nothing is drawn."""

    def __init__(self, size):
        self.size = size
        self.pixels = [[CLEAR] * size for _ in range(size)]

    def fill(self, left, top, right, bottom, colour):
        """Fills the rectangle with both corners included."""
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                self.pixels[y][x] = colour

    def box(self, left, top, right, bottom, fill, outline):
        self.fill(left, top, right, bottom, outline)
        self.fill(left + 1, top + 1, right - 1, bottom - 1, fill)


def draw_32():
    c = Canvas(32)
    c.fill(4, 12, 30, 29, GRAY)  # shadow
    c.box(2, 5, 13, 10, YELLOW, BLACK)  # tab
    c.box(1, 8, 28, 27, YELLOW, BLACK)  # front
    c.fill(2, 9, 27, 9, WHITE)  # light on the top edge
    c.fill(2, 26, 27, 26, OLIVE)  # shade on the bottom edge
    # The leading "1": flag, stem, foot.
    c.fill(5, 13, 6, 14, RED)
    c.fill(7, 11, 8, 23, RED)
    c.fill(9, 12, 9, 23, MAROON)
    c.fill(5, 23, 10, 24, RED)
    # The cut line, dashed from top to bottom of the front.
    for y in range(9, 27, 3):
        c.fill(13, y, 13, y + 1, BLACK)
    # The rest of the name, as lines of text.
    c.fill(16, 13, 26, 14, NAVY)
    c.fill(16, 17, 24, 18, NAVY)
    c.fill(16, 21, 25, 22, NAVY)
    return c


def draw_16():
    c = Canvas(16)
    c.fill(2, 5, 15, 15, GRAY)  # shadow
    c.box(1, 2, 7, 5, YELLOW, BLACK)  # tab
    c.box(0, 4, 14, 14, YELLOW, BLACK)  # front
    c.fill(2, 7, 2, 7, RED)  # the "1"
    c.fill(3, 6, 3, 11, RED)
    c.fill(2, 12, 4, 12, RED)
    for y in range(5, 14, 2):  # the cut line
        c.fill(6, y, 6, y, BLACK)
    c.fill(8, 7, 12, 7, NAVY)  # the rest of the name
    c.fill(8, 9, 11, 9, NAVY)
    c.fill(8, 11, 12, 11, NAVY)
    return c


def enlarged(canvas, factor):
    """Returns the canvas with every pixel drawn as a factor x factor square."""
    big = Canvas(canvas.size * factor)
    for y in range(big.size):
        for x in range(big.size):
            big.pixels[y][x] = canvas.pixels[y // factor][x // factor]
    return big


def to_two_colours(canvas):
    """Maps every drawn pixel to black or white by its brightness."""
    two = Canvas(canvas.size)
    for y, row in enumerate(canvas.pixels):
        for x, index in enumerate(row):
            if index is not CLEAR:
                r, g, b = PALETTE_16[index]
                two.pixels[y][x] = 1 if 0.299 * r + 0.587 * g + 0.114 * b >= 160 else 0
    return two


def pack_rows(rows, bits):
    """Packs rows of small integers bottom-up, each row padded to a multiple of four bytes."""
    out = bytearray()
    for row in reversed(rows):
        value, count, line = 0, 0, bytearray()
        for item in row:
            value = (value << bits) | item
            count += bits
            if count == 8:
                line.append(value)
                value, count = 0, 0
        if count:
            line.append(value << (8 - count))
        line.extend(b"\0" * (-len(line) % 4))
        out += line
    return bytes(out)


def bmp_image(canvas, palette, bits):
    """Returns one icon image: header, palette, colour bits, then the transparency mask."""
    size = canvas.size
    colours = [[0 if p is CLEAR else p for p in row] for row in canvas.pixels]
    mask = [[1 if p is CLEAR else 0 for p in row] for row in canvas.pixels]
    pixels = pack_rows(colours, bits) + pack_rows(mask, 1)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bits, 0, len(pixels), 0, 0,
                         len(palette), 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + table + pixels


def ico_file(images):
    """images: (canvas, palette, bits) triples. Returns the .ico file's bytes."""
    blobs = [bmp_image(*image) for image in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (canvas, palette, bits), blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", canvas.size, canvas.size, len(palette), 0, 1, bits,
                           len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def png_file(canvas):
    """Returns an 8-bit RGBA PNG of the canvas."""
    raw = bytearray()
    for row in canvas.pixels:
        raw.append(0)  # no filter
        for index in row:
            raw += bytes((0, 0, 0, 0)) if index is CLEAR else bytes(PALETTE_16[index] + (255,))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    size = canvas.size
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    big, small = draw_32(), draw_16()
    files = {
        "qomdex.ico": ico_file([(to_two_colours(big), PALETTE_2, 1), (big, PALETTE_16, 4),
                                (small, PALETTE_16, 4)]),
        "qomdex-32.png": png_file(big),
        "qomdex-16.png": png_file(small),
        "qomdex-64.png": png_file(enlarged(big, 2)),
        "qomdex-128.png": png_file(enlarged(big, 4)),
    }
    for name, data in files.items():
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
