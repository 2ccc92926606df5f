# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""Builds the screen backgrounds and the control bitmaps:
game_background, title_background, arrow_prev/next, quiz_switch, sparkle
and close, plus PNG renders of the two backgrounds in docs/.

    /usr/bin/python3 resources/tools/make_screens.py
"""
import math
import os
import sys

from PIL import Image, ImageFilter, ImageFont

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from art_kit import RESOURCES, harden_alpha, resize_rgba, indexed_rows, fixed_palette_rows  # noqa: E402
from bmp_writer import write_bmp, read_bmp  # noqa: E402
from bitmap_check import check_bmp  # noqa: E402
from drawn_pictures import Pen, lighter  # noqa: E402
import hedgehog  # noqa: E402

BITMAPS = os.path.join(RESOURCES, "bitmaps")
DOCS = os.path.join(os.path.dirname(RESOURCES), "docs")
FONT_BOLD = "/usr/share/fonts/truetype/andika/Andika-Bold.ttf"
Z = 4  # drawing zoom for the screens

PAPER = (252, 247, 232)
SKY = (206, 232, 250)
SKY_LIGHT = (226, 242, 252)
HILL = (198, 230, 170)
HILL_FAR = (220, 238, 196)
TITLE_NAVY = (72, 52, 140)
TITLE_YELLOW = (255, 192, 48)
TITLE_SHADOW = (120, 160, 200)
HILL_TITLE = (176, 220, 140)
HILL_TITLE_NEAR = (140, 200, 104)

# The title screen's sixteen colours, chosen by hand so Quillby's cheeks,
# eyes and block keep their colours.
TITLE_PALETTE = [
    SKY, SKY_LIGHT, (255, 255, 255), HILL_TITLE, HILL_TITLE_NEAR, PAPER, TITLE_NAVY, TITLE_YELLOW,
    TITLE_SHADOW, hedgehog.SPINE_DARK, hedgehog.SPINE_MID, hedgehog.SKIN, hedgehog.INK, hedgehog.BLUSH,
    hedgehog.BLOCK_FRONT, hedgehog.BLOCK_SIDE,
]


def shrink(pen, size):
    """Downscale a zoomed drawing to the final size (opaque result)."""
    return pen.img.convert("RGB").resize(size, Image.Resampling.LANCZOS).convert("RGBA")


def save_indexed(name, img, keyed, w, h, bpp=4, palette=None):
    path = os.path.join(BITMAPS, name)
    if palette:
        rows, palette = fixed_palette_rows(img, palette)
    else:
        rows, palette = indexed_rows(img, 1 << bpp, has_key=keyed)
    write_bmp(path, w, h, bpp, rows, palette)
    check_bmp(path, w, h, bpp, "required" if keyed else "forbidden")
    return path


def cloud(pen, x, y, s, fill=(255, 255, 255)):
    for dx, dy, r in ((-1.0, 0.25, 0.55), (-0.35, -0.2, 0.75), (0.45, -0.05, 0.65), (1.05, 0.3, 0.45),
                      (0.0, 0.35, 0.6)):
        pen.circle(x + dx * s, y + dy * s, r * s, fill=fill)


def flower(pen, x, y, r, petal, centre=(250, 200, 60)):
    for k in range(5):
        a = math.radians(k * 72 - 90)
        pen.circle(x + r * math.cos(a), y + r * math.sin(a), r * 0.75, fill=petal)
    pen.circle(x, y, r * 0.6, fill=centre)


# ------------------------------------------------------------ game screen

def game_background():
    """Calm paper with a strip of sky and a meadow edge.  The big letter
    (x 70..170, y 80..230, pure red, green or blue) sits on plain cream,
    which all three stand out on; the picture, arrow, switch and close
    spots are kept plain too."""
    w, h = 240, 320
    pen = Pen(w, h, Z, background=PAPER + (255,))
    # sky strip with a soft wavy lower edge
    pen.rect((0, 0, w, 34), fill=SKY)
    for k in range(13):
        pen.circle(k * 20 + 4, 34, 11, fill=SKY)
    pen.rect((0, 0, w, 12), fill=SKY_LIGHT)
    for k in range(13):
        pen.circle(k * 20 + 14, 12, 8, fill=SKY_LIGHT)
    # sun peeping in the top-left corner, clear of the quiz switch
    pen.circle(6, 6, 28, fill=(255, 240, 180))
    pen.circle(4, 4, 20, fill=(255, 226, 120))
    cloud(pen, 128, 18, 8)
    # meadow at the bottom: far and near hills, a few flowers on the edges
    pen.ellipse((-80, 268, 170, 380), fill=HILL_FAR)
    pen.ellipse((90, 276, 340, 380), fill=HILL_FAR)
    pen.ellipse((-40, 296, 300, 420), fill=HILL)
    for x, y, c in ((16, 312, (250, 250, 255)), (226, 311, (250, 250, 255)),
                    (120, 315, (255, 214, 96)), (196, 316, (255, 214, 96))):
        flower(pen, x, y, 2.6, c)
    # a few tiny paper flecks in the empty margins only
    for x, y in ((22, 70), (30, 128), (14, 176), (24, 222), (214, 120), (224, 170), (206, 214)):
        pen.circle(x, y, 1.1, fill=(236, 226, 200))
    return shrink(pen, (w, h))


# ------------------------------------------------------------ title screen

def title_background():
    w, h = 240, 320
    pen = Pen(w, h, Z, background=SKY + (255,))
    pen.rect((0, 0, w, 90), fill=SKY_LIGHT)
    for k in range(13):
        pen.circle(k * 20 + 6, 90, 12, fill=SKY_LIGHT)
    cloud(pen, 30, 108, 12)
    cloud(pen, 212, 122, 10)
    # hills
    pen.ellipse((-90, 220, 170, 360), fill=HILL_TITLE)
    pen.ellipse((80, 230, 340, 360), fill=HILL_TITLE)
    pen.ellipse((-60, 252, 300, 380), fill=HILL_TITLE_NEAR)
    for x, y, c in ((22, 276, (255, 255, 255)), (40, 284, (255, 210, 80)), (208, 278, (255, 255, 255)),
                    (224, 268, (255, 210, 80))):
        flower(pen, x, y, 3.4, c)
    # plain light strip for the two small text lines at y 300
    pen.rect((0, 292, w, h), fill=PAPER)
    pen.rect((0, 292, w, 293.2), fill=(226, 216, 190))
    hedgehog.mascot(pen, 110, 100, 186)
    tap_hint(pen, 206, 262, 1.5)
    title_text(pen, "Quillby", 120, 50)
    return shrink(pen, (w, h))


def title_text(pen, text, cx, cy):
    font = ImageFont.truetype(FONT_BOLD, 60 * Z)
    x, y = cx * Z, cy * Z
    pen.d.text((x + 3 * Z, y + 4 * Z), text, font=font, anchor="mm", fill=TITLE_SHADOW,
               stroke_width=4 * Z, stroke_fill=TITLE_SHADOW)
    pen.d.text((x, y), text, font=font, anchor="mm", fill=TITLE_YELLOW,
               stroke_width=4 * Z, stroke_fill=TITLE_NAVY)


def tap_hint(pen, x, y, scale=1.0):
    """A pointing hand tapping, with ripples under the fingertip (x, y is
    the fingertip)."""
    big = Pen(60, 60, pen.z * scale)
    _hand(big, 30, 40)
    pen.img.alpha_composite(big.img, (round((x - 30 * scale) * pen.z), round((y - 40 * scale) * pen.z)))


def _hand(pen, x, y):
    for r, ring in ((6, (255, 255, 255)), (10.5, (255, 255, 255))):
        pen.arc((x - r * 1.3, y - r * 0.5, x + r * 1.3, y + r * 0.5), 0, 360, fill=(72, 52, 140), width=2.4)
        pen.arc((x - r * 1.3, y - r * 0.5, x + r * 1.3, y + r * 0.5), 0, 360, fill=ring, width=1.1)
    edge, glove = (72, 52, 140), (255, 255, 255)
    ow = 1.6
    pen.rect((x - 3.2, y - 22, x + 3.2, y + 1), fill=glove, outline=edge, width=ow, radius=3.2)
    pen.rect((x - 4, y - 13, x + 15, y + 9), fill=glove, outline=edge, width=ow, radius=6)
    for k in range(3):  # folded fingers
        fx = x + 3.4 + k * 4.2
        pen.rect((fx, y - 11.5, fx + 4.6, y - 3), fill=glove, outline=edge, width=ow * 0.8, radius=2.3)
    pen.rect((x - 2, y - 12, x + 1.5, y - 2), fill=glove)
    pen.rect((x - 3.2, y - 22, x + 3.2, y - 10), fill=glove, outline=edge, width=ow, radius=3.2)
    pen.rect((x - 1.6, y - 12.5, x + 1.6, y - 9), fill=glove)
    pen.ellipse((x - 9, y - 6, x - 1, y + 3), fill=glove, outline=edge, width=ow)  # thumb
    pen.rect((x - 2.6, y - 5, x + 2, y + 2), fill=glove)
    for sx, sy, r in ((x - 14, y - 20, 2.4), (x + 17, y - 24, 1.8)):
        star(pen, sx, sy, r * 1.8, (255, 214, 60), 4)


# ------------------------------------------------------------ controls

def rounded_arrow_mask(w, h, pointing_left):
    """Alpha mask of a chunky arrow filling most of a w x h cell."""
    pen = Pen(w, h, Z)
    solid = (0, 0, 0, 255)
    cy = 19
    pts = [(5, cy), (25, cy - 16), (25, cy - 8), (52, cy - 8), (52, cy + 8), (25, cy + 8), (25, cy + 16)]
    if not pointing_left:
        pts = [(w - px, py) for px, py in pts]
    pen.polygon(pts, fill=solid, outline=solid, width=5)  # the thick stroke rounds the corners
    return pen.img.getchannel("A")


def arrow(pointing_left):
    w, h = 60, 45
    fill, edge, shine = (255, 176, 46), (176, 92, 20), (255, 220, 130)
    pushed_fill = (236, 146, 30)
    shadow_col = (150, 120, 100)
    shape = rounded_arrow_mask(w, h, pointing_left)
    grown = shape.filter(ImageFilter.MaxFilter(2 * Z + 1))  # the outline
    inner = shape.filter(ImageFilter.MinFilter(Z + 1))
    sheet = Image.new("RGBA", (2 * w * Z, h * Z), (0, 0, 0, 0))
    for frame, (dy, body, shadow) in enumerate(((0, fill, True), (2, pushed_fill, False))):
        layer = Image.new("RGBA", (w * Z, h * Z), (0, 0, 0, 0))
        off = (0, (3 + dy) * Z)
        if shadow:
            layer.paste(shadow_col + (255,), (0, 6 * Z), grown)
        layer.paste(edge + (255,), off, grown)
        layer.paste(body + (255,), off, shape)
        # highlight on the upper half of the arrow body
        hl = Image.new("L", layer.size, 0)
        hl.paste(inner, off)
        cut = Pen(w, h, Z)
        cut.rect((0, 3 + dy + 4, w, 3 + dy + 15), fill=(0, 0, 0, 255))
        hl = Image.composite(hl, Image.new("L", hl.size, 0), cut.img.getchannel("A"))
        if frame == 0:
            layer.paste(shine + (255,), (0, 0), hl.point(lambda a: 255 if a > 128 else 0))
        else:
            layer.paste(lighter(pushed_fill, 0.25) + (255,), (0, 0), hl.point(lambda a: 255 if a > 128 else 0))
        sheet.alpha_composite(layer, (frame * w * Z, 0))
    return harden_alpha(resize_rgba(sheet, (2 * w, h)))


def check_box(pen, x, ticked):
    pen.rect((x + 1.2, 1.2, x + 18.8, 18.8), fill=(255, 255, 255), outline=(70, 66, 120), width=1.8, radius=4)
    if ticked:
        tick = [(x + 4, 9.5), (x + 8.5, 14.5), (x + 18, 3)]
        pen.line(tick, fill=(20, 90, 30), width=5.0)
        pen.line(tick, fill=(52, 180, 64), width=3.2)


def quiz_cards(pen, x):
    """Two fanned cards, the front one showing a question mark."""
    back = Pen(15, 17, Z)
    back.rect((0.8, 0.8, 14.2, 16.2), fill=(150, 200, 246), outline=(60, 90, 160), width=1.2, radius=2.5)
    tilted = back.img.rotate(16, Image.Resampling.BICUBIC, expand=True)
    pen.img.alpha_composite(tilted, (round((x + 1) * Z), 0))
    front = Pen(15, 17, Z)
    front.rect((0.8, 0.8, 14.2, 16.2), fill=(255, 240, 150), outline=(170, 110, 30), width=1.2, radius=2.5)
    font = ImageFont.truetype(FONT_BOLD, 16 * Z)
    front.d.text((7.5 * Z, 8.8 * Z), "?", font=font, anchor="mm", fill=(120, 60, 200))
    tilted = front.img.rotate(-10, Image.Resampling.BICUBIC, expand=True)
    pen.img.alpha_composite(tilted, (round((x + 12) * Z), 0))


def quiz_switch():
    w, h = 60, 20
    pen = Pen(2 * w, h, Z)
    for frame in (0, 1):
        ox = frame * w
        check_box(pen, ox + 2, ticked=bool(frame))
        quiz_cards(pen, ox + 24)
    return harden_alpha(resize_rgba(pen.img, (2 * w, h)))


def star(pen, x, y, r, fill, points=5, edge=None, turn=0.0):
    inner = 0.45 if points == 5 else 0.3
    pts = []
    for k in range(points * 2):
        a = math.radians(-90 + turn + k * 180 / points)
        rr = r if k % 2 == 0 else r * inner
        pts.append((x + rr * math.cos(a), y + rr * math.sin(a)))
    if edge:
        pen.polygon(pts, fill=edge, outline=edge, width=max(1.2, r * 0.18))
    pen.polygon(pts, fill=fill)


SPARKLES = [  # x, y, size, points, colour, phase
    (50, 48, 22, 5, (255, 210, 40), 0), (20, 20, 11, 4, (255, 255, 236), 1),
    (82, 18, 12, 4, (255, 236, 96), 2), (84, 78, 14, 5, (255, 190, 40), 3),
    (16, 80, 10, 5, (255, 236, 96), 2), (50, 88, 8, 4, (255, 255, 236), 1),
    (30, 56, 7, 4, (255, 236, 96), 3), (72, 44, 8, 4, (255, 255, 236), 0),
]
TWINKLE = (1.0, 0.72, 0.38, 0.72)  # size through the four frames


def sparkle():
    w, h = 100, 100
    pen = Pen(4 * w, h, Z)
    edge = (222, 136, 20)
    for frame in range(4):
        for i, (x, y, r, pts, col, phase) in enumerate(SPARKLES):
            s = TWINKLE[(frame + phase) % 4]
            drift = (frame - 1.5) * (1 if i % 2 else -1)
            star(pen, frame * w + x + drift, y - drift * 0.5, r * s, col, pts, edge=edge, turn=frame * 9 * (1 if i % 2 else -1))
        for k in range(6):  # glitter dots that come and go
            if (k + frame) % 3 == 0:
                continue
            a = math.radians(k * 60 + frame * 20)
            pen.circle(frame * w + 50 + 40 * math.cos(a), 50 + 38 * math.sin(a), 2.2, fill=(255, 246, 180),
                       outline=edge, width=0.8)
    return harden_alpha(resize_rgba(pen.img, (4 * w, h)))


def close_button():
    pen = Pen(20, 20, 8, background=(166, 44, 52, 255))
    pen.rect((1, 1, 19, 19), fill=(232, 86, 86))
    pen.rect((1, 1, 19, 8), fill=(240, 116, 110))
    for a, b in (((6, 6), (14, 14)), ((14, 6), (6, 14))):
        pen.line([a, b], fill=(255, 255, 255), width=2.8)
    return pen.img.convert("RGB").resize((20, 20), Image.Resampling.LANCZOS).convert("RGBA")


def save_png_render(bmp_path, png_name):
    read_bmp(bmp_path)["image"].save(os.path.join(DOCS, png_name))


def main():
    os.makedirs(BITMAPS, exist_ok=True)
    os.makedirs(DOCS, exist_ok=True)
    path = save_indexed("game_background.bmp", game_background(), False, 240, 320)
    save_png_render(path, "game_background.png")
    path = save_indexed("title_background.bmp", title_background(), False, 240, 320, palette=TITLE_PALETTE)
    save_png_render(path, "title.png")
    save_indexed("arrow_prev.bmp", arrow(True), True, 120, 45)
    save_indexed("arrow_next.bmp", arrow(False), True, 120, 45)
    save_indexed("quiz_switch.bmp", quiz_switch(), True, 120, 20)
    save_indexed("sparkle.bmp", sparkle(), True, 400, 100)
    save_indexed("close.bmp", close_button(), False, 20, 20)
    print("screens and controls written and checked")


if __name__ == "__main__":
    main()
