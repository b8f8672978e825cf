// The two identity files in a medium's root folder: "_serial_.tq", exactly the 16 digits of
// the serial number the library made for the medium (a file whose first 16 bytes are not all
// digits holds none), and "_cardnm_.tq", 1 to 32 bytes of card name (the program keeps the
// media kind there). Neither has a terminator or a line end; both are hidden and read-only. root
// ends with a separator. Results are the exports' 1 and 0.
#pragma once

#include <string>

namespace tv::cardprobe {

constexpr char kSerialFileName[] = "_serial_.tq";
constexpr char kCardNameFileName[] = "_cardnm_.tq";
constexpr std::size_t kSerialLength = 16;
constexpr std::size_t kMaxCardName = 32;

// buffer: at least 17 bytes.
int ReadSerialNumber(const std::string& root, char* buffer);
// serial: 16 digits (a longer text gives its first 16); any other text is refused.
int WriteSerialNumber(const std::string& root, const char* serial);
// buffer: at least 33 bytes.
int ReadCardName(const std::string& root, char* buffer);
// Stores the first 32 bytes of text at most, replacing an older (read-only) card name.
int WriteCardName(const std::string& root, const char* text);

}  // namespace tv::cardprobe
