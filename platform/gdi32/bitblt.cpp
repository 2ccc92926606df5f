// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// gdi32: BitBlt, TransparentImage
// Copies between device contexts, opaque or through a colour key (the handheld's
// TransparentImage, which stretches too), with GDI's conversions to and from monochrome.
#include <algorithm>
#include <vector>

#include "platform/gdi32/gdi_objects.h"

namespace platform {
namespace {

// What a source pixel becomes on the destination, with GDI's monochrome conversions: a colour
// pixel equal to the source's background colour turns white and every other black; a
// monochrome pixel takes the destination's text (black) or background (white) colour.
struct PixelConverter {
    bool toMono, fromMono;
    COLORREF sourceBk, destText, destBk;
    COLORREF operator()(COLORREF c) const {
        if (toMono && !fromMono) return c == sourceBk ? RGB(255, 255, 255) : RGB(0, 0, 0);
        if (fromMono && !toMono) return c == 0 ? destText : destBk;
        return c;
    }
};

// The part of a w x h copy from (sx, sy) of the source to (dx, dy) of the destination that
// both clips allow, as offsets into the copy; empty when nothing is copied.
RECT ClipCopy(const DrawTarget& dest, int dx, int dy, const DrawTarget& source, int sx, int sy,
              int w, int h) {
    RECT copy{0, 0, w, h}, destClip = dest.clip, sourceClip = source.clip, span;
    OffsetRect(&destClip, -(dx + dest.originX), -(dy + dest.originY));
    OffsetRect(&sourceClip, -(sx + source.originX), -(sy + source.originY));
    if (!IntersectRect(&span, &copy, &destClip)) return span;
    IntersectRect(&span, &span, &sourceClip);
    return span;
}

bool ResolveSource(HANDLE source, DrawTarget& target, DeviceContext*& sourceDc) {
    sourceDc = ToDc(static_cast<HDC>(source));
    if (sourceDc) {
        target = TargetOf(sourceDc);
        return target.surface != nullptr;
    }
    BitmapObject* bitmap = ToBitmap(source);
    if (!bitmap) return false;
    target.surface = &bitmap->surface;
    target.clip = RECT{0, 0, bitmap->surface.width, bitmap->surface.height};
    target.monochrome = bitmap->bitsPixel == 1;
    return true;
}

}  // namespace
}  // namespace platform

using namespace platform;

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
            DWORD rop) {
    DeviceContext* d = ToDc(dest);
    DeviceContext* s = ToDc(source);
    if (!d || !s || rop != SRCCOPY) return FALSE;
    DrawTarget dt = TargetOf(d), st = TargetOf(s);
    if (!dt.surface || !st.surface) return FALSE;
    RECT span = ClipCopy(dt, x, y, st, sourceX, sourceY, width, height);
    if (IsRectEmpty(&span)) return TRUE;
    PixelConverter convert{dt.monochrome, st.monochrome, s->bkColour, d->textColour, d->bkColour};
    int fromX = sourceX + st.originX, fromY = sourceY + st.originY;
    int toX = x + dt.originX, toY = y + dt.originY;
    int rowLength = span.right - span.left;
    std::vector<COLORREF> row(static_cast<size_t>(rowLength));
    // Rows go through a buffer, and bottom-up when copying downwards within one surface, so
    // an overlapping copy reads every pixel before it is overwritten.
    bool upwards = dt.surface == st.surface && toY > fromY;
    for (LONG k = 0; k < span.bottom - span.top; ++k) {
        LONG j = upwards ? span.bottom - 1 - k : span.top + k;
        std::copy_n(&st.surface->At(fromX + span.left, fromY + j), rowLength, row.begin());
        COLORREF* to = &dt.surface->At(toX + span.left, toY + j);
        for (int i = 0; i < rowLength; ++i) to[i] = convert(row[size_t(i)]);
    }
    OffsetRect(&span, toX, toY);
    NoteDrawn(d, span);
    return TRUE;
}

BOOL TransparentImage(HDC dest, int destX, int destY, int destWidth, int destHeight, HANDLE source,
                      int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                      COLORREF transparent) {
    DeviceContext* d = ToDc(dest);
    DeviceContext* s = nullptr;
    DrawTarget st;
    if (!d || !ResolveSource(source, st, s)) return FALSE;
    DrawTarget dt = TargetOf(d);
    if (!dt.surface || destWidth <= 0 || destHeight <= 0 || sourceWidth <= 0 || sourceHeight <= 0)
        return FALSE;
    PixelConverter convert{dt.monochrome, st.monochrome, s ? s->bkColour : RGB(255, 255, 255),
                           d->textColour, d->bkColour};
    int fromX = sourceX + st.originX, fromY = sourceY + st.originY;
    int toX = destX + dt.originX, toY = destY + dt.originY;
    if (destWidth == sourceWidth && destHeight == sourceHeight) {
        // The common case, composing a figure: one to one, row by row.
        RECT span = ClipCopy(dt, destX, destY, st, sourceX, sourceY, destWidth, destHeight);
        if (IsRectEmpty(&span)) return TRUE;
        for (LONG j = span.top; j < span.bottom; ++j) {
            const COLORREF* from = &st.surface->At(fromX + span.left, fromY + j);
            COLORREF* to = &dt.surface->At(toX + span.left, toY + j);
            for (LONG i = 0; i < span.right - span.left; ++i)
                if (from[i] != transparent) to[i] = convert(from[i]);
        }
        OffsetRect(&span, toX, toY);
        NoteDrawn(d, span);
        return TRUE;
    }
    // Stretched: each destination pixel takes the nearest source pixel.
    RECT drawn;
    SetRectEmpty(&drawn);
    for (int j = 0; j < destHeight; ++j) {
        POINT row{toX, toY + j},
            sourceRow{fromX, fromY + int(int64_t(j) * sourceHeight / destHeight)};
        for (int i = 0; i < destWidth; ++i) {
            POINT to{row.x + i, row.y};
            POINT from{sourceRow.x + int(int64_t(i) * sourceWidth / destWidth), sourceRow.y};
            if (!PtInRect(&dt.clip, to) || !PtInRect(&st.clip, from)) continue;
            COLORREF c = st.surface->At(from.x, from.y);
            if (c == transparent) continue;
            dt.surface->At(to.x, to.y) = convert(c);
            RECT pixel{to.x, to.y, to.x + 1, to.y + 1};
            UnionRect(&drawn, &drawn, &pixel);
        }
    }
    if (!IsRectEmpty(&drawn)) NoteDrawn(d, drawn);
    return TRUE;
}
