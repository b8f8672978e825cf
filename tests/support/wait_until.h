// Waiting in real time for something another thread or process does, checked every step until
// it holds or the patience runs out.
#pragma once

#include <chrono>
#include <functional>

namespace tv::test {

// True once condition holds, checked at once and then after every step; false when it did not
// within patience.
bool WaitUntil(std::chrono::milliseconds patience, const std::function<bool()>& condition,
               std::chrono::milliseconds step = std::chrono::milliseconds(50));

}  // namespace tv::test
