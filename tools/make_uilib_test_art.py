#!/usr/bin/env python3
"""Draws the pictures the UI library's tests load as resources: a tool-bar style bitmap in the four
standard greys plus one red pixel, once with a 16-colour table and once in 24 bits per pixel; and the
images of two test tool bars (16 x 15 each, coloured patterns on the light grey ground; the second
bar's middle image belongs to the place of its combo box and is never shown).
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


def bar_images(colours):
    """One 16 x 15 image per colour pair: a frame in the first colour, a diagonal in the second, a grey ground."""
    images = []
    for outer, inner in colours:
        rows = [[LIGHT] * 16 for _ in range(15)]
        for y in range(2, 13):
            for x in range(2, 14):
                if y in (2, 12) or x in (2, 13):
                    rows[y][x] = outer
        for i in range(3, 12):
            rows[i][i + 1] = inner
            rows[i][14 - i] = inner
        images.append(rows)
    return [sum((image[y] for image in images), []) for y in range(15)]


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else '.'
    os.makedirs(out, exist_ok=True)
    write_bmp4(os.path.join(out, 'greys4.bmp'), greys())
    write_bmp(os.path.join(out, 'greys24.bmp'), greys())
    write_bmp(os.path.join(out, 'bars1.bmp'), bar_images([
        ((200, 30, 30), (20, 20, 160)), ((30, 150, 30), (230, 200, 20)),
        ((20, 90, 200), (250, 120, 0)), ((140, 20, 140), (20, 180, 180))]))
    write_bmp(os.path.join(out, 'bars2.bmp'), bar_images([
        ((100, 60, 20), (250, 250, 120)), ((90, 90, 90), (90, 90, 90)), ((0, 100, 100), (240, 60, 120))]))


if __name__ == '__main__':
    main()
