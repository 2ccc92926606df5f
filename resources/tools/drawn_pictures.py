# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""Pictures with no fitting emoji, and the backdrops of the full-rectangle
pictures.  Everything is drawn on a nominal grid the size of the slot and
scaled up by ZOOM, so shapes come out smooth after the final downscale.
"""
import math

from PIL import Image, ImageDraw

from art_kit import load_emoji, fit_rgba, rotate_rgba, resize_rgba

ZOOM = 8


class Pen:
    """ImageDraw with coordinates in nominal (slot) pixels."""

    def __init__(self, w, h, zoom=ZOOM, background=(0, 0, 0, 0)):
        self.z = zoom
        self.img = Image.new("RGBA", (round(w * zoom), round(h * zoom)), background)
        self.d = ImageDraw.Draw(self.img)

    def _s(self, coords):
        return [c * self.z for c in coords]

    def _w(self, width):
        return max(1, round(width * self.z))

    def ellipse(self, box, fill=None, outline=None, width=1.0):
        self.d.ellipse(self._s(box), fill=fill, outline=outline, width=self._w(width))

    def circle(self, cx, cy, r, fill=None, outline=None, width=1.0):
        self.ellipse((cx - r, cy - r, cx + r, cy + r), fill, outline, width)

    def rect(self, box, fill=None, outline=None, width=1.0, radius=0):
        if radius:
            self.d.rounded_rectangle(self._s(box), radius=radius * self.z, fill=fill,
                                     outline=outline, width=self._w(width))
        else:
            self.d.rectangle(self._s(box), fill=fill, outline=outline, width=self._w(width))

    def polygon(self, points, fill=None, outline=None, width=1.0):
        pts = [(x * self.z, y * self.z) for x, y in points]
        self.d.polygon(pts, fill=fill)
        if outline:
            self.d.line(pts + [pts[0]], fill=outline, width=self._w(width), joint="curve")

    def line(self, points, fill, width=1.0, round_ends=True):
        pts = [(x * self.z, y * self.z) for x, y in points]
        self.d.line(pts, fill=fill, width=self._w(width), joint="curve")
        if round_ends:
            r = width / 2
            for x, y in (points[0], points[-1]):
                self.circle(x, y, r, fill=fill)

    def pieslice(self, box, start, end, fill=None, outline=None, width=1.0):
        self.d.pieslice(self._s(box), start, end, fill=fill, outline=outline, width=self._w(width))

    def chord(self, box, start, end, fill=None, outline=None, width=1.0):
        self.d.chord(self._s(box), start, end, fill=fill, outline=outline, width=self._w(width))

    def arc(self, box, start, end, fill, width=1.0):
        self.d.arc(self._s(box), start, end, fill=fill, width=self._w(width))


def darker(c, f=0.7):
    return tuple(int(v * f) for v in c[:3])


def lighter(c, f=0.5):
    return tuple(int(v + (255 - v) * f) for v in c[:3])


def heart(pen, cx, cy, r, fill, outline=None):
    pen.circle(cx - r * 0.5, cy - r * 0.2, r * 0.55, fill=fill)
    pen.circle(cx + r * 0.5, cy - r * 0.2, r * 0.55, fill=fill)
    pen.polygon([(cx - r * 1.02, cy), (cx + r * 1.02, cy), (cx, cy + r * 1.05)], fill=fill)


# ---------------------------------------------------------------- things

def igloo():
    pen = Pen(60, 33)
    ice, edge, seam = (246, 250, 255), (112, 156, 204), (176, 204, 232)
    pen.ellipse((1, 26, 59, 33), fill=(214, 232, 248))
    pen.pieslice((5, 5, 55, 55), 180, 360, fill=ice, outline=edge, width=1.3)
    # block seams only inside the dome
    seams = Pen(60, 33)
    for y in (12, 19, 25):
        seams.line([(0, y), (60, y)], fill=seam, width=0.9, round_ends=False)
    rows = [(5, 12, 24), (12, 19, 17), (19, 25, 14), (25, 30, 10)]
    for i, (y0, y1, step) in enumerate(rows):
        x = 6 + (i % 2) * step / 2
        while x < 55:
            seams.line([(x, y0), (x, y1)], fill=seam, width=0.9, round_ends=False)
            x += step
    mask = Image.new("L", pen.img.size, 0)
    ImageDraw.Draw(mask).pieslice([c * ZOOM for c in (6.3, 6.3, 53.7, 53.7)], 180, 360, fill=255)
    pen.img.paste(seams.img, (0, 0), Image.composite(seams.img.getchannel("A"), mask, mask))
    # entrance tunnel with a dark doorway
    pen.pieslice((29, 15, 51, 43), 180, 360, fill=ice, outline=edge, width=1.3)
    pen.pieslice((34.5, 20.5, 45.5, 38), 180, 360, fill=(58, 78, 120))
    pen.rect((34.5, 28.5, 45.5, 29.5), fill=(58, 78, 120))
    pen.line([(6, 29.3), (54, 29.3)], fill=edge, width=1.2)
    return pen.img


def necklace():
    pen = Pen(60, 23)
    colours = [(232, 64, 72), (250, 160, 40), (248, 212, 56), (88, 186, 88),
               (66, 136, 228), (150, 88, 206)]

    def curve(t):  # t in 0..1 along the string
        x = 4 + 52 * t
        y = 3.5 + 10 * (1 - (2 * t - 1) ** 2)
        return x, y
    pen.line([curve(i / 60) for i in range(61)], fill=(120, 96, 80), width=0.8)
    beads = 11
    for i in range(beads):
        x, y = curve(i / (beads - 1))
        c = colours[i % len(colours)]
        pen.circle(x, y, 3.2, fill=c, outline=darker(c), width=0.7)
        pen.circle(x - 1.0, y - 1.0, 0.9, fill=lighter(c, 0.75))
    # a heart pendant hanging from the middle
    x, y = curve(0.5)
    pen.line([(x, y), (x, y + 2.5)], fill=(200, 160, 60), width=0.8)
    heart(pen, x, y + 4.5, 3.6, fill=(228, 40, 64))
    pen.circle(x - 1.6, y + 3.8, 0.7, fill=(250, 170, 170))
    return pen.img


def quilt():
    pen = Pen(60, 60)
    patches = [(232, 80, 80), (250, 206, 80), (96, 158, 228), (118, 196, 110),
               (248, 150, 60), (156, 110, 210)]
    x0, y0, n, size = 6, 6, 4, 12
    edge = (120, 70, 60)
    # scalloped edge: little bumps all round, so the cloth looks soft
    for i in range(n * 3 + 1):
        t = x0 + i * size / 3
        for cx, cy in ((t, y0), (t, y0 + n * size), (x0, t), (x0 + n * size, t)):
            pen.circle(cx, cy, 2.2, fill=(240, 224, 196), outline=edge, width=0.6)
    pen.rect((x0, y0, x0 + n * size, y0 + n * size), fill=(240, 224, 196))
    for r in range(n):
        for c in range(n):
            col = patches[(r * 2 + c * 3 + r * c) % len(patches)]
            bx, by = x0 + c * size, y0 + r * size
            pen.rect((bx + 0.5, by + 0.5, bx + size - 0.5, by + size - 0.5), fill=col)
            kind = (r + 2 * c) % 3
            if kind == 0:  # polka dots
                for dx, dy in ((3, 3), (9, 3), (6, 6), (3, 9), (9, 9)):
                    pen.circle(bx + dx, by + dy, 1.0, fill=lighter(col, 0.7))
            elif kind == 1:  # little heart
                heart(pen, bx + 6, by + 5.5, 3.2, fill=lighter(col, 0.65))
            else:  # a stitched diamond
                pen.polygon([(bx + 6, by + 2), (bx + 10, by + 6), (bx + 6, by + 10), (bx + 2, by + 6)],
                            fill=darker(col, 0.85))
    # dashed stitches along the seams
    for k in range(n + 1):
        p = x0 + k * size
        for s in range(0, n * size, 3):
            pen.line([(p, y0 + s + 0.5), (p, y0 + s + 1.8)], fill=(255, 250, 236), width=0.7)
            pen.line([(x0 + s + 0.5, p), (x0 + s + 1.8, p)], fill=(255, 250, 236), width=0.7)
    pen.rect((x0, y0, x0 + n * size, y0 + n * size), outline=edge, width=0.9)
    return pen.img


def queen():
    """The princess emoji's tiara swapped for a full crown."""
    girl = load_emoji("1f478.png", 4)
    crown = load_emoji("1f451.png", 4)
    crown = resize_rgba(crown, (136, round(crown.height * 136 / crown.width)))
    canvas = Image.new("RGBA", (256, 256 + 60), (0, 0, 0, 0))
    canvas.alpha_composite(girl, (0, 60))
    canvas.alpha_composite(crown, ((256 - crown.width) // 2, 0))
    return canvas


def rainbow():
    pen = Pen(58, 37)
    bands = [(232, 60, 60), (250, 148, 40), (250, 216, 56), (86, 186, 80),
             (64, 136, 228), (132, 84, 200)]
    cx, cy, outer, inner = 29, 32, 27, 12.5
    step = (outer - inner) / len(bands)
    for i, col in enumerate(bands):
        r = outer - i * step
        pen.pieslice((cx - r, cy - r, cx + r, cy + r), 180, 360, fill=col)
    hole = Pen(58, 37)
    hole.pieslice((cx - inner, cy - inner, cx + inner, cy + inner), 180, 360, fill=(0, 0, 0, 255))
    pen.img.paste((0, 0, 0, 0), (0, 0), hole.img.getchannel("A"))
    pen.rect((0, cy, 58, 37), fill=(0, 0, 0, 0))
    for fx in (9, 49):  # a cloud at each foot
        for dx, dy, r in ((-5, 1, 3.6), (0, -1.5, 4.4), (5, 1, 3.6), (0, 2, 3.8)):
            pen.circle(fx + dx, 31 + dy, r + 0.6, fill=(150, 184, 220))
        for dx, dy, r in ((-5, 1, 3.6), (0, -1.5, 4.4), (5, 1, 3.6), (0, 2, 3.8)):
            pen.circle(fx + dx, 31 + dy, r, fill=(255, 255, 255))
    return pen.img


def worm():
    pen = Pen(60, 30)
    body, ring, belly = (218, 112, 92), (168, 72, 62), (242, 164, 140)

    def path(t):  # tail at t=0, neck at t=1
        x = 5 + 42 * t
        y = 21 - 3.5 * math.sin(t * 2 * math.pi)
        return x, y
    pts = [path(i / 40) for i in range(41)] + [(50, 16), (52, 12)]
    for x, y in pts:
        pen.circle(x, y, 5.6, fill=ring)
    for x, y in pts:
        pen.circle(x, y, 4.9, fill=body)
    for x, y in pts[:-2]:
        pen.circle(x - 0.6, y + 2.2, 1.4, fill=belly)
    for i in range(2, 40, 5):  # segment rings
        x, y = path(i / 40)
        pen.arc((x - 2, y - 5, x + 2, y + 5), 250, 110, fill=ring, width=0.8)
    # head
    pen.circle(52, 10, 7, fill=ring)
    pen.circle(52, 10, 6.3, fill=body)
    pen.circle(54.5, 8, 2.3, fill=(255, 255, 255))
    pen.circle(55.2, 8.2, 1.3, fill=(30, 30, 40))
    pen.arc((49.5, 9, 56.5, 15), 20, 150, fill=(120, 40, 40), width=0.9)
    pen.circle(50, 12.5, 1.2, fill=(240, 120, 130))
    return pen.img


def xylophone(pen):
    bars = [(230, 62, 62), (248, 142, 40), (246, 206, 50), (96, 188, 74),
            (44, 176, 170), (62, 128, 226), (108, 92, 210), (168, 82, 196)]
    wood = (150, 98, 56)
    pen.polygon([(5, 13), (55, 19), (55, 21.5), (5, 16)], fill=wood)
    pen.polygon([(5, 36), (55, 32), (55, 34.5), (5, 39)], fill=wood)
    for i, col in enumerate(bars):
        x = 6.5 + i * 6.1
        top = 7 + i * 1.5
        bottom = 44 - i * 1.5
        pen.rect((x, top, x + 5, bottom), fill=col, outline=darker(col), width=0.7, radius=1.5)
        pen.rect((x + 1, top + 1.5, x + 2, bottom - 1.5), fill=lighter(col, 0.45))
        for y in (14.6 + i * 0.75, 37.6 - i * 0.5):
            pen.circle(x + 2.5, y, 0.9, fill=(235, 235, 240), outline=(120, 120, 130), width=0.4)
    # one mallet resting across the corner
    pen.line([(30, 47.5), (51, 40)], fill=(176, 128, 76), width=1.6)
    pen.circle(52.5, 39.2, 3.2, fill=(226, 52, 64), outline=(150, 30, 40), width=0.6)
    pen.circle(51.6, 38.2, 1.0, fill=(250, 170, 170))


def xray_fish():
    pen = Pen(60, 37)
    skin, edge, bone = (132, 176, 200), (70, 110, 140), (252, 252, 255)
    fin_y, fin_k = (248, 206, 60), (40, 40, 48)
    # fins behind the body: yellow, black band, white tip like the real fish
    for top in (True, False):
        s = -1 if top else 1
        base = 18.5 + s * 9
        pen.polygon([(24, base), (34, base), (31, base + s * 8), (27, base + s * 8)], fill=fin_y)
        pen.polygon([(28, base + s * 3), (32.8, base + s * 3), (31.6, base + s * 6),
                     (28.2, base + s * 6)], fill=fin_k)
        pen.polygon([(27, base + s * 6), (31.6, base + s * 6), (31, base + s * 8),
                     (27, base + s * 8)], fill=(255, 255, 255))
    pen.polygon([(44, 18.5), (58, 6), (55, 18.5), (58, 31)], fill=(196, 220, 232), outline=edge, width=0.9)
    for k in range(3):
        pen.line([(47, 18.5), (56, 9 + k * 9.5)], fill=(236, 244, 250), width=0.6)
    pen.ellipse((3, 8, 49, 29), fill=skin, outline=edge, width=1.1)
    # skeleton showing through
    pen.line([(12, 18.5), (47, 18.5)], fill=bone, width=1.3)
    for x in range(16, 44, 4):
        h = 7.5 - abs(x - 27) * 0.22
        pen.line([(x, 18.5), (x + 2, 18.5 - h)], fill=bone, width=0.8)
        pen.line([(x, 18.5), (x + 2, 18.5 + h)], fill=bone, width=0.8)
    pen.ellipse((15, 20, 26, 26), fill=(206, 214, 228), outline=(160, 170, 190), width=0.5)
    pen.arc((5, 10, 17, 27), 90, 270, fill=bone, width=1.0)
    pen.circle(10, 16, 3.2, fill=(255, 255, 255))
    pen.circle(9.4, 16, 2.1, fill=(24, 24, 32))
    pen.circle(8.7, 15.2, 0.7, fill=(255, 255, 255))
    pen.arc((3.5, 18, 9, 23), 30, 150, fill=edge, width=0.8)
    return pen.img


def zipper():
    pen = Pen(60, 60)
    tape, tape_edge = (64, 122, 206), (40, 80, 150)
    metal, metal_edge = (214, 218, 226), (112, 118, 134)
    join_y = 31

    def tape_poly(side):  # side -1 left, +1 right
        # inner edge: straight below the join, opening into a V above it
        inner = [(30 + side * 16, 0), (30 + side * 1, join_y), (30 + side * 1, 60)]
        outer = [(30 + side * 13, 60), (30 + side * 13, join_y + 4), (30 + side * 30, 2), (30 + side * 28, 0)]
        return inner + outer
    for side in (-1, 1):
        pen.polygon(tape_poly(side), fill=tape, outline=tape_edge, width=0.8)
    # teeth: interleaved below the slider, apart along the V above it
    for i, y in enumerate(range(join_y + 1, 60, 3)):
        side = -1 if i % 2 == 0 else 1
        x = 30 + side * 1.2
        pen.rect((min(x, x - side * 5), y, max(x, x - side * 5), y + 2), fill=metal, outline=metal_edge,
                 width=0.4, radius=0.8)
    for side in (-1, 1):
        for k in range(1, 11):
            t = k / 11
            y = join_y * (1 - t)
            x = 30 + side * (1 + 15 * t)
            pen.rect((x - 2.5, y - 1, x + 2.5, y + 1), fill=metal, outline=metal_edge, width=0.4, radius=0.8)
    # slider and pull tab
    pen.polygon([(23, join_y - 5), (37, join_y - 5), (34.5, join_y + 8), (25.5, join_y + 8)],
                fill=(190, 196, 208), outline=metal_edge, width=0.8)
    pen.rect((26.5, join_y + 5, 33.5, join_y + 24), fill=(232, 186, 64), outline=(150, 110, 30),
             width=0.8, radius=3)
    pen.rect((28.6, join_y + 16, 31.4, join_y + 21), fill=tape, radius=1.4)
    pen.circle(30, join_y + 4, 2.2, fill=(150, 156, 170))
    return pen.img


def zucchini():
    pen = Pen(80, 30)
    skin, dark = (50, 118, 46), (28, 80, 30)
    pen.ellipse((5, 4.5, 68, 25.5), fill=dark)
    pen.ellipse((5.8, 5.3, 67.2, 24.7), fill=skin)
    for i in range(14):  # pale speckles, the zucchini's mark
        x = 14 + (i * 31) % 48
        y = 9 + (i * 5) % 13
        pen.circle(x, y, 0.6, fill=(120, 172, 96))
    pen.line([(16, 9), (56, 9)], fill=(132, 186, 108), width=1.6)  # shine
    # thick stem at one end, the yellow blossom still on the other
    pen.polygon([(0, 12), (8, 10), (9, 20), (0, 18)], fill=(150, 164, 84), outline=(96, 110, 48), width=0.7)
    pen.chord((4, 7, 12, 23), 270, 90, fill=(92, 134, 50))
    petal, petal_dark = (252, 200, 44), (226, 146, 24)
    fx, fy = 68.5, 15
    for angle in (-64, -22, 22, 64, 0):  # a five-petal blossom opening outward
        a = math.radians(angle)
        px, py = fx + 5 * math.cos(a), fy + 5 * math.sin(a)
        pts = []
        for k in range(16):
            t = 2 * math.pi * k / 16
            ex, ey = 5.2 * math.cos(t), 3.2 * math.sin(t)
            pts.append((px + ex * math.cos(a) - ey * math.sin(a), py + ex * math.sin(a) + ey * math.cos(a)))
        pen.polygon(pts, fill=petal, outline=petal_dark, width=0.6)
    pen.circle(fx, fy, 2.6, fill=(240, 160, 26))
    pen.circle(fx, fy, 1.2, fill=(200, 110, 20))
    return rotate_rgba(pen.img, -58)


DRAWN = {
    "igloo": igloo, "necklace": necklace, "quilt": quilt, "queen": queen,
    "rainbow": rainbow, "worm": worm, "xray_fish": xray_fish, "zipper": zipper,
    "zucchini": zucchini,
}


# ---------------------------------------------------------------- backdrops

def _place(pen, art, box):
    """Composite emoji/drawn art, fitted into nominal box, onto the pen."""
    x0, y0, x1, y1 = box
    w, h = round((x1 - x0) * pen.z), round((y1 - y0) * pen.z)
    fitted = fit_rgba(art, w, h)
    pen.img.alpha_composite(fitted, (round(x0 * pen.z), round(y0 * pen.z)))


def savanna(w, h, art):
    pen = Pen(w, h, background=(196, 228, 248, 255))
    pen.circle(w - 7, 7, 5, fill=(255, 226, 110))
    pen.ellipse((-10, h - 13, w * 0.7, h + 12), fill=(168, 210, 110))
    pen.ellipse((w * 0.35, h - 11, w + 12, h + 14), fill=(146, 196, 92))
    _place(pen, art, (4, 3, w - 4, h - 2))
    return pen.img


def deep_sea(w, h, art):
    pen = Pen(w, h)
    top, bottom = (140, 214, 240), (36, 104, 176)
    for y in range(pen.img.height):
        t = y / (pen.img.height - 1)
        pen.d.line([(0, y), (pen.img.width, y)], fill=tuple(round(a + (b - a) * t) for a, b in zip(top, bottom)))
    pen.ellipse((-6, h - 5, w + 6, h + 8), fill=(226, 206, 150))
    for x, y, r in ((6, 12, 1.6), (9, 7, 1.0), (37, 40, 1.4), (39, 34, 0.9), (5, 44, 1.1)):
        pen.circle(x, y, r, outline=(230, 246, 255), width=0.5)
    _place(pen, art, (3, 3, w - 3, h - 5))
    return pen.img


def card_pink(w, h, art):
    pen = Pen(w, h, background=(120, 196, 170, 255))
    pen.rect((1.5, 1.5, w - 1.5, h - 1.5), fill=(250, 248, 236), radius=5)
    for x, y in ((8, 8), (w - 8, 9), (7, h - 9), (w - 9, h - 8)):
        pen.circle(x, y, 1.2, fill=(180, 224, 206))
    _place(pen, art, (5, 4, w - 5, h - 4))
    return pen.img


def quill_card(w, h, art=None):
    pen = Pen(w, h, background=(168, 120, 76, 255))
    pen.rect((1.5, 1.5, w - 1.5, h - 1.5), fill=(252, 242, 214), radius=4)
    feather = rotate_rgba(load_emoji("1fab6.png", 4), 36)
    _place(pen, feather, (8, 3, 35, 44))
    ink, rim = (44, 58, 110), (92, 110, 170)
    pen.rect((13, 36, 28, 39), fill=rim, radius=1)
    pen.rect((8, 38.5, 33, 56), fill=ink, radius=5)
    pen.rect((11, 44, 30, 50), fill=(236, 224, 190), radius=1.5)
    pen.line([(11.5, 41), (11.5, 43)], fill=(150, 170, 220), width=1.2)
    return pen.img


def xylophone_card(w, h, art=None):
    pen = Pen(w, h, background=(250, 236, 190, 255))
    pen.rect((0.5, 0.5, w - 0.5, h - 0.5), outline=(226, 190, 120), width=1, radius=3)
    pen.ellipse((6, 42, 56, 48), fill=(232, 214, 168))
    xylophone(pen)
    return pen.img


def snow(w, h, art):
    pen = Pen(w, h, background=(176, 212, 242, 255))
    pen.ellipse((-14, h - 14, w * 0.66, h + 16), fill=(240, 246, 255))
    pen.ellipse((w * 0.3, h - 11, w + 16, h + 18), fill=(226, 238, 252))
    for i in range(16):  # gentle snowfall away from the tree
        x = (i * 23 + 5) % w
        y = (i * 17 + 4) % (h - 14)
        if abs(x - w / 2) > 12:
            pen.circle(x, y, 0.9 + (i % 3) * 0.3, fill=(255, 255, 255))
    _place(pen, art, (12, 2, w - 12, h - 4))
    return pen.img


SCENES = {
    "savanna": savanna, "deep_sea": deep_sea, "card_pink": card_pink,
    "quill_card": quill_card, "xylophone_card": xylophone_card, "snow": snow,
}
