// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// How long the platform lets a backend wait at an empty queue: briefly while the program moves,
// until input once it has been still for half a second.
#include "platform/hosts/idle_policy.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <utility>
#include <vector>

#include "platform/host.h"
#include "platform/hosts/headless/headless_backend.h"
#include "shell/platform.h"
#include "tests/support/test_window.h"

namespace {

using platform::IdlePolicy;
using platform::kUntilInput;

// A headless backend that writes down, at each idle look, the virtual time and the wait allowed.
class WaitRecorder : public platform::HeadlessBackend {
  public:
    WaitRecorder(std::ostream& log, uint32_t startTick)
        : HeadlessBackend(platform::HeadlessOptions{startTick, {}, ".", 1000000u, false}, log) {}
    void Idle(uint32_t waitMs) override {
        // Only the changes: a wait allowed from this time on.
        if (changes.empty() || changes.back().second != waitMs)
            changes.emplace_back(Elapsed(), waitMs);
        HeadlessBackend::Idle(waitMs);
    }
    std::vector<std::pair<uint32_t, uint32_t>> changes;
};

struct Step {
    uint32_t at;  // virtual ms since start
    std::function<void(HWND)> act;
};

// Runs a window's loop to `until` ms, doing each step at its time; gives the recorded changes.
std::vector<std::pair<uint32_t, uint32_t>> RunLoop(uint32_t startTick, std::vector<Step> steps,
                                                   uint32_t until) {
    std::ostringstream log;
    auto owned = std::make_unique<WaitRecorder>(log, startTick);
    WaitRecorder* backend = owned.get();
    platform::Start(std::move(owned));
    HWND window = OpenTestWindow(L"IDLE");
    size_t next = 0;
    MSG msg;
    while (backend->Elapsed() < until) {
        if (next < steps.size() && backend->Elapsed() >= steps[next].at) steps[next++].act(window);
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    auto changes = backend->changes;
    platform::Stop();
    return changes;
}

void Copy(HWND window) {
    HDC dc = GetDC(window);
    Rectangle(dc, 10, 10, 20, 20);
    ReleaseDC(window, dc);
}

constexpr uint32_t kBrief = IdlePolicy::kBriefWaitMs;
constexpr uint32_t kRest = IdlePolicy::kRestAfterMs;

TEST(IdlePolicyTest, ALookWaitsBrieflyWhileTheProgramMovesAndUntilInputOnceItIsStill) {
    struct Case {
        const char* what;
        std::vector<Step> steps;
        std::vector<std::pair<uint32_t, uint32_t>> changes;
    } cases[] = {
        {"nothing after the start", {}, {{0, kBrief}, {kRest, kUntilInput}}},
        {"a copy onto the window",
         {{1000, Copy}},
         {{0, kBrief}, {kRest, kUntilInput}, {1000, kBrief}, {1000 + kRest, kUntilInput}}},
        {"a sound",
         {{800, [](HWND) { sndPlaySoundW(nullptr, SND_ASYNC); }}},
         {{0, kBrief}, {kRest, kUntilInput}, {800, kBrief}, {800 + kRest, kUntilInput}}},
        {"the stylus",
         {{900, [](HWND) { platform::PostStylus(true, 5, 5); }}},
         {{0, kBrief}, {kRest, kUntilInput}, {900, kBrief}, {900 + kRest, kUntilInput}}},
        // An animation stepping every quarter second never lets the program rest.
        {"steps a quarter second apart",
         {{250, Copy}, {500, Copy}, {750, Copy}, {1000, Copy}},
         {{0, kBrief}, {1000 + kRest, kUntilInput}}},
    };
    for (Case& c : cases) {
        EXPECT_EQ(RunLoop(0, c.steps, 2000), c.changes) << c.what;
        // Across the wrap of the millisecond counter, alike.
        EXPECT_EQ(RunLoop(0xFFFFFF00u, c.steps, 2000), c.changes) << c.what << ", across the wrap";
    }
}

// A timer the program sets wakes its loop, at rest or not, with WM_TIMER once each period, when
// nothing else waits; the looks before it wait no longer than until it is due.
TEST(IdlePolicyTest, ATimerWakesTheLoopWithWmTimerAtEachPeriod) {
    for (uint32_t start : {0u, 0xFFFFFF00u}) {
        SCOPED_TRACE(start);
        std::ostringstream log;
        auto owned = std::make_unique<WaitRecorder>(log, start);
        WaitRecorder* backend = owned.get();
        platform::Start(std::move(owned));
        HWND window = OpenTestWindow(L"TIMER");
        std::vector<uint32_t> fired;
        MSG msg;
        while (backend->Elapsed() < 2300) {
            uint32_t now = backend->Elapsed();
            if (now == 1000) SetTimer(window, 7, 300, nullptr);  // long after the program rested
            if (now == 1700) KillTimer(window, 7);
            if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) continue;
            if (msg.message == WM_TIMER && msg.wParam == 7) fired.push_back(now);
            DispatchMessageW(&msg);
        }
        EXPECT_EQ(fired, (std::vector<uint32_t>{1300, 1600}));
        auto waitAt = [&](uint32_t ms) {
            uint32_t wait = 0;
            for (auto [from, allowed] : backend->changes)
                if (from <= ms) wait = allowed;
            return wait;
        };
        // A WM_TIMER is a message found: the program moves for a while after it.
        EXPECT_EQ((std::vector<uint32_t>{waitAt(999), waitAt(1000), waitAt(1299), waitAt(1650),
                                         waitAt(2150)}),
                  (std::vector<uint32_t>{kUntilInput, 300, 1, kBrief, kUntilInput}));
        EXPECT_EQ(SetTimer(window, 7, 300, [](HWND, UINT, UINT_PTR, DWORD) {}), 0u)
            << "the program's timers have no procedure of their own";
        DestroyWindow(window);
        EXPECT_FALSE(KillTimer(window, 7)) << "a window's timers go with it";
        platform::Stop();
    }
}

}  // namespace
