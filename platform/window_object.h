// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The platform's record of a top-level window and its class.
#pragma once

#include <string>

#include "shell/platform.h"

namespace platform {

struct WindowObject {
    std::wstring className;
    std::wstring title;
    WNDPROC proc = nullptr;
    UINT classStyle = 0;
    DWORD style = 0;
    RECT frame{};  // display coordinates, exclusive right/bottom; the client area is all of it
    bool visible = false;
    bool alive = true;
    bool invalid = false;  // has an update region
    RECT update{};         // its bounding box, client coordinates
    int dcCount = 0;
};

WindowObject* ToWindow(HWND window);

}  // namespace platform
