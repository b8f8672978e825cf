// The library's exported functions: each resolves the drive letter through the system side
// (cardprobe/drives.h) and hands over to the piece that does the work.
#include <ctime>
#include <optional>
#include <string>

#include "cardprobe/cardprobe.h"
#include "cardprobe/drives.h"
#include "cardprobe/identity_files.h"
#include "cardprobe/serial_number.h"

using tv::cardprobe::RootOfLetter;

extern "C" {

int GetCardName(int letter, char* buffer) {
    if (buffer == nullptr) return 0;
    const std::optional<std::string> root = RootOfLetter(letter);
    return root ? tv::cardprobe::ReadCardName(*root, buffer) : 0;
}

int CardProbe(int letter, MediaInfo* info) {
    if (info == nullptr) return 0;
    return tv::cardprobe::ProbeLetter(letter, info);
}

int GetPcmciaType(PcmciaTupleInfo* info, unsigned short selector) {
    if (info == nullptr) return 0;
    return tv::cardprobe::ReadSocketVersion(selector, info) ? 1 : 0;
}

int GetSerialNumber(int letter, char* buffer) {
    if (buffer == nullptr) return 0;
    const std::optional<std::string> root = RootOfLetter(letter);
    return root ? tv::cardprobe::ReadSerialNumber(*root, buffer) : 0;
}

int MakeSerialNumber(char* buffer) {
    if (buffer == nullptr) return 0;
    return tv::cardprobe::MakeSerialNumberAt(std::time(nullptr), buffer);
}

int SetCardName(int letter, const char* text) {
    if (text == nullptr) return 0;
    const std::optional<std::string> root = RootOfLetter(letter);
    return root ? tv::cardprobe::WriteCardName(*root, text) : 0;
}

int SetSerialNumber(int letter, const char* serial) {
    if (serial == nullptr) return 0;
    const std::optional<std::string> root = RootOfLetter(letter);
    return root ? tv::cardprobe::WriteSerialNumber(*root, serial) : 0;
}

}  // extern "C"
