// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// user32: GetDC, ReleaseDC, BeginPaint, EndPaint, InvalidateRect, UpdateWindow
// Painting a window: its device contexts, which draw onto the display inside the window's
// frame, and the update region that a paint takes.
#include "platform/gdi32/gdi_objects.h"
#include "platform/user32/window_object.h"

using namespace platform;

BOOL InvalidateRect(HWND window, const RECT* rect, BOOL) {
    WindowObject* w = ToWindow(window);
    if (!w) return FALSE;
    RECT client{}, r;
    GetClientRect(window, &client);
    if (!IntersectRect(&r, rect ? rect : &client, &client)) return TRUE;
    if (!w->invalid) SetRectEmpty(&w->update);
    UnionRect(&w->update, &w->update, &r);
    w->invalid = true;
    return TRUE;
}

HDC GetDC(HWND window) {
    WindowObject* w = ToWindow(window);
    if (!w) return nullptr;
    w->dcCount++;
    return WindowDc(w);
}

int ReleaseDC(HWND window, HDC dc) {
    DeviceContext* d = ToDc(dc);
    WindowObject* w = ToWindow(window);
    if (!d || !d->window || d->window != w) return 0;
    w->dcCount--;
    d->window = nullptr;  // a released DC becomes an empty memory DC, which DeleteDC accepts
    DeleteDC(dc);
    return 1;
}

HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
    if (!paint) return nullptr;
    *paint = PAINTSTRUCT{};  // a failed call still leaves EndPaint a null DC to release
    WindowObject* w = ToWindow(window);
    if (!w) return nullptr;
    paint->rcPaint = w->invalid ? w->update : RECT{0, 0, 0, 0};
    w->invalid = false;
    paint->hdc = GetDC(window);
    return paint->hdc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT* paint) {
    if (!paint) return FALSE;
    ReleaseDC(window, paint->hdc);
    return TRUE;
}

BOOL UpdateWindow(HWND window) {
    WindowObject* w = ToWindow(window);
    if (!w) return FALSE;
    if (w->invalid && w->visible) w->proc(window, WM_PAINT, 0, 0);
    return TRUE;
}
