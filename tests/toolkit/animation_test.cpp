// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Animations step on the screen's tick in virtual time: the sparkle (bitmap 179, four frames
// of 100 pixels) and the two-frame quiz switch (178, 120 wide).
#include "toolkit/animation.h"

#include <string>
#include <utility>

#include "tests/support/pixels.h"
#include "tests/support/swatch.h"

namespace {

constexpr int kSparkle = 179;
constexpr int kSwitch = 178;
// Every test starts 256 ms before the millisecond counter wraps, and steps across the wrap.
constexpr uint32_t kStart = 0xFFFFFF00u;

// Listens to every animation it makes, noting "start", frame numbers and "end".
class AnimationTest : public PlainScreenTest, public AnimationListener {
  protected:
    DWORD StartTick() const override { return kStart; }
    Animation* Make(int bitmap, int frames, int fps, int loops) {
        auto* a = new Animation(screen.get(), window, bitmap, frames, fps);
        a->loopLimit = loops;
        a->AddAnimationListener(this);
        screen->AddFigure(a);
        return a;
    }
    void OnAnimationStart(Animation*) override { seen += "start "; }
    void OnAnimationEnd(Animation*) override { seen += "end "; }
    void OnAnimationFrame(Animation*, int32_t frame) override {
        seen += std::to_string(frame) + ' ';
    }
    // Ticks `count` times, `gap` ms apart, and returns what was reported since last asked.
    std::string Step(int count, uint32_t gap = 251) {
        for (int i = 0; i < count; ++i) screen->Tick(now += gap);
        return std::exchange(seen, "");
    }
    std::string seen;
    uint32_t now = kStart;
};

TEST_F(AnimationTest, ShowsTheFrameItIsSetToClampedWithoutRedrawingOrReporting) {
    Animation* sparkle = Make(kSparkle, 4, 4, 2);
    EXPECT_EQ(Make(kSwitch, 7, 4, 1)->GetWidth(), 17);  // what is left over is never shown
    Picture whole = PixelsOfBitmap(kSparkle);
    ASSERT_NE(Crop(whole, 0, 0, 100, 100).pixels, Crop(whole, 300, 0, 100, 100).pixels);
    ClearDirty();
    for (auto [asked, shown] : {std::pair{-5, 0}, {7, 3}, {2, 2}}) {
        sparkle->SetFrame(asked);
        EXPECT_EQ(PixelsOf(sparkle->GetSurface()).pixels,
                  Crop(whole, shown * 100, 0, 100, 100).pixels)
            << asked;
    }
    EXPECT_EQ(Dirty(), "none");
    EXPECT_EQ(seen, "");
}

TEST_F(AnimationTest, TheSparklePlaysTwoLoopsThenHidesAndLeaves) {
    Animation* sparkle = Make(kSparkle, 4, 4, 2);
    EXPECT_FALSE(sparkle->visible);
    sparkle->Start();
    EXPECT_TRUE(sparkle->visible && screen->animations.count == 1);
    EXPECT_EQ(Step(1, 250), "start 0 ");     // only strictly more than the 250 ms period steps
    EXPECT_EQ(Step(8), "1 2 3 1 2 3 end ");  // the first wrap is quiet
    EXPECT_FALSE(sparkle->visible || screen->animations.count);
    EXPECT_EQ(sparkle->currentFrame, 0);
    EXPECT_EQ(Step(4), "");
}

TEST_F(AnimationTest, StartingAgainWhileRunningCarriesOn) {
    Animation* sparkle = Make(kSparkle, 4, 4, 2);
    sparkle->Start();
    Step(6);  // a loop and two frames
    test_host::Advance(now - test_host::Now());
    sparkle->Start();
    EXPECT_EQ(screen->animations.count, 1);
    EXPECT_EQ(Step(1, 250), "start 2 ");  // the wait starts over from the second start
    EXPECT_EQ(Step(2), "3 end ");         // the loop already played still counts
}

TEST_F(AnimationTest, LoopLimitsAndRatesAtTheEdges) {
    Animation* single = Make(kSwitch, 1, 10, 1);
    single->Start();
    EXPECT_EQ(Step(1, 101), "start 0 end ");  // one frame: the first step ends it
    EXPECT_EQ(screen->animations.count, 0);

    // No limit: every wrap reports an end, and it never stops.
    Animation* endless = Make(kSwitch, 2, 10, 0);
    endless->Start();
    EXPECT_EQ(Step(6, 101), "start 0 1 end 1 end 1 end ");
    EXPECT_TRUE(endless->visible && screen->animations.count == 1);
    screen->animations.Remove(endless);

    // Faster than one frame a millisecond: a step at every later tick, none at the same one.
    Make(kSparkle, 4, 2000, 1)->Start();
    now = kStart - 1;
    EXPECT_EQ(Step(3, 1), "start 0 1 2 ");
}

}  // namespace
