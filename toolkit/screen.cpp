// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "toolkit/screen.h"

#include <cwchar>

#include "toolkit/animation.h"
#include "toolkit/button.h"

Screen::Screen(HWND window, HINSTANCE instance) : window(window), instance(instance) {
    RECT client{};
    GetClientRect(window, &client);
    width = client.right - client.left;
    height = client.bottom - client.top;
    HDC windowDc = GetDC(window);
    backBuffer = CreateCompatibleDC(windowDc);
    backBitmap = CreateCompatibleBitmap(windowDc, width, height);
    SelectObject(backBuffer, backBitmap);
    ReleaseDC(window, windowDc);
}

Screen::~Screen() {
    DeleteDC(backBuffer);
    DeleteObject(backBitmap);
    figures.Clear();
    animations.Clear();
}

void Screen::AddFigure(Figure* figure) {
    int32_t layer = figure->GetLayer();
    int32_t position = 0;
    for (auto* n = figures.head; n && n->item->GetLayer() < layer; n = n->next) ++position;
    figures.InsertAt(figure, position);
}

void Screen::RemoveFigure(Figure* figure, bool destroy) {
    if (figure && figure->visible) MarkDirty(figure->GetBounds());
    figures.Remove(figure);
    if (destroy && figure) delete figure;
}

void Screen::RelayerFigure(Figure* figure) {
    if (figures.Remove(figure)) AddFigure(figure);
}

void Screen::DeleteAllFigures() {
    for (auto* n = figures.head; n; n = n->next) delete n->item;
    figures.Clear();
}

void Screen::MarkDirty(const InclusiveRect& r) {
    // A rectangle reaching outside the screen is dropped whole, not clipped.
    if (r.left < 0 || r.top < 0 || r.right > width || r.bottom > height) return;
    if (dirty.left == -1) {
        dirty = r;
        return;
    }
    RECT before = dirty.Exclusive(), added = r.Exclusive(), both;
    UnionRect(&both, &before, &added);
    dirty = InclusiveRect::FromExclusive(both);
}

void Screen::Tick(uint32_t now) {
    ForEachSnapshot(animations, [&](Animation* a) { a->Tick(now); });
    if (now - lastRedraw < RedrawInterval) return;
    lastRedraw = now;
    if (dirty.left != -1) Redraw(false);
}

void Screen::Redraw(bool full) {
    if (!active) return;
    HDC dc = GetDC(window);
    Paint(dc, full);
    ReleaseDC(window, dc);
}

void Screen::Paint(HDC dc, bool full) {
    if (painting) return;
    painting = true;
    for (auto* n = figures.head; n; n = n->next) {
        Figure* f = n->item;
        if (!f->visible) continue;
        HDC surface = f->GetSurface();
        if (!surface) continue;
        int32_t x = f->GetX(), y = f->GetY(), w = f->GetWidth(), h = f->GetHeight();
        if (f == background)
            BitBlt(backBuffer, x, y, w, h, surface, 0, 0, SRCCOPY);
        else
            TransparentImage(backBuffer, x, y, w, h, surface, 0, 0, w, h, KeyColour);
    }
    RECT copy = full ? RECT{0, 0, width, height} : dirty.Exclusive();
    BitBlt(dc, copy.left, copy.top, copy.right - copy.left, copy.bottom - copy.top, backBuffer,
           copy.left, copy.top, SRCCOPY);
    painting = false;
    dirty = InclusiveRect{-1, -1, -1, -1};
}

bool Screen::Hit(Figure* f, int32_t x, int32_t y) {
    if (!f->visible) return false;
    RECT bounds = f->GetBounds().Exclusive();
    return PtInRect(&bounds, POINT{x, y});
}

void Screen::PointerDown(int32_t x, int32_t y) {
    for (auto* n = figures.tail; n;) {
        Figure* f = n->item;
        if (Hit(f, x, y)) {
            if (f->enabled) f->OnPointerDown(x, y);
            if (!f->passThrough) return;
        }
        n = n->prev;  // read after the call: the handler may have changed the list
    }
}

void Screen::PointerUp(int32_t x, int32_t y) {
    for (auto* n = figures.tail; n;) {
        Figure* f = n->item;
        // A button hears the release wherever the stylus lifts, so that it never stays pressed.
        if (f->enabled && (Hit(f, x, y) || std::wcscmp(f->GetTypeName(), Button::TypeName) == 0))
            f->OnPointerUp(x, y);
        n = n->prev;
    }
}
