// The running instance's channel against real sockets: a second start is answered, what a killed
// instance left is replaced, and callers that say nothing or the wrong thing keep nobody out.
#include "platform/instance_channel.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/posix/unique_fd.h"
#include "tests/support/scoped_umask.h"
#include "tests/support/test_world.h"
#include "tests/support/unix_socket.h"
#include "tests/support/wait_until.h"
#include "tests/support/wrong_instance_requests.h"

namespace tv {
namespace {

using detail::UniqueFd;
using std::chrono::steady_clock;

// Shorter than the time a listener gives a silent caller, so an answer within it shows that
// no silent caller held the listener up.
constexpr int kQuickAnswerMs = 1000;

class InstanceChannelTest : public ::testing::Test {
  protected:
    void Serve(InstanceListener& listener) {
        listener.Serve([this] { ++openings_; });
    }
    bool WaitForOpenings(int count) {
        test::WaitUntil(
            std::chrono::seconds(10), [this, count] { return openings_ >= count; },
            std::chrono::milliseconds(10));
        return openings_ == count;
    }

    test::TestWorld world_;
    std::string folder_ = world_.MakeFolder("runtime-folder");
    std::string channel_ = JoinPath(folder_, kInstanceChannelName);
    std::atomic<int> openings_{0};
};

TEST_F(InstanceChannelTest, ASecondStartIsAnsweredAndTheSettingsOpenOncePerRequest) {
    {
        InstanceListener listener;
        {
            const test::ScopedUmask open(0);  // the channel is the user's alone all the same
            ASSERT_TRUE(listener.Listen(folder_));
        }
        Serve(listener);
        struct stat st {};
        ASSERT_EQ(lstat(channel_.c_str(), &st), 0);
        EXPECT_TRUE(S_ISSOCK(st.st_mode));
        EXPECT_EQ(st.st_mode & 07777, 0600u);

        EXPECT_TRUE(AskRunningInstanceToOpenSettings(folder_));
        EXPECT_TRUE(AskRunningInstanceToOpenSettings(folder_));
        EXPECT_TRUE(WaitForOpenings(2));
    }
    // A listener that has gone takes its channel with it.
    EXPECT_FALSE(PathExists(channel_));
    const auto start = steady_clock::now();
    EXPECT_FALSE(AskRunningInstanceToOpenSettings(folder_));
    EXPECT_LT(steady_clock::now() - start, std::chrono::milliseconds(500));
}

// Callers queue until the listener serves: a second start during the first one's start-up is
// answered once the first is ready.
TEST_F(InstanceChannelTest, ACallerWaitsForAListenerThatIsNotServingYet) {
    InstanceListener listener;
    ASSERT_TRUE(listener.Listen(folder_));
    std::atomic<bool> answered{false};
    std::thread caller([&] { answered = AskRunningInstanceToOpenSettings(folder_); });
    // The first instance's start-up: long enough for the caller to be waiting in the queue,
    // well within the time it waits for an answer.
    usleep(200000);
    Serve(listener);
    caller.join();
    EXPECT_TRUE(answered);
    EXPECT_TRUE(WaitForOpenings(1));
}

TEST_F(InstanceChannelTest, TheChannelOfAKilledInstanceRefusesUntilTheNextOneReplacesIt) {
    ASSERT_TRUE(test::LeaveDeadSocket(channel_));
    const auto start = steady_clock::now();
    EXPECT_FALSE(AskRunningInstanceToOpenSettings(folder_, 300));
    EXPECT_GE(steady_clock::now() - start, std::chrono::milliseconds(250));

    InstanceListener listener;
    ASSERT_TRUE(listener.Listen(folder_));
    Serve(listener);
    EXPECT_TRUE(AskRunningInstanceToOpenSettings(folder_));
    EXPECT_TRUE(WaitForOpenings(1));
}

TEST_F(InstanceChannelTest, ALinkWhereTheChannelBelongsIsNeitherFollowedNorRemoved) {
    const std::string target = JoinPath(world_.MakeFolder("elsewhere"), "target");
    ASSERT_EQ(symlink(target.c_str(), channel_.c_str()), 0);
    InstanceListener listener;
    EXPECT_FALSE(listener.Listen(folder_));
    struct stat st {};
    ASSERT_EQ(lstat(channel_.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_FALSE(PathExists(target));
}

TEST_F(InstanceChannelTest, CallersThatSayNothingOrTheWrongThingKeepNobodyOut) {
    InstanceListener listener;
    ASSERT_TRUE(listener.Listen(folder_));
    Serve(listener);
    const std::vector<std::string> wrongWords = test::WrongInstanceRequests();
    std::vector<UniqueFd> callers;
    for (const std::string& words : wrongWords) {
        callers.push_back(test::ConnectUnixSocket(channel_));
        ASSERT_TRUE(callers.back().valid());
        if (!words.empty()) send(callers.back().get(), words.data(), words.size(), MSG_NOSIGNAL);
    }
    // More silent callers than the listener hears at once.
    for (int i = 0; i < 10; ++i) callers.push_back(test::ConnectUnixSocket(channel_));

    const auto start = steady_clock::now();
    EXPECT_TRUE(AskRunningInstanceToOpenSettings(folder_, kQuickAnswerMs));
    EXPECT_LT(steady_clock::now() - start, std::chrono::milliseconds(kQuickAnswerMs));
    EXPECT_TRUE(WaitForOpenings(1));
    // Nothing shows that every caller has been heard: a wrong word taken for the request
    // would open the settings again within this.
    usleep(100000);
    EXPECT_EQ(openings_, 1);
    // Nobody who said less than the request or more is answered.
    for (const UniqueFd& caller : callers) {
        if (!caller.valid()) continue;
        char answer[4];
        EXPECT_LE(recv(caller.get(), answer, sizeof answer, MSG_DONTWAIT), 0);
    }
}

TEST_F(InstanceChannelTest, AFolderWhoseChannelNameDoesNotFitAnAddressHasNoChannel) {
    const std::string deep = world_.MakeFolder(std::string(120, 'd'));
    InstanceListener listener;
    EXPECT_FALSE(listener.Listen(deep));
    EXPECT_FALSE(AskRunningInstanceToOpenSettings(deep));
}

}  // namespace
}  // namespace tv
