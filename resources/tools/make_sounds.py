#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""Build the five game sounds in resources/sounds/ from plain synthesis.

    /usr/bin/python3 resources/tools/make_sounds.py

Every sound is sines with envelopes, summed. Each one is faded in and out
to exact silence, has its DC removed and is scaled so its loudest sample
sits at -3 dBFS: loud enough for a small speaker, never clipped, never a
jolt for small ears. The sample count of each sound is fixed (the player
allocates from it), so lengths are given in samples, not seconds.

Running it twice gives the same bytes: no clocks, no randomness.
"""

import math
import os
import sys

import sound_wav

PEAK = 10 ** (-3 / 20)   # -3 dBFS, about 0.708 of full scale

HERE = os.path.dirname(os.path.abspath(__file__))
OUT_DIR = os.path.join(HERE, os.pardir, "sounds")


def midi(note):
    """Equal-tempered frequency of a MIDI note number (69 = A4 = 440 Hz)."""
    return 440.0 * 2 ** ((note - 69) / 12)


C4, E4, G4, C5, D5, E5, G5, A5, C6 = 60, 64, 67, 72, 74, 76, 79, 81, 84
E7, G7, C8 = 100, 103, 108


def add_note(buf, rate, start, freq, partials, tau, attack=0.004,
             glide_to=None, glide_time=None):
    """Mix a decaying additive tone into buf, starting at `start` seconds.

    partials: (frequency ratio, amplitude, decay factor). Upper partials
    get a faster decay so a note starts bright and mellows, which is what
    makes bells and music boxes sound friendly rather than buzzy.
    glide_to bends the pitch exponentially to that frequency over
    glide_time seconds; it is how the blips get their up or down feel.
    """
    first = int(round(start * rate))
    phases = [0.0] * len(partials)
    for i in range(first, len(buf)):
        t = (i - first) / rate
        f = freq
        if glide_to is not None:
            k = min(1.0, t / glide_time)
            f = freq * (glide_to / freq) ** k
        env = math.exp(-t / tau)
        if t < attack:
            env *= 0.5 - 0.5 * math.cos(math.pi * t / attack)
        elif env < 1e-5:
            break
        value = 0.0
        for j, (ratio, amp, decay) in enumerate(partials):
            fj = f * ratio
            if fj < rate / 2:   # an upper partial past Nyquist would alias
                value += amp * math.exp(-t * (decay - 1) / tau) \
                    * math.sin(phases[j])
            phases[j] += 2 * math.pi * fj / rate
        buf[i] += env * value


def finish(buf, rate, fade_in, fade_out):
    """Fade both ends to zero, remove DC, scale the peak to PEAK.

    The DC is taken out in proportion to the fade window rather than as a
    flat offset, so the first and last samples stay at exact silence.
    """
    n = len(buf)
    n_in = max(1, int(fade_in * rate))
    n_out = max(1, int(fade_out * rate))
    window = []
    for i in range(n):
        w = 1.0
        if i < n_in:
            w = 0.5 - 0.5 * math.cos(math.pi * i / n_in)
        tail = n - 1 - i
        if tail < n_out:
            w *= 0.5 - 0.5 * math.cos(math.pi * tail / n_out)
        window.append(w)
    out = [s * w for s, w in zip(buf, window)]
    offset = sum(out) / sum(window)
    out = [s - offset * w for s, w in zip(out, window)]
    scale = PEAK / max(abs(s) for s in out)
    return [s * scale for s in out]


# Timbres: (ratio, amplitude, decay factor).
BELL = [(1, 1.0, 1), (2, 0.35, 2), (3, 0.12, 3), (4.2, 0.10, 6)]
MUSIC_BOX = [(1, 1.0, 1), (2, 0.25, 2), (3, 0.10, 3)]
GLINT = [(1, 1.0, 1), (2.76, 0.3, 2)]


def click(rate, n):
    """A soft wooden tick: one short damped tone with a faint overtone."""
    buf = [0.0] * n
    add_note(buf, rate, 0.0, 1200.0, [(1, 1.0, 1), (2.6, 0.3, 2)],
             tau=0.005, attack=0.0012)
    return finish(buf, rate, fade_in=0.001, fade_out=0.004)


def right(rate, n):
    """C-E-G-C rising on bell tones, a few high glints, then ringing out."""
    buf = [0.0] * n
    for k, note in enumerate((C5, E5, G5)):
        add_note(buf, rate, 0.11 * k, midi(note), BELL, tau=0.45)
    add_note(buf, rate, 0.33, midi(C6), BELL, tau=0.6)
    # The sparkle: quiet, quick and high, after the last note has landed.
    for k, note in enumerate((E7, G7, C8, G7)):
        add_note(buf, rate, 0.48 + 0.09 * k, midi(note),
                 [(r, a * 0.12, d) for r, a, d in GLINT], tau=0.07)
    return finish(buf, rate, fade_in=0.002, fade_out=0.3)


def switch(rate, n):
    """A bright upward blip: the pitch leaps an octave in 35 ms."""
    buf = [0.0] * n
    add_note(buf, rate, 0.0, 990.0, [(1, 1.0, 1), (2, 0.25, 2), (3, 0.12, 3)],
             tau=0.03, attack=0.002, glide_to=1980.0, glide_time=0.035)
    return finish(buf, rate, fade_in=0.002, fade_out=0.012)


def startup(rate, n):
    """A bouncy pickup into a C major phrase that lands on a held chord."""
    buf = [0.0] * n
    beat = 0.14
    for k, note in enumerate((G4, C5, E5, G5, E5, G5)):
        add_note(buf, rate, beat * k, midi(note), MUSIC_BOX, tau=0.18)
    landing = beat * 6
    add_note(buf, rate, landing, midi(C6), MUSIC_BOX, tau=0.5)
    for note in (C5, E5, G5):
        add_note(buf, rate, landing, midi(note),
                 [(r, a * 0.3, d) for r, a, d in MUSIC_BOX], tau=0.45,
                 attack=0.02)
    return finish(buf, rate, fade_in=0.002, fade_out=0.25)


def wrong(rate, n):
    """A soft low boop sliding down: says "not that one" without a buzz."""
    buf = [0.0] * n
    add_note(buf, rate, 0.0, 330.0, [(1, 1.0, 1), (2, 0.3, 2), (3, 0.1, 3)],
             tau=0.06, attack=0.008, glide_to=196.0, glide_time=0.06)
    return finish(buf, rate, fade_in=0.002, fade_out=0.018)


# name, builder, rate, bits, data bytes, LIST/INFO title, INFO before data
SOUNDS = [
    ("click", click, 11025, 16, 514, None, True),
    ("right", right, 22050, 8, 37251, "Right answer", True),
    ("switch", switch, 22050, 16, 3724, None, True),
    ("startup", startup, 11025, 8, 18996, "Start-up tune", False),
    ("wrong", wrong, 22050, 8, 1576, None, True),
]


def check(name, m, data_bytes):
    """Fail the build on anything a child or the player would notice."""
    problems = []
    if m["data_bytes"] != data_bytes:
        problems.append("data is %d bytes, want %d"
                        % (m["data_bytes"], data_bytes))
    if not -4.0 <= m["peak_db"] <= -2.5:
        problems.append("peak %.2f dBFS outside -4..-2.5" % m["peak_db"])
    if abs(m["first"]) > 0.01 or abs(m["last"]) > 0.01:
        problems.append("does not start and end at silence")
    if abs(m["dc"]) > 0.002:
        problems.append("DC offset %.4f" % m["dc"])
    if problems:
        sys.exit("%s.wav: %s" % (name, "; ".join(problems)))


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    print("%-8s %6s %4s %6s %7s %8s %8s %8s %7s %7s  %s" % (
        "sound", "rate", "bits", "data", "ms", "peak dB", "rms dB", "DC",
        "first", "last", "chunks"))
    for name, build, rate, bits, data_bytes, title, before in SOUNDS:
        samples = build(rate, data_bytes // (bits // 8))
        data = sound_wav.quantise(samples, bits)
        blob = sound_wav.wave_bytes(rate, bits, data, title, before)
        with open(os.path.join(OUT_DIR, name + ".wav"), "wb") as f:
            f.write(blob)
        m = sound_wav.measure(blob)
        print("%-8s %6d %4d %6d %7.1f %8.2f %8.2f %8.5f %7.4f %7.4f  %s" % (
            name, m["rate"], m["bits"], m["data_bytes"], m["seconds"] * 1000,
            m["peak_db"], m["rms_db"], m["dc"], m["first"], m["last"],
            " ".join(m["chunks"])))
        check(name, m, data_bytes)


if __name__ == "__main__":
    main()
