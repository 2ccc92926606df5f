// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
#include "platform/hosts/desktop_instance.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

namespace {

using platform::InstanceEndpoint;
using Found = InstanceEndpoint::Found;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Short limits keep the waits for hung copies short. The copies of a test are threads of one
// process, which always moves: what a holder's use of the processor changes, processes show.
constexpr int kLimitMs = 300;

// A launch of the program on its own thread: it claims; unless another copy answered, it
// listens (after `startMs`, as a copy does once its window is open; never when negative) and
// answers every millisecond until `Stop`, or with `hang` never answers.
class Launch {
  public:
    explicit Launch(const std::string& path, int startMs = 0, bool hang = false)
        : endpoint(path, kLimitMs, kLimitMs) {
        thread = std::thread([this, startMs, hang] {
            auto start = Clock::now();
            found = endpoint.Claim();
            waited = Clock::now() - start;
            decided = true;
            if (found == Found::kRunning) {
                endpoint.AskOtherForward();
                return;
            }
            if (startMs >= 0) {
                std::this_thread::sleep_for(milliseconds(startMs));
                listening = endpoint.Listen();
            }
            while (!stop) {
                if (!hang && endpoint.TakeForwardRequest()) forwards++;
                std::this_thread::sleep_for(milliseconds(1));
            }
        });
    }
    ~Launch() { Stop(); }
    void Stop() {
        stop = true;
        if (thread.joinable()) thread.join();
    }
    void AwaitDecision() const {
        while (!decided) std::this_thread::sleep_for(milliseconds(1));
    }
    void AwaitListening() const {
        while (!listening) std::this_thread::sleep_for(milliseconds(1));
    }

    InstanceEndpoint endpoint;
    std::atomic<Found> found{Found::kNone};
    std::atomic<bool> decided{false};
    std::atomic<bool> listening{false};
    std::atomic<int> forwards{0};
    Clock::duration waited{};

  private:
    std::atomic<bool> stop{false};
    std::thread thread;
};

// What a copy that died leaves at the path: a socket file nobody listens on.
void LeftByACopyThatDied(const std::string& path) {
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, path.c_str());
    EXPECT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(fd);
}

ino_t Inode(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

class InstanceTest : public ::testing::Test {
  protected:
    void SetUp() override { std::filesystem::create_directory(folder); }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::string folder = "/tmp/quillby-instance-test-" + std::to_string(getpid());
    std::string path = folder + "/x11-:0.sock";
};

// A copy counts as alive while it starts, however many launches wait for it at once: they ask
// it forward and never listen themselves.
TEST_F(InstanceTest, LaunchesBesideACopyStillStartingWaitForItsGreetingAndAskItForward) {
    Launch first(path, /*startMs=*/kLimitMs / 2);
    first.AwaitDecision();
    EXPECT_EQ(first.found, Found::kNone);
    std::vector<std::unique_ptr<Launch>> impatient;
    for (int i = 0; i < 12; ++i) impatient.push_back(std::make_unique<Launch>(path));
    for (auto& launch : impatient) {
        launch->AwaitDecision();
        EXPECT_EQ(launch->found, Found::kRunning);
        EXPECT_FALSE(launch->endpoint.Listen());
    }
    std::this_thread::sleep_for(milliseconds(50));
    EXPECT_GE(first.forwards, 1);
}

TEST_F(InstanceTest, ACopyThatDiedBlocksNothingAndItsSocketGoesWithItsTaker) {
    LeftByACopyThatDied(path);
    {
        Launch next(path);
        next.AwaitListening();
        EXPECT_EQ(next.found, Found::kNone);
        EXPECT_LT(next.waited, milliseconds(100));
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    // One that dies while a launch waits for it, before it ever listened.
    auto dying = std::make_unique<InstanceEndpoint>(path, kLimitMs, kLimitMs);
    ASSERT_EQ(dying->Claim(), Found::kNone);
    Launch waiting(path);
    std::this_thread::sleep_for(milliseconds(kLimitMs / 3));
    dying.reset();
    waiting.AwaitListening();
    EXPECT_EQ(waiting.found, Found::kNone);
    EXPECT_LT(waiting.waited, milliseconds(kLimitMs));
}

// Stopped or hung: it holds the lock, but never greets, whether it listens or not, and however
// full its queue of callers. Launches that find it at once open one copy between them, although
// it takes that one a while to answer, and later launches find it at once, even after the hung
// one has gone.
TEST_F(InstanceTest, LaunchesBesideAHungCopyGiveItTheLimitThenOneOfThemRuns) {
    for (bool listens : {false, true}) {
        SCOPED_TRACE(listens);
        auto hung = std::make_unique<Launch>(path, listens ? 0 : -1, /*hang=*/true);
        if (listens) hung->AwaitListening();
        hung->AwaitDecision();
        ino_t hungSocket = Inode(path);
        std::vector<std::unique_ptr<Launch>> launches;
        for (int i = 0; i < 40; ++i)
            launches.push_back(std::make_unique<Launch>(path, kLimitMs / 2));
        Launch* taker = nullptr;
        for (auto& launch : launches) {
            launch->AwaitDecision();
            if (launch->found == Found::kRunning) continue;
            EXPECT_EQ(launch->found, Found::kHung);
            EXPECT_GE(launch->waited, milliseconds(kLimitMs));
            EXPECT_EQ(taker, nullptr) << "a second copy ran beside the hung one";
            taker = launch.get();
        }
        ASSERT_NE(taker, nullptr);
        taker->AwaitListening();
        EXPECT_NE(Inode(path), hungSocket);

        hung.reset();
        InstanceEndpoint later(path, kLimitMs, kLimitMs);
        auto start = Clock::now();
        EXPECT_EQ(later.Claim(), Found::kRunning);
        EXPECT_LT(Clock::now() - start, milliseconds(kLimitMs));
        launches.clear();
        EXPECT_FALSE(std::filesystem::exists(path));
    }
}

// A holder in a process of its own: one that is stopped is given the quiet limit alone; one
// that uses the processor is still starting, up to the start limit.
TEST_F(InstanceTest, AHolderStillUsingTheProcessorIsGivenUntilTheStartLimit) {
    for (bool busy : {false, true}) {
        SCOPED_TRACE(busy);
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        pid_t holder = fork();
        if (holder == 0) {
            InstanceEndpoint endpoint(path);
            endpoint.Claim();
            (void)!write(ready[1], "!", 1);
            if (!busy) raise(SIGSTOP);
            for (std::atomic<unsigned> spin = 0;;) spin.fetch_add(1);
        }
        char signal;
        ASSERT_EQ(read(ready[0], &signal, 1), 1);
        close(ready[0]);
        close(ready[1]);
        // Quiet for long enough that a spinning holder uses the processor meanwhile on a busy
        // machine (its time is counted in hundredths of a second).
        const int quietMs = 2 * kLimitMs, startMs = 5 * kLimitMs;
        InstanceEndpoint launch(path, quietMs, startMs);
        auto start = Clock::now();
        EXPECT_EQ(launch.Claim(), Found::kHung);
        auto waited = Clock::now() - start;
        EXPECT_GE(waited, milliseconds(busy ? startMs : quietMs));
        EXPECT_LT(waited, milliseconds(busy ? startMs + kLimitMs : startMs));
        kill(holder, SIGKILL);
        waitpid(holder, nullptr, 0);
    }
}

// A sudden end removes the socket this copy still owns (the surroundings script's lost displays
// show it), and only that one.
TEST_F(InstanceTest, ASuddenEndLeavesTheSocketOfACopyThatTookThePathOver) {
    {
        InstanceEndpoint mine(path);
        ASSERT_EQ(mine.Claim(), Found::kNone);
        ASSERT_TRUE(mine.Listen());
        std::filesystem::remove(path);  // this one hung for a while, and another took over
        LeftByACopyThatDied(path);
        platform::RemoveListeningEndpoint();
        EXPECT_TRUE(std::filesystem::exists(path));
    }
    EXPECT_TRUE(std::filesystem::exists(path));  // nor when this one ends normally
}

TEST(InstanceSocketTest, EachDesktopHasItsOwnSocket) {
    struct Case {
        const char* x11;
        const char* wayland;
        const char* driver;
        const char* key;
    } cases[] = {
        {":0", nullptr, nullptr, "x11-:0"},
        {":0.1", "", nullptr, "x11-:0"},  // a display's screens are one desktop
        {":12", nullptr, "x11", "x11-:12"},
        {"unix:3.0", nullptr, nullptr, "x11-:3"},
        {"localhost:10.0", nullptr, nullptr, "x11-localhost:10"},
        {"/tmp/launch-x/org.xquartz:0", nullptr, nullptr, "x11-_tmp_launch-x_org.xquartz:0"},
        {":0", "wayland-1", nullptr, "wayland-wayland-1"},  // X programs show there too
        {":0", "wayland-1", "x11", "wayland-wayland-1"},
        {nullptr, nullptr, "wayland,x11", "wayland-wayland-0"},
        {nullptr, "/run/user/1000/wayland-0", nullptr, "wayland-_run_user_1000_wayland-0"},
        {":0", nullptr, "kmsdrm", "kmsdrm"},
        {":0", "wayland-0", "offscreen,x11", "offscreen"},  // draws on no desktop
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::DisplayKey(c.x11, c.wayland, c.driver), c.key) << c.key;
}

}  // namespace
