#include "controller/removable/medium_identifier.h"

#include <cstdio>

#include "controller/runners/decision_file.h"

namespace tv {

namespace {

// The library is a deliverable of its own, and another build of it may answer anything: only
// 16 digits are taken as a serial number, since the medium's folder is named after it.
bool IsSerialNumberText(const std::string& text) {
    constexpr size_t kSerialDigits = 16;
    return IsDigitText(text, kSerialDigits);
}

}  // namespace

bool IsDigitText(const std::string& text, size_t length) {
    if (text.size() != length) return false;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

std::string MediumIdentifier::DecisionText() const {
    return byVolumeSerial ? DecisionFile::VolumeIdentifier(volumeSerial) : serialText;
}

std::string MediumIdentifier::FolderName() const {
    if (!byVolumeSerial) return serialText;
    char text[16];
    std::snprintf(text, sizeof text, "%x", volumeSerial);
    return text;
}

std::optional<MediumIdentifier> IdentifyMediumForRun(const DriveTable& drives, MediaIdentity& media,
                                                     char letter, SerialStorage storage) {
    MediumIdentifier identifier;
    bool hasSerial = false;
    if (drives.VolumeInformation(drives.RootOf(letter), &identifier.volumeSerial, nullptr,
                                 &hasSerial) &&
        hasSerial) {
        identifier.byVolumeSerial = true;
        return identifier;
    }
    const std::optional<std::string> stored = media.SerialNumber(letter);
    if (stored && IsSerialNumberText(*stored)) {
        identifier.serialText = *stored;
        return identifier;
    }
    identifier.serialText = media.MakeSerialNumber();
    if (!IsSerialNumberText(identifier.serialText)) return std::nullopt;
    const bool storedNow = media.WriteSerialNumber(letter, identifier.serialText);
    if (!storedNow && storage == SerialStorage::Required) return std::nullopt;
    return identifier;
}

}  // namespace tv
