// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// user32: DrawTextW
// Text laid out in a formatting rectangle (centred across, and down on a single line), on the
// DC's background colour when it is opaque, its glyphs drawn by GDI (platform/gdi32/font.cpp).
#include <algorithm>
#include <cwchar>

#include "platform/gdi32/font_face.h"
#include "platform/gdi32/gdi_objects.h"

using namespace platform;

int DrawTextW(HDC dc, LPCWSTR text, int length, LPRECT rect, UINT format) {
    DeviceContext* d = ToDc(dc);
    FontFace* f = d ? FaceOf(d) : nullptr;
    if (!f || !text || !rect) return 0;
    if (length < 0) length = int(std::wcslen(text));
    FaceMetrics metrics = MetricsOf(f);
    int height = metrics.ascent + metrics.descent;
    int width = TextWidth(f, text, length);
    int left = rect->left, top = rect->top;
    if (format & DT_CENTER) left += (rect->right - rect->left - width) / 2;
    if ((format & DT_VCENTER) && (format & DT_SINGLELINE))
        top += (rect->bottom - rect->top - height) / 2;

    DrawTarget t = TargetOf(d);
    if (!t.surface) return height;
    // Drawing stays inside the formatting rectangle and the target.
    RECT formatting = *rect, clip;
    OffsetRect(&formatting, t.originX, t.originY);
    if (!IntersectRect(&clip, &formatting, &t.clip)) return height;
    if (d->bkMode == OPAQUE) {
        RECT cell{left, top, left + width, top + height}, fill;
        OffsetRect(&cell, t.originX, t.originY);
        if (IntersectRect(&fill, &cell, &clip))
            for (LONG y = fill.top; y < fill.bottom; ++y)
                std::fill_n(&t.surface->At(fill.left, y), fill.right - fill.left, d->bkColour);
    }
    DrawGlyphs(d, f, left + t.originX, top + t.originY + metrics.ascent, text, length, clip);
    NoteDrawn(d, clip);
    return height;
}
