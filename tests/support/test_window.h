// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The window a test of the platform opens: a class of its own, shown at the display's size.
#pragma once

#include "shell/platform.h"

// Registers `className` with this procedure, style and icon, and opens a visible 240 x 320
// window of it at the origin, captioned with the class's name. Null if that fails.
inline HWND OpenTestWindow(const WCHAR* className, WNDPROC procedure = DefWindowProcW,
                           UINT style = 0, HICON icon = nullptr) {
    WNDCLASSW cls{};
    cls.style = style;
    cls.lpfnWndProc = procedure;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hIcon = icon;
    cls.lpszClassName = className;
    if (!RegisterClassW(&cls)) return nullptr;
    return CreateWindowExW(0, className, className, WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                           cls.hInstance, nullptr);
}
