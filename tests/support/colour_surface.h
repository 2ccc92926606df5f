// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// A bitmap of one colour in a memory DC, set and read pixel by pixel through GDI's own calls.
#pragma once

#include "shell/platform.h"

// A memory DC holding a full-colour bitmap of the given size filled with one colour.
struct ColourSurface {
    ColourSurface(HWND window, int width, int height, COLORREF fill)
        : width(width), height(height) {
        HDC windowDc = GetDC(window);
        dc = CreateCompatibleDC(windowDc);
        bitmap = CreateCompatibleBitmap(windowDc, width, height);
        ReleaseDC(window, windowDc);
        previous = SelectObject(dc, bitmap);
        Fill(fill);
    }
    ~ColourSurface() {
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    ColourSurface(const ColourSurface&) = delete;
    ColourSurface& operator=(const ColourSurface&) = delete;

    void Fill(COLORREF c) {
        HGDIOBJ pen = SelectObject(dc, GetStockObject(NULL_PEN));
        HBRUSH brush = CreateSolidBrush(c);
        HGDIOBJ previousBrush = SelectObject(dc, brush);
        Rectangle(dc, 0, 0, width + 1, height + 1);  // without a pen, right and bottom stay out
        SelectObject(dc, previousBrush);
        DeleteObject(brush);
        SelectObject(dc, pen);
    }
    void Set(int x, int y, COLORREF c) { SetPixel(dc, x, y, c); }
    COLORREF Get(int x, int y) const { return GetPixel(dc, x, y); }

    int width, height;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
};
