# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""Writes the desktop menu's small icons, resources/icons/quillby-16.png and
quillby-32.png, from the program icon's own 16x16 and 32x32 images, so the
window, the menu and the task bar show the same pixels.

    /usr/bin/python3 scripts/make_small_icons.py
"""
import os

from PIL import Image

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ICO = os.path.join(ROOT, "resources", "icon.ico")
OUT = os.path.join(ROOT, "resources", "icons")


def main():
    for side in (16, 32):
        ico = Image.open(ICO)
        ico.size = (side, side)  # picks that image out of the file
        image = ico.convert("RGBA")
        # No text chunks or timestamps: the same bytes on every run.
        image.save(os.path.join(OUT, "quillby-%d.png" % side), optimize=True)


if __name__ == "__main__":
    main()
