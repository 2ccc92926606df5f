// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "toolkit/figure.h"

#include "toolkit/screen.h"

Figure::Figure(Screen* screen, HWND window) : screen(screen), window(window) {
    SetLayer(10);
}

Figure::~Figure() {
    listeners.Clear();
}

void Figure::Tick(uint32_t) {}

void Figure::SetWidth(int32_t value) {
    screen->MarkDirty(GetBounds());
    width = value;
    Invalidate();
}

void Figure::SetHeight(int32_t value) {
    screen->MarkDirty(GetBounds());
    height = value;
    Invalidate();
}

const WCHAR* Figure::GetTypeName() {
    return L"Figure";
}

int32_t Figure::GetLayer() {
    return layer;
}

void Figure::SetLayer(int32_t value) {
    layer = value;
    screen->RelayerFigure(this);
    Invalidate();
}

void Figure::OnPointerDown(int32_t px, int32_t py) {
    ForEachSnapshot(listeners, [&](FigureListener* l) { l->OnFigurePress(this, px, py); });
}

void Figure::OnPointerUp(int32_t px, int32_t py) {
    ForEachSnapshot(listeners, [&](FigureListener* l) { l->OnFigureRelease(this, px, py); });
}

int32_t Figure::GetX() {
    return x;
}
int32_t Figure::GetY() {
    return y;
}
int32_t Figure::GetWidth() {
    return width;
}
int32_t Figure::GetHeight() {
    return height;
}

void Figure::SetX(int32_t value) {
    screen->MarkDirty(GetBounds());
    x = value;
    Invalidate();
}

void Figure::SetY(int32_t value) {
    screen->MarkDirty(GetBounds());
    y = value;
    Invalidate();
}

void Figure::FillWithKey(HDC dc) {
    HGDIOBJ pen = CreatePen(PS_NULL, 1, 0);
    HGDIOBJ previousPen = SelectObject(dc, pen);
    HGDIOBJ brush = CreateSolidBrush(KeyColour);
    HGDIOBJ previousBrush = SelectObject(dc, brush);
    Rectangle(dc, 0, 0, GetWidth(), GetHeight());
    SelectObject(dc, previousBrush);
    DeleteObject(brush);
    SelectObject(dc, previousPen);
    DeleteObject(pen);
}

void Figure::SetVisible(bool value) {
    if (value == visible) return;
    visible = value;
    if (!value) enabled = false;
    Invalidate();
}

void Figure::Invalidate() {
    screen->MarkDirty(GetBounds());
}

InclusiveRect Figure::GetBounds() {
    int32_t left = GetX(), top = GetY();
    return InclusiveRect{left, top, left + GetWidth(), top + GetHeight()};
}

void Figure::AddListener(FigureListener* listener) {
    listeners.AddIfAbsent(listener);
}
