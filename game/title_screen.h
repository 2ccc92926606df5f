// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The first thing the child sees: a full-screen picture with the version and the years. A tap
// anywhere on the picture is reported to the screen's listeners.
#pragma once

#include "shell/platform.h"
#include "toolkit/screen.h"

namespace TitleResources {
constexpr int Background = 181;
constexpr int VersionString = 305;
constexpr int YearsString = 306;
}  // namespace TitleResources

class TitleScreen : public Screen, public FigureListener {
  public:
    TitleScreen(HWND window, HINSTANCE instance);
    ~TitleScreen() override;

    void OnFigurePress(Figure* figure, int32_t x, int32_t y) override;
    void OnFigureRelease(Figure* figure, int32_t x, int32_t y) override;

    PtrList<ScreenListener> screenListeners;

  private:
    void AddLabel(UINT stringId, int32_t x, const LOGFONTW& font);
};
