# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""Builds the 78 letter pictures (resources/bitmaps/pictures/*.bmp) and the
review sheet docs/pictures.png.

    /usr/bin/python3 resources/tools/make_pictures.py
"""
import os
import sys

from PIL import Image, ImageDraw, ImageFont

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from art_kit import (KEY, RESOURCES, load_emoji, rotate_rgba, fit_rgba, harden_alpha,  # noqa: E402
                     indexed_rows, rgb_rows)
from bmp_writer import write_bmp, read_bmp  # noqa: E402
from bitmap_check import check_bmp  # noqa: E402
from drawn_pictures import DRAWN, SCENES  # noqa: E402
from picture_list import PICTURES, FULL_RECT  # noqa: E402

OUT_DIR = os.path.join(RESOURCES, "bitmaps", "pictures")
SHEET = os.path.join(os.path.dirname(RESOURCES), "docs", "pictures.png")
FONT = "/usr/share/fonts/truetype/andika/Andika-Bold.ttf"


def file_name(pid, thing):
    return "%d_%s.bmp" % (pid, thing)


def render(w, h, source):
    """RGBA picture at its final size: binary alpha, or fully opaque for
    full-rectangle pictures."""
    kind = source[0]
    if kind == "scene":
        art = load_emoji(source[2], 4) if source[2] else None
        big = SCENES[source[1]](w, h, art)
        return big.convert("RGB").resize((w, h), Image.Resampling.LANCZOS).convert("RGBA")
    if kind == "emoji":
        art = load_emoji(source[1], 4)
        if source[2]:
            art = rotate_rgba(art, source[2])
    else:
        art = DRAWN[source[1]]()
    return harden_alpha(fit_rgba(art, w, h))


def write_picture(path, img, bpp, full):
    w, h = img.size
    if bpp == 24:
        write_bmp(path, w, h, 24, rgb_rows(img))
    else:
        rows, palette = indexed_rows(img, 1 << bpp, has_key=not full)
        write_bmp(path, w, h, bpp, rows, palette)


def contact_sheet(paths):
    """Two columns of letters; each row: the letter, then its three
    pictures at 2x on a light background, with their ids."""
    font = ImageFont.truetype(FONT, 40)
    small = ImageFont.truetype(FONT, 13)
    cell_w, row_h, letter_w = 140, 148, 50
    col_w = letter_w + 3 * cell_w
    sheet = Image.new("RGB", (2 * col_w + 20, 13 * row_h + 10), (250, 246, 232))
    draw = ImageDraw.Draw(sheet)
    for i in range(26):
        ox = (i // 13) * (col_w + 20)
        oy = (i % 13) * row_h + 5
        draw.text((ox + 8, oy + 40), chr(65 + i), font=font, fill=(61, 48, 192))
        for k, base in enumerate((500, 600, 700)):
            pid = base + i
            img = read_bmp(paths[pid])["image"]
            shown = img.resize((img.width * 2, img.height * 2), Image.Resampling.NEAREST)
            mask = shown.point(lambda v: 0).convert("L")
            mask.putdata([0 if p == KEY else 255 for p in shown.getdata()])
            x = ox + letter_w + k * cell_w + (cell_w - shown.width) // 2
            y = oy + (126 - shown.height) // 2
            draw.rectangle((ox + letter_w + k * cell_w + 2, oy, ox + letter_w + (k + 1) * cell_w - 4, oy + 126),
                           fill=(255, 253, 244), outline=(226, 218, 196))
            sheet.paste(shown, (x, y), mask)
            label = os.path.basename(paths[pid])[:-4]
            draw.text((ox + letter_w + k * cell_w + 6, oy + 127), label, font=small, fill=(90, 80, 70))
    sheet.save(SHEET, optimize=False)


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    paths = {}
    for pid, thing, w, h, bpp, source in PICTURES:
        full = pid in FULL_RECT
        if full != (source[0] == "scene"):
            raise SystemExit("%d: full-rectangle pictures must be scenes" % pid)
        path = os.path.join(OUT_DIR, file_name(pid, thing))
        write_picture(path, render(w, h, source), bpp, full)
        check_bmp(path, w, h, bpp, "forbidden" if full else "required")
        paths[pid] = path
    expected = {os.path.basename(p) for p in paths.values()}
    for name in os.listdir(OUT_DIR):
        if name.endswith(".bmp") and name not in expected:
            os.remove(os.path.join(OUT_DIR, name))
    if sorted(paths) != sorted(b + i for b in (500, 600, 700) for i in range(26)):
        raise SystemExit("picture ids are not exactly 500-525, 600-625, 700-725")
    contact_sheet(paths)
    print("%d pictures written and checked; sheet at %s" % (len(paths), SHEET))


if __name__ == "__main__":
    main()
