# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""Makes one language's letter pictures from resources/languages/<code>/ (see language_data.py):
its new bitmaps in resources/bitmaps/pictures/<code>/, its block of resources.rc, the review
sheet docs/pictures-<code>.png and its word table in docs/languages.md.

    /usr/bin/python3 resources/tools/language_pictures.py de [fr ...]   # or: --all

A picture shared with English is named as the English file and not made again. A new one is as
big as its artwork's shape allows within 60 x 60 pixels, the largest slot the English pictures
fill; the game places every picture by its own width and height.
"""
import os
import sys

from PIL import Image, ImageDraw, ImageFont

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from art_kit import KEY, load_emoji, rotate_rgba, fit_rgba, harden_alpha, alpha_bbox  # noqa: E402
from bmp_writer import read_bmp  # noqa: E402
from bitmap_check import check_bmp  # noqa: E402
from drawn_pictures import DRAWN, SCENES  # noqa: E402
from language_data import (RESOURCES, SCRIPT, LanguageError, codes, read_language, with_block,  # noqa: E402
                           with_doc_table)
from language_drawings import DRAWINGS  # noqa: E402
from make_pictures import write_picture  # noqa: E402

SLOT = 60
DOCS = os.path.join(os.path.dirname(RESOURCES), "docs")
TABLES = os.path.join(DOCS, "languages.md")
FONT = "/usr/share/fonts/truetype/andika/Andika-Bold.ttf"


def artwork(parsed):
    """The picture's artwork before fitting: RGBA with soft alpha."""
    kind = parsed[0]
    if kind == "emoji":
        art = load_emoji(parsed[1], 4)
        return rotate_rgba(art, parsed[2]) if parsed[2] else art
    if kind == "drawn":
        if parsed[1] in DRAWINGS:
            return DRAWINGS[parsed[1]]()
        if parsed[1] in DRAWN:
            return DRAWN[parsed[1]]()
        raise LanguageError("no drawing called %r" % parsed[1])
    if parsed[1] not in SCENES:
        raise LanguageError("no backdrop called %r" % parsed[1])
    return load_emoji(parsed[2], 4)


def fitted_size(art):
    """Width and height of the artwork's shape scaled to fill SLOT x SLOT on its longer side."""
    x0, y0, x1, y1 = alpha_bbox(art)
    scale = SLOT / max(x1 - x0, y1 - y0)
    return max(1, min(SLOT, round((x1 - x0) * scale))), max(1, min(SLOT, round((y1 - y0) * scale)))


def render(parsed):
    art = artwork(parsed)
    w, h = fitted_size(art)
    if parsed[0] == "scene":
        # A backdrop needs room around its subject: no thinner than two thirds of the slot.
        w, h = max(w, 2 * SLOT // 3), max(h, 2 * SLOT // 3)
        big = SCENES[parsed[1]](w, h, art)
        return big.convert("RGB").resize((w, h), Image.Resampling.LANCZOS).convert("RGBA")
    return harden_alpha(fit_rgba(art, w, h))


def check_table(language):
    """Every id the game asks for, once: else the child sees an English picture."""
    ids = [row["id"] for row in language["rows"]]
    want = sorted(b + i for b in (500, 600, 700) for i in range(len(language["alphabet"])))
    if sorted(ids) != want:
        missing = sorted(set(want) - set(ids))
        twice = sorted({i for i in ids if ids.count(i) > 1})
        raise LanguageError("%s: pictures missing for %s, given twice for %s"
                            % (language["code"], missing or "none", twice or "none"))


def make_bitmaps(language):
    out_dir = os.path.join(RESOURCES, "bitmaps", "pictures", language["code"])
    os.makedirs(out_dir, exist_ok=True)
    made = set()
    for row in language["rows"]:
        if row["parsed"][0] == "en":
            continue
        path = os.path.join(RESOURCES, row["file"])
        img = render(row["parsed"])
        full = row["parsed"][0] == "scene"
        write_picture(path, img, row["bits"], full)
        check_bmp(path, img.width, img.height, row["bits"], "forbidden" if full else "required")
        made.add(os.path.basename(path))
    for name in os.listdir(out_dir):
        if name.endswith(".bmp") and name not in made:
            os.remove(os.path.join(out_dir, name))
    return made


def contact_sheet(language, path):
    """Two columns of letters; each row: the letter, then its three pictures at 2x with their
    words and where each comes from."""
    font = ImageFont.truetype(FONT, 40)
    small = ImageFont.truetype(FONT, 13)
    smaller = ImageFont.truetype(FONT, 10)
    cell_w, row_h, letter_w = 140, 160, 50
    col_w = letter_w + 3 * cell_w
    per_column = (len(language["alphabet"]) + 1) // 2
    sheet = Image.new("RGB", (2 * col_w + 20, per_column * row_h + 10), (250, 246, 232))
    draw = ImageDraw.Draw(sheet)
    for row in language["rows"]:
        i, k = row["index"], row["slot"]
        ox = (i // per_column) * (col_w + 20)
        oy = (i % per_column) * row_h + 5
        if k == 0:
            draw.text((ox + 8, oy + 40), row["letter"], font=font, fill=(61, 48, 192))
        img = read_bmp(os.path.join(RESOURCES, row["file"]))["image"]
        shown = img.resize((img.width * 2, img.height * 2), Image.Resampling.NEAREST)
        mask = Image.new("L", shown.size)
        mask.putdata([0 if p == KEY else 255 for p in shown.getdata()])
        cx = ox + letter_w + k * cell_w
        draw.rectangle((cx + 2, oy, cx + cell_w - 4, oy + 126), fill=(255, 253, 244), outline=(226, 218, 196))
        sheet.paste(shown, (cx + (cell_w - shown.width) // 2, oy + (126 - shown.height) // 2), mask)
        draw.text((cx + 6, oy + 127), row["word"], font=small, fill=(40, 34, 30))
        draw.text((cx + 6, oy + 141), ("%d %s" % (row["id"], row["source"]))[:24], font=smaller, fill=(120, 110, 100))
    sheet.save(path, optimize=False)


def make(code):
    language = read_language(code)
    check_table(language)
    made = make_bitmaps(language)
    with open(SCRIPT, encoding="utf-8") as f:
        text = f.read()
    with open(SCRIPT, "w", encoding="utf-8") as f:
        f.write(with_block(text, language))
    sheet = os.path.join(DOCS, "pictures-%s.png" % code)
    contact_sheet(language, sheet)
    with open(TABLES, encoding="utf-8") as f:
        text = f.read()
    with open(TABLES, "w", encoding="utf-8") as f:
        f.write(with_doc_table(text, language))
    print("%s: %d pictures, %d new bitmaps written and checked; block in %s; sheet at %s"
          % (code, len(language["rows"]), len(made), os.path.relpath(SCRIPT), os.path.relpath(sheet)))


def main(args):
    if not args:
        sys.exit("usage: language_pictures.py CODE... | --all")
    try:
        for code in codes() if args == ["--all"] else args:
            make(code)
    except LanguageError as e:
        sys.exit("language_pictures.py: %s" % e)


if __name__ == "__main__":
    main(sys.argv[1:])
