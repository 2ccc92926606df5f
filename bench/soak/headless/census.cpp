// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "bench/soak/headless/census.h"

#include <malloc.h>

#include "platform/platform_state.h"

#if defined(__SANITIZE_ADDRESS__)
#define QUILLBY_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUILLBY_ASAN 1
#endif
#endif
#ifdef QUILLBY_ASAN
// The sanitizers' allocator's count (GCC ships no header declaring it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace soak {

Census TakeCensus() {
    const platform::PlatformState& s = platform::State();
    Census c;
    for (const platform::GdiObject* o : s.gdi.objects) c.gdiObjects += !o->stock;
    c.deviceContexts = s.gdi.dcs.size();
    for (const auto& w : s.windows.windows) {
        if (!w->alive) continue;
        c.windows++;
        c.windowDcsOut += size_t(w->dcCount);
    }
    c.windowClasses = s.windows.classes.size();
    c.messagesWaiting = s.queue.posted.size();
    c.timers = s.queue.timers.Count();
    return c;
}

std::string Describe(const Census& c) {
    return std::to_string(c.gdiObjects) + " GDI objects, " + std::to_string(c.deviceContexts) +
           " device contexts, " + std::to_string(c.windows) + " window(s) of " +
           std::to_string(c.windowClasses) + " class(es) with " + std::to_string(c.windowDcsOut) +
           " DCs out, " + std::to_string(c.messagesWaiting) + " messages waiting, " +
           std::to_string(c.timers) + " timers";
}

size_t HeapInUse() {
#ifdef QUILLBY_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

}  // namespace soak
