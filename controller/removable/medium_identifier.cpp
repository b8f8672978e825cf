#include "controller/removable/medium_identifier.h"

#include <cstdio>

#include "controller/runners/decision_file.h"

namespace tv {

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
    if (const std::optional<std::string> stored = media.SerialNumber(letter)) {
        identifier.serialText = *stored;
        return identifier;
    }
    identifier.serialText = media.MakeSerialNumber();
    const bool storedNow = media.WriteSerialNumber(letter, identifier.serialText);
    if (!storedNow && storage == SerialStorage::Required) return std::nullopt;
    return identifier;
}

}  // namespace tv
