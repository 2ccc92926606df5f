// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/hosts/win32/window_plan.h"

#include <algorithm>

#include "platform/host.h"

namespace platform::win32 {

WindowPlan PlanWindow(int scale, bool fullscreen, const RECT& workArea, const RECT& monitor,
                      const RECT& frame) {
    WindowPlan plan;
    if (fullscreen) {
        plan.popup = true;
        plan.outer = monitor;
        plan.layout = FitPicture(monitor.right - monitor.left, monitor.bottom - monitor.top, scale);
        return plan;
    }
    int frameWidth = frame.right - frame.left;
    int frameHeight = frame.bottom - frame.top;
    int workWidth = workArea.right - workArea.left;
    int workHeight = workArea.bottom - workArea.top;
    int s = scale > 0 ? scale : DefaultScale(workWidth - frameWidth, workHeight, frameHeight);
    int width = kDisplayWidth * s + frameWidth;
    int height = kDisplayHeight * s + frameHeight;
    // A window larger than the work area keeps its caption in view.
    int left = workArea.left + std::max(0, (workWidth - width) / 2);
    int top = workArea.top + std::max(0, (workHeight - height) / 2);
    plan.outer = RECT{left, top, left + width, top + height};
    plan.layout.scale = s;
    plan.layout.width = kDisplayWidth * s;
    plan.layout.height = kDisplayHeight * s;
    return plan;
}

}  // namespace platform::win32
