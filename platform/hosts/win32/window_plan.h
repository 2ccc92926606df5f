// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Where the program's window goes on a PC screen and how large it is: plain arithmetic, so that
// it is tested apart from any window.
#pragma once

#include "platform/hosts/picture_placement.h"
#include "shell/platform.h"

namespace platform::win32 {

struct WindowPlan {
    bool popup = false;  // full screen: no caption or border
    RECT outer{};        // the window's rectangle on the screen, frame included
    PictureLayout layout;
};

// `frame` is what the window's caption and border add round a client area (AdjustWindowRectEx
// of an empty rectangle: left and top negative). A window sized to the picture at `scale` (0:
// the largest that fits the work area, at least 1), centred in the work area; or, full screen,
// the whole monitor with the picture centred at the largest scale that fits (at most `scale`).
WindowPlan PlanWindow(int scale, bool fullscreen, const RECT& workArea, const RECT& monitor,
                      const RECT& frame);

}  // namespace platform::win32
