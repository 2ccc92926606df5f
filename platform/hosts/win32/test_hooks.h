// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// What the test host (tests/support/win32_host.cpp) holds still or catches, so that the toolkit
// and game tests run on Windows as on every other host. The program never calls these.
#pragma once

#include <optional>

#include "shell/platform.h"

namespace platform::win32 {

// The tick GetTickCount gives, standing still until moved; none: the running clock.
void HoldTick(std::optional<DWORD> tick);
// Sounds started go to `observer` instead of the speakers; null: they are played.
using SoundObserver = void (*)(LPCWSTR sound, UINT flags);
void ObserveSounds(SoundObserver observer);
// The left button as GetAsyncKeyState reports it; none: the real one.
void HoldStylus(std::optional<bool> down);

}  // namespace platform::win32
