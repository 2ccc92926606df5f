// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Figures and a screen of plain colours, for exercising the toolkit without resources, and the
// fixture that sets them up.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "shell/platform.h"
#include "tests/support/colour_surface.h"
#include "tests/support/host_test.h"
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

// Records what figures report: "press X,Y release X,Y ", and which figures said it.
struct Recorder : FigureListener {
    std::string said;
    std::vector<Figure*> figures;
    void OnFigurePress(Figure* f, int32_t x, int32_t y) override { Note("press ", f, x, y); }
    void OnFigureRelease(Figure* f, int32_t x, int32_t y) override { Note("release ", f, x, y); }
    void Note(const char* what, Figure* f, int32_t x, int32_t y) {
        said += what + std::to_string(x) + ',' + std::to_string(y) + ' ';
        figures.push_back(f);
    }
    // What was said since last asked.
    std::string Take() {
        figures.clear();
        return std::exchange(said, "");
    }
};

// A plain screen of kBackground on the host's window, with a recorder for its figures.
class PlainScreenTest : public HostTest {
  protected:
    static constexpr COLORREF kBackground = RGB(10, 20, 30);
    void SetUp() override {
        HostTest::SetUp();
        screen = std::make_unique<PlainScreen>(window, kBackground);
    }
    void TearDown() override {
        screen.reset();
        HostTest::TearDown();
    }
    // Hands a figure to the screen, which deletes it, set up as its creator would: layer,
    // enabled, position, then the recorder as its listener.
    template <typename F>
    F* Add(F* figure, int x, int y, int layer = 10) {
        figure->SetLayer(layer);
        figure->enabled = true;
        figure->SetX(x);
        figure->SetY(y);
        figure->AddListener(&recorder);
        screen->AddFigure(figure);
        return figure;
    }
    Swatch* AddSwatch(int x, int y, int w, int h, const WCHAR* type = L"Figure", int layer = 10) {
        return Add(new Swatch(screen.get(), window, w, h, RGB(0, 200, 0), type), x, y, layer);
    }
    void ClearDirty() { screen->dirty = InclusiveRect{-1, -1, -1, -1}; }
    // The dirty rectangle as "left top right bottom", or "none".
    std::string Dirty() const { return Describe(screen->dirty); }
    static std::string Describe(const InclusiveRect& r) {
        if (r.left == -1) return "none";
        return std::to_string(r.left) + ' ' + std::to_string(r.top) + ' ' +
               std::to_string(r.right) + ' ' + std::to_string(r.bottom);
    }

    std::unique_ptr<PlainScreen> screen;
    Recorder recorder;
};
