// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Buttons and hotspots on a plain screen, with the program's own bitmaps and sounds.
#include <string>
#include <utility>

#include "tests/support/host_test.h"
#include "tests/support/pixels.h"
#include "tests/support/swatch.h"
#include "toolkit/button.h"
#include "toolkit/hotspot.h"
#include "toolkit/sounds.h"

namespace {

constexpr COLORREF kBackground = RGB(10, 20, 30);
constexpr int kPrevArrow = 176;  // 120x45: released on the left, pressed on the right

class FigureKindsTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        screen = std::make_unique<PlainScreen>(window, kBackground);
    }
    void TearDown() override {
        screen.reset();
        HostTest::TearDown();
    }
    // The figure joins the screen, which deletes it.
    template <typename F>
    F* Add(F* figure, int x = 0, int y = 0) {
        figure->SetX(x);
        figure->SetY(y);
        figure->AddListener(&recorder);
        screen->AddFigure(figure);
        return figure;
    }
    // What the figures reported since last asked, as "press x,y release x,y ".
    std::string Reports() {
        std::string out;
        for (const auto& e : recorder.events)
            out += (e.press ? "press " : "release ") + std::to_string(e.x) + ',' +
                   std::to_string(e.y) + ' ';
        recorder.events.clear();
        return out;
    }
    std::unique_ptr<PlainScreen> screen;
    Recorder recorder;
};

TEST_F(FigureKindsTest, AButtonShowsItsStateAndReportsThePressAtTouchAndTheReleaseAtLift) {
    Button* button = Add(new Button(screen.get(), window, kPrevArrow), 20, 100);
    button->enabled = true;
    HBITMAP strip = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kPrevArrow));
    const auto released = Crop(PixelsOf(strip), 0, 0, 60, 45).pixels;
    const auto pressed = Crop(PixelsOf(strip), 60, 0, 60, 45).pixels;
    DeleteObject(strip);
    ASSERT_NE(released, pressed);

    screen->PointerUp(30, 110);  // never pressed: nothing to release
    screen->PointerDown(30, 110);
    EXPECT_EQ(Reports(), "press 30,110 ");
    EXPECT_EQ(PixelsOf(button->GetSurface()).pixels, pressed);
    EXPECT_EQ(Compose(*screen).At(90, 110), kBackground);  // only the half is drawn
    screen->PointerUp(200, 300);                           // slid off the button before lifting
    EXPECT_EQ(Reports(), "release 200,300 ");
    EXPECT_EQ(PixelsOf(button->GetSurface()).pixels, released);

    screen->PointerDown(30, 110);
    screen->PointerDown(31, 111);
    screen->PointerUp(31, 111);
    screen->PointerUp(31, 111);
    EXPECT_EQ(Reports(), "press 30,110 press 31,111 release 31,111 ");
}

TEST_F(FigureKindsTest, AButtonWhoseLiftWasMissedLetsGoOnTheTickWithoutAReport) {
    Button* button = Add(new Button(screen.get(), window, kPrevArrow));
    button->enabled = true;
    test_host::SetStylus(true);
    screen->PointerDown(5, 5);
    button->Tick(10);
    EXPECT_TRUE(button->pressed);
    test_host::SetStylus(false);  // lifted, but the screen never hears of it
    screen->dirty = RECT{-1, -1, -1, -1};
    button->Tick(60);
    EXPECT_FALSE(button->pressed);
    EXPECT_EQ(Reports(), "press 5,5 ");
    EXPECT_EQ(screen->dirty.left, 0);  // the released look will be drawn
}

TEST_F(FigureKindsTest, AHotspotIsNeverDrawnAndTakesTheStylusOnlyWhenShown) {
    Hotspot::clickSound = nullptr;
    Hotspot* spot = Add(new Hotspot(screen.get(), window, 50, 40), 60, 60);
    // Later hotspots share the click the first one loaded and never load it again.
    HGLOBAL click = std::exchange(Hotspot::clickSound, LoadWave(20003));
    Add(new Hotspot(screen.get(), window, 10, 10));
    EXPECT_EQ(std::exchange(Hotspot::clickSound, click), LoadWave(20003));

    screen->PointerDown(80, 80);
    EXPECT_EQ(Reports(), "");
    EXPECT_TRUE(test_host::Sounds().empty());
    spot->SetVisible(true);
    Picture composed = Compose(*screen);
    for (int y = 60; y < 100; ++y)
        for (int x = 60; x < 110; ++x) ASSERT_EQ(composed.At(x, y), kBackground);
    screen->PointerDown(80, 80);
    EXPECT_EQ(Reports(), "press 80,80 ");
    EXPECT_EQ(test_host::Sounds(), std::vector<int>{20000});
}

}  // namespace
