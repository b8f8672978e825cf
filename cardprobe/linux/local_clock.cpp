#include "cardprobe/local_clock.h"

#include <cstdlib>

namespace tv::cardprobe {

bool LocalTimeAt(std::time_t moment, std::tm* local) {
    return ::localtime_r(&moment, local) != nullptr;
}

unsigned long SeededRandom(unsigned seed) { return static_cast<unsigned long>(::rand_r(&seed)); }

}  // namespace tv::cardprobe
