// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The desktop host's window: the 240x320 display in an SDL window at a whole-number scale (or
// letterboxed full screen), its frames and its icon.
// Depends on: SDL2's video, initialised by the caller; layout.h for where the picture sits.
// Cannot: show more than one window, resize the picture by other than whole steps, or draw
// anything but the display's pixels on black.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

#include "platform/gdi32/surface.h"
#include "platform/hosts/picture_placement.h"

namespace platform {

class SdlWindow {
  public:
    // `scale` 0: the largest whose window fits the screen.
    SdlWindow(int scale, bool fullscreen);
    ~SdlWindow();
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    // Opens the window, hidden until its first frame. False when SDL cannot.
    bool Open(const std::string& utf8Title);
    void Close();
    // The icon's high bytes are opacity when any pixel has one; otherwise it is opaque.
    void SetIcon(const Surface& icon);
    // Raises the window above the others, restoring it if it was minimised.
    void Raise();

    // The display changed inside `area`: its pixels reach the window with the next frame.
    void Copy(const Surface& display, const RECT& area);
    // Takes note of the window events that need a new frame.
    void Handle(const SDL_Event& event);
    // Shows a frame if one is due. True when it did.
    bool Render();

    bool open() const { return window_ != nullptr; }
    // Frames shown since the window opened.
    uint64_t frames() const { return frames_; }
    bool shown() const { return shown_; }
    Uint32 id() const { return window_ ? SDL_GetWindowID(window_) : 0; }
    SDL_Window* window() const { return window_; }
    SDL_Renderer* renderer() const { return renderer_; }
    // Where the picture sits in the window's output now.
    PictureLayout Layout() const;
    // The output pixel under a window point (points differ from pixels on dense screens).
    void ToOutput(float windowX, float windowY, int& x, int& y) const;
    // The window's size in points, 0 when closed.
    void Size(int& width, int& height) const;

  private:
    bool MakeTexture();

    int wantedScale_;
    bool fullscreen_;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int scale_ = 1;
    bool shown_ = false;

    const Surface* display_ = nullptr;
    RECT dirty_{0, 0, 0, 0};  // pixels to copy into the texture before the next frame
    bool frameDue_ = false;   // the window needs a new frame, even with nothing to copy
    uint64_t frames_ = 0;
};

}  // namespace platform
