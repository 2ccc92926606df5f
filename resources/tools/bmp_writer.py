# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
"""Tiny Windows BMP writer and reader for the game's bitmaps.

Pillow's writer picks palette order itself and its 4-bit output is not
dependable, so the bitmaps go through this module instead: we decide the
palette bytes and every header field, which keeps the files byte-identical
from run to run.  Files are BITMAPFILEHEADER + BITMAPINFOHEADER (40 bytes),
BI_RGB, bottom-up, rows padded to 4 bytes.
"""
import struct

from PIL import Image

FILE_HEADER = struct.Struct("<2sIHHI")
INFO_HEADER = struct.Struct("<IiiHHIIiiII")
PIXELS_PER_METRE = 2835  # 72 dpi; the platform ignores it but viewers like a value


def row_size(width, bpp):
    return ((width * bpp + 31) // 32) * 4


def pack_row(values, width, bpp):
    """values: one row of palette indices (4/8 bpp) or (r, g, b) tuples (24 bpp)."""
    out = bytearray()
    if bpp == 4:
        for x in range(0, width, 2):
            hi = values[x]
            lo = values[x + 1] if x + 1 < width else 0
            out.append((hi << 4) | lo)
    elif bpp == 8:
        out.extend(values)
    elif bpp == 24:
        for r, g, b in values:
            out.extend((b, g, r))
    else:
        raise ValueError("unsupported depth %d" % bpp)
    out.extend(b"\0" * (row_size(width, bpp) - len(out)))
    return bytes(out)


def bmp_bytes(width, height, bpp, rows, palette=None):
    """rows: top-down list of rows; palette: list of (r, g, b) for 4/8 bpp."""
    if len(rows) != height:
        raise ValueError("expected %d rows, got %d" % (height, len(rows)))
    colours = 0
    pal_bytes = b""
    if bpp in (4, 8):
        colours = 1 << bpp
        palette = list(palette)
        if len(palette) > colours:
            raise ValueError("palette too long for %d bpp" % bpp)
        palette += [(0, 0, 0)] * (colours - len(palette))
        pal_bytes = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
        limit = len(palette)
        for row in rows:
            if any(v < 0 or v >= limit for v in row):
                raise ValueError("palette index out of range")
    pixel_data = b"".join(pack_row(rows[y], width, bpp) for y in range(height - 1, -1, -1))
    offset = FILE_HEADER.size + INFO_HEADER.size + len(pal_bytes)
    info = INFO_HEADER.pack(40, width, height, 1, bpp, 0, len(pixel_data),
                            PIXELS_PER_METRE, PIXELS_PER_METRE, colours, 0)
    head = FILE_HEADER.pack(b"BM", offset + len(pixel_data), 0, 0, offset)
    return head + info + pal_bytes + pixel_data


def write_bmp(path, width, height, bpp, rows, palette=None):
    data = bmp_bytes(width, height, bpp, rows, palette)
    with open(path, "wb") as f:
        f.write(data)
    return data


def read_bmp(path):
    """Parse one of our BMPs strictly; returns a dict with the header fields,
    the palette, 'pixels' (top-down rows of indices or RGB tuples) and an
    RGB Pillow image."""
    with open(path, "rb") as f:
        data = f.read()
    magic, file_size, _, _, offset = FILE_HEADER.unpack_from(data, 0)
    (size, width, height, planes, bpp, compression, image_size, _, _,
     clr_used, _) = INFO_HEADER.unpack_from(data, FILE_HEADER.size)
    info = dict(magic=magic, file_size=file_size, actual_size=len(data), offset=offset,
                header_size=size, width=width, height=height, planes=planes, bpp=bpp,
                compression=compression, image_size=image_size, clr_used=clr_used)
    pal_start = FILE_HEADER.size + size
    palette = []
    for i in range(clr_used):
        b, g, r, _ = data[pal_start + 4 * i: pal_start + 4 * i + 4]
        palette.append((r, g, b))
    info["palette"] = palette
    stride = row_size(width, bpp)
    rows = []
    for y in range(abs(height)):
        src_row = (abs(height) - 1 - y) if height > 0 else y
        raw = data[offset + src_row * stride: offset + (src_row + 1) * stride]
        if bpp == 4:
            row = []
            for x in range(width):
                byte = raw[x // 2]
                row.append(byte >> 4 if x % 2 == 0 else byte & 15)
        elif bpp == 8:
            row = list(raw[:width])
        else:
            row = [(raw[3 * x + 2], raw[3 * x + 1], raw[3 * x]) for x in range(width)]
        rows.append(row)
    info["pixels"] = rows
    img = Image.new("RGB", (width, abs(height)))
    flat = [palette[v] for row in rows for v in row] if bpp <= 8 else [p for row in rows for p in row]
    img.putdata(flat)
    info["image"] = img
    return info
