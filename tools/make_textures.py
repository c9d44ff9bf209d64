#!/usr/bin/env python3
"""Draws the editor's texture catalogue: a few background images of the default slide size (638 x 466,
the slide of a 640 x 480 player window) and the catalogue "VexulTexture.ini" that names them. Standard
library only, the same pictures on every run; run by the build:

    make_textures.py OUTPUT_FOLDER
"""
import math
import os
import random
import struct
import sys

W, H = 638, 466

# (image file, English name, German name)
TEXTURES = [
    ('blue_gradient.bmp', 'Blue Gradient', 'Blauer Verlauf'),
    ('sunset.bmp', 'Sunset', 'Sonnenuntergang'),
    ('marble.bmp', 'Marble', 'Marmor'),
    ('sand.bmp', 'Sand', 'Sand'),
    ('wood.bmp', 'Wood', 'Holz'),
    ('night_sky.bmp', 'Night Sky', 'Nachthimmel'),
]


def clamp(v):
    return 0 if v < 0 else (255 if v > 255 else int(v))


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


class Noise:
    """Smooth value noise: a lattice of random values, interpolated with a smooth step."""

    def __init__(self, seed, cell):
        rng = random.Random(seed)
        self.cell = cell
        self.cols = W // cell + 2
        self.rows = H // cell + 2
        self.grid = [[rng.random() for _ in range(self.cols)] for _ in range(self.rows)]
        # Per column: lattice index and smoothed weight, the same for every row.
        self.xs = []
        for x in range(W):
            i, f = divmod(x / cell, 1)
            self.xs.append((int(i), f * f * (3 - 2 * f)))

    def row(self, y):
        j, f = divmod(y / self.cell, 1)
        j = int(j)
        t = f * f * (3 - 2 * f)
        a, b = self.grid[j], self.grid[j + 1]
        line = [a[i] + (b[i] - a[i]) * t for i in range(self.cols)]
        return [line[i] + (line[i + 1] - line[i]) * s for i, s in self.xs]


def fractal_rows(seed, cells):
    layers = [Noise(seed + n, c) for n, c in enumerate(cells)]
    total = sum(1 / (n + 1) for n in range(len(cells)))
    for y in range(H):
        rows = [layer.row(y) for layer in layers]
        yield [sum(r[x] / (n + 1) for n, r in enumerate(rows)) / total for x in range(W)]


def gradient(top, bottom):
    for y in range(H):
        c = mix(top, bottom, y / (H - 1))
        yield [c] * W


def blue_gradient():
    return gradient((16, 40, 110), (120, 170, 230))


def sunset():
    for y in range(H):
        t = y / (H - 1)
        if t < 0.75:
            c = mix((70, 30, 110), (240, 120, 50), t / 0.75)
        else:
            c = mix((240, 120, 50), (250, 200, 120), (t - 0.75) / 0.25)
        yield [c] * W


def marble():
    for y, n in enumerate(fractal_rows(11, [96, 40, 16])):
        line = []
        for x in range(W):
            v = (math.sin((x * 0.9 + y * 0.5) / 38.0 + n[x] * 9.0) + 1) / 2
            v = v ** 0.4
            line.append(mix((150, 148, 160), (236, 234, 238), v))
        yield line


def sand():
    rng = random.Random(5)
    for n in fractal_rows(21, [64, 12]):
        yield [mix((196, 170, 120), (236, 214, 164), n[x] * 0.85 + rng.random() * 0.15) for x in range(W)]


def wood():
    cx, cy = -200.0, H / 2
    for y, n in enumerate(fractal_rows(31, [80, 20])):
        line = []
        for x in range(W):
            d = math.hypot((x - cx) * 0.35, y - cy) + n[x] * 24
            v = (math.sin(d / 5.5) + 1) / 2
            line.append(mix((112, 66, 32), (170, 112, 62), v * 0.7 + n[x] * 0.3))
        yield line


def night_sky():
    rng = random.Random(41)
    stars = {}
    for _ in range(260):
        stars[(rng.randrange(W), rng.randrange(H))] = 150 + rng.randrange(105)
    for y in range(H):
        base = mix((4, 6, 30), (20, 30, 80), y / (H - 1))
        line = [base] * W
        for x in range(W):
            if (x, y) in stars:
                s = stars[(x, y)]
                line[x] = (s, s, min(255, s + 20))
        yield line


def write_bmp(path, rows):
    """A bottom-up 24-bit BMP of the rows (top first), each pixel (r, g, b)."""
    stride = (W * 3 + 3) & ~3
    pad = b'\0' * (stride - W * 3)
    lines = []
    for line in rows:
        lines.append(b''.join(struct.pack('BBB', clamp(b), clamp(g), clamp(r)) for r, g, b in line) + pad)
    data = b''.join(reversed(lines))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, W, H, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


def write_catalogue(path):
    lines = ['[TEXTURE]', 'COUNT=%d' % len(TEXTURES), '']
    for n, (image, english, german) in enumerate(TEXTURES, 1):
        lines += ['[TEXTURE-%d]' % n, 'NAME_ENU=' + english, 'NAME_GER=' + german, 'IMAGE=' + image, '']
    with open(path, 'w', encoding='cp1252', newline='\r\n') as f:
        f.write('\n'.join(lines))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    drawers = [blue_gradient, sunset, marble, sand, wood, night_sky]
    for (image, _, _), draw in zip(TEXTURES, drawers):
        write_bmp(os.path.join(out, image), draw())
    write_catalogue(os.path.join(out, 'VexulTexture.ini'))


if __name__ == '__main__':
    main()
