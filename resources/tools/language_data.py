# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""A language's letter pictures as data: resources/languages/<code>/ holds

  language.txt   its name and the resource script's LANGUAGE numbers (tab-separated)
  alphabet.txt   the capitals in the game's order, one line
  words.tsv      letter, slot (0-2), word, picture source [, bits per pixel]

Picture sources:
  en:<id>                  the English bitmap of that id, shared as it is
  emoji:<file>[:<turn>]    a Twemoji PNG from resources/art/twemoji/, optionally turned
  drawn:<name>             drawn by drawn_pictures.py or language_drawings.py
  scene:<name>:<file>      the emoji on a backdrop of drawn_pictures.py (full rectangle)

Letter i of the alphabet shows BITMAP 500 + i, 600 + i and 700 + i (slot 0, 1, 2). This module
reads and checks a language's folder and writes the text of its block in resources.rc; the
pictures themselves are made by language_pictures.py.
"""
import os
import re
import unicodedata

from picture_list import PICTURES

RESOURCES = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LANGUAGES = os.path.join(RESOURCES, "languages")
SCRIPT = os.path.join(RESOURCES, "resources.rc")
ENGLISH = {pid: "bitmaps/pictures/%d_%s.bmp" % (pid, thing) for pid, thing, *_ in PICTURES}
DEPTHS = (4, 8, 24)
# Letters spelt out for file names; the rest lose their accents.
ASCII = {"ä": "ae", "ö": "oe", "ü": "ue", "ß": "ss", "æ": "ae", "œ": "oe"}


class LanguageError(Exception):
    pass


def codes():
    return sorted(c for c in os.listdir(LANGUAGES) if os.path.isfile(os.path.join(LANGUAGES, c, "words.tsv")))


def picture_id(index, slot):
    return 500 + 100 * slot + index


def ascii_word(word):
    out = "".join(ASCII.get(c, c) for c in word.lower())
    out = "".join(c for c in unicodedata.normalize("NFKD", out) if not unicodedata.combining(c))
    return re.sub(r"[^a-z0-9]+", "_", out).strip("_")


def starts_with(word, letter, alphabet):
    """Whether the word is one of the letter's: its first letter is that letter in either case,
    or that letter with an accent the alphabet does not count as a letter of its own (É is E in
    French; Ä is not A in German)."""
    first = word[:1].upper()
    if first == letter:
        return True
    if first in alphabet:
        return False
    base = "".join(c for c in unicodedata.normalize("NFD", first) if not unicodedata.combining(c))
    return base == letter


def parse_source(text):
    """('en', id) | ('emoji', file, turn) | ('drawn', name) | ('scene', name, file)"""
    kind, _, rest = text.partition(":")
    parts = rest.split(":") if rest else []
    if kind == "en" and len(parts) == 1 and parts[0].isdigit() and int(parts[0]) in ENGLISH:
        return ("en", int(parts[0]))
    if kind == "emoji" and len(parts) in (1, 2) and parts[0].endswith(".png"):
        if len(parts) == 1:
            return ("emoji", parts[0], 0)
        if re.fullmatch(r"-?\d+", parts[1]):
            return ("emoji", parts[0], int(parts[1]))
    if kind == "drawn" and len(parts) == 1 and parts[0]:
        return ("drawn", parts[0])
    if kind == "scene" and len(parts) == 2 and parts[1].endswith(".png"):
        return ("scene", parts[0], parts[1])
    raise LanguageError("picture source %r is none of en:<English id>, emoji:<file.png>[:<turn>], "
                        "drawn:<name>, scene:<backdrop>:<file.png>" % text)


def read_language(code):
    """{'code', 'name', 'rc_language', 'alphabet', 'rows'}; rows are dicts with letter, index, slot,
    id, word, source (as written), parsed, bits, file (the path resources.rc names)."""
    folder = os.path.join(LANGUAGES, code)
    with open(os.path.join(folder, "language.txt"), encoding="utf-8") as f:
        fields = dict(line.rstrip("\n").split("\t", 1) for line in f if line.strip())
    if not re.fullmatch(r"\d+, \d+", fields.get("resource language", "")) or not fields.get("name"):
        raise LanguageError("%s/language.txt: needs 'name' and 'resource language' (such as 7, 1)" % code)
    with open(os.path.join(folder, "alphabet.txt"), encoding="utf-8") as f:
        alphabet = f.read().strip()
    rows = []
    with open(os.path.join(folder, "words.tsv"), encoding="utf-8") as f:
        lines = f.read().splitlines()
    for number, line in enumerate(lines[1:], start=2):
        cells = line.split("\t")
        where = "%s/words.tsv:%d" % (code, number)
        if len(cells) not in (4, 5):
            raise LanguageError("%s: expected letter, slot, word, source [, bits], got %r" % (where, line))
        letter, slot, word, source = cells[:4]
        bits = int(cells[4]) if len(cells) == 5 else 4
        if letter not in alphabet or len(letter) != 1:
            raise LanguageError("%s: %r is no letter of %s" % (where, letter, alphabet))
        if slot not in ("0", "1", "2"):
            raise LanguageError("%s: slot %r is not 0, 1 or 2" % (where, slot))
        if bits not in DEPTHS:
            raise LanguageError("%s: %d bits per pixel is not one of %s" % (where, bits, DEPTHS))
        try:
            parsed = parse_source(source)
        except LanguageError as e:
            raise LanguageError("%s: %s" % (where, e))
        index = alphabet.index(letter)
        pid = picture_id(index, int(slot))
        if parsed[0] == "en":
            path = ENGLISH[parsed[1]]
        else:
            path = "bitmaps/pictures/%s/%d_%s.bmp" % (code, pid, ascii_word(word))
        rows.append({"letter": letter, "index": index, "slot": int(slot), "id": pid, "word": word,
                     "source": source, "parsed": parsed, "bits": bits, "file": path, "where": where})
    rows.sort(key=lambda r: r["id"])
    return {"code": code, "name": fields["name"], "rc_language": fields["resource language"],
            "alphabet": alphabet, "rows": rows}


def voice_clips(code):
    """{resource id: {'file', 'source', 'hash'}} from the language's voice.tsv (none without one)."""
    path = os.path.join(LANGUAGES, code, "voice.tsv")
    if not os.path.exists(path):
        return {}
    with open(path, encoding="utf-8") as f:
        rows = [line.split("\t") for line in f.read().splitlines()[1:] if line]
    return {int(rid): {"file": name, "source": source, "hash": digest} for rid, name, source, digest in rows}


def begin_marker(code):
    return "// <language %s>" % code


def end_marker(code):
    return "// </language %s>" % code


def rc_block(language):
    """The language's block of resources.rc, markers included, as the script writes it."""
    code = language["code"]
    lines = [
        begin_marker(code),
        "// %s: made by resources/tools/language_pictures.py from resources/languages/%s/; edit those"
        % (language["name"], code),
        "// and run the script again. Letter i of string 16 shows BITMAP 500 + i, 600 + i and 700 + i.",
        "LANGUAGE %s" % language["rc_language"],
        "STRINGTABLE",
        "BEGIN",
        '    16 "%s"' % language["alphabet"],
        "END",
    ]
    for row in language["rows"]:
        lines.append('%d BITMAP "%s"  // %s' % (row["id"], row["file"], row["word"]))
    # What the language's voice does not say is a silent clip, so that --speak never says the
    # English word of a picture under the same number.
    clips = voice_clips(code)
    lines.append("// The voice: made by resources/tools/make_language_voice.py (voice.tsv says from what);")
    lines.append("// a silent clip where it says nothing.")
    for rid in [1400 + i for i in range(len(language["alphabet"]))] + [r["id"] + 1000 for r in language["rows"]]:
        clip = "voice/%s/%s" % (code, clips[rid]["file"]) if rid in clips else "voice/silence.wav"
        lines.append('%d WAVE "%s"' % (rid, clip))
    lines.append(end_marker(code))
    return "\n".join(lines) + "\n"


def script_block(text, code):
    """The text between (and with) the language's markers in resources.rc, or None."""
    begin, end = begin_marker(code), end_marker(code)
    start = text.find(begin + "\n")
    stop = text.find(end + "\n", start)
    if start < 0 or stop < 0:
        return None
    return text[start:stop + len(end) + 1]


def with_block(text, language):
    """resources.rc's text with the language's block replaced, or added at the end."""
    block = rc_block(language)
    old = script_block(text, language["code"])
    if old is not None:
        return text.replace(old, block)
    return text.rstrip("\n") + "\n\n" + block


def source_note(parsed):
    """A picture's source, short, for the word tables of docs/languages.md."""
    if parsed[0] == "en":
        return "en %d" % parsed[1]
    if parsed[0] == "emoji":
        return "emoji %s%s" % (parsed[1][:-4], " turned %d°" % parsed[2] if parsed[2] else "")
    if parsed[0] == "drawn":
        return "drawn %s" % parsed[1]
    return "emoji %s on %s" % (parsed[2][:-4], parsed[1])


def doc_table(language):
    """The language's section of docs/languages.md, markers included."""
    code = language["code"]
    lines = ["<!-- <language %s> -->" % code,
             "## %s (%s)" % (language["name"], code), "",
             "Alphabet `%s`, `LANGUAGE %s`; sheet: [pictures-%s.png](pictures-%s.png)."
             % (language["alphabet"], language["rc_language"], code, code), "",
             "| letter | 500 + i | 600 + i | 700 + i |", "| --- | --- | --- | --- |"]
    for i, letter in enumerate(language["alphabet"]):
        cells = {r["slot"]: "%s (%s)" % (r["word"], source_note(r["parsed"]))
                 for r in language["rows"] if r["index"] == i}
        lines.append("| %s | %s |" % (letter, " | ".join(cells.get(k, "?") for k in range(3))))
    lines.append("<!-- </language %s> -->" % code)
    return "\n".join(lines) + "\n"


def with_doc_table(text, language):
    """docs/languages.md with the language's section replaced, or added at the end."""
    code = language["code"]
    begin, end = "<!-- <language %s> -->\n" % code, "<!-- </language %s> -->\n" % code
    start = text.find(begin)
    stop = text.find(end, start)
    if start >= 0 and stop >= 0:
        return text[:start] + doc_table(language) + text[stop + len(end):]
    return text.rstrip("\n") + "\n\n" + doc_table(language)


def emoji_files():
    """Every Twemoji PNG that some language's table names."""
    files = set()
    for code in codes():
        for row in read_language(code)["rows"]:
            if row["parsed"][0] == "emoji":
                files.add(row["parsed"][1])
            elif row["parsed"][0] == "scene":
                files.add(row["parsed"][2])
    return files
