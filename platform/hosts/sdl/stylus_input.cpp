// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The desktop host's stylus (what it is for, depends on and cannot do: stylus_input.h).
#include "platform/hosts/sdl/stylus_input.h"

#include <optional>

#include "platform/host.h"

namespace platform {

void StylusInput::Handle(const SDL_Event& event) {
    int w = 0, h = 0;
    switch (event.type) {
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            // Touch arrives as finger events; SDL's mouse copies of them would tap twice.
            if (event.button.which == SDL_TOUCH_MOUSEID || event.button.button != SDL_BUTTON_LEFT)
                break;
            if (touching_) break;  // the stylus is a finger now
            Stylus(event.type == SDL_MOUSEBUTTONDOWN, float(event.button.x), float(event.button.y));
            break;
        case SDL_FINGERDOWN:
            // One finger at a time is the stylus; others touching meanwhile are ignored.
            if (pressed_) break;
            window_.Size(w, h);
            if (Stylus(true, event.tfinger.x * float(w), event.tfinger.y * float(h))) {
                touching_ = true;
                finger_ = event.tfinger.fingerId;
            }
            break;
        case SDL_FINGERUP:
            if (!touching_ || event.tfinger.fingerId != finger_) break;
            touching_ = false;
            window_.Size(w, h);
            Stylus(false, event.tfinger.x * float(w), event.tfinger.y * float(h));
            break;
        default:
            break;
    }
}

bool StylusInput::Down() const {
    return touching_ || (SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK) != 0;
}

bool StylusInput::Stylus(bool down, float windowX, float windowY) {
    if (!window_.open() || down == pressed_) return false;  // a press needs a release first
    int x = 0, y = 0;
    window_.ToOutput(windowX, windowY, x, y);
    PictureLayout layout = window_.Layout();
    if (down) {
        std::optional<PixelPoint> p = PressAt(layout, x, y);
        if (!p) return false;  // on the border around the picture: nothing there
        pressed_ = true;
        PostStylus(true, p->x, p->y);
    } else {
        pressed_ = false;
        PixelPoint p = ReleaseAt(layout, x, y);
        PostStylus(false, p.x, p.y);
    }
    return true;
}

}  // namespace platform
