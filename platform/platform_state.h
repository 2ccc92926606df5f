// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Everything the platform remembers, in one record that platform::Start makes and
// platform::Stop destroys whole: the host's backend and the display, windows and classes, the
// message queue, GDI's objects, the random generator, the fonts, the decoded sounds, the
// command line and the resources the host adds. A second Start after a Stop in the same process
// begins exactly as the first did; nothing is kept in statics.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/gdi32/fonts.h"
#include "platform/gdi32/gdi_objects.h"
#include "platform/gdi32/surface.h"
#include "platform/kernel32/resource_table.h"
#include "platform/user32/message_queue.h"
#include "platform/user32/window_object.h"
#include "platform/winmm/decoded_sounds.h"

namespace platform {

struct PlatformState {
    PlatformState();

    // Before the backend, so that the samples it was handed outlive it.
    DecodedSounds sounds;
    std::unique_ptr<Backend> backend;
    Surface display;  // what has been copied onto the window
    // Fonts come before GDI's objects, so that the font objects' faces go before FreeType.
    FontLibrary fonts;
    GdiTables gdi;
    WindowTable windows;
    QueueState queue;
    uint32_t random = 1;  // the LCG's state; srand(1) is where the C library starts
    std::wstring commandLine = L"quillby";  // what GetCommandLineW gives
    uint16_t uiLanguage = 0x0409;           // GetThreadUILanguage's, English (United States)
    // Resources the host handed over at run time, after the compiled-in ones (each on its own:
    // their addresses are the program's HRSRCs and must stay put).
    std::vector<std::unique_ptr<ResourceEntry>> addedResources;
};

// The current record. Calls made before the first Start (or after a Stop) get a fresh one,
// without a backend, which the next Start replaces.
PlatformState& State();

}  // namespace platform
