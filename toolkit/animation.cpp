// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "toolkit/animation.h"

#include "toolkit/screen.h"

Animation::Animation(Screen* screen, HWND window, int32_t bitmapId, int32_t frameCount,
                     int32_t framesPerSecond)
    : Image(screen, window, bitmapId), frameCount(frameCount), framesPerSecond(framesPerSecond) {
    frameWidth = bitmapInfo.bmWidth / frameCount;
    MakeShownSurface(frameWidth, bitmapInfo.bmHeight, frameSurface, frameBitmap);
    SetVisible(false);
}

Animation::~Animation() {
    DeleteDC(frameSurface);
    DeleteObject(frameBitmap);
    animationListeners.Clear();
}

const WCHAR* Animation::GetTypeName() {
    return L"Animation";
}

HDC Animation::GetSurface() {
    int32_t w = GetWidth(), h = GetHeight();
    BitBlt(frameSurface, 0, 0, w, h, surface, currentFrame * w, 0, SRCCOPY);
    return frameSurface;
}

int32_t Animation::GetWidth() {
    return frameWidth;
}

void Animation::Start() {
    screen->animations.AddIfAbsent(this);
    if (autoShowHide) SetVisible(true);
    lastStepTime = GetTickCount();
    for (auto* n = animationListeners.head; n; n = n->next) {
        n->item->OnAnimationStart(this);
        n->item->OnAnimationFrame(this, currentFrame);
    }
}

void Animation::Tick(uint32_t now) {
    uint32_t period = uint32_t(1000 / framesPerSecond);
    // The elapsed time, not "last + period", so that the wrap of the millisecond counter
    // neither hurries a step nor stalls the animation for 49 days.
    if (now - lastStepTime <= period) return;
    lastStepTime = now;
    currentFrame++;
    if (currentFrame >= frameCount) {
        currentFrame = 0;
        if (loopLimit > 0) {
            loopsDone++;
            if (loopsDone >= loopLimit) {
                loopsDone = 0;
                screen->animations.Remove(this);
                if (autoShowHide) SetVisible(false);
            }
        }
    }
    Invalidate();
    for (auto* n = animationListeners.head; n; n = n->next) {
        if (currentFrame != 0)
            n->item->OnAnimationFrame(this, currentFrame);
        else if (loopsDone == 0)
            n->item->OnAnimationEnd(this);
    }
}

void Animation::SetFrame(int32_t frame) {
    if (frame < 0)
        currentFrame = 0;
    else if (frame >= frameCount)
        currentFrame = frameCount - 1;
    else
        currentFrame = frame;
}

void Animation::AddAnimationListener(AnimationListener* listener) {
    animationListeners.AddIfAbsent(listener);
}
