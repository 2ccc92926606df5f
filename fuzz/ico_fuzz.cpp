// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The icon reader, as the window's icon reaches it: an ICO file's images of the sizes asked.
#include "fuzz/check.h"
#include "platform/formats/ico.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (int side : {1, 16, 32, 256}) {
        std::vector<uint32_t> pixels = platform::IconPixels(data, size, side);
        if (pixels.empty()) continue;
        Check(pixels.size() == size_t(side) * size_t(side), "an icon of another size came back");
        for (uint32_t p : pixels)
            Check(p == 0 || p >> 24 == 0xFF, "a pixel is neither clear nor opaque");
    }
    return 0;
}
