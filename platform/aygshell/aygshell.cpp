// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// aygshell: SHFullScreen, SHDoneButton, SHHandleWMActivate, SHHandleWMSettingChange
// The Pocket PC shell's full-screen and activation calls: a host window has no task bar,
// Start icon, input-panel button or Done button to hide, so they succeed and change nothing.
#include "shell/platform.h"

BOOL SHFullScreen(HWND, DWORD) {
    return TRUE;
}
BOOL SHDoneButton(HWND, DWORD) {
    return TRUE;
}
BOOL SHHandleWMActivate(HWND, WPARAM, LPARAM, SHACTIVATEINFO*, DWORD) {
    return FALSE;
}
BOOL SHHandleWMSettingChange(HWND, WPARAM, LPARAM, SHACTIVATEINFO*) {
    return FALSE;
}
