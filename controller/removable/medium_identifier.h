// What a removable medium is known by: its volume serial number, or, on a volume that reports
// none, the 16-digit serial number stored on the medium itself (made and stored at its first
// run). It names the medium's line in "Decision.txt" and its folder under the destination.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "controller/ports/media_identity.h"
#include "platform/drive_table.h"

namespace tv {

struct MediumIdentifier {
    bool byVolumeSerial = false;
    uint32_t volumeSerial = 0;
    std::string serialText;  // when not by the volume serial

    // "%u" of the volume serial, or the serial text.
    std::string DecisionText() const;
    // "%x" of the volume serial, or the serial text.
    std::string FolderName() const;
};

// Whether text is exactly length digits '0'..'9' (serial numbers and serial labels are).
bool IsDigitText(const std::string& text, size_t length);

// Whether a serial number made for the medium must be stored on it for the run to go on.
enum class SerialStorage { BestEffort, Required };

// The identifier of the medium in letter. A medium without a volume serial and without a stored
// serial number of 16 digits gets a new one; when it cannot be stored (no medium,
// write-protected, a read-only file of other text in its place) the run goes on with it under
// BestEffort, and nothing is returned under Required. Nothing is returned either when no
// serial number of 16 digits can be made.
std::optional<MediumIdentifier> IdentifyMediumForRun(const DriveTable& drives, MediaIdentity& media,
                                                     char letter, SerialStorage storage);

}  // namespace tv
