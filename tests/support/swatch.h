// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Figures and a screen of plain colours, for exercising the toolkit without resources.
#pragma once

#include <memory>
#include <vector>

#include "shell/platform.h"
#include "tests/support/colour_surface.h"
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

// A screen that is otherwise plain, with a window-filling background of one colour. What it
// copies onto its window lands on `shown` instead, a memory DC standing in for the window that
// starts all kUnshown, so that a test can tell on any host which pixels a repaint copied.
class PlainScreen : public Screen {
  public:
    static constexpr COLORREF kUnshown = RGB(1, 2, 3);

    PlainScreen(HWND window, COLORREF colour)
        : Screen(window, GetModuleHandleW(nullptr)), shown(window, width, height, kUnshown) {
        background = new Swatch(this, window, width, height, colour);
        background->SetLayer(1);
        AddFigure(background);
    }
    ~PlainScreen() override { DeleteAllFigures(); }

    void Paint(HDC, bool full) override {
        if (!painting) ++paints;
        Screen::Paint(shown.dc, full);
    }

    ColourSurface shown;
    int paints = 0;  // repaints that copied onto the window
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
