#!/usr/bin/env python3
"""Draws the pictures the UI library's tests load as resources: a tool-bar style bitmap in the four
standard greys plus one red pixel, once with a 16-colour table and once in 24 bits per pixel.
Standard library only; run by the build:

    make_uilib_test_art.py OUTPUT_FOLDER
"""
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_player_art import nearest, pack_rows, palette_16, write_bmp  # noqa: E402

BLACK, DARK, LIGHT, WHITE, RED = (0, 0, 0), (128, 128, 128), (192, 192, 192), (255, 255, 255), (255, 0, 0)


def greys():
    """16 x 15: light grey ground, a black, a dark grey and a white 4 x 4 block in the top row, one red pixel."""
    rows = [[LIGHT] * 16 for _ in range(15)]
    for x0, colour in ((1, BLACK), (6, DARK), (11, WHITE)):
        for y in range(1, 5):
            for x in range(x0, x0 + 4):
                rows[y][x] = colour
    rows[8][1] = RED
    return rows


def write_bmp4(path, rows):
    """16-colour bottom-up BMP with the classic palette."""
    pal = palette_16()
    pixels = pack_rows([[nearest(pal, c) for c in row] for row in rows], 4)
    h, w = len(rows), len(rows[0])
    header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 4, 0, len(pixels), 0, 0, 16, 0)
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in pal)
    offset = 14 + 40 + len(table)
    filehdr = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    with open(path, 'wb') as f:
        f.write(filehdr + header + table + pixels)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else '.'
    os.makedirs(out, exist_ok=True)
    write_bmp4(os.path.join(out, 'greys4.bmp'), greys())
    write_bmp(os.path.join(out, 'greys24.bmp'), greys())


if __name__ == '__main__':
    main()
