// The running instance's channel against real named pipes: a second start is answered, callers
// that say nothing or the wrong thing keep nobody out, and each lock folder has its own pipe.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/instance_channel.h"
#include "platform/windows/instance_pipe_name.h"
#include "platform/windows/win32.h"
#include "tests/support/test_world.h"
#include "tests/support/wait_until.h"
#include "tests/support/wrong_instance_requests.h"

namespace tv {
namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

// Shorter than the time a listener gives a silent caller, so an answer within it shows that
// no silent caller held the listener up.
constexpr int kQuickAnswerMs = 1000;

// A caller the test drives by hand, connected as soon as an instance of the pipe is free.
struct RawCaller {
    explicit RawCaller(const std::wstring& name) {
        for (int tries = 0; tries < 50 && pipe == INVALID_HANDLE_VALUE; ++tries) {
            pipe = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                               OPEN_EXISTING, 0, nullptr);
            if (pipe == INVALID_HANDLE_VALUE) WaitNamedPipeW(name.c_str(), 100);
        }
    }
    ~RawCaller() {
        if (pipe != INVALID_HANDLE_VALUE) CloseHandle(pipe);
    }
    RawCaller(const RawCaller&) = delete;
    RawCaller& operator=(const RawCaller&) = delete;

    // The listener hangs up on a wrong word, which may end a long one's write early.
    void Say(const std::string& words) const {
        DWORD written = 0;
        WriteFile(pipe, words.data(), static_cast<DWORD>(words.size()), &written, nullptr);
    }
    bool WasAnswered() const {
        DWORD waiting = 0;
        return PeekNamedPipe(pipe, nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0;
    }
    bool WasHungUpOn() const {
        DWORD waiting = 0;
        return !PeekNamedPipe(pipe, nullptr, 0, nullptr, &waiting, nullptr);
    }

    HANDLE pipe = INVALID_HANDLE_VALUE;
};

class InstanceChannelWin32 : public ::testing::Test {
  protected:
    static void Serve(InstanceListener& listener, std::atomic<int>& openings) {
        listener.Serve([&openings] { ++openings; });
    }
    static bool WaitForOpenings(const std::atomic<int>& openings, int count) {
        test::WaitUntil(
            std::chrono::seconds(10), [&] { return openings >= count; }, milliseconds(10));
        return openings == count;
    }
    static bool AnswersFalseAtOnce(const std::string& folder) {
        const auto start = steady_clock::now();
        return !AskRunningInstanceToOpenSettings(folder) &&
               steady_clock::now() - start < milliseconds(500);
    }

    test::TestWorld world_;
    std::string folder_ = world_.MakeFolder("runtime-folder");
    std::atomic<int> openings_{0};
};

TEST_F(InstanceChannelWin32, ASecondStartIsAnsweredAndTheSettingsOpenOncePerRequest) {
    EXPECT_TRUE(AnswersFalseAtOnce(folder_));
    {
        InstanceListener listener;
        ASSERT_TRUE(listener.Listen(folder_));
        // The pipe is this listener's alone.
        InstanceListener squatter;
        EXPECT_FALSE(squatter.Listen(folder_));
        Serve(listener, openings_);

        EXPECT_TRUE(AskRunningInstanceToOpenSettings(folder_));
        EXPECT_TRUE(AskRunningInstanceToOpenSettings(folder_));
        EXPECT_TRUE(WaitForOpenings(openings_, 2));
    }
    EXPECT_TRUE(AnswersFalseAtOnce(folder_));
}

// Callers queue until the listener serves: a second start during the first one's start-up is
// answered once the first is ready.
TEST_F(InstanceChannelWin32, ACallerWaitsForAListenerThatIsNotServingYet) {
    InstanceListener listener;
    ASSERT_TRUE(listener.Listen(folder_));
    std::atomic<bool> answered{false};
    std::thread caller([&] { answered = AskRunningInstanceToOpenSettings(folder_); });
    Sleep(200);
    Serve(listener, openings_);
    caller.join();
    EXPECT_TRUE(answered);
    EXPECT_TRUE(WaitForOpenings(openings_, 1));
}

TEST_F(InstanceChannelWin32, CallersThatSayNothingOrTheWrongThingKeepNobodyOut) {
    InstanceListener listener;
    ASSERT_TRUE(listener.Listen(folder_));
    Serve(listener, openings_);
    const std::wstring name = detail::InstancePipeName(folder_);
    const std::vector<std::string> wrongWords = test::WrongInstanceRequests();
    std::vector<std::unique_ptr<RawCaller>> callers;
    const auto crowdStart = steady_clock::now();
    for (const std::string& words : wrongWords) {
        callers.push_back(std::make_unique<RawCaller>(name));
        ASSERT_NE(callers.back()->pipe, INVALID_HANDLE_VALUE);
        if (!words.empty()) callers.back()->Say(words);
    }
    // More silent callers than the listener hears at once: each gets through at once all the
    // same.
    for (int i = 0; i < 10; ++i) callers.push_back(std::make_unique<RawCaller>(name));
    EXPECT_LT(steady_clock::now() - crowdStart, milliseconds(kQuickAnswerMs));

    const auto start = steady_clock::now();
    EXPECT_TRUE(AskRunningInstanceToOpenSettings(folder_, kQuickAnswerMs));
    EXPECT_LT(steady_clock::now() - start, milliseconds(kQuickAnswerMs));
    EXPECT_TRUE(WaitForOpenings(openings_, 1));
    // A wrong word taken for the request would open the settings again within this.
    Sleep(100);
    EXPECT_EQ(openings_, 1);
    for (const auto& caller : callers) EXPECT_FALSE(caller->WasAnswered());
    // The silent ones too, once their time to speak is up.
    EXPECT_TRUE(test::WaitUntil(std::chrono::seconds(5), [&] {
        return std::all_of(callers.begin(), callers.end(),
                           [](const auto& caller) { return caller->WasHungUpOn(); });
    }));
}

TEST_F(InstanceChannelWin32, ServingEndsWithStop) {
    InstanceListener listener;
    ASSERT_TRUE(listener.Listen(folder_));
    Serve(listener, openings_);
    ASSERT_TRUE(AskRunningInstanceToOpenSettings(folder_));
    ASSERT_TRUE(WaitForOpenings(openings_, 1));

    const auto start = steady_clock::now();
    listener.Stop();
    EXPECT_LT(steady_clock::now() - start, milliseconds(500));
    EXPECT_FALSE(AskRunningInstanceToOpenSettings(folder_, 300));
    EXPECT_EQ(openings_, 1);
}

TEST_F(InstanceChannelWin32, EachLockFolderHasAPipeOfItsOwn) {
    const std::string other = world_.MakeFolder("other-runtime-folder");
    EXPECT_NE(detail::InstancePipeName(folder_), detail::InstancePipeName(other));
    // The same folder, however it is written, has the same pipe.
    std::string shouted = folder_ + "/";
    for (char& c : shouted) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(detail::InstancePipeName(shouted), detail::InstancePipeName(folder_));

    InstanceListener listener;
    ASSERT_TRUE(listener.Listen(folder_));
    InstanceListener otherListener;
    ASSERT_TRUE(otherListener.Listen(other));
    std::atomic<int> otherOpenings{0};
    Serve(listener, openings_);
    Serve(otherListener, otherOpenings);

    EXPECT_TRUE(AskRunningInstanceToOpenSettings(other));
    EXPECT_TRUE(WaitForOpenings(otherOpenings, 1));
    EXPECT_EQ(openings_, 0);
}

}  // namespace
}  // namespace tv
