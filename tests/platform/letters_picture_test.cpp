// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// How our text rendering draws the big letters: in the game's three colours over the game's
// background, composed as a screen composes them, against the picture kept in
// docs/letters.png. Run with QUILLBY_UPDATE_PICTURES=1 to write the picture afresh after a
// deliberate change.
#include <cstdlib>
#include <string>

#include "platform/png.h"
#include "tests/platform/headless_fixture.h"
#include "tests/support/pixels.h"
#include "toolkit/image.h"
#include "toolkit/screen.h"
#include "toolkit/text.h"

namespace {

constexpr int kGameBackground = 175;
const char* const kPicture = "docs/letters.png";

class LettersScreen : public Screen {
  public:
    explicit LettersScreen(HWND window) : Screen(window, GetModuleHandleW(nullptr)) {
        background = new Image(this, window, kGameBackground);
        background->SetLayer(1);
        AddFigure(background);
        LOGFONTW font{};
        font.lfHeight = 150;
        font.lfWeight = FW_BOLD;
        font.lfPitchAndFamily = FF_SWISS;
        Letter(L"A", RGB(0, 255, 0), font, 10, 10);
        Letter(L"g", RGB(246, 0, 0), font, 148, 60);
        Letter(L"W", RGB(0, 0, 255), font, 20, 165);
    }
    ~LettersScreen() override { DeleteAllFigures(); }

  private:
    void Letter(const WCHAR* letter, COLORREF colour, const LOGFONTW& font, int x, int y) {
        auto* text = new Text(this, window, letter, colour, font);
        text->SetX(x);
        text->SetY(y);
        AddFigure(text);
    }
};

class LettersPictureTest : public HeadlessTest {};

TEST_F(LettersPictureTest, MatchesTheKeptPicture) {
    {
        LettersScreen screen(window);
        Compose(screen);
    }
    const platform::Surface& shown = platform::Display();
    const char* update = std::getenv("QUILLBY_UPDATE_PICTURES");
    if (update && std::string(update) == "1") {
        ASSERT_TRUE(platform::WritePng(kPicture, shown));
        GTEST_SKIP() << "wrote " << kPicture;
    }
    platform::Surface kept;
    ASSERT_TRUE(platform::ReadPng(kPicture, kept))
        << "cannot read " << kPicture << "; QUILLBY_UPDATE_PICTURES=1 writes it";
    ASSERT_EQ(kept.width, shown.width);
    ASSERT_EQ(kept.height, shown.height);
    int differing = 0, firstX = -1, firstY = -1;
    for (int y = 0; y < shown.height; ++y)
        for (int x = 0; x < shown.width; ++x)
            if (kept.At(x, y) != shown.At(x, y) && differing++ == 0) firstX = x, firstY = y;
    EXPECT_EQ(differing, 0) << "first at " << firstX << ',' << firstY;
}

}  // namespace
