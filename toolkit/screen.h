// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// One page of the user interface: an off-screen back buffer, figures sorted by layer, a dirty
// rectangle repainted on the tick at most every RedrawInterval, and stylus routing.
#pragma once

#include <cstdint>

#include "shell/platform.h"
#include "toolkit/figure.h"
#include "toolkit/inclusive_rect.h"
#include "toolkit/ptr_list.h"

class Animation;

// Timed repaints happen at most this often, in milliseconds.
constexpr uint32_t RedrawInterval = 85;

class Screen {
  public:
    Screen(HWND window, HINSTANCE instance);

    virtual void Tick(uint32_t now);
    virtual ~Screen();
    virtual void Redraw(bool full);
    virtual void Paint(HDC dc, bool full);

    void AddFigure(Figure* figure);
    void RemoveFigure(Figure* figure, bool destroy);
    void RelayerFigure(Figure* figure);
    void DeleteAllFigures();
    void MarkDirty(const InclusiveRect& r);
    void PointerDown(int32_t x, int32_t y);
    void PointerUp(int32_t x, int32_t y);

    int32_t width = 0;
    int32_t height = 0;
    HBITMAP backBitmap = nullptr;
    bool painting = false;
    bool active = false;
    Figure* background = nullptr;
    PtrList<Figure> figures;
    // What has changed since the last repaint, edges inside as a figure's bounds are; empty
    // while left is -1. MarkDirty drops a rectangle reaching outside the screen whole, never
    // clipping it; a repaint copies the rectangle clipped to the back buffer.
    InclusiveRect dirty{-1, -1, -1, -1};
    uint32_t lastRedraw = 0;
    HWND window;
    HDC backBuffer = nullptr;
    HINSTANCE instance;
    PtrList<Animation> animations;

    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

  private:
    static bool Hit(Figure* figure, int32_t x, int32_t y);
};
