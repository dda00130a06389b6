#!/usr/bin/env python3
"""Draws the setup program's three 16-colour icons and writes them as .ico files.

usage: make_icons.py OUTDIR
100 program.ico: a lens over a spark (32x32 and 16x16); 101 file_progress.ico:
a page with lines; 102 link_progress.ico: a page with a curved arrow (32x32).
Deterministic: the same bytes on every run.
"""
import struct
import sys

# The standard 16-colour palette, as the 4-bit images index it.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, GREY, SILVER, YELLOW, BLUE, CYAN, WHITE = 0, 4, 8, 7, 11, 12, 14, 15
CLEAR = None


def blank(size):
    return [[CLEAR] * size for _ in range(size)]


def disc(img, cx, cy, r, colour):
    for y in range(len(img)):
        for x in range(len(img)):
            if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                img[y][x] = colour


def rect(img, x0, y0, x1, y1, colour):
    for y in range(y0, y1):
        for x in range(x0, x1):
            img[y][x] = colour


def line(img, x0, y0, x1, y1, colour, width=1):
    steps = int(max(abs(x1 - x0), abs(y1 - y0)) * 4) + 1
    for i in range(steps + 1):
        x = x0 + (x1 - x0) * i / steps
        y = y0 + (y1 - y0) * i / steps
        for dy in range(width):
            for dx in range(width):
                xi, yi = int(x) + dx, int(y) + dy
                if 0 <= xi < len(img) and 0 <= yi < len(img):
                    img[yi][xi] = colour


def lens(size):
    s = size / 32
    img = blank(size)
    line(img, 19 * s, 19 * s, 29 * s, 29 * s, GREY, max(1, int(4 * s)))
    disc(img, 13 * s, 13 * s, 12 * s, BLACK)
    disc(img, 13 * s, 13 * s, 10 * s, NAVY)
    disc(img, 13 * s, 13 * s, 8 * s, BLUE)
    disc(img, 13 * s, 13 * s, 3.5 * s, YELLOW)
    disc(img, 10 * s, 10 * s, 1.6 * s, WHITE)
    return img


def page(size=32):
    img = blank(size)
    rect(img, 6, 2, 25, 30, BLACK)
    rect(img, 7, 3, 24, 29, WHITE)
    rect(img, 19, 3, 24, 8, SILVER)
    return img


def file_page():
    img = page()
    for y in range(10, 27, 3):
        rect(img, 9, y, 22, y + 1, NAVY)
    return img


def link_page():
    img = page()
    line(img, 10, 26, 10, 18, BLUE, 2)
    line(img, 10, 18, 14, 13, BLUE, 2)
    line(img, 14, 13, 21, 13, BLUE, 2)
    line(img, 18, 9, 22, 13, BLUE, 2)
    line(img, 18, 17, 22, 13, BLUE, 2)
    return img


def dib(img):
    """One icon image: BITMAPINFOHEADER, palette, 4-bit XOR rows, 1-bit AND rows, bottom-up."""
    size = len(img)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor_rows, and_rows = b'', b''
    for row in reversed(img):
        nibbles = [0 if c is CLEAR else c for c in row]
        packed = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        xor_rows += packed.ljust(xor_stride, b'\0')
        bits = 0
        mask = b''
        for i, c in enumerate(row):
            bits = (bits << 1) | (1 if c is CLEAR else 0)
            if i % 8 == 7:
                mask += bytes([bits])
                bits = 0
        and_rows += mask.ljust(and_stride, b'\0')
    return header + palette + xor_rows + and_rows


def write_ico(path, images):
    count = len(images)
    out = struct.pack('<HHH', 0, 1, count)
    offset = 6 + 16 * count
    blobs = [dib(img) for img in images]
    for img, blob in zip(images, blobs):
        size = len(img)
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    with open(path, 'wb') as f:
        f.write(out + b''.join(blobs))


def main():
    outdir = sys.argv[1]
    write_ico(f'{outdir}/program.ico', [lens(32), lens(16)])
    write_ico(f'{outdir}/file_progress.ico', [file_page()])
    write_ico(f'{outdir}/link_progress.ico', [link_page()])


if __name__ == '__main__':
    main()
