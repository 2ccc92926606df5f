#include "platform/sdl/instance.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

namespace {

using platform::InstanceEndpoint;

class InstanceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/quillby-instance-test-XXXXXX";
        ASSERT_TRUE(mkdtemp(pattern));
        dir = pattern;
        path = dir + "/instance.sock";
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    bool Exists() const {
        struct stat st;
        return lstat(path.c_str(), &st) == 0;
    }

    std::string dir, path;
};

TEST_F(InstanceTest, TheFirstCopyListensAndASecondFindsItAndAsksItForward) {
    InstanceEndpoint first(path);
    EXPECT_FALSE(first.FindOther());  // nobody there yet
    ASSERT_TRUE(first.Listen());
    EXPECT_FALSE(first.TakeForwardRequest());

    InstanceEndpoint second(path);
    ASSERT_TRUE(second.FindOther());
    EXPECT_TRUE(second.AskOtherForward());
    EXPECT_TRUE(first.TakeForwardRequest());
    EXPECT_FALSE(first.TakeForwardRequest());  // asked once, answered once

    // A copy that only looks, and leaves without asking, asks nothing.
    {
        InstanceEndpoint third(path);
        EXPECT_TRUE(third.FindOther());
        EXPECT_FALSE(first.TakeForwardRequest());
    }
    EXPECT_FALSE(first.TakeForwardRequest());
}

TEST_F(InstanceTest, ASecondCopyCannotTakeOverALiveOne) {
    InstanceEndpoint first(path);
    ASSERT_TRUE(first.Listen());
    {
        InstanceEndpoint second(path);
        EXPECT_FALSE(second.Listen());
    }
    // The second's leaving does not remove the first's socket.
    InstanceEndpoint third(path);
    EXPECT_TRUE(third.FindOther());
    EXPECT_TRUE(third.AskOtherForward());
    EXPECT_TRUE(first.TakeForwardRequest());
}

TEST_F(InstanceTest, TheSocketGoesWhenTheCopyEnds) {
    {
        InstanceEndpoint first(path);
        ASSERT_TRUE(first.Listen());
        EXPECT_TRUE(Exists());
    }
    EXPECT_FALSE(Exists());
    InstanceEndpoint later(path);
    EXPECT_FALSE(later.FindOther());
}

TEST_F(InstanceTest, ASocketLeftByACopyThatDiedIsTakenOver) {
    // What a crashed copy leaves: a bound socket file with nobody listening on it.
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, path.c_str());
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(fd);
    ASSERT_TRUE(Exists());

    InstanceEndpoint next(path);
    EXPECT_FALSE(next.FindOther());
    ASSERT_TRUE(next.Listen());
    InstanceEndpoint another(path);
    EXPECT_TRUE(another.FindOther());

    // Listening straight away, without looking first, also takes a dead copy's place.
    std::filesystem::remove(path);
    fd = socket(AF_UNIX, SOCK_STREAM, 0);
    std::string second = dir + "/second.sock";
    std::strcpy(address.sun_path, second.c_str());
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(fd);
    InstanceEndpoint direct(second);
    EXPECT_TRUE(direct.Listen());
}

TEST_F(InstanceTest, AFileThatIsNoSocketIsLeftAlone) {
    FILE* f = std::fopen(path.c_str(), "w");
    ASSERT_TRUE(f);
    std::fclose(f);
    InstanceEndpoint endpoint(path);
    EXPECT_FALSE(endpoint.FindOther());
    EXPECT_FALSE(endpoint.Listen());
    EXPECT_TRUE(Exists());
}

TEST_F(InstanceTest, ManySilentCallersDoNotHideARequest) {
    InstanceEndpoint first(path);
    ASSERT_TRUE(first.Listen());
    std::vector<std::unique_ptr<InstanceEndpoint>> silent;
    for (int i = 0; i < 10; ++i) {
        silent.push_back(std::make_unique<InstanceEndpoint>(path));
        ASSERT_TRUE(silent.back()->FindOther());
        first.TakeForwardRequest();
    }
    InstanceEndpoint asking(path);
    ASSERT_TRUE(asking.FindOther());
    ASSERT_TRUE(asking.AskOtherForward());
    EXPECT_TRUE(first.TakeForwardRequest());
}

TEST(InstancePathTest, UsesTheUsersRuntimeFolderOrAPrivateOneInTmp) {
    const char* saved = std::getenv("XDG_RUNTIME_DIR");
    std::string keep = saved ? saved : "";
    char pattern[] = "/tmp/quillby-runtime-test-XXXXXX";
    ASSERT_TRUE(mkdtemp(pattern));
    setenv("XDG_RUNTIME_DIR", pattern, 1);
    EXPECT_EQ(platform::InstanceSocketPath(), std::string(pattern) + "/quillby.sock");

    unsetenv("XDG_RUNTIME_DIR");
    std::string fallback = platform::InstanceSocketPath();
    std::string folder = "/tmp/quillby-" + std::to_string(getuid());
    EXPECT_EQ(fallback, folder + "/instance.sock");
    struct stat st;
    ASSERT_EQ(lstat(folder.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);  // nobody else may reach the socket

    if (saved) setenv("XDG_RUNTIME_DIR", keep.c_str(), 1);
    std::filesystem::remove_all(pattern);
}

}  // namespace
