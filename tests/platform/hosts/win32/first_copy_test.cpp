// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// One copy per session against Wine's named mutexes. Each copy is a thread here: a mutex
// belongs to the thread that took it, and is abandoned when that thread ends.
#include "platform/hosts/win32/first_copy.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

namespace {

using platform::win32::ClaimSession;
using platform::win32::FirstCopy;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr DWORD kLimitMs = 300;
constexpr wchar_t kClass[] = L"FIRSTCOPYTEST";

// A launch: it claims; unless another copy's window is there, it opens its own after `startMs`
// (never when negative) and keeps it until the copy is destroyed. The copies of a test are
// threads of one process, so a holder's heartbeat beats for its own start limit.
class Copy {
  public:
    explicit Copy(std::wstring caption, int startMs = 0, DWORD startLimitMs = kLimitMs) {
        thread = std::thread([this, caption, startMs, startLimitMs] {
            auto start = Clock::now();
            found = ClaimSession(kClass, caption, kLimitMs, startLimitMs);
            waited = Clock::now() - start;
            decided = true;
            HWND window = nullptr;
            if (found != FirstCopy::kShown && startMs >= 0) {
                std::this_thread::sleep_for(milliseconds(startMs));
                window = CreateWindowExW(0, kClass, caption.c_str(), 0, 0, 0, 10, 10, nullptr,
                                         nullptr, GetModuleHandleW(nullptr), nullptr);
            }
            while (!stop) std::this_thread::sleep_for(milliseconds(1));
            if (window) DestroyWindow(window);
        });
    }
    ~Copy() {
        stop = true;
        thread.join();
    }
    void AwaitDecision() const {
        while (!decided) std::this_thread::sleep_for(milliseconds(1));
    }

    std::atomic<FirstCopy> found{FirstCopy::kNone};
    std::atomic<bool> decided{false};
    Clock::duration waited{};

  private:
    std::atomic<bool> stop{false};
    std::thread thread;
};

class FirstCopyTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        WNDCLASSW c{};
        c.lpfnWndProc = DefWindowProcW;
        c.hInstance = GetModuleHandleW(nullptr);
        c.lpszClassName = kClass;
        RegisterClassW(&c);
    }
    // Every test meets only its own copies.
    std::wstring caption = L"Quillby test " + std::to_wstring(++tests);
    static inline int tests = 0;
};

TEST_F(FirstCopyTest, ACopyThatEndedBlocksNothing) {
    { Copy gone(caption, -1); }
    Copy next(caption, -1);
    next.AwaitDecision();
    EXPECT_EQ(next.found, FirstCopy::kNone);
    EXPECT_LT(next.waited, milliseconds(kLimitMs / 2));
    // And one that ends while a launch waits for its window.
    auto ending = std::make_unique<Copy>(caption + L" 2", -1);
    ending->AwaitDecision();
    Copy waiting(caption + L" 2", -1);
    std::this_thread::sleep_for(milliseconds(kLimitMs / 3));
    ending.reset();
    waiting.AwaitDecision();
    EXPECT_EQ(waiting.found, FirstCopy::kNone);
    EXPECT_LT(waiting.waited, milliseconds(kLimitMs));
}

// It holds the mutex but never shows its window: the launches that find it at once give it the
// limit, then open one window between them, although it takes the one that opens it a while.
TEST_F(FirstCopyTest, LaunchesBesideAHungCopyOpenOneWindowBetweenThem) {
    Copy hung(caption, -1);
    hung.AwaitDecision();
    std::vector<std::unique_ptr<Copy>> launches;
    for (int i = 0; i < 8; ++i) launches.push_back(std::make_unique<Copy>(caption, kLimitMs / 2));
    int took = 0;
    for (auto& copy : launches) {
        copy->AwaitDecision();
        if (copy->found == FirstCopy::kShown) continue;
        EXPECT_EQ(copy->found, FirstCopy::kHung);
        EXPECT_GE(copy->waited, milliseconds(kLimitMs));
        took++;
    }
    EXPECT_EQ(took, 1);
}

// Suspended, a holder beats no more and is given the quiet limit alone; one whose heartbeat goes
// on is still starting, up to the start limit.
TEST_F(FirstCopyTest, AHolderWhoseHeartbeatGoesOnIsGivenUntilTheStartLimit) {
    for (bool beating : {false, true}) {
        SCOPED_TRACE(beating);
        std::wstring name = caption + (beating ? L" beating" : L" still");
        Copy holder(name, -1, beating ? 20 * kLimitMs : 0);
        holder.AwaitDecision();
        auto start = Clock::now();
        EXPECT_EQ(ClaimSession(kClass, name, kLimitMs, 4 * kLimitMs), FirstCopy::kHung);
        auto waited = Clock::now() - start;
        EXPECT_GE(waited, milliseconds(beating ? 4 * kLimitMs : kLimitMs));
        EXPECT_LT(waited, milliseconds(beating ? 5 * kLimitMs : 4 * kLimitMs));
    }
}

}  // namespace
