// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "toolkit/figure.h"

#include "tests/support/host_test.h"
#include "tests/support/swatch.h"

namespace {

class FigureTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        screen = std::make_unique<PlainScreen>(window, RGB(0, 0, 0));
        screen->dirty = RECT{-1, -1, -1, -1};
    }
    void TearDown() override {
        screen.reset();
        HostTest::TearDown();
    }
    void ClearDirty() { screen->dirty = RECT{-1, -1, -1, -1}; }
    std::unique_ptr<PlainScreen> screen;
};

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

struct Bare : Figure {
    using Figure::Figure;
    HDC GetSurface() override { return nullptr; }
};

TEST_F(FigureTest, StartsHiddenDisabledOnLayerTenAtTheOrigin) {
    Bare f(screen.get(), window);
    EXPECT_FALSE(f.visible);
    EXPECT_FALSE(f.enabled);
    EXPECT_EQ(f.GetLayer(), 10);
    EXPECT_TRUE(SameRect(f.GetBounds(), RECT{0, 0, 0, 0}));
    EXPECT_STREQ(f.GetTypeName(), L"Figure");
    EXPECT_EQ(screen->figures.count, 1);  // construction does not add it
}

TEST_F(FigureTest, BoundsAreXYPlusSize) {
    Swatch f(screen.get(), window, 10, 20, 0);
    f.SetX(5);
    f.SetY(7);
    EXPECT_TRUE(SameRect(f.GetBounds(), RECT{5, 7, 15, 27}));
}

TEST_F(FigureTest, GeometryChangesMarkOldAndNewRectangles) {
    Swatch f(screen.get(), window, 10, 20, 0);
    f.SetY(100);
    ClearDirty();
    f.SetY(150);
    EXPECT_TRUE(SameRect(screen->dirty, RECT{0, 100, 10, 170}));

    ClearDirty();
    f.SetX(f.GetX());  // an unchanged value still marks
    EXPECT_TRUE(SameRect(screen->dirty, RECT{0, 150, 10, 170}));

    ClearDirty();
    f.SetWidth(30);
    EXPECT_TRUE(SameRect(screen->dirty, RECT{0, 150, 30, 170}));
}

TEST_F(FigureTest, SetVisibleMarksOnlyChangesAndHidingDisables) {
    Swatch f(screen.get(), window, 10, 10, 0);
    f.SetX(50);
    f.enabled = true;
    ClearDirty();
    f.SetVisible(true);
    EXPECT_EQ(screen->dirty.left, -1);
    f.SetVisible(false);
    EXPECT_FALSE(f.enabled);
    EXPECT_TRUE(SameRect(screen->dirty, RECT{50, 0, 60, 10}));
    f.SetVisible(true);
    EXPECT_FALSE(f.enabled);
}

TEST_F(FigureTest, ListenersAreToldOnceEachInOrderOfFirstSubscription) {
    Swatch f(screen.get(), window, 10, 10, 0);
    Recorder first, second;
    f.AddListener(&first);
    f.AddListener(&second);
    f.AddListener(&first);
    f.OnPointerDown(3, 4);
    f.OnPointerUp(5, 6);
    ASSERT_EQ(first.events.size(), 2u);
    ASSERT_EQ(second.events.size(), 2u);
    EXPECT_TRUE(first.events[0].press);
    EXPECT_EQ(first.events[0].figure, &f);
    EXPECT_EQ(first.events[0].x, 3);
    EXPECT_FALSE(first.events[1].press);
    EXPECT_EQ(first.events[1].y, 6);
}

TEST_F(FigureTest, SetLayerOnAFigureNotYetAddedLeavesItOut) {
    Swatch f(screen.get(), window, 10, 10, 0);
    int before = screen->figures.count;
    f.SetLayer(12);
    EXPECT_EQ(screen->figures.count, before);
    EXPECT_EQ(f.GetLayer(), 12);
}

}  // namespace
