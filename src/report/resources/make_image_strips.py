#!/usr/bin/env python3
"""Draws the program's toolbar and palette image strips and packs them.

Each strip is a row of square icons drawn from simple shapes, written as a
24-bit bottom-up BMP and packed as: the magic b"PGXS", the BMP's size as a
32-bit little-endian number, then the BMP compressed in zlib's format. The
report layer inflates them with zlib on first use (ImageStrips.cpp).

Run it from this folder after changing the drawing; the packed files are
kept in the source tree and compiled in through image_strips.qrc.
"""
import struct
import zlib

STRIPS = [
    # name, icon size, icon count
    ("DesgnButtons", 16, 40),
    ("ObjectButtons", 16, 24),
    ("PreviewButtons", 16, 20),
    ("WizardButtons", 32, 8),
]

PALETTE = [
    (0x20, 0x4A, 0x87), (0xCC, 0x00, 0x00), (0x4E, 0x9A, 0x06), (0xC4, 0xA0, 0x00),
    (0x75, 0x50, 0x7B), (0xCE, 0x5C, 0x00), (0x06, 0x98, 0x9A), (0x55, 0x57, 0x53),
]
BACKGROUND = (0xFF, 0x00, 0xFF)  # the transparent colour of the strips


def icon_pixel(index, size, x, y):
    """The colour of pixel (x, y) of icon `index`: one of four shapes."""
    colour = PALETTE[index % len(PALETTE)]
    shape = (index // len(PALETTE)) % 4
    m = size // 8
    inside = m <= x < size - m and m <= y < size - m
    if not inside:
        return BACKGROUND
    c = (size - 1) / 2
    if shape == 0:  # filled square with a dark outline
        edge = x in (m, size - m - 1) or y in (m, size - m - 1)
        return (0, 0, 0) if edge else colour
    if shape == 1:  # disc
        r = c - m
        return colour if (x - c) ** 2 + (y - c) ** 2 <= r * r else BACKGROUND
    if shape == 2:  # triangle pointing up
        half = (y - m) / 2
        return colour if abs(x - c) <= half else BACKGROUND
    # cross
    w = max(1, size // 8)
    return colour if abs(x - c) <= w or abs(y - c) <= w else BACKGROUND


def bmp(width, height, pixel):
    row = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        line += b"\0" * (row - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 3780, 3780, 0, 0)
    return header + info + bytes(data)


def main():
    for name, size, count in STRIPS:
        image = bmp(size * count, size, lambda x, y: icon_pixel(x // size, size, x % size, y))
        packed = b"PGXS" + struct.pack("<I", len(image)) + zlib.compress(image, 9)
        with open(name + ".pgxs", "wb") as f:
            f.write(packed)


if __name__ == "__main__":
    main()
