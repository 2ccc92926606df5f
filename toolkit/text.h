// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// A figure showing one line of text in a colour and a font, rendered once onto the key colour.
#pragma once

#include "toolkit/figure.h"

class Text : public Figure {
  public:
    Text(Screen* screen, HWND window, const WCHAR* string, COLORREF colour, LOGFONTW font);
    ~Text() override;
    const WCHAR* GetTypeName() override;
    HDC GetSurface() override;

    HDC surface = nullptr;
    HBITMAP bitmap = nullptr;
    WCHAR* text = nullptr;
};
