// A stand-in for the idle library that answers what the test last told it. Built twice: with
// the entry, and (TV_IDLE_STUB_WITHOUT_ENTRY) without it.
#include <atomic>
#include <climits>

namespace {
std::atomic<int> answer{1};
std::atomic<int> calls{0};
std::atomic<int> busyFrom{INT_MAX};
}  // namespace

extern "C" {

#ifndef TV_IDLE_STUB_WITHOUT_ENTRY
int GetIdleTime() {
    const int call = ++calls;
    return call >= busyFrom.load() ? 0 : answer.load();
}
#endif

void TvIdleStubSetAnswer(int value) { answer.store(value); }
void TvIdleStubBusyFromCall(int call) { busyFrom.store(call); }
int TvIdleStubCalls() { return calls.load(); }
}
