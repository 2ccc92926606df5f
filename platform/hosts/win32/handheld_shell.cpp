// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The handheld's shell and blitting calls on a PC. The window is already what the command line
// asked for (a window, or the whole screen), so hiding the task bar, the Start icon, the input
// panel's button and the Done button changes nothing; activation and setting changes get the
// PC's default handling.
#include "platform/hosts/win32/layer.h"

BOOL SHFullScreen(HWND, DWORD) {
    return TRUE;
}

BOOL SHDoneButton(HWND, DWORD) {
    return TRUE;
}

BOOL SHHandleWMActivate(HWND window, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO*, DWORD) {
    DefWindowProcW(window, WM_ACTIVATE, wParam, lParam);
    return TRUE;
}

BOOL SHHandleWMSettingChange(HWND window, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO*) {
    DefWindowProcW(window, WM_SETTINGCHANGE, wParam, lParam);
    return TRUE;
}

BOOL TransparentImage(HDC dest, int destX, int destY, int destWidth, int destHeight, HANDLE source,
                      int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                      COLORREF transparent) {
    return TransparentBlt(dest, destX, destY, destWidth, destHeight, static_cast<HDC>(source),
                          sourceX, sourceY, sourceWidth, sourceHeight, transparent);
}
