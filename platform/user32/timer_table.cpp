// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/user32/timer_table.h"

#include <algorithm>

#include "platform/hosts/idle_policy.h"

namespace platform {

void TimerTable::Set(uintptr_t window, uintptr_t id, uint32_t now, uint32_t elapseMs) {
    Timer timer{window, id, std::max(elapseMs, kShortestMs), now, false};
    for (Timer& t : timers_) {
        if (t.window == window && t.id == id) {
            t = timer;
            return;
        }
    }
    timers_.push_back(timer);
}

bool TimerTable::Kill(uintptr_t window, uintptr_t id) {
    auto gone = std::remove_if(timers_.begin(), timers_.end(),
                               [&](const Timer& t) { return t.window == window && t.id == id; });
    bool found = gone != timers_.end();
    timers_.erase(gone, timers_.end());
    return found;
}

void TimerTable::KillAll(uintptr_t window) {
    std::erase_if(timers_, [&](const Timer& t) { return t.window == window; });
}

void TimerTable::Catch(uint32_t now) {
    // Differences of ticks, so that the counter's wrap changes nothing; periods missed while
    // nobody looked fire once.
    for (Timer& t : timers_) {
        uint32_t passed = now - t.since;
        if (passed < t.elapse) continue;
        t.fired = true;
        t.since += passed - passed % t.elapse;
    }
}

std::optional<TimerTable::Due> TimerTable::Fired(uint32_t now, uintptr_t window, bool take) {
    Catch(now);
    for (Timer& t : timers_) {
        if (!t.fired || (window && t.window != window)) continue;
        if (take) t.fired = false;
        return Due{t.window, t.id};
    }
    return std::nullopt;
}

uint32_t TimerTable::UntilNext(uint32_t now) const {
    uint32_t next = kUntilInput;
    for (const Timer& t : timers_) {
        uint32_t passed = now - t.since;
        next = std::min(next, t.fired || passed >= t.elapse ? 0 : t.elapse - passed);
    }
    return next;
}

}  // namespace platform
