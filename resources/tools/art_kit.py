# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""Shared picture helpers: fitting artwork into a slot, hard-edged
transparency and palette reduction.

Transparency on the device is a colour key, so every picture ends up with
binary alpha.  Edges are cut at half alpha and keep their own colour: blending
them toward the key would leave a pink fringe on screen.
"""
import math
import os

from PIL import Image, ImageDraw

KEY = (246, 140, 197)
RESOURCES = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
EMOJI_DIR = os.path.join(RESOURCES, "art", "twemoji")
LANCZOS = Image.Resampling.LANCZOS
BICUBIC = Image.Resampling.BICUBIC


def load_emoji(filename, scale=4):
    """Twemoji PNG, enlarged so later rotation and compositing stay smooth."""
    img = Image.open(os.path.join(EMOJI_DIR, filename)).convert("RGBA")
    if scale != 1:
        img = resize_rgba(img, (img.width * scale, img.height * scale), BICUBIC)
    return img


def resize_rgba(img, size, method=LANCZOS):
    """Resample on premultiplied alpha so transparent pixels do not bleed
    their (meaningless) colour into the edges."""
    return img.convert("RGBa").resize(size, method).convert("RGBA")


def rotate_rgba(img, degrees):
    return img.convert("RGBa").rotate(degrees, BICUBIC, expand=True).convert("RGBA")


def alpha_bbox(img, threshold=16):
    return img.getchannel("A").point(lambda a: 255 if a >= threshold else 0).getbbox()


def fit_rgba(art, width, height, margin=0):
    """Scale art (keeping proportions) to fit width x height less margin,
    centred on a transparent canvas.  Alpha stays soft here."""
    art = art.crop(alpha_bbox(art))
    room_w, room_h = width - 2 * margin, height - 2 * margin
    scale = min(room_w / art.width, room_h / art.height)
    w = max(1, min(room_w, round(art.width * scale)))
    h = max(1, min(room_h, round(art.height * scale)))
    small = resize_rgba(art, (w, h))
    canvas = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    canvas.alpha_composite(small, ((width - w) // 2, (height - h) // 2))
    return canvas


def harden_alpha(img, threshold=128):
    """Binary alpha: pixels at or above threshold become opaque with their
    own colour, the rest fully transparent."""
    img = img.copy()
    img.putalpha(img.getchannel("A").point(lambda a: 255 if a >= threshold else 0))
    return img


def supersample(size, factor=4, colour=(0, 0, 0, 0), mode="RGBA"):
    """Canvas for drawing at `factor` times the output size."""
    img = Image.new(mode, (size[0] * factor, size[1] * factor), colour)
    return img, ImageDraw.Draw(img)


KEY_DISTANCE = 40  # colours are kept at least this far from the key


def avoid_key(rgb):
    """Push a colour that is the key colour, or close to it, a little away
    so nothing opaque can be mistaken for (or look like) transparency."""
    r, g, b = (int(v) for v in rgb[:3])
    d = (r - KEY[0], g - KEY[1], b - KEY[2])
    dist = math.sqrt(sum(v * v for v in d))
    if dist >= KEY_DISTANCE:
        return (r, g, b)
    if dist == 0:
        d, dist = (0, 1, -1), math.sqrt(2)
    f = (KEY_DISTANCE + 0.5) / dist
    out = tuple(min(255, max(0, round(k + v * f))) for k, v in zip(KEY, d))
    if math.dist(out, KEY) < KEY_DISTANCE:  # clipped at 0/255: step along green
        out = (out[0], max(0, KEY[1] + KEY_DISTANCE + 1), out[2])
    return out


def _nearest(colour, palette):
    r, g, b = colour
    best, best_d = 0, None
    for i, (pr, pg, pb) in enumerate(palette):
        # weighted distance: the eye cares more for green, less for blue
        d = 3 * (r - pr) ** 2 + 4 * (g - pg) ** 2 + 2 * (b - pb) ** 2
        if best_d is None or d < best_d:
            best, best_d = i, d
    return best


def build_palette(colours, count):
    """Reduce a list of RGB tuples to at most `count` colours with
    libimagequant, no dithering (dither noise looks bad at this size)."""
    unique = sorted(set(colours))
    if len(unique) <= count:
        return [avoid_key(c) for c in unique]
    strip = Image.new("RGB", (len(colours), 1))
    strip.putdata(colours)
    q = strip.quantize(colors=count, method=Image.Quantize.LIBIMAGEQUANT,
                       dither=Image.Dither.NONE)
    pal = q.getpalette()
    used = sorted(i for _, i in q.getcolors())
    result = sorted(set(avoid_key(tuple(pal[3 * i: 3 * i + 3])) for i in used))
    return result


def indexed_rows(img, colours, has_key=True):
    """Turn an RGBA (binary alpha) or RGB image into (rows, palette) with
    at most `colours` entries.  With has_key, palette entry 0 is the key
    colour and transparent pixels use it."""
    img = img.convert("RGBA")
    w, h = img.size
    px = list(img.getdata())
    opaque = [p[:3] for p in px if p[3] == 255]
    slots = colours - 1 if has_key else colours
    palette = build_palette(opaque, slots)
    cache = {}
    base = 1 if has_key else 0
    flat = []
    for p in px:
        if p[3] != 255:
            if not has_key:
                raise ValueError("transparent pixel in a full-rectangle picture")
            flat.append(0)
            continue
        c = p[:3]
        idx = cache.get(c)
        if idx is None:
            idx = cache[c] = base + _nearest(c, palette)
        flat.append(idx)
    full = ([KEY] if has_key else []) + palette
    rows = [flat[y * w:(y + 1) * w] for y in range(h)]
    return rows, full


def fixed_palette_rows(img, palette):
    """Map an opaque image onto a hand-picked palette (nearest colour, no
    dithering), for screens whose small but important colours (cheeks,
    eyes) an adaptive quantizer would drop."""
    palette = [avoid_key(c) for c in palette]
    w, h = img.size
    cache = {}
    flat = []
    for p in img.convert("RGB").getdata():
        idx = cache.get(p)
        if idx is None:
            idx = cache[p] = _nearest(p, palette)
        flat.append(idx)
    return [flat[y * w:(y + 1) * w] for y in range(h)], palette


def rgb_rows(img):
    """24-bit rows: transparent pixels become the key colour; opaque ones
    never equal it."""
    img = img.convert("RGBA")
    w, h = img.size
    flat = [KEY if p[3] != 255 else avoid_key(p) for p in img.getdata()]
    return [flat[y * w:(y + 1) * w] for y in range(h)]
