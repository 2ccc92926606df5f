# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""What decides how a character of Quillby Letters is drawn, boiled down to
a short digest: its outline with components resolved (so that renumbered
glyphs do not count as a change), its advance and its left side bearing.

    /usr/bin/python3 tests/fonts/outline_digest.py resources/fonts

prints the digests of the English characters and the cell of both styles, in
the form english_letters.py records them. Record them again only when the
English letters are meant to change, which changes the golden pictures too.
"""

import hashlib
import os
import sys

from fontTools.pens.recordingPen import DecomposingRecordingPen
from fontTools.ttLib import TTFont

STYLES = ("Regular", "Bold")
ENGLISH = ("ABCDEFGHIJKLMNOPQRSTUVWXYZ"
           "abcdefghijklmnopqrstuvwxyz"
           "0123456789"
           " .,-\u2013'")


def open_style(fonts_dir, style):
    return TTFont(os.path.join(fonts_dir, "QuillbyLetters-%s.ttf" % style))


def outline(font, char):
    """The glyph's drawing as (operator, points) steps, components resolved."""
    glyphs = font.getGlyphSet()
    name = font.getBestCmap()[ord(char)]
    pen = DecomposingRecordingPen(glyphs)
    glyphs[name].draw(pen)
    return pen.value


def digest(font, char):
    name = font.getBestCmap()[ord(char)]
    advance, lsb = font["hmtx"][name]
    text = repr((outline(font, char), advance, lsb))
    return hashlib.sha256(text.encode()).hexdigest()[:16]


def cell(font):
    """The figures that place a glyph in its cell."""
    os2, hhea = font["OS/2"], font["hhea"]
    return {
        "unitsPerEm": font["head"].unitsPerEm,
        "hhea": (hhea.ascent, hhea.descent, hhea.lineGap),
        "typo": (os2.sTypoAscender, os2.sTypoDescender, os2.sTypoLineGap),
        "win": (os2.usWinAscent, os2.usWinDescent),
        "useTypoMetrics": bool(os2.fsSelection & 1 << 7),
    }


def main():
    fonts_dir = sys.argv[1]
    print("CELL = {")
    for style in STYLES:
        font = open_style(fonts_dir, style)
        print("    %r: %r," % (style, cell(font)))
    print("}")
    print()
    print("DIGESTS = {")
    for style in STYLES:
        font = open_style(fonts_dir, style)
        print("    %r: {" % style)
        pairs = ["%s: %r" % (ascii(c), digest(font, c)) for c in ENGLISH]
        for i in range(0, len(pairs), 3):
            print("        %s," % ", ".join(pairs[i:i + 3]))
        print("    },")
    print("}")


if __name__ == "__main__":
    main()
