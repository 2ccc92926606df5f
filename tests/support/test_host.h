// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// What the toolkit and game tests need of the host beyond Win32 itself. They reach the platform
// through shell/platform.h alone and through this, so that the same test sources run on every
// host that implements it: tests/support/headless_host.cpp on our own platform layer, and a
// Win32 one against the real system.
//
// Nothing here reads the window: a test that looks at pixels reads a memory DC (a figure's
// surface, a screen's back buffer) with GetPixel or GetDIBits.
#pragma once

#include <vector>

#include "shell/platform.h"

namespace test_host {

// Makes the platform ready to draw, with the tick at `startTick` and one shown top-level window
// whose client area is the display's 240 x 320 pixels; its messages go to DefWindowProcW.
// Gives the window. Whatever an earlier Open made is gone first.
HWND Open(DWORD startTick = 0);
// Ends what Open started, the window and every object made since.
void Close();

// The sounds started since Open, in order, each as the number of its WAVE resource (0 for
// silence, or for an image that is no resource of the program).
std::vector<int> Sounds();

// The tick GetTickCount gives, and moving it on. The tick stands still otherwise.
DWORD Now();
void Advance(DWORD ms);

// Holds the stylus on the screen or lifts it, as GetAsyncKeyState(VK_LBUTTON) then reports.
// Nothing is posted to the window.
void SetStylus(bool down);

}  // namespace test_host
