// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "toolkit/hotspot.h"

#include "toolkit/sounds.h"

HGLOBAL Hotspot::clickSound = nullptr;

Hotspot::Hotspot(Screen* screen, HWND window, int32_t width, int32_t height)
    : Figure(screen, window) {
    SetWidth(width);
    SetHeight(height);
    enabled = true;
    if (!clickSound) clickSound = LoadWave(ClickSoundId);
}

const WCHAR* Hotspot::GetTypeName() {
    return L"Hotspot";
}

HDC Hotspot::GetSurface() {
    return nullptr;
}

void Hotspot::OnPointerDown(int32_t x, int32_t y) {
    if (clickSound) PlayWave(clickSound);
    Figure::OnPointerDown(x, y);
}
