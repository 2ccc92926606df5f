#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""Quillby Letters, Regular and Bold, still draws every English character as
the golden pictures show it: the same outline, advance and side bearing as
recorded in english_letters.py, in the same cell (units per em, hhea, typo
and win ascent and descent); it has the German and Spanish letters, each
its own letter unmoved with an accent above it; and no glyph reaches outside
that cell, where the big letter's bitmap would cut it off.

Usage: quillby_letters_test.py FONTS_DIR"""

import collections
import sys

import english_letters
from outline_digest import ENGLISH, STYLES, cell, digest, open_style, outline

# The letter cards' accented letters and the letters they are made from.
ACCENTED = {"\u00c4": "A", "\u00d6": "O", "\u00dc": "U", "\u00e4": "a",
            "\u00f6": "o", "\u00fc": "u", "\u00d1": "N", "\u00f1": "n"}


def inside_the_cell(font):
    """Problems: glyphs whose outline leaves the cell."""
    os2, glyf = font["OS/2"], font["glyf"]
    problems = []
    for name in font.getGlyphOrder():
        glyph = glyf[name]
        glyph.recalcBounds(glyf)
        if glyph.numberOfContours == 0:
            continue
        if glyph.yMax > os2.usWinAscent or glyph.yMin < -os2.usWinDescent:
            problems.append("glyph %s spans %d..%d, outside the cell -%d..%d"
                            % (name, glyph.yMin, glyph.yMax, os2.usWinDescent,
                               os2.usWinAscent))
    return problems


def contours(font, char):
    """The character's outline as a multiset of closed contours."""
    found, current = collections.Counter(), []
    for step in outline(font, char):
        current.append(step)
        if step[0] in ("closePath", "endPath"):
            found[tuple(current)] += 1
            current = []
    return found


def heights(contour_set):
    return [y for contour in contour_set for _, points in contour
            for _, y in points]


def accented_letters(font):
    """Problems: accented letters missing, or not their letter with an
    accent above it, or spaced otherwise than their letter."""
    cmap, hmtx = font.getBestCmap(), font["hmtx"]
    problems = []
    for char, letter in ACCENTED.items():
        if ord(char) not in cmap:
            problems.append("no glyph for U+%04X" % ord(char))
            continue
        drawn, own = contours(font, char), contours(font, letter)
        accent = drawn - own
        if own - drawn or not accent:
            problems.append("U+%04X is not %s with an accent added"
                            % (ord(char), letter))
        elif min(heights(accent)) <= max(heights(own)):
            problems.append("the accent of U+%04X is not above the %s"
                            % (ord(char), letter))
        if hmtx[cmap[ord(char)]][0] != hmtx[cmap[ord(letter)]][0]:
            problems.append("U+%04X is not as wide as %s" % (ord(char), letter))
    return problems


def english_as_recorded(style, font):
    problems = []
    if cell(font) != english_letters.CELL[style]:
        problems.append("the cell is %r, recorded %r"
                        % (cell(font), english_letters.CELL[style]))
    cmap = font.getBestCmap()
    missing = [c for c in ENGLISH if ord(c) not in cmap]
    if missing:
        problems.append("no glyph for %s" % ascii("".join(missing)))
    changed = [c for c in ENGLISH if ord(c) in cmap
               and digest(font, c) != english_letters.DIGESTS[style][c]]
    if changed:
        problems.append("drawn otherwise than recorded: %s"
                        % ascii("".join(changed)))
    return problems


def main():
    fonts_dir = sys.argv[1]
    failed = False
    for style in STYLES:
        font = open_style(fonts_dir, style)
        problems = (english_as_recorded(style, font) + accented_letters(font)
                    + inside_the_cell(font))
        for problem in problems:
            print("FAIL %s: %s" % (style, problem))
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
