// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "toolkit/button.h"

Button::Button(Screen* screen, HWND window, int32_t bitmapId) : Image(screen, window, bitmapId) {
    halfWidth = bitmapInfo.bmWidth / 2;
    MakeShownSurface(halfWidth, bitmapInfo.bmHeight, stateSurface, stateBitmap);
    SetVisible(true);
}

Button::~Button() {
    DeleteDC(stateSurface);
    DeleteObject(stateBitmap);
}

void Button::Tick(uint32_t) {
    if (pressed && (GetAsyncKeyState(VK_LBUTTON) & 0xFFFF) == 0) {
        pressed = false;
        Invalidate();
    }
}

const WCHAR* Button::GetTypeName() {
    return TypeName;
}

HDC Button::GetSurface() {
    int32_t w = GetWidth(), h = GetHeight();
    BitBlt(stateSurface, 0, 0, w, h, surface, pressed ? w : 0, 0, SRCCOPY);
    return stateSurface;
}

void Button::OnPointerDown(int32_t x, int32_t y) {
    pressed = true;
    Invalidate();
    Figure::OnPointerDown(x, y);
}

void Button::OnPointerUp(int32_t x, int32_t y) {
    if (!pressed) return;
    pressed = false;
    Invalidate();
    Figure::OnPointerUp(x, y);
}

int32_t Button::GetWidth() {
    return halfWidth;
}
