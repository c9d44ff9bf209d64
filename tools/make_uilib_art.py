#!/usr/bin/env python3
"""Draws the UI class library's cursors (move, copy, no drop, the two splitters, hand, delete) as
32 x 32 monochrome cursor files, and the bitmaps of its controls: small arrows (11-pixel cells), the buttons
of the edit list box's caption bar (14-pixel cells), the check boxes of the check list box and the glyphs of
caption buttons (10-pixel cells), the window list's icon, and the 16 x 15 images of the commands of the
edit's and the header's context menus (on the light grey ground that becomes the button face). Bitmaps are 24-bit with a magenta ground where
they are drawn transparently. Standard library only; run by the build:

    make_uilib_art.py OUTPUT_FOLDER
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_player_art import HAND, dib_image, palette_16, write_bmp, write_cursor, write_icon_file  # noqa: E402

ARROW = [
    "#           ",
    "##          ",
    "#.#         ",
    "#..#        ",
    "#...#       ",
    "#....#      ",
    "#.....#     ",
    "#......#    ",
    "#.......#   ",
    "#........#  ",
    "#.....##### ",
    "#..#..#     ",
    "#.# #..#    ",
    "##  #..#    ",
    "#    #..#   ",
    "     #..#   ",
    "      ##    ",
]

# Marks shown beside the arrow while something is dragged.
BOX = [
    "###########",
    "#.........#",
    "#.........#",
    "#.........#",
    "#.........#",
    "#.........#",
    "#.........#",
    "#.........#",
    "###########",
]
PLUS = [
    "###########",
    "#.........#",
    "#....#....#",
    "#....#....#",
    "#..#####..#",
    "#....#....#",
    "#....#....#",
    "#.........#",
    "###########",
]
CROSS = [
    "###########",
    "#.........#",
    "#..#...#..#",
    "#...#.#...#",
    "#....#....#",
    "#...#.#...#",
    "#..#...#..#",
    "#.........#",
    "###########",
]

NO_DROP = [
    "     #####      ",
    "   ##.....##    ",
    "  #..#####..#   ",
    " #.##     ##.#  ",
    " #.#     #..#.# ",
    "#.#     #..# #.#",
    "#.#    #..#  #.#",
    "#.#   #..#   #.#",
    "#.#  #..#    #.#",
    "#.# #..#     #.#",
    " #.#..#     #.# ",
    " #.##      ##.# ",
    "  #..######..#  ",
    "   ##......##   ",
    "     ######     ",
]

SPLIT_HORZ = [
    "     #.#.#     ",
    "     #.#.#     ",
    "   # #.#.# #   ",
    "  ## #.#.# ##  ",
    " #.###.#.###.# ",
    "#.....#.#.....#",
    " #.###.#.###.# ",
    "  ## #.#.# ##  ",
    "   # #.#.# #   ",
    "     #.#.#     ",
    "     #.#.#     ",
]


MAGENTA, BLACK, GREY, LIGHT, WHITE, RED = (255, 0, 255), (0, 0, 0), (128, 128, 128), (192, 192, 192), \
    (255, 255, 255), (192, 0, 0)

# 11 x 11 arrows: left, right, up, down, and the menu mark (a triangle under a bar).
SMALL_GLYPHS = [
    ["    #", "   ##", "  ###", " ####", "  ###", "   ##", "    #"],
    ["#    ", "##   ", "###  ", "#### ", "###  ", "##   ", "#    "],
    ["   #   ", "  ###  ", " ##### ", "#######"],
    ["#######", " ##### ", "  ###  ", "   #   "],
    ["#######", "       ", "#######", " ##### ", "  ###  ", "   #   "],
]

# 14 x 14 caption-bar buttons: new (a page with a star), delete (a red cross), move up, move down.
GROUP_GLYPHS = [
    ([" #######    ", " #.....#    ", " #.....#  # ", " #.....# ###", " #.....#  # ", " #.....#    ",
      " #.....#    ", " #.....#    ", " #######    "], BLACK),
    (["##     ##", " ##   ## ", "  ## ##  ", "   ###   ", "  ## ##  ", " ##   ## ", "##     ##"], RED),
    (["    #    ", "   ###   ", "  #####  ", " ####### ", "   ###   ", "   ###   ", "   ###   ",
      "   ###   "], BLACK),
    (["   ###   ", "   ###   ", "   ###   ", "   ###   ", " ####### ", "  #####  ", "   ###   ",
      "    #    "], BLACK),
]

# 10 x 10 glyphs of caption buttons: minimize, restore, close, options (a bar over a triangle), expand.
CAPTION_GLYPHS = [
    ["          ", "          ", "          ", "          ", "          ", "          ", "          ",
     "  ######  ", "  ######  ", "          "],
    ["   ###### ", "   ###### ", "   #    # ", " ###### # ", " ###### # ", " #    ### ", " #    #   ",
     " #    #   ", " ######   ", "          "],
    ["          ", " ##    ## ", "  ##  ##  ", "   ####   ", "    ##    ", "   ####   ", "  ##  ##  ",
     " ##    ## ", "          ", "          "],
    ["          ", "          ", "  ######  ", "          ", "  ######  ", "   ####   ", "    ##    ",
     "          ", "          ", "          "],
    [" ######## ", " ######## ", " #      # ", " #      # ", " #      # ", " #      # ", " #      # ",
     " ######## ", "          ", "          "],
]

CHECK = ["      #", "     ##", "#   ###", "## ### ", "#####  ", " ###   ", "  #    "]


WIDTH, HEIGHT = 16, 15

COLOURS = {
    '.': (192, 192, 192),   # ground: becomes the button face
    'k': (0, 0, 0),
    'w': (255, 255, 255),
    's': (128, 128, 128),
    'b': (0, 0, 200),
    'n': (0, 0, 128),
    'y': (255, 220, 40),
    'Y': (255, 240, 150),
    'o': (160, 120, 0),
    'r': (200, 0, 0),
    'g': (0, 150, 0),
    'm': (140, 80, 30),
}


SCISSORS = [
    "................",
    "...ks......sk...",
    "...ks......sk...",
    "....ks....sk....",
    "....ks....sk....",
    ".....ks..sk.....",
    ".....ks..sk.....",
    "......kkkk......",
    "......r..r......",
    ".....r....r.....",
    "..rrrr....rrrr..",
    ".r...r....r...r.",
    ".r...r....r...r.",
    "..rrr......rrr..",
    "................",
]

CLIPBOARD = [
    "......kkkk......",
    ".mmmmksssskmmmm.",
    ".mmmkkkkkkkkmmm.",
    ".mmwwwwwwwwwwmm.",
    ".mmwsssssssswmm.",
    ".mmwwwwwwwwwwmm.",
    ".mmwssssssswwmm.",
    ".mmwwwwwwwwwwmm.",
    ".mmwsssssssswmm.",
    ".mmwwwwwwwwwwmm.",
    ".mmwssssswwwwmm.",
    ".mmwwwwwwwwwwmm.",
    ".mmmmmmmmmmmmmm.",
    "................",
    "................",
]

def bar_strip(pictures):
    """The pictures side by side as rows of colours."""
    for picture in pictures:
        if len(picture) != HEIGHT or any(len(line) != WIDTH for line in picture):
            raise ValueError('a tool-bar picture is not %d x %d' % (WIDTH, HEIGHT))
    return [[COLOURS[ch] for picture in pictures for ch in picture[y]] for y in range(HEIGHT)]


UNDO = [
    "................",
    "................",
    "...b............",
    "..bb............",
    ".bbbbbbbbb......",
    "..bb......b.....",
    "...b.......b....",
    "...........b....",
    "...........b....",
    "..........b.....",
    ".....bbbbb......",
    "................",
    "................",
    "................",
    "................",
]

COPY = [
    "................",
    ".kkkkkkk........",
    ".kwwwwwkk.......",
    ".kwsssswkk......",
    ".kwwwwkkkkkkk...",
    ".kwssskwwwwwkk..",
    ".kwwwwkwsssswkk.",
    ".kwssskwwwwwwwk.",
    ".kwwwwkwssssswk.",
    ".kkkkkkwwwwwwwk.",
    "......kwssssswk.",
    "......kwwwwwwwk.",
    "......kkkkkkkkk.",
    "................",
    "................",
]

DELETE = [
    "................",
    "................",
    "..rr.......rr...",
    "...rr.....rr....",
    "....rr...rr.....",
    ".....rr.rr......",
    "......rrr.......",
    ".....rr.rr......",
    "....rr...rr.....",
    "...rr.....rr....",
    "..rr.......rr...",
    "................",
    "................",
    "................",
    "................",
]

SORT_ASCENDING = [
    "................",
    "....k......bb...",
    "...kkk....b..b..",
    "..k.k.k...bbbb..",
    "....k.....b..b..",
    "....k...........",
    "....k.....bbbb..",
    "....k.....b...b.",
    "....k.....bbbb..",
    "....k.....b...b.",
    "....k.....bbbb..",
    "................",
    "................",
    "................",
    "................",
]

SORT_DESCENDING = [
    "................",
    "....k.....bbbb..",
    "....k.....b...b.",
    "....k.....bbbb..",
    "....k.....b...b.",
    "....k.....bbbb..",
    "....k...........",
    "....k......bb...",
    "..k.k.k...b..b..",
    "...kkk....bbbb..",
    "....k.....b..b..",
    "................",
    "................",
    "................",
    "................",
]


def align_lines(where):
    """Five text lines of alternating lengths, to the left, in the centre or to the right."""
    rows = ["." * WIDTH for _ in range(HEIGHT)]
    for i, length in enumerate((12, 7, 12, 7, 12)):
        left = {'left': 1, 'centre': (WIDTH - length) // 2, 'right': WIDTH - 1 - length}[where]
        y = 2 + 2 * i
        rows[y] = "." * left + "k" * length + "." * (WIDTH - left - length)
    return rows


def strip(cell, glyphs, ground=MAGENTA):
    """Cells side by side, each glyph centred in its cell ('#' in the glyph's colour, '.' white)."""
    rows = [[ground] * (cell * len(glyphs)) for _ in range(cell)]
    for i, item in enumerate(glyphs):
        glyph, colour = item if isinstance(item, tuple) else (item, BLACK)
        h, w = len(glyph), max(len(line) for line in glyph)
        y0, x0 = (cell - h) // 2, i * cell + (cell - w) // 2
        for y, line in enumerate(glyph):
            for x, ch in enumerate(line):
                if ch == '#':
                    rows[y0 + y][x0 + x] = colour
                elif ch == '.':
                    rows[y0 + y][x0 + x] = WHITE
    return rows


def check_boxes():
    """Three 13 x 13 boxes: unchecked, checked, indeterminate (greyed and checked)."""
    size = 13
    rows = [[WHITE] * (3 * size) for _ in range(size)]
    for i in range(3):
        inner = LIGHT if i == 2 else WHITE
        mark = GREY if i == 2 else BLACK
        for y in range(size):
            for x in range(size):
                edge = x in (0, size - 1) or y in (0, size - 1)
                rows[y][i * size + x] = GREY if edge else inner
        if i > 0:
            for y, line in enumerate(CHECK):
                for x, ch in enumerate(line):
                    if ch == '#':
                        rows[3 + y][i * size + 3 + x] = mark
    return rows


def write_window_icon(path):
    """Two overlapping windows with blue title bars, at 32 x 32 and 16 x 16 in the 16 basic colours."""
    blue, white, black = (0, 0, 128), (255, 255, 255), (0, 0, 0)
    images = []
    for size in (32, 16):
        rows = [[black] * size for _ in range(size)]
        mask = [[False] * size for _ in range(size)]
        unit = size // 16
        for x0, y0 in ((1, 1), (5, 6)):
            left, top, right, bottom = x0 * unit, y0 * unit, (x0 + 10) * unit, (y0 + 9) * unit
            for y in range(top, bottom):
                for x in range(left, right):
                    edge = x in (left, right - 1) or y in (top, bottom - 1)
                    title = y < top + 3 * unit
                    rows[y][x] = black if edge else (blue if title else white)
                    mask[y][x] = True
        images.append((size, 4, dib_image(rows, mask, 4, palette_16())))
    write_icon_file(path, images)


def overlay(base, mark, x0, y0):
    rows = [list(line.ljust(32)) for line in base]
    while len(rows) < 32:
        rows.append([' '] * 32)
    for y, line in enumerate(mark):
        for x, ch in enumerate(line):
            if ch != ' ':
                rows[y0 + y][x0 + x] = ch
    return [''.join(r) for r in rows]


def transpose(pattern):
    width = max(len(line) for line in pattern)
    lines = [line.ljust(width) for line in pattern]
    return [''.join(lines[y][x] for y in range(len(lines))) for x in range(width)]


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else '.'
    os.makedirs(out, exist_ok=True)
    write_cursor(os.path.join(out, 'move.cur'), overlay(ARROW, BOX, 10, 18), (0, 0))
    write_cursor(os.path.join(out, 'copy.cur'), overlay(ARROW, PLUS, 10, 18), (0, 0))
    write_cursor(os.path.join(out, 'delete.cur'), overlay(ARROW, CROSS, 10, 18), (0, 0))
    write_cursor(os.path.join(out, 'nodrop.cur'), NO_DROP, (7, 7))
    write_cursor(os.path.join(out, 'split_horz.cur'), SPLIT_HORZ, (7, 5))
    write_cursor(os.path.join(out, 'split_vert.cur'), transpose(SPLIT_HORZ), (5, 7))
    write_cursor(os.path.join(out, 'hand.cur'), HAND, (5, 0))
    write_bmp(os.path.join(out, 'small_glyphs.bmp'), strip(11, SMALL_GLYPHS))
    write_bmp(os.path.join(out, 'edit_group.bmp'), strip(14, GROUP_GLYPHS))
    write_bmp(os.path.join(out, 'check_boxes.bmp'), check_boxes())
    write_bmp(os.path.join(out, 'caption_glyphs.bmp'), strip(10, CAPTION_GLYPHS))
    write_window_icon(os.path.join(out, 'window_list.ico'))
    # The images of the edit's and the header's context menus, in the order of their tool-bar resources.
    write_bmp(os.path.join(out, 'edit_commands.bmp'), bar_strip([UNDO, SCISSORS, COPY, CLIPBOARD, DELETE]))
    write_bmp(os.path.join(out, 'header_commands.bmp'),
              bar_strip([SORT_ASCENDING, SORT_DESCENDING, align_lines('left'), align_lines('centre'),
                         align_lines('right')]))


if __name__ == '__main__':
    main()
