#include "controller/removable/card_probe_library.h"

#include "cardprobe/cardprobe.h"

namespace tv {

namespace {

// The buffers the library's entries ask for, with room for the terminator.
constexpr size_t kSerialBufferBytes = 17;
constexpr size_t kCardNameBufferBytes = 33;

// A text the library wrote into buffer, cut at the buffer's end should it lack a terminator.
std::string TextOf(const char* buffer, size_t size) {
    size_t length = 0;
    while (length < size && buffer[length] != '\0') ++length;
    return std::string(buffer, length);
}

}  // namespace

CardProbeLibrary::CardProbeLibrary(const std::string& fullPath) {
    if (!library_.Load(fullPath)) return;
    getSerialNumber_ = Entry<ReadText>("GetSerialNumber");
    makeSerialNumber_ = Entry<MakeText>("MakeSerialNumber");
    setSerialNumber_ = Entry<WriteText>("SetSerialNumber");
    getCardName_ = Entry<ReadText>("GetCardName");
    setCardName_ = Entry<WriteText>("SetCardName");
    cardProbe_ = Entry<Probe>("CardProbe");
}

std::optional<std::string> CardProbeLibrary::SerialNumber(char letter) {
    char buffer[kSerialBufferBytes] = {};
    if (!getSerialNumber_ || getSerialNumber_(letter, buffer) == 0) return std::nullopt;
    return TextOf(buffer, sizeof buffer);
}

std::string CardProbeLibrary::MakeSerialNumber() {
    char buffer[kSerialBufferBytes] = {};
    if (!makeSerialNumber_ || makeSerialNumber_(buffer) <= 0) return "";
    return TextOf(buffer, sizeof buffer);
}

bool CardProbeLibrary::WriteSerialNumber(char letter, const std::string& serial) {
    return setSerialNumber_ && setSerialNumber_(letter, serial.c_str()) != 0;
}

std::optional<std::string> CardProbeLibrary::CardName(char letter) {
    char buffer[kCardNameBufferBytes] = {};
    if (!getCardName_ || getCardName_(letter, buffer) == 0) return std::nullopt;
    return TextOf(buffer, sizeof buffer);
}

bool CardProbeLibrary::WriteCardName(char letter, const std::string& text) {
    return setCardName_ && setCardName_(letter, text.c_str()) != 0;
}

std::string CardProbeLibrary::ProductText(char letter) {
    MediaInfo info = {};
    if (!cardProbe_ || cardProbe_(letter, &info) == 0) return "";
    return TextOf(info.product, sizeof info.product);
}

}  // namespace tv
