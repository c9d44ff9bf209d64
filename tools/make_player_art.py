#!/usr/bin/env python3
"""Draws the player's artwork: the program icon (four images), the hand cursor of links and the
close and info button bitmaps. Standard library only; run by the build:

    make_player_art.py OUTPUT_FOLDER
"""
import os
import struct
import sys


def lerp(a, b, t):
    return int(round(a + (b - a) * t))


def icon_pixels(size):
    """RGB rows (top row first) and an opaque mask: a blue slide with a rounded edge, a light
    frame and a white V, the show's first slide in a nutshell."""
    rows, mask = [], []
    r = max(2, size // 8)  # corner radius
    for y in range(size):
        row, mrow = [], []
        for x in range(size):
            # rounded corners are transparent
            cx = min(x, size - 1 - x)
            cy = min(y, size - 1 - y)
            inside = not (cx < r and cy < r and (r - cx - 0.5) ** 2 + (r - cy - 0.5) ** 2 > r * r)
            t = y / (size - 1)
            colour = (lerp(40, 10, t), lerp(110, 40, t), lerp(230, 140, t))
            if cx == 0 or cy == 0:
                colour = (10, 20, 70)
            # the V: two strokes from the top corners to the bottom centre
            u = x / (size - 1)
            v = y / (size - 1)
            top, bottom = 0.2, 0.82
            if top <= v <= bottom:
                k = (v - top) / (bottom - top)
                left = 0.18 + 0.32 * k
                right = 0.82 - 0.32 * k
                w = 0.12 - 0.06 * k
                if abs(u - left) <= w / 2 + 0.5 / size or abs(u - right) <= w / 2 + 0.5 / size:
                    colour = (255, 255, 255)
            # a film strip of small holes along the bottom
            if size >= 32 and y >= size - 5 and y <= size - 3 and x % 5 in (1, 2) and 2 < x < size - 3:
                colour = (230, 230, 240)
            row.append(colour)
            mrow.append(inside)
        rows.append(row)
        mask.append(mrow)
    return rows, mask


def palette_16():
    # the classic 16 colours
    return [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
            (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
            (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def palette_256(rows):
    colours = []
    for row in rows:
        for c in row:
            if c not in colours:
                colours.append(c)
    if len(colours) > 256:
        # quantise to 6x6x6 levels
        colours = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    while len(colours) < 256:
        colours.append((0, 0, 0))
    return colours


def nearest(palette, c):
    best, best_d = 0, None
    for i, p in enumerate(palette):
        d = (p[0] - c[0]) ** 2 + (p[1] - c[1]) ** 2 + (p[2] - c[2]) ** 2
        if best_d is None or d < best_d:
            best, best_d = i, d
    return best


def pack_rows(bits_rows, bpp):
    """Rows of palette indexes (top first) into bottom-up DIB rows padded to 4 bytes."""
    out = bytearray()
    for row in reversed(bits_rows):
        acc, nbits, line = 0, 0, bytearray()
        for value in row:
            acc = (acc << bpp) | value
            nbits += bpp
            if nbits == 8:
                line.append(acc)
                acc, nbits = 0, 0
        if nbits:
            line.append(acc << (8 - nbits))
        while len(line) % 4:
            line.append(0)
        out += line
    return bytes(out)


def dib_image(rows, mask, bpp, palette, hotspot=None):
    size = len(rows)
    index_rows = [[nearest(palette, c) for c in row] for row in rows]
    xor = pack_rows(index_rows, bpp)
    andmask = pack_rows([[0 if m else 1 for m in mrow] for mrow in mask], 1)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bpp, 0, len(xor) + len(andmask),
                         0, 0, len(palette), 0)
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in palette)
    return header + pal + xor + andmask


def write_icon(path):
    images = []
    for size, bpp in ((32, 4), (16, 4), (32, 8), (16, 8)):
        rows, mask = icon_pixels(size)
        if bpp == 4:
            # the gradient in the 16 basic colours: bright blue above, dark blue below
            rows = [[c if c[0] > 200 or c[0] == 10 and c[1] == 20 else
                     ((0, 0, 255) if y < size // 2 else (0, 0, 128)) for c in row]
                    for y, row in enumerate(rows)]
        pal = palette_16() if bpp == 4 else palette_256(rows)
        images.append((size, bpp, dib_image(rows, mask, bpp, pal)))
    write_icon_file(path, images)


def write_icon_file(path, images):
    """An icon file of (size, bits per pixel, DIB image) entries."""
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, bpp, data in images:
        colours = 16 if bpp == 4 else 0
        out += struct.pack('<BBBBHHII', size, size, colours, 0, 1, bpp, len(data), offset)
        offset += len(data)
    for _, _, data in images:
        out += data
    with open(path, 'wb') as f:
        f.write(out)


HAND = [
    "     ##         ",
    "    #..#        ",
    "    #..#        ",
    "    #..#        ",
    "    #..###      ",
    "    #..#..###   ",
    "    #..#..#..## ",
    " ## #..#..#..#.#",
    "#..##........#.#",
    "#...#..........#",
    " #.............#",
    "  #............#",
    "  #...........# ",
    "   #..........# ",
    "    #........#  ",
    "    ##########  ",
]


def write_cursor(path, pattern=HAND, hotspot=(5, 0)):
    """A 32 x 32 monochrome cursor: '#' black, '.' white, anything else transparent."""
    size = 32
    rows = [[(255, 255, 255)] * size for _ in range(size)]
    mask = [[False] * size for _ in range(size)]
    for y, line in enumerate(pattern):
        for x, ch in enumerate(line):
            if ch == '#':
                rows[y][x] = (0, 0, 0)
                mask[y][x] = True
            elif ch == '.':
                rows[y][x] = (255, 255, 255)
                mask[y][x] = True
    # transparent pixels: AND 1, XOR 0 (black index)
    for y in range(size):
        for x in range(size):
            if not mask[y][x]:
                rows[y][x] = (0, 0, 0)
    data = dib_image(rows, mask, 1, [(0, 0, 0), (255, 255, 255)])
    hot_x, hot_y = hotspot
    out = struct.pack('<HHH', 0, 2, 1)
    out += struct.pack('<BBBBHHII', size, size, 0, 0, hot_x, hot_y, len(data), 6 + 16)
    with open(path, 'wb') as f:
        f.write(out + data)


def write_bmp(path, rows):
    """24-bit bottom-up BMP."""
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for (r, g, b) in row:
            line += bytes((b, g, r))
        line += b'\0' * (stride - len(line))
        pixels += line
    header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    filehdr = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(pixels), 0, 0, 14 + 40)
    with open(path, 'wb') as f:
        f.write(filehdr + header + pixels)


def button(glyph, pressed):
    """16 x 12 button face in the title band's greys with a dark glyph; pressed shifts it by one."""
    w, h = 16, 12
    rows = []
    for y in range(h):
        level = lerp(236, 176, y / (h - 1)) if not pressed else lerp(160, 200, y / (h - 1))
        rows.append([(level, level, level)] * w)
    for y in range(h):
        for x in range(w):
            if x in (0, w - 1) or y in (0, h - 1):
                edge = 90 if not pressed else 60
                rows[y][x] = (edge, edge, edge)
    shift = 1 if pressed else 0
    for y, line in enumerate(glyph):
        for x, ch in enumerate(line):
            if ch == '#':
                yy, xx = y + 2 + shift, x + 4 + shift
                if 0 < yy < h - 1 and 0 < xx < w - 1:
                    rows[yy][xx] = (20, 20, 20)
    return rows


CLOSE = [
    "#     #",
    " #   # ",
    "  # #  ",
    "   #   ",
    "  # #  ",
    " #   # ",
    "#     #",
]

INFO = [
    "   #   ",
    "       ",
    "  ##   ",
    "   #   ",
    "   #   ",
    "   #   ",
    "  ###  ",
]


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else '.'
    os.makedirs(out, exist_ok=True)
    write_icon(os.path.join(out, 'vexul.ico'))
    write_cursor(os.path.join(out, 'hand.cur'))
    write_bmp(os.path.join(out, 'close.bmp'), button(CLOSE, False))
    write_bmp(os.path.join(out, 'close_down.bmp'), button(CLOSE, True))
    write_bmp(os.path.join(out, 'info.bmp'), button(INFO, False))
    write_bmp(os.path.join(out, 'info_down.bmp'), button(INFO, True))


if __name__ == '__main__':
    main()
