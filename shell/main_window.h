// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The program's entry point and its only window: one instance at a time, a full-screen
// window, and a message loop that never waits and hands every pass's tick to the current
// screen.
#pragma once

#include "shell/app.h"
#include "shell/platform.h"

extern App* TheApp;
extern int ScreenWidth;
extern int ScreenHeight;
extern SHACTIVATEINFO ActivateInfo;
// What WinMain returns when StartInstance gives up: 0 when another copy was brought forward,
// 1 when the window could not be created.
extern int StartExitCode;

BOOL StartInstance(HINSTANCE instance, int showCommand);
ATOM RegisterMainWindowClass(HINSTANCE instance, LPCWSTR className);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
