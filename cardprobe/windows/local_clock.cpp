#include "cardprobe/local_clock.h"

#include <random>

namespace tv::cardprobe {

bool LocalTimeAt(std::time_t moment, std::tm* local) { return ::localtime_s(local, &moment) == 0; }

// The C runtime has no generator with a seed of the caller's; the standard library's minimal
// standard one serves, its first value after the seed.
unsigned long SeededRandom(unsigned seed) {
    std::minstd_rand generator(seed);
    return static_cast<unsigned long>(generator());
}

}  // namespace tv::cardprobe
