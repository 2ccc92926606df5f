// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// One copy per session against Wine's named mutexes. Each copy is a thread here: a mutex
// belongs to the thread that took it, and is abandoned when that thread ends.
#include "platform/hosts/win32/first_copy.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using platform::win32::ClaimSession;
using platform::win32::FirstCopy;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr DWORD kLimitMs = 300;
constexpr wchar_t kClass[] = L"FIRSTCOPYTEST";
// Far beyond what any launch of these tests may take (eight mutexes at most, each waited for no
// longer than the start limit), and far within ctest's timeout.
constexpr milliseconds kDeadline{10000};

// The limits a launch gives a holder that shows no window; the program's own where none are.
struct Limits {
    DWORD quietMs = kLimitMs;
    DWORD startMs = kLimitMs;
};
constexpr Limits kProgramsLimits{0, 0};

long Ms(Clock::duration d) {
    return long(std::chrono::duration_cast<milliseconds>(d).count());
}

// A launch: it claims; unless another copy's window is there, it opens its own after `startMs`
// (never when negative) and keeps it until the copy is destroyed, meanwhile using the processor
// when `busy`. The copies of a test are threads of one process, so a holder's heartbeat beats
// for its own start limit, while its own thread uses the processor.
class Copy {
  public:
    explicit Copy(std::wstring caption, int startMs = 0, Limits limits = {}, bool busy = false)
        : s_(std::make_shared<State>()) {
        // The thread shares the state, so that one still claiming past the deadline can be left
        // to run on when the test, failed, ends.
        thread_ = std::thread([s = s_, caption, startMs, limits, busy] {
            auto start = Clock::now();
            s->found = limits.quietMs
                           ? ClaimSession(kClass, caption, limits.quietMs, limits.startMs)
                           : ClaimSession(kClass, caption);
            s->waited = Clock::now() - start;
            s->decided = true;
            HWND window = nullptr;
            if (s->found != FirstCopy::kShown && startMs >= 0) {
                std::this_thread::sleep_for(milliseconds(startMs));
                window = CreateWindowExW(0, kClass, caption.c_str(), 0, 0, 0, 10, 10, nullptr,
                                         nullptr, GetModuleHandleW(nullptr), nullptr);
            }
            while (!s->stop)
                if (!busy) std::this_thread::sleep_for(milliseconds(1));
            if (window) DestroyWindow(window);
        });
    }
    ~Copy() {
        s_->stop = true;
        if (Decides()) {
            thread_.join();
        } else {
            ADD_FAILURE() << "a launch was still claiming when its test ended";
            thread_.detach();
        }
    }
    Copy(const Copy&) = delete;
    Copy& operator=(const Copy&) = delete;

    ::testing::AssertionResult Decides(milliseconds deadline = kDeadline) const {
        for (auto end = Clock::now() + deadline; !s_->decided;) {
            if (Clock::now() > end)
                return ::testing::AssertionFailure()
                       << "the launch had not decided whether another copy runs "
                       << deadline.count() << " ms after it began to claim";
            std::this_thread::sleep_for(milliseconds(1));
        }
        return ::testing::AssertionSuccess();
    }
    FirstCopy found() const { return s_->found; }
    Clock::duration waited() const { return s_->waited; }

  private:
    struct State {
        std::atomic<FirstCopy> found{FirstCopy::kNone};
        std::atomic<bool> decided{false};
        std::atomic<bool> stop{false};
        Clock::duration waited{};
    };
    std::shared_ptr<State> s_;
    std::thread thread_;
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
    ASSERT_TRUE(next.Decides()) << "the launch after a copy that ended";
    EXPECT_EQ(next.found(), FirstCopy::kNone);
    EXPECT_LT(next.waited(), milliseconds(kLimitMs / 2));
    // And one that ends while a launch waits for its window.
    auto ending = std::make_unique<Copy>(caption + L" 2", -1);
    ASSERT_TRUE(ending->Decides()) << "the copy that ends";
    Copy waiting(caption + L" 2", -1);
    std::this_thread::sleep_for(milliseconds(kLimitMs / 3));
    ending.reset();
    ASSERT_TRUE(waiting.Decides()) << "the launch that waited for a copy that ended";
    EXPECT_EQ(waiting.found(), FirstCopy::kNone);
    EXPECT_LT(waiting.waited(), milliseconds(kLimitMs));
}

// It holds the mutex but never shows its window: the launches that find it at once give it the
// limit, then open one window between them, although it takes the one that opens it a while.
TEST_F(FirstCopyTest, LaunchesBesideAHungCopyOpenOneWindowBetweenThem) {
    Copy hung(caption, -1);
    ASSERT_TRUE(hung.Decides()) << "the copy that hangs";
    std::vector<std::unique_ptr<Copy>> launches;
    for (int i = 0; i < 8; ++i) launches.push_back(std::make_unique<Copy>(caption, kLimitMs / 2));
    int took = 0;
    for (auto& copy : launches) {
        ASSERT_TRUE(copy->Decides()) << "a launch beside the copy that hangs";
        if (copy->found() == FirstCopy::kShown) continue;
        EXPECT_EQ(copy->found(), FirstCopy::kHung);
        EXPECT_GE(copy->waited(), milliseconds(kLimitMs));
        took++;
    }
    EXPECT_EQ(took, 1);
}

// Suspended, a holder beats no more, nor does one whose starting thread hangs (deadlocked, on a
// dead share or an audio device): each is given the quiet limit alone. One whose starting thread
// uses the processor is still starting, up to the start limit.
TEST_F(FirstCopyTest, AHolderIsGivenTheQuietLimitUnlessItStillUsesTheProcessor) {
    struct Case {
        const wchar_t* name;
        const char* holder;
        DWORD beatsForMs;
        bool busy;
    } cases[] = {
        {L" suspended", "is suspended", 0, false},
        {L" hanging", "hangs", 20 * kLimitMs, false},
        {L" starting", "uses the processor", 20 * kLimitMs, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("a holder that ") + c.holder);
        Copy holder(caption + c.name, -1, {kLimitMs, c.beatsForMs}, c.busy);
        ASSERT_TRUE(holder.Decides()) << "the holder";
        Copy launch(caption + c.name, -1, {kLimitMs, 4 * kLimitMs});
        ASSERT_TRUE(launch.Decides()) << "the launch beside the holder";
        EXPECT_EQ(launch.found(), FirstCopy::kHung);
        long waited = Ms(launch.waited());
        if (c.busy) {
            EXPECT_GE(waited, long(4 * kLimitMs)) << "given up before the start limit";
            EXPECT_LT(waited, long(5 * kLimitMs));
        } else {
            EXPECT_GE(waited, long(kLimitMs)) << "given up before the quiet limit";
            EXPECT_LT(waited, long(4 * kLimitMs))
                << "taken for still starting until the start limit";
        }
    }
}

// The program's own limit: a new game five seconds after a launch beside a copy that was
// suspended before its window showed, rather than thirty as for one still starting.
TEST_F(FirstCopyTest, BesideASuspendedCopyTheProgramGoesOnAfterFiveSeconds) {
    Copy holder(caption, -1, {kLimitMs, 0});  // its heartbeat never beats
    ASSERT_TRUE(holder.Decides()) << "the holder";
    Copy launch(caption, -1, kProgramsLimits);
    // Long enough to see how long it waited, were it the start limit.
    ASSERT_TRUE(launch.Decides(milliseconds(40000))) << "the launch beside the holder";
    EXPECT_EQ(launch.found(), FirstCopy::kHung);
    long waited = Ms(launch.waited());
    EXPECT_GE(waited, 5000) << "given up before the quiet limit of 5 s";
    // Anything near 5 s, however busy the machine; well short of the 30 s start limit.
    EXPECT_LT(waited, 12000) << "waited " << waited << " ms beside a suspended copy, not 5 s";
}

}  // namespace
