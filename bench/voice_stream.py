# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""What a person would have heard: the stream SDL's disk audio driver wrote (32-bit float, two
channels at 48 kHz), read against the sounds the headless run of the same taps names in order.

    voice_stream.py STREAM.raw LOG RESOURCES.rc

Each sound is found in order, at the first sample above -40 dBFS after the one before has
ended, less the sound's own quiet start (taken from its file, through sox). One line a sound:
where it starts, how long after the one before ended, its peak and its loudness (RMS over the
sound, dBFS), and "over" when the last 20 ms of the sound before were louder in the stream than
in its file (by 3 dB or more): something played over them."""
import array
import math
import re
import subprocess
import sys
from pathlib import Path

RATE = 48000
AUDIBLE = 0.01  # -40 dBFS


def samples(path):
    """A sound file's samples, mono floats at its own rate, and that rate."""
    rate = int(subprocess.run(["soxi", "-r", path], capture_output=True, text=True, check=True).stdout)
    raw = subprocess.run(["sox", path, "-t", "raw", "-e", "float", "-b", "32", "-c", "1", "-"],
                         capture_output=True, check=True).stdout
    out = array.array("f")
    out.frombytes(raw)
    return out, rate


def sound_files(script):
    """Each WAVE resource's file, by number."""
    files = {}
    for line in Path(script).read_text().splitlines():
        m = re.match(r'\s*(\d+)\s+WAVE\s+"([^"]+)"', line)
        if m:
            files[int(m.group(1))] = str(Path(script).parent / m.group(2))
    return files


def rms_of(part):
    return math.sqrt(sum(s * s for s in part) / len(part)) if len(part) else 0.0


def db(x):
    return 20 * math.log10(x) if x > 0 else -math.inf


def main(stream, log, script):
    data = array.array("f")
    data.frombytes(Path(stream).read_bytes())
    left = data[0::2]
    files = sound_files(script)
    ids = [int(m.group(1)) for m in re.finditer(r"^\d+ sound (\d+)$", Path(log).read_text(), re.M)]
    at = 0  # where the last sound ended, in stream frames
    previous_end = None
    for sound in ids:
        own, rate = samples(files[sound])
        lead = next((i for i, s in enumerate(own) if abs(s) > AUDIBLE), 0) * RATE / rate
        length = len(own) * RATE / rate
        onset = next((i for i in range(int(at), len(left)) if abs(left[i]) > AUDIBLE), None)
        if onset is None:
            print(f"{sound}: not heard")
            return 1
        start = onset - lead
        end = start + length
        part = left[max(0, int(start)):int(end)]
        peak = max(abs(s) for s in part)
        rms = rms_of(part)
        gap = "" if previous_end is None else f"{(start - previous_end) * 1000 / RATE:8.1f} ms after"
        over = ""
        if previous_end is not None:
            tail = int(0.02 * RATE)
            heard = left[max(0, int(previous_end) - tail):int(previous_end)]
            meant = previous[-int(0.02 * previous_rate):]
            if db(rms_of(heard)) > db(rms_of(meant)) + 3:
                over = "  over the sound before"
        print(f"{sound:6d} at {start * 1000 / RATE:8.1f} ms {gap:>17}  peak {db(peak):6.1f} dBFS"
              f"  RMS {db(rms):6.1f} dBFS{over}")
        previous, previous_rate = own, rate
        # The next is looked for 2 ms after this one's last audible sample, which the device's
        # resampling smears by a few samples.
        last = max((i for i, s in enumerate(own) if abs(s) > AUDIBLE), default=0) * RATE / rate
        at = start + last + 0.002 * RATE
        previous_end = end
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
