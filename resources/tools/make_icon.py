# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""Builds the program icon from Quillby's face: resources/icon.ico (32x32
and 16x16, 16 colours each, classic XOR + AND mask images) and the
smooth PNGs resources/icons/quillby-SIZE.png at 48, 128, 192, 256 and 512
pixels, which desktop menus, software centres and the browser build use.

For a phone's or tablet's home screen it also draws the face on the page's
sky blue, with no transparency: quillby-touch-180.png for iOS, which puts
its own rounded corners on it (and black where a picture is transparent),
and quillby-maskable-SIZE.png at 192 and 512 pixels, which Android cuts
into a circle, a squircle or a rounded square, keeping at least the circle
of 40 % of the side around the centre: the face lies inside it.

    /usr/bin/python3 resources/tools/make_icon.py
"""
import math
import os
import struct
import sys

from PIL import Image, ImageChops, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from art_kit import RESOURCES, harden_alpha, resize_rgba, indexed_rows  # noqa: E402
from bmp_writer import INFO_HEADER, row_size, pack_row  # noqa: E402
from drawn_pictures import Pen  # noqa: E402
import hedgehog  # noqa: E402

ICO = os.path.join(RESOURCES, "icon.ico")
PNG_DIR = os.path.join(RESOURCES, "icons")
# The 16 and 32 pixel PNGs come from icon.ico itself (scripts/make_small_icons.py).
PNG_SIZES = (48, 128, 192, 256, 512)
HOME_BACKGROUND = (0x7C, 0xC6, 0xEA)  # the page's background (platform/hosts/web/page.css)
TOUCH_SIZE = 180
MASKABLE_SIZES = (192, 512)
SAFE_RADIUS = 0.40  # of the side: what every mask keeps


def head(size, detail, features=True):
    """Quillby's head filling a size x size square, drawn 8x larger."""
    pen = Pen(64, 64, size / 64 * 8)
    u = 1.0
    cx, cy = 32, 35
    hedgehog.spiky(pen, cx, cy - 1, 27, 25, 12, 6, hedgehog.SPINE_DARK, 150, 390)
    hedgehog.spiky(pen, cx, cy - 1, 24, 22, 12, 4.5, hedgehog.SPINE_MID, 160, 380, turn=7)
    hedgehog.face(pen, cx, cy, 44 * u, spines=False, detail=detail, features=features)
    return pen.img


BASE_COLOURS = [hedgehog.SPINE_DARK, hedgehog.SPINE_MID, hedgehog.SKIN, hedgehog.SKIN_LIGHT,
                hedgehog.INK, (255, 255, 255), hedgehog.BLUSH, hedgehog.EAR_IN]


# Eyes, nose and mouth placed pixel by pixel: (x, y, w, h, colour) boxes.
INK, WHITE = hedgehog.INK, (255, 255, 255)
PIXEL_FACE = {
    32: [(10, 14, 3, 4, INK), (19, 14, 3, 4, INK), (10, 14, 1, 1, WHITE), (19, 14, 1, 1, WHITE),
         (14, 20, 4, 2, INK), (15, 22, 2, 1, INK), (13, 24, 1, 1, INK), (18, 24, 1, 1, INK),
         (14, 25, 4, 1, INK), (7, 20, 3, 2, hedgehog.BLUSH), (22, 20, 3, 2, hedgehog.BLUSH)],
    16: [(5, 8, 2, 2, INK), (9, 8, 2, 2, INK), (7, 11, 2, 1, INK)],
}


def icon_image(size):
    """At 16 and 32 pixels soft edges turn eyes into brown smudges, so the
    head's pixels take the nearest of the drawing's own flat colours and
    the eyes and nose are set pixel by pixel."""
    art = harden_alpha(resize_rgba(head(size, detail=size >= 32, features=False), (size, size)))
    px = []
    for r, g, b, a in art.getdata():
        if a == 0:
            px.append((0, 0, 0, 0))
            continue
        best = min(BASE_COLOURS, key=lambda c: (c[0] - r) ** 2 + (c[1] - g) ** 2 + (c[2] - b) ** 2)
        px.append(best + (255,))
    art.putdata(px)
    for x, y, w, h, colour in PIXEL_FACE[size]:
        art.paste(colour + (255,), (x, y, x + w, y + h))
    return art


def ico_entry_bytes(img):
    """One 4-bit icon image: BITMAPINFOHEADER (height doubled), 16-colour
    palette, XOR pixels, then the 1-bit AND mask (1 = transparent)."""
    w, h = img.size
    rows, palette = indexed_rows(img, 16, has_key=True)
    palette[0] = (0, 0, 0)  # transparent pixels are black in the XOR image
    palette += [(0, 0, 0)] * (16 - len(palette))
    alpha = img.getchannel("A")
    xor = b"".join(pack_row(rows[y], w, 4) for y in range(h - 1, -1, -1))
    and_rows = []
    for y in range(h - 1, -1, -1):
        bits = bytearray(row_size(w, 1))
        for x in range(w):
            if alpha.getpixel((x, y)) == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        and_rows.append(bytes(bits))
    mask = b"".join(and_rows)
    header = INFO_HEADER.pack(40, w, 2 * h, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return header + pal + xor + mask


def ico_bytes(images):
    count = len(images)
    blobs = [ico_entry_bytes(img) for img in images]
    out = struct.pack("<HHH", 0, 1, count)
    offset = 6 + 16 * count
    for img, blob in zip(images, blobs):
        w, h = img.size
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def check_ico(path, sizes):
    data = open(path, "rb").read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    assert (reserved, kind, count) == (0, 1, len(sizes)), "bad icon directory"
    end = 6 + 16 * count
    for i, size in enumerate(sizes):
        w, h, colours, _, planes, bpp, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        assert (w, h, colours, planes, bpp) == (size, size, 16, 1, 4), "bad entry %d" % i
        hsize, bw, bh, bplanes, bbpp, comp = struct.unpack_from("<IiiHHI", data, offset)
        assert (hsize, bw, bh, bplanes, bbpp, comp) == (40, size, 2 * size, 1, 4, 0), "bad header %d" % i
        expected = 40 + 64 + row_size(size, 4) * size + row_size(size, 1) * size
        assert length == expected, "entry %d is %d bytes, expected %d" % (i, length, expected)
        end = max(end, offset + length)
    assert end == len(data), "icon file length does not match its entries"


def on_background(size, radius):
    """The face centred on HOME_BACKGROUND, every pixel of it no further from
    the centre than radius x size."""
    art = head(size, detail=True)
    alpha = art.getchannel("A")
    left, top, right, bottom = alpha.getbbox()
    cx, cy = (left + right) / 2, (top + bottom) / 2
    # The smallest circle around the box's centre that holds the whole face, to a pixel of
    # the drawing (8 of them to one of the icon's).
    low, high = 0, math.hypot(right - left, bottom - top)
    while high - low > 1:
        r = (low + high) / 2
        outside = Image.new("L", art.size, 255)
        ImageDraw.Draw(outside).ellipse((cx - r, cy - r, cx + r, cy + r), fill=0)
        if ImageChops.multiply(alpha, outside).getbbox():
            low = r
        else:
            high = r
    # Three pixels to spare: as far as the resampling filter reaches.
    scale = (radius * size - 3) / high
    face = resize_rgba(art.crop((left, top, right, bottom)),
                       (round((right - left) * scale), round((bottom - top) * scale)))
    out = Image.new("RGBA", (size, size), HOME_BACKGROUND + (255,))
    fx = round(size / 2 - (cx - left) * scale)
    fy = round(size / 2 - (cy - top) * scale)
    out.alpha_composite(face, (fx, fy))
    return out.convert("RGB")


def check_inside(path, radius):
    """Every pixel that is not the background lies within the circle."""
    with Image.open(path) as png:
        size = png.size[0]
        assert png.size == (size, size) and png.mode == "RGB", "bad %s" % path
        rgb = png.load()
        for y in range(size):
            for x in range(size):
                if rgb[x, y] != HOME_BACKGROUND:
                    d = math.hypot(x + 0.5 - size / 2, y + 0.5 - size / 2)
                    assert d <= radius * size, "%s: (%d, %d) lies outside the safe circle" % (path, x, y)


def main():
    os.makedirs(PNG_DIR, exist_ok=True)
    images = [icon_image(32), icon_image(16)]
    with open(ICO, "wb") as f:
        f.write(ico_bytes(images))
    check_ico(ICO, [32, 16])
    for size in PNG_SIZES:
        path = os.path.join(PNG_DIR, "quillby-%d.png" % size)
        resize_rgba(head(size, detail=True), (size, size)).save(path)
        with Image.open(path) as png:
            assert png.size == (size, size) and png.mode == "RGBA", "bad %s" % path
    # iOS's corners cut less than Android's masks: the face may come nearer the edge there.
    home = [("quillby-touch-%d.png" % TOUCH_SIZE, TOUCH_SIZE, 0.44)]
    home += [("quillby-maskable-%d.png" % size, size, SAFE_RADIUS - 0.02) for size in MASKABLE_SIZES]
    for name, size, radius in home:
        path = os.path.join(PNG_DIR, name)
        on_background(size, radius).save(path, optimize=True)
        check_inside(path, radius)
    print("icon.ico, menu and home-screen icons written and checked")


if __name__ == "__main__":
    main()
