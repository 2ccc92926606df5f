// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The thin layer over real Win32: what the start-up code sets, and the state the redirected
// calls share. The program's top-level windows each show a 240x320 display: the program draws
// into a memory surface of that size, which is stretched onto the real window.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/hosts/picture_placement.h"
#include "shell/platform.h"

namespace platform::win32 {

struct Options {
    int scale = 0;  // 0: the largest whole scale whose window fits the work area
    bool fullscreen = false;
    std::optional<uint32_t> startTick;  // none: Windows' own tick
};

// Sets how the next windows are made and how the tick runs; the clock starts again.
void Configure(const Options& options);
const Options& CurrentOptions();
// The program moved (a copy reached its window, a sound started, a message was found): its
// looks at an empty queue wait only briefly for a while.
void NoteMoved();

// One top-level window of the program and the display it shows.
struct DisplayWindow {
    HWND window = nullptr;
    WNDPROC programProc = nullptr;  // the procedure the program registered for the class
    PictureLayout layout;           // where the picture sits in the client area
    RECT outer{};                   // the window's planned place, frame included
    HDC surface = nullptr;          // memory DC holding the 240x320 picture
    HBITMAP bitmap = nullptr;
    HGDIOBJ firstBitmap = nullptr;
    PAINTSTRUCT paint{};  // the real paint between BeginPaint and EndPaint
    bool painting = false;
    bool pressed = false;  // a press inside the picture has not come up yet
};

// The display of a window the layer made, or null for any other window.
DisplayWindow* FindDisplay(HWND window);
// Gives the window its display, laid out as given.
DisplayWindow* AttachDisplay(HWND window, WNDPROC programProc, const PictureLayout& layout);
void DetachDisplay(HWND window);
// Copies `area` of the display (its pixels, right and bottom outside) onto a DC of the real
// window, each pixel a scale-by-scale square.
void Present(const DisplayWindow& display, HDC target, const RECT& area);
// Paints the part of the client area outside the picture black.
void PaintBorder(const DisplayWindow& display, HDC target);

}  // namespace platform::win32
