// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The program's window timers (SetTimer), kept as Windows keeps them: each fires every `elapse`
// milliseconds from when it was set until it is killed, and one that fires again before its
// last WM_TIMER was taken still has only one waiting. The platform's queue makes WM_TIMER of
// them; on Windows, where the system does that, the layer keeps the same table only to know
// how long a look may wait before a timer wants the loop.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace platform {

class TimerTable {
  public:
    // Windows' shortest period: a shorter one is taken as this.
    static constexpr uint32_t kShortestMs = 10;

    struct Due {
        uintptr_t window;
        uintptr_t id;
    };

    // Sets (or sets again, from `now`) timer `id` of `window`.
    void Set(uintptr_t window, uintptr_t id, uint32_t now, uint32_t elapseMs);
    // False when there was no such timer.
    bool Kill(uintptr_t window, uintptr_t id);
    void KillAll(uintptr_t window);
    // A timer of `window` (any window when 0) that has fired and waits to be taken; taking it
    // (`take`) leaves it waiting for its next period.
    std::optional<Due> Fired(uint32_t now, uintptr_t window, bool take);
    // Milliseconds until the next timer fires: 0 when one has, kUntilInput when there is none.
    uint32_t UntilNext(uint32_t now) const;
    size_t Count() const { return timers_.size(); }

  private:
    struct Timer {
        uintptr_t window;
        uintptr_t id;
        uint32_t elapse;
        uint32_t since;  // the start of the current period
        bool fired;      // a WM_TIMER waits to be taken
    };
    // Brings each timer's period up to `now`, marking those that fired.
    void Catch(uint32_t now);

    std::vector<Timer> timers_;
};

}  // namespace platform
