// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Decoding device-independent bitmaps as a resource compiler stores them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/gdi32/surface.h"

namespace platform {

struct DibInfo {
    int width = 0;
    int height = 0;  // always positive; bottomUp tells the row order
    int bitsPerPixel = 0;
    bool bottomUp = true;
};

// Reads the header of a DIB (BITMAPINFOHEADER first, no file header). False when malformed.
bool ReadDibInfo(const uint8_t* data, size_t size, DibInfo& info);
// Decodes uncompressed 1, 4, 8, 24 and 32-bit DIBs; never reads past `size`.
bool DecodeDib(const uint8_t* data, size_t size, Surface& out);

}  // namespace platform
