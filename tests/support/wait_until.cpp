#include "tests/support/wait_until.h"

#include <thread>

namespace tv::test {

bool WaitUntil(std::chrono::milliseconds patience, const std::function<bool()>& condition,
               std::chrono::milliseconds step) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(step);
    }
    return true;
}

}  // namespace tv::test
