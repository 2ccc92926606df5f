# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""The 78 letter pictures: three things per letter, each with the exact
slot size the game lays out, its colour depth and its artwork source.

Source kinds:
  emoji(file, turn)  a Twemoji PNG, optionally turned (degrees, counter-
                     clockwise) so a diagonal emoji fills a tall or wide slot
  drawn(name)        drawn by drawn_pictures.py (no emoji fits the letter)
  scene(name, file)  full rectangle: the emoji on a little backdrop of its own
"""


def emoji(file, turn=0):
    return ("emoji", file, turn)


def drawn(name):
    return ("drawn", name)


def scene(name, file=None):
    return ("scene", name, file)


# (id, thing, width, height, bits per pixel, source); full-rectangle pictures
# are those whose source is a scene.
PICTURES = [
    (500, "apple", 43, 60, 4, emoji("1f34e.png")),
    (600, "ant", 60, 35, 4, emoji("1f41c.png", 45)),
    (700, "airplane", 56, 60, 4, emoji("2708-fe0f.png")),
    (501, "ball", 50, 57, 4, emoji("26bd.png")),
    (601, "bear", 60, 52, 4, emoji("1f43b.png")),
    (701, "bus", 60, 48, 4, emoji("1f68c.png")),
    (502, "cat", 50, 61, 4, emoji("1f431.png")),
    (602, "car", 60, 31, 4, emoji("1f697.png")),
    (702, "carrot", 43, 60, 4, emoji("1f955.png", 45)),
    (503, "dolphin", 43, 60, 4, emoji("1f42c.png")),
    (603, "dog", 60, 55, 4, emoji("1f436.png")),
    (703, "dinosaur", 49, 60, 4, emoji("1f995.png")),
    (504, "elephant", 60, 45, 4, scene("savanna", "1f418.png")),
    (604, "eagle", 60, 55, 4, emoji("1f985.png")),
    (704, "egg", 59, 60, 24, emoji("1f95a.png")),
    (505, "fish", 60, 60, 4, emoji("1f41f.png")),
    (605, "flower", 60, 60, 4, emoji("1f33b.png")),
    (705, "frog", 60, 55, 4, emoji("1f438.png")),
    (506, "goat", 60, 55, 4, emoji("1f410.png")),
    (606, "giraffe", 44, 60, 4, emoji("1f992.png")),
    (706, "grapes", 56, 60, 4, emoji("1f347.png")),
    (507, "hippo", 60, 43, 4, emoji("1f99b.png")),
    (607, "house", 60, 54, 4, emoji("1f3e0.png")),
    (707, "hedgehog", 60, 55, 4, emoji("1f994.png")),
    (508, "igloo", 60, 33, 4, drawn("igloo")),
    (608, "ice_skate", 60, 48, 4, emoji("26f8-fe0f.png")),
    (708, "ice_cream", 60, 56, 4, scene("card_pink", "1f368.png")),
    (509, "jellyfish", 44, 60, 8, scene("deep_sea", "1fabc.png")),
    (609, "jacket", 60, 57, 4, emoji("1f9e5.png")),
    (709, "jeans", 60, 59, 4, emoji("1f456.png")),
    (510, "kite", 37, 60, 4, emoji("1fa81.png", -45)),
    (610, "kangaroo", 56, 60, 4, emoji("1f998.png")),
    (710, "koala", 60, 41, 4, emoji("1f428.png")),
    (511, "ladybird", 44, 51, 4, emoji("1f41e.png")),
    (611, "lollipop", 46, 60, 4, emoji("1f36d.png", -45)),
    (711, "lion", 46, 60, 4, emoji("1f981.png")),
    (512, "monkey", 56, 60, 4, emoji("1f435.png")),
    (612, "moon", 60, 50, 4, emoji("1f319.png")),
    (712, "mouse", 60, 41, 4, emoji("1f401.png")),
    (513, "nesting_doll", 43, 60, 4, emoji("1fa86.png")),
    (613, "necklace", 60, 23, 4, drawn("necklace")),
    (713, "nest", 47, 60, 4, emoji("1faba.png")),
    (514, "octopus", 60, 60, 4, emoji("1f419.png")),
    (614, "owl", 42, 60, 4, emoji("1f989.png")),
    (714, "orange", 60, 57, 4, emoji("1f34a.png")),
    (515, "pig", 60, 48, 4, emoji("1f416.png")),
    (615, "penguin", 42, 60, 4, emoji("1f427.png")),
    (715, "panda", 56, 60, 4, emoji("1f43c.png")),
    (516, "quilt", 60, 60, 4, drawn("quilt")),
    (616, "queen", 60, 60, 4, drawn("queen")),
    (716, "quill", 41, 60, 4, scene("quill_card")),
    (517, "rocket", 56, 60, 4, emoji("1f680.png")),
    (617, "rainbow", 58, 37, 8, drawn("rainbow")),
    (717, "rabbit", 60, 49, 4, emoji("1f407.png")),
    (518, "sun", 60, 56, 4, emoji("2600-fe0f.png")),
    (618, "sheep", 60, 55, 4, emoji("1f411.png")),
    (718, "strawberry", 60, 55, 4, emoji("1f353.png")),
    (519, "turtle", 60, 43, 4, emoji("1f422.png")),
    (619, "teddy_bear", 44, 60, 4, emoji("1f9f8.png")),
    (719, "tree", 50, 60, 4, emoji("1f333.png")),
    (520, "ufo", 60, 53, 4, emoji("1f6f8.png")),
    (620, "umbrella", 53, 60, 4, emoji("2602-fe0f.png")),
    (720, "unicorn", 60, 59, 4, emoji("1f984.png")),
    (521, "violin", 41, 60, 4, emoji("1f3bb.png", 45)),
    (621, "van", 63, 44, 4, emoji("1f690.png")),
    (721, "volcano", 60, 46, 4, emoji("1f30b.png")),
    (522, "whale", 59, 60, 4, emoji("1f433.png")),
    (622, "watermelon", 60, 36, 4, emoji("1f349.png")),
    (722, "worm", 60, 30, 4, drawn("worm")),
    (523, "xylophone", 60, 50, 4, scene("xylophone_card")),
    (623, "xray_fish", 60, 37, 4, drawn("xray_fish")),
    (723, "xmas_tree", 60, 50, 4, scene("snow", "1f384.png")),
    (524, "yoyo", 59, 60, 4, emoji("1fa80.png")),
    (624, "yarn", 43, 43, 4, emoji("1f9f6.png")),
    (724, "yacht", 60, 54, 4, emoji("26f5.png")),
    (525, "zebra", 60, 56, 4, emoji("1f993.png")),
    (625, "zipper", 60, 60, 4, drawn("zipper")),
    (725, "zucchini", 53, 60, 4, drawn("zucchini")),
]

# Pictures drawn as full rectangles (no transparent pixels at all).
FULL_RECT = {504, 509, 523, 708, 716, 723}

# Emoji used inside drawn pictures (so the source folder keeps them).
EXTRA_EMOJI = ["1f478.png", "1f451.png", "1fab6.png"]


def emoji_files():
    files = set(EXTRA_EMOJI)
    for *_, src in PICTURES:
        if src[0] == "emoji":
            files.add(src[1])
        elif src[0] == "scene" and src[2]:
            files.add(src[2])
    return sorted(files)
