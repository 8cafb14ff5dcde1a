#!/usr/bin/env python3
"""Draws the two cursors of the resource DLL: 8000, the arrow that shows a
choice under the mouse, and 8001, the hand shown while the button is down
on it. Each is a 32 x 32 monochrome cursor: '#' black, '.' white, ' '
transparent; the hot spot is the tip of the arrow or of the finger.

Run from this folder: python3 make_cursors.py
"""
import struct

ARROW = """
#
##
#.#
#..#
#...#
#....#
#.....#
#......#
#.......#
#........#
#.....#####
#..#..#
#.# #..#
##  #..#
#    #..#
     #..#
      ##
"""

HAND = """
     ##
    #..#
    #..#
    #..#
    #..###
    #..#..###
 ## #..#..#..##
#..##..#..#..#.#
#...#........#.#
 #..#..........#
  #............#
  #...........#
   #..........#
   #.........#
    #........#
    #........#
    ##########
"""


def rows(art):
    lines = art.strip("\n").split("\n")
    return [line.ljust(32)[:32] for line in lines] + [" " * 32] * (32 - len(lines))


def cursor(art, hot_x, hot_y):
    grid = rows(art)
    xor_rows, and_rows = [], []
    for line in reversed(grid):  # bottom-up rows
        xor_bits = and_bits = 0
        for x, c in enumerate(line):
            bit = 1 << (31 - x)
            if c == " ":
                and_bits |= bit  # transparent: keep the screen
            elif c == ".":
                xor_bits |= bit  # white
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, 0, 0, 0, 2, 2)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + b"".join(xor_rows) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 2, 0, hot_x, hot_y, len(image), 6 + 16)
    return directory + entry + image


for name, art, hot in (("8000.cur", ARROW, (0, 0)), ("8001.cur", HAND, (5, 0))):
    with open(name, "wb") as f:
        f.write(cursor(art, *hot))
