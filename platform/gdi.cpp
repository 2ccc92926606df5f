// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// A small software GDI: device contexts, bitmaps, pens, brushes, blits and rectangles.
#include <algorithm>
#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/gdi_objects.h"
#include "platform/host.h"
#include "platform/window_object.h"

namespace platform {
namespace {

std::unordered_set<GdiObject*>& LiveObjects() {
    static std::unordered_set<GdiObject*> objects;
    return objects;
}

std::unordered_set<DeviceContext*>& LiveDcs() {
    static std::unordered_set<DeviceContext*> dcs;
    return dcs;
}

template <typename T>
T* MakeStock(T* object) {
    object->stock = true;
    LiveObjects().insert(object);
    return object;
}

struct StockObjects {
    BrushObject* whiteBrush = MakeStock(new BrushObject(RGB(255, 255, 255), false));
    BrushObject* blackBrush = MakeStock(new BrushObject(RGB(0, 0, 0), false));
    BrushObject* nullBrush = MakeStock(new BrushObject(0, true));
    PenObject* whitePen = MakeStock(new PenObject(PS_SOLID, 1, RGB(255, 255, 255)));
    PenObject* blackPen = MakeStock(new PenObject(PS_SOLID, 1, RGB(0, 0, 0)));
    PenObject* nullPen = MakeStock(new PenObject(PS_NULL, 1, 0));
    FontObject* systemFont = MakeStock(new FontObject(LOGFONTW{}));
    // Every new memory DC starts with this 1x1 monochrome bitmap selected, as in GDI.
    BitmapObject* defaultBitmap = MakeStock(new BitmapObject(1, 1, 1));
};

StockObjects& Stock() {
    static StockObjects* stock = new StockObjects();  // lives as long as the process
    return *stock;
}

HDC NewDc(WindowObject* window) {
    auto* dc = new DeviceContext();
    dc->window = window;
    dc->pen = Stock().blackPen;
    dc->brush = Stock().whiteBrush;
    dc->font = Stock().systemFont;
    for (GdiObject* o : {static_cast<GdiObject*>(dc->pen), static_cast<GdiObject*>(dc->brush),
                         static_cast<GdiObject*>(dc->font)})
        o->selectedIn++;
    if (!window) {
        dc->bitmap = Stock().defaultBitmap;
        dc->bitmap->selectedIn++;
    }
    LiveDcs().insert(dc);
    return reinterpret_cast<HDC>(dc);
}

COLORREF ToMonochrome(COLORREF c) {
    int luminance = (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100;
    return luminance >= 128 ? RGB(255, 255, 255) : RGB(0, 0, 0);
}

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

// The part of a w x h copy that both the source and the destination clips allow, as offsets
// into the copy. Empty when begin >= end on either axis.
struct Span {
    int x0, x1, y0, y1;
};

Span ClipCopy(const DrawTarget& dest, int dx, int dy, const DrawTarget& source, int sx, int sy,
              int w, int h) {
    int ax = dx + dest.originX, ay = dy + dest.originY;
    int bx = sx + source.originX, by = sy + source.originY;
    Span s;
    s.x0 = std::max({0, int(dest.clip.left) - ax, int(source.clip.left) - bx});
    s.x1 = std::min({w, int(dest.clip.right) - ax, int(source.clip.right) - bx});
    s.y0 = std::max({0, int(dest.clip.top) - ay, int(source.clip.top) - by});
    s.y1 = std::min({h, int(dest.clip.bottom) - ay, int(source.clip.bottom) - by});
    return s;
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

void FillArea(DeviceContext* dc, int left, int top, int right, int bottom, COLORREF colour) {
    DrawTarget t = TargetOf(dc);
    if (!t.surface) return;
    if (t.monochrome) colour = ToMonochrome(colour);
    int x0 = std::max(int(t.clip.left), left + t.originX);
    int x1 = std::min(int(t.clip.right), right + t.originX);
    int y0 = std::max(int(t.clip.top), top + t.originY);
    int y1 = std::min(int(t.clip.bottom), bottom + t.originY);
    if (x0 >= x1 || y0 >= y1) return;
    for (int y = y0; y < y1; ++y) std::fill_n(&t.surface->At(x0, y), x1 - x0, colour);
    NoteDrawn(dc, RECT{x0, y0, x1, y1});
}

}  // namespace

DeviceContext* ToDc(HDC dc) {
    auto* p = reinterpret_cast<DeviceContext*>(dc);
    return LiveDcs().count(p) ? p : nullptr;
}

GdiObject* ToObject(HGDIOBJ object) {
    auto* p = static_cast<GdiObject*>(object);
    return LiveObjects().count(p) ? p : nullptr;
}

BitmapObject* ToBitmap(HGDIOBJ object) {
    GdiObject* o = ToObject(object);
    return o && o->kind == GdiObject::Kind::Bitmap ? static_cast<BitmapObject*>(o) : nullptr;
}

HGDIOBJ RegisterObject(GdiObject* object) {
    LiveObjects().insert(object);
    return object;
}

HBITMAP ToHandle(BitmapObject* bitmap) {
    return static_cast<HBITMAP>(RegisterObject(bitmap));
}

DrawTarget TargetOf(DeviceContext* dc) {
    DrawTarget t;
    if (dc->window) {
        if (!dc->window->alive) return t;
        t.surface = const_cast<Surface*>(&Display());
        t.originX = dc->window->frame.left;
        t.originY = dc->window->frame.top;
        t.clip.left = std::max<LONG>(0, dc->window->frame.left);
        t.clip.top = std::max<LONG>(0, dc->window->frame.top);
        t.clip.right = std::min<LONG>(kDisplayWidth, dc->window->frame.right);
        t.clip.bottom = std::min<LONG>(kDisplayHeight, dc->window->frame.bottom);
    } else if (dc->bitmap) {
        t.surface = &dc->bitmap->surface;
        t.clip = RECT{0, 0, t.surface->width, t.surface->height};
        t.monochrome = dc->bitmap->bitsPixel == 1;
    }
    return t;
}

void NoteDrawn(DeviceContext* dc, const RECT& area) {
    if (dc->window && CurrentBackend()) CurrentBackend()->Present(Display(), area);
}

HDC WindowDc(WindowObject* window) {
    return NewDc(window);
}

}  // namespace platform

using namespace platform;

HDC CreateCompatibleDC(HDC) {
    return NewDc(nullptr);
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
    DeviceContext* d = ToDc(dc);
    if (!d || width < 0 || height < 0) return nullptr;
    // A memory DC makes bitmaps like the one it holds: with the default bitmap, monochrome.
    int bits = (!d->window && d->bitmap && d->bitmap->bitsPixel == 1) ? 1 : 32;
    return ToHandle(new BitmapObject(width, height, bits));
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    DeviceContext* d = ToDc(dc);
    GdiObject* o = ToObject(object);
    if (!d || !o) return nullptr;
    auto swap = [&](auto*& slot) -> HGDIOBJ {
        GdiObject* previous = slot;
        if (previous) previous->selectedIn--;
        slot = static_cast<std::remove_reference_t<decltype(slot)>>(o);
        o->selectedIn++;
        return previous;
    };
    switch (o->kind) {
        case GdiObject::Kind::Bitmap:
            // Only memory DCs take bitmaps, and a bitmap lives in one DC at a time.
            if (d->window || (o->selectedIn > 0 && o != d->bitmap && !o->stock)) return nullptr;
            return swap(d->bitmap);
        case GdiObject::Kind::Pen:
            return swap(d->pen);
        case GdiObject::Kind::Brush:
            return swap(d->brush);
        case GdiObject::Kind::Font:
            return swap(d->font);
    }
    return nullptr;
}

BOOL DeleteDC(HDC dc) {
    DeviceContext* d = ToDc(dc);
    if (!d || d->window) return FALSE;
    for (GdiObject* o : {static_cast<GdiObject*>(d->bitmap), static_cast<GdiObject*>(d->pen),
                         static_cast<GdiObject*>(d->brush), static_cast<GdiObject*>(d->font)})
        if (o) o->selectedIn--;
    LiveDcs().erase(d);
    delete d;
    return TRUE;
}

BOOL DeleteObject(HGDIOBJ object) {
    GdiObject* o = ToObject(object);
    if (!o) return FALSE;
    if (o->stock) return TRUE;
    // GDI refuses to delete a bitmap that a DC still holds.
    if (o->kind == GdiObject::Kind::Bitmap && o->selectedIn > 0) return FALSE;
    LiveObjects().erase(o);
    delete o;
    return TRUE;
}

int GetObjectW(HANDLE object, int size, LPVOID out) {
    BitmapObject* b = ToBitmap(object);
    if (!b) return 0;
    if (!out) return sizeof(BITMAP);
    if (size < int(sizeof(BITMAP))) return 0;
    BITMAP bm{};
    bm.bmWidth = b->surface.width;
    bm.bmHeight = b->surface.height;
    bm.bmBitsPixel = WORD(b->bitsPixel);
    bm.bmPlanes = 1;
    bm.bmWidthBytes = ((b->surface.width * b->bitsPixel + 15) / 16) * 2;
    *static_cast<BITMAP*>(out) = bm;
    return sizeof(BITMAP);
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
            DWORD rop) {
    DeviceContext* d = ToDc(dest);
    DeviceContext* s = ToDc(source);
    if (!d || !s || rop != SRCCOPY) return FALSE;
    DrawTarget dt = TargetOf(d), st = TargetOf(s);
    if (!dt.surface || !st.surface) return FALSE;
    Span span = ClipCopy(dt, x, y, st, sourceX, sourceY, width, height);
    if (span.x0 >= span.x1 || span.y0 >= span.y1) return TRUE;
    PixelConverter convert{dt.monochrome, st.monochrome, s->bkColour, d->textColour, d->bkColour};
    int rowLength = span.x1 - span.x0;
    std::vector<COLORREF> row(rowLength);
    // Rows go through a buffer, and bottom-up when copying downwards within one surface, so
    // an overlapping copy reads every pixel before it is overwritten.
    bool upwards = dt.surface == st.surface && (y + dt.originY) > (sourceY + st.originY);
    for (int k = 0; k < span.y1 - span.y0; ++k) {
        int j = upwards ? span.y1 - 1 - k : span.y0 + k;
        const COLORREF* from =
            &st.surface->At(sourceX + st.originX + span.x0, sourceY + st.originY + j);
        std::copy_n(from, rowLength, row.begin());
        COLORREF* to = &dt.surface->At(x + dt.originX + span.x0, y + dt.originY + j);
        for (int i = 0; i < rowLength; ++i) to[i] = convert(row[i]);
    }
    NoteDrawn(d, RECT{x + dt.originX + span.x0, y + dt.originY + span.y0, x + dt.originX + span.x1,
                      y + dt.originY + span.y1});
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
    if (destWidth == sourceWidth && destHeight == sourceHeight) {
        // The common case, composing a figure: one to one, row by row.
        Span span = ClipCopy(dt, destX, destY, st, sourceX, sourceY, destWidth, destHeight);
        if (span.x0 >= span.x1 || span.y0 >= span.y1) return TRUE;
        for (int j = span.y0; j < span.y1; ++j) {
            const COLORREF* from =
                &st.surface->At(sourceX + st.originX + span.x0, sourceY + st.originY + j);
            COLORREF* to = &dt.surface->At(destX + dt.originX + span.x0, destY + dt.originY + j);
            for (int i = 0; i < span.x1 - span.x0; ++i)
                if (from[i] != transparent) to[i] = convert(from[i]);
        }
        NoteDrawn(d, RECT{destX + dt.originX + span.x0, destY + dt.originY + span.y0,
                          destX + dt.originX + span.x1, destY + dt.originY + span.y1});
        return TRUE;
    }
    RECT drawn{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    // Stretched: each destination pixel takes the nearest source pixel.
    for (int j = 0; j < destHeight; ++j) {
        int ty = destY + dt.originY + j;
        int fy = sourceY + st.originY + int(int64_t(j) * sourceHeight / destHeight);
        if (ty < dt.clip.top || ty >= dt.clip.bottom || fy < st.clip.top || fy >= st.clip.bottom)
            continue;
        for (int i = 0; i < destWidth; ++i) {
            int tx = destX + dt.originX + i;
            int fx = sourceX + st.originX + int(int64_t(i) * sourceWidth / destWidth);
            if (tx < dt.clip.left || tx >= dt.clip.right || fx < st.clip.left ||
                fx >= st.clip.right)
                continue;
            COLORREF c = st.surface->At(fx, fy);
            if (c == transparent) continue;
            dt.surface->At(tx, ty) = convert(c);
            drawn = RECT{std::min<LONG>(drawn.left, tx), std::min<LONG>(drawn.top, ty),
                         std::max<LONG>(drawn.right, tx + 1), std::max<LONG>(drawn.bottom, ty + 1)};
        }
    }
    if (drawn.left < drawn.right) NoteDrawn(d, drawn);
    return TRUE;
}

HPEN CreatePen(int style, int width, COLORREF colour) {
    return static_cast<HPEN>(RegisterObject(new PenObject(style, width, colour)));
}

HBRUSH CreateSolidBrush(COLORREF colour) {
    return static_cast<HBRUSH>(RegisterObject(new BrushObject(colour, false)));
}

HGDIOBJ GetStockObject(int index) {
    StockObjects& s = Stock();
    switch (index) {
        case WHITE_BRUSH:
            return static_cast<GdiObject*>(s.whiteBrush);
        case BLACK_BRUSH:
            return static_cast<GdiObject*>(s.blackBrush);
        case NULL_BRUSH:
            return static_cast<GdiObject*>(s.nullBrush);
        case WHITE_PEN:
            return static_cast<GdiObject*>(s.whitePen);
        case BLACK_PEN:
            return static_cast<GdiObject*>(s.blackPen);
        case NULL_PEN:
            return static_cast<GdiObject*>(s.nullPen);
        case SYSTEM_FONT:
            return static_cast<GdiObject*>(s.systemFont);
        default:
            return nullptr;
    }
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

COLORREF SetBkColor(HDC dc, COLORREF colour) {
    DeviceContext* d = ToDc(dc);
    if (!d) return 0xFFFFFFFF;
    return std::exchange(d->bkColour, colour);
}

COLORREF SetTextColor(HDC dc, COLORREF colour) {
    DeviceContext* d = ToDc(dc);
    if (!d) return 0xFFFFFFFF;
    return std::exchange(d->textColour, colour);
}

int SetBkMode(HDC dc, int mode) {
    DeviceContext* d = ToDc(dc);
    if (!d || (mode != OPAQUE && mode != TRANSPARENT)) return 0;
    return std::exchange(d->bkMode, mode);
}
