// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Text figures in the letters' font: sized by the font's metrics, rendered in one colour on
// the key colour so that composing leaves no fringe.
#include "toolkit/text.h"

#include <algorithm>
#include <cwchar>
#include <string>

#include "tests/support/pixels.h"
#include "tests/support/swatch.h"

namespace {

constexpr COLORREF kGreen = RGB(0, 255, 0);

// 150 pixels high for the big letters, 12 for the title screen's labels.
LOGFONTW Font(int height) {
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfWeight = FW_BOLD;
    font.lfPitchAndFamily = FF_SWISS;
    return font;
}

// The box around the pixels of one colour, inclusive.
RECT InkOf(const Picture& s, COLORREF colour) {
    RECT box{s.width, s.height, -1, -1};
    for (LONG y = 0; y < s.height; ++y)
        for (LONG x = 0; x < s.width; ++x)
            if (s.At(x, y) == colour)
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
                       std::max(box.bottom, y)};
    return box;
}

class TextTest : public PlainScreenTest {
  protected:
    Text* Add(const WCHAR* string, COLORREF colour, const LOGFONTW& font, int x = 0, int y = 0) {
        auto* text = new Text(screen.get(), window, string, colour, font);
        text->SetX(x);
        text->SetY(y);
        screen->AddFigure(text);
        return text;
    }
    SIZE Extent(const WCHAR* string, const LOGFONTW& font) {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(dc, CreateFontIndirectW(&font));
        SIZE size{};
        GetTextExtentExPointW(dc, string, int(std::wcslen(string)), 0, nullptr, nullptr, &size);
        DeleteObject(SelectObject(dc, previous));
        DeleteDC(dc);
        return size;
    }
};

TEST_F(TextTest, TakesTheSizeOfItsTextInItsFontAndFillsIt) {
    for (auto [string, height] : {std::pair{L"A", 150},
                                  {L"g", 150},
                                  {L"\u00c4", 150},
                                  {L"\u00d1", 150},
                                  {L"Quillby", 150},
                                  {L"v. 1.1", 12}}) {
        std::wstring callers = string;
        Text* text = Add(callers.c_str(), kGreen, Font(height));
        callers.assign(callers.size(), L'#');  // the figure keeps its own copy
        EXPECT_STREQ(text->text, string);
        SIZE extent = Extent(string, Font(height));
        EXPECT_TRUE(text->GetWidth() == extent.cx && text->GetHeight() == extent.cy) << string;
        // The cell asked for, give or take the pixel GDI's rounding of ascent and descent
        // apart may add or take away.
        EXPECT_NEAR(extent.cy, height, 1) << string;
        // Never cut by the cell: the descender of a "g" neither, nor the dots of an "Ä" or
        // the tilde of an "Ñ" above; small labels not too small.
        RECT ink = InkOf(PixelsOf(text->GetSurface()), kGreen);
        EXPECT_TRUE(ink.top > 0 && ink.bottom < extent.cy - 1) << string;
        EXPECT_GE(ink.bottom - ink.top + 1, height / 2) << string;
    }
}

TEST_F(TextTest, ComposingChangesOnlyTheCrispGlyphsPixelsAndKeyColouredTextVanishes) {
    Text* text = Add(L"Ag", kGreen, Font(150), 20, 40);
    Add(L"W", KeyColour, Font(150), 10, 160);
    Picture own = PixelsOf(text->GetSurface());
    Picture composed = Compose(*screen);
    for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 240; ++x) {
            bool inside = x >= 20 && y >= 40 && x < 20 + own.width && y < 40 + own.height;
            bool glyph = inside && own.At(x - 20, y - 40) == kGreen;
            ASSERT_EQ(composed.At(x, y), glyph ? kGreen : kBackground) << x << ',' << y;
        }
}

}  // namespace
