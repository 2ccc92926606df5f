// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The platform's record of a top-level window and its class.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

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

// The registered classes and every window made. Destroyed windows stay in the table, so that
// their handles are recognised as dead rather than taken for something else.
struct WindowTable {
    std::map<std::wstring, WNDCLASSW> classes;
    std::vector<std::unique_ptr<WindowObject>> windows;
};

WindowObject* ToWindow(HWND window);
// Destroys every window still alive, as the end of the program does.
void DestroyAllWindows();

}  // namespace platform
