# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""Copy the Twemoji PNGs the pictures use, English and every language's in
resources/languages/, out of an unpacked
emoji-datasource-twitter npm package into resources/art/twemoji/.

Only needed when the choice of pictures changes; the copied PNGs are kept
in the repository so the pictures rebuild without the registry:

    mkdir -p /tmp/emoji && cd /tmp/emoji && npm pack emoji-datasource-twitter@16.0.0
    tar xzf emoji-datasource-twitter-*.tgz
    /usr/bin/python3 resources/tools/collect_emoji.py /tmp/emoji/package
"""
import os
import shutil
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from art_kit import EMOJI_DIR  # noqa: E402
from language_data import emoji_files as language_emoji  # noqa: E402
from language_drawings import EXTRA_EMOJI  # noqa: E402
from picture_list import emoji_files  # noqa: E402


def main(package_dir):
    src_dir = os.path.join(package_dir, "img", "twitter", "64")
    os.makedirs(EMOJI_DIR, exist_ok=True)
    wanted = sorted(set(emoji_files()) | language_emoji() | set(EXTRA_EMOJI))
    for name in wanted:
        shutil.copyfile(os.path.join(src_dir, name), os.path.join(EMOJI_DIR, name))
    for name in sorted(os.listdir(EMOJI_DIR)):
        if name.endswith(".png") and name not in wanted:
            os.remove(os.path.join(EMOJI_DIR, name))
    print("copied %d emoji to %s" % (len(wanted), EMOJI_DIR))


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: collect_emoji.py UNPACKED_PACKAGE_DIR")
    main(sys.argv[1])
