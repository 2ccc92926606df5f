# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""Quillby the hedgehog, drawn with plain shapes so the title screen and
the icon share one character."""
import math

from PIL import ImageFont

SPINE_DARK = (104, 66, 40)
SPINE_MID = (158, 106, 58)
SKIN = (244, 216, 172)
SKIN_LIGHT = (252, 234, 206)
INK = (40, 30, 38)
BLUSH = (240, 150, 132)
EAR_IN = (226, 150, 128)
BLOCK_FRONT = (226, 62, 58)
BLOCK_TOP = (246, 122, 96)
BLOCK_SIDE = (168, 40, 42)
FONT_BOLD = "/usr/share/fonts/truetype/andika/Andika-Bold.ttf"


def spiky(pen, cx, cy, rx, ry, spikes, depth, fill, start=200, end=340, turn=0.0, streak=None):
    """A spiky mound: points alternate between the ellipse and `depth`
    outside it, between angles start..end (degrees, 0 = right, 90 = down);
    the rest of the ellipse closes it smoothly.  `streak` draws a lighter
    line up each spike so the spines read as quills."""
    pts = []
    span = (end - start) % 360 or 360
    n = spikes * 2
    for k in range(n + 1):
        a = math.radians(start + span * k / n + turn)
        out = depth if k % 2 else 0
        pts.append((cx + (rx + out) * math.cos(a), cy + (ry + out) * math.sin(a)))
    for k in range(1, 40):
        a = math.radians(end + (360 - span) * k / 40 + turn)
        pts.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
    pen.polygon(pts, fill=fill)
    if streak:
        for k in range(1, n, 2):
            a = math.radians(start + span * k / n + turn)
            c, s_ = math.cos(a), math.sin(a)
            pen.line([(cx + (rx - depth * 0.6) * c, cy + (ry - depth * 0.6) * s_),
                      (cx + (rx + depth * 0.55) * c, cy + (ry + depth * 0.55) * s_)],
                     fill=streak, width=max(0.8, depth * 0.12))


def spiky_cap(pen, cx, cy, u):
    """The spiny hair over Quillby's forehead, ending in a fringe of points
    just above the eyes."""
    pts = [(cx - 29 * u, cy - 4 * u)]
    for k in range(15):
        a = math.radians(186 + 168 * k / 14)
        r = (31 if k % 2 else 27) * u
        pts.append((cx + r * math.cos(a), cy - 3 * u + r * 1.02 * math.sin(a)))
    pts.append((cx + 29 * u, cy - 4 * u))
    for k in range(9):  # the fringe, right to left
        x = cx + 24 * u - k * 6 * u
        y = cy - (9 if k % 2 == 0 else 15) * u - abs(k - 4) * 0.8 * u
        pts.append((x, y))
    pen.polygon(pts, fill=SPINE_DARK)
    inner = [(x + (cx - x) * 0.12, y + (cy - 8 * u - y) * 0.16) for x, y in pts]
    pen.polygon(inner, fill=SPINE_MID)


def face(pen, cx, cy, s, spines=True, detail=True, features=True):
    """Front view of the head; s is the face width in nominal pixels.
    Without features the eyes and nose are left for pixel-sized icons."""
    u = s / 56.0  # face drawn on a 56-unit grid
    if spines:
        spiky(pen, cx, cy - 2 * u, 34 * u, 32 * u, 11, 13 * u, SPINE_DARK, 150, 390)
        spiky(pen, cx, cy - 2 * u, 30 * u, 28 * u, 11, 9 * u, SPINE_MID, 160, 380, turn=8)
    for side in (-1, 1):  # small round ears peeping out under the spines
        ex, ey = cx + side * 26 * u, cy - 10 * u
        pen.circle(ex, ey, 7 * u, fill=SKIN)
        if detail:
            pen.circle(ex, ey + 0.5 * u, 3.8 * u, fill=EAR_IN)
    pen.ellipse((cx - 27 * u, cy - 26 * u, cx + 27 * u, cy + 27 * u), fill=SKIN)
    # the pointed snout: a pale muzzle narrowing to the nose
    pen.ellipse((cx - 13 * u, cy + 1 * u, cx + 13 * u, cy + 25 * u), fill=SKIN_LIGHT)
    spiky_cap(pen, cx, cy, u)
    if not features:
        return
    for side in (-1, 1):
        ex, ey = cx + side * 11.5 * u, cy - 1 * u
        pen.ellipse((ex - 4.8 * u, ey - 6 * u, ex + 4.8 * u, ey + 6 * u), fill=INK)
        pen.circle(ex - 1.5 * u, ey - 2.4 * u, 1.9 * u, fill=(255, 255, 255))
        if detail:
            pen.ellipse((cx + side * 19 * u - 5 * u, cy + 9 * u, cx + side * 19 * u + 5 * u, cy + 15 * u),
                        fill=BLUSH)
    pen.ellipse((cx - 6.5 * u, cy + 4 * u, cx + 6.5 * u, cy + 13 * u), fill=INK)
    pen.ellipse((cx - 3.5 * u, cy + 5.2 * u, cx - 0.5 * u, cy + 7.6 * u), fill=(120, 110, 120))
    if detail:
        pen.arc((cx - 7 * u, cy + 10 * u, cx + 7 * u, cy + 21 * u), 30, 150, fill=INK, width=1.6 * u)


def letter_block(pen, x, y, s, letter="A"):
    """A toy block, front face s wide with its top-left corner at x, y."""
    d = s * 0.22
    pen.polygon([(x, y), (x + d, y - d), (x + s + d, y - d), (x + s, y)], fill=BLOCK_TOP)
    pen.polygon([(x + s, y), (x + s + d, y - d), (x + s + d, y + s - d), (x + s, y + s)], fill=BLOCK_SIDE)
    pen.rect((x, y, x + s, y + s), fill=BLOCK_FRONT)
    pen.rect((x + s * 0.08, y + s * 0.08, x + s * 0.92, y + s * 0.92), outline=(250, 200, 190),
             width=s * 0.035, radius=s * 0.08)
    font = ImageFont.truetype(FONT_BOLD, round(s * 0.9 * pen.z))
    cx, cy = (x + s / 2) * pen.z, (y + s / 2) * pen.z
    pen.d.text((cx, cy), letter, font=font, fill=(255, 255, 255), anchor="mm")


def mascot(pen, cx, top, size):
    """Quillby sitting, holding an "A" block.  size = overall height."""
    u = size / 170.0
    body_cy = top + 100 * u
    spiky(pen, cx, body_cy, 70 * u, 64 * u, 19, 15 * u, SPINE_DARK, 120, 420, streak=SPINE_MID)
    spiky(pen, cx, body_cy, 60 * u, 54 * u, 19, 11 * u, SPINE_MID, 125, 415, turn=5, streak=SPINE_DARK)
    for side in (-1, 1):  # feet
        pen.ellipse((cx + side * 34 * u - 17 * u, top + 150 * u, cx + side * 34 * u + 17 * u, top + 168 * u),
                    fill=SKIN, outline=SPINE_MID, width=1.4 * u)
    pen.ellipse((cx - 48 * u, top + 78 * u, cx + 48 * u, top + 162 * u), fill=SKIN)
    face(pen, cx, top + 60 * u, 76 * u, spines=False)
    block = 46 * u
    letter_block(pen, cx - block / 2 - 4 * u, top + 108 * u, block)
    for side in (-1, 1):  # paws holding the block
        pen.ellipse((cx + side * 27 * u - 8 * u, top + 118 * u, cx + side * 27 * u + 8 * u, top + 136 * u),
                    fill=SKIN, outline=(210, 170, 126), width=1.2 * u)
