// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "toolkit/figure.h"

#include "tests/support/swatch.h"

namespace {

using FigureTest = PlainScreenTest;

TEST_F(FigureTest, GeometryChangesMarkOldAndNewRectangles) {
    Swatch f(screen.get(), window, 10, 20, 0);
    f.SetX(5);
    f.SetY(7);
    EXPECT_EQ(Describe(f.GetBounds()), "5 7 15 27");
    f.SetX(0);
    f.SetY(100);
    ClearDirty();
    f.SetY(150);
    EXPECT_EQ(Dirty(), "0 100 10 170");
    ClearDirty();
    f.SetX(f.GetX());  // an unchanged value still marks
    EXPECT_EQ(Dirty(), "0 150 10 170");
    ClearDirty();
    f.SetWidth(30);
    EXPECT_EQ(Dirty(), "0 150 30 170");
}

TEST_F(FigureTest, OnlyAChangeOfVisibilityMarksAndHidingDisablesForGood) {
    Swatch f(screen.get(), window, 10, 10, 0);
    f.SetX(50);
    f.enabled = true;
    ClearDirty();
    f.SetVisible(true);
    EXPECT_EQ(Dirty(), "none");
    f.SetVisible(false);
    EXPECT_EQ(Dirty(), "50 0 60 10");
    f.SetVisible(true);
    EXPECT_FALSE(f.enabled);
}

TEST_F(FigureTest, AListenerAddedTwiceIsToldOnce) {
    Swatch f(screen.get(), window, 10, 10, 0);
    Recorder second;
    for (Recorder* r : {&recorder, &second, &recorder}) f.AddListener(r);
    f.OnPointerDown(3, 4);
    f.OnPointerUp(5, 6);
    EXPECT_EQ(recorder.figures, (std::vector<Figure*>{&f, &f}));
    EXPECT_EQ(recorder.Take(), "press 3,4 release 5,6 ");
    EXPECT_EQ(second.Take(), "press 3,4 release 5,6 ");
}

}  // namespace
