#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""Build the voice clips in resources/voice/: 26 letter names, 78 words.

    /usr/bin/python3 resources/tools/make_voice.py

Needs Debian's festival, festvox-us-slt-hts and sox. Festival's slt voice
says everything, so a child hears one speaker throughout, a little slower
than its own pace. A letter name is said at the end of "The letter B." and
cut out of it: alone, the voice clips a letter short, and the recogniser
that checks the clips (tests/voice/) hears the phrase's letters right more
often. Then, for each clip: its quiet /f/, /th/ and /h/ are lifted, its
phase spread (for the coder), it is resampled to 16 kHz, set to one speech
level with its peaks held under -3 dBFS, trimmed to at most 30 ms of
silence at each end, faded in and out over 5 ms, and stored as IMA ADPCM in
whole blocks. The script stops before a clip that fails its checks.

Running it again gives the same bytes: Festival's HTS synthesis and sox's
resampler are deterministic, and nothing after them uses dither or clocks.
"""

import collections
import itertools
import math
import os
import struct
import subprocess
import sys
import tempfile

import ima_adpcm
import voice_list

HERE = os.path.dirname(os.path.abspath(__file__))
OUT_DIR = os.path.join(HERE, os.pardir, "voice")

RATE = 16000
VOICE = "(voice_cmu_us_slt_arctic_hts)"
# A little slower than the voice's own pace: these listeners are three.
SPEED = 0.8
LETTER_CARRIER = "The letter "
# Clips said otherwise, where the recogniser that checks them heard them wrong and this right:
# stem -> (carrier, speed). Out of "The letter E." the "ee" starts low, from the "er" before it,
# near "ay"; "E." alone is clean. (Alone, or after "Letter", Festival reads "A" as the article,
# "uh".) "Egg." alone was heard as "ant" at two levels of three, out of "An egg." right at all.
REMADE = {"e": ("", SPEED), "egg": ("An ", SPEED)}

# All-pass filters change no level at any frequency, only when each arrives: they spread the
# voice's sharp pulses over a few samples, which ADPCM then follows with 10 dB less error
# (22 dB signal to coding noise without them, 32 dB with them, on the 78 words).
SPREAD = ["allpass", "500", "0.7q", "allpass", "1200", "0.7q", "allpass", "2500", "0.7q",
          "allpass", "4500", "0.7q"]

# Every clip's speech level (speech_level()), in dBFS: near the game's five sounds on the same
# measure (click -14.9, right -16.7, switch -13.5, start-up -13.7, wrong -10.4), a word after
# the right-answer chime about as loud as the chime. 2 dB more would cost the recogniser that
# checks the clips four words and letters, from the deeper limiting.
SPEECH_LEVEL = -18.0
BUDGET = 1024 * 1024       # bytes for every clip together
PEAK_LIMIT = -3.0          # dBFS, as the game's own sounds
PEAK_AIM = -3.5            # what the coder's overshoot, up to 0.3 dB, leaves below it
LIMIT_WINDOW = 0.002       # seconds the limiter looks ahead and lets go over
FRAME = RATE // 100        # 10 ms frames for the speech level
ACTIVE_RANGE = 25.0        # dB below the loudest frame that still counts as speech
SILENCE = -50.0            # dBFS: a 5 ms window quieter than this is silence
# The ends are found 2 dB above that, so that the coder's error, a few tenths of a dB in a
# quiet tail, cannot make a tail that hovers near the line count as more silence.
TRIM_AT = SILENCE + 2.0
LEAD = (0.005, 0.025)      # seconds of silence kept before the speech
TRAIL = (0.010, 0.025)     # and after it (a 5 ms window measures up to 2.5 ms more)
FADE = 0.005
WEAK = {"f", "th", "hh"}   # Festival's names for the sounds lift_weak_sounds() lifts
WEAK_FLOOR = 22.0          # dB below the speech level
WEAK_LIFT = 18.0           # dB at most
CUT_FADE = 0.010      # where a letter is cut out of its phrase


def synthesise(work, items):
    """Festival in one run: a 32 kHz wave per clip, its words' times (start, end) and its
    sounds' (name, start, end)."""
    lines = [VOICE, "(set! quillby-params hts_engine_params)",
             '(define (clip name text speed) (set! hts_engine_params (append quillby-params'
             ' (list (list "-r" speed)))) (let ((u (utt.synth (eval (list (quote Utterance)'
             ' (quote Text) text))))) (utt.save.wave u (string-append "%s/" name ".wav")'
             ' (quote riff)) (mapcar (lambda (w) (format t "WORD %%s %%s %%s\\n" name'
             ' (item.feat w "R:SylStructure.daughter1.daughter1.segment_start")'
             ' (item.feat w "R:SylStructure.daughtern.daughtern.end")))'
             ' (utt.relation.items u (quote Word))) (mapcar (lambda (s) (format t'
             ' "SOUND %%s %%s %%s %%s\\n" name (item.name s) (item.feat s "segment_start")'
             ' (item.feat s "end"))) (utt.relation.items u (quote Segment)))))' % work]
    for rid, _, text, carrier, speed in items:
        lines.append('(clip "%d" "%s" %s)' % (rid, carrier + text + ".", speed))
    script = os.path.join(work, "voice.scm")
    with open(script, "w") as f:
        f.write("\n".join(lines) + "\n")
    run = subprocess.run(["festival", "--batch", script], capture_output=True,
                         text=True, check=True)
    words, sounds = {}, {}
    for line in run.stdout.splitlines():
        if line.startswith("WORD "):
            _, rid, start, end = line.split()
            words.setdefault(int(rid), []).append((float(start), float(end)))
        elif line.startswith("SOUND "):
            _, rid, name, start, end = line.split()
            sounds.setdefault(int(rid), []).append((name, float(start), float(end)))
    return words, sounds


def cut(work, rid, start):
    """Festival's wave from `start` on, at 16 kHz, as floats."""
    raw = os.path.join(work, "%d.f32" % rid)
    # Festival's peaks come near full scale, where sox's filters would clip: 12 dB of room
    # first, given back when the level is set.
    subprocess.run(["sox", os.path.join(work, "%d.wav" % rid), "-t", "raw", "-e",
                    "floating-point", "-b", "32", raw, "trim", "%.5f" % start, "gain", "-12",
                    *SPREAD, "rate", "-v", str(RATE)], check=True)
    with open(raw, "rb") as f:
        data = f.read()
    return list(struct.unpack("<%df" % (len(data) // 4), data))


def lift_weak_sounds(s, sounds, start):
    """Lifts the quiet part of the voice's /f/, /th/ and /h/ to WEAK_FLOOR below the speech
    level, by at most WEAK_LIFT: it says them 30 dB and more under its vowels, where a
    person's are 15 to 25, so quietly that "fish" came out as "ish". Within those sounds each
    sample is lifted by what its 5 ms surroundings lack, so the end of a vowel that runs into
    one stays as it is. `sounds` are Festival's, timed from `start`."""
    out = list(s)
    floor = db(speech_level(s)) - WEAK_FLOOR
    env = envelope(s)
    ramp = round(0.010 * RATE)
    for name, t0, t1 in sounds:
        a, b = max(0, round((t0 - start) * RATE)), min(len(s), round((t1 - start) * RATE))
        if name not in WEAK or b - a < 2 * ramp:
            continue
        for i in range(a, b):
            edge = min(1.0, (i - a) / ramp, (b - 1 - i) / ramp)
            ramp_in = 0.5 - 0.5 * math.cos(math.pi * edge)
            lift = min(WEAK_LIFT, max(0.0, floor - env[i])) * ramp_in
            out[i] *= 10 ** (lift / 20)
    return out


def limit(s, ceiling):
    """Holds every peak to `ceiling` by turning the gain down smoothly round it: the least
    gain needed within LIMIT_WINDOW either side, averaged over a window as wide, never lets a
    sample through above the ceiling and never steps. Returns the samples and the deepest
    cut in dB."""
    w = round(LIMIT_WINDOW * RATE)
    need = [min(1.0, ceiling / abs(v)) if v else 1.0 for v in s]
    least, window = [], collections.deque()  # indices of rising needs: the front is the least
    for i in range(len(s) + w):
        if i < len(s):
            while window and need[window[-1]] >= need[i]:
                window.pop()
            window.append(i)
        if i >= w:
            while window[0] < i - 2 * w:
                window.popleft()
            least.append(need[window[0]])
    sums = list(itertools.accumulate(least, initial=0.0))
    half = w // 2
    gain = [(sums[min(len(s), i + half + 1)] - sums[max(0, i - half)]) /
            (min(len(s), i + half + 1) - max(0, i - half)) for i in range(len(s))]
    return [v * g for v, g in zip(s, gain)], max(0.0, -db(min(gain)))


def db(x):
    return 20 * math.log10(x) if x > 0 else -200.0


def frame_levels(s, n):
    return [math.sqrt(sum(v * v for v in s[i:i + n]) / n)
            for i in range(0, len(s) - n + 1, n)]


def speech_level(s):
    """RMS over the 10 ms frames within ACTIVE_RANGE of the loudest: the
    level of the speech itself, not of the pauses between its sounds."""
    frames = frame_levels(s, FRAME)
    floor = max(frames) * 10 ** (-ACTIVE_RANGE / 20)
    active = [f for f in frames if f >= floor]
    return math.sqrt(sum(f * f for f in active) / len(active))


def envelope(s):
    """5 ms RMS around every sample, in dBFS."""
    half = RATE // 400
    sq = [0.0]
    for v in s:
        sq.append(sq[-1] + v * v)
    out = []
    for i in range(len(s)):
        lo, hi = max(0, i - half), min(len(s), i + half + 1)
        out.append(db(math.sqrt((sq[hi] - sq[lo]) / (hi - lo))))
    return out


def silent_ends(s, threshold=SILENCE):
    """Seconds of silence before the first and after the last sound."""
    env = envelope(s)
    loud = [i for i, e in enumerate(env) if e > threshold]
    if not loud:
        return len(s) / RATE, len(s) / RATE
    return loud[0] / RATE, (len(s) - 1 - loud[-1]) / RATE


def trim(s, threshold=TRIM_AT):
    """Keep LEAD and TRAIL seconds round the sound (what rises above `threshold`),
    choosing them within their ranges so the clip fills whole ADPCM blocks: no
    player then plays padding, whether or not it reads the `fact` chunk."""
    lead_s, trail_s = silent_ends(s, threshold)
    first = round(lead_s * RATE)
    body = len(s) - round(trail_s * RATE) - first
    lead_lo, lead_hi = (round(x * RATE) for x in LEAD)
    trail_lo, trail_hi = (round(x * RATE) for x in TRAIL)
    extra = next(e for e in range(lead_lo + trail_lo, lead_hi + trail_hi + 1)
                 if (body + e) % ima_adpcm.SAMPLES_PER_BLOCK == 0)
    lead = max(lead_lo, extra - trail_hi)
    padded = [0.0] * lead + s + [0.0] * extra
    return padded[first:first + lead + body + extra - lead]


def fade(s, seconds_in, seconds_out):
    """Raised-cosine fades, so neither end clicks."""
    out = list(s)
    for seconds, ends in ((seconds_in, range(len(out))),
                          (seconds_out, range(len(out) - 1, -1, -1))):
        n = round(seconds * RATE)
        for k, i in zip(range(n), ends):
            out[i] *= 0.5 - 0.5 * math.cos(math.pi * k / n)
    return out


def measure(blob):
    """What a listener would notice, measured on what the decoder gives."""
    rate, pcm = ima_adpcm.read_wave(blob)
    s = [v / 32768 for v in pcm]
    lead, trail = silent_ends(s)
    return {
        "ms": 1000 * len(s) / rate,
        "peak": db(max(abs(v) for v in s)),
        "level": db(speech_level(s)),
        "lead": 1000 * lead,
        "trail": 1000 * trail,
        "clipped": sum(1 for v in pcm if v in (-32768, 32767)),
        "bytes": len(blob),
    }


def check(name, m):
    problems = []
    if m["peak"] > PEAK_LIMIT:
        problems.append("peak %.2f dBFS" % m["peak"])
    if m["lead"] > 30 or m["trail"] > 30:
        problems.append("%.0f/%.0f ms of silence" % (m["lead"], m["trail"]))
    if m["clipped"]:
        problems.append("%d clipped samples" % m["clipped"])
    if problems:
        sys.exit("%s: %s" % (name, "; ".join(problems)))


def plan():
    """(id, stem, text, carrier, speed) of every clip."""
    out = []
    for rid, stem, text in voice_list.clips():
        carrier = LETTER_CARRIER if rid < voice_list.LETTER_BASE + 26 else ""
        carrier, speed = REMADE.get(stem, (carrier, SPEED))
        out.append((rid, stem, text, carrier, speed))
    return out


def main():
    items = plan()
    os.makedirs(OUT_DIR, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        words, said = synthesise(work, items)
        sounds = {}
        for rid, _, _, carrier, _ in items:
            # What is said ends the phrase: from its first word's first sound to the end.
            start = words[rid][len(carrier.split())][0]
            s = lift_weak_sounds(cut(work, rid, start), said[rid], start)
            sounds[rid] = fade(s, CUT_FADE, 0)
    print("%-5s %-15s %7s %8s %8s %8s %6s %6s %5s %6s" % (
        "id", "clip", "ms", "peak dB", "level dB", "limit dB", "lead", "trail", "clip", "bytes"))
    total = 0
    for rid, stem, *_ in items:
        s = sounds[rid]
        gain = 10 ** ((SPEECH_LEVEL - db(speech_level(s))) / 20)
        s, cut_db = limit([v * gain for v in s], 10 ** (PEAK_AIM / 20))
        s = fade(trim(s), FADE, FADE)
        pcm = [max(-32768, min(32767, round(v * 32768))) for v in s]
        blob = ima_adpcm.wave_bytes(RATE, pcm)
        name = "%d_%s.wav" % (rid, stem)
        with open(os.path.join(OUT_DIR, name), "wb") as f:
            f.write(blob)
        m = measure(blob)
        total += m["bytes"]
        print("%-5d %-15s %7.1f %8.2f %8.2f %8.2f %6.1f %6.1f %5d %6d" % (
            rid, stem, m["ms"], m["peak"], m["level"], cut_db, m["lead"], m["trail"],
            m["clipped"], m["bytes"]))
        check(name, m)
    print("%d clips, %d bytes" % (len(items), total))
    if total > BUDGET:
        sys.exit("the clips take %d bytes, over the budget of %d" % (total, BUDGET))


if __name__ == "__main__":
    main()
