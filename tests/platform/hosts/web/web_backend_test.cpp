// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The browser backend over a page of the test's own: its clock, frames and waits.
// (The page in Chromium, against the headless run, is tests/platform/hosts/web/page_test.mjs.)
#include "platform/hosts/web/web_backend.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <vector>

#include "platform/host.h"
#include "platform/hosts/idle_policy.h"
#include "shell/platform.h"
#include "tests/support/test_window.h"

namespace {

using platform::Page;
using platform::PageInput;
using platform::WebBackend;

// A page whose clock moves only when the test or a wait moves it.
class FakePage : public Page {
  public:
    bool OpenCanvas() override { return true; }
    void Show(const uint32_t*, const RECT& area) override { frames.push_back(area); }
    double NowMs() override { return clock; }
    std::optional<PageInput> NextInput() override {
        if (inputs.empty()) return std::nullopt;
        PageInput input = inputs.front();
        inputs.pop_front();
        return input;
    }
    void Wait(int ms) override {
        waits.push_back(ms);
        clock += ms == kUntilInput ? 60000 : ms;
    }
    void PlaySound(const platform::Sound&) override {}

    double clock = 1000.5;  // the page has been open a while when the game starts
    std::vector<RECT> frames;
    std::deque<PageInput> inputs;
    std::vector<int> waits;
};

class WebBackendTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto owned = std::make_unique<WebBackend>(page, 5000);
        backend = owned.get();
        platform::Start(std::move(owned));
        window = OpenTestWindow(L"WebBackendTest");
        UpdateWindow(window);  // its first paint, out of the way
    }
    void TearDown() override { platform::Stop(); }

    // Takes what the queue holds, as the program's loop does, up to its first empty look.
    void Look() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    void Fill(RECT r, COLORREF colour) {
        HDC dc = GetDC(window);
        HGDIOBJ brush = SelectObject(dc, CreateSolidBrush(colour));
        HGDIOBJ pen = SelectObject(dc, CreatePen(PS_SOLID, 1, colour));
        Rectangle(dc, r.left, r.top, r.right, r.bottom);
        DeleteObject(SelectObject(dc, brush));
        DeleteObject(SelectObject(dc, pen));
        ReleaseDC(window, dc);
    }

    FakePage page;
    WebBackend* backend = nullptr;
    HWND window = nullptr;
};

// (That the clock stands at the start tick until the loop first looks, the browser suite shows:
// the page's rounds are the headless ones.)
TEST_F(WebBackendTest, TheClockRunsWithThePageFromTheStartTickAndWrapsAsGetTickCountDoes) {
    FakePage other;
    WebBackend wrapping(other, 0xFFFFFFF0u);
    wrapping.Poll();
    other.clock += 41.9;
    EXPECT_EQ(wrapping.Now(), 25u);
}

// (That the frames' pixels are the program's, opaque, the browser suite shows.)
TEST_F(WebBackendTest, CopiesOntoTheWindowReachTheCanvasAsOneFrameAtTheNextWait) {
    Look();
    page.frames.clear();
    Fill(RECT{10, 20, 30, 40}, RGB(255, 0, 0));
    Fill(RECT{100, 5, 110, 25}, RGB(0, 0, 255));
    EXPECT_TRUE(page.frames.empty()) << "nothing reaches the canvas before the loop waits";
    Look();
    ASSERT_EQ(page.frames.size(), 1u);
    const RECT& f = page.frames[0];
    EXPECT_EQ((std::vector<LONG>{f.left, f.top, f.right, f.bottom}),
              (std::vector<LONG>{10, 5, 110, 40}));
    Look();
    EXPECT_EQ(page.frames.size(), 1u) << "no frame when nothing changed";
}

// The platform decides when the program rests; the page wakes sooner than it allows while the
// program moves, and only for input while it rests.
TEST_F(WebBackendTest, WaitsBrieflyWhileTheProgramMovesAndForInputWhileItRests) {
    Fill(RECT{0, 0, 5, 5}, RGB(1, 2, 3));
    Look();
    EXPECT_EQ(page.waits.back(), WebBackend::kMovingWaitMs);
    page.clock += platform::IdlePolicy::kRestAfterMs + 10;
    Look();
    EXPECT_EQ(page.waits.back(), Page::kUntilInput);
    page.inputs = {{PageInput::Kind::Down, 5, 5}};
    Look();
    EXPECT_EQ(page.waits.back(), WebBackend::kMovingWaitMs) << "input moves things again";
    // A timer of a program at rest: one wait that ends a brief wait before it, then brief ones.
    page.clock += platform::IdlePolicy::kRestAfterMs + 10;
    Look();
    SetTimer(window, 1, 300, nullptr);
    Look();
    EXPECT_EQ(page.waits.back(), int(300 - platform::IdlePolicy::kBriefWaitMs));
    Look();
    EXPECT_EQ(page.waits.back(), WebBackend::kMovingWaitMs);
}

}  // namespace
