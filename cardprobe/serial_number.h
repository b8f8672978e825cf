// New serial numbers for media: the time of day to the second and a random part, 16 digits
// from the year 2000 to 2899 ("%d%03d%02d%02d%02d%04d": years since 1900, day of the year from
// 0, hour, minute, second, random 0..9999).
#pragma once

#include <ctime>

namespace tv::cardprobe {

constexpr int kSerialDigits = 16;

// A pseudo-random value of any size brought to 0..9999: its low 15 bits (0..32767) scaled.
int ScaleRandom(unsigned long raw);

// Writes the serial number for a local time and a random part (0..9999) into out, which holds
// at least 17 bytes. Returns the number of characters written; never more than 16.
int FormatSerialNumber(const std::tm& local, int random, char* out);

// The serial number made at now, with the random part drawn from a generator seeded by now.
int MakeSerialNumberAt(std::time_t now, char* out);

}  // namespace tv::cardprobe
