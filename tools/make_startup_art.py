#!/usr/bin/env python3
"""Draws the artwork of the editor's start-up, help and support dialogs: the pictures of the start center's
and the welcome dialog's buttons, the copy button of the support mail, the light bulb of the tip of the day,
and the hand over links. Standard library only; run by the build:

    make_startup_art.py OUTPUT_FOLDER

Button pictures are 8-bit bitmaps on the classic button grey (192, 192, 192), so that the dialogs can load
them with the system's button colours in place of the greys.
"""
import math
import os
import sys

sys.dont_write_bytecode = True   # nothing of the build lands in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_editor_art import Canvas, slide, write_bmp, write_bmp8  # noqa: E402
import make_player_art  # noqa: E402

FACE = (192, 192, 192)
OUTLINE = (0, 0, 0)
PAPER = (255, 255, 255)
WHITE = (255, 255, 255)
SHADOW = (128, 128, 128)
LIGHT = (223, 223, 223)
BLUE = (40, 90, 190)
DARK_BLUE = (20, 40, 120)
SKY = (110, 160, 230)
YELLOW = (240, 200, 60)
LIGHT_YELLOW = (255, 240, 150)
DARK_YELLOW = (170, 130, 20)
GREEN = (40, 150, 60)
DARK_GREEN = (20, 90, 30)
RED = (200, 40, 40)


def page(c, x0, y0, w, h, fold):
    """A sheet of paper with a folded corner."""
    c.polygon([(x0, y0), (x0 + w - fold, y0), (x0 + w, y0 + fold), (x0 + w, y0 + h), (x0, y0 + h)], PAPER)
    c.line(x0, y0, x0 + w - fold, y0, OUTLINE)
    c.line(x0 + w - fold, y0, x0 + w, y0 + fold, OUTLINE)
    c.line(x0 + w, y0 + fold, x0 + w, y0 + h, OUTLINE)
    c.line(x0, y0 + h, x0 + w, y0 + h, OUTLINE)
    c.line(x0, y0, x0, y0 + h, OUTLINE)
    c.polygon([(x0 + w - fold, y0), (x0 + w - fold, y0 + fold), (x0 + w, y0 + fold)], LIGHT)
    c.line(x0 + w - fold, y0, x0 + w - fold, y0 + fold, OUTLINE)
    c.line(x0 + w - fold, y0 + fold, x0 + w, y0 + fold, OUTLINE)


def star(c, cx, cy, r, colour, edge):
    points = []
    for k in range(10):
        a = -math.pi / 2 + k * math.pi / 5
        rr = r if k % 2 == 0 else r * 0.45
        points.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    c.polygon(points, colour)
    for i in range(10):
        (xa, ya), (xb, yb) = points[i], points[(i + 1) % 10]
        c.line(int(round(xa)), int(round(ya)), int(round(xb)), int(round(yb)), edge)


def new_project():
    """A fresh page with a slide on it and a star: a new project."""
    c = Canvas(48, 48, FACE)
    page(c, 10, 6, 28, 36, 8)
    slide(c, 14, 20, 20, 14)
    star(c, 11, 10, 8, YELLOW, DARK_YELLOW)
    return c


def open_project():
    """An open folder with a slide coming out."""
    c = Canvas(48, 48, FACE)
    c.polygon([(5, 12), (17, 12), (20, 16), (40, 16), (40, 40), (5, 40)], DARK_YELLOW)
    c.frame(5, 16, 40, 40, OUTLINE)
    c.line(5, 12, 17, 12, OUTLINE)
    c.line(17, 12, 20, 16, OUTLINE)
    c.line(5, 12, 5, 16, OUTLINE)
    slide(c, 14, 6, 22, 16)
    c.polygon([(11, 24), (45, 24), (39, 40), (5, 40)], YELLOW)
    c.line(11, 24, 45, 24, OUTLINE)
    c.line(45, 24, 39, 40, OUTLINE)
    c.line(5, 40, 39, 40, OUTLINE)
    c.line(5, 40, 11, 24, OUTLINE)
    return c


def documentation():
    """An open book with a question mark."""
    c = Canvas(48, 48, FACE)
    c.polygon([(4, 12), (23, 9), (23, 40), (4, 43)], PAPER)
    c.polygon([(25, 9), (44, 12), (44, 43), (25, 40)], PAPER)
    for (xa, ya, xb, yb) in ((4, 12, 23, 9), (23, 9, 23, 40), (4, 43, 23, 40), (4, 12, 4, 43),
                             (25, 9, 44, 12), (44, 12, 44, 43), (25, 40, 44, 43), (25, 9, 25, 40)):
        c.line(xa, ya, xb, yb, OUTLINE)
    c.rect(23, 9, 25, 41, DARK_BLUE)
    for y in (17, 22, 27, 32):
        c.line(8, y, 19, y - 2, SHADOW)
    # the question mark
    c.ring(34.5, 20, 5.5, 2.2, BLUE)
    c.rect(28, 20, 33, 25, PAPER)
    c.rect(33, 24, 35, 30, BLUE)
    c.rect(33, 33, 35, 35, BLUE)
    return c


def tutorial():
    """A slide with a green start button: the tutorial begins."""
    c = Canvas(48, 48, FACE)
    slide(c, 3, 6, 34, 26)
    c.disc(33, 33, 11, GREEN)
    c.ring(33, 33, 11, 1.2, DARK_GREEN)
    c.polygon([(29, 26), (39, 33), (29, 40)], PAPER)
    return c


def copy_button():
    """Two sheets: copy."""
    c = Canvas(16, 16, FACE)
    page(c, 1, 1, 8, 10, 3)
    page(c, 6, 5, 8, 10, 3)
    for y in (10, 12):
        c.line(8, y, 12, y, SHADOW)
    return c


def bulb():
    """A lit light bulb on white, with room around it: the tip of the day's picture."""
    c = Canvas(40, 40, WHITE)
    for r, colour in ((12, (255, 250, 205)), (9.5, LIGHT_YELLOW)):
        c.disc(20, 15, r, colour)
    c.disc(20, 15, 8, YELLOW)
    c.ring(20, 15, 8.5, 1.2, DARK_YELLOW)
    c.polygon([(15, 21), (25, 21), (23, 27), (17, 27)], YELLOW)
    c.line(15, 21, 17, 27, DARK_YELLOW)
    c.line(25, 21, 23, 27, DARK_YELLOW)
    c.line(18, 13, 20, 17, DARK_YELLOW)
    c.line(22, 13, 20, 17, DARK_YELLOW)
    c.line(20, 17, 20, 24, DARK_YELLOW)
    for y in (28, 30, 32):
        c.rect(17, y, 23, y, SHADOW)
        c.rect(17, y + 1, 23, y + 1, (170, 170, 170))
    c.rect(18, 34, 22, 35, (90, 90, 90))
    return c


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else '.'
    os.makedirs(out, exist_ok=True)
    write_bmp8(os.path.join(out, 'start_new.bmp'), new_project())
    write_bmp8(os.path.join(out, 'start_open.bmp'), open_project())
    write_bmp8(os.path.join(out, 'start_help.bmp'), documentation())
    write_bmp8(os.path.join(out, 'welcome_tutor.bmp'), tutorial())
    write_bmp8(os.path.join(out, 'copy.bmp'), copy_button())
    write_bmp(os.path.join(out, 'tip_bulb.bmp'), bulb())
    make_player_art.write_cursor(os.path.join(out, 'hand.cur'))


if __name__ == '__main__':
    main()
