#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""The platform's map holds: every call that shell/platform.h declares is defined in exactly one
file of platform/, in the folder of its library, whose opening line names it; and
platform/README.md lists each call with that library and that file, and nothing else.

Usage: map_test.py SOURCE_ROOT"""
import re
import sys
from pathlib import Path

# Which library each part of platform.h declares.
HEADER_LIBRARY = {
    'winuser.h': 'user32', 'wingdi.h': 'gdi32', 'handheld_gdi.h': 'gdi32', 'winbase.h': 'kernel32',
    'winnls.h': 'kernel32',
    'mmsystem.h': 'winmm', 'shellapi.h': 'shell32', 'aygshell.h': 'aygshell',
    'lcg_random.h': 'msvcrt',
}
DECLARATION = re.compile(r'^(?!typedef)[A-Za-z][A-Za-z_]*(?:\s+WINAPI)?\s*\*?\s+\*?([A-Za-z]+)\(', re.M)
OPENING = re.compile(r'^// ([a-z0-9]+): (.*)$')


def declared(root):
    calls = {}
    for header in sorted((root / 'shell/winapi').glob('*.h')):
        library = HEADER_LIBRARY.get(header.name)
        if library is None:
            continue
        for name in DECLARATION.findall(header.read_text()):
            calls[name] = library
    return calls


def opening(text):
    """The library and calls a file's opening line names (a line ending in a comma goes on)."""
    lines = text.split('\n')[2:]
    if not lines or not OPENING.match(lines[0]):
        return None, []
    library, names = OPENING.match(lines[0]).groups()
    for line in lines[1:]:
        if not names.rstrip().endswith(','):
            break
        names += ' ' + line.removeprefix('//').strip()
    return library, [n.strip() for n in names.split(',') if n.strip()]


def defined(root, names):
    """Which files of the stand-ins (not the hosts, not the build's tools) define each call."""
    found = {name: [] for name in names}
    for source in sorted((root / 'platform').rglob('*.cpp')):
        relative = source.relative_to(root).as_posix()
        if relative.startswith(('platform/hosts/', 'platform/tools/')):
            continue
        text = source.read_text()
        for name in names:
            if re.search(r'^[A-Za-z_][\w\s\*]*?\b' + name + r'\([^;]*?\)\s*\{', text, re.M | re.S):
                found[name].append(relative)
    return found


def readme_rows(root):
    rows = {}
    row = re.compile(r'^\| `(\w+)` \| (\w+) \| `([^`]+)` \|$')
    for line in (root / 'platform/README.md').read_text().split('\n'):
        m = row.match(line)
        if m:
            rows[m.group(1)] = (m.group(2), m.group(3))
    return rows


def problems(root):
    calls = declared(root)
    if len(calls) < 60:
        yield f'only {len(calls)} calls found in shell/winapi/: the declarations were not read'
    files = defined(root, calls)
    rows = readme_rows(root)
    for name, library in sorted(calls.items()):
        where = files[name]
        if len(where) != 1:
            yield f'{name} ({library}) is defined in {len(where)} files: {where or "none"}'
            continue
        path = where[0]
        if path.split('/')[1] != library:
            yield f'{name} is a {library} call but lives in {path}'
        named_library, named = opening((root / path).read_text())
        if named_library != library or name not in named:
            yield f"{path}'s opening line does not name {library}'s {name}"
        if rows.get(name) != (library, path):
            yield f'platform/README.md has {rows.get(name)} for {name}, not ({library}, {path})'
    for name in sorted(set(rows) - set(calls)):
        yield f'platform/README.md lists {name}, which platform.h does not declare'
    # Every name an opening line gives is a call that its file defines.
    for source in sorted((root / 'platform').rglob('*.cpp')):
        library, named = opening(source.read_text())
        relative = source.relative_to(root).as_posix()
        for name in named:
            if name not in calls or relative not in files.get(name, []):
                yield f'{relative} opens with {name}, which it does not define as a call of platform.h'


def main():
    root = Path(sys.argv[1] if len(sys.argv) > 1 else '.').resolve()
    found = list(problems(root))
    for p in found:
        print(p)
    print(f'{len(found)} problems in the platform\'s map')
    return 1 if found else 0


if __name__ == '__main__':
    sys.exit(main())
