// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Reading back what bitmaps and memory DCs hold through GDI's own calls, to compare pictures
// pixel by pixel on any host.
#pragma once

#include <vector>

#include "shell/platform.h"

class Screen;

// Pixels as COLORREFs, row by row from the top.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;

    COLORREF At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    bool operator==(const Picture&) const = default;
};

// A bitmap's pixels; empty for a handle that is no bitmap.
Picture PixelsOf(HBITMAP bitmap);
// The pixels of the bitmap a memory DC holds; empty for anything else.
Picture PixelsOf(HDC dc);
// The pixels of the program's bitmap resource `id`.
Picture PixelsOfBitmap(int id);
Picture Crop(const Picture& picture, int left, int top, int width, int height);

// Composes the whole screen, as it does when its window asks to be painted, and gives what its
// back buffer then holds.
Picture Compose(Screen& screen);
