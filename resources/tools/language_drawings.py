# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""Drawings for the other languages' letters where Twemoji has no fitting picture. Each returns
RGBA artwork of its own shape; language_pictures.py fits it into its slot. Drawn on a nominal
grid with drawn_pictures.Pen, as the English drawings are.
"""
from PIL import ImageFont

from drawn_pictures import Pen, darker, lighter, xylophone
from language_food_and_animal_drawings import FOOD_AND_ANIMALS, FOOD_AND_ANIMAL_EMOJI

FONT = "/usr/share/fonts/truetype/andika/Andika-Bold.ttf"


def rubber_duck():
    """A yellow bath duck, side on, floating on a little wave."""
    pen = Pen(60, 52)
    body, edge = (252, 212, 40), (206, 150, 20)
    pen.ellipse((4, 22, 52, 48), fill=edge)
    pen.ellipse((5, 23, 51, 47), fill=body)
    pen.polygon([(4, 30), (1, 20), (12, 27)], fill=body, outline=edge, width=0.8)  # tail
    pen.circle(38, 16, 12.6, fill=edge)
    pen.circle(38, 16, 11.8, fill=body)
    pen.ellipse((12, 28, 36, 40), fill=lighter(body, 0.35))  # wing
    pen.arc((12, 28, 36, 40), 10, 170, fill=edge, width=1.0)
    pen.polygon([(47, 17), (59, 19.5), (47, 24)], fill=(248, 126, 36), outline=(200, 80, 20), width=0.7)
    pen.circle(41.5, 12.5, 2.6, fill=(255, 255, 255))
    pen.circle(42.2, 12.6, 1.6, fill=(30, 30, 40))
    pen.circle(34, 19, 2.2, fill=(250, 160, 120))  # cheek
    for x in range(2, 58, 9):
        pen.arc((x, 44, x + 9, 51), 0, 180, fill=(80, 160, 226), width=1.6)
    return pen.img


def toy_xylophone():
    """The English card's xylophone on its own: bars, frame and mallet, no card behind."""
    pen = Pen(60, 50)
    xylophone(pen)
    return pen.img


def wheat_ear():
    """An ear of wheat: plump golden grains in pairs, long whiskers, a leaf on the stalk."""
    pen = Pen(34, 60)
    gold, brown, stalk = (238, 186, 56), (164, 108, 30), (196, 164, 68)
    pen.line([(17, 58), (17, 30)], fill=stalk, width=2.0)
    pen.polygon([(17, 50), (5, 36), (8, 35), (17, 45)], fill=(150, 170, 70), outline=(110, 130, 40), width=0.6)
    for k in range(6):
        y = 32 - k * 4.2
        for side in (-1, 1):
            cx = 17 + side * 3.4
            pen.line([(cx + side * 1.5, y - 2.5), (cx + side * 9, y - 15)], fill=brown, width=0.7,
                     round_ends=False)
            pen.ellipse((cx - 3.2, y - 4.2, cx + 3.2, y + 2.6), fill=gold, outline=brown, width=0.7)
            pen.line([(cx, y - 2.6), (cx, y + 1)], fill=darker(gold, 0.8), width=0.5, round_ends=False)
    pen.line([(17, 8), (17, 1)], fill=brown, width=0.7, round_ends=False)
    pen.ellipse((13.8, 3.5, 20.2, 11), fill=gold, outline=brown, width=0.7)
    return pen.img


def oil_can():
    """A workshop oil can: a short round tin, a cone on top and a long thin spout."""
    pen = Pen(60, 50)
    tin, edge, shine = (214, 56, 48), (136, 30, 26), (244, 140, 120)
    metal, metal_edge = (196, 200, 210), (110, 116, 130)
    pen.line([(30, 16), (58, 2)], fill=metal_edge, width=2.6)  # spout
    pen.line([(30, 16), (58, 2)], fill=metal, width=1.6)
    pen.polygon([(12, 32), (48, 32), (34, 14), (26, 14)], fill=metal, outline=metal_edge, width=0.9)
    pen.rect((25, 11, 35, 15), fill=metal_edge, radius=1)
    pen.line([(28, 24), (32, 18)], fill=(236, 240, 246), width=1.2)  # shine on the cone
    pen.rect((10, 31, 50, 48), fill=tin, outline=edge, width=1.0, radius=3)
    pen.rect((10, 38, 50, 41), fill=(250, 214, 70))  # a yellow band
    pen.rect((14, 33, 18, 46), fill=shine, radius=1.5)
    return pen.img


def surprise_egg():
    """The chocolate egg with the toy inside: a broken half shell in its red and white foil,
    the yellow capsule sitting in it."""
    pen = Pen(46, 60)
    red, dark, white = (222, 40, 48), (150, 20, 30), (252, 250, 246)
    choc, choc_dark = (134, 78, 42), (90, 50, 26)
    shell = (3, -6, 43, 59)  # the whole egg; its lower part is left
    pen.ellipse((12, 4, 34, 34), fill=(250, 196, 40), outline=(196, 140, 20), width=0.9)  # capsule
    pen.pieslice((12, 4, 34, 34), 180, 360, fill=(252, 226, 96))
    pen.line([(12.5, 19), (33.5, 19)], fill=(196, 140, 20), width=0.9)
    pen.circle(18, 10, 1.8, fill=(255, 246, 200))
    pen.chord(shell, 0, 180, fill=choc_dark)
    pen.chord((4, -5, 42, 58), 0, 180, fill=choc)
    points = [(3.5, 27)]
    for k in range(8):  # the rim where the egg was broken open
        points.append((3.5 + (k + 0.5) * 39 / 8, 23 if k % 2 == 0 else 28))
    points.append((42.5, 27))
    pen.polygon(points, fill=choc, outline=choc_dark, width=0.6)
    pen.chord(shell, 15, 165, fill=red)  # the foil round the lower shell
    pen.chord(shell, 40, 140, fill=white)
    pen.chord(shell, 58, 122, fill=red)
    pen.arc(shell, 15, 165, fill=dark, width=0.9)
    return pen.img


def ukulele():
    """A little four-string guitar, upright: a waisted body, a short neck and four pegs."""
    pen = Pen(30, 60)
    wood, edge, dark = (226, 150, 74), (150, 86, 36), (90, 52, 24)
    pen.rect((12, 2, 18, 12), fill=dark, radius=2)  # head
    for y in (4.5, 8.5):
        for side in (-1, 1):
            pen.circle(15 + side * 5, y, 1.4, fill=(236, 236, 240), outline=(120, 120, 130), width=0.4)
    pen.rect((13, 10, 17, 34), fill=(120, 72, 34))  # neck
    for y in range(14, 34, 4):
        pen.line([(13, y), (17, y)], fill=(210, 200, 180), width=0.4, round_ends=False)
    pen.circle(15, 36, 9, fill=edge)
    pen.circle(15, 48, 11.5, fill=edge)
    pen.circle(15, 36, 8.2, fill=wood)
    pen.circle(15, 48, 10.7, fill=wood)
    pen.circle(15, 39, 3.2, fill=dark)  # sound hole
    pen.rect((10, 52, 20, 54.5), fill=dark, radius=1)  # bridge
    for x in (13.8, 14.6, 15.4, 16.2):
        pen.line([(x, 3), (x, 53)], fill=(250, 246, 236), width=0.35, round_ends=False)
    return pen.img


def keycap(text):
    """A number on a blue key, as Twemoji draws 0 to 9, for numbers it has no key of."""
    def draw():
        pen = Pen(60, 60)
        pen.rect((1, 1, 59, 59), fill=(59, 136, 195), radius=8)
        font = ImageFont.truetype(FONT, 44 * pen.z)
        box = pen.d.textbbox((0, 0), text, font=font)
        x = (60 * pen.z - (box[2] - box[0])) / 2 - box[0]
        y = (60 * pen.z - (box[3] - box[1])) / 2 - box[1]
        pen.d.text((x, y), text, font=font, fill=(255, 255, 255))
        return pen.img
    return draw


def windsurf():
    """A windsurf board: a striped sail on its mast over a board in the waves."""
    pen = Pen(50, 60)
    pen.polygon([(25, 3), (25, 46), (45, 44)], fill=(248, 208, 60))
    pen.polygon([(25, 3), (25, 46), (8, 43)], fill=(232, 70, 60))
    pen.polygon([(25, 22), (25, 34), (38, 41), (34, 28)], fill=(60, 140, 220))
    pen.line([(25, 2), (25, 49)], fill=(70, 70, 80), width=1.2)
    pen.line([(12, 36), (40, 33)], fill=(70, 70, 80), width=0.9)  # the boom
    pen.ellipse((2, 47, 48, 53), fill=(250, 250, 250), outline=(90, 100, 120), width=0.8)
    for x in range(0, 50, 10):
        pen.arc((x, 52, x + 10, 60), 180, 360, fill=(64, 150, 220), width=1.8)
    return pen.img


DRAWINGS = {
    "rubber_duck": rubber_duck, "toy_xylophone": toy_xylophone, "wheat_ear": wheat_ear,
    "oil_can": oil_can, "surprise_egg": surprise_egg, "ukulele": ukulele,
    "keycap_15": keycap("15"), "windsurf": windsurf,
}
DRAWINGS.update(FOOD_AND_ANIMALS)

# Emoji that drawings here are built from (collect_emoji.py keeps them).
EXTRA_EMOJI = list(FOOD_AND_ANIMAL_EMOJI)
