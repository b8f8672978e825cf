#include "controller/removable/media_presence.h"

#include "platform/file_system.h"
#include "platform/win_constants.h"

namespace tv {

namespace {

constexpr int kFirstPolledIndex = 2;  // C:

bool HoldsMedium(const DriveTable& drives, char letter) {
    const std::string root = drives.RootOf(letter);
    return !root.empty() && drives.DriveType(root) == kDriveRemovable &&
           GetFileAttributes(root) != kInvalidAttributes;
}

}  // namespace

std::optional<char> RemovablePresence::PollForNewMedium(const DriveTable& drives) {
    for (int index = kFirstPolledIndex; index < kDriveLetterCount; ++index) {
        const char letter = DriveLetterAt(index);
        if (!HoldsMedium(drives, letter)) {
            present_[index] = false;
        } else if (!present_[index]) {
            present_[index] = true;
            return letter;
        }
    }
    return std::nullopt;
}

RemovablePresence::Changes RemovablePresence::TakeChanges(const DriveTable& drives) {
    Changes changes;
    for (int index = kFirstPolledIndex; index < kDriveLetterCount; ++index) {
        const char letter = DriveLetterAt(index);
        const bool holds = HoldsMedium(drives, letter);
        if (holds == present_[index]) continue;
        present_[index] = holds;
        (holds ? changes.inserted : changes.removed).push_back(letter);
    }
    return changes;
}

RemovablePresence::Held RemovablePresence::Look(const DriveTable& drives) {
    Held held{};
    for (int index = kFirstPolledIndex; index < kDriveLetterCount; ++index) {
        held[index] = HoldsMedium(drives, DriveLetterAt(index));
    }
    return held;
}

void RemovablePresence::PassOverArrivalsSince(const Held& before, const DriveTable& drives) {
    const Held now = Look(drives);
    for (int index = kFirstPolledIndex; index < kDriveLetterCount; ++index) {
        if (now[index] && !before[index]) present_[index] = true;
    }
}

}  // namespace tv
