// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// gdi32: CreateCompatibleDC, DeleteDC, GetDeviceCaps, SetBkColor, SetTextColor, SetBkMode
// Device contexts: memory DCs holding a bitmap, window DCs drawing onto the display through the
// window's frame, and the colours and mode that text and monochrome copies take from them.
#include <utility>

#include "platform/gdi32/gdi_objects.h"
#include "platform/host.h"
#include "platform/platform_state.h"
#include "platform/user32/window_object.h"

namespace platform {
namespace {

HDC NewDc(WindowObject* window) {
    auto* dc = new DeviceContext();
    dc->window = window;
    dc->pen = State().gdi.stock.blackPen;
    dc->brush = State().gdi.stock.whiteBrush;
    dc->font = State().gdi.stock.systemFont;
    for (GdiObject* o : {static_cast<GdiObject*>(dc->pen), static_cast<GdiObject*>(dc->brush),
                         static_cast<GdiObject*>(dc->font)})
        o->selectedIn++;
    if (!window) {
        dc->bitmap = State().gdi.stock.defaultBitmap;
        dc->bitmap->selectedIn++;
    }
    State().gdi.dcs.insert(dc);
    return reinterpret_cast<HDC>(dc);
}

}  // namespace

DeviceContext* ToDc(HDC dc) {
    auto* p = reinterpret_cast<DeviceContext*>(dc);
    return State().gdi.dcs.count(p) ? p : nullptr;
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

BOOL DeleteDC(HDC dc) {
    DeviceContext* d = ToDc(dc);
    if (!d || d->window) return FALSE;
    for (GdiObject* o : {static_cast<GdiObject*>(d->bitmap), static_cast<GdiObject*>(d->pen),
                         static_cast<GdiObject*>(d->brush), static_cast<GdiObject*>(d->font)})
        if (o) o->selectedIn--;
    State().gdi.dcs.erase(d);
    delete d;
    return TRUE;
}

int GetDeviceCaps(HDC dc, int index) {
    if (!ToDc(dc)) return 0;
    switch (index) {
        case HORZRES:
            return kDisplayWidth;
        case VERTRES:
            return kDisplayHeight;
        default:
            return 0;
    }
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
