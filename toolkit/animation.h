// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// An image whose bitmap is a strip of equally wide frames, shown one at a time. Started, it
// steps at its rate on the screen's tick, counts loops and stops itself after loopLimit.
#pragma once

#include "toolkit/image.h"

class Animation : public Image {
  public:
    Animation(Screen* screen, HWND window, int32_t bitmapId, int32_t frameCount,
              int32_t framesPerSecond);
    void Tick(uint32_t now) override;
    ~Animation() override;
    const WCHAR* GetTypeName() override;
    HDC GetSurface() override;
    int32_t GetWidth() override;

    void Start();
    void SetFrame(int32_t frame);
    void AddAnimationListener(AnimationListener* listener);

    HDC frameSurface = nullptr;
    HBITMAP frameBitmap = nullptr;
    int32_t frameCount;
    int32_t framesPerSecond;
    int32_t currentFrame = 0;
    int32_t frameWidth;
    bool autoShowHide = true;
    uint32_t lastStepTime = 0;
    PtrList<AnimationListener> animationListeners;
    int32_t loopLimit = 1;  // 0 or less: never stops
    int32_t loopsDone = 0;
};
