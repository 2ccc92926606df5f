// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// An image whose bitmap holds two looks side by side: released on the left, pressed on the
// right, shown while the stylus holds it.
#pragma once

#include "toolkit/image.h"

class Button : public Image {
  public:
    // What GetTypeName gives: a screen hands every release to the figures of this name.
    static constexpr const WCHAR* TypeName = L"Button";

    Button(Screen* screen, HWND window, int32_t bitmapId);
    void Tick(uint32_t now) override;
    ~Button() override;
    const WCHAR* GetTypeName() override;
    HDC GetSurface() override;
    void OnPointerDown(int32_t x, int32_t y) override;
    void OnPointerUp(int32_t x, int32_t y) override;
    int32_t GetWidth() override;

    bool pressed = false;
    HDC stateSurface = nullptr;
    HBITMAP stateBitmap = nullptr;
    int32_t halfWidth = 0;
};
