// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Where the copies of Quillby on one desktop meet: a socket file named after the desktop, in the
// user's runtime folder, or else in a folder of /tmp that only the user may enter.
// Depends on: the environment and POSIX files. Cannot: see copies of another user or on another
// display, or tell an X server nested in a Wayland session from the session's own.
#pragma once

#include <string>

namespace platform {

// Names the desktop a window would open on, for the socket's name, from the environment alone
// (SDL has not connected yet): "wayland-NAME" in a Wayland session, where X programs show too,
// else "x11-HOST:N" (the screen number left out: a display's screens are one desktop); or the
// name of another driver that SDL_VIDEODRIVER asks for first.
std::string DisplayKey(const char* x11Display, const char* waylandDisplay, const char* videoDriver);
// $XDG_RUNTIME_DIR/quillby-KEY.sock, or /tmp/quillby-UID/KEY.sock in a folder made 0700.
// Empty when neither can be used safely (then every launch runs on its own).
std::string InstanceSocketPath(const std::string& displayKey);

}  // namespace platform
