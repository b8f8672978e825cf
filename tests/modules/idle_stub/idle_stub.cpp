// A stand-in for the idle library that answers what the test last told it. Built twice: with
// the entry, and (TV_IDLE_STUB_WITHOUT_ENTRY) without it.
#include <atomic>

namespace {
std::atomic<int> answer{1};
std::atomic<int> calls{0};
}  // namespace

extern "C" {

#ifndef TV_IDLE_STUB_WITHOUT_ENTRY
int GetIdleTime() {
    ++calls;
    return answer.load();
}
#endif

void TvIdleStubSetAnswer(int value) { answer.store(value); }
int TvIdleStubCalls() { return calls.load(); }
}
