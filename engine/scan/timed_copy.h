// The transfer speed test's file and its timed copy: a file of a known size copied the way a run
// copies, one buffer of the run's size at a time with the run's pause after every read and every
// write, so that the time it takes tells how fast a run of that unit will be.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

namespace tv {

// The "megabyte" of the speed test.
constexpr uint64_t kTestMegabyte = 1024000;
constexpr const char* kTestFileName = "test.dat";
// What the test file is made of, over and over, without line breaks.
constexpr const char kTestFileText[] = "This is Test Data--Tessaravine--";

uint64_t TestFileBytes(uint32_t megabytes);

// Creates or truncates path and fills it with exactly TestFileBytes(megabytes) bytes; false
// when it could not, or when stop was set before the end.
bool WriteTestFile(const std::string& path, uint32_t megabytes,
                   const std::atomic<bool>* stop = nullptr);

// What one timed copy needs, as plain values, so that it can run on a thread of its own.
struct TimedCopyOrder {
    std::string source;
    std::string destination;
    int32_t blockSize = 0;
    int32_t pauseMs = 0;
};

// Copies the source to the destination in blocks of blockSize bytes, sleeping pauseMs after
// every read and every write; the milliseconds it took, or 0 when either file could not be
// opened, the copy failed or stop was set.
uint64_t TimedCopy(const TimedCopyOrder& order, const std::atomic<bool>* stop = nullptr);

}  // namespace tv
