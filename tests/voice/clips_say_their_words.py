#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""Every voice clip says what it should: a speech recogniser hears each one.

    clips_say_their_words.py RESOURCES_DIR

Letter i's name is WAVE 1400 + i; picture P's word is WAVE P + 1000, named by
the picture's file in resources.rc. Each clip, decoded by sox, set to one
speech level (the recogniser is not deaf to level: as shipped, 4 dB louder,
five clips are lost to it) and padded with silence, goes to pocketsphinx with
a grammar of the 26 letter names and 78 words. At least 95 % of the words and
80 % of the letters (b, d, e, g, p, t, v and z sound alike to it) must be heard
right. A miss passes only as a confusion noted below, and no two clips may hold
the same sound: a clip behind the wrong picture, or letters shifted by one,
fail even where the scores would still be met.
"""

import array
import concurrent.futures
import math
import os
import re
import string
import subprocess
import sys
import tempfile
import time
import wave

DICTIONARY = "/usr/share/pocketsphinx/model/en-us/cmudict-en-us.dict"
SPEECH_LEVEL = -20.0  # dBFS
PAD = 0.25            # seconds

# What a child says for a picture whose file name is not the word, in the dictionary's spelling.
SAID = {"ufo": "ufo", "yoyo": "yoyo", "xray_fish": "x-ray fish", "xmas_tree": "christmas tree"}

# Misses that are the recogniser's, not the clip's: id -> (what it may hear, why).
CONFUSIONS = {
    1400: ({"k"}, "'a' and 'k' differ by the /k/ alone, and the recogniser takes the voice's firm "
                "start of 'ay' for one, whether cut from a phrase, said alone or faded in slowly"),
    1406: ({"j"}, "the E-set: the voice's 'ee' after 'j' is heard as 'ay', so 'gee' becomes "
                "'jay'; no phrasing or pace changed it"),
    1505: ({"ant"}, "the voice's short 'i' is heard as 'a' and a nasal (its sounds are heard as "
                  "'th ae n s'), nearest 'ant'; at every pace tried"),
    1515: ({"ant", "panda", "cat"}, "as in 'fish', the short 'i' is heard as a vowel and a "
                                    "nasal ('t eh n'); at every pace, level and phrasing tried "
                                    "one of these, never 'pig'"),
    1614: ({"l"}, "'owl' and the letter L ('el') share the /l/, and the voice's 'ow' is heard as "
                "'eh' ('d eh l')"),
}


def read_script(path):
    """WAVE and BITMAP entries of resources.rc's English part: {id: file}. The voice is
    English: the other languages' blocks (after their own LANGUAGE lines) are not its."""
    waves, bitmaps = {}, {}
    english = True
    for line in open(path, encoding="utf-8"):
        language = re.match(r"\s*LANGUAGE\s+(\d+)\s*,\s*(\d+)", line)
        if language:
            english = language.groups() == ("9", "1")
        m = english and re.match(r'\s*(\d+)\s+(WAVE|BITMAP)\s+"([^"]+)"', line)
        if m:
            (waves if m.group(2) == "WAVE" else bitmaps)[int(m.group(1))] = m.group(3)
    return waves, bitmaps


def expected_clips(resources, waves, bitmaps):
    """[(id, clip file, what it should say, is a letter)], or exit on a missing clip."""
    out = []
    for i, letter in enumerate(string.ascii_lowercase):
        out.append((1400 + i, waves.get(1400 + i), letter, True))
    for base in (500, 600, 700):
        for i in range(26):
            thing = re.sub(r"^\d+_|\.bmp$", "", os.path.basename(bitmaps[base + i]))
            out.append((base + i + 1000, waves.get(base + i + 1000),
                        SAID.get(thing, thing.replace("_", " ")), False))
    missing = [str(rid) for rid, clip, *_ in out
               if clip is None or not os.path.isfile(os.path.join(resources, clip))]
    if missing:
        sys.exit("FAIL: no WAVE resource or no file for " + ", ".join(missing))
    first = {}
    for rid, clip, *_ in out:
        with open(os.path.join(resources, clip), "rb") as f:
            other = first.setdefault(f.read(), rid)
        if other != rid:
            sys.exit("FAIL: WAVE %d holds the same clip as WAVE %d" % (rid, other))
    return out


def write_grammar(work, phrases):
    """A JSGF grammar of exactly these phrases, and a dictionary of their words in which a
    letter has its name alone ("a" as the article, "uh", is no letter's name)."""
    words = {w for p in phrases for w in p.split()}
    sounds = {}
    for line in open(DICTIONARY, encoding="utf-8"):
        head, _, said = line.strip().partition(" ")
        word = re.sub(r"\(\d+\)$", "", head)
        if word in words and (word, said) != ("a", "AH"):
            sounds.setdefault(word, []).append(said)
    entries = ["%s%s %s\n" % (w, "(%d)" % (k + 1) if k else "", said)
               for w in sorted(sounds) for k, said in enumerate(sounds[w])]
    grammar = os.path.join(work, "words.gram")
    with open(grammar, "w") as f:
        f.write("#JSGF V1.0;\ngrammar quillby;\npublic <said> = %s;\n" % " | ".join(phrases))
    dictionary = os.path.join(work, "words.dict")
    with open(dictionary, "w") as f:
        f.writelines(entries)
    return grammar, dictionary


def at_speech_level(path):
    """Rewrites a 16 kHz 16-bit mono file with its speech at SPEECH_LEVEL (the RMS of its
    10 ms frames within 25 dB of the loudest) and PAD seconds of silence round it."""
    with wave.open(path, "rb") as f:
        samples = array.array("h", f.readframes(f.getnframes()))
    frames = [math.sqrt(sum(v * v for v in samples[i:i + 160]) / 160)
              for i in range(0, len(samples) - 159, 160)]
    active = [x for x in frames if x >= max(frames) * 10 ** (-25 / 20)]
    gain = 32768 * 10 ** (SPEECH_LEVEL / 20) / math.sqrt(sum(x * x for x in active) / len(active))
    pad = [0] * int(PAD * 16000)
    out = array.array("h", pad + [max(-32768, min(32767, round(v * gain))) for v in samples] + pad)
    with wave.open(path, "wb") as f:
        f.setnchannels(1)
        f.setsampwidth(2)
        f.setframerate(16000)
        f.writeframes(out.tobytes())


def hear(clip, work, grammar, dictionary):
    """What pocketsphinx hears in the clip, decoded to 16 kHz 16-bit PCM by sox."""
    pcm = os.path.join(work, os.path.basename(clip))
    subprocess.run(["sox", clip, "-r", "16000", "-e", "signed", "-b", "16", "-c", "1", pcm],
                   check=True)
    at_speech_level(pcm)
    run = subprocess.run(["pocketsphinx_continuous", "-infile", pcm, "-jsgf", grammar,
                          "-dict", dictionary, "-logfn", os.devnull],
                         capture_output=True, text=True, check=True)
    return " ".join(run.stdout.split())


def main():
    resources = sys.argv[1]
    waves, bitmaps = read_script(os.path.join(resources, "resources.rc"))
    clips = expected_clips(resources, waves, bitmaps)
    started = time.monotonic()
    with tempfile.TemporaryDirectory() as work:
        grammar, dictionary = write_grammar(work, sorted({said for *_, said, _ in clips}))
        with concurrent.futures.ThreadPoolExecutor(os.cpu_count()) as pool:
            heard = list(pool.map(lambda c: hear(os.path.join(resources, c[1]), work, grammar,
                                                 dictionary), clips))
    failures, right = [], {True: 0, False: 0}
    for (rid, clip, said, letter), got in zip(clips, heard):
        if got == said:
            right[letter] += 1
            if rid in CONFUSIONS:
                print("%d %s: heard right now; its note can go" % (rid, clip))
            continue
        known = CONFUSIONS.get(rid)
        if known and got in known[0]:
            print("%d %s: heard '%s', not '%s' (known: %s)" % (rid, clip, got, said, known[1]))
        else:
            print("%d %s: heard '%s', not '%s'" % (rid, clip, got, said))
            failures.append(rid)
    letters, words = right[True] / 26, right[False] / 78
    print("letters %d/26 (%.0f %%), words %d/78 (%.0f %%), %.1f s" % (
        right[True], 100 * letters, right[False], 100 * words, time.monotonic() - started))
    if failures:
        sys.exit("FAIL: %d clips not heard as they should be, nor as noted" % len(failures))
    if letters < 0.80 or words < 0.95:
        sys.exit("FAIL: below 80 % of the letters or 95 % of the words")


if __name__ == "__main__":
    main()
