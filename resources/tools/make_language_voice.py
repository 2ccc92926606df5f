#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""Build a language's voice clips in resources/voice/<code>/ and the list of where each came from,
resources/languages/<code>/voice.tsv:

    /usr/bin/python3 resources/tools/make_language_voice.py [CODE ...]   # every language by default
    /usr/bin/python3 resources/tools/make_language_voice.py --check      # rebuild, compare, write nothing

A language's voice is the `voice` line of its language.txt:
  klettres <folder>        human recordings of the letter names from Debian's klettres-data (the
                           file each letter's entry in <folder>/sounds.xml names); no words
  festival <voice>         Festival says each letter's name (letter_names.tsv) and each word
Needs sox, and klettres-data or festival with that voice. Every clip is brought to the English
clips' speech level and peak, 16 kHz mono, trimmed and faded as make_voice.py does, and stored as
IMA ADPCM; the language's block of resources.rc names them. voice.tsv holds, per clip, its resource number, file, source and the SHA-256 of its
decoded samples, so that a test can rebuild every clip and see that it is the one its source says.
Running it again gives the same bytes: Vorbis decoding, Festival's diphones and sox's resampler are
deterministic.
"""
import hashlib
import os
import re
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

import ima_adpcm
import language_data
import make_voice
from make_voice import RATE, db, speech_level

KLETTRES = "/usr/share/klettres"
VOICES = os.path.join(language_data.RESOURCES, "voice")
HUMAN_HIGHPASS = "60"   # Hz: below the lowest voice, above the rumble of a room and a microphone stand
# Festival's Italian slower than its own pace, as the English voice is: listeners are three. Its
# letter names are short syllables ("bi" has an "i" of 60 ms; a vowel alone, "e", is read as the
# word "and", unstressed): the last stressed vowel of a letter's name, or its last vowel, is held
# for at least LETTER_VOWEL.
STRETCH = 1.3
LETTER_VOWEL = 0.25
# Festival's own steps of synthesis, with the vowel's duration set between them.
SAY = """(define (quillby-say text vowel file)
  (let ((u (eval (list 'Utterance 'Text text))) (t 0) (last nil) (vowel-at nil))
    (Initialize u) (Text u) (Token_POS u) (Token u) (POS u) (Phrasify u) (Word u) (Pauses u)
    (Intonation u) (PostLex u) (Duration u)
    (let ((segs (utt.relation.items u 'Segment)))
      (mapcar (lambda (s) (if (string-matches (item.name s) "[aeiouAEIOU].*") (set! vowel-at s))
                          (if (string-matches (item.name s) ".*1") (set! last s))) segs)
      (if (not last) (set! last vowel-at))
      (mapcar (lambda (s d)
                (if (and (equal? s last) (< d vowel)) (set! d vowel))
                (set! t (+ t d))
                (item.set_feat s "end" t))
              segs (mapcar (lambda (s) (item.feat s "segment_duration")) segs)))
    (Int_Targets u) (Wave_Synth u) (utt.save.wave u file 'riff)))"""
NOISE_MARGIN = 12.0     # dB over a recording's own hiss where its speech is taken to start and end
# A person's consonants start sharper than Festival's English: the coder overshoots them by up to
# 0.7 dB, so they aim half a dB lower to stay under the game's -3 dBFS.
PEAK_AIM = make_voice.PEAK_AIM - 0.5


def letter_id(index):
    return 1400 + index


def samples_hash(blob):
    _, pcm = ima_adpcm.read_wave(blob)
    return hashlib.sha256(struct.pack("<%dh" % len(pcm), *pcm)).hexdigest()


def voice_of(code):
    with open(os.path.join(language_data.LANGUAGES, code, "language.txt"), encoding="utf-8") as f:
        fields = dict(line.rstrip("\n").split("\t", 1) for line in f if line.strip())
    kind, _, rest = fields.get("voice", "").partition(" ")
    return kind, rest


def klettres_files(folder):
    """{capital: file under KLETTRES} from the alphabet of the folder's sounds.xml."""
    tree = ElementTree.parse(os.path.join(KLETTRES, folder, "sounds.xml"))
    return {s.get("name"): s.get("file") for s in tree.iter("sound")
            if "/alpha/" in (s.get("file") or "")}


def letter_names(code):
    """{capital: what the synthesiser says} from the language's letter_names.tsv."""
    with open(os.path.join(language_data.LANGUAGES, code, "letter_names.tsv"), encoding="utf-8") as f:
        return dict(line.rstrip("\n").split("\t", 1) for line in f.read().splitlines()[1:] if line)


def plan(code):
    """[(id, stem, source, (kind, what))] of every clip the language's voice says."""
    language = language_data.read_language(code)
    kind, rest = voice_of(code)
    items = []
    if kind == "klettres":
        files = klettres_files(rest)
        for i, letter in enumerate(language["alphabet"]):
            if letter not in files:
                sys.exit("%s: %s/sounds.xml has no recording of %s" % (code, rest, letter))
            items.append((letter_id(i), "letter_" + language_data.ascii_word(letter),
                          "klettres-data %s" % files[letter], ("file", files[letter])))
    elif kind == "festival":
        names = letter_names(code)
        for i, letter in enumerate(language["alphabet"]):
            items.append((letter_id(i), "letter_" + language_data.ascii_word(letter),
                          'festival %s "%s"' % (rest, names[letter]), ("say", names[letter])))
        for row in language["rows"]:
            items.append((row["id"] + 1000, language_data.ascii_word(row["word"]),
                          'festival %s "%s"' % (rest, row["word"]), ("say", row["word"])))
    else:
        sys.exit("%s/language.txt: no voice line (klettres <folder> or festival <voice>)" % code)
    return items, rest


def floats(raw):
    with open(raw, "rb") as f:
        data = f.read()
    return list(struct.unpack("<%df" % (len(data) // 4), data))


def decode_recording(work, path, rid):
    """A recording as 16 kHz mono floats, 12 dB down for sox's filters' room."""
    raw = os.path.join(work, "%d.f32" % rid)
    subprocess.run(["sox", path, "-t", "raw", "-e", "floating-point", "-b", "32", raw, "remix", "-",
                    "gain", "-12", "highpass", HUMAN_HIGHPASS, "rate", "-v", str(RATE)], check=True)
    return floats(raw)


def synthesise(work, voice, items):
    """Festival in one run: {id: 16 kHz floats}."""
    lines = ["(%s)" % voice, "(Parameter.set 'Duration_Stretch %s)" % STRETCH, SAY]
    for rid, _, _, (_, text) in items:
        vowel = LETTER_VOWEL if rid < 1500 else 0
        lines.append('(quillby-say "%s" %s "%s/%d.wav")' % (text, vowel, work, rid))
    script = os.path.join(work, "voice.scm")
    with open(script, "w", encoding="latin-1") as f:  # Festival reads its scripts byte by byte
        f.write("\n".join(lines) + "\n")
    subprocess.run(["festival", "--batch", script], check=True, capture_output=True)
    out = {}
    for rid, *_ in items:
        raw = os.path.join(work, "%d.f32" % rid)
        subprocess.run(["sox", os.path.join(work, "%d.wav" % rid), "-t", "raw", "-e", "floating-point",
                        "-b", "32", raw, "gain", "-12", *make_voice.SPREAD, "rate", "-v", str(RATE)],
                       check=True)
        out[rid] = floats(raw)
    return out


def hiss(s):
    """A recording's own noise: the quietest tenth of its 5 ms envelope, in dBFS."""
    env = sorted(make_voice.envelope(s))
    return env[len(env) // 10]


def finish(s, aim=PEAK_AIM):
    """make_voice.py's level, limit, trim and fades, coded: the clip's wave bytes. Where the coder
    still overshoots the game's peak, the limiter aims lower by as much and codes it again."""
    gain = 10 ** ((make_voice.SPEECH_LEVEL - db(speech_level(s))) / 20)
    limited, _ = make_voice.limit([v * gain for v in s], 10 ** (aim / 20))
    threshold = max(make_voice.TRIM_AT, hiss(limited) + NOISE_MARGIN)
    faded = make_voice.fade(make_voice.trim(limited, threshold), make_voice.FADE, make_voice.FADE)
    blob = ima_adpcm.wave_bytes(RATE, [max(-32768, min(32767, round(v * 32768))) for v in faded])
    over = make_voice.measure(blob)["peak"] - make_voice.PEAK_LIMIT
    if over > 0 and aim > make_voice.PEAK_LIMIT - 6:
        return finish(s, aim - over - 0.1)
    return blob


def build(code, work):
    """[(id, file name, source, wave bytes)] of the language's clips."""
    items, rest = plan(code)
    if items[0][3][0] == "say":
        said = synthesise(work, rest, items)
    else:
        said = {rid: decode_recording(work, os.path.join(KLETTRES, what), rid)
                for rid, _, _, (_, what) in items}
    return [(rid, "%d_%s.wav" % (rid, stem), source, finish(said[rid]))
            for rid, stem, source, _ in items]


def table_text(clips):
    lines = ["id\tfile\tsource\tsamples sha256"]
    lines += ["%d\t%s\t%s\t%s" % (rid, name, source, samples_hash(blob)) for rid, name, source, blob in clips]
    return "\n".join(lines) + "\n"


def main(argv):
    check = "--check" in argv
    codes = [a for a in argv if not a.startswith("--")] or language_data.codes()
    wrong = 0
    for code in codes:
        with tempfile.TemporaryDirectory() as work:
            clips = build(code, work)
        table = os.path.join(language_data.LANGUAGES, code, "voice.tsv")
        if check:
            with open(table, encoding="utf-8") as f:
                recorded = set(f.read().splitlines())
            rebuilt = set(table_text(clips).splitlines())
            for line in sorted(rebuilt - recorded):
                print("%s: rebuilt from its source, %s is not what voice.tsv records" % (code, line.split("\t")[1]))
            for line in sorted(recorded - rebuilt):
                print("%s: voice.tsv records %s, which its source no longer makes" % (code, line.split("\t")[1]))
            wrong += recorded != rebuilt
            print("%s: %d clips rebuilt, %s" % (code, len(clips), "all as recorded" if recorded == rebuilt else "some differ"))
            continue
        folder = os.path.join(VOICES, code)
        os.makedirs(folder, exist_ok=True)
        for old in os.listdir(folder):
            if re.fullmatch(r"\d+_.*\.wav", old):
                os.remove(os.path.join(folder, old))
        total = 0
        for rid, name, source, blob in clips:
            with open(os.path.join(folder, name), "wb") as f:
                f.write(blob)
            m = make_voice.measure(blob)
            total += m["bytes"]
            print("%-3s %-5d %-24s %7.1f ms %7.2f pk %7.2f lvl %5.1f/%5.1f ms" % (
                code, rid, name, m["ms"], m["peak"], m["level"], m["lead"], m["trail"]))
            if m["peak"] > make_voice.PEAK_LIMIT or m["clipped"]:
                sys.exit("%s: peak %.2f dBFS, %d clipped samples" % (name, m["peak"], m["clipped"]))
        with open(table, "w", encoding="utf-8") as f:
            f.write(table_text(clips))
        with open(language_data.SCRIPT, encoding="utf-8") as f:
            script = f.read()
        with open(language_data.SCRIPT, "w", encoding="utf-8") as f:
            f.write(language_data.with_block(script, language_data.read_language(code)))
        print("%s: %d clips, %d bytes" % (code, len(clips), total))
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
