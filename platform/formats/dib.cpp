// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/formats/dib.h"

#include <cstring>

#include "platform/formats/bytes.h"

namespace platform {
namespace {

constexpr uint32_t kBiRgb = 0;
constexpr int kMaxSide = 16384;

}  // namespace

bool ReadDibInfo(const uint8_t* data, size_t size, DibInfo& info) {
    if (size < 40) return false;
    uint32_t headerSize = ReadU32(data);
    if (headerSize < 40 || headerSize > size) return false;
    int32_t width = int32_t(ReadU32(data + 4));
    int32_t height = int32_t(ReadU32(data + 8));
    int bits = ReadU16(data + 14);
    if (ReadU16(data + 12) != 1 || ReadU32(data + 16) != kBiRgb) return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
    if (width <= 0 || width > kMaxSide || height == 0 || height < -kMaxSide || height > kMaxSide)
        return false;
    info.width = width;
    info.height = height < 0 ? -height : height;
    info.bottomUp = height > 0;
    info.bitsPerPixel = bits;
    return true;
}

bool DecodeDib(const uint8_t* data, size_t size, Surface& out) {
    DibInfo info;
    if (!ReadDibInfo(data, size, info)) return false;
    uint32_t headerSize = ReadU32(data);
    uint32_t used = ReadU32(data + 32);
    // A true-colour DIB may still carry a colour table (for palette devices); its pixels
    // follow that table.
    size_t colours = used;
    if (info.bitsPerPixel <= 8) {
        if (!used) colours = size_t(1) << info.bitsPerPixel;
        if (colours > (size_t(1) << info.bitsPerPixel)) return false;
    }
    if (colours > size / 4) return false;
    size_t paletteAt = headerSize;
    size_t pixelsAt = paletteAt + colours * 4;
    size_t stride = ((size_t(info.width) * info.bitsPerPixel + 31) / 32) * 4;
    if (pixelsAt > size || stride * info.height > size - pixelsAt) return false;

    auto paletteColour = [&](size_t index) -> COLORREF {
        if (index >= colours) return 0;
        const uint8_t* q = data + paletteAt + index * 4;  // blue, green, red, reserved
        return RGB(q[2], q[1], q[0]);
    };
    out = Surface(info.width, info.height);
    for (int row = 0; row < info.height; ++row) {
        const uint8_t* line = data + pixelsAt + stride * row;
        int y = info.bottomUp ? info.height - 1 - row : row;
        for (int x = 0; x < info.width; ++x) {
            COLORREF c = 0;
            switch (info.bitsPerPixel) {
                case 1:
                    c = paletteColour((line[x / 8] >> (7 - x % 8)) & 1);
                    break;
                case 4:
                    c = paletteColour(x % 2 ? line[x / 2] & 0x0F : line[x / 2] >> 4);
                    break;
                case 8:
                    c = paletteColour(line[x]);
                    break;
                case 24:
                    c = RGB(line[x * 3 + 2], line[x * 3 + 1], line[x * 3]);
                    break;
                case 32:
                    c = RGB(line[x * 4 + 2], line[x * 4 + 1], line[x * 4]);
                    break;
            }
            out.At(x, y) = c;
        }
    }
    return true;
}

}  // namespace platform
