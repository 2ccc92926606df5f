#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""Writes debian/copyright, in Debian's machine-readable form, from what the tree already
states: our own files' licence headers (the whole tree, unless a header says otherwise),
.reuse/dep5 for the files that cannot carry a header, and the licence texts in LICENSES/.

    packaging/debian_copyright.py TREE > TREE/debian/copyright
"""
import os
import re
import sys

# Split so that licence scanners reading this file do not take it for a header of its own.
TAG = "SPDX-" "License-Identifier:"
OWNER_TAG = "SPDX-" "FileCopyrightText:"
DEFAULT_LICENCE = "GPL-3.0-or-later"
HEADER_LINES = 5  # a header sits in a file's first lines (after a shebang or an XML prolog)
SKIPPED = {".git", "build", "debian", "LICENSES", ".reuse"}

# Licences Debian ships in /usr/share/common-licenses, which the file then names instead of
# repeating them.
COMMON = {
    "GPL-3.0-or-later": ("GPL-3", [
        "This program is free software: you can redistribute it and/or modify it under the",
        "terms of the GNU General Public License as published by the Free Software",
        "Foundation, either version 3 of the License, or (at your option) any later version.",
        "",
        "This program is distributed in the hope that it will be useful, but WITHOUT ANY",
        "WARRANTY; without even the implied warranty of MERCHANTABILITY or FITNESS FOR A",
        "PARTICULAR PURPOSE. See the GNU General Public License for more details.",
        "",
        "On Debian systems, the complete text of the GNU General Public License version 3",
        'can be found in "/usr/share/common-licenses/GPL-3".',
    ]),
    "GPL-2.0-or-later": ("GPL-2+", [
        "This program is free software; you can redistribute it and/or modify it under the",
        "terms of the GNU General Public License as published by the Free Software",
        "Foundation; either version 2 of the License, or (at your option) any later version.",
        "",
        "This program is distributed in the hope that it will be useful, but WITHOUT ANY",
        "WARRANTY; without even the implied warranty of MERCHANTABILITY or FITNESS FOR A",
        "PARTICULAR PURPOSE. See the GNU General Public License for more details.",
        "",
        "On Debian systems, the complete text of the GNU General Public License version 2",
        'can be found in "/usr/share/common-licenses/GPL-2".',
    ]),
    "CC0-1.0": ("CC0-1.0", [
        "To the extent possible under law, the authors have waived all copyright and",
        "related or neighbouring rights to these files.",
        "",
        "On Debian systems, the complete text of the CC0 1.0 Universal Public Domain",
        'Dedication can be found in "/usr/share/common-licenses/CC0-1.0".',
    ]),
}

COMMENT = [
    "Where each third-party picture and the font come from, and what was changed, is told",
    "in /usr/share/doc/quillby/CREDITS.md (resources/CREDITS.md in the source).",
]


def paragraphs(text):
    """deb822 paragraphs as lists of (field, [value lines]), in order."""
    result = []
    for block in re.split(r"\n\s*\n", text.strip()):
        fields = []
        for line in block.splitlines():
            if line.startswith((" ", "\t")):
                fields[-1][1].append(line.strip())
            else:
                name, _, value = line.partition(":")
                fields.append((name, [value.strip()] if value.strip() else []))
        result.append(fields)
    return result


def field(name, lines):
    first, rest = (lines[0], lines[1:]) if lines else ("", [])
    out = [f"{name}: {first}".rstrip()]
    out += [" " + line.rstrip() if line.strip() else " ." for line in rest]
    return "\n".join(out)


def debian_expression(expression):
    """SPDX writes AND/OR; Debian's format wants the lower-case words."""
    return re.sub(r"\s+(AND|OR|WITH)\s+", lambda m: f" {m.group(1).lower()} ", expression)


def licence_ids(expression):
    return [x for x in re.split(r"[\s()]+", expression) if x and x.lower() not in ("and", "or", "with")]


def header_of(path):
    """(licence, copyright) of a file's header, or None."""
    try:
        with open(path, encoding="utf-8") as f:
            head = [next(f, "") for _ in range(HEADER_LINES)]
    except (UnicodeDecodeError, OSError):
        return None
    licence = owner = None
    for line in head:
        line = re.sub(r"\s*(-->|\*/)\s*$", "", line.strip())
        if TAG in line:
            licence = line.split(TAG, 1)[1].strip()
        elif OWNER_TAG in line:
            owner = line.split(OWNER_TAG, 1)[1].strip()
    return (licence, owner or "The Quillby developers") if licence else None


def headed_exceptions(tree):
    """Files whose own header names a licence other than the tree's, grouped by header."""
    groups = {}
    for folder, dirs, files in os.walk(tree):
        if folder == tree:
            dirs[:] = [d for d in dirs if d not in SKIPPED]
        for name in files:
            path = os.path.join(folder, name)
            header = header_of(path)
            if header and header[0] != DEFAULT_LICENCE:
                groups.setdefault(header, []).append(os.path.relpath(path, tree))
    return [(sorted(files), owner, licence) for (licence, owner), files in sorted(groups.items())]


def licence_text(tree, licence):
    if licence in COMMON:
        return COMMON[licence][1]
    with open(os.path.join(tree, "LICENSES", licence + ".txt"), encoding="utf-8") as f:
        return [line.rstrip().expandtabs() for line in f.read().strip("\n").splitlines()]


def copyright_file(tree):
    with open(os.path.join(tree, ".reuse", "dep5"), encoding="utf-8") as f:
        header, *dep5 = paragraphs(f.read())
    out = ["\n".join(field(name, lines) for name, lines in header if name != "Comment")
           + "\n" + field("Comment", [""] + COMMENT)]
    files = [[("Files", ["*"]), ("Copyright", ["The Quillby developers"]),
              ("License", [DEFAULT_LICENCE])]]
    files += [[(name, [debian_expression(v) for v in lines] if name == "License" else lines)
               for name, lines in p] for p in dep5]
    files += [[("Files", paths), ("Copyright", [owner]), ("License", [licence])]
              for paths, owner, licence in headed_exceptions(tree)]
    used = []
    for p in files:
        out.append("\n".join(field(name, lines) for name, lines in p))
        for name, lines in p:
            if name == "License":
                used += [x for x in licence_ids(lines[0]) if x not in used]
    for licence in used:
        out.append(field("License", [licence] + licence_text(tree, licence)))
    return "\n\n".join(out) + "\n"


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: debian_copyright.py TREE")
    sys.stdout.write(copyright_file(sys.argv[1]))


if __name__ == "__main__":
    main()
