#!/usr/bin/env python3
"""Draws the UI class library's cursors (move, copy, no drop, the two splitters, hand, delete) as
32 x 32 monochrome cursor files. Standard library only; run by the build:

    make_uilib_art.py OUTPUT_FOLDER
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_player_art import HAND, write_cursor  # noqa: E402

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


if __name__ == '__main__':
    main()
