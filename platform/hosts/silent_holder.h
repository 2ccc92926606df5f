// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Judges a copy that holds the instance lock but has not greeted a launch: while its main
// thread, where the program starts and runs, uses the processor, it is still starting, for up to
// the start limit; once that thread has used none for the quiet limit (the copy is stopped, or
// hangs: deadlocked, or stuck on a dead mount or an audio device, whatever its other threads
// do), it is stopped or hung, and the launch goes on without it.
// Depends on: Linux's /proc. Cannot: tell a copy that hangs busily from one that takes longer
// than the start limit to start.
#pragma once

#include <chrono>
#include <optional>

namespace platform::instance {

// The processor time, in clock ticks, that the main thread of process `pid` has used; none when
// it is stopped, gone or not named yet (0).
std::optional<unsigned long long> ProcessorTime(long pid);

class SilentHolder {
  public:
    // The clock starts now, with the launch's first look.
    SilentHolder(int quietLimitMs, int startLimitMs);
    // One look at the holder, process `pid` (0 while it has not signed its lock): true once
    // it is stopped or hung, or has had the start limit.
    bool GivenUp(long pid);

  private:
    using Clock = std::chrono::steady_clock;
    std::chrono::milliseconds quietLimit_;
    std::chrono::milliseconds startLimit_;
    Clock::time_point start_;
    Clock::time_point moved_;  // when the holder last used the processor
    std::optional<unsigned long long> used_;
};

}  // namespace platform::instance
