#!/usr/bin/env python3
"""Draws the tool-bar images of the UI library's showcase program (tests/uiframes/app/): 16 x 15 pictures
on the light grey ground the tool bar turns into the button face, side by side in the order of the bar's
resource. The standard bar: new window, open folder, save disk, colour swatch (the bar draws the drop-down
arrow and the chosen colour under it, so the swatch keeps off the bottom rows). The format bar: scissors,
the font's "A" (its place holds the font box) and the clipboard. Standard library only; run by the build:

    make_showcase_art.py OUTPUT_FOLDER
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_player_art import write_bmp  # noqa: E402
from make_uilib_art import CLIPBOARD, SCISSORS, bar_strip  # noqa: E402

NEW_WINDOW = [
    ".............y..",
    "............yyy.",
    "...........yyoyy",
    "............yyy.",
    "kkkkkkkkkkkk.y..",
    "kbbbbbbbbbbk....",
    "kbbbbbbbbbbk....",
    "kkkkkkkkkkkk....",
    "kwwwwwwwwwwk....",
    "kwwwwwwwwwwk....",
    "kwwwwwwwwwwk....",
    "kwwwwwwwwwwk....",
    "kwwwwwwwwwwk....",
    "kkkkkkkkkkkk....",
    "................",
]

OPEN_FOLDER = [
    "................",
    "................",
    ".oooo...........",
    "oyyyyo..........",
    "oyyyyyooooooo...",
    "oyyyyyyyyyyyo...",
    "oyyyoooooooooooo",
    "oyyoYYYYYYYYYYYo",
    "oyoYYYYYYYYYYYo.",
    "oyoYYYYYYYYYYYo.",
    "ooYYYYYYYYYYYo..",
    "ooYYYYYYYYYYYo..",
    "ooooooooooooo...",
    "................",
    "................",
]

SAVE_DISK = [
    "................",
    ".nnnnnnnnnnnnn..",
    ".nnwwwwwwwwwnn..",
    ".nnwwwwwwwwwnn..",
    ".nnwsssssssnnn..",
    ".nnwwwwwwwwwnn..",
    ".nnnnnnnnnnnnn..",
    ".nnnnnnnnnnnnn..",
    ".nnnsssssssnnn..",
    ".nnnsssnnssnnn..",
    ".nnnsssnnssnnn..",
    ".nnnsssssssnnn..",
    "..nnnnnnnnnnnn..",
    "................",
    "................",
]

COLOUR_SWATCH = [
    "................",
    "..kkkkkkkkkkkkk.",
    "..krrrrrkgggggk.",
    "..krrrrrkgggggk.",
    "..krrrrrkgggggk.",
    "..krrrrrkgggggk.",
    "..kkkkkkkkkkkkk.",
    "..kbbbbbkyyyyyk.",
    "..kbbbbbkyyyyyk.",
    "..kbbbbbkyyyyyk.",
    "..kbbbbbkyyyyyk.",
    "..kkkkkkkkkkkkk.",
    "................",
    "................",
    "................",
]


FONT_A = [
    "................",
    "......kkkk......",
    "......kkkk......",
    ".....kk..kk.....",
    ".....kk..kk.....",
    "....kk....kk....",
    "....kk....kk....",
    "...kkkkkkkkkk...",
    "...kkkkkkkkkk...",
    "..kk........kk..",
    "..kk........kk..",
    ".kkkk......kkkk.",
    "................",
    "................",
    "................",
]


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else '.'
    os.makedirs(out, exist_ok=True)
    write_bmp(os.path.join(out, 'showcase_standard.bmp'),
              bar_strip([NEW_WINDOW, OPEN_FOLDER, SAVE_DISK, COLOUR_SWATCH]))
    write_bmp(os.path.join(out, 'showcase_format.bmp'), bar_strip([SCISSORS, FONT_A, CLIPBOARD]))


if __name__ == '__main__':
    main()
