// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// A figure that shows one bitmap resource at its natural size.
#pragma once

#include "toolkit/figure.h"

class Image : public Figure {
  public:
    Image(Screen* screen, HWND window, int32_t bitmapId);
    ~Image() override;
    const WCHAR* GetTypeName() override;
    HDC GetSurface() override;

    int32_t bitmapId;
    BITMAP bitmapInfo{};
    HBITMAP initialBitmap = nullptr;
    HBITMAP bitmap = nullptr;
    HDC surface = nullptr;

  protected:
    // A memory surface holding a new full-colour bitmap of the given size, for the part of the
    // bitmap a kind shows. Made from the window's DC: one made from the new memory DC would be
    // monochrome.
    void MakeShownSurface(int32_t w, int32_t h, HDC& shown, HBITMAP& shownBitmap);
};
