// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// A small software GDI: device contexts, bitmaps, pens, brushes, blits and rectangles.
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/gdi32/gdi_objects.h"
#include "platform/host.h"
#include "platform/platform_state.h"
#include "platform/user32/window_object.h"

namespace platform {
namespace {

GdiTables& Tables() {
    return State().gdi;
}

StockObjects& Stock() {
    return State().gdi.stock;
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
    Tables().dcs.insert(dc);
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

template <typename T>
T* MakeStock(GdiTables& tables, T* object) {
    object->stock = true;
    tables.objects.insert(object);
    return object;
}

}  // namespace

GdiTables::GdiTables() {
    stock.whiteBrush = MakeStock(*this, new BrushObject(RGB(255, 255, 255), false));
    stock.blackBrush = MakeStock(*this, new BrushObject(RGB(0, 0, 0), false));
    stock.nullBrush = MakeStock(*this, new BrushObject(0, true));
    stock.whitePen = MakeStock(*this, new PenObject(PS_SOLID, 1, RGB(255, 255, 255)));
    stock.blackPen = MakeStock(*this, new PenObject(PS_SOLID, 1, RGB(0, 0, 0)));
    stock.nullPen = MakeStock(*this, new PenObject(PS_NULL, 1, 0));
    stock.systemFont = MakeStock(*this, new FontObject(LOGFONTW{}));
    stock.defaultBitmap = MakeStock(*this, new BitmapObject(1, 1, 1));
}

GdiTables::~GdiTables() {
    for (DeviceContext* dc : dcs) delete dc;
    for (GdiObject* o : objects) delete o;
}

DeviceContext* ToDc(HDC dc) {
    auto* p = reinterpret_cast<DeviceContext*>(dc);
    return Tables().dcs.count(p) ? p : nullptr;
}

GdiObject* ToObject(HGDIOBJ object) {
    auto* p = static_cast<GdiObject*>(object);
    return Tables().objects.count(p) ? p : nullptr;
}

BitmapObject* ToBitmap(HGDIOBJ object) {
    GdiObject* o = ToObject(object);
    return o && o->kind == GdiObject::Kind::Bitmap ? static_cast<BitmapObject*>(o) : nullptr;
}

HGDIOBJ RegisterObject(GdiObject* object) {
    Tables().objects.insert(object);
    return object;
}

HBITMAP ToHandle(BitmapObject* bitmap) {
    return static_cast<HBITMAP>(RegisterObject(bitmap));
}

DrawTarget TargetOf(DeviceContext* dc) {
    DrawTarget t;
    if (dc->window) {
        if (!dc->window->alive) return t;
        t.surface = &State().display;
        t.originX = dc->window->frame.left;
        t.originY = dc->window->frame.top;
        RECT display{0, 0, kDisplayWidth, kDisplayHeight};
        IntersectRect(&t.clip, &display, &dc->window->frame);
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
    Tables().dcs.erase(d);
    delete d;
    return TRUE;
}

BOOL DeleteObject(HGDIOBJ object) {
    GdiObject* o = ToObject(object);
    if (!o) return FALSE;
    if (o->stock) return TRUE;
    // GDI refuses to delete a bitmap that a DC still holds.
    if (o->kind == GdiObject::Kind::Bitmap && o->selectedIn > 0) return FALSE;
    Tables().objects.erase(o);
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

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
    DeviceContext* d = ToDc(dc);
    if (!d) return nullptr;
    switch (type) {
        case OBJ_BITMAP:
            return d->bitmap;
        case OBJ_PEN:
            return d->pen;
        case OBJ_BRUSH:
            return d->brush;
        case OBJ_FONT:
            return d->font;
        default:
            return nullptr;
    }
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
