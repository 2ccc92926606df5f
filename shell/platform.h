// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The one header through which the shell, the toolkit and the game reach the platform.
//
// It declares the Win32 names, types and constants the program uses, signature-compatible
// with the real API, in one header per library as <windows.h> is made of <winuser.h>,
// <wingdi.h> and the rest (shell/winapi/). A Windows build takes them from <windows.h> and
// reaches Windows itself, except for a few names routed to a thin layer (platform/hosts/win32/)
// where a PC differs from the handheld. Everywhere else the platform/ folder implements them on
// top of a small host backend, each call in the folder of its library (platform/README.md).
#pragma once

#include <cstdint>
#include <cwchar>

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX  // std::min and std::max, not the macros
#endif
#include <windows.h>
// After <windows.h>, which it needs (and which leaves it out when asked to be lean).
#include <shellapi.h>

#include "shell/winapi/pc_layer.h"
#else
#include "shell/winapi/mmsystem.h"  // winmm
#include "shell/winapi/shellapi.h"  // shell32
#include "shell/winapi/winbase.h"   // kernel32
#include "shell/winapi/windef.h"
#include "shell/winapi/wingdi.h"   // gdi32
#include "shell/winapi/winnls.h"   // kernel32
#include "shell/winapi/winuser.h"  // user32
#endif

// What neither a PC's headers nor our own Win32 ones have: the handheld's shell and blit, and
// the game's own generator.
#include "shell/winapi/aygshell.h"      // aygshell
#include "shell/winapi/handheld_gdi.h"  // gdi32
#include "shell/winapi/lcg_random.h"    // msvcrt

// The program's entry point, called by the host's start-up code.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int showCommand);
