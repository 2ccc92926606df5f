// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The desktop host's window (what it is for, depends on and cannot do: sdl_window.h).
#include "platform/hosts/sdl/sdl_window.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/host.h"

namespace platform {
namespace {

// Room left for a title bar and borders when choosing the window's scale.
constexpr int kFrameAllowance = 40;

}  // namespace

SdlWindow::SdlWindow(int scale, bool fullscreen) : wantedScale_(scale), fullscreen_(fullscreen) {}

SdlWindow::~SdlWindow() {
    Close();
}

bool SdlWindow::Open(const std::string& utf8Title) {
    // What fails from here leaves SDL's error saying why there is no window.
    SDL_ClearError();
    if (window_) return false;  // the program has one top-level window
    // The window's place: centred at its scale, or covering the first screen.
    SDL_Rect frame{int(SDL_WINDOWPOS_CENTERED), int(SDL_WINDOWPOS_CENTERED), 0, 0};
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (fullscreen_) {
        // Full-screen windows are the window manager's to size; where there is none, a
        // borderless window the size of the screen is the same thing.
        SDL_Rect screen{0, 0, kDisplayWidth, kDisplayHeight};
        SDL_GetDisplayBounds(0, &screen);
        frame = screen;
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS;
        scale_ = FitPicture(screen.w, screen.h, wantedScale_).scale;
    } else {
        scale_ = wantedScale_;
        if (!scale_) {
            SDL_Rect usable{0, 0, kDisplayWidth, kDisplayHeight + kFrameAllowance};
            SDL_GetDisplayUsableBounds(0, &usable);
            scale_ = DefaultScale(usable.w, usable.h, kFrameAllowance);
        }
        frame.w = kDisplayWidth * scale_;
        frame.h = kDisplayHeight * scale_;
    }
    for (int attempt = 0; attempt < 2 && !renderer_; ++attempt) {
        if (attempt == 1) {
            // No plain framebuffer on this host (Wayland): let SDL choose how to draw.
            SDL_ResetHint(SDL_HINT_RENDER_DRIVER);
            SDL_ResetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION);
        }
        window_ = SDL_CreateWindow(utf8Title.c_str(), frame.x, frame.y, frame.w, frame.h, flags);
        if (!window_) return false;
        renderer_ = SDL_CreateRenderer(window_, -1, 0);
        if (!renderer_) Close();
    }
    if (!renderer_ || !MakeTexture()) {
        Close();
        return false;
    }
    frameDue_ = true;
    return true;
}

bool SdlWindow::MakeTexture() {
    if (texture_) SDL_DestroyTexture(texture_);
    // COLORREF is 0x00BBGGRR: SDL's XBGR8888, no conversion.
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_XBGR8888, SDL_TEXTUREACCESS_STREAMING,
                                 kDisplayWidth, kDisplayHeight);
    if (!texture_) return false;
    SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
    SetRect(&dirty_, 0, 0, kDisplayWidth, kDisplayHeight);
    return true;
}

void SdlWindow::Close() {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    texture_ = nullptr;
    renderer_ = nullptr;
    window_ = nullptr;
    shown_ = false;
    frames_ = 0;
}

void SdlWindow::SetIcon(const Surface& icon) {
    if (!window_ || icon.width <= 0 || icon.height <= 0) return;
    bool opacity = std::any_of(icon.pixels.begin(), icon.pixels.end(),
                               [](COLORREF c) { return (c >> 24) != 0; });
    // COLORREF's byte order with opacity on top is SDL's ABGR8888.
    std::vector<COLORREF> pixels = icon.pixels;
    if (!opacity)
        for (COLORREF& c : pixels) c |= 0xFF000000u;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), icon.width, icon.height, 32,
                                                        icon.width * 4, SDL_PIXELFORMAT_ABGR8888);
    if (!s) return;
    SDL_SetWindowIcon(window_, s);  // SDL keeps a copy
    SDL_FreeSurface(s);
}

void SdlWindow::Raise() {
    if (!window_) return;
    if (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED) SDL_RestoreWindow(window_);
    SDL_RaiseWindow(window_);
}

void SdlWindow::Copy(const Surface& display, const RECT& area) {
    // The program copies onto the window many times a frame; the copies gather here and reach
    // the screen once, at the loop's next look at the queue.
    display_ = &display;
    RECT bounds{0, 0, display.width, display.height}, inside;
    if (!IntersectRect(&inside, &area, &bounds)) return;
    UnionRect(&dirty_, &dirty_, &inside);
    frameDue_ = true;
}

void SdlWindow::Handle(const SDL_Event& event) {
    switch (event.type) {
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
                case SDL_WINDOWEVENT_EXPOSED:
                case SDL_WINDOWEVENT_SHOWN:
                case SDL_WINDOWEVENT_RESTORED:
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    frameDue_ = true;
                    break;
                default:
                    break;
            }
            break;
        case SDL_RENDER_TARGETS_RESET:
            frameDue_ = true;
            break;
        case SDL_RENDER_DEVICE_RESET:
            // The texture went with the device: make it again from the whole display.
            if (renderer_ && MakeTexture()) frameDue_ = true;
            break;
        default:
            break;
    }
}

PictureLayout SdlWindow::Layout() const {
    int w = kDisplayWidth * std::max(scale_, 1), h = kDisplayHeight * std::max(scale_, 1);
    if (renderer_) SDL_GetRendererOutputSize(renderer_, &w, &h);
    return FitPicture(w, h, wantedScale_);
}

bool SdlWindow::Render() {
    if (!window_ || !frameDue_) return false;
    frameDue_ = false;
    if (!IsRectEmpty(&dirty_) && display_ && display_->width == kDisplayWidth &&
        display_->height == kDisplayHeight) {
        SDL_Rect r{dirty_.left, dirty_.top, dirty_.right - dirty_.left, dirty_.bottom - dirty_.top};
        SDL_UpdateTexture(texture_, &r, &display_->pixels[size_t(r.y) * display_->width + r.x],
                          display_->width * 4);
    }
    SetRectEmpty(&dirty_);
    if (!shown_) {
        SDL_ShowWindow(window_);
        shown_ = true;
    }
    PictureLayout layout = Layout();
    SDL_Rect picture{layout.left, layout.top, layout.width, layout.height};
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, &picture);
    SDL_RenderPresent(renderer_);
    frames_++;
    return true;
}

void SdlWindow::Size(int& width, int& height) const {
    width = height = 0;
    if (window_) SDL_GetWindowSize(window_, &width, &height);
}

void SdlWindow::ToOutput(float windowX, float windowY, int& x, int& y) const {
    int outW = 1, outH = 1, w = 0, h = 0;
    if (renderer_) SDL_GetRendererOutputSize(renderer_, &outW, &outH);
    Size(w, h);
    x = int(std::floor(windowX * float(outW) / float(std::max(w, 1))));
    y = int(std::floor(windowY * float(outH) / float(std::max(h, 1))));
}

}  // namespace platform
