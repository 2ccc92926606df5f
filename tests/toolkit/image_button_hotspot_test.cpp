// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Buttons and hotspots on a plain screen, with the program's own bitmaps and sounds.
#include <utility>

#include "tests/support/pixels.h"
#include "tests/support/swatch.h"
#include "toolkit/button.h"
#include "toolkit/hotspot.h"
#include "toolkit/sounds.h"

namespace {

constexpr int kPrevArrow = 176;  // 120x45: released on the left, pressed on the right

using FigureKindsTest = PlainScreenTest;

TEST_F(FigureKindsTest, AButtonShowsItsStateAndReportsThePressAtTouchAndTheReleaseAtLift) {
    Button* button = Add(new Button(screen.get(), window, kPrevArrow), 20, 100);
    Picture strip = PixelsOfBitmap(kPrevArrow);
    const Picture released = Crop(strip, 0, 0, 60, 45), pressed = Crop(strip, 60, 0, 60, 45);
    ASSERT_NE(released, pressed);

    screen->PointerUp(30, 110);  // never pressed: nothing to release
    screen->PointerDown(30, 110);
    EXPECT_EQ(recorder.Take(), "press 30,110 ");
    EXPECT_EQ(PixelsOf(button->GetSurface()), pressed);
    EXPECT_EQ(Compose(*screen).At(90, 110), kBackground);  // only the half is drawn
    screen->PointerUp(200, 300);                           // slid off the button before lifting
    EXPECT_EQ(recorder.Take(), "release 200,300 ");
    EXPECT_EQ(PixelsOf(button->GetSurface()), released);

    screen->PointerDown(30, 110);
    screen->PointerDown(31, 111);
    screen->PointerUp(31, 111);
    screen->PointerUp(31, 111);
    EXPECT_EQ(recorder.Take(), "press 30,110 press 31,111 release 31,111 ");
}

TEST_F(FigureKindsTest, AButtonWhoseLiftWasMissedLetsGoOnTheTickWithoutAReport) {
    Button* button = Add(new Button(screen.get(), window, kPrevArrow), 0, 0);
    test_host::SetStylus(true);
    screen->PointerDown(5, 5);
    button->Tick(10);
    EXPECT_TRUE(button->pressed);
    test_host::SetStylus(false);  // lifted, but the screen never hears of it
    ClearDirty();
    button->Tick(60);
    EXPECT_FALSE(button->pressed);
    EXPECT_EQ(recorder.Take(), "press 5,5 ");
    EXPECT_EQ(screen->dirty.left, 0);  // the released look will be drawn
}

TEST_F(FigureKindsTest, AHotspotIsNeverDrawnAndTakesTheStylusOnlyWhenShown) {
    Hotspot::clickSound = nullptr;
    Hotspot* spot = Add(new Hotspot(screen.get(), window, 50, 40), 60, 60);
    // Later hotspots share the click the first one loaded and never load it again.
    HGLOBAL click = std::exchange(Hotspot::clickSound, LoadWave(20003));
    Add(new Hotspot(screen.get(), window, 10, 10), 0, 0);
    EXPECT_EQ(std::exchange(Hotspot::clickSound, click), LoadWave(20003));

    screen->PointerDown(80, 80);
    EXPECT_EQ(recorder.Take(), "");
    EXPECT_TRUE(test_host::Sounds().empty());
    spot->SetVisible(true);
    Picture composed = Compose(*screen);
    for (COLORREF c : Crop(composed, 60, 60, 50, 40).pixels) ASSERT_EQ(c, kBackground);
    screen->PointerDown(80, 80);
    EXPECT_EQ(recorder.Take(), "press 80,80 ");
    EXPECT_EQ(test_host::Sounds(), std::vector<int>{20000});
}

}  // namespace
