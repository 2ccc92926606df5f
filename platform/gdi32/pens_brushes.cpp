// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// gdi32: CreatePen, CreateSolidBrush
// Pens and brushes of the program's own, which Rectangle outlines and fills with.
#include "platform/gdi32/gdi_objects.h"

using namespace platform;

HPEN CreatePen(int style, int width, COLORREF colour) {
    return static_cast<HPEN>(RegisterObject(new PenObject(style, width, colour)));
}

HBRUSH CreateSolidBrush(COLORREF colour) {
    return static_cast<HBRUSH>(RegisterObject(new BrushObject(colour, false)));
}
