// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Reading back what bitmaps, memory DCs and the window hold, to compare pictures by pixel.
#pragma once

#include "platform/gdi_objects.h"
#include "platform/surface.h"
#include "toolkit/screen.h"

// A copy of a bitmap's pixels; empty for a handle that is not a live bitmap.
inline platform::Surface PixelsOf(HBITMAP bitmap) {
    platform::BitmapObject* b = platform::ToBitmap(bitmap);
    return b ? b->surface : platform::Surface();
}

// A copy of the pixels of the bitmap a memory DC holds.
inline platform::Surface PixelsOf(HDC dc) {
    platform::DeviceContext* d = platform::ToDc(dc);
    return d && d->bitmap ? d->bitmap->surface : platform::Surface();
}

inline platform::Surface Crop(const platform::Surface& s, int left, int top, int width,
                              int height) {
    platform::Surface out(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) out.At(x, y) = s.At(left + x, top + y);
    return out;
}

// Composes the whole screen onto its window, as it does when the window asks to be painted.
inline void ComposeOnWindow(Screen& screen) {
    HDC dc = GetDC(screen.window);
    screen.Paint(dc, true);
    ReleaseDC(screen.window, dc);
}
