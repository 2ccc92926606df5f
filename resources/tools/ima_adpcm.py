# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""IMA ADPCM in Microsoft's WAVE layout (format tag 0x11), mono.

A block is a 4-byte header (the first sample as a signed 16-bit number, the
step index, a zero byte) and then two samples a byte, the low nibble first.
Windows plays such files through its own codec, so the voice needs nothing
new from the system. Standard library only.
"""

import struct

STEPS = [
    7, 8, 9, 10, 11, 12, 13, 14, 16, 17, 19, 21, 23, 25, 28, 31, 34, 37, 41,
    45, 50, 55, 60, 66, 73, 80, 88, 97, 107, 118, 130, 143, 157, 173, 190, 209,
    230, 253, 279, 307, 337, 371, 408, 449, 494, 544, 598, 658, 724, 796, 876,
    963, 1060, 1166, 1282, 1411, 1552, 1707, 1878, 2066, 2272, 2499, 2749,
    3024, 3327, 3660, 4026, 4428, 4871, 5358, 5894, 6484, 7132, 7845, 8630,
    9493, 10442, 11487, 12635, 13899, 15289, 16818, 18500, 20350, 22385,
    24623, 27086, 29794, 32767]
INDEX_CHANGE = [-1, -1, -1, -1, 2, 4, 6, 8]

BLOCK_ALIGN = 256                           # Windows' choice up to 11 kHz x 2
SAMPLES_PER_BLOCK = (BLOCK_ALIGN - 4) * 2 + 1


def _step(predictor, index, nibble):
    """One decoder step, exactly as Windows' codec computes it."""
    step = STEPS[index]
    diff = step >> 3
    if nibble & 4:
        diff += step
    if nibble & 2:
        diff += step >> 1
    if nibble & 1:
        diff += step >> 2
    predictor = predictor - diff if nibble & 8 else predictor + diff
    predictor = max(-32768, min(32767, predictor))
    index = max(0, min(88, index + INDEX_CHANGE[nibble & 7]))
    return predictor, index


# DIFFS[index][n]: how far nibble n (without its sign bit) moves the predictor.
DIFFS = [[(s >> 3) + (s if n & 4 else 0) + (s >> 1 if n & 2 else 0) +
          (s >> 2 if n & 1 else 0) for n in range(8)] for s in STEPS]


def encode(samples):
    """16-bit samples to whole blocks; the last block is padded with its own
    last value, and the caller's `fact` chunk says how many samples count.

    Each nibble is the one of the sixteen whose decoded value lands nearest
    the sample, so the encoder follows the decoder's output, not an estimate
    of it, and the two never drift apart.
    """
    blocks = []
    index = 0
    for first in range(0, len(samples), SAMPLES_PER_BLOCK):
        chunk = list(samples[first:first + SAMPLES_PER_BLOCK])
        chunk += [chunk[-1]] * (SAMPLES_PER_BLOCK - len(chunk))
        predictor = chunk[0]
        out = bytearray(struct.pack("<hBB", predictor, index, 0))
        nibbles = []
        for s in chunk[1:]:
            best, best_error, diffs = 0, None, DIFFS[index]
            for n in range(16):
                v = predictor - diffs[n & 7] if n & 8 else predictor + diffs[n & 7]
                v = -32768 if v < -32768 else 32767 if v > 32767 else v
                if best_error is None or abs(s - v) < best_error:
                    best, best_error = n, abs(s - v)
            predictor, index = _step(predictor, index, best)
            nibbles.append(best)
        for k in range(0, len(nibbles), 2):
            out.append(nibbles[k] | nibbles[k + 1] << 4)
        blocks.append(bytes(out))
    return b"".join(blocks)


def decode(data, count):
    """Whole blocks back to `count` 16-bit samples."""
    out = []
    for at in range(0, len(data), BLOCK_ALIGN):
        block = data[at:at + BLOCK_ALIGN]
        predictor, index, _ = struct.unpack_from("<hBB", block)
        out.append(predictor)
        for byte in block[4:]:
            for nibble in (byte & 15, byte >> 4):
                predictor, index = _step(predictor, index, nibble)
                out.append(predictor)
    return out[:count]


def _chunk(tag, payload):
    out = tag + struct.pack("<I", len(payload)) + payload
    return out + b"\x00" if len(payload) % 2 else out


def wave_bytes(rate, samples):
    """A whole mono IMA ADPCM WAVE file: fmt (20 bytes), fact, data."""
    data = encode(samples)
    byte_rate = rate * BLOCK_ALIGN // SAMPLES_PER_BLOCK
    fmt = struct.pack("<HHIIHHHH", 0x11, 1, rate, byte_rate, BLOCK_ALIGN, 4, 2,
                      SAMPLES_PER_BLOCK)
    body = b"WAVE" + _chunk(b"fmt ", fmt) + \
        _chunk(b"fact", struct.pack("<I", len(samples))) + _chunk(b"data", data)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def read_wave(blob):
    """(rate, samples) of a file wave_bytes() wrote; refuses anything else."""
    if blob[:4] != b"RIFF" or blob[8:12] != b"WAVE" or \
            struct.unpack_from("<I", blob, 4)[0] + 8 != len(blob):
        raise ValueError("not a whole RIFF WAVE file")
    chunks, pos = {}, 12
    while pos + 8 <= len(blob):
        tag, size = blob[pos:pos + 4], struct.unpack_from("<I", blob, pos + 4)[0]
        chunks[tag] = blob[pos + 8:pos + 8 + size]
        pos += 8 + size + (size & 1)
    tag, channels, rate, _, align, bits, extra, per_block = \
        struct.unpack("<HHIIHHHH", chunks[b"fmt "])
    if (tag, channels, align, bits, extra, per_block) != \
            (0x11, 1, BLOCK_ALIGN, 4, 2, SAMPLES_PER_BLOCK):
        raise ValueError("not mono IMA ADPCM in %d-byte blocks" % BLOCK_ALIGN)
    data = chunks[b"data"]
    if len(data) % BLOCK_ALIGN:
        raise ValueError("data ends inside a block")
    count = struct.unpack("<I", chunks[b"fact"])[0]
    if count > len(data) // BLOCK_ALIGN * SAMPLES_PER_BLOCK:
        raise ValueError("fact counts more samples than the blocks hold")
    return rate, decode(data, count)
