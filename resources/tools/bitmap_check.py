# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""Checks every written bitmap the way the game's loader will see it:
exact size and depth, header fields consistent with the file length,
bottom-up rows, and transparent (key colour) pixels present or absent."""
from art_kit import KEY
from bmp_writer import read_bmp, row_size

NEAR_KEY = 39  # an edge pixel this close to the key colour would look like a pink fringe


class BitmapError(Exception):
    pass


def check_bmp(path, width, height, bpp, key):
    """key: 'required', 'forbidden' or None (either is fine)."""
    info = read_bmp(path)
    problems = []

    def expect(name, got, want):
        if got != want:
            problems.append("%s is %r, expected %r" % (name, got, want))
    colours = {4: 16, 8: 256, 24: 0}[bpp]
    expect("magic", info["magic"], b"BM")
    expect("info header size", info["header_size"], 40)
    expect("width", info["width"], width)
    expect("height (positive = bottom-up)", info["height"], height)
    expect("planes", info["planes"], 1)
    expect("bits per pixel", info["bpp"], bpp)
    expect("compression", info["compression"], 0)
    expect("colours used", info["clr_used"], colours)
    expect("pixel offset", info["offset"], 14 + 40 + 4 * colours)
    expect("image size", info["image_size"], row_size(width, bpp) * height)
    expect("file size field", info["file_size"], info["actual_size"])
    expect("file size", info["actual_size"], 14 + 40 + 4 * colours + row_size(width, bpp) * height)
    pixels = list(info["image"].getdata())
    keyed = sum(1 for p in pixels if p == KEY)
    if key == "required" and keyed == 0:
        problems.append("no transparent (key colour) pixels")
    if key == "forbidden" and keyed:
        problems.append("%d key colour pixels in a full-rectangle bitmap" % keyed)
    near = set()
    w = info["width"]
    for i, p in enumerate(pixels):
        if p != KEY:
            continue
        for j in (i - 1, i + 1, i - w, i + w):
            if 0 <= j < len(pixels) and abs(j % w - i % w) <= 1:
                q = pixels[j]
                if q != KEY and sum((a - b) ** 2 for a, b in zip(q, KEY)) < NEAR_KEY ** 2:
                    near.add(q)
    if near:
        problems.append("edge colours too close to the key colour: %s" % sorted(near))
    if problems:
        raise BitmapError("%s: %s" % (path, "; ".join(problems)))
    return info
