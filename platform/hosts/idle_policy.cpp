// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/hosts/idle_policy.h"

#include <algorithm>

namespace platform {

void IdlePolicy::Moved(uint32_t now) {
    started_ = true;
    resting_ = false;
    lastMoved_ = now;
}

uint32_t IdlePolicy::Wait(uint32_t now, uint32_t untilTimerMs) {
    if (!started_) Moved(now);
    // The difference of two ticks, so that the counter's wrap neither wakes nor rests early.
    if (!resting_ && now - lastMoved_ >= kRestAfterMs) resting_ = true;
    return std::min(resting_ ? kUntilInput : kBriefWaitMs, untilTimerMs);
}

}  // namespace platform
