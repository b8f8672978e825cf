#include "idletime/measured_answer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

namespace tv::idle {
namespace {

constexpr auto kPatience = std::chrono::seconds(5);

// A measurement as slow as the test wants: each call waits until the test releases it.
class HeldMeasurement {
  public:
    bool Measure(bool answer) {
        std::unique_lock<std::mutex> lock(mutex_);
        ++started_;
        changed_.notify_all();
        changed_.wait(lock, [this] { return released_; });
        return answer;
    }
    void WaitUntilStarted() {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return started_ > 0; });
    }
    void Release() {
        const std::lock_guard<std::mutex> lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int started_ = 0;
    bool released_ = false;
};

TEST(MeasuredAnswer, ThreadsAskingWithinThePeriodShareOneMeasurement) {
    std::atomic<int> measured{0};
    MeasuredAnswer answer(std::chrono::hours(1), [&] {
        ++measured;
        return true;
    });
    std::atomic<int> idle{0};
    std::vector<std::thread> workers;
    for (int w = 0; w < 4; ++w) {
        workers.emplace_back([&] {
            for (int i = 0; i < 50; ++i) idle += answer.Get() ? 1 : 0;
        });
    }
    for (std::thread& worker : workers) worker.join();
    EXPECT_EQ(measured.load(), 1);
    EXPECT_EQ(idle.load(), 200);
}

TEST(MeasuredAnswer, TheFirstAnswerIsWaitedFor) {
    HeldMeasurement held;
    std::atomic<int> measured{0};
    MeasuredAnswer answer(std::chrono::hours(1), [&] {
        ++measured;
        return held.Measure(true);
    });
    auto measuring = std::async(std::launch::async, [&] { return answer.Get(); });
    held.WaitUntilStarted();
    auto waiting = std::async(std::launch::async, [&] { return answer.Get(); });
    EXPECT_EQ(waiting.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout)
        << "a thread answered before anything was measured";
    held.Release();
    EXPECT_TRUE(measuring.get());
    EXPECT_TRUE(waiting.get());
    EXPECT_EQ(measured.load(), 1);
}

// A bus that is slow to answer holds only the thread that measures, not every worker.
TEST(MeasuredAnswer, WhileOneThreadMeasuresTheOthersTakeThePreviousAnswer) {
    HeldMeasurement held;
    int measured = 0;
    // Always due again; the first measurement says idle at once, later ones busy when released.
    MeasuredAnswer answer(std::chrono::milliseconds(0),
                          [&] { return ++measured == 1 ? true : held.Measure(false); });
    ASSERT_TRUE(answer.Get());
    auto measuring = std::async(std::launch::async, [&] { return answer.Get(); });
    held.WaitUntilStarted();
    auto meanwhile = std::async(std::launch::async, [&] { return answer.Get(); });
    const bool answeredAtOnce = meanwhile.wait_for(kPatience) == std::future_status::ready;
    held.Release();
    EXPECT_TRUE(answeredAtOnce) << "a thread waited for another's measurement";
    EXPECT_TRUE(meanwhile.get()) << "the previous answer";
    EXPECT_FALSE(measuring.get()) << "the new measurement";
}

}  // namespace
}  // namespace tv::idle
