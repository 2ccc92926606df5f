// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// How long a look at an empty queue may wait, for every backend alike.
//
// The program's loop polls and never waits; the platform lets the host sleep in its place.
// While the program moves (copies onto its window, plays a sound, takes input) a look may wait
// only briefly, so that a timed redraw or an animation step is late by a few milliseconds at
// most. Once nothing has moved for longer than an animation step and the redraw after it take,
// the program is waiting for its user, and a look may wait until input comes, or until a timer
// the program set wants it.
#pragma once

#include <cstdint>

namespace platform {

// A wait with no end but input.
constexpr uint32_t kUntilInput = UINT32_MAX;

class IdlePolicy {
  public:
    static constexpr uint32_t kBriefWaitMs = 5;
    // Animations step at least four times a second and a redraw follows a step within a tenth
    // of a second: half a second without a change is a program at rest.
    static constexpr uint32_t kRestAfterMs = 500;

    // Something moved at tick `now`.
    void Moved(uint32_t now);
    // The wait a look at an empty queue may take at tick `now`, never past the next timer, due
    // in `untilTimerMs`.
    uint32_t Wait(uint32_t now, uint32_t untilTimerMs = kUntilInput);

  private:
    bool started_ = false;  // the first look counts as a movement: the program is starting
    bool resting_ = false;  // stays so until the next movement, however the tick wraps
    uint32_t lastMoved_ = 0;
};

}  // namespace platform
