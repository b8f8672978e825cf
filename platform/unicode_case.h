// The system's Unicode case tables, whatever locale the process runs in.
#pragma once

#include <cstdint>

namespace tv {

// The upper case of one Unicode character (a code point, never a surrogate), or the character
// itself when it has none of a single character or the system has no case tables.
uint32_t UnicodeUpperCase(uint32_t code);

}  // namespace tv
