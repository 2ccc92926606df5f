// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// What the platform holds for the program at one moment: the GDI objects and device contexts
// it made and has not deleted, its windows and classes, the device contexts its windows lend,
// the messages waiting, the window timers set (the game sets one only to wake its loop for
// the voice; otherwise it times everything by the tick).
#pragma once

#include <cstddef>
#include <string>

namespace soak {

struct Census {
    size_t gdiObjects = 0;  // bitmaps, pens, brushes and fonts, the stock objects left out
    size_t deviceContexts = 0;
    size_t windows = 0;  // alive
    size_t windowClasses = 0;
    size_t windowDcsOut = 0;  // GetDC or BeginPaint without its ReleaseDC or EndPaint
    size_t messagesWaiting = 0;
    size_t timers = 0;

    bool operator==(const Census&) const = default;
};

Census TakeCensus();
std::string Describe(const Census& c);

// Bytes the program holds on the heap now (the sanitizers' allocator's count under them).
size_t HeapInUse();

}  // namespace soak
