// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Launches beside a copy that holds the lock and never greets, in a process of its own, as the
// copy that runs is: one that is stopped, or hangs without being stopped (deadlocked, stuck on a
// dead mount or an audio device) is given the quiet limit; one still using the processor is
// still starting, up to the start limit.
#include "platform/hosts/silent_holder.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <string>
#include <thread>

#include "tests/platform/hosts/instance_launch.h"

namespace {

using namespace instance_test;

long Ms(Clock::duration d) {
    return long(std::chrono::duration_cast<milliseconds>(d).count());
}

[[noreturn]] void Spin() {
    for (std::atomic<unsigned> spin = 0;;) spin.fetch_add(1);
}
[[noreturn]] void Block() {
    for (;;) pause();
}
[[noreturn]] void Stop() {
    raise(SIGSTOP);
    Block();
}
// The program's own threads (its sound's, SDL's) may go on while the one that runs the game is
// stuck: this one is busier than any of those.
[[noreturn]] void BlockBesideABusyThread() {
    std::thread(Spin).detach();
    Block();
}

// A copy holding the lock in a process of its own, which then behaves as `behave` says. It ends
// with the test, or with the test's process if that is killed.
class Holder {
  public:
    Holder(const std::string& path, void (*behave)()) {
        int ready[2];
        if (pipe(ready) != 0) return;
        pid_t parent = getpid();
        pid_ = fork();
        if (pid_ == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (getppid() != parent) _exit(1);
            close(ready[0]);
            platform::InstanceEndpoint endpoint(path);
            char said = endpoint.Claim() == Found::kNone ? '!' : '?';
            (void)!write(ready[1], &said, 1);
            behave();
            _exit(0);
        }
        close(ready[1]);
        pollfd p{ready[0], POLLIN, 0};
        char said = 0;
        holds_ = pid_ > 0 && poll(&p, 1, int(kDeadline.count())) == 1 &&
                 read(ready[0], &said, 1) == 1 && said == '!';
        close(ready[0]);
    }
    ~Holder() {
        if (pid_ <= 0) return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    Holder(const Holder&) = delete;
    Holder& operator=(const Holder&) = delete;

    ::testing::AssertionResult Holds() const {
        if (holds_) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the holder's process did not say within "
                                             << kDeadline.count() << " ms that it took the lock";
    }

  private:
    pid_t pid_ = -1;
    bool holds_ = false;
};

TEST_F(InstanceTest, AHolderIsGivenTheQuietLimitUnlessItStillUsesTheProcessor) {
    // Quiet for long enough that a spinning holder uses the processor meanwhile on a busy
    // machine (its time is counted in hundredths of a second).
    const Limits limits{2 * kLimitMs, 5 * kLimitMs};
    struct Case {
        const char* holder;
        void (*behave)();
        bool starting;
    } cases[] = {
        {"is stopped", Stop, false},
        {"blocks", Block, false},
        {"blocks while another of its threads is busy", BlockBesideABusyThread, false},
        {"uses the processor", Spin, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("a holder that ") + c.holder);
        Holder holder(path, c.behave);
        ASSERT_TRUE(holder.Holds());
        Launch launch(path, -1, false, limits);
        ASSERT_TRUE(launch.Decides());
        EXPECT_EQ(launch.found(), Found::kHung);
        long waited = Ms(launch.waited());
        if (c.starting) {
            EXPECT_GE(waited, limits.startMs) << "given up before the start limit";
            EXPECT_LT(waited, limits.startMs + kLimitMs);
        } else {
            EXPECT_GE(waited, limits.quietMs) << "given up before the quiet limit";
            EXPECT_LT(waited, limits.startMs) << "taken for still starting until the start limit";
        }
    }
}

// The program's own limit, which the README promises: a new game five seconds after a launch
// beside a copy that hangs, rather than thirty as for one still starting.
TEST_F(InstanceTest, BesideACopyThatHangsTheProgramOpensANewGameAfterFiveSeconds) {
    Holder holder(path, Block);
    ASSERT_TRUE(holder.Holds());
    Launch launch(path, -1, false, kProgramsLimits);
    // Long enough to see how long it waited, were it the start limit.
    ASSERT_TRUE(launch.Decides(milliseconds(40000)));
    EXPECT_EQ(launch.found(), Found::kHung);
    long waited = Ms(launch.waited());
    EXPECT_GE(waited, 5000) << "given up before the quiet limit of 5 s";
    // Anything near 5 s, however busy the machine; well short of the 30 s start limit.
    EXPECT_LT(waited, 12000) << "waited " << waited << " ms beside a copy that hangs, not 5 s";
}

}  // namespace
