#!/usr/bin/env python3
"""Draws the program's icons and writes them as 16-colour .ico files.

    python3 resources/make_icons.py      (writes resources/ico.ico and resources/ksalert.ico)

Each file holds a 32x32 and a 16x16 image, 4 bits per pixel with the standard
VGA palette and a transparency mask. Only the standard library is used, so the
icons can be rebuilt anywhere; the generated files are checked in.
"""
import os
import struct

# The 16 standard VGA colours (R, G, B) in palette order.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_RED, DARK_GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, GREEN, YELLOW, BLUE, MAGENTA, CYAN, WHITE = range(8, 16)
CLEAR = None  # transparent pixel


class Image:
    def __init__(self, size):
        self.size = size
        self.px = [[CLEAR] * size for _ in range(size)]

    def rect(self, left, top, right, bottom, colour):
        """Fills [left, right) x [top, bottom)."""
        for y in range(max(top, 0), min(bottom, self.size)):
            for x in range(max(left, 0), min(right, self.size)):
                self.px[y][x] = colour

    def frame(self, left, top, right, bottom, colour):
        self.rect(left, top, right, top + 1, colour)
        self.rect(left, bottom - 1, right, bottom, colour)
        self.rect(left, top, left + 1, bottom, colour)
        self.rect(right - 1, top, right, bottom, colour)

    def triangle(self, apex_x2, top, bottom, colour, inset=0.0):
        """An upright triangle: apex at (apex_x2 / 2, top), base on row bottom - 1.
        apex_x2 is twice the apex column so a triangle can centre between pixels."""
        height = bottom - top
        for y in range(top, bottom):
            half = (y - top + 1) * (self.size / 2.0) / height - inset
            if half <= 0:
                continue
            left = int(round(apex_x2 / 2.0 - half))
            right = int(round(apex_x2 / 2.0 + half))
            self.rect(left, y, right, y + 1, colour)


def list_window_glyph(size):
    """A small window: a navy title bar over list rows, one row in the alarm colour."""
    s = size / 32.0
    img = Image(size)

    def sc(v):
        return int(round(v * s))

    img.rect(sc(2), sc(3), sc(30), sc(29), WHITE)
    img.rect(sc(2), sc(3), sc(30), sc(8), NAVY)
    img.rect(sc(24), sc(4), sc(28), sc(7), SILVER)  # a caption button
    rows = [GREEN, GREEN, RED, GREEN] if size >= 32 else [GREEN, RED, GREEN]
    row_h = 4 if size >= 32 else 2
    top = sc(10)
    for i, colour in enumerate(rows):
        y = top + i * (row_h + 1)
        img.rect(sc(4), y, sc(28), y + row_h, colour)
        if size >= 32:
            img.rect(sc(6), y + 1, sc(6) + 10 + 3 * (i % 2), y + 2, BLACK)  # the row's text
    img.frame(sc(2), sc(3), sc(30), sc(29), BLACK)
    return img


def alert_glyph(size):
    """A warning triangle: red outline, yellow inside, a black exclamation mark."""
    img = Image(size)
    top, bottom = (2, 30) if size >= 32 else (1, 15)
    img.triangle(size, top, bottom, RED)
    img.triangle(size, top, bottom - (2 if size >= 32 else 1), YELLOW,
                 inset=2.5 if size >= 32 else 1.5)
    c = size // 2
    if size >= 32:
        img.rect(c - 1, 11, c + 1, 22, BLACK)
        img.rect(c - 1, 24, c + 1, 26, BLACK)
    else:
        img.rect(c - 1, 6, c, 11, BLACK)
        img.rect(c - 1, 12, c, 13, BLACK)
    return img


def dib_entry(img):
    """The icon image as stored in an .ico: BITMAPINFOHEADER, palette, XOR and AND bitmaps."""
    n = img.size
    xor_stride = ((n * 4 + 31) // 32) * 4
    and_stride = ((n + 31) // 32) * 4
    xor_bits = bytearray()
    and_bits = bytearray()
    for y in reversed(range(n)):  # bottom-up rows
        row = bytearray(xor_stride)
        mask = bytearray(and_stride)
        for x in range(n):
            p = img.px[y][x]
            if p is None:
                mask[x // 8] |= 0x80 >> (x % 8)
                p = 0
            row[x // 2] |= p << (4 if x % 2 == 0 else 0)
        xor_bits += row
        and_bits += mask
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 4, 0,
                         len(xor_bits) + len(and_bits), 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    return header + palette + bytes(xor_bits) + bytes(and_bits)


def ico_file(images):
    entries = [dib_entry(img) for img in images]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for img, data in zip(images, entries):
        out += struct.pack('<BBBBHHII', img.size % 256, img.size % 256, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b''.join(entries)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, glyph in (('ico.ico', list_window_glyph), ('ksalert.ico', alert_glyph)):
        with open(os.path.join(here, name), 'wb') as f:
            f.write(ico_file([glyph(32), glyph(16)]))


if __name__ == '__main__':
    main()
