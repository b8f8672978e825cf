// The transfer speed test's file and its timed copy: a file of a known size copied the way a run
// copies, one buffer of the run's size at a time with the run's pause after every read and every
// write, so that the time it takes tells how fast a run of that unit will be.
#pragma once

#include <cstdint>
#include <string>

namespace tv {

// The "megabyte" of the speed test.
constexpr uint64_t kTestMegabyte = 1024000;
constexpr const char* kTestFileName = "test.dat";
// What the test file is made of, over and over, without line breaks.
constexpr const char kTestFileText[] = "This is Test Data--Tessaravine--";

uint64_t TestFileBytes(uint32_t megabytes);

// Creates or truncates path and fills it with exactly TestFileBytes(megabytes) bytes.
bool WriteTestFile(const std::string& path, uint32_t megabytes);

// Copies source to destination in blocks of blockSize bytes, sleeping pauseMs after every read
// and every write; the milliseconds it took, or 0 when either file could not be opened or the
// copy failed.
uint64_t TimedCopy(const std::string& source, const std::string& destination, int32_t blockSize,
                   int32_t pauseMs);

}  // namespace tv
