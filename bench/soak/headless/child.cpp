// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "bench/soak/headless/child.h"

namespace soak {
namespace {

// Boxes inside every picture the quiz can show at each of its three places (the smallest
// picture is 37 x 23); in card mode the lower two hold the arrows and the upper the card's
// picture.
struct Box {
    int left, top, right, bottom;  // inclusive
};
constexpr Box kPictureCorners[] = {{174, 31, 209, 52}, {174, 268, 209, 289}, {61, 268, 96, 289}};
constexpr Box kArrows[] = {{40, 260, 99, 304}, {140, 260, 199, 304}};
constexpr Box kModeBox{45, 10, 104, 29};
constexpr Box kScreen{0, 0, 239, 319};
constexpr Box kCloseButton{215, 1, 238, 24};

}  // namespace

bool OnCloseButton(int x, int y) {
    return x >= kCloseButton.left && x <= kCloseButton.right && y >= kCloseButton.top &&
           y <= kCloseButton.bottom;
}

Child::Point Child::Somewhere() {
    // Mostly where something answers, so that rounds are won; the mode box seldom enough that
    // most of the time is spent in the quiz.
    int roll = Between(0, 99);
    const Box& box = roll < 66   ? kPictureCorners[Between(0, 2)]
                     : roll < 78 ? kArrows[Between(0, 1)]
                     : roll < 80 ? kModeBox
                                 : kScreen;
    for (;;) {
        Point p{Between(box.left, box.right), Between(box.top, box.bottom)};
        if (!OnCloseButton(p.x, p.y)) return p;
    }
}

Gesture Child::Next(uint32_t now) {
    uint32_t start = now + uint32_t(Between(100, 800));
    Gesture g;
    int kind = Between(0, 99);
    if (kind < 2) {
        // Twenty taps in a tenth of a second, on one spot (a storm of double clicks) or all over.
        bursts_++;
        bool oneSpot = Between(0, 1) == 0;
        Point p = Somewhere();
        for (uint32_t i = 0; i < 20; ++i) {
            if (!oneSpot) p = Somewhere();
            g.push_back({start + 5 * i, true, p.x, p.y});
            g.push_back({start + 5 * i + 2, false, p.x, p.y});
        }
        return g;
    }
    Point p = Somewhere();
    g.push_back({start, true, p.x, p.y});
    uint32_t held = kind < 5 ? uint32_t(Between(1000, 3000)) : uint32_t(Between(30, 180));
    Point up = kind >= 5 && kind < 15 ? Somewhere() : p;  // dragged off, or lifted in place
    g.push_back({start + held, false, up.x, up.y});
    return g;
}

}  // namespace soak
