#!/usr/bin/env python3
"""Draws the editor's artwork: the program icon, the tool bar (its images and their disabled forms), the
two cursors of the slide editor and the object list's up and down buttons. Standard library only; run by the build:

    make_editor_art.py OUTPUT_FOLDER
"""
import os
import struct
import sys

# The tool bar's commands, in button order: new, open, save, settings, test, add, edit, delete, order,
# explorer, about.
BUTTONS = ['new', 'open', 'save', 'settings', 'test', 'add', 'edit', 'delete', 'order', 'explore', 'about']
IMAGE_W, IMAGE_H = 42, 35           # tool bar images
DISABLED_H = 36                     # the disabled images are one pixel taller
FACE = (192, 192, 192)              # becomes the button face when the bar loads its bitmap
DISABLED_BACK = (228, 228, 228)     # the disabled list's mask colour


class Canvas:
    def __init__(self, w, h, colour):
        self.w, self.h = w, h
        self.px = [[colour] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        """Filled, inclusive corners."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.set(x, y0, c)
            self.set(x, y1, c)
        for y in range(y0, y1 + 1):
            self.set(x0, y, c)
            self.set(x1, y, c)

    def line(self, x0, y0, x1, y1, c, width=1):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            x = x0 + (x1 - x0) * i / steps
            y = y0 + (y1 - y0) * i / steps
            for dx in range(width):
                for dy in range(width):
                    self.set(int(round(x)) + dx - width // 2, int(round(y)) + dy - width // 2, c)

    def polygon(self, points, c):
        ys = [p[1] for p in points]
        for y in range(int(min(ys)), int(max(ys)) + 1):
            xs = []
            n = len(points)
            for i in range(n):
                (xa, ya), (xb, yb) = points[i], points[(i + 1) % n]
                if (ya <= y + 0.5 < yb) or (yb <= y + 0.5 < ya):
                    xs.append(xa + (y + 0.5 - ya) * (xb - xa) / (yb - ya))
            xs.sort()
            for k in range(0, len(xs) - 1, 2):
                for x in range(int(round(xs[k])), int(round(xs[k + 1]))):
                    self.set(x, y, c)

    def disc(self, cx, cy, r, c):
        for y in range(int(cy - r) - 1, int(cy + r) + 2):
            for x in range(int(cx - r) - 1, int(cx + r) + 2):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.set(x, y, c)

    def ring(self, cx, cy, r, width, c):
        for y in range(int(cy - r) - 1, int(cy + r) + 2):
            for x in range(int(cx - r) - 1, int(cx + r) + 2):
                d = ((x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2) ** 0.5
                if r - width <= d <= r:
                    self.set(x, y, c)

    def blit(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                self.set(ox + x, oy + y, other.px[y][x])


OUTLINE = (0, 0, 0)
PAPER = (255, 255, 255)
BLUE = (40, 90, 190)
SKY = (110, 160, 230)
DARK_BLUE = (20, 40, 120)
YELLOW = (240, 200, 60)
DARK_YELLOW = (170, 130, 20)
GREEN = (40, 150, 60)
RED = (200, 40, 40)
SHADOW = (128, 128, 128)


def slide(c, x0, y0, w=24, h=18):
    """A small slide: a framed picture of sky and a hill."""
    c.rect(x0, y0, x0 + w, y0 + h, SKY)
    c.polygon([(x0 + 1, y0 + h), (x0 + 1, y0 + h - 6), (x0 + w // 2, y0 + h - 11), (x0 + w, y0 + h - 4),
               (x0 + w, y0 + h)], GREEN)
    c.disc(x0 + w - 6, y0 + 5, 2.6, YELLOW)
    c.frame(x0, y0, x0 + w, y0 + h, OUTLINE)


def glyph(name):
    c = Canvas(IMAGE_W, IMAGE_H, FACE)
    if name == 'new':
        c.polygon([(12, 5), (25, 5), (31, 11), (31, 30), (12, 30)], PAPER)
        c.line(12, 5, 25, 5, OUTLINE)
        c.line(25, 5, 31, 11, OUTLINE)
        c.line(31, 11, 31, 30, OUTLINE)
        c.line(12, 30, 31, 30, OUTLINE)
        c.line(12, 5, 12, 30, OUTLINE)
        c.polygon([(25, 5), (25, 11), (31, 11)], (210, 210, 210))
        c.line(25, 5, 25, 11, OUTLINE)
        c.line(25, 11, 31, 11, OUTLINE)
        for dx, dy in ((0, -4), (0, 4), (-4, 0), (4, 0)):
            c.line(11, 8, 11 + dx, 8 + dy, YELLOW, 2)
        c.disc(11, 8, 2, DARK_YELLOW)
    elif name == 'open':
        c.polygon([(7, 10), (15, 10), (17, 13), (30, 13), (30, 28), (7, 28)], DARK_YELLOW)
        c.polygon([(10, 17), (35, 17), (30, 28), (6, 28)], YELLOW)
        c.line(10, 17, 35, 17, OUTLINE)
        c.line(35, 17, 30, 28, OUTLINE)
        c.line(6, 28, 30, 28, OUTLINE)
        c.line(7, 10, 7, 28, OUTLINE)
        c.line(7, 10, 15, 10, OUTLINE)
        c.line(15, 10, 17, 13, OUTLINE)
        c.line(17, 13, 30, 13, OUTLINE)
        c.line(30, 13, 30, 17, OUTLINE)
        c.line(27, 4, 33, 8, GREEN, 2)
        c.polygon([(31, 4), (36, 7), (32, 11)], GREEN)
    elif name == 'save':
        c.rect(9, 5, 32, 29, DARK_BLUE)
        c.rect(13, 5, 28, 14, PAPER)
        c.rect(24, 7, 26, 12, DARK_BLUE)
        c.rect(13, 19, 28, 29, (200, 200, 210))
        for y in (22, 25):
            c.line(15, y, 26, y, SHADOW)
        c.frame(9, 5, 32, 29, OUTLINE)
    elif name == 'settings':
        c.disc(21, 17, 10, SHADOW)
        for k in range(8):
            import math
            a = k * math.pi / 4
            c.disc(21 + 10 * math.cos(a), 17 + 10 * math.sin(a), 2.8, SHADOW)
        c.disc(21, 17, 8, (170, 170, 180))
        c.disc(21, 17, 4, FACE)
        c.ring(21, 17, 4.5, 1.2, OUTLINE)
    elif name == 'test':
        c.disc(21, 17, 12, GREEN)
        c.ring(21, 17, 12, 1.2, (20, 90, 30))
        c.polygon([(17, 10), (28, 17), (17, 24)], PAPER)
    elif name == 'add':
        slide(c, 6, 7)
        c.rect(27, 18, 37, 22, GREEN)
        c.rect(30, 15, 34, 25, GREEN)
        c.frame(27, 18, 37, 22, (20, 90, 30))
        c.rect(28, 19, 36, 21, GREEN)
        c.rect(31, 16, 33, 24, GREEN)
    elif name == 'edit':
        slide(c, 6, 7)
        c.line(36, 8, 22, 25, DARK_YELLOW, 3)
        c.line(35, 7, 21, 24, YELLOW, 2)
        c.polygon([(19, 29), (20, 24), (24, 27)], OUTLINE)
    elif name == 'delete':
        slide(c, 6, 7)
        c.line(24, 15, 36, 27, RED, 3)
        c.line(36, 15, 24, 27, RED, 3)
    elif name == 'order':
        for i, x in enumerate((5, 16, 27)):
            c.rect(x, 11, x + 9, 19, SKY)
            c.frame(x, 11, x + 9, 19, OUTLINE)
        c.line(8, 25, 34, 25, DARK_BLUE, 2)
        c.polygon([(31, 21), (37, 25), (31, 29)], DARK_BLUE)
        c.line(7, 6, 7, 8, OUTLINE)
        for x in (18, 20):
            c.line(x, 6, x, 8, OUTLINE)
        for x in (29, 31, 33):
            c.line(x, 6, x, 8, OUTLINE)
    elif name == 'explore':
        c.polygon([(5, 9), (13, 9), (15, 12), (28, 12), (28, 27), (5, 27)], YELLOW)
        c.frame(5, 12, 28, 27, DARK_YELLOW)
        c.line(5, 9, 13, 9, DARK_YELLOW)
        c.line(13, 9, 15, 12, DARK_YELLOW)
        c.ring(27, 20, 7, 2, DARK_BLUE)
        c.disc(27, 20, 5, (210, 230, 250))
        c.line(32, 25, 37, 30, DARK_BLUE, 3)
    elif name == 'about':
        c.disc(21, 17, 12, BLUE)
        c.ring(21, 17, 12, 1.2, DARK_BLUE)
        c.rect(19, 9, 22, 12, PAPER)
        c.rect(19, 15, 22, 25, PAPER)
        c.rect(17, 15, 19, 16, PAPER)
        c.rect(17, 24, 24, 25, PAPER)
    return c


def disabled(c):
    """The glyph in greys on the disabled list's background, one pixel taller."""
    d = Canvas(IMAGE_W, DISABLED_H, DISABLED_BACK)
    for y in range(c.h):
        for x in range(c.w):
            p = c.px[y][x]
            if p == FACE:
                continue
            level = (p[0] * 30 + p[1] * 59 + p[2] * 11) // 100
            # light parts fade into the background, dark parts stay visible
            level = 120 + level * 90 // 255
            d.set(x, y + 1, (level, level, level))
    return d


def strip(images, h, back):
    s = Canvas(IMAGE_W * len(images), h, back)
    for i, img in enumerate(images):
        s.blit(img, i * IMAGE_W, 0)
    return s


def write_bmp(path, canvas):
    """24-bit bottom-up BMP."""
    stride = (canvas.w * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(canvas.px):
        line = bytearray()
        for (r, g, b) in row:
            line += bytes((b, g, r))
        line += b'\0' * (stride - len(line))
        pixels += line
    header = struct.pack('<IiiHHIIiiII', 40, canvas.w, canvas.h, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    filehdr = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(pixels), 0, 0, 14 + 40)
    with open(path, 'wb') as f:
        f.write(filehdr + header + pixels)


def write_bmp8(path, canvas):
    """8-bit bottom-up BMP with a colour table: its greys can be mapped to the system's button colours."""
    colours = sorted({p for row in canvas.px for p in row})
    if len(colours) > 256:
        raise ValueError('%s: %d colours' % (path, len(colours)))
    index = {c: i for i, c in enumerate(colours)}
    table = b''.join(bytes((b, g, r, 0)) for (r, g, b) in colours)
    stride = (canvas.w + 3) & ~3
    pixels = bytearray()
    for row in reversed(canvas.px):
        line = bytearray(index[p] for p in row)
        line += b'\0' * (stride - len(line))
        pixels += line
    offset = 14 + 40 + len(table)
    header = struct.pack('<IiiHHIIiiII', 40, canvas.w, canvas.h, 1, 8, 0, len(pixels), 0, 0, len(colours),
                         len(colours))
    filehdr = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    with open(path, 'wb') as f:
        f.write(filehdr + header + table + pixels)


# The object list's order buttons, in the greys that loading maps to the system's 3D colours.
ORDER_W, ORDER_H = 24, 22
HILIGHT = (255, 255, 255)
LIGHT = (223, 223, 223)
SHADE = (128, 128, 128)
DARK = (0, 0, 0)


def order_button(up, state):
    """state: 'normal', 'pressed' or 'disabled'."""
    c = Canvas(ORDER_W, ORDER_H, FACE)
    r, b = ORDER_W - 1, ORDER_H - 1
    if state == 'pressed':
        c.frame(0, 0, r, b, DARK)
        c.frame(1, 1, r - 1, b - 1, SHADE)
        c.rect(2, 2, r - 2, b - 2, FACE)
    else:
        c.line(0, 0, r, 0, HILIGHT)
        c.line(0, 0, 0, b, HILIGHT)
        c.line(1, 1, r - 1, 1, LIGHT)
        c.line(1, 1, 1, b - 1, LIGHT)
        c.line(0, b, r, b, DARK)
        c.line(r, 0, r, b, DARK)
        c.line(1, b - 1, r - 1, b - 1, SHADE)
        c.line(r - 1, 1, r - 1, b - 1, SHADE)
    shift = 1 if state == 'pressed' else 0
    cx, cy = ORDER_W // 2 + shift, ORDER_H // 2 + shift
    if up:
        arrow = [(cx - 6, cy + 3), (cx + 6, cy + 3), (cx, cy - 4)]
    else:
        arrow = [(cx - 6, cy - 3), (cx + 6, cy - 3), (cx, cy + 4)]
    if state == 'disabled':
        c.polygon([(x + 1, y + 1) for x, y in arrow], HILIGHT)
        c.polygon(arrow, SHADE)
    else:
        c.polygon(arrow, DARK)
    return c


def dib_32(canvas, mask):
    """A 32-bit icon or cursor image: header with doubled height, colour bits, AND mask."""
    w, h = canvas.w, canvas.h
    xor = bytearray()
    for y in reversed(range(h)):
        for x in range(w):
            r, g, b = canvas.px[y][x]
            a = 255 if mask[y][x] else 0
            xor += bytes((b, g, r, a))
    mask_stride = ((w + 31) // 32) * 4
    andmask = bytearray()
    for y in reversed(range(h)):
        line = bytearray(mask_stride)
        for x in range(w):
            if not mask[y][x]:
                line[x // 8] |= 0x80 >> (x % 8)
        andmask += line
    header = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 32, 0, len(xor) + len(andmask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(andmask)


def icon_image(size):
    """The editor's icon: a slide on a stand, on transparent ground."""
    c = Canvas(size, size, (0, 0, 0))
    mask = [[False] * size for _ in range(size)]
    s = size / 32.0

    def fill(points, colour):
        c.polygon([(x * s, y * s) for x, y in points], colour)
        for y in range(size):
            for x in range(size):
                if c.px[y][x] == colour:
                    mask[y][x] = True

    # the slide: a frame with sky, sun and hill
    fill([(2, 3), (28, 3), (28, 23), (2, 23)], (20, 40, 110))
    fill([(4, 5), (26, 5), (26, 21), (4, 21)], (110, 165, 235))
    fill([(4, 21), (4, 15), (14, 10), (26, 17), (26, 21)], (40, 150, 60))
    fill([(19, 7), (23, 7), (23, 11), (19, 11)], (245, 205, 60))
    # the stand
    fill([(13, 23), (17, 23), (20, 31), (17, 31), (15, 26), (13, 31), (10, 31)], (110, 70, 30))
    return c, mask


def write_icon(path):
    images = []
    for size in (32, 16):
        c, mask = icon_image(size)
        images.append((size, dib_32(c, mask)))
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    with open(path, 'wb') as f:
        f.write(out)


def write_cursor(path, pattern, hot):
    size = 32
    c = Canvas(size, size, (0, 0, 0))
    mask = [[False] * size for _ in range(size)]
    for y, line in enumerate(pattern):
        for x, ch in enumerate(line):
            if ch in '#.':
                c.set(x, y, (0, 0, 0) if ch == '#' else (255, 255, 255))
                mask[y][x] = True
    data = dib_32(c, mask)
    out = struct.pack('<HHH', 0, 2, 1)
    out += struct.pack('<BBBBHHII', size, size, 0, 0, hot[0], hot[1], len(data), 6 + 16)
    with open(path, 'wb') as f:
        f.write(out + data)


# A cross with a small rectangle: drawing a rectangle object.
RECTANGLE_CURSOR = [
    "       .       ",
    "      .#.      ",
    "      .#.      ",
    "      .#.      ",
    "      .#.      ",
    "      .#.      ",
    " ......#...... ",
    ".######.######.",
    " ......#...... ",
    "      .#.      ",
    "      .#. .........",
    "      .#. .#######.",
    "      .#. .#.....#.",
    "       .  .#.....#.",
    "          .#.....#.",
    "          .#######.",
    "          .........",
]

# An arrow with a dotted frame: selecting objects.
SELECT_CURSOR = [
    "#          ",
    "##         ",
    "#.#        ",
    "#..#       ",
    "#...#      ",
    "#....#     ",
    "#.....#    ",
    "#......#   ",
    "#.......#  ",
    "#....#####  ",
    "#.#..#      ",
    "##  #..#    # # # #",
    "#   #..#           ",
    "     #..#   #     #",
    "     #..#          ",
    "      ##    #     #",
    "                   ",
    "            # # # #",
]


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else '.'
    os.makedirs(out, exist_ok=True)
    glyphs = [glyph(name) for name in BUTTONS]
    write_bmp(os.path.join(out, 'toolbar.bmp'), strip(glyphs, IMAGE_H, FACE))
    write_bmp(os.path.join(out, 'toolbar_disabled.bmp'),
              strip([disabled(g) for g in glyphs], DISABLED_H, DISABLED_BACK))
    write_icon(os.path.join(out, 'vexulcreator.ico'))
    write_cursor(os.path.join(out, 'rectangle.cur'), RECTANGLE_CURSOR, (7, 7))
    write_cursor(os.path.join(out, 'select.cur'), SELECT_CURSOR, (0, 0))
    for up, name in ((True, 'up'), (False, 'down')):
        for state in ('normal', 'pressed', 'disabled'):
            suffix = '' if state == 'normal' else '_' + state
            write_bmp8(os.path.join(out, 'object_%s%s.bmp' % (name, suffix)), order_button(up, state))


if __name__ == '__main__':
    main()
