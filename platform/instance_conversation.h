// The conversation on the instance channel, the same on every system: the caller's one request,
// the instance's one answer, and how the instance hears its callers.
#pragma once

#include <chrono>
#include <cstddef>
#include <string_view>

namespace tv::detail {

using SteadyClock = std::chrono::steady_clock;

constexpr std::string_view kInstanceRequest = "open-settings\n";
constexpr std::string_view kInstanceAnswer = "ok\n";
// Callers heard at the same time; a new one pushes out the one that has waited longest.
constexpr size_t kMaxCallers = 8;
// How long a caller may take to say its request before it is hung up on.
constexpr auto kCallerPatience = std::chrono::seconds(2);
// What the instance reads of a caller in all: one byte more than the request, to see that too.
constexpr size_t kMostHeard = kInstanceRequest.size() + 1;

enum class Heard {
    Part,     // the start of the request: the caller may say the rest
    Request,  // the request, no more: the caller is answered
    Other,    // anything else: the caller is hung up on
};

// What the caller has said so far amounts to.
Heard Hear(std::string_view said);

// Milliseconds until deadline for a wait that takes them, rounded up so that the wait never
// ends just before it; 0 once it has passed.
int MsUntil(SteadyClock::time_point deadline);

}  // namespace tv::detail
