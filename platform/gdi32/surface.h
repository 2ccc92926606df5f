// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// A block of pixels: what a bitmap holds and what the window shows.
#pragma once

#include <cstdint>
#include <vector>

#include "shell/platform.h"

namespace platform {

// Pixels are COLORREF values (0x00BBGGRR), row by row from the top.
struct Surface {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;

    Surface() = default;
    Surface(int w, int h, COLORREF fill = 0) : width(w), height(h), pixels(size_t(w) * h, fill) {}

    COLORREF& At(int x, int y) { return pixels[size_t(y) * width + x]; }
    COLORREF At(int x, int y) const { return pixels[size_t(y) * width + x]; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

}  // namespace platform
