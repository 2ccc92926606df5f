// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// A font object at the size it asks for, as FreeType renders it: what GDI's text calls measure
// with, and what DrawTextW lays out and draws with (as user32's DrawText does on GDI's glyphs).
#pragma once

#include "platform/gdi32/gdi_objects.h"

namespace platform {

struct FontFace;

// The face of the DC's font, made when first asked for; null when no font the program carries
// can stand for it.
FontFace* FaceOf(DeviceContext* dc);

// Pixels above and below the baseline; their sum is the cell's height.
struct FaceMetrics {
    int ascent = 0;
    int descent = 0;
};
FaceMetrics MetricsOf(const FontFace* face);

// How far the pen moves over `length` characters.
int TextWidth(FontFace* face, LPCWSTR text, int length);

// Draws the characters in the DC's text colour, the pen starting at (penX, baseline) of the DC's
// target surface, and nothing outside `clip` (surface coordinates).
void DrawGlyphs(DeviceContext* dc, FontFace* face, int penX, int baseline, LPCWSTR text, int length,
                const RECT& clip);

}  // namespace platform
