// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The DIB decoder, as the bitmap resources reach it (no file header).
#include "fuzz/check.h"
#include "platform/formats/dib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    platform::DibInfo info;
    bool readable = platform::ReadDibInfo(data, size, info);
    if (readable) {
        Check(info.width > 0 && info.height > 0, "a header is read with an empty picture");
        Check(info.bitsPerPixel == 1 || info.bitsPerPixel == 4 || info.bitsPerPixel == 8 ||
                  info.bitsPerPixel == 24 || info.bitsPerPixel == 32,
              "a header is read with a depth the decoder does not know");
    }
    platform::Surface surface;
    if (!platform::DecodeDib(data, size, surface)) return 0;
    Check(readable, "a DIB is decoded whose header is refused");
    Check(surface.width == info.width && surface.height == info.height,
          "the decoded picture's size differs from its header's");
    Check(surface.pixels.size() == size_t(info.width) * size_t(info.height),
          "the decoded picture holds more or fewer pixels than its size");
    // Every row the header promises was there to read.
    size_t stride = (size_t(info.width) * size_t(info.bitsPerPixel) + 31) / 32 * 4;
    Check(stride * size_t(info.height) + 40 <= size, "rows were decoded from beyond the bytes");
    return 0;
}
