// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Where a PC differs from the handheld, for the Windows build alone (its platform.h declarations
// come from <windows.h>): a few calls routed to a thin layer, platform/hosts/win32/.
#pragma once

// The program's entry point takes the command line as wide characters, which Windows' own
// WinMain does not; the start-up code (platform/hosts/win32/main.cpp) calls it.
#define WinMain QuillbyWinMain

// Where a PC differs from the handheld. The program's top-level windows show a 240x320 display
// stretched onto the real window: the program sees a 240x320 client area and device, draws into
// a surface of that size through the window's DCs, and gets stylus positions in its pixels. The
// font it asks for by family alone is its own, drawn without antialiasing; the loop's look at an
// empty queue waits a few milliseconds for input, or until a timer of the program is due; the
// tick starts where the command line says; the language resources are found in is the
// thread's locale as well as its UI language, which Wine's loader reads.
// The tests' host may hold the tick and the stylus and catch the sounds.
ATOM QuillbyRegisterClassW(const WNDCLASSW* wndClass);
HWND QuillbyCreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                            int x, int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param);
BOOL QuillbyMoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
BOOL QuillbyGetClientRect(HWND window, LPRECT rect);
BOOL QuillbyInvalidateRect(HWND window, const RECT* rect, BOOL erase);
BOOL QuillbySetForegroundWindow(HWND window);
HDC QuillbyGetDC(HWND window);
int QuillbyReleaseDC(HWND window, HDC dc);
HDC QuillbyBeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL QuillbyEndPaint(HWND window, const PAINTSTRUCT* paint);
int QuillbyGetDeviceCaps(HDC dc, int index);
HFONT QuillbyCreateFontIndirectW(const LOGFONTW* font);
BOOL QuillbyPeekMessageW(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
UINT_PTR QuillbySetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC procedure);
BOOL QuillbyKillTimer(HWND window, UINT_PTR id);
DWORD QuillbyGetTickCount();
BOOL QuillbySndPlaySoundW(LPCWSTR sound, UINT flags);
SHORT QuillbyGetAsyncKeyState(int key);
LANGID QuillbySetThreadUILanguage(LANGID language);
#ifndef QUILLBY_WIN32_LAYER  // the layer itself calls the real ones
#define RegisterClassW QuillbyRegisterClassW
#define CreateWindowExW QuillbyCreateWindowExW
#define MoveWindow QuillbyMoveWindow
#define GetClientRect QuillbyGetClientRect
#define InvalidateRect QuillbyInvalidateRect
#define SetForegroundWindow QuillbySetForegroundWindow
#define GetDC QuillbyGetDC
#define ReleaseDC QuillbyReleaseDC
#define BeginPaint QuillbyBeginPaint
#define EndPaint QuillbyEndPaint
#define GetDeviceCaps QuillbyGetDeviceCaps
#define CreateFontIndirectW QuillbyCreateFontIndirectW
#define PeekMessageW QuillbyPeekMessageW
#define SetTimer QuillbySetTimer
#define KillTimer QuillbyKillTimer
#define GetTickCount QuillbyGetTickCount
#define sndPlaySoundW QuillbySndPlaySoundW
#define GetAsyncKeyState QuillbyGetAsyncKeyState
#define SetThreadUILanguage QuillbySetThreadUILanguage
#endif
