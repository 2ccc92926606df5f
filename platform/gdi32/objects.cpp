// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// gdi32: GetStockObject, SelectObject, GetCurrentObject, DeleteObject, GetObjectW
// GDI's objects behind their handles: the tables of every live object, the stock ones, and the
// calls that select, describe and delete them.
#include <type_traits>

#include "platform/gdi32/gdi_objects.h"
#include "platform/platform_state.h"

namespace platform {
namespace {

GdiTables& Tables() {
    return State().gdi;
}

StockObjects& Stock() {
    return State().gdi.stock;
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

}  // namespace platform

using namespace platform;

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
