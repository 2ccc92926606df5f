#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""Every language's voice clips are the ones their sources say: voice.tsv names a clip for every
letter (and, where the voice says words, every picture's word), each clip's decoded samples hash
to what voice.tsv recorded when it was made, no two clips of a language hold the same sound, and
each is as loud and as clean as the English clips (speech level near -18 dBFS, peaks under
-3 dBFS, nothing clipped, at most 30 ms of silence at either end).

With --rebuild, every clip is made again from its source (klettres-data's recording, or Festival
saying its text) and must give the very samples recorded: a clip edited, swapped or left stale
since shows here. Without the sources installed, that run is skipped (exit 77).

Usage: language_clips_test.py SOURCE_ROOT [--rebuild]"""
import os
import shutil
import subprocess
import sys

SKIPPED = 77
LEVEL = (-19.5, -16.5)  # dBFS: make_voice.py sets -18; a recording's hiss may move it a little


def check(root, code):
    import language_data
    import make_language_voice
    import make_voice

    language = language_data.read_language(code)
    clips = language_data.voice_clips(code)
    kind, _ = make_language_voice.voice_of(code)
    problems = []
    wanted = [1400 + i for i in range(len(language["alphabet"]))]
    if kind == "festival":
        wanted += [r["id"] + 1000 for r in language["rows"]]
    for rid in wanted:
        if rid not in clips:
            problems.append("voice.tsv has no clip %d: the child would hear nothing there" % rid)
    seen = {}
    for rid, clip in sorted(clips.items()):
        path = os.path.join(root, "resources", "voice", code, clip["file"])
        try:
            with open(path, "rb") as f:
                blob = f.read()
            digest = make_language_voice.samples_hash(blob)
            m = make_voice.measure(blob)
        except (OSError, ValueError, AssertionError) as e:
            problems.append("%s: %s" % (clip["file"], e))
            continue
        if digest != clip["hash"]:
            problems.append("%s is not the clip voice.tsv recorded from %s" % (clip["file"], clip["source"]))
        if digest in seen:
            problems.append("%s holds the same sound as %s" % (clip["file"], seen[digest]))
        seen.setdefault(digest, clip["file"])
        if not LEVEL[0] <= m["level"] <= LEVEL[1]:
            problems.append("%s: speech level %.1f dBFS, outside %s" % (clip["file"], m["level"], LEVEL))
        if m["peak"] > make_voice.PEAK_LIMIT or m["clipped"]:
            problems.append("%s: peak %.2f dBFS, %d clipped samples" % (clip["file"], m["peak"], m["clipped"]))
        if m["lead"] > 30 or m["trail"] > 30:
            problems.append("%s: %.0f/%.0f ms of silence" % (clip["file"], m["lead"], m["trail"]))
    return problems


def missing_source(codes):
    import make_language_voice
    for code in codes:
        kind, rest = make_language_voice.voice_of(code)
        if kind == "klettres" and not os.path.exists(os.path.join(make_language_voice.KLETTRES, rest)):
            return "klettres-data"
        if kind == "festival" and not shutil.which("festival"):
            return "festival"
    return None if shutil.which("sox") else "sox"


def main():
    root = sys.argv[1]
    tools = os.path.join(root, "resources", "tools")
    sys.path.insert(0, tools)
    import language_data
    codes = [c for c in language_data.codes() if language_data.voice_clips(c)]
    if "--rebuild" in sys.argv:
        missing = missing_source(codes)
        if missing:
            print("skipped: %s is not installed, so the clips cannot be made again" % missing)
            sys.exit(SKIPPED)
        run = subprocess.run([sys.executable, os.path.join(tools, "make_language_voice.py"), "--check", *codes],
                             capture_output=True, text=True)
        print(run.stdout + run.stderr, end="")
        sys.exit(run.returncode)
    failed = 0
    for code in codes:
        problems = check(root, code)
        for p in problems:
            print("FAIL %s: %s" % (code, p))
        failed += bool(problems)
        if not problems:
            print("ok %s: %d clips" % (code, len(language_data.voice_clips(code))))
    sys.exit(1 if failed or not codes else 0)


if __name__ == "__main__":
    main()
