// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "toolkit/image.h"

#include "toolkit/screen.h"

Image::Image(Screen* screen, HWND window, int32_t bitmapId)
    : Figure(screen, window), bitmapId(bitmapId) {
    SetX(0);
    SetY(0);
    HDC windowDc = GetDC(window);
    bitmap = LoadBitmapW(screen->instance, MAKEINTRESOURCEW(bitmapId & 0xFFFF));
    surface = CreateCompatibleDC(windowDc);
    initialBitmap = static_cast<HBITMAP>(SelectObject(surface, bitmap));
    GetObjectW(bitmap, sizeof(BITMAP), &bitmapInfo);
    SetWidth(bitmapInfo.bmWidth);
    SetHeight(bitmapInfo.bmHeight);
    ReleaseDC(window, windowDc);
    SetVisible(true);
}

Image::~Image() {
    SelectObject(surface, initialBitmap);
    DeleteDC(surface);
    DeleteObject(bitmap);
}

const WCHAR* Image::GetTypeName() {
    return L"Image";
}

HDC Image::GetSurface() {
    return surface;
}

void Image::MakeShownSurface(int32_t w, int32_t h, HDC& shown, HBITMAP& shownBitmap) {
    HDC windowDc = GetDC(window);
    shown = CreateCompatibleDC(windowDc);
    shownBitmap = CreateCompatibleBitmap(windowDc, w, h);
    SelectObject(shown, shownBitmap);
    ReleaseDC(window, windowDc);
}
