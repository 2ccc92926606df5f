# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""RIFF WAVE writing, reading back and measuring for make_sounds.py.

Standard library only, so the sounds can be rebuilt on any machine with a
Python 3.
"""

import math
import struct

# What the title in a LIST/INFO chunk may hold next to the name.
INFO_COPYRIGHT = "Quillby project; synthesised by its own script"
INFO_SOFTWARE = "Quillby resources/tools/make_sounds.py"


def _chunk(tag, payload):
    """A RIFF chunk: tag, size, payload, and a pad byte when the size is odd.

    The size field holds the unpadded length; the pad byte still belongs to
    the file and counts in the RIFF size of the enclosing chunk.
    """
    out = tag + struct.pack("<I", len(payload)) + payload
    if len(payload) % 2:
        out += b"\x00"
    return out


def info_chunk(title):
    """A LIST chunk of type INFO with a title, copyright note and tool name.

    Each text is NUL-terminated, so some sub-chunks come out with odd sizes
    and carry their own pad byte: a reader has to honour padding inside the
    list as well as outside it.
    """
    body = b"INFO"
    for tag, text in ((b"INAM", title), (b"ICOP", INFO_COPYRIGHT),
                      (b"ISFT", INFO_SOFTWARE)):
        body += _chunk(tag, text.encode("ascii") + b"\x00")
    return _chunk(b"LIST", body)


def quantise(samples, bits):
    """Float samples in [-1, 1) to PCM bytes: 8-bit unsigned or 16-bit signed.

    Plain rounding keeps the output deterministic; every sound here fades to
    exact silence, so there is no low-level tail for dither to help with.
    """
    if bits == 8:
        return bytes(max(0, min(255, 128 + round(s * 128))) for s in samples)
    if bits == 16:
        return struct.pack("<%dh" % len(samples),
                           *(max(-32768, min(32767, round(s * 32768)))
                             for s in samples))
    raise ValueError("only 8- and 16-bit PCM")


def wave_bytes(rate, bits, data, title=None, info_before_data=True):
    """A whole mono PCM WAVE file; title adds a LIST/INFO chunk."""
    block = bits // 8
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate * block, block, bits)
    chunks = [_chunk(b"fmt ", fmt)]
    data_chunk = _chunk(b"data", data)
    if title is None:
        chunks.append(data_chunk)
    elif info_before_data:
        chunks += [info_chunk(title), data_chunk]
    else:
        chunks += [data_chunk, info_chunk(title)]
    body = b"WAVE" + b"".join(chunks)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def read_wave(blob):
    """Parse a WAVE file the way a strict player would.

    Returns (rate, bits, data bytes, chunk tags in order). Walks every chunk
    by its size and pad byte rather than trusting fixed offsets, so a wrong
    size anywhere shows up as a parse error here.
    """
    if blob[:4] != b"RIFF" or blob[8:12] != b"WAVE":
        raise ValueError("not a RIFF WAVE file")
    riff_size = struct.unpack_from("<I", blob, 4)[0]
    if riff_size + 8 != len(blob):
        raise ValueError("RIFF size %d does not match file length %d"
                         % (riff_size, len(blob)))
    pos, tags, fmt, data = 12, [], None, None
    while pos < len(blob):
        tag = blob[pos:pos + 4]
        size = struct.unpack_from("<I", blob, pos + 4)[0]
        payload = blob[pos + 8:pos + 8 + size]
        if len(payload) != size:
            raise ValueError("chunk %r runs past the end" % tag)
        tags.append(tag.decode("ascii"))
        if tag == b"fmt ":
            fmt = struct.unpack("<HHIIHH", payload)
        elif tag == b"data":
            data = payload
        pos += 8 + size + (size & 1)
    if pos != len(blob):
        raise ValueError("trailing bytes after the last chunk")
    if fmt is None or data is None:
        raise ValueError("missing fmt or data chunk")
    audio_format, channels, rate, byte_rate, block, bits = fmt
    if (audio_format, channels) != (1, 1) or block != bits // 8 \
            or byte_rate != rate * block:
        raise ValueError("not mono PCM: %r" % (fmt,))
    return rate, bits, data, tags


def levels(data, bits):
    """PCM bytes back to floats with the same full scale as quantise()."""
    if bits == 8:
        return [(b - 128) / 128 for b in data]
    count = len(data) // 2
    return [v / 32768 for v in struct.unpack("<%dh" % count, data)]


def db(value):
    return 20 * math.log10(value) if value > 0 else float("-inf")


def measure(blob):
    """The figures printed per sound: format, length and levels."""
    rate, bits, data, tags = read_wave(blob)
    s = levels(data, bits)
    peak = max(abs(v) for v in s)
    rms = math.sqrt(sum(v * v for v in s) / len(s))
    return {
        "rate": rate,
        "bits": bits,
        "data_bytes": len(data),
        "file_bytes": len(blob),
        "seconds": len(s) / rate,
        "peak_db": db(peak),
        "rms_db": db(rms),
        "dc": sum(s) / len(s),
        "first": s[0],
        "last": s[-1],
        "chunks": tags,
    }
