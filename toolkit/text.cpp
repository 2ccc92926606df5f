// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "toolkit/text.h"

#include <cwchar>

Text::Text(Screen* screen, HWND window, const WCHAR* string, COLORREF colour, LOGFONTW font)
    : Figure(screen, window) {
    SetX(0);
    SetY(0);
    size_t length = std::wcslen(string);
    text = new WCHAR[length + 1];
    std::wcscpy(text, string);
    HDC windowDc = GetDC(window);
    surface = CreateCompatibleDC(windowDc);
    HFONT handle = CreateFontIndirectW(&font);
    HGDIOBJ previousFont = SelectObject(surface, handle);
    SIZE extent{};
    GetTextExtentExPointW(surface, text, int(length), 0, nullptr, nullptr, &extent);
    SetWidth(extent.cx);
    SetHeight(extent.cy);
    bitmap = CreateCompatibleBitmap(windowDc, GetWidth(), GetHeight());
    SelectObject(surface, bitmap);
    ReleaseDC(window, windowDc);
    COLORREF previousBk = SetBkColor(surface, KeyColour);
    COLORREF previousText = SetTextColor(surface, colour);
    RECT cell{0, 0, GetWidth(), GetHeight()};
    DrawTextW(surface, text, int(length), &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(surface, previousFont);
    DeleteObject(handle);
    SetBkColor(surface, previousBk);
    SetTextColor(surface, previousText);
    SetVisible(true);
}

Text::~Text() {
    DeleteDC(surface);
    DeleteObject(bitmap);
    delete[] text;
}

const WCHAR* Text::GetTypeName() {
    return L"Text";
}

HDC Text::GetSurface() {
    return surface;
}
