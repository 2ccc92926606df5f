// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// A figure of one colour, for exercising the screen without resources.
#pragma once

#include <memory>
#include <vector>

#include "tests/support/headless_fixture.h"
#include "toolkit/figure.h"
#include "toolkit/screen.h"

class Swatch : public Figure {
  public:
    Swatch(Screen* screen, HWND window, int w, int h, COLORREF colour,
           const WCHAR* type = L"Figure")
        : Figure(screen, window), pixels(window, w, h, colour), type(type) {
        SetWidth(w);
        SetHeight(h);
        SetVisible(true);
    }
    HDC GetSurface() override { return pixels.dc; }
    const WCHAR* GetTypeName() override { return type; }

    ColourSurface pixels;
    const WCHAR* type;
};

// A screen that is otherwise plain, with a window-filling background of one colour.
class PlainScreen : public Screen {
  public:
    PlainScreen(HWND window, COLORREF colour) : Screen(window, nullptr) {
        background = new Swatch(this, window, width, height, colour);
        background->SetLayer(1);
        AddFigure(background);
    }
    ~PlainScreen() override { DeleteAllFigures(); }
};

// Records what figures report, in order.
struct Recorder : FigureListener {
    struct Event {
        bool press;
        Figure* figure;
        int x, y;
    };
    std::vector<Event> events;
    void OnFigurePress(Figure* f, int32_t x, int32_t y) override {
        events.push_back({true, f, x, y});
    }
    void OnFigureRelease(Figure* f, int32_t x, int32_t y) override {
        events.push_back({false, f, x, y});
    }
};
