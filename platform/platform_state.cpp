// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/platform_state.h"

#include <utility>

#include "platform/host.h"

namespace platform {
namespace {

// A plain pointer rather than a static object: at exit nothing of the platform runs again
// (a backend's window is not closed a second time through a connection that may be gone).
// Reachable from here, a record still held at exit is not a leak.
PlatformState* current = nullptr;

}  // namespace

PlatformState::PlatformState() : display(kDisplayWidth, kDisplayHeight, RGB(0, 0, 0)) {}

PlatformState& State() {
    if (!current) current = new PlatformState();
    return *current;
}

void Start(std::unique_ptr<Backend> backend) {
    Stop();
    current = new PlatformState();
    current->backend = std::move(backend);
}

void Stop() {
    if (!current) return;
    // The windows go first, while everything their procedures may call still stands. What the
    // rest calls while it goes (a backend closing down) finds a blank record, not a dying one.
    DestroyAllWindows();
    PlatformState* ending = std::exchange(current, nullptr);
    delete ending;
}

Backend* CurrentBackend() {
    return State().backend.get();
}

const Surface& Display() {
    return State().display;
}

void SetCommandLine(std::wstring line) {
    State().commandLine = std::move(line);
}

}  // namespace platform
