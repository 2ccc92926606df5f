// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// A bitmap's pixels read into and written from a device-independent layout: 32 bits a pixel,
// blue, green, red and a spare byte, the whole bitmap at a time, rows top first or bottom first.
#include <algorithm>
#include <cstring>

#include "platform/gdi_objects.h"

namespace platform {
namespace {

// The bitmap's row that a DIB's scan line holds: a bottom-up DIB counts from the last row.
struct DibLayout {
    BitmapObject* bitmap = nullptr;
    bool topDown = false;
    int Row(UINT scan) const {
        return topDown ? int(scan) : bitmap->surface.height - 1 - int(scan);
    }
};

// The bitmap and the order of a DIB that covers all of it in 32 bits; no bitmap otherwise.
DibLayout LayoutOf(HDC dc, HBITMAP handle, const BITMAPINFO* info, UINT usage) {
    DibLayout layout;
    BitmapObject* bitmap = ToBitmap(handle);
    if (!ToDc(dc) || !bitmap || !info || usage != DIB_RGB_COLORS) return layout;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biBitCount != 32 || h.biCompression != BI_RGB ||
        h.biWidth != bitmap->surface.width || height != bitmap->surface.height)
        return layout;
    layout.bitmap = bitmap;
    layout.topDown = h.biHeight < 0;
    return layout;
}

UINT LinesFrom(UINT start, UINT lines, int height) {
    return start >= UINT(height) ? 0 : std::min(lines, UINT(height) - start);
}

}  // namespace
}  // namespace platform

using namespace platform;

int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info,
              UINT usage) {
    if (!bits) {
        // Asked only to describe the bitmap, as Windows fills in the header.
        BitmapObject* b = ToBitmap(bitmap);
        if (!ToDc(dc) || !b || !info || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) return 0;
        BITMAPINFOHEADER& h = info->bmiHeader;
        h.biWidth = b->surface.width;
        h.biHeight = b->surface.height;
        h.biPlanes = 1;
        h.biBitCount = WORD(b->bitsPixel);
        h.biCompression = BI_RGB;
        h.biSizeImage =
            DWORD(((b->surface.width * b->bitsPixel + 31) / 32) * 4 * b->surface.height);
        return 1;
    }
    DibLayout layout = LayoutOf(dc, bitmap, info, usage);
    if (!layout.bitmap) return 0;
    const Surface& s = layout.bitmap->surface;
    UINT count = LinesFrom(start, lines, s.height);
    auto* out = static_cast<uint8_t*>(bits);
    for (UINT i = 0; i < count; ++i) {
        const COLORREF* row = &s.pixels[size_t(layout.Row(start + i)) * s.width];
        for (int x = 0; x < s.width; ++x, out += 4) {
            RGBQUAD q{GetBValue(row[x]), GetGValue(row[x]), GetRValue(row[x]), 0};
            std::memcpy(out, &q, sizeof q);
        }
    }
    return int(count);
}

int SetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, const void* bits,
              const BITMAPINFO* info, UINT usage) {
    DibLayout layout = LayoutOf(dc, bitmap, info, usage);
    if (!layout.bitmap || !bits) return 0;
    Surface& s = layout.bitmap->surface;
    bool monochrome = layout.bitmap->bitsPixel == 1;
    UINT count = LinesFrom(start, lines, s.height);
    const auto* in = static_cast<const uint8_t*>(bits);
    for (UINT i = 0; i < count; ++i) {
        COLORREF* row = &s.pixels[size_t(layout.Row(start + i)) * s.width];
        for (int x = 0; x < s.width; ++x, in += 4) {
            RGBQUAD q;
            std::memcpy(&q, in, sizeof q);
            COLORREF c = RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
            row[x] = monochrome ? ToMonochrome(c) : c;
        }
    }
    return int(count);
}
