// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// How a host's start-up code and the tests set the platform up and feed it.
#pragma once

#include <memory>
#include <string>

#include "platform/backend.h"
#include "platform/gdi32/surface.h"

namespace platform {

// The logical display the program sees, whatever the host's screen.
constexpr int kDisplayWidth = 240;
constexpr int kDisplayHeight = 320;

// Installs a backend and starts from a clean slate: no window or class, an empty queue, no GDI
// object but the stock ones, a black display, seed 1, fonts not yet read.
void Start(std::unique_ptr<Backend> backend);
// Destroys any window left, then every object the program left behind, then the backend.
void Stop();
Backend* CurrentBackend();

// What GetCommandLineW gives the program from now on (until the next Start): the host's own
// command line, as Windows would have it (see WindowsCommandLine).
void SetCommandLine(std::wstring line);

// A WAVE resource the host hands the program at run time (the page's voice, which is no part of
// the compiled program), found by FindResourceW as the compiled-in ones are until the next
// Start. The bytes must stay as long; a number the program has already is not replaced.
void AddWaveResource(int id, const uint8_t* data, size_t size);

// What has been copied onto the window so far.
const Surface& Display();

// Input from the host: a stylus press or release at display position x, y, and a request to
// close the window. They are posted to the program's window like the system would.
void PostStylus(bool down, int x, int y);
void PostClose();

// The first top-level window still alive, if any.
HWND MainWindow();

}  // namespace platform
