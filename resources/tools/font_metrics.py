# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""Vertical metrics for the Quillby Letters subset: fitting and reporting.

The renderer sizes text by its cell: a font height of H pixels means
usWinAscent + usWinDescent font units are H pixels, and the baseline sits
usWinAscent below the top of the cell. Andika's own win metrics leave room
for stacked accents, which this subset does not have; left as they are,
a capital fills only 45% of the cell. Here the cell is shrunk around the
English letters, so the same cell height gives bigger letters, and the few
accents that would reach its top are lowered into it instead of growing it.
"""

# The share of the cell a capital should fill: 90 px in a 150-px cell.
CAP_SHARE = 0.60

# How far below the cell's top an accent must end, in font units (1/64 em).
# The autohinter rounds an accent's top edge to the pixel grid and may lift
# it by a pixel; with this much room the accents keep inside the cell at
# the card's 150 px and every cell height from 100 px to 300 px, and the
# bold capitals' dots end where the regular ones do.
ACCENT_ROOM = 32


def glyph_extents(font):
    """(lowest yMin, highest yMax) over every glyph outline in the font."""
    glyf = font["glyf"]
    low, high = 0, 0
    for name in font.getGlyphOrder():
        glyph = glyf[name]
        glyph.recalcBounds(glyf)
        if glyph.numberOfContours == 0:
            continue
        low = min(low, glyph.yMin)
        high = max(high, glyph.yMax)
    return low, high


def glyph_top(font, char):
    """yMax of the glyph that the font maps char to."""
    glyf = font["glyf"]
    glyph = glyf[font.getBestCmap()[ord(char)]]
    glyph.recalcBounds(glyf)
    return glyph.yMax


def fitted_ascent(font):
    """The ascent that makes a capital CAP_SHARE of the cell, with the
    descent the deepest descender needs."""
    low, _ = glyph_extents(font)
    return round(glyph_top(font, "H") / CAP_SHARE) + low


def accent_top(font):
    """The highest an accent may reach: ACCENT_ROOM below the cell's top."""
    return fitted_ascent(font) - ACCENT_ROOM


def lower_accents(font, chars, top):
    """Move the accents of these characters' composite glyphs down until
    each glyph's top is at `top` or below; returns {char: units lowered}.

    The cell is fitted to the English letters, whose pictures must not
    change; growing it for the dots of a bold capital umlaut would shrink
    every letter. So the accent comes down instead, into the space between
    it and the letter, which stays wide enough to read the two apart. The
    base letter (the first component) is not moved."""
    glyf = font["glyf"]
    cmap = font.getBestCmap()
    lowered = {}
    for char in chars:
        glyph = glyf[cmap[ord(char)]]
        glyph.recalcBounds(glyf)
        excess = glyph.yMax - top
        if excess <= 0:
            continue
        if not glyph.isComposite() or len(glyph.components) < 2:
            raise ValueError("U+%04X reaches above %d and has no accent "
                             "to lower" % (ord(char), top))
        for accent in glyph.components[1:]:
            accent.y -= excess
        glyph.recalcBounds(glyf)
        lowered[char] = excess
    return lowered


def fit_vertical_metrics(font):
    """Shrink the cell to CAP_SHARE and write the one set of figures to all
    three places a renderer might read them (win, typo, hhea).

    The descent is exactly what the deepest descender needs; all the rest
    of the cell goes above the baseline. That also happens to centre a
    capital in its cell to within a few units, which is what a big letter
    on a tile wants. If the tallest glyph would not fit, the cell grows
    instead and the capital share falls below CAP_SHARE.
    """
    low, high = glyph_extents(font)
    cap = glyph_top(font, "H")
    descent = -low
    ascent = max(high, fitted_ascent(font))

    os2, hhea = font["OS/2"], font["hhea"]
    os2.usWinAscent, os2.usWinDescent = ascent, descent
    os2.sTypoAscender, os2.sTypoDescender = ascent, -descent
    os2.sTypoLineGap = 0
    os2.fsSelection |= 1 << 7          # USE_TYPO_METRICS
    hhea.ascent, hhea.descent, hhea.lineGap = ascent, -descent, 0
    # Andika's sCapHeight is the overshoot of the round capitals; the flat
    # top of H is what the eye reads as capital height, and it is the
    # figure the cell was fitted to.
    os2.sCapHeight = cap
    os2.sxHeight = glyph_top(font, "x")


def report(font):
    """The figures worth checking, as a dict: units, metrics, pixel sizes."""
    os2 = font["OS/2"]
    low, high = glyph_extents(font)
    cell = os2.usWinAscent + os2.usWinDescent
    cap = glyph_top(font, "H")
    return {
        "units_per_em": font["head"].unitsPerEm,
        "win_ascent": os2.usWinAscent,
        "win_descent": os2.usWinDescent,
        "cap_height": cap,
        "round_cap_top": glyph_top(font, "O"),
        "x_height": os2.sxHeight,
        "max_ymax": high,
        "min_ymin": low,
        "cap_share": cap / cell,
        "cap_px_150": 150 * cap / cell,
        "cap_px_12": 12 * cap / cell,
        "fits": os2.usWinAscent >= high and os2.usWinDescent >= -low,
    }
