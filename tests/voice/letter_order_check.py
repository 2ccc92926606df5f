#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""Each language's letter names stand behind their own letters, judged as a whole set.

No recogniser here knows German, French, Spanish or Italian, and one clip at a time cannot be
told from its neighbours reliably by sound alone. So each clip the game would play for a letter
(the WAVE of the language's block of resources.rc) is compared, by MFCC and dynamic time warping,
with espeak-ng saying every letter of that alphabet, each speaker's features normalised over its
own clips. The clips in the alphabet's order must cost less than the same clips shifted by any
number of places, and less than the order with any two clips swapped, except for the pairs below
that sound alike to this measure. A clip under the wrong letter, or every clip one letter off,
fails.

Usage: letter_order_check.py SOURCE_ROOT [CODE ...] [--plant swap:I:J | --plant shift:K]"""
import os
import re
import subprocess
import sys
import tempfile

import numpy

RATE = 16000
ESPEAK = {"de": "de", "fr": "fr", "es": "es", "it": "it"}
# Pairs of letters whose clips, swapped, still cost no more than in order: mostly names that differ
# in one consonant before the same vowel (German Be, Ge; Ka, Pe), which this measure hears alike.
ALIKE = {
    "de": {tuple(p) for p in "BG BJ BK BL BM BÖ DG DÄ FK FP GK GL GM GN GR GÄ GÖ GÜ HP IQ IU KP KS KT KÄ "
           "LM LY MW MY MÖ MÜ PÄ RÄ SZ TÄ WÖ WÜ ÄÖ".split()},
    "fr": {tuple(p) for p in "CT DI DV GI IY".split()},
    "es": {tuple(p) for p in "LÑ NÑ".split()},
    "it": {tuple(p) for p in "BD GI LN".split()},
}


# Cepstra at two levels of detail, their costs added: the first five say the spectrum's broad
# shape, which holds across two such different speakers (a person, espeak-ng); thirteen add the
# finer detail that tells French and Italian names apart. Either alone lets more swaps through.
DETAIL = (5, 13)
SHOWN = 6  # swapped pairs named in a failure; one clip misplaced makes several


def read_samples(path):
    raw = subprocess.run(["sox", path, "-t", "raw", "-e", "signed", "-b", "16", "-c", "1", "-r", str(RATE), "-"],
                         check=True, capture_output=True).stdout
    return numpy.frombuffer(raw, dtype="<i2").astype(numpy.float64) / 32768


def mel_filters(bins, count=26, low=100.0, high=7000.0):
    mel = lambda f: 2595 * numpy.log10(1 + f / 700)  # noqa: E731
    hz = lambda m: 700 * (10 ** (m / 2595) - 1)  # noqa: E731
    edges = hz(numpy.linspace(mel(low), mel(high), count + 2)) / (RATE / 2) * (bins - 1)
    k = numpy.arange(bins)
    return numpy.array([numpy.clip(numpy.minimum((k - a) / (b - a), (c - k) / (c - b)), 0, None)
                        for a, b, c in zip(edges, edges[1:], edges[2:])])


def mfcc(s, coefficients=13):
    """Cepstra of the 25 ms frames (10 ms apart) within 30 dB of the clip's loudest."""
    s = numpy.append(s[0], s[1:] - 0.97 * s[:-1])
    size, step = 400, 160
    count = max(1, 1 + (len(s) - size) // step)
    frames = numpy.array([s[i * step:i * step + size] for i in range(count)])
    frames = numpy.pad(frames, ((0, 0), (0, size - frames.shape[1]))) * numpy.hamming(size)
    power = numpy.abs(numpy.fft.rfft(frames, 512)) ** 2
    energy = power.sum(axis=1)
    frames_kept = energy >= energy.max() * 1e-3
    logmel = numpy.log(power[frames_kept] @ mel_filters(power.shape[1]).T + 1e-10)
    n = logmel.shape[1]
    dct = numpy.cos(numpy.pi / n * (numpy.arange(n) + 0.5)[None, :] * numpy.arange(1, coefficients + 1)[:, None])
    return logmel @ dct.T


def normalised(features):
    """Each speaker's cepstra less that speaker's mean, over its variance, across all its clips."""
    every = numpy.vstack(features)
    mean, spread = every.mean(axis=0), every.std(axis=0) + 1e-9
    return [(f - mean) / spread for f in features]


def dtw(a, b):
    cost = numpy.sqrt(((a[:, None, :] - b[None, :, :]) ** 2).sum(axis=2))
    total = numpy.full((len(a) + 1, len(b) + 1), numpy.inf)
    total[0, 0] = 0
    for i in range(1, len(a) + 1):
        row, above, diagonal = total[i], total[i - 1, 1:], total[i - 1, :-1]
        best = numpy.minimum(above, diagonal) + cost[i - 1]
        for j in range(1, len(b) + 1):
            row[j] = min(best[j - 1], row[j - 1] + cost[i - 1, j - 1])
    return total[-1, -1] / (len(a) + len(b))


def block_clips(root, code):
    """{letter index: clip path} from the WAVE lines of the language's block of resources.rc."""
    sys.path.insert(0, os.path.join(root, "resources", "tools"))
    import language_data
    with open(language_data.SCRIPT, encoding="utf-8") as f:
        block = language_data.script_block(f.read(), code)
    language = language_data.read_language(code)
    clips = {}
    for rid, path in re.findall(r'^(\d+) WAVE "([^"]+)"', block or "", re.M):
        if 1400 <= int(rid) < 1400 + len(language["alphabet"]):
            clips[int(rid) - 1400] = os.path.join(root, "resources", path)
    return language["alphabet"], clips


def references(code, alphabet, work):
    out = []
    for i, letter in enumerate(alphabet):
        path = os.path.join(work, "%s-%d.wav" % (code, i))
        text = '<speak><say-as interpret-as="characters">%s</say-as></speak>' % letter
        subprocess.run(["espeak-ng", "-v", ESPEAK[code], "-m", "-w", path, text], check=True)
        out.append(read_samples(path))
    return out


def costs(root, code, plant):
    alphabet, clips = block_clips(root, code)
    n = len(alphabet)
    missing = [alphabet[i] for i in range(n) if i not in clips]
    if missing:
        return alphabet, None, "no clip for %s" % ", ".join(missing)
    order = list(range(n))
    if plant and plant[0] == "swap":
        order[plant[1]], order[plant[2]] = order[plant[2]], order[plant[1]]
    elif plant and plant[0] == "shift":
        order = order[plant[1]:] + order[:plant[1]]
    said = [read_samples(clips[order[i]]) for i in range(n)]
    with tempfile.TemporaryDirectory() as work:
        heard = references(code, alphabet, work)
    total = numpy.zeros((n, n))
    for count in DETAIL:
        a, b = (normalised([mfcc(s, count) for s in set_]) for set_ in (said, heard))
        d = numpy.array([[dtw(x, y) for y in b] for x in a])
        total += d / d.mean()
    return alphabet, total, None


def judge(code, alphabet, d):
    """The problems with the set's order, and figures for the record."""
    n = len(alphabet)
    true = numpy.trace(d)
    problems = []
    shifts = [sum(d[i, (i + k) % n] for i in range(n)) for k in range(1, n)]
    worst = min(range(n - 1), key=lambda k: shifts[k])
    if shifts[worst] <= true:
        problems.append("the clips shifted by %d cost %.3f, no more than in order (%.3f): the letters are "
                        "one off" % (worst + 1, shifts[worst], true))
    cheaper = []
    for i in range(n):
        for j in range(i + 1, n):
            if d[i, j] + d[j, i] <= d[i, i] + d[j, j]:
                cheaper.append((alphabet[i], alphabet[j]))
    unexpected = [p for p in cheaper if p not in ALIKE[code]]
    for a, b in unexpected[:SHOWN]:
        problems.append("the clips of %s and %s fit better swapped" % (a, b))
    if len(unexpected) > SHOWN:
        problems.append("and %d more pairs fit better swapped" % (len(unexpected) - SHOWN))
    pairs = n * (n - 1) // 2
    figures = "in order %.3f, best shift %.3f (%+.1f %%), %d of %d swaps cost more (%.1f %%)" % (
        true, shifts[worst], 100 * (shifts[worst] - true) / true, pairs - len(cheaper), pairs,
        100 * (pairs - len(cheaper)) / pairs)
    return problems, figures, cheaper


def main():
    args = sys.argv[1:]
    root = args.pop(0)
    plant = None
    if "--plant" in args:
        at = args.index("--plant")
        kind, *where = args[at + 1].split(":")
        plant = (kind, *map(int, where))
        del args[at:at + 2]
    codes = args or sorted(ESPEAK)
    failed = 0
    for code in codes:
        alphabet, d, missing = costs(root, code, plant)
        if missing:
            print("FAIL %s: %s" % (code, missing))
            failed += 1
            continue
        problems, figures, cheaper = judge(code, alphabet, d)
        for p in problems:
            print("FAIL %s: %s" % (code, p))
        print("%s %s: %s" % ("FAIL" if problems else "ok", code, figures))
        failed += bool(problems)
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
