// Text figures in the letters' font: sized by the font's metrics, rendered in one colour on
// the key colour so that composing leaves no fringe.
#include "toolkit/text.h"

#include <algorithm>
#include <cwchar>

#include "tests/support/pixels.h"
#include "tests/support/swatch.h"

namespace {

constexpr COLORREF kBackground = RGB(10, 20, 30);
constexpr COLORREF kGreen = RGB(0, 255, 0);

// The font of the big letters.
LOGFONTW BigLetters() {
    LOGFONTW font{};
    font.lfHeight = 150;
    font.lfWeight = FW_BOLD;
    font.lfPitchAndFamily = FF_SWISS;
    return font;
}

// The font of the title screen's small labels.
LOGFONTW Label() {
    LOGFONTW font = BigLetters();
    font.lfHeight = 12;
    return font;
}

// Rows and columns holding glyph pixels, and how many there are.
struct Ink {
    int left = INT32_MAX, top = INT32_MAX, right = -1, bottom = -1, count = 0;
    int Height() const { return bottom - top + 1; }
};

Ink InkOf(const platform::Surface& s, COLORREF colour) {
    Ink ink;
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x) {
            if (s.At(x, y) != colour) continue;
            ++ink.count;
            ink = Ink{std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x),
                      std::max(ink.bottom, y), ink.count};
        }
    return ink;
}

class TextTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        screen = std::make_unique<PlainScreen>(window, kBackground);
    }
    void TearDown() override {
        screen.reset();
        HeadlessTest::TearDown();
    }
    Text* Add(const WCHAR* string, COLORREF colour, const LOGFONTW& font, int x = 0, int y = 0) {
        auto* text = new Text(screen.get(), window, string, colour, font);
        text->SetX(x);
        text->SetY(y);
        screen->AddFigure(text);
        return text;
    }
    SIZE Extent(const WCHAR* string, const LOGFONTW& font) {
        HDC dc = CreateCompatibleDC(nullptr);
        HFONT handle = CreateFontIndirectW(&font);
        HGDIOBJ previous = SelectObject(dc, handle);
        SIZE size{};
        GetTextExtentExPointW(dc, string, int(std::wcslen(string)), 0, nullptr, nullptr, &size);
        SelectObject(dc, previous);
        DeleteObject(handle);
        DeleteDC(dc);
        return size;
    }
    std::unique_ptr<PlainScreen> screen;
};

TEST_F(TextTest, TakesTheSizeOfItsTextInItsFont) {
    for (const WCHAR* s : {L"A", L"g", L"Quillby"}) {
        Text* text = Add(s, kGreen, BigLetters());
        SIZE extent = Extent(s, BigLetters());
        EXPECT_EQ(text->GetWidth(), extent.cx);
        EXPECT_EQ(text->GetHeight(), extent.cy);
        EXPECT_GT(extent.cx, 0);
        EXPECT_STREQ(text->GetTypeName(), L"Text");
    }
    EXPECT_EQ(Add(L"A", kGreen, BigLetters())->GetHeight(), 150);
    EXPECT_EQ(Add(L"v. 1.1", kGreen, Label())->GetHeight(), 12);
}

TEST_F(TextTest, ABigLetterIsCrispAndStandsAboutNinetyPixelsHigh) {
    Text* a = Add(L"A", kGreen, BigLetters());
    platform::Surface pixels = PixelsOf(a->GetSurface());
    for (COLORREF p : pixels.pixels) ASSERT_TRUE(p == kGreen || p == KeyColour) << std::hex << p;
    Ink ink = InkOf(pixels, kGreen);
    EXPECT_GE(ink.Height(), 85);
    EXPECT_LE(ink.Height(), 95);
    // Inside its cell, never cut by it; the descender of a "g" too.
    EXPECT_GT(ink.top, 0);
    EXPECT_LT(ink.bottom, 149);
    Ink g = InkOf(PixelsOf(Add(L"g", kGreen, BigLetters())->GetSurface()), kGreen);
    EXPECT_GT(g.bottom, ink.bottom);
    EXPECT_LT(g.bottom, 149);
    EXPECT_GT(g.left, 0);
}

TEST_F(TextTest, ComposingChangesOnlyTheGlyphsPixels) {
    Text* text = Add(L"Ag", kGreen, BigLetters(), 20, 40);
    platform::Surface own = PixelsOf(text->GetSurface());
    ComposeOnWindow(*screen);
    for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 240; ++x) {
            bool inside = x >= 20 && y >= 40 && x < 20 + own.width && y < 40 + own.height;
            bool glyph = inside && own.At(x - 20, y - 40) == kGreen;
            ASSERT_EQ(WindowPixel(x, y), glyph ? kGreen : kBackground) << x << ',' << y;
        }
}

TEST_F(TextTest, KeepsItsOwnCopyOfTheString) {
    auto* string = new WCHAR[3]{L'A', L'g', 0};
    Text* text = Add(string, kGreen, BigLetters());
    delete[] string;
    EXPECT_STREQ(text->text, L"Ag");
}

TEST_F(TextTest, TextInTheKeyColourVanishes) {
    Add(L"W", KeyColour, BigLetters(), 10, 10);
    ComposeOnWindow(*screen);
    EXPECT_EQ(InkOf(platform::Display(), kBackground).count, 240 * 320);
}

TEST_F(TextTest, SmallLabelsStillHaveLetters) {
    Text* label = Add(L"v. 1.1", RGB(0, 0, 0), Label());
    Ink ink = InkOf(PixelsOf(label->GetSurface()), RGB(0, 0, 0));
    EXPECT_GT(ink.count, 15);
    EXPECT_GE(ink.Height(), 7);  // the "1"s stand most of the cell high
    EXPECT_GE(ink.right - ink.left + 1, label->GetWidth() - 4);
}

}  // namespace
