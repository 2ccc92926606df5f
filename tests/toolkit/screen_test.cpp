// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "toolkit/screen.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/host_test.h"
#include "tests/support/pixels.h"
#include "tests/support/swatch.h"

namespace {

constexpr COLORREF kBackground = RGB(10, 20, 30);
constexpr COLORREF kUnshown = PlainScreen::kUnshown;

class ScreenTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        screen = std::make_unique<PlainScreen>(window, kBackground);
        screen->active = true;
        screen->dirty = RECT{-1, -1, -1, -1};
    }
    void TearDown() override {
        screen.reset();
        HostTest::TearDown();
    }
    // The pixels the repaints so far copied onto the window, as "left top width height" of the
    // box around them; "none" when nothing was copied.
    std::string Copied() {
        Picture shown = PixelsOf(screen->shown.dc);
        RECT box{shown.width, shown.height, -1, -1};
        int count = 0;
        for (LONG y = 0; y < shown.height; ++y)
            for (LONG x = 0; x < shown.width; ++x)
                if (shown.At(x, y) != kUnshown) {
                    box = RECT{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
                               std::max(box.bottom, y)};
                    ++count;
                }
        if (!count) return "none";
        LONG w = box.right - box.left + 1, h = box.bottom - box.top + 1;
        std::string out = std::to_string(box.left) + " " + std::to_string(box.top) + " " +
                          std::to_string(w) + " " + std::to_string(h);
        return count == w * h ? out : out + " (not a rectangle)";
    }
    COLORREF Shown(int x, int y) { return screen->shown.Get(x, y); }
    Swatch* Add(int layer, int x, int y, int w, int h, COLORREF c, const WCHAR* type = L"Figure") {
        auto* f = new Swatch(screen.get(), window, w, h, c, type);
        f->SetLayer(layer);
        f->enabled = true;
        f->SetX(x);
        f->SetY(y);
        f->AddListener(&recorder);
        screen->AddFigure(f);
        return f;
    }
    std::vector<Figure*> BottomToTop() {
        std::vector<Figure*> out;
        for (auto* n = screen->figures.head; n; n = n->next) out.push_back(n->item);
        return out;
    }
    std::unique_ptr<PlainScreen> screen;
    Recorder recorder;
};

TEST_F(ScreenTest, TakesItsSizeFromTheClientArea) {
    EXPECT_EQ(screen->width, 240);
    EXPECT_EQ(screen->height, 320);
}

TEST_F(ScreenTest, AFigureGoesBeneathThoseOfItsOwnLayer) {
    Swatch* a = Add(10, 0, 0, 20, 20, RGB(1, 0, 0));
    Swatch* b = Add(10, 0, 0, 20, 20, RGB(2, 0, 0));
    Swatch* c = Add(5, 0, 0, 20, 20, RGB(3, 0, 0));
    EXPECT_EQ(BottomToTop(), (std::vector<Figure*>{screen->background, c, b, a}));
    screen->PointerDown(5, 5);
    ASSERT_EQ(recorder.events.size(), 1u);
    EXPECT_EQ(recorder.events[0].figure, a);

    a->SetLayer(10);  // the same layer again: now the lowest of it
    EXPECT_EQ(BottomToTop(), (std::vector<Figure*>{screen->background, c, a, b}));
}

TEST_F(ScreenTest, MarkDirtyDropsRectanglesReachingOutside) {
    screen->MarkDirty(RECT{0, 0, 241, 10});
    screen->MarkDirty(RECT{-1, 5, 10, 10});
    EXPECT_EQ(screen->dirty.left, -1);
    screen->MarkDirty(RECT{0, 0, 240, 320});
    EXPECT_EQ(screen->dirty.right, 240);
    EXPECT_EQ(screen->dirty.bottom, 320);
}

TEST_F(ScreenTest, TimedRedrawCopiesTheInclusiveDirtyRectangle) {
    screen->MarkDirty(RECT{10, 10, 20, 20});
    screen->MarkDirty(RECT{5, 30, 15, 40});
    EXPECT_EQ(screen->dirty.left, 5);
    EXPECT_EQ(screen->dirty.top, 10);
    EXPECT_EQ(screen->dirty.right, 20);
    EXPECT_EQ(screen->dirty.bottom, 40);
    screen->lastRedraw = 1000;
    screen->Tick(1084);
    EXPECT_EQ(Copied(), "none");
    EXPECT_EQ(screen->lastRedraw, 1000u);
    screen->Tick(1085);
    EXPECT_EQ(Copied(), "5 10 16 31");
    EXPECT_EQ(screen->lastRedraw, 1085u);
    EXPECT_EQ(screen->dirty.left, -1);
    EXPECT_EQ(Shown(5, 10), kBackground);
    EXPECT_EQ(Shown(20, 40), kBackground);
}

TEST_F(ScreenTest, RepaintsComeEvery85MsAcrossTheWrapOfTheTick) {
    // Something changes every millisecond from shortly before the counter wraps to well after.
    const uint32_t start = 0xFFFFFFFFu - 40;
    screen->Tick(start);  // nothing is dirty, yet the interval starts here
    std::vector<uint32_t> repaintedAfter;
    for (uint32_t ms = 1; ms <= 200; ++ms) {
        screen->MarkDirty(RECT{0, 0, 1, 1});
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

TEST_F(ScreenTest, AnIntervalWithNothingDirtyStillCounts) {
    screen->Tick(100);
    EXPECT_EQ(screen->lastRedraw, 100u);
    EXPECT_EQ(screen->paints, 0);
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
    const COLORREF green = RGB(0, 200, 0);
    uint32_t now = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        Swatch* f = Add(10, c.x, c.y, c.w, c.h, green);
        screen->Tick(now += RedrawInterval);  // what adding it marked
        screen->shown.Fill(kUnshown);
        f->Invalidate();
        screen->Tick(now += RedrawInterval);
        EXPECT_EQ(Copied(), c.copied);
        bool inside = c.x + c.w <= 240 && c.y + c.h <= 320;
        for (int y = c.y; inside && y < c.y + c.h; ++y)
            for (int x = c.x; x < c.x + c.w; ++x) ASSERT_EQ(Shown(x, y), green) << x << ',' << y;
        screen->RemoveFigure(f, true);
    }
}

TEST_F(ScreenTest, NestedPaintAndInactiveRedrawLeaveTheDirtyRectangle) {
    screen->MarkDirty(RECT{1, 2, 3, 4});
    screen->painting = true;
    HDC dc = GetDC(window);
    screen->Paint(dc, false);
    ReleaseDC(window, dc);
    EXPECT_EQ(screen->dirty.left, 1);
    screen->painting = false;
    screen->active = false;
    screen->Redraw(false);
    EXPECT_EQ(screen->dirty.left, 1);
    EXPECT_EQ(Copied(), "none");
}

TEST_F(ScreenTest, ComposingLeavesOutKeyPixelsAndCopiesTheBackgroundOpaque) {
    Swatch* f = Add(10, 100, 100, 4, 4, RGB(200, 0, 0));
    f->pixels.Set(1, 1, KeyColour);
    Picture composed = Compose(*screen);
    EXPECT_EQ(Copied(), "0 0 240 320");
    EXPECT_EQ(PixelsOf(screen->shown.dc), composed);
    EXPECT_EQ(composed.At(100, 100), RGB(200, 0, 0));
    EXPECT_EQ(composed.At(101, 101), kBackground);
    EXPECT_EQ(composed.At(0, 0), kBackground);
}

TEST_F(ScreenTest, AFigurePartlyOffTheScreenIsComposedClipped) {
    Add(10, 230, 315, 20, 20, RGB(0, 200, 0));
    Add(10, -5, -5, 10, 10, RGB(0, 0, 200));
    Picture composed = Compose(*screen);
    EXPECT_EQ(composed.At(239, 319), RGB(0, 200, 0));
    EXPECT_EQ(composed.At(0, 0), RGB(0, 0, 200));
    EXPECT_EQ(composed.At(5, 5), kBackground);
}

TEST_F(ScreenTest, PressGoesToTheTopmostFigureHitWithInclusiveEdges) {
    Swatch* low = Add(10, 10, 10, 10, 10, 0);
    screen->PointerDown(20, 20);  // exactly x + width, y + height
    ASSERT_EQ(recorder.events.size(), 1u);
    EXPECT_EQ(recorder.events[0].figure, low);
    recorder.events.clear();
    screen->PointerDown(21, 20);
    EXPECT_TRUE(recorder.events.empty());

    Swatch* blocker = Add(11, 10, 10, 10, 10, 0);
    blocker->enabled = false;
    screen->PointerDown(15, 15);
    EXPECT_TRUE(recorder.events.empty());  // a visible disabled figure above tells nobody

    blocker->passThrough = true;
    screen->PointerDown(15, 15);
    ASSERT_EQ(recorder.events.size(), 1u);
    EXPECT_EQ(recorder.events[0].figure, low);

    recorder.events.clear();
    blocker->passThrough = false;
    blocker->SetVisible(false);  // a hidden figure is never hit
    screen->PointerDown(15, 15);
    ASSERT_EQ(recorder.events.size(), 1u);
    EXPECT_EQ(recorder.events[0].figure, low);
}

TEST_F(ScreenTest, ReleaseReachesEveryEnabledButtonAndHitFiguresOnly) {
    Swatch* image = Add(10, 0, 0, 10, 10, 0, L"Image");
    Swatch* button = Add(10, 100, 100, 10, 10, 0, L"Button");
    Swatch* hiddenButton = Add(10, 150, 150, 10, 10, 0, L"Button");
    hiddenButton->SetVisible(false);
    hiddenButton->enabled = true;  // hidden yet enabled: still hears every release
    Swatch* disabledButton = Add(10, 50, 50, 10, 10, 0, L"Button");
    disabledButton->enabled = false;

    screen->PointerUp(200, 300);
    std::vector<Figure*> told;
    for (auto& e : recorder.events) told.push_back(e.figure);
    EXPECT_EQ(told, (std::vector<Figure*>{button, hiddenButton}));  // topmost first

    recorder.events.clear();
    screen->PointerUp(5, 5);
    told.clear();
    for (auto& e : recorder.events) told.push_back(e.figure);
    EXPECT_EQ(told, (std::vector<Figure*>{image, button, hiddenButton}));
}

TEST_F(ScreenTest, RemovingMarksOnlyVisibleFigures) {
    Swatch* f = Add(10, 30, 30, 5, 5, 0);
    f->SetVisible(false);
    screen->dirty = RECT{-1, -1, -1, -1};
    screen->RemoveFigure(f, true);
    EXPECT_EQ(screen->dirty.left, -1);
    Swatch* g = Add(10, 30, 30, 5, 5, 0);
    screen->dirty = RECT{-1, -1, -1, -1};
    screen->RemoveFigure(g, true);
    EXPECT_EQ(screen->dirty.left, 30);
    EXPECT_EQ(screen->figures.count, 1);
}

struct Remover : FigureListener {
    Screen* screen;
    Figure* victim;
    void OnFigurePress(Figure*, int32_t, int32_t) override { screen->RemoveFigure(victim, true); }
    void OnFigureRelease(Figure*, int32_t, int32_t) override {}
};

TEST_F(ScreenTest, AHandlerMayRemoveTheFigureBeneathDuringTheWalk) {
    Swatch* beneath = Add(10, 0, 0, 10, 10, 0, L"Button");
    Swatch* top = Add(11, 0, 0, 10, 10, 0);
    top->passThrough = true;
    Remover remover;
    remover.screen = screen.get();
    remover.victim = beneath;
    top->AddListener(&remover);
    screen->PointerDown(5, 5);
    EXPECT_EQ(screen->figures.count, 2);  // background and top
}

}  // namespace
