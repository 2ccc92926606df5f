// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/formats/ico.h"

#include <cstring>

#include "platform/formats/bytes.h"
#include "platform/formats/dib.h"

namespace platform {
namespace {

constexpr size_t kDirectoryBytes = 6;
constexpr size_t kEntryBytes = 16;

}  // namespace

std::vector<uint32_t> IconPixels(const uint8_t* ico, size_t size, int side) {
    if (!ico || size < kDirectoryBytes || ReadU16(ico) != 0 || ReadU16(ico + 2) != 1) return {};
    size_t count = ReadU16(ico + 4);
    if (count > (size - kDirectoryBytes) / kEntryBytes) return {};
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* entry = ico + kDirectoryBytes + i * kEntryBytes;
        int width = entry[0] ? entry[0] : 256, height = entry[1] ? entry[1] : 256;
        size_t bytes = ReadU32(entry + 8), offset = ReadU32(entry + 12);
        if (width != side || height != side || offset > size || bytes > size - offset) continue;
        const uint8_t* image = ico + offset;
        // The DIB's height counts the colour rows and the mask rows below them: say it holds
        // the colour rows alone to decode those.
        if (bytes < 40) return {};
        std::vector<uint8_t> dib(image, image + bytes);
        int32_t half = int32_t(ReadU32(image + 8)) / 2;
        if (half != side) return {};
        std::memcpy(dib.data() + 8, &half, 4);
        Surface colours;
        DibInfo info;
        // The bitmap's own width must be the entry's too: the pixels below are read `side`
        // to a row, past the end of a narrower bitmap.
        if (!ReadDibInfo(dib.data(), dib.size(), info) || info.width != side ||
            !DecodeDib(dib.data(), dib.size(), colours))
            return {};
        size_t paletteColours = ReadU32(image + 32);
        if (info.bitsPerPixel <= 8 && !paletteColours)
            paletteColours = size_t(1) << info.bitsPerPixel;
        size_t colourStride = ((size_t(side) * info.bitsPerPixel + 31) / 32) * 4;
        size_t maskAt = ReadU32(image) + paletteColours * 4 + colourStride * side;
        size_t maskStride = ((size_t(side) + 31) / 32) * 4;
        if (maskAt > bytes || maskStride * side > bytes - maskAt) return {};
        std::vector<uint32_t> pixels(size_t(side) * side);
        for (int y = 0; y < side; ++y) {
            const uint8_t* mask = image + maskAt + maskStride * size_t(side - 1 - y);
            for (int x = 0; x < side; ++x) {
                COLORREF c = colours.At(x, y);
                bool clear = (mask[x / 8] >> (7 - x % 8)) & 1;
                pixels[size_t(y) * side + x] = clear
                                                   ? 0
                                                   : 0xFF000000u | uint32_t(GetRValue(c)) << 16 |
                                                         uint32_t(GetGValue(c)) << 8 | GetBValue(c);
            }
        }
        return pixels;
    }
    return {};
}

}  // namespace platform
