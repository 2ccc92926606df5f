# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""Food and an animal that the other languages' letters need and Twemoji has no picture of:
a pot of yoghurt (French Y, Spanish Y, Italian Y), wafers (Italian W), gnocchi (Spanish Ñ) and
the rhea (Spanish Ñ). Drawn with drawn_pictures.Pen; language_pictures.py fits each into its slot.
"""
import math

from drawn_pictures import Pen, darker, lighter


def yoghurt():
    """A pot of strawberry yoghurt, its foil lid half peeled back, a spoon in it."""
    pen = Pen(50, 60)
    cup, edge = (250, 250, 246), (150, 160, 180)
    pen.line([(30, 22), (44, 2)], fill=(180, 186, 198), width=3.0)  # spoon handle
    pen.polygon([(6, 20), (44, 20), (39, 57), (11, 57)], fill=cup, outline=edge, width=1.0)
    pen.ellipse((5, 16, 45, 24), fill=(248, 232, 236), outline=edge, width=1.0)
    pen.ellipse((9, 17.5, 41, 22.5), fill=(250, 196, 210))  # the yoghurt inside
    pen.polygon([(5, 20), (17, 4), (29, 9), (24, 20)], fill=(76, 150, 222), outline=(40, 96, 170), width=0.8)
    pen.line([(12, 12), (20, 8)], fill=(200, 226, 250), width=0.8)
    pen.rect((8.5, 31, 41.5, 46), fill=(232, 58, 82))  # label: a strawberry on red
    pen.polygon([(20, 35), (30, 35), (25, 44)], fill=(255, 120, 130))
    pen.circle(22.6, 36.4, 2.7, fill=(255, 120, 130))
    pen.circle(27.4, 36.4, 2.7, fill=(255, 120, 130))
    pen.polygon([(21.5, 34), (25, 32), (28.5, 34), (25, 35)], fill=(96, 176, 80))
    for x, y in ((23, 38), (27, 38), (25, 41)):
        pen.circle(x, y, 0.5, fill=(255, 236, 180))
    return pen.img


def wafer():
    """Two crisp wafers with cream between the layers, the front one lying at a slant."""
    pen = Pen(60, 44)
    biscuit, edge, cream = (234, 184, 100), (170, 112, 46), (126, 74, 40)

    def bar(x0, y0, w, h):
        pen.rect((x0, y0, x0 + w, y0 + h), fill=biscuit, outline=edge, width=0.9, radius=1.2)
        for k in range(1, 4):  # cream between the sheets, seen from the side
            y = y0 + h * k / 4
            pen.line([(x0 + 0.8, y), (x0 + w - 0.8, y)], fill=cream, width=1.6, round_ends=False)
        return pen

    bar(4, 6, 40, 14)
    top = Pen(60, 44)
    top.rect((14, 20, 56, 38), fill=biscuit, outline=edge, width=0.9, radius=1.2)
    for k in range(1, 9):  # the grid pressed into the wafer's top
        x = 14 + 42 * k / 9
        top.line([(x, 21), (x, 37)], fill=darker(biscuit, 0.82), width=0.7, round_ends=False)
    for k in range(1, 4):
        y = 20 + 18 * k / 4
        top.line([(15, y), (55, y)], fill=darker(biscuit, 0.82), width=0.7, round_ends=False)
    top.rect((14, 38, 56, 42), fill=cream, outline=edge, width=0.7)
    pen.img.alpha_composite(top.img)
    return pen.img


def gnocchi():
    """A plate of gnocchi: little ridged dumplings in tomato sauce with a basil leaf."""
    pen = Pen(60, 40)
    pen.ellipse((1, 6, 59, 39), fill=(214, 222, 234))
    pen.ellipse((2, 5, 58, 37), fill=(252, 252, 250))
    pen.ellipse((9, 9, 51, 32), fill=(214, 64, 44))
    dough, ridge = (250, 222, 150), (206, 164, 88)
    spots = [(17, 16), (27, 14), (37, 15), (45, 20), (14, 24), (24, 22), (34, 23), (42, 27), (28, 29)]
    for i, (x, y) in enumerate(spots):
        dy = 2.5 * math.sin(math.radians(20 + 35 * (i % 3)))  # each lies a little turned
        pen.ellipse((x - 4.6, y - 3.2, x + 4.6, y + 3.2), fill=darker(dough, 0.9))
        pen.ellipse((x - 4.2, y - 3.4, x + 4.2, y + 2.6), fill=dough)
        for k in (-1.6, 0, 1.6):  # the fork's ridges
            pen.line([(x - dy + k, y - 2.2), (x + dy * 0.2 + k, y + 1.8)], fill=ridge, width=0.5, round_ends=False)
        pen.circle(x - 1.6, y - 1.4, 0.7, fill=lighter(dough, 0.6))
    pen.polygon([(36, 7), (44, 4), (48, 9), (40, 12)], fill=(74, 160, 60), outline=(40, 110, 40), width=0.6)
    pen.line([(37, 8.5), (47, 8)], fill=(40, 110, 40), width=0.5)
    return pen.img


def rhea():
    """The ñandú, South America's big grey running bird: round body, long neck, long legs."""
    pen = Pen(50, 60)
    grey, dark, light = (150, 146, 138), (96, 92, 86), (204, 200, 190)
    leg = (214, 170, 96)
    for x0, x1 in ((22, 18), (28, 31)):  # legs, one striding
        pen.line([(x0, 38), (x1, 57)], fill=darker(leg), width=2.0)
        pen.line([(x0, 38), (x1, 57)], fill=leg, width=1.4)
        pen.line([(x1 - 2, 58), (x1 + 3.5, 58)], fill=darker(leg), width=1.2)
    pen.ellipse((6, 20, 44, 42), fill=dark)
    pen.ellipse((7, 21, 43, 41), fill=grey)
    pen.polygon([(6, 28), (1, 36), (12, 34)], fill=dark)  # tail feathers
    pen.chord((10, 22, 40, 40), 180, 360, fill=light)  # the wing's pale feathers
    for x in range(14, 38, 6):
        pen.arc((x, 24, x + 8, 36), 200, 340, fill=dark, width=0.7)
    pen.line([(38, 26), (40, 6)], fill=dark, width=5.0)  # neck
    pen.line([(38, 26), (40, 6)], fill=grey, width=4.0)
    pen.ellipse((36, 1, 46, 9), fill=grey, outline=dark, width=0.7)
    pen.polygon([(45, 4), (50, 5.5), (45, 7.5)], fill=(90, 84, 74))
    pen.circle(42.5, 4.2, 1.1, fill=(30, 30, 30))
    return pen.img


FOOD_AND_ANIMALS = {"yoghurt": yoghurt, "wafer": wafer, "gnocchi": gnocchi, "rhea": rhea}
FOOD_AND_ANIMAL_EMOJI = []
