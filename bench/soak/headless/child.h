// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// A child at the game, as the long runs play it: taps at a child's pace on the pictures, the
// arrows, the mode box and anywhere else, now and then a press held long or dragged off, and
// sometimes twenty taps in a tenth of a second. Never the close button: a run ends with it.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

namespace soak {

struct StylusEvent {
    uint32_t at = 0;  // virtual ms since the start of the run
    bool down = false;
    int x = 0, y = 0;
};

// One gesture: a tap, a long press, a drag or a burst, as stylus events in time order.
using Gesture = std::vector<StylusEvent>;

// Where the close button lies (and a pixel round it), which the child never touches.
bool OnCloseButton(int x, int y);

class Child {
  public:
    explicit Child(uint64_t seed) : random_(seed) {}

    // The next gesture, starting after a pause from `now`. Ends with the stylus up.
    Gesture Next(uint32_t now);

    uint64_t bursts() const { return bursts_; }

  private:
    struct Point {
        int x, y;
    };
    Point Somewhere();
    int Between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random_);
    }

    std::mt19937_64 random_;
    uint64_t bursts_ = 0;
};

}  // namespace soak
