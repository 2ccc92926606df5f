#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""Quillby Letters, Regular and Bold, still draws every English character as
the golden pictures show it: the same outline, advance and side bearing as
recorded in english_letters.py, in the same cell (units per em, hhea, typo
and win ascent and descent); and no glyph reaches outside that cell, where
the big letter's bitmap would cut it off.

Usage: quillby_letters_test.py FONTS_DIR"""

import sys

import english_letters
from outline_digest import ENGLISH, STYLES, cell, digest, open_style


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
        for problem in english_as_recorded(style, font) + inside_the_cell(font):
            print("FAIL %s: %s" % (style, problem))
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
