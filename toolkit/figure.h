// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The base of everything drawn on a screen: a rectangle with a layer, visibility, stylus
// flags, listeners and a surface that each kind supplies.
#pragma once

#include <cstdint>

#include "shell/platform.h"
#include "toolkit/inclusive_rect.h"
#include "toolkit/listeners.h"
#include "toolkit/ptr_list.h"

// Pixels of this colour are transparent when figures are composed; text is rendered on it.
constexpr COLORREF KeyColour = RGB(246, 140, 197);

class Figure {
  public:
    Figure(Screen* screen, HWND window);

    virtual void Tick(uint32_t now);
    virtual void SetWidth(int32_t value);
    virtual void SetHeight(int32_t value);
    virtual ~Figure();
    virtual const WCHAR* GetTypeName();
    virtual int32_t GetLayer();
    virtual HDC GetSurface() = 0;
    virtual void SetLayer(int32_t value);
    virtual void OnPointerDown(int32_t x, int32_t y);
    virtual void OnPointerUp(int32_t x, int32_t y);
    virtual int32_t GetX();
    virtual int32_t GetY();
    virtual int32_t GetWidth();
    virtual int32_t GetHeight();
    virtual void SetX(int32_t value);
    virtual void SetY(int32_t value);
    virtual void FillWithKey(HDC dc);

    void SetVisible(bool value);
    void Invalidate();
    // x and y to x + width and y + height, all four edges inside.
    InclusiveRect GetBounds();
    void AddListener(FigureListener* listener);

    PtrList<FigureListener> listeners;
    bool visible = false;
    bool enabled = false;
    int32_t layer = 10;
    bool passThrough = false;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    Screen* screen;
    int32_t tag = 0;
    HWND window;

    Figure(const Figure&) = delete;
    Figure& operator=(const Figure&) = delete;
};
