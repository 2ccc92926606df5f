// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// gdi32: CreateCompatibleBitmap, GetDIBits
// Bitmaps: made like the one a memory DC holds, and their pixels read out in a
// device-independent layout: 32 bits a pixel (blue, green, red and a spare byte), the whole
// width of the bitmap, rows top first or bottom first.
#include <algorithm>
#include <cstring>

#include "platform/gdi32/gdi_objects.h"

using namespace platform;

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
    DeviceContext* d = ToDc(dc);
    if (!d || width < 0 || height < 0) return nullptr;
    // A memory DC makes bitmaps like the one it holds: with the default bitmap, monochrome.
    int bits = (!d->window && d->bitmap && d->bitmap->bitsPixel == 1) ? 1 : 32;
    return ToHandle(new BitmapObject(width, height, bits));
}

int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info,
              UINT usage) {
    BitmapObject* b = ToBitmap(bitmap);
    if (!ToDc(dc) || !b || !bits || !info || usage != DIB_RGB_COLORS) return 0;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    const Surface& s = b->surface;
    bool topDown = h.biHeight < 0;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biBitCount != 32 || h.biCompression != BI_RGB ||
        h.biWidth != s.width || (topDown ? -h.biHeight : h.biHeight) != s.height)
        return 0;
    UINT count = start >= UINT(s.height) ? 0 : std::min(lines, UINT(s.height) - start);
    auto* out = static_cast<uint8_t*>(bits);
    for (UINT i = 0; i < count; ++i) {
        // A bottom-up DIB's scan lines count from the bitmap's last row.
        int y = topDown ? int(start + i) : s.height - 1 - int(start + i);
        for (int x = 0; x < s.width; ++x, out += 4) {
            COLORREF c = s.At(x, y);
            RGBQUAD q{GetBValue(c), GetGValue(c), GetRValue(c), 0};
            std::memcpy(out, &q, sizeof q);
        }
    }
    return int(count);
}
