// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// gdi32: Rectangle, GetPixel, SetPixel
// Drawing into a device context: filled and outlined rectangles with the DC's brush and pen,
// and single pixels.
#include <algorithm>
#include <utility>

#include "platform/gdi32/gdi_objects.h"

namespace platform {
namespace {

COLORREF ToMonochrome(COLORREF c) {
    int luminance = (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100;
    return luminance >= 128 ? RGB(255, 255, 255) : RGB(0, 0, 0);
}

void FillArea(DeviceContext* dc, int left, int top, int right, int bottom, COLORREF colour) {
    DrawTarget t = TargetOf(dc);
    if (!t.surface) return;
    if (t.monochrome) colour = ToMonochrome(colour);
    RECT area{left, top, right, bottom}, fill;
    OffsetRect(&area, t.originX, t.originY);
    if (!IntersectRect(&fill, &area, &t.clip)) return;
    for (LONG y = fill.top; y < fill.bottom; ++y)
        std::fill_n(&t.surface->At(fill.left, y), fill.right - fill.left, colour);
    NoteDrawn(dc, fill);
}

}  // namespace
}  // namespace platform

using namespace platform;

COLORREF GetPixel(HDC dc, int x, int y) {
    DeviceContext* d = ToDc(dc);
    if (!d) return CLR_INVALID;
    DrawTarget t = TargetOf(d);
    POINT p{x + t.originX, y + t.originY};
    return t.surface && PtInRect(&t.clip, p) ? t.surface->At(p.x, p.y) : CLR_INVALID;
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour) {
    DeviceContext* d = ToDc(dc);
    if (!d) return CLR_INVALID;
    FillArea(d, x, y, x + 1, y + 1, colour);
    return GetPixel(dc, x, y);  // what the target could hold: CLR_INVALID outside it
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
    DeviceContext* d = ToDc(dc);
    if (!d) return FALSE;
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    // The right and bottom edges are excluded; without a pen the shape is one pixel smaller.
    bool outline = d->pen && d->pen->style != PS_NULL;
    if (!outline) {
        right--;
        bottom--;
    }
    if (d->brush && !d->brush->hollow) {
        int inset = outline ? 1 : 0;
        FillArea(d, left + inset, top + inset, right - inset, bottom - inset, d->brush->colour);
    }
    if (outline && right - left > 0 && bottom - top > 0) {
        COLORREF c = d->pen->colour;
        FillArea(d, left, top, right, top + 1, c);
        FillArea(d, left, bottom - 1, right, bottom, c);
        FillArea(d, left, top, left + 1, bottom, c);
        FillArea(d, right - 1, top, right, bottom, c);
    }
    return TRUE;
}
