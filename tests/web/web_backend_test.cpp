// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The browser backend over a page of the test's own: its clock, frames, stylus and waits, and
// the whole program on it against the headless run of the same taps.
#include "platform/web/web_backend.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/host.h"
#include "platform/png.h"
#include "shell/platform.h"

namespace {

using platform::Page;
using platform::PageInput;

// A page on a clock that moves only when the program waits, with input at given times.
class FakePage : public Page {
  public:
    bool OpenCanvas() override { return canvas; }
    void Show(const uint32_t* rgba, const RECT& area) override {
        shows.push_back(area);
        for (LONG y = area.top; y < area.bottom; ++y)
            for (LONG x = area.left; x < area.right; ++x)
                shown.At(x, y) = rgba[size_t(y) * 240 + size_t(x)];
    }
    double NowMs() override { return clock; }
    std::optional<PageInput> NextInput() override {
        if (inputs.empty() || inputs.front().first > clock) return std::nullopt;
        PageInput input = inputs.front().second;
        inputs.pop_front();
        if (input.kind == PageInput::Kind::Down) shownAtPress.push_back(shown);
        return input;
    }
    void Wait(int ms) override {
        waits.push_back(ms);
        if (ms != kUntilInput)
            clock += ms;
        else
            clock = inputs.empty() ? clock + 60000 : std::max(clock, inputs.front().first);
    }
    void PlaySound(const platform::Sound& sound) override { sounds.push_back(sound.resourceId); }

    // A tap `at` milliseconds after the page was made.
    void Tap(double at, int x, int y) {
        inputs.push_back({kStart + at, PageInput{PageInput::Kind::Down, x, y}});
        inputs.push_back({kStart + at + 40, PageInput{PageInput::Kind::Up, x, y}});
    }

    static constexpr double kStart = 1000.5;

    bool canvas = true;
    double clock = kStart;
    platform::Surface shown{240, 320, 0};
    std::vector<platform::Surface> shownAtPress;  // the canvas as each press found it
    std::vector<RECT> shows;
    std::deque<std::pair<double, PageInput>> inputs;
    std::vector<int> waits;
    std::vector<int> sounds;
};

class WebBackendTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto owned = std::make_unique<platform::WebBackend>(page, 5000);
        backend = owned.get();
        platform::Start(std::move(owned));
        WNDCLASSW wc{};
        wc.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) {
            return DefWindowProcW(w, m, wp, lp);
        };
        wc.lpszClassName = L"WebBackendTest";
        RegisterClassW(&wc);
        window = CreateWindowExW(0, L"WebBackendTest", L"Quillby", WS_VISIBLE, 0, 0, 240, 320,
                                 nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override { platform::Stop(); }

    // Takes every message waiting, as the program's loop would, and gives back what it took.
    std::vector<MSG> Take() {
        std::vector<MSG> taken;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message != WM_PAINT) {
                taken.push_back(msg);
                continue;
            }
            PAINTSTRUCT ps;
            BeginPaint(window, &ps);
            EndPaint(window, &ps);
        }
        return taken;
    }
    void Draw(const RECT& area, COLORREF colour) {
        HDC dc = GetDC(window);
        HBRUSH brush = CreateSolidBrush(colour);
        HGDIOBJ old = SelectObject(dc, brush);
        HPEN pen = CreatePen(PS_SOLID, 1, colour);
        HGDIOBJ oldPen = SelectObject(dc, pen);
        Rectangle(dc, area.left, area.top, area.right, area.bottom);
        SelectObject(dc, oldPen);
        SelectObject(dc, old);
        DeleteObject(pen);
        DeleteObject(brush);
        ReleaseDC(window, dc);
    }

    FakePage page;
    platform::WebBackend* backend = nullptr;
    HWND window = nullptr;
};

TEST_F(WebBackendTest, TheClockReadsTheStartTickUntilTheFirstLookThenRunsWithThePage) {
    EXPECT_EQ(GetTickCount(), 5000u);
    page.clock += 300;  // loading the page is no part of the game's time
    EXPECT_EQ(GetTickCount(), 5000u);
    backend->Poll();
    EXPECT_EQ(GetTickCount(), 5000u);
    page.clock += 41.9;
    EXPECT_EQ(GetTickCount(), 5041u);

    FakePage late;
    platform::WebBackend wrapping(late, 0xFFFFFFF0u);
    wrapping.Poll();
    late.clock += 32;
    EXPECT_EQ(wrapping.Now(), 16u);  // the tick wraps as GetTickCount does
}

TEST_F(WebBackendTest, CopiesOntoTheWindowReachTheCanvasAsOneFrameAtTheNextWait) {
    Take();
    page.shows.clear();
    Draw(RECT{10, 20, 30, 40}, RGB(255, 0, 0));
    Draw(RECT{100, 5, 110, 25}, RGB(0, 0, 255));
    EXPECT_TRUE(page.shows.empty()) << "nothing reaches the canvas before the loop waits";
    Take();
    ASSERT_EQ(page.shows.size(), 1u);
    RECT frame = page.shows[0];
    EXPECT_EQ((std::vector<LONG>{frame.left, frame.top, frame.right, frame.bottom}),
              (std::vector<LONG>{10, 5, 110, 40}));
    // RGBA bytes in memory: red first, then green, blue, and an opaque alpha.
    EXPECT_EQ(page.shown.At(15, 25), 0xFF0000FFu);
    EXPECT_EQ(page.shown.At(105, 10), 0xFFFF0000u);
    EXPECT_EQ(page.shown.At(50, 30), 0xFF000000u);

    Take();
    EXPECT_EQ(page.shows.size(), 1u) << "no frame when nothing changed";
}

TEST_F(WebBackendTest, ThePageStylusBecomesButtonMessagesOnePressAtATime) {
    page.inputs = {{0, {PageInput::Kind::Up, 1, 1}},       // a release with no press
                   {0, {PageInput::Kind::Down, 12, 34}},   // the press
                   {0, {PageInput::Kind::Down, 99, 99}},   // a second press meanwhile
                   {0, {PageInput::Kind::Up, 239, 319}}};  // the release, on the edge
    std::vector<MSG> taken = Take();
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0].message, UINT(WM_LBUTTONDOWN));
    EXPECT_EQ(taken[0].lParam, MAKELPARAM(12, 34));
    EXPECT_EQ(taken[1].message, UINT(WM_LBUTTONUP));
    EXPECT_EQ(taken[1].lParam, MAKELPARAM(239, 319));
    EXPECT_EQ(GetAsyncKeyState(VK_LBUTTON), 0);

    page.inputs = {{page.clock, {PageInput::Kind::Down, 5, 5}}};
    Take();
    EXPECT_NE(GetAsyncKeyState(VK_LBUTTON), 0) << "the stylus is down until it is released";
}

TEST_F(WebBackendTest, WaitsBrieflyWhileThingsMoveAndUntilInputOnceStill) {
    Take();
    page.waits.clear();
    Draw(RECT{0, 0, 5, 5}, RGB(1, 2, 3));
    Take();
    EXPECT_EQ(page.waits.back(), platform::WebBackend::kMovingWaitMs);
    page.clock += platform::WebBackend::kStillAfterMs - 10;
    Take();
    EXPECT_EQ(page.waits.back(), platform::WebBackend::kMovingWaitMs);
    page.clock += 20;
    Take();
    EXPECT_EQ(page.waits.back(), Page::kUntilInput) << "a second still: wait for input";
    page.inputs = {{page.clock, {PageInput::Kind::Down, 5, 5}}};
    Take();
    EXPECT_EQ(page.waits.back(), platform::WebBackend::kMovingWaitMs);
}

TEST(WebBackendProgramTest, WithoutACanvasTheProgramEndsAtOnce) {
    FakePage page;
    page.canvas = false;
    platform::Start(std::make_unique<platform::WebBackend>(page, 1));
    WinMain(GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOW);
    platform::Stop();
    EXPECT_TRUE(page.shows.empty());
}

// The title, the game and a quiz round through the browser backend show and sound exactly as
// the headless run of the same taps at the same start tick.
TEST(WebBackendProgramTest, ThePlayedGameMatchesTheHeadlessRun) {
    FakePage page;
    page.Tap(500, 120, 160);  // the title opens the game
    page.Tap(2000, 75, 20);   // the quiz switch
    page.Tap(6000, 227, 13);  // the close button
    platform::Start(std::make_unique<platform::WebBackend>(page, 2026));
    int code = WinMain(GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOW);
    platform::Stop();
    EXPECT_EQ(code, 0);

    platform::HeadlessOptions options;
    options.startTick = 2026;
    std::istringstream script(
        "500 down 120 160\n540 up 120 160\n2000 down 75 20\n2040 up 75 20\n"
        "6000 down 227 13\n6040 up 227 13\n");
    options.script = platform::ParseScript(script).events;
    std::ostringstream log;
    platform::Start(std::make_unique<platform::HeadlessBackend>(options, log));
    WinMain(GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOW);
    platform::Stop();
    std::vector<int> headlessSounds;
    std::istringstream lines(log.str());
    for (std::string line; std::getline(lines, line);)
        if (auto at = line.find(" sound "); at != std::string::npos)
            headlessSounds.push_back(std::stoi(line.substr(at + 7)));
    EXPECT_EQ(page.sounds, headlessSounds);

    ASSERT_EQ(page.shownAtPress.size(), 3u);
    for (auto [shot, golden] : {std::pair{0, "title"}, std::pair{2, "quiz"}}) {
        platform::Surface expected;
        ASSERT_TRUE(platform::ReadPng(std::string("tests/golden/") + golden + ".png", expected));
        int differ = 0;
        for (int y = 0; y < 320; ++y)
            for (int x = 0; x < 240; ++x)
                differ +=
                    (page.shownAtPress[size_t(shot)].At(x, y) & 0xFFFFFF) != expected.At(x, y);
        EXPECT_EQ(differ, 0) << "pixels differ from " << golden;
    }
}

}  // namespace
