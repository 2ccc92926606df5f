// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The desktop host's stylus: the left mouse button, or one finger on a touch screen, pressed
// on the picture and posted to the program at the display pixel under it.
// Depends on: SDL2's mouse and touch events, the window (for where the picture sits) and the
// platform's PostStylus. Cannot: hover (the stylus has no position while up), press with more
// than one finger, or press on the black border around a letterboxed picture.
#pragma once

#include <SDL.h>

#include "platform/hosts/sdl/sdl_window.h"

namespace platform {

class StylusInput {
  public:
    explicit StylusInput(const SdlWindow& window) : window_(window) {}

    // Posts the press or release this event makes, if any.
    void Handle(const SDL_Event& event);
    bool Down() const;
    // The window closed: no press is under way.
    void Reset() { pressed_ = touching_ = false; }

  private:
    // Posts a press or release at a window point; false when it is not the stylus's.
    bool Stylus(bool down, float windowX, float windowY);

    const SdlWindow& window_;
    bool pressed_ = false;     // a press inside the picture that has not come up yet
    bool touching_ = false;    // that press is a finger's
    SDL_FingerID finger_ = 0;  // the finger that is the stylus while touching_
};

}  // namespace platform
