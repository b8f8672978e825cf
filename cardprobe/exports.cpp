// The library's exported functions: each resolves the drive letter through the program's
// drive table and hands over to the piece that does the work.
#include <ctime>
#include <optional>
#include <string>

#include "cardprobe/cardprobe.h"
#include "cardprobe/cis_tuples.h"
#include "cardprobe/identity_files.h"
#include "cardprobe/probe.h"
#include "cardprobe/serial_number.h"

namespace {

using tv::cardprobe::DefaultSources;
using tv::cardprobe::RootOfDrive;

std::optional<std::string> RootOf(int letter) { return RootOfDrive(DefaultSources(), letter); }

}  // namespace

extern "C" {

int GetCardName(int letter, char* buffer) {
    if (buffer == nullptr) return 0;
    const std::optional<std::string> root = RootOf(letter);
    return root ? tv::cardprobe::ReadCardName(*root, buffer) : 0;
}

int CardProbe(int letter, MediaInfo* info) {
    if (info == nullptr) return 0;
    return tv::cardprobe::ProbeDrive(DefaultSources(), letter, info);
}

int GetPcmciaType(PcmciaTupleInfo* info, unsigned short selector) {
    if (info == nullptr) return 0;
    return tv::cardprobe::ReadPcmciaVersion(DefaultSources().sysfsRoot, selector, info) ? 1 : 0;
}

int GetSerialNumber(int letter, char* buffer) {
    if (buffer == nullptr) return 0;
    const std::optional<std::string> root = RootOf(letter);
    return root ? tv::cardprobe::ReadSerialNumber(*root, buffer) : 0;
}

int MakeSerialNumber(char* buffer) {
    if (buffer == nullptr) return 0;
    return tv::cardprobe::MakeSerialNumberAt(std::time(nullptr), buffer);
}

int SetCardName(int letter, const char* text) {
    if (text == nullptr) return 0;
    const std::optional<std::string> root = RootOf(letter);
    return root ? tv::cardprobe::WriteCardName(*root, text) : 0;
}

int SetSerialNumber(int letter, const char* serial) {
    if (serial == nullptr) return 0;
    const std::optional<std::string> root = RootOf(letter);
    return root ? tv::cardprobe::WriteSerialNumber(*root, serial) : 0;
}

}  // extern "C"
