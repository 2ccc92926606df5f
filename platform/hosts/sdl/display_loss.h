// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The desktop host losing its display (the X server ends, the Wayland compositor goes): the
// program ends at once with one line on stderr and exit code 1, its single-instance socket
// removed, and nothing else run. Ending normally would run the destructors, which destroy the
// window through the dead connection, and Xlib can loop for ever there.
// Depends on: Xlib's I/O error handler (X11); libwayland-client's error state, looked up in the
// copy SDL loaded (Wayland). Cannot: notice the loss before the next read of the connection,
// which the wait for input makes as soon as the socket closes; on other window systems it
// cannot tell a lost display from a request to quit.
#pragma once

#include <SDL.h>

#include <string>

namespace platform {

// From now on, a lost X display ends the program as above. `name` is the display's, for the
// line on stderr. Nothing happens on window systems other than X11.
void EndOnLostDisplay(const std::string& name);
// True when `window`'s Wayland connection has failed (SDL then asks the program to quit).
bool WaylandDisplayLost(SDL_Window* window);
// Ends the program as above, saying why.
[[noreturn]] void EndForLostDisplay(const std::string& why);

}  // namespace platform
