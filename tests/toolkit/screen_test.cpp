// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "toolkit/screen.h"

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/pixels.h"
#include "tests/support/swatch.h"
#include "toolkit/button.h"

namespace {

constexpr COLORREF kGreen = RGB(0, 200, 0);  // every swatch's colour

class ScreenTest : public PlainScreenTest {
  protected:
    void SetUp() override {
        PlainScreenTest::SetUp();
        screen->active = true;
        ClearDirty();
    }
    // The pixels the repaints so far copied onto the window, as "left top width height" of the
    // box around them; "none" when nothing was copied.
    std::string Copied() {
        Picture shown = PixelsOf(screen->shown.dc);
        int left = shown.width, top = shown.height, right = -1, bottom = -1, count = 0;
        for (int y = 0; y < shown.height; ++y)
            for (int x = 0; x < shown.width; ++x)
                if (shown.At(x, y) != PlainScreen::kUnshown) {
                    left = std::min(left, x), top = std::min(top, y);
                    right = std::max(right, x), bottom = std::max(bottom, y);
                    ++count;
                }
        if (!count) return "none";
        int w = right - left + 1, h = bottom - top + 1;
        std::string box = std::to_string(left) + " " + std::to_string(top) + " " +
                          std::to_string(w) + " " + std::to_string(h);
        return count == w * h ? box : box + " (not a rectangle)";
    }
    std::vector<Figure*> BottomToTop() {
        std::vector<Figure*> out;
        for (auto* n = screen->figures.head; n; n = n->next) out.push_back(n->item);
        return out;
    }
};

TEST_F(ScreenTest, AFigureGoesBeneathThoseOfItsOwnLayer) {
    Swatch* a = AddSwatch(0, 0, 20, 20);
    Swatch* b = AddSwatch(0, 0, 20, 20);
    Swatch* c = AddSwatch(0, 0, 20, 20, L"Figure", 5);
    EXPECT_EQ(BottomToTop(), (std::vector<Figure*>{screen->background, c, b, a}));
    screen->PointerDown(5, 5);
    EXPECT_EQ(recorder.figures, std::vector<Figure*>{a});
    a->SetLayer(10);  // the same layer again: now the lowest of it
    EXPECT_EQ(BottomToTop(), (std::vector<Figure*>{screen->background, c, a, b}));
}

TEST_F(ScreenTest, TheTimedRedrawCopiesTheInclusiveDirtyRectangleOfWhatLiesInside) {
    screen->MarkDirty(InclusiveRect{0, 0, 241, 10});  // reaching outside: dropped whole
    screen->MarkDirty(InclusiveRect{-1, 5, 10, 10});
    EXPECT_EQ(Dirty(), "none");
    screen->MarkDirty(InclusiveRect{10, 10, 20, 20});
    screen->MarkDirty(InclusiveRect{5, 30, 15, 40});
    EXPECT_EQ(Dirty(), "5 10 20 40");
    screen->lastRedraw = 1000;
    screen->Tick(1084);
    EXPECT_EQ(Copied(), "none");
    screen->Tick(1085);
    EXPECT_EQ(Copied(), "5 10 16 31");
    EXPECT_EQ(screen->shown.Get(20, 40), kBackground);
    EXPECT_EQ(screen->lastRedraw, 1085u);
    EXPECT_EQ(Dirty(), "none");
}

TEST_F(ScreenTest, RepaintsComeEvery85MsAcrossTheWrapOfTheTick) {
    // Something changes every millisecond from shortly before the counter wraps to well after.
    const uint32_t start = 0xFFFFFFFFu - 40;
    screen->Tick(start);  // nothing is dirty, yet the interval starts here
    std::vector<uint32_t> repaintedAfter;
    for (uint32_t ms = 1; ms <= 200; ++ms) {
        screen->MarkDirty(InclusiveRect{0, 0, 1, 1});
        int before = screen->paints;
        screen->Tick(start + ms);
        if (screen->paints != before) repaintedAfter.push_back(ms);
    }
    EXPECT_EQ(repaintedAfter, (std::vector<uint32_t>{85, 170}));

    // 11 ms from 2^32 - 6 to 5 are too few; 85 to 79 are enough.
    screen->lastRedraw = 0xFFFFFFFFu - 5;
    screen->Tick(5);
    EXPECT_EQ(screen->lastRedraw, 0xFFFFFFFFu - 5);
    screen->Tick(79);
    EXPECT_EQ(screen->lastRedraw, 79u);
}

TEST_F(ScreenTest, AFigureAtTheEdgesOfTheDisplayRepaintsExactlyItsPixels) {
    // A figure's bounds count their right and bottom edges as inside, so away from the edges a
    // repaint takes one column and one row more; at the display's edges the back buffer ends
    // there. A figure reaching outside marks nothing.
    struct Case {
        int x, y, w, h;
        const char* copied;
    } cases[] = {
        {230, 310, 10, 10, "230 310 10 10"}, {230, 100, 10, 10, "230 100 10 11"},
        {100, 310, 10, 10, "100 310 11 10"}, {229, 309, 10, 10, "229 309 11 11"},
        {0, 0, 240, 320, "0 0 240 320"},     {0, 319, 240, 1, "0 319 240 1"},
        {239, 0, 1, 320, "239 0 1 320"},     {231, 100, 10, 10, "none"},
        {100, 311, 10, 10, "none"},
    };
    uint32_t now = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        Swatch* f = AddSwatch(c.x, c.y, c.w, c.h);
        screen->Tick(now += RedrawInterval);  // what adding it marked
        screen->shown.Fill(PlainScreen::kUnshown);
        f->Invalidate();
        screen->Tick(now += RedrawInterval);
        EXPECT_EQ(Copied(), c.copied);
        bool inside = c.x + c.w <= 240 && c.y + c.h <= 320;
        for (int y = c.y; inside && y < c.y + c.h; ++y)
            for (int x = c.x; x < c.x + c.w; ++x)
                ASSERT_EQ(screen->shown.Get(x, y), kGreen) << x << ',' << y;
        screen->RemoveFigure(f, true);
    }
}

TEST_F(ScreenTest, NestedPaintAndInactiveRedrawLeaveTheDirtyRectangle) {
    screen->MarkDirty(InclusiveRect{1, 2, 3, 4});
    screen->painting = true;
    screen->Paint(nullptr, false);
    screen->painting = false;
    screen->active = false;
    screen->Redraw(false);
    EXPECT_EQ(Dirty(), "1 2 3 4");
    EXPECT_EQ(Copied(), "none");
}

TEST_F(ScreenTest, ComposingLeavesOutKeyPixelsAndClipsFiguresReachingOffTheScreen) {
    AddSwatch(100, 100, 4, 4)->pixels.Set(1, 1, KeyColour);
    AddSwatch(230, 315, 20, 20);
    AddSwatch(-5, -5, 10, 10);
    Picture composed = Compose(*screen);
    EXPECT_EQ(Copied(), "0 0 240 320");
    EXPECT_EQ(PixelsOf(screen->shown.dc), composed);
    for (auto [x, y, colour] : {std::tuple{100, 100, kGreen},
                                {101, 101, kBackground},
                                {239, 319, kGreen},
                                {0, 0, kGreen},
                                {5, 5, kBackground}})
        EXPECT_EQ(composed.At(x, y), colour) << x << ',' << y;
}

TEST_F(ScreenTest, PressGoesToTheTopmostFigureHitWithInclusiveEdges) {
    Swatch* low = AddSwatch(10, 10, 10, 10);
    screen->PointerDown(20, 20);  // exactly x + width, y + height
    screen->PointerDown(21, 20);
    EXPECT_EQ(recorder.Take(), "press 20,20 ");

    Swatch* blocker = AddSwatch(10, 10, 10, 10, L"Figure", 11);
    blocker->enabled = false;
    screen->PointerDown(15, 15);  // a visible disabled figure above tells nobody
    blocker->passThrough = true;
    screen->PointerDown(16, 16);
    blocker->passThrough = false;
    blocker->SetVisible(false);  // a hidden figure is never hit
    screen->PointerDown(17, 17);
    EXPECT_EQ(recorder.figures, (std::vector<Figure*>{low, low}));
    EXPECT_EQ(recorder.Take(), "press 16,16 press 17,17 ");
}

TEST_F(ScreenTest, ReleaseReachesEveryEnabledButtonAndHitFiguresOnly) {
    Swatch* image = AddSwatch(0, 0, 10, 10, L"Image");
    Swatch* button = AddSwatch(100, 100, 10, 10, Button::TypeName);
    Swatch* hiddenButton = AddSwatch(150, 150, 10, 10, Button::TypeName);
    hiddenButton->SetVisible(false);
    hiddenButton->enabled = true;  // hidden yet enabled: still hears every release
    AddSwatch(50, 50, 10, 10, Button::TypeName)->enabled = false;

    screen->PointerUp(200, 300);
    EXPECT_EQ(recorder.figures, (std::vector<Figure*>{button, hiddenButton}));  // topmost first
    recorder.Take();
    screen->PointerUp(5, 5);
    EXPECT_EQ(recorder.figures, (std::vector<Figure*>{image, button, hiddenButton}));
}

TEST_F(ScreenTest, RemovingMarksOnlyVisibleFigures) {
    Swatch* hidden = AddSwatch(30, 30, 5, 5);
    hidden->SetVisible(false);
    ClearDirty();
    screen->RemoveFigure(hidden, true);
    EXPECT_EQ(Dirty(), "none");
    Swatch* shown = AddSwatch(30, 30, 5, 5);
    ClearDirty();
    screen->RemoveFigure(shown, true);
    EXPECT_EQ(Dirty(), "30 30 35 35");
    EXPECT_EQ(screen->figures.count, 1);
}

struct Remover : FigureListener {
    Remover(Screen* screen, Figure* victim) : screen(screen), victim(victim) {}
    Screen* screen;
    Figure* victim;
    void OnFigurePress(Figure*, int32_t, int32_t) override { screen->RemoveFigure(victim, true); }
    void OnFigureRelease(Figure*, int32_t, int32_t) override {}
};

TEST_F(ScreenTest, AHandlerMayRemoveTheFigureBeneathDuringTheWalk) {
    Swatch* beneath = AddSwatch(0, 0, 10, 10, Button::TypeName);
    Swatch* top = AddSwatch(0, 0, 10, 10, L"Figure", 11);
    top->passThrough = true;
    Remover remover(screen.get(), beneath);
    top->AddListener(&remover);
    screen->PointerDown(5, 5);
    EXPECT_EQ(screen->figures.count, 2);  // background and top
}

}  // namespace
