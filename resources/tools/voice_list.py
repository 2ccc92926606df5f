# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""What the voice says: 26 letter names and the 78 picture words.

The clips are WAVE resources found by arithmetic, as the pictures are:
letter i (0 for A and a) is WAVE 1400 + i, and the word of picture P is
WAVE P + 1000, so 1500-1525, 1600-1625 and 1700-1725.
"""

import string

from picture_list import PICTURES

LETTER_BASE = 1400
WORD_OFFSET = 1000

# Things whose file name is not what a child says.
SPOKEN = {
    "ice_skate": "ice skate",
    "ice_cream": "ice cream",
    "nesting_doll": "nesting doll",
    "teddy_bear": "teddy bear",
    "ufo": "U F O",
    "yoyo": "yo-yo",
    "xray_fish": "x-ray fish",
    "xmas_tree": "Christmas tree",
}


def spoken(thing):
    return SPOKEN.get(thing, thing)


def clips():
    """(resource id, file stem, what is said) for every clip, by id."""
    out = [(LETTER_BASE + i, letter, letter.upper())
           for i, letter in enumerate(string.ascii_lowercase)]
    out += [(pid + WORD_OFFSET, thing, spoken(thing)) for pid, thing, *_ in PICTURES]
    return sorted(out)
