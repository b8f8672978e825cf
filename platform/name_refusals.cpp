#include "platform/name_refusals.h"

#include <algorithm>
#include <cstring>

namespace tv {

namespace {

char UpperAsciiOf(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsBeyondAscii(char c) { return (static_cast<unsigned char>(c) & 0x80) != 0; }

}  // namespace

bool IsMappableCharacter(char c) {
    return (c >= 0x01 && c <= 0x1F) || (c != '\0' && std::strchr("\"*:<>?\\|", c) != nullptr);
}

bool IsDeviceName(const std::string& name) {
    std::string base = name.substr(0, name.find('.'));
    std::transform(base.begin(), base.end(), base.begin(), UpperAsciiOf);
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") return true;
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
           base[3] >= '1' && base[3] <= '9';
}

bool CanHoldName(const std::string& stored, const NameRefusals& refusals) {
    if (refusals.deviceNames && IsDeviceName(stored)) return false;
    return !refusals.nonAscii || std::none_of(stored.begin(), stored.end(), IsBeyondAscii);
}

}  // namespace tv
