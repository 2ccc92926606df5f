#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""Build Quillby Letters, the game's font, as a small subset of Andika.

    /usr/bin/python3 resources/tools/make_font.py

Reads Andika Regular and Bold from the Debian package fonts-sil-andika and
writes resources/fonts/QuillbyLetters-{Regular,Bold}.ttf plus OFL.txt.

Andika is under the SIL Open Font License with "Andika" and "SIL" as
Reserved Font Names, so the modified font carries a name of its own while
keeping SIL's copyright and licence records.

What changes from Andika:
- only the characters the game writes: A-Z a-z 0-9, space and . , - \u2013 ',
  and the German and Spanish letters
  \u00c4 \u00d6 \u00dc \u00e4 \u00f6 \u00fc \u00d1 \u00f1
  (Andika's own glyphs: the letter and its accent as components)
- hinting dropped: the renderer uses FreeType's autohinter or none, and the
  instructions were a quarter of the file
- no GSUB/GPOS/GDEF: for these characters Andika has no kerning, only mark
  positioning and alternates the game never asks for
- vertical metrics fitted to the English letters (font_metrics.py), and
  accents that would reach the top of that cell lowered into it (in Bold,
  the dots of \u00c4 \u00d6 \u00dc and the tilde of \u00d1)
- classed as a sans serif in the OS/2 table (Andika leaves its class open),
  so that a program asking for a Swiss-family font finds it

The output is the same bytes on every run: the head dates are fixed and
nothing else in the build reads the clock.
"""

import io
import os
import re
import sys

from fontTools import subset
from fontTools.misc.timeTools import timestampFromString
from fontTools.ttLib import TTFont

import font_metrics

SOURCE_DIR = "/usr/share/fonts/truetype/andika"
LICENCE_SOURCE = "/usr/share/doc/fonts-sil-andika/copyright"
HERE = os.path.dirname(os.path.abspath(__file__))
OUT_DIR = os.path.join(HERE, os.pardir, "fonts")

FAMILY = "Quillby Letters"
PS_FAMILY = "QuillbyLetters"
STYLES = ("Regular", "Bold")

ENGLISH = ("ABCDEFGHIJKLMNOPQRSTUVWXYZ"
           "abcdefghijklmnopqrstuvwxyz"
           "0123456789"
           " .,-\u2013'")
# German and Spanish letter cards: \u00c4 \u00d6 \u00dc \u00e4 \u00f6 \u00fc \u00d1 \u00f1.
ACCENTED = "\u00c4\u00d6\u00dc\u00e4\u00f6\u00fc\u00d1\u00f1"
TEXT = ENGLISH + ACCENTED

# A fixed date for head.created/modified, so rebuilding changes no bytes.
FIXED_DATE = timestampFromString("Sat Jan  1 00:00:00 2022")

# Name records kept from Andika: copyright, version, designers,
# description, licence text and licence URL. The trademark, manufacturer
# and vendor URLs are SIL's and would read as SIL vouching for this cut.
KEPT_NAME_IDS = (0, 5, 9, 10, 13, 14)


def subset_options():
    options = subset.Options()
    options.hinting = False
    options.layout_features = []
    options.drop_tables += ["GSUB", "GPOS", "GDEF", "Silt"]
    options.name_IDs = list(KEPT_NAME_IDS)
    options.glyph_names = False
    # A missing character then shows as Andika's box instead of nothing,
    # which makes a typo in game text easy to spot.
    options.notdef_outline = True
    return options


def rename(font, style):
    """Give the subset its own family name, as the OFL asks of a modified
    version, and say in the description what it was made from."""
    name = font["name"]
    source_version = name.getDebugName(5)
    description = name.getDebugName(10)
    full = "%s %s" % (FAMILY, style)
    records = {
        1: FAMILY,
        2: style,
        3: "%s: modified subset of Andika %s"
           % (full, source_version.replace("Version ", "")),
        4: full,
        5: "%s; Quillby Letters subset" % source_version,
        6: "%s-%s" % (PS_FAMILY, style),
        10: ("%s is a modified subset of Andika by SIL International: only "
             "A-Z, a-z, %s, 0-9, space and . , - \u2013 ', no hinting, "
             "vertical metrics fitted to A-Z and a-z, and accents lowered "
             "where they would reach the top of that cell. Andika: %s"
             % (FAMILY, " ".join(ACCENTED), description)),
        16: FAMILY,
        17: style,
    }
    for name_id, text in records.items():
        name.removeNames(nameID=name_id)
        name.setName(text, name_id, 3, 1, 0x409)
    name.names.sort(key=lambda r: (r.platformID, r.platEncID, r.langID,
                                   r.nameID))
    # Vendor "NONE": the subset is not SIL's release.
    font["OS/2"].achVendID = "NONE"


def classify(font):
    """Class the font as what it is, a sans serif: IBM family class 8 with no
    subclass, and PANOSE Latin text with normal sans serifs. Font mappers
    read these to tell a sans from a serif."""
    os2 = font["OS/2"]
    os2.sFamilyClass = 8 << 8
    os2.panose.bFamilyType = 2
    os2.panose.bSerifStyle = 11


def build(style):
    """One style of the font, as bytes, and {accented char: units its
    accent was lowered}."""
    path = os.path.join(SOURCE_DIR, "Andika-%s.ttf" % style)
    font = TTFont(path, recalcTimestamp=False)
    subsetter = subset.Subsetter(subset_options())
    subsetter.populate(text=TEXT)
    subsetter.subset(font)
    rename(font, style)
    classify(font)
    lowered = font_metrics.lower_accents(font, ACCENTED,
                                         font_metrics.accent_top(font))
    font_metrics.fit_vertical_metrics(font)
    font["head"].created = FIXED_DATE
    font["head"].modified = FIXED_DATE
    out = io.BytesIO()
    font.save(out)
    return out.getvalue(), lowered


def licence_text():
    """The OFL 1.1 text with SIL's copyright line, from Debian's copyright
    file: the package ships no OFL.txt, but the last stanza of that file is
    the licence as SIL distributes it, indented one space with "." for
    blank lines."""
    with open(LICENCE_SOURCE, encoding="utf-8") as f:
        debian = f.read()
    match = re.search(r"^License: OFL-1\.1-RFN\n((?: .*\n?)+)\Z", debian,
                      re.MULTILINE)
    if not match:
        sys.exit("no OFL stanza at the end of " + LICENCE_SOURCE)
    lines = []
    for line in match.group(1).splitlines():
        line = line[1:]
        lines.append("" if line == "." else line)
    return "\n".join(lines).rstrip() + "\n"


def check(style, data, figures):
    """Stop the build on anything the renderer or the OFL would trip on."""
    font = TTFont(io.BytesIO(data))
    cmap = font.getBestCmap()
    missing = [c for c in TEXT if ord(c) not in cmap]
    extra = sorted(set(cmap) - set(map(ord, TEXT)))
    problems = []
    if missing or extra:
        problems.append("cmap: missing %r, extra %r" % (missing, extra))
    if not figures["fits"]:
        problems.append("a glyph sticks out of the cell")
    for name_id in (1, 4, 6, 16):
        if "Andika" in font["name"].getDebugName(name_id):
            problems.append("name %d still says Andika" % name_id)
    for name_id in (0, 13, 14):
        if not font["name"].getDebugName(name_id):
            problems.append("licence name record %d lost" % name_id)
    if problems:
        sys.exit("%s: %s" % (style, "; ".join(problems)))


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    for style in STYLES:
        data, lowered = build(style)
        if build(style)[0] != data:
            sys.exit("%s: two builds differ; something reads the clock"
                     % style)
        out = os.path.join(OUT_DIR, "%s-%s.ttf" % (PS_FAMILY, style))
        with open(out, "wb") as f:
            f.write(data)
        figures = font_metrics.report(TTFont(io.BytesIO(data)))
        check(style, data, figures)
        print("%s-%s.ttf  %d bytes" % (PS_FAMILY, style, len(data)))
        print("  units/em %(units_per_em)d  winAscent %(win_ascent)d  "
              "winDescent %(win_descent)d" % figures)
        print("  cap height %(cap_height)d (round tops %(round_cap_top)d)  "
              "x-height %(x_height)d  glyphs span %(min_ymin)d..%(max_ymax)d"
              % figures)
        print("  capital = %.1f%% of the cell: %.1f px in a 150-px cell, "
              "%.1f px in a 12-px cell" % (100 * figures["cap_share"],
                                          figures["cap_px_150"],
                                          figures["cap_px_12"]))
        for char, units in sorted(lowered.items()):
            print("  %s: accent lowered %d units into the cell" % (char, units))
    with open(os.path.join(OUT_DIR, "OFL.txt"), "w", encoding="utf-8") as f:
        f.write(licence_text())


if __name__ == "__main__":
    main()
