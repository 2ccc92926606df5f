#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""Each language's letter pictures hold together: its alphabet has the letters it should, every
letter has three words that begin with it, no picture stands for two words, and the language's
block of resources.rc defines the alphabet and every picture id the game asks for in that
language, naming the file the table gives, exactly as language_pictures.py writes it now. A
missing id would show the child the English picture (a cat under German "C").

Usage: languages_test.py SOURCE_ROOT"""
import os
import re
import struct
import sys
import unicodedata

LATIN = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
EXPECTED = {"de": LATIN + "ÄÖÜ", "es": LATIN[:14] + "Ñ" + LATIN[14:], "fr": LATIN, "it": LATIN}
ENGLISH = "9, 1"
LARGEST = 60  # a new picture fits the largest English slot


def script_blocks(path):
    """{'primary, sub': {'strings': {id: text}, 'bitmaps': {id: path}}} from resources.rc."""
    blocks, language, in_table = {}, None, False
    for line in open(path, encoding="utf-8"):
        line = re.sub(r'\s*//[^"]*$', "", line).strip()
        m = re.fullmatch(r"LANGUAGE\s+(\d+)\s*,\s*(\d+)", line)
        if m:
            language = "%s, %s" % m.groups()
            continue
        block = blocks.setdefault(language, {"strings": {}, "bitmaps": {}})
        if line in ("STRINGTABLE", "BEGIN"):
            in_table = True
        elif line == "END":
            in_table = False
        elif in_table and (m := re.fullmatch(r'(\d+),?\s+"(.*)"', line)):
            block["strings"][int(m.group(1))] = m.group(2)
        elif m := re.fullmatch(r'(\d+)\s+BITMAP\s+"([^"]+)"', line):
            block["bitmaps"][int(m.group(1))] = m.group(2)
    return blocks


def begins_with(word, letter, alphabet):
    first = word[:1].upper()
    if first == letter:
        return True
    base = unicodedata.normalize("NFD", first)[:1]
    return first not in alphabet and base == letter


def bmp_size(path):
    with open(path, "rb") as f:
        head = f.read(26)
    if len(head) < 26 or head[:2] != b"BM":
        return None
    return struct.unpack("<ii", head[18:26])


def check_language(root, language, blocks, rc_block, script_text):
    code, alphabet, rows = language["code"], language["alphabet"], language["rows"]
    problems = []
    want = EXPECTED.get(code)
    if want is not None and alphabet != want:
        problems.append("the alphabet is %s, expected %s" % (alphabet, want))
    if len(set(alphabet)) != len(alphabet) or alphabet != alphabet.upper():
        problems.append("the alphabet %s has a letter twice or a small letter" % alphabet)
    for letter in alphabet:
        slots = sorted(r["slot"] for r in rows if r["letter"] == letter)
        if slots != [0, 1, 2]:
            problems.append("letter %s has pictures in slots %s, expected one each in 0, 1, 2" % (letter, slots))
    seen = {}
    for r in rows:
        if not begins_with(r["word"], r["letter"], alphabet):
            problems.append("%s: %r does not begin with %s" % (r["where"], r["word"], r["letter"]))
        if r["source"] in seen:
            problems.append("%s: picture %s is already %r (%s)" % (r["where"], r["source"], *seen[r["source"]]))
        seen.setdefault(r["source"], (r["word"], r["where"]))
    block = blocks.get(language["rc_language"])
    if block is None:
        return problems + ["resources.rc has no LANGUAGE %s block" % language["rc_language"]]
    if block["strings"].get(16) != alphabet:
        problems.append("resources.rc: string 16 is %r, expected %r" % (block["strings"].get(16), alphabet))
    files = {r["id"]: r["file"] for r in rows}
    for i, letter in enumerate(alphabet):
        for slot in range(3):
            pid = 500 + 100 * slot + i
            got = block["bitmaps"].get(pid)
            if got is None:
                problems.append("resources.rc: BITMAP %d (%s, slot %d) is not defined: the child would see "
                                "the English picture" % (pid, letter, slot))
            elif pid in files and got != files[pid]:
                problems.append("resources.rc: BITMAP %d names %s, the table says %s" % (pid, got, files[pid]))
    for pid, path in sorted(block["bitmaps"].items()):
        size = bmp_size(os.path.join(root, "resources", path))
        if size is None:
            problems.append("BITMAP %d: %s is missing or no bitmap" % (pid, path))
        elif "/%s/" % code in path and (size[0] > LARGEST or abs(size[1]) > LARGEST):
            problems.append("BITMAP %d: %s is %dx%d, larger than %dx%d" % (pid, path, *size, LARGEST, LARGEST))
    if rc_block not in script_text:
        problems.append("resources.rc: the %s block is not what language_pictures.py makes now: run "
                        "/usr/bin/python3 resources/tools/language_pictures.py %s" % (code, code))
    return problems


def main():
    root = sys.argv[1]
    sys.path.insert(0, os.path.join(root, "resources", "tools"))
    from language_data import codes, rc_block, read_language, LanguageError
    script = os.path.join(root, "resources", "resources.rc")
    with open(script, encoding="utf-8") as f:
        text = f.read()
    blocks = script_blocks(script)
    failed = 0
    english = blocks.get(ENGLISH, {"strings": {}})["strings"].get(16)
    if english != LATIN:
        print("FAIL en: resources.rc's English string 16 is %r, expected %r" % (english, LATIN))
        failed += 1
    languages = codes()
    if not set(EXPECTED) <= set(languages):
        print("note: no table yet for %s" % ", ".join(sorted(set(EXPECTED) - set(languages))))
    for code in languages:
        try:
            language = read_language(code)
            problems = check_language(root, language, blocks, rc_block(language), text)
        except LanguageError as e:
            problems = [str(e)]
        for p in problems:
            print("FAIL %s: %s" % (code, p))
        failed += bool(problems)
        if not problems:
            print("ok %s: %d letters, %d pictures" % (code, len(language["alphabet"]), len(language["rows"])))
    print("%d passed, %d failed" % (len(languages) + 1 - failed, failed))
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
