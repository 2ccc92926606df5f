// Animations step on the screen's tick in virtual time: the sparkle (bitmap 179, four frames
// of 100 pixels) and the two-frame quiz switch (178, 120 wide).
#include "toolkit/animation.h"

#include <string>
#include <utility>
#include <vector>

#include "tests/support/pixels.h"
#include "tests/support/swatch.h"

namespace {

constexpr int kSparkle = 179;
constexpr int kSwitch = 178;
constexpr uint32_t kStart = 1000;

struct Events : AnimationListener {
    std::vector<std::string> seen;
    void OnAnimationStart(Animation*) override { seen.push_back("start"); }
    void OnAnimationEnd(Animation*) override { seen.push_back("end"); }
    void OnAnimationFrame(Animation*, int32_t frame) override {
        seen.push_back(std::to_string(frame));
    }
    std::vector<std::string> Take() { return std::exchange(seen, {}); }
};

using Seen = std::vector<std::string>;

class AnimationTest : public HeadlessTest {
  protected:
    void SetUp() override { StartAt(kStart); }
    void TearDown() override {
        screen.reset();
        HeadlessTest::TearDown();
    }
    void StartAt(uint32_t tick) {
        screen.reset();
        platform::HeadlessOptions options;
        options.startTick = tick;
        Restart(options);
        screen = std::make_unique<PlainScreen>(window, RGB(0, 0, 0));
    }
    Animation* Make(int bitmap, int frames, int fps, int loops) {
        auto* a = new Animation(screen.get(), window, bitmap, frames, fps);
        a->loopLimit = loops;
        a->AddAnimationListener(&events);
        screen->AddFigure(a);
        return a;
    }
    bool Running(Animation* a) {
        int entries = 0;
        for (auto* n = screen->animations.head; n; n = n->next) entries += n->item == a;
        EXPECT_LE(entries, 1);
        return entries == 1;
    }
    std::unique_ptr<PlainScreen> screen;
    Events events;
};

TEST_F(AnimationTest, FramesAreEquallyWideSlicesOfTheStrip) {
    Animation* sparkle = Make(kSparkle, 4, 4, 2);
    EXPECT_EQ(sparkle->GetWidth(), 100);
    EXPECT_EQ(sparkle->GetHeight(), 100);
    EXPECT_STREQ(sparkle->GetTypeName(), L"Animation");
    EXPECT_FALSE(sparkle->visible);                     // shown when started
    EXPECT_EQ(Make(kSwitch, 7, 4, 1)->GetWidth(), 17);  // what is left over is never shown

    HBITMAP strip = LoadBitmapW(nullptr, MAKEINTRESOURCEW(kSparkle));
    platform::Surface whole = PixelsOf(strip);
    DeleteObject(strip);
    for (int frame : {0, 2, 3}) {
        sparkle->SetFrame(frame);
        EXPECT_EQ(PixelsOf(sparkle->GetSurface()).pixels,
                  Crop(whole, frame * 100, 0, 100, 100).pixels)
            << frame;
    }
    EXPECT_NE(Crop(whole, 0, 0, 100, 100).pixels, Crop(whole, 200, 0, 100, 100).pixels);
}

TEST_F(AnimationTest, TheSparklePlaysTwoLoopsThenHidesAndLeaves) {
    Animation* sparkle = Make(kSparkle, 4, 4, 2);
    sparkle->Start();
    EXPECT_EQ(events.Take(), (Seen{"start", "0"}));
    EXPECT_TRUE(sparkle->visible);
    EXPECT_TRUE(Running(sparkle));

    // Steps come only when strictly more than the 250 ms period has passed.
    screen->Tick(kStart + 250);
    EXPECT_EQ(events.Take(), Seen{});
    uint32_t now = kStart;
    for (int step = 0; step < 8; ++step) screen->Tick(now += 251);
    EXPECT_EQ(events.Take(),
              (Seen{"1", "2", "3", "1", "2", "3", "end"}));  // the first wrap is quiet
    EXPECT_FALSE(sparkle->visible);
    EXPECT_FALSE(Running(sparkle));
    EXPECT_EQ(sparkle->currentFrame, 0);

    for (int step = 0; step < 4; ++step) screen->Tick(now += 251);
    EXPECT_EQ(events.Take(), Seen{});  // ended once, and stays ended
}

TEST_F(AnimationTest, StartingAgainWhileRunningCarriesOn) {
    Animation* sparkle = Make(kSparkle, 4, 4, 2);
    sparkle->Start();
    uint32_t now = kStart;
    for (int step = 0; step < 6; ++step) screen->Tick(now += 251);  // a loop and two frames
    events.Take();

    backend->Advance(now - kStart);
    sparkle->Start();
    EXPECT_TRUE(Running(sparkle));
    EXPECT_EQ(events.Take(), (Seen{"start", "2"}));
    screen->Tick(now + 250);  // the wait starts over from the second start
    for (int step = 0; step < 2; ++step) screen->Tick(now += 251);
    EXPECT_EQ(events.Take(), (Seen{"3", "end"}));  // the loop already played still counts
    EXPECT_FALSE(Running(sparkle));
}

TEST_F(AnimationTest, LoopLimitsAndRatesAtTheEdges) {
    // One frame, one loop: the first step ends it.
    Animation* single = Make(kSwitch, 1, 10, 1);
    single->Start();
    screen->Tick(kStart + 101);
    EXPECT_EQ(events.Take(), (Seen{"start", "0", "end"}));
    EXPECT_FALSE(Running(single));

    // No limit: every wrap reports an end, and it never stops.
    Animation* endless = Make(kSwitch, 2, 10, 0);
    endless->Start();
    uint32_t now = kStart;
    for (int step = 0; step < 6; ++step) screen->Tick(now += 101);
    EXPECT_EQ(events.Take(), (Seen{"start", "0", "1", "end", "1", "end", "1", "end"}));
    EXPECT_TRUE(Running(endless));
    EXPECT_TRUE(endless->visible);
    screen->RemoveFigure(endless, false);
    screen->animations.Remove(endless);
    delete endless;

    // Faster than one frame a millisecond: a step at every later tick, none at the same one.
    Animation* fast = Make(kSparkle, 4, 2000, 1);
    fast->Start();
    screen->Tick(kStart);
    screen->Tick(kStart + 1);
    screen->Tick(kStart + 2);
    EXPECT_EQ(events.Take(), (Seen{"start", "0", "1", "2"}));
}

TEST_F(AnimationTest, SetFrameClampsAndLeavesTheScreenAlone) {
    Animation* toggle = Make(kSwitch, 2, 4, 1);
    screen->dirty = RECT{-1, -1, -1, -1};
    toggle->SetFrame(-5);
    EXPECT_EQ(toggle->currentFrame, 0);
    toggle->SetFrame(7);
    EXPECT_EQ(toggle->currentFrame, 1);
    EXPECT_EQ(screen->dirty.left, -1);
    EXPECT_EQ(events.Take(), Seen{});
}

TEST_F(AnimationTest, KeepsItsPaceAcrossTheWrapOfTheTick) {
    StartAt(0xFFFFFF00u);
    Animation* sparkle = Make(kSparkle, 4, 4, 2);
    sparkle->Start();
    events.Take();
    screen->Tick(0xFFFFFFF0u);  // 240 ms later
    EXPECT_EQ(events.Take(), Seen{});
    screen->Tick(0x00000010u);  // 272 ms later
    EXPECT_EQ(events.Take(), Seen{"1"});
    screen->Tick(0x00000010u + 250);
    screen->Tick(0x00000010u + 251);
    EXPECT_EQ(events.Take(), Seen{"2"});
}

}  // namespace
