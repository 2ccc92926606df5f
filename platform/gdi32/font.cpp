// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// gdi32: CreateFontIndirectW, GetTextExtentExPointW
// Fonts through FreeType, in the fonts compiled into the program (platform/gdi32/fonts.h
// chooses), and their glyphs drawn for DrawTextW (platform/gdi32/font_face.h).
//
// GDI's metrics: a positive height is the cell (ascent + descent, from the font's Windows
// metrics), a negative one the em. Glyphs are rendered without anti-aliasing, so a letter
// composed through the colour key has no tinted fringe.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <memory>

#include "platform/gdi32/font_face.h"
#include "platform/gdi32/gdi_objects.h"
#include "platform/platform_state.h"

namespace platform {

constexpr int kDefaultCellHeight = 16;

struct FontFace {
    FT_Face face = nullptr;
    int ascent = 0;   // pixels above the baseline
    int descent = 0;  // pixels below it
    ~FontFace() {
        if (face) FT_Done_Face(face);
    }
};

namespace {

constexpr FT_Int32 kLoadFlags = FT_LOAD_TARGET_MONO | FT_LOAD_FORCE_AUTOHINT;

int Advance(FontFace* f, wchar_t c) {
    if (FT_Load_Char(f->face, FT_ULong(c), kLoadFlags)) return 0;
    return int((f->face->glyph->advance.x + 32) >> 6);
}

std::shared_ptr<FontFace> MakeFace(const LOGFONTW& logFont) {
    FontLibrary& fonts = State().fonts;
    int chosen = ChooseFont(fonts.Installed(), logFont);
    if (chosen < 0) return nullptr;
    const InstalledFont& file = fonts.Installed()[size_t(chosen)];
    auto font = std::make_shared<FontFace>();
    if (FT_New_Memory_Face(fonts.Library(), file.data, FT_Long(file.size), 0, &font->face))
        return nullptr;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(font->face, FT_SFNT_OS2));
    double units = font->face->units_per_EM;
    double winAscent = os2 ? os2->usWinAscent : font->face->ascender;
    double winDescent = os2 ? os2->usWinDescent : -font->face->descender;
    double cell = winAscent + winDescent;
    double em;  // pixels per em
    if (logFont.lfHeight > 0)
        em = logFont.lfHeight * units / cell;
    else if (logFont.lfHeight < 0)
        em = -double(logFont.lfHeight);
    else
        em = kDefaultCellHeight * units / cell;
    FT_Set_Char_Size(font->face, 0, FT_F26Dot6(std::lround(em * 64)), 72, 72);
    double scale = em / units;
    font->ascent = int(std::lround(winAscent * scale));
    int cellPixels = logFont.lfHeight > 0 ? int(logFont.lfHeight) : int(std::lround(cell * scale));
    font->descent = cellPixels - font->ascent;
    return font;
}

}  // namespace

FontFace* FaceOf(DeviceContext* dc) {
    if (!dc->font) return nullptr;
    if (!dc->font->face) dc->font->face = MakeFace(dc->font->logFont);
    return dc->font->face.get();
}

int TextWidth(FontFace* f, LPCWSTR text, int length) {
    int width = 0;
    for (int i = 0; i < length; ++i) width += Advance(f, text[i]);
    return width;
}

FaceMetrics MetricsOf(const FontFace* f) {
    return FaceMetrics{f->ascent, f->descent};
}

void DrawGlyphs(DeviceContext* d, FontFace* f, int penX, int baseline, LPCWSTR text, int length,
                const RECT& clip) {
    Surface* surface = TargetOf(d).surface;
    if (!surface) return;
    for (int i = 0; i < length; ++i) {
        if (FT_Load_Char(f->face, FT_ULong(text[i]), kLoadFlags | FT_LOAD_RENDER)) continue;
        FT_GlyphSlot g = f->face->glyph;
        const FT_Bitmap& b = g->bitmap;
        // The glyph's box on the target, and the part of it that may be drawn.
        RECT box{penX + g->bitmap_left, baseline - g->bitmap_top, 0, 0}, shown;
        box.right = box.left + LONG(b.width);
        box.bottom = box.top + LONG(b.rows);
        penX += int((g->advance.x + 32) >> 6);
        if (b.pixel_mode != FT_PIXEL_MODE_MONO || !IntersectRect(&shown, &box, &clip)) continue;
        for (LONG y = shown.top; y < shown.bottom; ++y) {
            const unsigned char* bits = b.buffer + (y - box.top) * b.pitch;
            for (LONG x = shown.left; x < shown.right; ++x) {
                LONG col = x - box.left;
                if (bits[col / 8] & (0x80 >> (col % 8))) surface->At(x, y) = d->textColour;
            }
        }
    }
}

}  // namespace platform

using namespace platform;

HFONT CreateFontIndirectW(const LOGFONTW* font) {
    if (!font) return nullptr;
    return static_cast<HFONT>(RegisterObject(new FontObject(*font)));
}

BOOL GetTextExtentExPointW(HDC dc, LPCWSTR text, int length, int maxExtent, LPINT fit,
                           LPINT partialExtents, LPSIZE size) {
    DeviceContext* d = ToDc(dc);
    FontFace* f = d ? FaceOf(d) : nullptr;
    if (!f || !text || length < 0) return FALSE;
    int width = 0, fitting = 0;
    for (int i = 0; i < length; ++i) {
        width += Advance(f, text[i]);
        if (partialExtents) partialExtents[i] = width;
        if (width <= maxExtent) fitting = i + 1;
    }
    if (fit) *fit = fitting;
    if (size) *size = SIZE{width, f->ascent + f->descent};
    return TRUE;
}
