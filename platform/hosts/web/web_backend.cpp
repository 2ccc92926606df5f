// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/hosts/web/web_backend.h"

#include <algorithm>
#include <cmath>

#include "platform/host.h"

namespace platform {
namespace {

bool Empty(const RECT& r) {
    return r.left >= r.right || r.top >= r.bottom;
}

}  // namespace

WebBackend::WebBackend(Page& page, uint32_t startTick)
    : page_(page), startTick_(startTick), rgba_(size_t(kDisplayWidth) * kDisplayHeight) {}

bool WebBackend::OpenWindow(const std::wstring&) {
    if (open_) return false;  // the program has one top-level window
    open_ = page_.OpenCanvas();
    return open_;
}

void WebBackend::CloseWindow() {
    open_ = false;
    pressed_ = false;
    display_ = nullptr;
    dirty_ = RECT{0, 0, 0, 0};
}

void WebBackend::Show(const Surface& display, const RECT& area) {
    if (!open_ || display.width != kDisplayWidth || display.height != kDisplayHeight) return;
    display_ = &display;
    RECT a{std::max(area.left, LONG(0)), std::max(area.top, LONG(0)),
           std::min(area.right, LONG(kDisplayWidth)), std::min(area.bottom, LONG(kDisplayHeight))};
    if (Empty(a)) return;
    if (Empty(dirty_)) {
        dirty_ = a;
    } else {
        dirty_.left = std::min(dirty_.left, a.left);
        dirty_.top = std::min(dirty_.top, a.top);
        dirty_.right = std::max(dirty_.right, a.right);
        dirty_.bottom = std::max(dirty_.bottom, a.bottom);
    }
}

void WebBackend::ShowFrame() {
    if (Empty(dirty_) || !display_) return;
    // COLORREF is 0x00BBGGRR: in memory the bytes R, G, B and a zero the canvas would take
    // for transparent.
    for (LONG y = dirty_.top; y < dirty_.bottom; ++y) {
        size_t row = size_t(y) * kDisplayWidth;
        for (LONG x = dirty_.left; x < dirty_.right; ++x)
            rgba_[row + size_t(x)] = display_->pixels[row + size_t(x)] | 0xFF000000u;
    }
    page_.Show(rgba_.data(), dirty_);
    dirty_ = RECT{0, 0, 0, 0};
}

void WebBackend::Poll() {
    if (!looked_) {
        looked_ = true;
        origin_ = page_.NowMs();
    }
    while (std::optional<PageInput> input = page_.NextInput()) {
        bool down = input->kind == PageInput::Kind::Down;
        // A press needs a release before the next; a release needs a press.
        if (!open_ || down == pressed_) continue;
        pressed_ = down;
        PostStylus(down, input->x, input->y);
    }
}

void WebBackend::Idle(uint32_t waitMs) {
    ShowFrame();
    if (waitMs == kUntilInput) return page_.Wait(Page::kUntilInput);
    // A long wait, for a timer of a program otherwise at rest, ends a brief wait early, and
    // brief waits follow until the timer is due.
    uint32_t brief = IdlePolicy::kBriefWaitMs;
    page_.Wait(int(waitMs > brief ? waitMs - brief : std::min<uint32_t>(waitMs, kMovingWaitMs)));
}

uint32_t WebBackend::Now() {
    if (!looked_) return startTick_;
    return startTick_ + uint32_t(int64_t(std::floor(page_.NowMs() - origin_)));
}

void WebBackend::StartSound(const Sound& sound) {
    page_.PlaySound(sound);
}

}  // namespace platform
