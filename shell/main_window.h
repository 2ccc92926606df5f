// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The program's entry point and its only window: one instance at a time, a full-screen
// window, and a message loop that never waits and hands every pass's tick to the current
// screen.
#pragma once

#include "shell/app.h"
#include "shell/exit_codes.h"
#include "shell/platform.h"

// What the window procedure and the loop share for the program's life.
struct MainWindowState {
    // The App, from StartInstance until the window is destroyed; null before and after.
    App* app = nullptr;
    // The display's size, read as the window is created: every paint keeps the window to it.
    int screenWidth = 0;
    int screenHeight = 0;
    // The handheld shell's record of the window's activation, for SHHandleWMActivate.
    SHACTIVATEINFO activateInfo{};
    // What WinMain returns when StartInstance gives up: 0 when another copy was brought
    // forward, NoWindowExitCode when the window could not be created.
    int startExitCode = 0;
};
extern MainWindowState TheMainWindow;

BOOL StartInstance(HINSTANCE instance, int showCommand);
ATOM RegisterMainWindowClass(HINSTANCE instance, LPCWSTR className);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
