// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// What the tests of the desktop's one copy per display share: a folder of its own for each
// test, and launches of the program on threads of their own, each waited for no longer than a
// deadline, so that a fault fails a test with what did not happen rather than hanging it.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "platform/hosts/desktop_instance.h"

namespace instance_test {

using platform::InstanceEndpoint;
using Found = InstanceEndpoint::Found;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Short limits keep the waits for hung copies short.
constexpr int kLimitMs = 300;
// The limits a launch gives a copy that holds the lock and does not greet; the program's own
// where none are given.
struct Limits {
    int quietMs = kLimitMs;
    int startMs = kLimitMs;
};
constexpr Limits kProgramsLimits{0, 0};
// Far beyond what any launch of these tests may take (eight locks at most, each waited for no
// longer than the start limit), and far within ctest's timeout.
constexpr milliseconds kDeadline{10000};

// True once `done()` is, within `deadline`.
template <typename Done>
bool Within(milliseconds deadline, Done done) {
    for (auto end = Clock::now() + deadline; !done();) {
        if (Clock::now() > end) return done();
        std::this_thread::sleep_for(milliseconds(1));
    }
    return true;
}

// The test's folder in /tmp (a socket's path must be short), named after the test's process. A
// test that is killed (at ctest's timeout) leaves its folder, lock and socket behind: the next
// test removes the folders of test processes that have ended.
class InstanceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RemoveFoldersOfEndedTests();
        std::filesystem::remove_all(folder);
        std::filesystem::create_directory(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    static constexpr char kPrefix[] = "quillby-instance-test-";
    std::string folder = "/tmp/" + std::string(kPrefix) + std::to_string(getpid());
    std::string path = folder + "/x11-:0.sock";

  private:
    static void RemoveFoldersOfEndedTests() {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator("/tmp", error)) {
            std::string name = entry.path().filename();
            if (!name.starts_with(kPrefix)) continue;
            char* end = nullptr;
            long pid = std::strtol(name.c_str() + sizeof kPrefix - 1, &end, 10);
            if (pid > 0 && *end == 0 && kill(pid_t(pid), 0) != 0 && errno == ESRCH)
                std::filesystem::remove_all(entry.path(), error);
        }
    }
};

// A launch of the program on its own thread: it claims; unless another copy answered, it
// listens (after `startMs`, as a copy does once its window is open; never when negative) and
// answers every millisecond until it is destroyed, or with `hang` never answers.
class Launch {
  public:
    explicit Launch(const std::string& path, int startMs = 0, bool hang = false, Limits limits = {})
        : s_(std::make_shared<State>(path, limits)) {
        // The thread shares the state, so that one still claiming past the deadline can be left
        // to run on when the test, failed, ends.
        thread_ = std::thread([s = s_, startMs, hang] {
            auto start = Clock::now();
            s->found = s->endpoint->Claim();
            s->waited = Clock::now() - start;
            s->decided = true;
            if (s->found == Found::kRunning) {
                s->endpoint->AskOtherForward();
                return;
            }
            if (startMs >= 0) {
                std::this_thread::sleep_for(milliseconds(startMs));
                s->listening = s->endpoint->Listen();
            }
            while (!s->stop) {
                if (!hang && s->endpoint->TakeForwardRequest()) s->forwards++;
                std::this_thread::sleep_for(milliseconds(1));
            }
        });
    }
    ~Launch() {
        s_->stop = true;
        if (Decides()) {
            thread_.join();
        } else {
            ADD_FAILURE() << "a launch was still claiming when its test ended";
            thread_.detach();
        }
    }
    Launch(const Launch&) = delete;
    Launch& operator=(const Launch&) = delete;

    ::testing::AssertionResult Decides(milliseconds deadline = kDeadline) const {
        if (Within(deadline, [this] { return bool(s_->decided); }))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "the launch had not decided whether another copy runs " << deadline.count()
               << " ms after it began to claim";
    }
    ::testing::AssertionResult Listens() const {
        if (Within(kDeadline, [this] { return bool(s_->listening); }))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "the launch was not listening at the socket " << kDeadline.count()
               << " ms after it began to claim; it " << Decision();
    }

    Found found() const { return s_->found; }
    Clock::duration waited() const { return s_->waited; }
    int forwards() const { return s_->forwards; }
    InstanceEndpoint& endpoint() { return *s_->endpoint; }

  private:
    const char* Decision() const {
        if (!s_->decided) return "had not decided whether another copy runs";
        switch (s_->found) {
            case Found::kNone:
                return "had found no other copy";
            case Found::kRunning:
                return "had found another copy running";
            case Found::kHung:
                return "had taken over from a copy that hangs";
        }
        return "had found something unheard of";
    }
    struct State {
        State(const std::string& path, Limits limits)
            : endpoint(limits.quietMs ? std::make_unique<InstanceEndpoint>(path, limits.quietMs,
                                                                           limits.startMs)
                                      : std::make_unique<InstanceEndpoint>(path)) {}
        std::unique_ptr<InstanceEndpoint> endpoint;
        std::atomic<Found> found{Found::kNone};
        std::atomic<bool> decided{false};
        std::atomic<bool> listening{false};
        std::atomic<bool> stop{false};
        std::atomic<int> forwards{0};
        Clock::duration waited{};
    };
    std::shared_ptr<State> s_;
    std::thread thread_;
};

}  // namespace instance_test
