// The two calls of the C library that serial numbers need and that differ by system: the
// local time of a moment, and a pseudo-random value from a seed of the caller's own (which
// leaves the process's rand() sequence alone and is safe from any thread).
#pragma once

#include <ctime>

namespace tv::cardprobe {

bool LocalTimeAt(std::time_t moment, std::tm* local);
unsigned long SeededRandom(unsigned seed);

}  // namespace tv::cardprobe
