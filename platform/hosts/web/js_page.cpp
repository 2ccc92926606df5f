// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/hosts/web/js_page.h"

extern "C" {
// library_quillby.js
int quillby_page_open_canvas();
void quillby_page_show(const uint32_t* rgba, int left, int top, int width, int height);
double quillby_page_now();
int quillby_page_next_input(int* xy);
void quillby_page_wait(int ms);  // unwinds to the browser (ASYNCIFY_IMPORTS)
void quillby_page_play_sound(int id, int rate, int bits, const uint8_t* data, int bytes);
}

namespace platform {

// The kinds of input as the page's script numbers them.
enum : int { kNoInput = 0, kInputDown = 1, kInputUp = 2 };

bool JsPage::OpenCanvas() {
    return quillby_page_open_canvas() != 0;
}

void JsPage::Show(const uint32_t* rgba, const RECT& area) {
    quillby_page_show(rgba, area.left, area.top, area.right - area.left, area.bottom - area.top);
}

double JsPage::NowMs() {
    return quillby_page_now();
}

std::optional<PageInput> JsPage::NextInput() {
    int xy[2] = {0, 0};
    switch (quillby_page_next_input(xy)) {
        case kInputDown:
            return PageInput{PageInput::Kind::Down, xy[0], xy[1]};
        case kInputUp:
            return PageInput{PageInput::Kind::Up, xy[0], xy[1]};
        default:
            return std::nullopt;
    }
}

void JsPage::Wait(int ms) {
    quillby_page_wait(ms);
}

void JsPage::PlaySound(const Sound& sound) {
    quillby_page_play_sound(sound.resourceId, int(sound.sampleRate), sound.bitsPerSample,
                            sound.data, int(sound.dataBytes));
}

}  // namespace platform
