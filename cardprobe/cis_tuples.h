// The card information structure of a PC card: a chain of tuples (code byte, length byte,
// that many data bytes), ended by the code 0xFF. The version-1 tuple (code 0x15) carries the
// card's version, manufacturer and product.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "cardprobe/cardprobe.h"

namespace tv::cardprobe {

// The first version-1 tuple of the chain copied into info (major, minor, 0, manufacturer,
// product). False, info untouched, when the chain holds no complete one: a tuple that runs
// past the end of the bytes ends the chain.
bool ParseVersionTuple(const uint8_t* bytes, std::size_t size, PcmciaTupleInfo* info);

// Reads the structure of socket `selector` from <sysfsRoot>/class/pcmcia_socket and parses it.
bool ReadPcmciaVersion(const std::string& sysfsRoot, unsigned short selector,
                       PcmciaTupleInfo* info);

}  // namespace tv::cardprobe
