// Which removable drives held a medium when they were last looked at, so that a medium is run
// once when it comes and again only after it has been taken out. A drive counts as holding a
// medium when it is removable and its root answers.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "platform/drive_table.h"
#include "settings/settings_record.h"

namespace tv {

class RemovablePresence {
  public:
    // The poll: letters C to Z in order (A and B are never polled). Every drive without a medium
    // is marked so; the first medium not seen before is marked seen and ends the scan, so
    // several new media are found one poll after the other.
    std::optional<char> PollForNewMedium(const DriveTable& drives);

    struct Changes {
        std::vector<char> inserted;
        std::vector<char> removed;
    };
    // A change of the mount table: every medium that came and every one that went since the last
    // look, all noted at once.
    Changes TakeChanges(const DriveTable& drives);

    // Which drives hold a medium now, to compare with after a run.
    using Held = std::array<bool, kDriveLetterCount>;
    static Held Look(const DriveTable& drives);
    // Every medium that came since before was looked at is marked seen without being reported,
    // so neither the poll nor the mount table watch runs it: media that come while a run holds
    // the frame are not run after it. Media that went are left to the next look.
    void PassOverArrivalsSince(const Held& before, const DriveTable& drives);

  private:
    Held present_{};
};

}  // namespace tv
