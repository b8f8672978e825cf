// idletime.dll as the program uses it on Windows, loaded by its full path, and the span since
// the last input across the wrap of the 32-bit tick count.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "idletime/windows/input_ticks.h"
#include "tests/support/loaded_library.h"

namespace tv::idle {
namespace {

TEST(IdleInputTicks, SpanSinceTheLastInputSurvivesTheWrap) {
    EXPECT_EQ(TicksSince(1000, 61000), 60000u);
    EXPECT_EQ(TicksSince(5, 5), 0u);
    EXPECT_EQ(TicksSince(0xFFFFFF00u, 0x100u), 0x200u);
    EXPECT_EQ(TicksSince(0xFFFFFFFFu, 59999u), 60000u);
    EXPECT_EQ(TicksSince(0, 0xFFFFFFFFu), 0xFFFFFFFFull);
}

TEST(IdleInputTicks, TheSessionTellsItsLastInput) {
    const auto inactive = SessionInactiveMs();
    ASSERT_TRUE(inactive.has_value());
    EXPECT_LE(*inactive, 0xFFFFFFFFull);
}

TEST(IdleLibrary, GetIdleTimeAnswersYesOrNoAndNeverTurnsBusyWithoutInput) {
    test::LoadedLibrary library(IDLETIME_LIBRARY_PATH);
    auto* getIdleTime = reinterpret_cast<int (*)()>(library.Symbol("GetIdleTime"));
    ASSERT_NE(getIdleTime, nullptr);
    EXPECT_EQ(library.Symbol("_ZN2tv4idle11MeasureIdleEv"), nullptr);
    int previous = getIdleTime();
    EXPECT_TRUE(previous == 0 || previous == 1) << previous;
    // Nobody types under the test runner: across remeasurements the user may become idle,
    // never busy again.
    for (int i = 0; i < 3; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        const int answer = getIdleTime();
        EXPECT_TRUE(answer == previous || (previous == 0 && answer == 1)) << answer;
        previous = answer;
    }
}

}  // namespace
}  // namespace tv::idle
