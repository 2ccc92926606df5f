// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The interfaces through which figures, screens and animations report.
#pragma once

#include <cstdint>

class Figure;
class Screen;
class Animation;

class FigureListener {
  public:
    virtual void OnFigurePress(Figure* figure, int32_t x, int32_t y) = 0;
    virtual void OnFigureRelease(Figure* figure, int32_t x, int32_t y) = 0;

  protected:
    ~FigureListener() = default;
};

class ScreenListener {
  public:
    virtual void OnScreenPress(Screen* screen, Figure* figure, int32_t x, int32_t y) = 0;
    virtual void OnScreenRelease(Screen* screen, Figure* figure, int32_t x, int32_t y) = 0;

  protected:
    ~ScreenListener() = default;
};

class AnimationListener {
  public:
    virtual void OnAnimationStart(Animation* animation) = 0;
    virtual void OnAnimationEnd(Animation* animation) = 0;
    virtual void OnAnimationFrame(Animation* animation, int32_t frame) = 0;

  protected:
    ~AnimationListener() = default;
};
